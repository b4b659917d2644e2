// The platform interfaces of the window models, implemented over Qt: the Documents folder, the
// locale's date and time, the modal message box, the standard error box and the desktop's open
// service. The permission service of a desktop grants every request at once.
#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

#include "app/model/platform.h"

namespace pile {

// On Linux: what XDG_DOCUMENTS_DIR names, else what ~/.config/user-dirs.dirs names, else
// ~/Documents; elsewhere the platform's Documents folder.
class QtDocumentsFolder : public DocumentsFolder {
  public:
    std::filesystem::path documentsPath() const override;
};

class QtClock : public Clock {
  public:
    std::string timeText() const override;
};

// The locale's short date and long time of `when`, without the time-zone name; where code page
// 936 cannot hold that text, "yyyy-MM-dd HH:mm:ss" in ASCII digits.
QString calculationTimeText(const QDateTime& when, const QLocale& locale);

// Boxes are modal to the active window of the application.
class QtMessageBox : public MessageBox {
  public:
    void showMessage(const std::string& text) override;
};

class QtErrorBox : public ErrorBox {
  public:
    void showError(const std::string& text) override;
};

class QtUrlOpener : public UrlOpener {
  public:
    void openUrl(const std::string& url) override;
};

// The question before a book is let go, as a message box with 保存, 不保存 and 取消; the project
// files' dialogs, filtered to "*.rpile.json".
class QtDialogs : public Dialogs {
  public:
    SaveAnswer askSave(const std::string& question) override;
    std::filesystem::path askOpenPath(const std::filesystem::path& folder) override;
    std::filesystem::path askSavePath(const std::filesystem::path& suggested) override;
};

// The services of the desktop, and the Platform over them.
struct QtPlatform {
    QtDocumentsFolder documents;
    QtClock clock;
    GrantingPermissionService permissions;
    QtMessageBox messages;
    QtErrorBox errors;
    QtUrlOpener urls;
    QtDialogs dialogs;
    Platform platform{documents, clock, permissions, messages, errors, urls, dialogs};
};

}  // namespace pile
