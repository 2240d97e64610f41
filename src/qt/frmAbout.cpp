#include "frmAbout.h"

#include "FitText.h"
#include "QtUnits.h"
#include "about/SysInfo.h"
#include "about/frmAboutDescription.h"
#include "ui/Colours.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <algorithm>
#include <vector>

namespace tavimor {

namespace {

QWidget* makeLabel(const ui::Control& described, QWidget* parent)
{
    auto* label = new QLabel(qText(described.caption), parent);
    label->setFont(qFont(described.font, QFont::SansSerif));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    return label;
}

// One stroke of the etched separator, from its left end, lineWidth pixels high.
QWidget* makeLine(const ui::Control& described, QWidget* parent)
{
    auto* stroke = new QFrame(parent);
    stroke->setAutoFillBackground(true);
    const ui::Rect& r = described.rect;
    stroke->setGeometry(pixels(r.left), pixels(r.top), pixels(r.width) + 1, described.lineWidth);
    return stroke;
}

QWidget* makePicture(QWidget* parent)
{
    auto* icon = new QLabel(parent);
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/tavimor-50.png")));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return icon;
}

} // namespace

frmAbout::frmAbout(Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(qText(ui::kFrmAbout.name));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tavimor-32.png")));
    setFixedSize(pixels(ui::kFrmAbout.clientWidth), pixels(ui::kFrmAbout.clientHeight));

    std::vector<std::pair<int, QWidget*>> focusOrder;
    for (const ui::Control& described : ui::kFrmAbout.controls) {
        QWidget* widget = nullptr;
        switch (described.kind) {
        case ui::Kind::Label: widget = makeLabel(described, this); break;
        case ui::Kind::Picture: widget = makePicture(this); break;
        case ui::Kind::Line: widget = makeLine(described, this); break;
        default: {
            auto* button = new QPushButton(qText(described.caption), this);
            button->setFont(qFont(described.font, QFont::SansSerif));
            button->setDefault(described.isDefault); // Enter; Esc closes a dialog as well
            button->setAutoDefault(false);
            connect(button, &QPushButton::clicked, this, [this, &described] {
                if (described.command == ui::Command::SysInfo)
                    StartSysInfo(m_platform);
                else
                    accept();
            });
            focusOrder.emplace_back(described.tabIndex, button);
            widget = button;
        }
        }
        widget->setObjectName(qText(described.name));
        if (described.kind == ui::Kind::Label || described.kind == ui::Kind::Line)
            m_coloured.emplace_back(&described, widget);
        if (!described.accessibleName.view().empty())
            widget->setAccessibleName(qText(described.accessibleName));
        if (described.kind != ui::Kind::Line)
            widget->setGeometry(pixels(described.rect));
    }
    std::sort(focusOrder.begin(), focusOrder.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    focusOrder.front().second->setFocus();
    applyColours();
    load();
}

void frmAbout::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange)
        applyColours(); // the desktop's theme changed while the dialog is open
}

void frmAbout::applyColours()
{
    const QPalette& theme = palette();
    const auto rgb = [&](QPalette::ColorRole role) { return unsigned(theme.color(role).rgb() & 0xFFFFFF); };
    const ui::HostColours host{rgb(QPalette::Window), rgb(QPalette::WindowText), rgb(QPalette::Link)};
    for (const auto& [described, widget] : m_coloured) {
        QPalette palette = widget->palette();
        // A label's text, a line's whole face.
        const QPalette::ColorRole role = described->kind == ui::Kind::Line ? QPalette::Window : QPalette::WindowText;
        palette.setColor(role, qColour(ui::shownColour(*described, host)));
        widget->setPalette(palette);
    }
}

void frmAbout::load()
{
    const ui::AboutTexts texts = ui::aboutTexts();
    setWindowTitle(QString::fromStdString(texts.caption));
    const std::pair<const char*, const std::string*> labels[] = {
        {"lblTitle", &texts.title}, {"lblVersion", &texts.version}, {"lblDisclaimer", &texts.disclaimer}};
    for (const auto& [name, text] : labels)
        findChild<QLabel*>(QString::fromLatin1(name))->setText(QString::fromStdString(*text));
    for (const char* name : {"lblTitle", "lblVersion", "lblDescription", "lblDisclaimer"})
        fitTextToBox(findChild<QLabel*>(QString::fromLatin1(name)));
}

} // namespace tavimor
