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

// Everything a window model reaches the platform through. The referenced objects outlive the
// models.
struct Platform {
    DocumentsFolder& documents;
    Clock& clock;
    PermissionService& permissions;
    MessageBox& messages;
    ErrorBox& errors;
    UrlOpener& urls;
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
