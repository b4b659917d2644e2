// rockpile, the desktop calculator of rock-socketed piles: starts on the formula chooser and
// runs until the chooser is closed.
#include <QApplication>

#include "app/qt/desktop_shell.h"
#include "app/qt/qt_platform.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pile::configureApplication();

    pile::QtPlatform platform;
    pile::DesktopShell shell(platform.platform);
    shell.start();
    return QApplication::exec();
}
