// rockpile, the desktop calculator of rock-socketed piles: starts on the formula chooser and
// runs until the chooser is closed.
#include <QApplication>

#include "app/qt/desktop_shell.h"
#include "app/qt/qt_platform.h"
#include "app/qt/theme.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("rockpile"));
    QApplication::setApplicationDisplayName(QStringLiteral("嵌岩桩承载力计算"));
    QApplication::setWindowIcon(pile::applicationIcon());
    // The chooser ends the application, whatever other windows are open.
    QApplication::setQuitOnLastWindowClosed(false);

    pile::QtPlatform platform;
    pile::DesktopShell shell(platform.platform);
    shell.start();
    return QApplication::exec();
}
