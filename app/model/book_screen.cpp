// The book screen of a calculator window.
#include "app/model/book_screen.h"

#include <system_error>
#include <utility>

#include "books/text_file.h"
#include "sheets/table_exports.h"

namespace pile {

BookScreen::BookScreen(const SummaryTableLayout& layout) : m_books(layout) {
    lb_jisuanjieguo.setText("计算结果");
    meo_jisuanjieguo_Doc.setSource(&m_books.detailedLines());
    meo_jisuanjieguo_Xls.setSource(&m_books.tableLines());
    meo_jisuanjieguo_Xls.setVisible(false);
    cbt_PageBook.setText("1");
    cbt_PageBook.setHint("切换计算书");
    cbt_sanchu.setText("x");
    cbt_sanchu.setHint("删除最末数据");
    cbt_sanchu.setEnabled(false);
    tcb_meoFontSize.setRange(kSmallestFontSize, kLargestFontSize);
    tcb_meoFontSize.setValue(kFontSize);
    tcb_meoFontSize.setHint("调整字体大小");
    cbt_Exit.setText("返回");
    cbt_Save.setText("保存");
    // Not reachable before the first computation, which enables it.
    cbt_Save.setEnabled(false);
    cbt_Excel.setText("Excel");
    cbt_Excel.setHint("汇总表存为Excel文件");
    cbt_Excel.setEnabled(false);
    tcb_meoFontSize.onChange([this] { tcb_meoFontSizeChange(); });
    tcb_meoFontSizeChange();  // the memos start at the size the slider shows
}

void BookScreen::cbt_PageBookClick() {
    if (detailedBookShown()) {
        meo_jisuanjieguo_Doc.setVisible(false);
        meo_jisuanjieguo_Xls.setVisible(true);
        cbt_Save.setEnabled((m_saveState & kTableUnsaved) != 0);
        cbt_PageBook.setText("2");
    } else {
        meo_jisuanjieguo_Doc.setVisible(true);
        meo_jisuanjieguo_Xls.setVisible(false);
        cbt_Save.setEnabled((m_saveState & kDetailedUnsaved) != 0);
        cbt_PageBook.setText("1");
    }
}

void BookScreen::cbt_sanchuClick() {
    const bool emptiesBooks = m_books.pileCounter() <= 1;
    m_books.deleteLast();
    booksChanged();
    if (emptiesBooks) {
        m_saveState = 0;
        cbt_Save.setEnabled(false);
        cbt_sanchu.setEnabled(false);
    }
}

void BookScreen::tcb_meoFontSizeChange() {
    meo_jisuanjieguo_Xls.setFontSize(tcb_meoFontSize.value());
    meo_jisuanjieguo_Doc.setFontSize(tcb_meoFontSize.value());
}

void BookScreen::recordPile(const PileInput& input, const PileResult& result,
                            const std::string& rockClassName, RoundingMode mode,
                            const std::string& timeText) {
    m_books.appendPile(input, result, rockClassName, mode, timeText);
    booksChanged();
}

void BookScreen::recordFormulaTwoPile(const PileInput& input, const FormulaTwoRun& run,
                                      const std::string& rockClassName, RoundingMode mode,
                                      const std::string& timeText) {
    m_books.appendFormulaTwoPile(input, run, rockClassName, mode, timeText);
    booksChanged();
}

void BookScreen::markComputed() {
    m_saveState = kDetailedUnsaved | kTableUnsaved;
    cbt_Save.setEnabled(true);
    cbt_sanchu.setEnabled(true);
}

std::filesystem::path BookScreen::saveShownBook(const std::filesystem::path& folder) {
    const bool detailed = detailedBookShown();
    const std::filesystem::path path =
        fixedNameSavePath(folder, detailed ? kDetailedBookFileName : kSummaryTableFileName);
    writeTextFile(path, detailed ? m_books.detailedLines() : m_books.tableLines());
    m_saveState &= detailed ? ~kDetailedUnsaved : ~kTableUnsaved;
    cbt_Save.setEnabled(false);
    return path;
}

std::filesystem::path BookScreen::saveBothBooks(const std::filesystem::path& folder) {
    writeTextFile(fixedNameSavePath(folder, kDetailedBookFileName), m_books.detailedLines());
    m_saveState &= ~kDetailedUnsaved;
    const std::filesystem::path table = fixedNameSavePath(folder, kSummaryTableFileName);
    writeTextFile(table, m_books.tableLines());
    m_saveState &= ~kTableUnsaved;
    cbt_Save.setEnabled(false);
    return table;
}

std::filesystem::path BookScreen::saveTableSheet(const std::filesystem::path& folder) const {
    if (m_books.pileCounter() == 0) return {};
    const std::filesystem::path path = fixedNameSavePath(folder, kSummaryTableSheetFileName);
    saveSummaryTableSheet(path, m_books);
    return path;
}

void BookScreen::booksChanged() {
    meo_jisuanjieguo_Doc.linesChanged();
    meo_jisuanjieguo_Xls.linesChanged();
    cbt_Excel.setEnabled(m_books.pileCounter() > 0);
}

}  // namespace pile
