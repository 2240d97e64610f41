#include "Form1.h"
#include "MemoryUse.h"
#include "QtPlatform.h"
#include "ToolkitTranslations.h"
#include "Version.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    tavimor::returnLargeBlocksAtOnce();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tavimor::kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(tavimor::kVersionText));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavimor.Tavimor"));
    tavimor::loadToolkitTranslations(app);

    tavimor::QtPlatform platform;
    tavimor::Form1 window(platform);
    window.show();
    return app.exec();
}
