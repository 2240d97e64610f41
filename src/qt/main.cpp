#include "ClipboardHolder.h"
#include "Form1.h"
#include "MemoryUse.h"
#include "QtPlatform.h"
#include "ToolkitTranslations.h"
#include "Version.h"
#include "app/StartArguments.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[])
{
    if (argc == 3 && std::strcmp(argv[1], tavimor::kHoldClipboardArgument) == 0)
        return tavimor::holdClipboard(argv[2]); // the program's own holder of its last Copy
    tavimor::returnLargeBlocksAtOnce();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tavimor::kApplicationTitle));
    QApplication::setApplicationVersion(QString::fromUtf8(tavimor::kVersionText));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavimor.Tavimor"));
    tavimor::loadToolkitTranslations(app);

    // QApplication has taken its own options (-platform, -style) out of argv.
    const tavimor::StartArguments start = tavimor::readStartArguments({argv + 1, argv + argc});
    if (start.usage || start.help) {
        std::fprintf(start.help ? stdout : stderr, "%s\n", tavimor::kUsage);
        return start.help ? 0 : 2;
    }

    tavimor::QtPlatform platform;
    tavimor::Form1 window(platform);
    window.show();
    if (start.file) // once the window is up, so that a message stands over it
        QTimer::singleShot(0, &window, [&] { window.openAtStart(*start.file); });
    const int status = app.exec();
    // The window is gone: no one sees what follows.
    tavimor::keepClipboardAfterExit(QCoreApplication::applicationFilePath());
    tavimor::boundTheEnd(status);
    return status;
}
