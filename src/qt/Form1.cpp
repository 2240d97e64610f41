#include "Form1.h"

#include "DroppedFiles.h"
#include "QtFileDialog.h"
#include "SlotEdit.h"
#include "SlotText.h"
#include "QtUnits.h"
#include "WaitCursor.h"
#include "app/Form1Description.h"
#include "frmAbout.h"

#include <QDropEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <vector>

// The icons are compiled into this static library; make sure they are linked
// in and registered before the first window asks for them.
static void initResources()
{
    Q_INIT_RESOURCE(resources);
}

namespace tavimor {

Form1::Form1(Platform& platform, FileDialog* dialog, QWidget* parent)
    : QMainWindow(parent)
    , m_platform(platform)
    , m_dialog(dialog)
{
    initResources();
    setObjectName(qText(ui::kForm1.name));
    setWindowTitle(QString::fromUtf8(ui::kMainCaption.data(), qsizetype(ui::kMainCaption.size())));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tavimor-32.png")));

    if (!m_dialog) {
        auto* own = new QtFileDialog(this);
        own->setObjectName(QStringLiteral("CommonDialog1"));
        m_dialog = own;
    }
    m_commands = std::make_unique<MainCommands>(m_platform, *m_dialog, *this,
                                                MainCommands::HostActions{[this] { close(); }, [this] { showAbout(); }});

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setCentralWidget(client);
    std::vector<std::pair<int, QWidget*>> focusOrder;
    for (const ui::Control& control : ui::kForm1.controls)
        focusOrder.emplace_back(control.tabIndex, buildControl(control, client));
    buildMenus();

    std::sort(focusOrder.begin(), focusOrder.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);

    setAcceptDrops(true); // a slot set dropped anywhere on the window opens
    resize(pixels(ui::kForm1.clientWidth), pixels(ui::kForm1.clientHeight) + menuBar()->sizeHint().height());
    m_slots[0]->setFocus();
}

Form1::~Form1() = default;

QWidget* Form1::buildControl(const ui::Control& control, QWidget* client)
{
    QWidget* widget;
    if (control.kind == ui::Kind::TextBox) {
        auto* edit = new SlotEdit(qFont(control.font, QFont::Monospace), client);
        edit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        edit->setTabChangesFocus(true);
        edit->filesDropped = [this, slot = control.slot](const std::vector<std::string>& files) {
            m_commands->dropFiles(slot, files);
        };
        m_slots[std::size_t(control.slot - 1)] = edit;
        widget = edit;
    } else {
        auto* button = new QPushButton(qText(control.caption), client);
        button->setAutoDefault(false);
        button->setDefault(false);
        connect(button, &QPushButton::clicked, this, [this, &control] { m_commands->run(control.command, control.slot); });
        widget = button;
    }
    widget->setObjectName(qText(control.name));
    widget->setAccessibleName(qText(control.accessibleName));
    widget->setGeometry(pixels(control.rect));
    return widget;
}

void Form1::buildMenus()
{
    for (const ui::Menu& described : ui::kForm1.menus) {
        QMenu* menu = menuBar()->addMenu(qText(described.caption));
        menu->setObjectName(qText(described.name));
        for (const ui::MenuItem& item : described.items) {
            QAction* action = menu->addAction(qText(item.caption));
            action->setObjectName(qText(item.name));
            connect(action, &QAction::triggered, this, [this, &item] { m_commands->run(item.command, 0); });
        }
    }
}

void Form1::showAbout()
{
    // Loaded afresh at every opening, so it always shows the same texts.
    frmAbout about(m_platform, this);
    about.exec();
}

QPlainTextEdit* Form1::slotEdit(int slot) const
{
    return m_slots.at(std::size_t(slot - 1));
}

std::string Form1::slotText(int slot) const
{
    const SlotEdit& edit = *m_slots.at(std::size_t(slot - 1));
    WaitCursor busy(std::uint64_t(edit.document()->characterCount()) >= kWaitCursorBytes);
    return edit.slot().text();
}

void Form1::openAtStart(const std::string& path)
{
    m_commands->openAtStart(path);
}

void Form1::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void Form1::dragMoveEvent(QDragMoveEvent* event)
{
    if (!droppedFiles(event->mimeData()).empty())
        event->acceptProposedAction();
}

void Form1::dropEvent(QDropEvent* event)
{
    std::vector<std::string> files = droppedFiles(event->mimeData());
    if (files.empty())
        return;
    event->acceptProposedAction();
    // After the drop has ended, so that the program the files came from is not kept waiting.
    QTimer::singleShot(0, this, [this, files = std::move(files)] { m_commands->dropFiles(0, files); });
}

std::string_view Form1::slotTextView(int slot, std::string& storage) const
{
    if (const std::string* kept = m_slots.at(std::size_t(slot - 1))->slot().keptText())
        return *kept;
    return storage = slotText(slot);
}

void Form1::storeSlotText(int slot, std::string text)
{
    WaitCursor busy(text.size() >= kWaitCursorBytes);
    m_slots.at(std::size_t(slot - 1))->slot().replace(std::move(text));
}

} // namespace tavimor
