#include "frmAbout.h"

#include "SysInfo.h"
#include "Version.h"
#include "app/FitText.h"
#include "app/Form1.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace tavimor {

namespace {

QFont dialogFont(qreal points)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setWeight(QFont::Normal);
    return font;
}

QRect at(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry, qreal points,
              const QColor& colour)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    l->setFont(dialogFont(points));
    l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    l->setWordWrap(true);
    QPalette palette = l->palette();
    palette.setColor(QPalette::WindowText, colour);
    l->setPalette(palette);
    return l;
}

// One stroke of the etched separator line.
void line(QWidget* parent, const QRect& geometry, const QColor& colour)
{
    auto* stroke = new QFrame(parent);
    stroke->setObjectName(QStringLiteral("Line1"));
    stroke->setGeometry(geometry);
    stroke->setAutoFillBackground(true);
    QPalette palette = stroke->palette();
    palette.setColor(QPalette::Window, colour);
    stroke->setPalette(palette);
}

} // namespace

frmAbout::frmAbout(Platform& platform, QWidget* parent)
    : QDialog(parent)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/tavimor-32.png")));
    setFixedSize(twips(5730), twips(3555));

    auto* icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("picIcon"));
    icon->setGeometry(at(120, 120, 810, 810));
    icon->setPixmap(QPixmap(QStringLiteral(":/icons/tavimor-50.png")));
    icon->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_title = label(this, "lblTitle", QStringLiteral("Application Title"), at(1080, 240, 3885, 480), 18, Qt::black);
    m_version = label(this, "lblVersion", QStringLiteral("Version"), at(1080, 1200, 3885, 225), 9.75,
                      palette().color(QPalette::WindowText));
    m_description = label(this, "lblDescription",
          QStringLiteral("This program allows you to easily copy items to the clipboard or paste from the clipboard."),
          at(1080, 1680, 4245, 645), 9.75, Qt::black);
    m_disclaimer = label(this, "lblDisclaimer", QString(), at(480, 2760, 3390, 705), 9.75, QColor(0, 0, 255));

    line(this, QRect(twips(90), twips(2445), twips(5654 - 90) + 1, 1), QColor(0x80, 0x80, 0x80));
    line(this, QRect(twips(105), twips(2460), twips(5654 - 105) + 1, 2), Qt::white);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(at(4245, 2625, 1260, 345));
    ok->setFont(dialogFont(8));
    ok->setDefault(true); // Enter; Esc closes a dialog as well
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfo->setGeometry(at(4260, 3075, 1245, 345));
    sysInfo->setFont(dialogFont(8));
    sysInfo->setAutoDefault(false);
    connect(sysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(m_platform); });

    setTabOrder(ok, sysInfo);
    ok->setFocus();
    load();
}

void frmAbout::load()
{
    const QString title = QString::fromUtf8(kApplicationTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    m_version->setText(QStringLiteral("Version %1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision));
    m_title->setText(title);
    m_disclaimer->setText(QStringLiteral("\u00A9 2026 the Tavimor developers.\r\n"
                                         "Reports: the project's tracker."));
    for (QLabel* l : {m_title, m_version, m_description, m_disclaimer})
        fitTextToBox(l);
}

} // namespace tavimor
