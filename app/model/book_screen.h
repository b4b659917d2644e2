// The book screen (JieGuo_DocLayer) of a calculator window: the detailed books and the summary
// table of every pile computed in the window, with their unsaved flags.
//
// The screen owns the window's books and pile counter (WindowBooks) and BookSaveState: bit 1
// set while the detailed book has changes not yet saved, bit 2 the same for the summary table;
// 3 after every computation. Save is enabled exactly while the book shown has its bit set.
#pragma once

#include <filesystem>
#include <string>

#include "app/model/controls.h"
#include "books/window_books.h"

namespace pile {

class BookScreen {
  public:
    // The pixel size of the books' text when the window opens, and the range of the track bar
    // that sets it. The views take the size from the memos.
    static constexpr int kFontSize = 14;
    static constexpr int kSmallestFontSize = 4;
    static constexpr int kLargestFontSize = 24;

    static constexpr int kDetailedUnsaved = 1;
    static constexpr int kTableUnsaved = 2;

    explicit BookScreen(const SummaryTableLayout& layout = formulaOneTableLayout());
    BookScreen(const BookScreen&) = delete;
    BookScreen& operator=(const BookScreen&) = delete;

    Label lb_jisuanjieguo;
    Memo meo_jisuanjieguo_Doc;
    Memo meo_jisuanjieguo_Xls;
    Button cbt_PageBook;  // "1": the detailed book is shown, "2": the summary table
    Button cbt_sanchu;
    TrackBar tcb_meoFontSize;
    Button cbt_Exit;
    Button cbt_Save;
    Button cbt_Excel;  // the summary table as a spreadsheet, while the books hold a pile

    // Switches between the detailed book and the summary table.
    void cbt_PageBookClick();
    // Takes the last pile out of both books; with at most one left, empties them.
    void cbt_sanchuClick();
    // Sets the font size of both memos to the track bar's value.
    void tcb_meoFontSizeChange();

    // The books, the pile counter and the unsaved flags.
    const WindowBooks& books() const { return m_books; }
    // A batch of any length keeps its older piles on disk (WindowBooks::setArchive); the memos
    // then show only the piles kept in memory.
    void setBooksArchive(PileArchive* archive, bool keepModels = false) {
        m_books.setArchive(archive, keepModels);
    }
    int pileCounter() const { return m_books.pileCounter(); }
    int bookSaveState() const { return m_saveState; }
    bool detailedBookShown() const { return cbt_PageBook.text() != "2"; }

    // Records a formula-one pile under the next number.
    void recordPile(const PileInput& input, const PileResult& result,
                    const std::string& rockClassName, RoundingMode mode,
                    const std::string& timeText);
    // Records a formula-two pile (run: its computation with the soil terms) under the next
    // number.
    void recordFormulaTwoPile(const PileInput& input, const FormulaTwoRun& run,
                              const std::string& rockClassName, RoundingMode mode,
                              const std::string& timeText);
    // After every completed computation: both books unsaved, Save and delete-last enabled.
    void markComputed();

    // Writes the book shown to its file in `folder` (created when missing), then clears that
    // book's flag and disables Save; returns the path written. On failure an exception leaves
    // every state as it was.
    std::filesystem::path saveShownBook(const std::filesystem::path& folder);
    // Writes both books to their files in `folder`, the detailed book first, clearing each
    // one's flag once written; Save is disabled. Returns the path of the summary table.
    std::filesystem::path saveBothBooks(const std::filesystem::path& folder);
    // Writes the summary table as a spreadsheet into `folder`; returns the path written, empty
    // while the books are empty. Throws FileWriteError.
    std::filesystem::path saveTableSheet(const std::filesystem::path& folder) const;

  private:
    void booksChanged();

    WindowBooks m_books;
    int m_saveState = 0;
};

}  // namespace pile
