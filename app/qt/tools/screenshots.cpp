// Runs a short session of the desktop application and grabs its windows into PNG files:
// the chooser, the input screen after computing the default pile, both pages of the book
// screen, the About box, the optimisation screen after a search over the default items sorted
// by Ra, and the formula-two window: its input screen after computing with both
// soil terms, and the negative-skin-friction screen with its grid expanded.
// Usage: rockpile_screenshots <output folder> (offscreen, whatever the display)
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryFile>
#include <QWidget>

#include <iostream>
#include <vector>

#include "app/qt/desktop_shell.h"
#include "app/qt/offscreen_screen.h"
#include "app/qt/qt_platform.h"
#include "app/qt/theme.h"
#include "soil/drag_load.h"

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

// A pick of an item by the user.
void choose(QComboBox* box, int index) {
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// Types the rows into the input columns of a layer grid, as ended edits of its cells.
void typeRows(pile::GridView* grid, int firstColumn,
              const std::vector<std::vector<const char*>>& rows) {
    QAbstractItemModel* model = grid->model();
    for (int r = 0; r < int(rows.size()); ++r)
        for (int c = 0; c < int(rows[size_t(r)].size()); ++c)
            model->setData(model->index(r, firstColumn + c),
                           QString::fromUtf8(rows[size_t(r)][size_t(c)]), Qt::EditRole);
}

}  // namespace

int main(int argc, char* argv[]) {
    // Offscreen, on a screen where every window shows at its design size.
    QTemporaryFile screenConfig;
    pile::useOffscreenScreen(screenConfig, QSize(1280, 1024));
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
    pile::Platform platform{qt.documents, clock,   qt.permissions, qt.messages,
                            qt.errors,    qt.urls, qt.dialogs};
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
    shell.aboutBox()->hide();

    // The optimisation screen after a search over the default items, sorted by Ra.
    window->MainFormLayer->cbt_YouHua->click();
    pile::OptimisationScreenView* optimisation = window->YouHuaFormLayer;
    optimisation->cbt_YHcompute->click();
    emit optimisation->Grid2_Youhuajieguo->horizontalHeader()->sectionClicked(4);
    ok = grab(window, folder, QStringLiteral("optimisation_sorted.png")) && ok;
    optimisation->cbt_YHfanhui->click();

    // Formula two: four layers of settling soil, three layers of side resistance.
    shell.chooser()->cbt_Gongshi2->click();
    pile::TBVK_FRM_WENA2* two = shell.formulaTwoWindow();
    pile::FormulaTwoInputScreenView* input = two->MainFormLayer;
    input->ckb_fumozhuli->click();
    input->ckb_zhengmozhuli->click();
    input->cbt_fumozhuli->click();
    pile::NegativeFrictionScreenView* drag = two->Fumozhuli_FormLayer;
    choose(drag->cbb_Tuchengshu, 3);
    typeRows(drag->Grid1_Fumozhulijisuan, 2,
             {{"-3.000", "18.00", "0.30", "20.00"},
              {"-6.500", "17.50", "0.25", "30.00"},
              {"-10.000", "19.00", "0.35", "40.00"},
              {"-14.000", "18.50", "0.20", "50.00"}});
    drag->cbt_Fmzlfanhui->click();
    input->cbt_zhengmozhuli->click();
    pile::SideResistanceScreenView* side = two->Zhengmozhuli_FormLayer;
    choose(side->cbb_ZhengTuchengshu, 2);
    typeRows(side->Grid1_Zhengmozhulijisuan, 1,
             {{"3.000", "30.00"}, {"4.500", "45.00"}, {"6.000", "60.00"}});
    side->cbt_Zmzlfanhui->click();
    input->cbt_compute->click();
    ok = grab(two, folder, QStringLiteral("formula_two_input.png")) && ok;

    // The grid expanded and scrolled to the running total of the load, the layers' shares and
    // their bars.
    input->cbt_fumozhuli->click();
    drag->cbt_fmzlzhankai->click();
    pile::GridView* grid = drag->Grid1_Fumozhulijisuan;
    QApplication::processEvents();  // the view lays out the columns it now shows
    grid->horizontalScrollBar()->setValue(
        grid->horizontalHeader()->sectionPosition(pile::drag_col::kQginSum));
    ok = grab(two, folder, QStringLiteral("formula_two_drag_grid.png")) && ok;

    // The side-resistance screen expanded: each layer's Qsik, the running total and the shares.
    drag->cbt_Fmzlfanhui->click();
    input->cbt_zhengmozhuli->click();
    side->cbt_ZhengZhankai->click();
    QApplication::processEvents();
    ok = grab(two, folder, QStringLiteral("formula_two_side_grid.png")) && ok;
    return ok ? 0 : 1;
}
