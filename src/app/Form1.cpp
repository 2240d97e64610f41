#include "Form1.h"

#include "LongLines.h"
#include "SlotText.h"
#include "Version.h"
#include "about/frmAbout.h"
#include "platform/Platform.h"
#include "platform/QtFileDialog.h"
#include "platform/WaitCursor.h"

#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

// The icons are compiled into this static library; make sure they are linked
// in and registered before the first window asks for them.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace tavimor {

namespace {

constexpr int kClientWidth = 11880;
constexpr int kClientHeight = 7950;
constexpr int kRowTop[3] = {120, 2760, 5400};
constexpr int kColumnLeft[2] = {120, 6360};
constexpr int kTextOffset = 1560;
constexpr int kTextWidth = 3735;
constexpr int kTextHeight = 2415;
constexpr int kButtonWidth = 1335;
constexpr int kButtonHeight = 495;

struct ButtonKind
{
    const char* caption;
    const char* accessibleName;
    int top; // below the row top
};
constexpr ButtonKind kButtonKinds[3] = {
    {"File Open", "File Open", 240},
    {"Paste", "Paste", 960},
    {"Copy", "Copy", 1680},
};

QString buttonObjectName(int kind, int slot)
{
    static const char* prefixes[3] = {"cmdFile", "cmdPaste", "cmdCopy"};
    if (kind == 1 && slot == 1)
        return QStringLiteral("Cmdpaste1"); // slot 1's paste button has always been named so
    return QString::fromLatin1(prefixes[kind]) + QString::number(slot);
}

} // namespace

Form1::Form1(Platform& platform, FileDialog* dialog, QWidget* parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_dialog(dialog)
{
    initResources();
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kApplicationTitle));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tavimor-32.png")));

    if (!m_dialog) {
        auto* own = new QtFileDialog(this);
        own->setObjectName(QStringLiteral("CommonDialog1"));
        m_dialog = own;
    }
    m_slotCommands = std::make_unique<SlotCommands>(m_platform, *m_dialog, *this);
    m_fileCommands = std::make_unique<FileMenuCommands>(m_platform, *m_dialog, *this);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setMinimumSize(0, 0);
    setCentralWidget(client);
    for (int slot = 1; slot <= kSlotCount; ++slot)
        buildSlot(slot);
    buildMenus();

    // Focus runs slot by slot: text box, File Open, Paste, Copy.
    QWidget* previous = nullptr;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        QWidget* chain[4] = {m_text[slot - 1], m_buttons[slot - 1][0], m_buttons[slot - 1][1],
                             m_buttons[slot - 1][2]};
        for (QWidget* widget : chain) {
            if (previous)
                setTabOrder(previous, widget);
            previous = widget;
        }
    }

    resize(twips(kClientWidth), twips(kClientHeight) + menuBar()->sizeHint().height());
    m_text[0]->setFocus();
}

Form1::~Form1() = default;

void Form1::buildSlot(int slot)
{
    const int index = slot - 1;
    const int x = kColumnLeft[index / 3];
    const int y = kRowTop[index % 3];
    QWidget* client = centralWidget();

    auto* edit = new QPlainTextEdit(client);
    edit->setObjectName(QStringLiteral("Text%1").arg(slot));
    edit->setAccessibleName(QStringLiteral("Slot %1").arg(slot));
    edit->setGeometry(twips(x + kTextOffset), twips(y), twips(kTextWidth), twips(kTextHeight));
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    edit->setTabChangesFocus(true);
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setPointSizeF(9.75);
    font.setWeight(QFont::Normal);
    edit->setFont(font);
    new LongLineView(edit);
    m_text[index] = edit;

    for (int kind = 0; kind < 3; ++kind) {
        auto* button = new QPushButton(QString::fromLatin1(kButtonKinds[kind].caption), client);
        button->setObjectName(buttonObjectName(kind, slot));
        button->setAccessibleName(QStringLiteral("%1, slot %2").arg(QLatin1String(kButtonKinds[kind].accessibleName)).arg(slot));
        button->setGeometry(twips(x), twips(y + kButtonKinds[kind].top), twips(kButtonWidth), twips(kButtonHeight));
        button->setAutoDefault(false);
        button->setDefault(false);
        m_buttons[index][kind] = button;
    }
    connect(m_buttons[index][0], &QPushButton::clicked, this, [this, slot] { run([&] { m_slotCommands->FileOpen(slot); }); });
    connect(m_buttons[index][1], &QPushButton::clicked, this, [this, slot] { run([&] { m_slotCommands->Paste(slot); }); });
    connect(m_buttons[index][2], &QPushButton::clicked, this, [this, slot] { run([&] { m_slotCommands->Copy(slot); }); });
}

void Form1::buildMenus()
{
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("MnuFile"));
    QAction* open = file->addAction(QStringLiteral("Open"));
    open->setObjectName(QStringLiteral("MnuFileOpen"));
    QAction* save = file->addAction(QStringLiteral("Save"));
    save->setObjectName(QStringLiteral("MnuFileSave"));
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("MnuFileExit"));

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("MnuHelp"));
    QAction* about = help->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("MnuHelpAbout"));

    connect(open, &QAction::triggered, this, [this] { run([&] { m_fileCommands->Open(); }); });
    connect(save, &QAction::triggered, this, [this] { run([&] { m_fileCommands->Save(); }); });
    connect(exit, &QAction::triggered, this, &QWidget::close);
    connect(about, &QAction::triggered, this, &Form1::showAbout);
}

void Form1::showAbout()
{
    // Loaded afresh at every opening, so it always shows the same texts.
    frmAbout about(m_platform, this);
    about.exec();
}

void Form1::run(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        m_platform.ShowMessage(std::string("Error: ") + e.what());
    }
}

std::string Form1::slotText(int slot) const
{
    const QTextDocument& document = *m_text.at(slot - 1)->document();
    WaitCursor busy(document.characterCount() >= kWaitCursorBytes);
    return slotTextOf(document);
}

void Form1::storeSlotText(int slot, const std::string& text)
{
    QPlainTextEdit& edit = *m_text.at(slot - 1);
    WaitCursor busy(text.size() >= std::size_t(kWaitCursorBytes));
    replaceSlotText(edit, text);
}

} // namespace tavimor
