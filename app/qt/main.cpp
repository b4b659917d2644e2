// rockpile, the desktop calculator of rock-socketed piles: starts on the formula chooser and
// runs until the chooser is closed.
#include <QApplication>
#include <QStringList>

#include <cstdio>
#include <cstring>

#include "app/qt/desktop_shell.h"
#include "app/qt/qt_platform.h"
#include "books/text_file.h"
#include "core/program_version.h"

int main(int argc, char* argv[]) {
    // Answered before the toolkit starts, so that it works without a display.
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("rockpile %s\n", pile::ProgramVersionText().c_str());
        return 0;
    }
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
