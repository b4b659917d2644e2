// The two books of one calculator window and its pile counter.
//
// The detailed memo holds the books of piles 1..n one after another, each closed by the rule of
// 50 "=", and a single time line at the very end (that of the latest computation). The table
// memo holds the header, one row per pile and the footer with the same time line. The pile
// counter always equals the number of rows. Free of any toolkit: the desktop window model and
// the command line both drive it, and their views read the lines.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "books/book_model.h"
#include "books/pile_archive.h"
#include "books/summary_table.h"
#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/pile_input.h"

namespace pile {

struct FormulaTwoRun;

class WindowBooks {
  public:
    explicit WindowBooks(const SummaryTableLayout& layout = formulaOneTableLayout());

    // Records a formula-one pile under the next pile number and returns that number. Both
    // books are built before either memo changes.
    int appendPile(const PileInput& input, const PileResult& result,
                   const std::string& rockClassName, RoundingMode mode,
                   const std::string& timeText);

    // Records a formula-two pile (run: computeFormulaTwo for this pile) under the next pile
    // number and returns that number: the formula-two row and the book with the soil sections.
    // The books must have been constructed with formulaTwoTableLayout()
    // (books/formula_two_book.h); other books throw std::logic_error and stay unchanged.
    int appendFormulaTwoPile(const PileInput& input, const FormulaTwoRun& run,
                             const std::string& rockClassName, RoundingMode mode,
                             const std::string& timeText);

    // Records a pile whose row and detailed book the caller built for nextPileNumber(); the
    // book ends with its own time line, timeText goes into the table's footer. Order: the
    // counter advances; the header is written for the first pile, otherwise the previous
    // footer and the previous time line of the detailed memo go (one removal per
    // computation); then the row, the footer and the book.
    // `record` is the pile's sheet record (books/book_sheets.h).
    int appendBuilt(std::string row, std::vector<std::string> book, const std::string& timeText,
                    std::string record = {});

    // Takes the last pile out of both books (button "删除最末数据"). With at most one pile
    // left both memos are emptied and the counter is 0. Otherwise the last row goes (the footer
    // stays) and the detailed memo loses the last book up to the closing rule of the book
    // before it, keeping the final time line; without such a rule the removal stops at the
    // first line, leaving only the time line.
    void deleteLast();

    // Empties both memos and resets the counter.
    void clear();

    // Keeps every pile but the latest in `archive` (on disk) instead of memory, for a batch of
    // any length. Set it while the books are empty; the memos are then whole only through the
    // two visits below, detailedLines() and tableLines() hold the part kept in memory, and the
    // books as blocks are not kept (models() stays empty) unless `keepModels`: then they go to
    // the archive with their piles, models() holds those in memory and forEachModel() visits
    // them all.
    void setArchive(PileArchive* archive, bool keepModels = false);

    // Every line of each memo, in order, wherever it is kept.
    void forEachDetailedLine(const std::function<void(const std::string&)>& visit) const;
    void forEachTableLine(const std::function<void(const std::string&)>& visit) const;

    // The sheet record of every pile, in order (books/book_sheets.h).
    void forEachSheetRecord(const std::function<void(std::string_view)>& visit) const;
    // The detailed book of every pile as blocks (books/book_model.h), in order, for the typeset
    // document; the text memo is their fixed-pitch rendering. Empty with an archive that keeps
    // no models; with one that does, the piles held in memory.
    const std::vector<BookModel>& models() const { return m_models; }
    // Every pile's book as blocks, in order, wherever it is kept; one at a time from the archive.
    void forEachModel(const std::function<void(const BookModel&)>& visit) const;
    const SummaryTableLayout& layout() const { return m_layout; }
    int pileCounter() const { return m_counter; }
    int nextPileNumber() const { return m_counter + 1; }
    const std::vector<std::string>& detailedLines() const { return m_detailed; }
    const std::vector<std::string>& tableLines() const { return m_table; }

  private:
    // Moves the oldest piles kept in memory into the archive, leaving the latest.
    void archiveOldPiles();
    // Brings the last archived pile back into memory.
    void restorePile();
    // appendBuilt() that also keeps `model` (when given) beside the piles in memory.
    int appendBuilt(std::string row, std::vector<std::string> book, const std::string& timeText,
                    std::string record, BookModel* model);
    // appendBuilt() for a book built from its blocks.
    int appendModel(std::string row, BookModel model, const std::string& timeText,
                    std::string record);

    SummaryTableLayout m_layout;
    PileArchive* m_archive = nullptr;
    bool m_keepModels = true;  // false with an archive that keeps no models
    int m_archived = 0;        // piles in the archive, the oldest ones
    int m_counter = 0;
    std::vector<std::string> m_detailed;
    std::vector<std::string> m_table;
    std::vector<std::string> m_records;  // the sheet records of the piles held in memory
    std::vector<BookModel> m_models;
};

}  // namespace pile
