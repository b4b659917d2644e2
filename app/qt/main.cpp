// rockpile, the desktop calculator of rock-socketed piles: starts on the formula chooser and
// runs until the chooser is closed.
#include <QApplication>
#include <QStringList>

#include "app/qt/desktop_shell.h"
#include "app/qt/qt_platform.h"
#include "books/text_file.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pile::configureApplication();

    pile::QtPlatform platform;
    pile::DesktopShell shell(platform.platform);
    shell.start();
    // rockpile FILE: the project opens in the calculator of its formula.
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() > 1) shell.openProject(pile::pathFromUtf8(arguments.at(1).toStdString()));
    return QApplication::exec();
}
