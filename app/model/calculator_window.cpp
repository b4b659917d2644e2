// A calculator window: screen switching, saving and closing.
#include "app/model/calculator_window.h"

#include <algorithm>

#include "app/model/project_file.h"
#include "books/text_file.h"

namespace pile {

CalculatorWindow::CalculatorWindow(Platform& platform, const SummaryTableLayout& tableLayout,
                                   const OptimisationSetup& optimisation)
    : m_platform(platform), m_bookScreen(tableLayout), m_optimisation(*this, optimisation) {
    JieGuo_DocLayer.setVisible(false);
    YouHuaFormLayer.setVisible(false);
}

void CalculatorWindow::cbt_ViewClick() {
    MainFormLayer.setVisible(false);
    JieGuo_DocLayer.setVisible(true);
}

void CalculatorWindow::cbt_ExitClick() {
    MainFormLayer.setVisible(true);
    JieGuo_DocLayer.setVisible(false);
}

void CalculatorWindow::cbt_YouHuaClick() {
    MainFormLayer.setVisible(false);
    YouHuaFormLayer.setVisible(true);
    m_optimisationMode = true;
}

void CalculatorWindow::cbt_YHfanhuiClick() {
    MainFormLayer.setVisible(true);
    YouHuaFormLayer.setVisible(false);
    m_optimisationMode = false;
    if (pileCounter() != 0)
        inputScreen().enterComputedState();
    else
        inputScreen().enterNotComputedState();
}

void CalculatorWindow::cbt_tuichuClick() {
    if (mayLetBookGo()) m_closeRequested = true;
}

void CalculatorWindow::FormCloseQuery(bool& canClose) {
    canClose = m_closeRequested || mayLetBookGo();
    if (canClose) m_closeRequested = true;
}

bool CalculatorWindow::mayLetBookGo() {
    if (!holdsUnsavedPiles()) return true;
    switch (m_platform.dialogs.askSave(kSaveBookQuestion)) {
        case SaveAnswer::Discard:
            return true;
        case SaveAnswer::Save: {
            // Both pages, whatever page is shown; a save that throws leaves the flag down too.
            struct Pending {
                bool& asked;
                ~Pending() { asked = false; }
            } pending{m_booksAsked};
            m_booksAsked = true;
            m_sheetAsked = false;
            requestSave();
            return !holdsUnsavedPiles();  // false when the permission was refused
        }
        case SaveAnswer::Cancel:
            break;
    }
    return false;
}

// ---- Project files ------------------------------------------------------------------------------

void CalculatorWindow::saveProjectClick() {
    if (m_projectPath.empty()) {
        saveProjectAsClick();
        return;
    }
    const std::string text = projectText(typedStateOf(*this));
    writeProjectFile(m_projectPath, text);
    m_projectText = text;
}

void CalculatorWindow::saveProjectAsClick() {
    const std::filesystem::path proposed =
        m_projectPath.empty()
            ? fixedNameSavePath(m_platform.documents.documentsPath(), kProjectDefaultName)
            : m_projectPath;
    const std::filesystem::path chosen = m_platform.dialogs.askSavePath(proposed);
    if (chosen.empty()) return;
    const std::filesystem::path path = withProjectSuffix(chosen);
    const std::string text = projectText(typedStateOf(*this));
    writeProjectFile(path, text);
    setProject(path, text);
}

void CalculatorWindow::openProjectClick() {
    const std::filesystem::path folder =
        m_projectPath.empty() ? m_platform.documents.documentsPath() : m_projectPath.parent_path();
    std::filesystem::path chosen = m_platform.dialogs.askOpenPath(folder);
    if (!chosen.empty()) m_projectToOpen = std::move(chosen);
}

void CalculatorWindow::setProject(const std::filesystem::path& path, std::string text) {
    m_projectPath = path;
    m_projectText = std::move(text);
}

bool CalculatorWindow::projectModified() const {
    return !m_projectPath.empty() && projectText(typedStateOf(*this)) != m_projectText;
}

std::string CalculatorWindow::windowTitle() const {
    if (m_projectPath.empty()) return kCaption;
    const std::u8string name = m_projectPath.filename().u8string();
    return std::string(name.begin(), name.end()) + (projectModified() ? "*" : "") + " - " +
           kCaption;
}

void CalculatorWindow::cbt_CopyRightClick() {
    if (m_showAbout) m_showAbout();
}

void CalculatorWindow::userGuideClick(const std::string& guideUrl) {
    if (guideUrl.empty()) {
        m_platform.errors.showError("找不到用户手册 (用户手册.html)，请重新安装本程序。");
        return;
    }
    m_platform.urls.openUrl(guideUrl);
}

void CalculatorWindow::cbt_ExcelClick() {
    m_sheetAsked = true;
    requestSave();
}

void CalculatorWindow::cbt_SaveClick() {
    m_sheetAsked = false;
    requestSave();
}

void CalculatorWindow::requestSave() {
    m_savedPath.clear();
    // On a desktop the result handler runs before request() returns, so the window is alive.
    m_platform.permissions.request(
        {FPermissionWriteExternalStorage},
        [this](const std::vector<std::string>& permissions,
               const PermissionService::Proceed& proceed) {
            permissionRationale(permissions, proceed);
        },
        [this](const std::vector<std::string>& permissions,
               const std::vector<PermissionStatus>& statuses) {
            permissionResult(permissions, statuses);
        });
}

void CalculatorWindow::permissionRationale(const std::vector<std::string>& permissions,
                                           const PermissionService::Proceed& proceed) {
    const bool asksStorage = std::find(permissions.begin(), permissions.end(),
                                       FPermissionWriteExternalStorage) != permissions.end();
    if (asksStorage) m_platform.messages.showMessage("需要存贮权限，否则计算结果不能存盘");
    if (proceed) proceed();
}

void CalculatorWindow::permissionResult(const std::vector<std::string>& /*permissions*/,
                                        const std::vector<PermissionStatus>& statuses) {
    if (statuses.size() != 1 || statuses.front() != PermissionStatus::Granted) {
        m_platform.messages.showMessage("无权存盘");
        return;
    }
    const std::filesystem::path folder = m_platform.documents.documentsPath();
    if (m_sheetAsked) {
        m_savedPath = m_optimisationMode ? m_optimisation.saveShownListSheetIn(folder)
                                         : m_bookScreen.saveTableSheet(folder);
        if (m_savedPath.empty()) m_platform.messages.showMessage("没有可存盘的结果");
    } else if (m_booksAsked) {
        m_savedPath = m_bookScreen.saveBothBooks(folder);
        m_unsavedPiles = false;
    } else if (m_optimisationMode) {
        m_savedPath = m_optimisation.saveShownList(folder, m_platform.clock.timeText());
    } else {
        m_savedPath = m_bookScreen.saveShownBook(folder);
        if (m_bookScreen.bookSaveState() == 0) m_unsavedPiles = false;
    }
}

void CalculatorWindow::pileComputed(const PileInput& input, const PileResult& result,
                                    const std::string& rockClassName) {
    if (m_optimisationMode) {
        m_optimisation.pileComputed(input, result);
    } else {
        recordBooks(input, result, rockClassName);
        m_unsavedPiles = true;
    }
    m_bookScreen.markComputed();
}

void CalculatorWindow::computationRejected(const Rejection&) {
    m_optimisation.computationRejected();
}

SearchCloneMaker CalculatorWindow::searchCloneMaker() {
    return windowCloneMaker(typedStateOf(*this));
}

}  // namespace pile
