// A calculator window: its screens, the state the screens share (OptimisationMode, the books
// and BookSaveState) and the handlers that move between the screens, save and close.
//
// Exactly one screen is visible at a time. CalculatorWindow holds what both calculators share;
// FormulaOneWindow (formula_one_window.h) adds the formula-one input screen and books. The
// window never calls the toolkit: closing, the About box, files and boxes go through the
// platform interfaces and the application's callbacks.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/model/book_screen.h"
#include "app/model/controls.h"
#include "app/model/input_screen.h"
#include "app/model/optimisation_screen.h"
#include "app/model/platform.h"

namespace pile {

class CalculatorWindow : public InputScreen::Host, private OptimisationScreen::Host {
  public:
    static constexpr const char* kCaption = "嵌岩桩承载力计算 (DBJ50-200-2014)";

    CalculatorWindow(Platform& platform, const SummaryTableLayout& tableLayout,
                     const OptimisationSetup& optimisation = formulaOneOptimisation());
    ~CalculatorWindow() override = default;
    CalculatorWindow(const CalculatorWindow&) = delete;
    CalculatorWindow& operator=(const CalculatorWindow&) = delete;

    InputScreen& inputScreen() { return *m_inputScreen; }
    const InputScreen& inputScreen() const { return *m_inputScreen; }
    BookScreen& bookScreen() { return m_bookScreen; }
    const BookScreen& bookScreen() const { return m_bookScreen; }
    OptimisationScreen& optimisationScreen() { return m_optimisation; }
    const OptimisationScreen& optimisationScreen() const { return m_optimisation; }

    // The screens (layers).
    Layer MainFormLayer;
    Layer JieGuo_DocLayer;
    Layer YouHuaFormLayer;

    // The write-storage permission a save asks for; empty on a desktop.
    std::string FPermissionWriteExternalStorage;

    // Result: shows the book screen.
    void cbt_ViewClick();
    // Back from the book screen.
    void cbt_ExitClick();
    // Exit: asks the platform to close the window (closeRequested()). While the book holds
    // piles computed since its last save, the user is asked first (mayLetBookGo).
    void cbt_tuichuClick();
    // Before the window closes by any other way (the window's close button, the chooser's
    // exit): the same question; canClose false when the user cancels.
    void FormCloseQuery(bool& canClose);
    // The About box.
    void cbt_CopyRightClick();
    // F1: the user guide at `guideUrl` (the view finds it), through the desktop's URL service;
    // a message instead when the view found none (an empty address).
    void userGuideClick(const std::string& guideUrl);
    // "★": the optimisation screen, with OptimisationMode set while it is shown.
    void cbt_YouHuaClick();
    // Back from the optimisation screen: Compute or Result by the piles computed by hand.
    void cbt_YHfanhuiClick();
    // "存盘" on the optimisation screen: the list shown, after the storage permission.
    void cbt_YHsaveClick() { cbt_SaveClick(); }
    // Save: asks for the storage permission, then writes the book shown (or, while optimising,
    // the list shown).
    void cbt_SaveClick();
    // "Excel" beside Save, and beside the optimisation screen's hint: the summary table, or the
    // list shown, as a spreadsheet in the Documents folder, after the same permission.
    void cbt_ExcelClick();
    void cbt_YHexcelClick() { cbt_ExcelClick(); }
    // The two handlers of the permission request.
    void permissionRationale(const std::vector<std::string>& permissions,
                             const PermissionService::Proceed& proceed);
    void permissionResult(const std::vector<std::string>& permissions,
                          const std::vector<PermissionStatus>& statuses);

    bool optimisationMode() const override { return m_optimisationMode; }
    void setOptimisationMode(bool on) { m_optimisationMode = on; }
    int pileCounter() const { return m_bookScreen.pileCounter(); }
    int bookSaveState() const { return m_bookScreen.bookSaveState(); }
    RoundingMode roundingMode() const { return inputScreen().roundingMode(); }

    // Set by cbt_tuichuClick: the view closes the window once the event is done.
    bool closeRequested() const { return m_closeRequested; }
    // The window is to close without a further question (the user has been asked).
    void requestClose() { m_closeRequested = true; }

    // ---- The book and the question before it is let go
    static constexpr const char* kSaveBookQuestion =
        "计算书中有未保存的计算结果，是否先保存计算书？";
    // Piles were computed into the book since the last save left both of its pages saved.
    bool holdsUnsavedPiles() const { return m_unsavedPiles && pileCounter() > 0; }
    // Whether the book may be let go: true at once when it holds no unsaved piles; otherwise
    // the user is asked: 保存 writes both pages to their files (true once written), 不保存 lets
    // it go, 取消 keeps everything (false). A failed save throws, and the book stays.
    bool mayLetBookGo();

    // ---- Project files
    // Ctrl+S: writes the typed state to the project's file; the first save asks for a name in
    // the Documents folder, as Ctrl+Shift+S does.
    void saveProjectClick();
    // Ctrl+Shift+S: asks for a name (proposing the project's own) and saves the project there.
    void saveProjectAsClick();
    // Ctrl+O: asks for the file to open. The application opens it after the event
    // (takeProjectToOpen), since opening may replace this window.
    void openProjectClick();
    std::optional<std::filesystem::path> takeProjectToOpen() {
        return std::exchange(m_projectToOpen, std::nullopt);
    }
    // The window now holds the project of `path` whose typed state reads `text` (after an
    // open or a save).
    void setProject(const std::filesystem::path& path, std::string text);
    const std::filesystem::path& projectPath() const { return m_projectPath; }
    // Something typed differs from the project's file.
    bool projectModified() const;
    // The caption, after the project's file name and a "*" while projectModified().
    std::string windowTitle() const;
    // The file the latest Save wrote; empty when it wrote nothing (refused, failed, no list).
    const std::filesystem::path& savedPath() const { return m_savedPath; }
    // What the application does for the "©" button.
    void setAboutHandler(std::function<void()> handler) { m_showAbout = std::move(handler); }

  protected:
    void pileComputed(const PileInput& input, const PileResult& result,
                      const std::string& rockClassName) override;
    void computationRejected(const Rejection& rejection) override;
    // Appends one pile to both books (only while not optimising).
    virtual void recordBooks(const PileInput& input, const PileResult& result,
                             const std::string& rockClassName) = 0;
    Platform& platform() { return m_platform; }
    // The derived window's input screen, given by its constructor.
    void setInputScreen(InputScreen& screen) { m_inputScreen = &screen; }

  private:
    // Asks for the storage permission; its result handler writes what m_sheetAsked says.
    void requestSave();

    Platform& m_platform;
    InputScreen* m_inputScreen = nullptr;
    InputScreen& searchInput() override { return *m_inputScreen; }
    void leaveOptimisation() override { cbt_YHfanhuiClick(); }
    SearchCloneMaker searchCloneMaker() override;

    BookScreen m_bookScreen;
    OptimisationScreen m_optimisation;
    bool m_optimisationMode = false;
    bool m_closeRequested = false;
    bool m_sheetAsked = false;  // the pending save is a spreadsheet
    bool m_booksAsked = false;  // the pending save is both pages of the book
    bool m_unsavedPiles = false;
    std::filesystem::path m_projectPath;
    std::string m_projectText;  // the typed state the project's file holds
    std::optional<std::filesystem::path> m_projectToOpen;
    std::filesystem::path m_savedPath;
    std::function<void()> m_showAbout;
};

}  // namespace pile
