// What the platform provides to the window models, as small interfaces given at construction.
//
// The desktop build passes implementations over the toolkit; tests pass fakes (a temporary
// folder, a fixed time, a refusing permission service, recorders for the boxes).
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace pile {

// The current user's Documents folder as it currently is; empty when it cannot be determined.
class DocumentsFolder {
  public:
    virtual ~DocumentsFolder() = default;
    virtual std::filesystem::path documentsPath() const = 0;
};

// The text of the calculation-time lines: the local date and time at the call, in the system
// locale's short date and long time form, without a time-zone name.
class Clock {
  public:
    virtual ~Clock() = default;
    virtual std::string timeText() const = 0;
};

enum class PermissionStatus { Granted, Denied };

// The platform's permission service. A request names the permissions and passes two handlers.
// The rationale handler is called when the platform wants the user told why the permission is
// needed; the platform continues the request when the handler calls `proceed`. The result
// handler gets the permissions and one status each. A desktop grants at once: the result
// handler runs before request() returns.
class PermissionService {
  public:
    using Proceed = std::function<void()>;
    using RationaleHandler =
        std::function<void(const std::vector<std::string>& permissions, const Proceed& proceed)>;
    using ResultHandler = std::function<void(const std::vector<std::string>& permissions,
                                             const std::vector<PermissionStatus>& statuses)>;

    virtual ~PermissionService() = default;
    virtual void request(const std::vector<std::string>& permissions,
                         const RationaleHandler& rationale, const ResultHandler& result) = 0;
};

// A modal message box: returns when the user has closed it.
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    virtual void showMessage(const std::string& text) = 0;
};

// The toolkit's standard error box, for errors a handler does not handle itself.
class ErrorBox {
  public:
    virtual ~ErrorBox() = default;
    virtual void showError(const std::string& text) = 0;
};

// The desktop's service that opens a web address or a mail link with the user's default
// handler. It does not wait and reports nothing.
class UrlOpener {
  public:
    virtual ~UrlOpener() = default;
    virtual void openUrl(const std::string& url) = 0;
};

// The answer to the question before a window's book with unsaved piles is let go.
enum class SaveAnswer { Save, Discard, Cancel };

// Modal questions and the file dialogs of the project files.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    // Asks `question` with the buttons 保存, 不保存 and 取消; closing the box is 取消.
    virtual SaveAnswer askSave(const std::string& question) = 0;
    // The file to open, starting in `folder`; empty when the user cancels.
    virtual std::filesystem::path askOpenPath(const std::filesystem::path& folder) = 0;
    // The name to save under, proposing `suggested`; empty when the user cancels.
    virtual std::filesystem::path askSavePath(const std::filesystem::path& suggested) = 0;
};

// Dialogs nobody answers: every question is cancelled, no path is chosen (pilecalc, measurements).
class CancellingDialogs : public Dialogs {
  public:
    SaveAnswer askSave(const std::string&) override { return SaveAnswer::Cancel; }
    std::filesystem::path askOpenPath(const std::filesystem::path&) override { return {}; }
    std::filesystem::path askSavePath(const std::filesystem::path&) override { return {}; }
};

// Everything a window model reaches the platform through. The referenced objects outlive the
// models.
struct Platform {
    DocumentsFolder& documents;
    Clock& clock;
    PermissionService& permissions;
    MessageBox& messages;
    ErrorBox& errors;
    UrlOpener& urls;
    Dialogs& dialogs;
};

// A desktop permission service: every request is granted at once.
class GrantingPermissionService : public PermissionService {
  public:
    void request(const std::vector<std::string>& permissions, const RationaleHandler& rationale,
                 const ResultHandler& result) override;
};

// Runs one event handler to completion. An error the handler does not handle itself (a file
// that cannot be written, a strict number conversion that fails) ends the handler and is shown
// in the error box; the window stays usable. Returns false when an error was shown.
bool dispatchEvent(ErrorBox& errors, const std::function<void()>& handler);

}  // namespace pile
