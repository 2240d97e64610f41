#include "frmAbout.h"

#include "FitText.h"
#include "QtUnits.h"
#include "about/SysInfo.h"
#include "about/frmAboutDescription.h"

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
    if (described.colour) {
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, qColour(*described.colour));
        label->setPalette(palette);
    }
    return label;
}

// One stroke of the etched separator, from its left end, lineWidth pixels high.
QWidget* makeLine(const ui::Control& described, QWidget* parent)
{
    auto* stroke = new QFrame(parent);
    stroke->setAutoFillBackground(true);
    QPalette palette = stroke->palette();
    palette.setColor(QPalette::Window, qColour(described.colour.value_or(0)));
    stroke->setPalette(palette);
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
        if (!described.accessibleName.view().empty())
            widget->setAccessibleName(qText(described.accessibleName));
        if (described.kind != ui::Kind::Line)
            widget->setGeometry(pixels(described.rect));
    }
    std::sort(focusOrder.begin(), focusOrder.end(), [](auto& a, auto& b) { return a.first < b.first; });
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        setTabOrder(focusOrder[i - 1].second, focusOrder[i].second);
    focusOrder.front().second->setFocus();
    load();
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
