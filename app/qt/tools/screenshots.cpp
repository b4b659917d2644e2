// Runs a short session of the desktop application and grabs its windows into PNG files:
// the chooser, the input screen after computing the default pile, both pages of the book
// screen and the About box. Usage: rockpile_screenshots <output folder>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QWidget>

#include <iostream>

#include "app/qt/desktop_shell.h"
#include "app/qt/qt_platform.h"
#include "app/qt/theme.h"

namespace {

class FixedClock : public pile::Clock {
public:
    std::string timeText() const override { return "2026/12/10 9:30:00"; }
};

bool grab(QWidget* window, const QDir& folder, const QString& name) {
    QApplication::processEvents();
    const QString path = folder.filePath(name);
    if (!window->grab().save(path)) {
        std::cerr << "cannot write " << path.toStdString() << '\n';
        return false;
    }
    std::cout << path.toStdString() << '\n';
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    pile::configureApplication();
    if (argc != 2) {
        std::cerr << "usage: rockpile_screenshots <output folder>\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) return 1;

    pile::QtPlatform qt;
    FixedClock clock;
    pile::Platform platform{qt.documents, clock, qt.permissions, qt.messages, qt.errors, qt.urls};
    pile::DesktopShell shell(platform);
    shell.start();

    bool ok = grab(shell.chooser(), folder, QStringLiteral("chooser.png"));
    shell.chooser()->cbt_Gongshi1->click();
    pile::TBVK_FRM_WENA1* window = shell.formulaOneWindow();
    window->MainFormLayer->cbt_compute->click();
    ok = grab(window, folder, QStringLiteral("input_screen.png")) && ok;
    window->MainFormLayer->cbt_View->click();
    ok = grab(window, folder, QStringLiteral("book_detailed.png")) && ok;
    window->JieGuo_DocLayer->cbt_PageBook->click();
    ok = grab(window, folder, QStringLiteral("book_table.png")) && ok;
    window->JieGuo_DocLayer->cbt_PageBook->click();
    window->JieGuo_DocLayer->cbt_Exit->click();
    window->MainFormLayer->cbt_CopyRight->click();
    ok = grab(shell.aboutBox(), folder, QStringLiteral("about.png")) && ok;
    return ok ? 0 : 1;
}
