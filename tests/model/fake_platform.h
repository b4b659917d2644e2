// Fakes of the platform interfaces for the window-model tests: a temporary Documents folder,
// a fixed clock, a permission service that grants, refuses or asks first, and recorders for the
// message box, the error box and the desktop's open service.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "app/model/platform.h"

namespace pile::test {

inline constexpr const char* kFixedTime = "2026/12/10 9:30:00";

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() /
                 ("pile_model_test_" + std::to_string(random()) + std::to_string(random()));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

  private:
    std::filesystem::path m_path;
};

class FakeDocuments : public DocumentsFolder {
  public:
    std::filesystem::path path;
    std::filesystem::path documentsPath() const override { return path; }
};

class FixedClock : public Clock {
  public:
    std::string text = kFixedTime;
    std::string timeText() const override { return text; }
};

// Grants or refuses every request; with `askFirst` it calls the rationale handler before.
class FakePermissions : public PermissionService {
  public:
    bool grant = true;
    bool askFirst = false;
    std::vector<std::vector<std::string>> requests;

    void request(const std::vector<std::string>& permissions, const RationaleHandler& rationale,
                 const ResultHandler& result) override {
        requests.push_back(permissions);
        bool proceeded = !askFirst;
        if (askFirst) rationale(permissions, [&proceeded] { proceeded = true; });
        if (!proceeded) return;
        result(permissions,
               std::vector<PermissionStatus>(permissions.size(), grant ? PermissionStatus::Granted
                                                                       : PermissionStatus::Denied));
    }
};

class RecordingMessages : public MessageBox {
  public:
    std::vector<std::string> shown;
    void showMessage(const std::string& text) override { shown.push_back(text); }
};

class RecordingErrors : public ErrorBox {
  public:
    std::vector<std::string> shown;
    void showError(const std::string& text) override { shown.push_back(text); }
};

class RecordingUrls : public UrlOpener {
  public:
    std::vector<std::string> opened;
    void openUrl(const std::string& url) override { opened.push_back(url); }
};

// Answers each question with the next of `answers` (取消 once they run out) and records it;
// the file dialogs give `openPath` and `savePath` (empty: cancelled) and record their start.
class FakeDialogs : public Dialogs {
  public:
    std::vector<SaveAnswer> answers;
    std::vector<std::string> asked;
    std::filesystem::path openPath;
    std::filesystem::path savePath;
    std::vector<std::filesystem::path> openedIn, suggested;

    SaveAnswer askSave(const std::string& question) override {
        asked.push_back(question);
        if (answers.empty()) return SaveAnswer::Cancel;
        const SaveAnswer answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    }
    std::filesystem::path askOpenPath(const std::filesystem::path& folder) override {
        openedIn.push_back(folder);
        return openPath;
    }
    std::filesystem::path askSavePath(const std::filesystem::path& proposed) override {
        suggested.push_back(proposed);
        return savePath;
    }
};

// Everything a window model needs, with the Documents folder in a fresh temporary folder.
struct FakePlatform {
    TempFolder temp;
    FakeDocuments documents;
    FixedClock clock;
    FakePermissions permissions;
    RecordingMessages messages;
    RecordingErrors errors;
    RecordingUrls urls;
    FakeDialogs dialogs;
    Platform platform{documents, clock, permissions, messages, errors, urls, dialogs};

    FakePlatform() { documents.path = temp.path() / "Documents"; }
};

inline std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace pile::test
