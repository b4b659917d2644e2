// Where a Save put its file: a note under the button that saved it.
#pragma once

#include <filesystem>

#include <QString>

class QWidget;

namespace pile {

// After a save that wrote `path` (nothing when it is empty): a note just below `button` with the
// file's full path, shown for a few seconds or until the next click or key, and the same text as
// the status tip of the button's window.
void showSavedNote(QWidget* button, const std::filesystem::path& path);

// The note's text for `path`.
QString savedNoteText(const std::filesystem::path& path);

}  // namespace pile
