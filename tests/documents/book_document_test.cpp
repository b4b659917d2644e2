// The typeset books of three piles of each formula, read back as a reviewer's tools read them:
// every value and table cell of the text book in the PDF's text in the same order, the Chinese
// font embedded, each book on pages of its own with the footer "第 N 页 共 M 页", and the
// same values in the ODF text's content.xml.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <variant>
#include <vector>

#include "books/book_bytes.h"
#include "books/book_model.h"
#include "books/pile_archive.h"
#include "books/text_file.h"
#include "cli/commands.h"
#include "cli/headless_window.h"
#include "cli/json_input.h"
#include "core/program_version.h"
#include "documents/book_document.h"
#include "documents/soil_drawing.h"
#include "documents/summary_document.h"

namespace pile {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFormulaOnePiles[] = {
    R"({})",
    R"({"section":1,"c":"500","hr":"2000","frk":"7.5"})",
    R"({"section":2,"d":"1600","c":"1200","rock":"fuk","fuk":"12.25","slope":true})",
};
constexpr const char* kFormulaTwoPiles[] = {
    R"({"section":1,"d":"1500","c":"300","hr":"500","frk":"6.55","negativeFriction":true,"sideResistance":true,
        "drag":{"p":"11.1","Eg":"118.143","Ep":"117.17","layers":[["113.09","15.9","0.25","76"],["109.39","15.4","","6"]]},
        "side":{"layers":[["6.9","51"],["1.6","26"],["2.8","124"],["1.9","91"],["5.3","62"]]}})",
    R"({"d":"2000","frk":"41.1","grade":6,"negativeFriction":true,
        "drag":{"p":"20.9","Eg":"258.876","Ep":"255.98","layers":[["257.03","19.0","","105"],["252.52","17.0","0.2","14"]]}})",
    R"({"section":2,"d":"1200","c":"1200","rock":"fuk","fuk":"3","sideResistance":true,
        "side":{"layers":[["1.6","78"],["0.8","104"],["6.2","90"]]}})",
};

void enter(cli::HeadlessWindow& window, const std::vector<const char*>& piles) {
    for (const char* pile : piles) {
        const auto parsed = cli::parsePileLine(pile);
        const auto& line = std::get<cli::PileLine>(parsed);
        window.enterPile(line.texts);
        window.enterSoil(line.soil);
        EXPECT_FALSE(window.compute().rejection) << pile;
    }
}

// The books of the piles as one headless window computes them.
std::vector<BookModel> books(int formula, const std::vector<const char*>& piles) {
    cli::HeadlessWindow window(formula, "2026-12-10 12:00:00");
    enter(window, piles);
    return window.books().models();
}

std::vector<const char*> pilesOf(int formula) {
    return formula == 1
               ? std::vector<const char*>(std::begin(kFormulaOnePiles), std::end(kFormulaOnePiles))
               : std::vector<const char*>(std::begin(kFormulaTwoPiles), std::end(kFormulaTwoPiles));
}

// The numbers of the text summary table's rows, in order.
std::vector<std::string> tableNumbers(const WindowBooks& books) {
    std::vector<std::string> rows;
    books.forEachTableLine([&rows](const std::string& line) { rows.push_back(line); });
    // Header of five lines, footer of four.
    std::vector<std::string> numbers;
    const std::regex number(R"(-?\d+(\.\d+)?)");
    for (size_t i = 5; i + 4 < rows.size(); ++i)
        for (std::sregex_iterator it(rows[i].begin(), rows[i].end(), number), end; it != end; ++it)
            numbers.push_back(it->str());
    return numbers;
}

// The numbers among the data of the books (values and table cells), in the order of the text.
std::vector<std::string> dataNumbers(const std::vector<BookModel>& models) {
    std::vector<std::string> data;
    for (const BookModel& book : models)
        for (const BookBlock& block : book.blocks) {
            if (const auto* value = std::get_if<BookValue>(&block)) data.push_back(value->value);
            if (const auto* table = std::get_if<BookTable>(&block))
                for (const auto& row : table->rows) data.insert(data.end(), row.begin(), row.end());
        }
    std::vector<std::string> numbers;
    const std::regex number(R"(-?\d+(\.\d+)?)");
    for (const std::string& text : data)
        for (std::sregex_iterator it(text.begin(), text.end(), number), end; it != end; ++it)
            numbers.push_back(it->str());
    return numbers;
}

std::string run(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    size_t n = 0;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
    pclose(pipe);
    return output;
}

// Whether `numbers` stand in `text` in their order, each as a whole number (not a part of a
// longer one).
::testing::AssertionResult inOrder(const std::vector<std::string>& numbers,
                                   const std::string& text) {
    size_t at = 0;
    for (const std::string& n : numbers) {
        for (;;) {
            at = text.find(n, at);
            if (at == std::string::npos)
                return ::testing::AssertionFailure() << "\"" << n << "\" missing or out of order";
            const auto digit = [](char c) { return (c >= '0' && c <= '9') || c == '.'; };
            const bool whole = (at == 0 || !digit(text[at - 1])) &&
                               (at + n.size() >= text.size() || !digit(text[at + n.size()]));
            at += n.size();
            if (whole) break;
        }
    }
    return ::testing::AssertionSuccess();
}

class TypesetBooks : public ::testing::TestWithParam<int> {
  protected:
    void SetUp() override {
        documents::ensureGuiApplication();
        // One folder a test: ctest runs the tests of this suite side by side.
        const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        m_dir = fs::temp_directory_path() /
                ("pile_documents_" + std::to_string(getpid()) + "_" +
                 test.substr(0, test.find('/')) + std::to_string(GetParam()));
        fs::create_directories(m_dir);
        const int formula = GetParam();
        m_books = books(formula, pilesOf(formula));
        ASSERT_EQ(m_books.size(), 3u);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    fs::path save(const QByteArray& bytes, const char* name) {
        const fs::path path = m_dir / name;
        std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
        return path;
    }

    fs::path m_dir;
    std::vector<BookModel> m_books;
};

TEST_P(TypesetBooks, PdfHoldsEveryNumberInOrderOnNumberedPagesWithTheFontEmbedded) {
    if (std::string(PILE_PDFTOTEXT).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    int pages = 0;
    const fs::path pdf = save(documents::bookPdf(m_books, &pages), "book.pdf");
    ASSERT_GE(pages, 3);

    const std::string text = run(std::string(PILE_PDFTOTEXT) + " -layout '" + pdf.string() + "' -");
    const std::vector<std::string> numbers = dataNumbers(m_books);
    ASSERT_GT(numbers.size(), 50u);
    EXPECT_TRUE(inOrder(numbers, text));
    EXPECT_NE(text.find("计算时间：2026-12-10 12:00:00"), std::string::npos);

    // Each page: its footer; each book: a page of its own from its title on.
    int titles = 0;
    for (int page = 1; page <= pages; ++page) {
        std::string one = run(std::string(PILE_PDFTOTEXT) + " -layout -f " + std::to_string(page) +
                              " -l " + std::to_string(page) + " '" + pdf.string() + "' -");
        // pdftotext leaves out the blanks between Chinese characters and digits.
        one.erase(std::remove(one.begin(), one.end(), ' '), one.end());
        EXPECT_NE(one.find("第" + std::to_string(page) + "页共" + std::to_string(pages) + "页"),
                  std::string::npos)
            << "page " << page;
        EXPECT_NE(one.find("DBJ50-200-2014"), std::string::npos) << "page " << page;
        const size_t title = one.find("基桩编号");
        if (title == std::string::npos) continue;
        ++titles;
        EXPECT_EQ(one.find("基桩编号", title + 1), std::string::npos)
            << "two books on page " << page;
        // Nothing of the book before above the title.
        EXPECT_EQ(one.substr(0, title).find("计算书"), one.substr(0, title).rfind("计算书"));
        EXPECT_NE(one.find("基桩ZH" + std::to_string(titles)), std::string::npos)
            << "page " << page;
    }
    EXPECT_EQ(titles, 3);

    const std::string fonts = run(std::string(PILE_PDFFONTS) + " '" + pdf.string() + "'");
    const std::regex embedded(R"(UMing\S*\s+CID TrueType\s+\S+\s+yes)");
    EXPECT_TRUE(std::regex_search(fonts, embedded)) << fonts;

    // The document's properties name the build that wrote it.
    const std::string info = run(std::string(PILE_PDFINFO) + " '" + pdf.string() + "'");
    EXPECT_NE(info.find("rockpile " + ProgramVersionText()), std::string::npos) << info;
}

TEST_P(TypesetBooks, OdfTextHoldsEveryNumberInOrder) {
    if (std::string(PILE_UNZIP).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "unzip is not installed";
    const fs::path odt = save(documents::bookOdt(m_books), "book.odt");
    const std::string content =
        run(std::string(PILE_UNZIP) + " -p '" + odt.string() + "' content.xml");
    ASSERT_FALSE(content.empty());
    EXPECT_TRUE(inOrder(dataNumbers(m_books), content));
    EXPECT_NE(content.find("table:table "), std::string::npos);
}

// The summary table typeset: every number of the text table's rows in the PDF and the ODF
// text, in order; the heading row on every page of a table longer than a page.
TEST_P(TypesetBooks, SummaryTableHoldsEveryNumberOfTheTextTableInOrder) {
    if (std::string(PILE_PDFTOTEXT).find("NOTFOUND") != std::string::npos ||
        std::string(PILE_UNZIP).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "pdftotext or unzip is not installed";
    cli::HeadlessWindow window(GetParam(), "2026-12-10 12:00:00");
    // Enough rows for three landscape pages.
    for (int i = 0; i < 25; ++i) enter(window, pilesOf(GetParam()));
    const documents::SummaryTableSource source = documents::summaryTableSource(window.books());
    const std::vector<std::string> numbers = tableNumbers(window.books());
    ASSERT_GT(numbers.size(), 75u * 10);

    int pages = 0;
    const fs::path pdf = save(documents::summaryTablePdf(source, &pages), "table.pdf");
    ASSERT_GE(pages, 3);
    const std::string text = run(std::string(PILE_PDFTOTEXT) + " -layout '" + pdf.string() + "' -");
    EXPECT_TRUE(inOrder(numbers, text));
    EXPECT_NE(text.find("计算时间：2026-12-10 12:00:00"), std::string::npos);
    for (int page = 1; page <= pages; ++page) {
        std::string one = run(std::string(PILE_PDFTOTEXT) + " -layout -f " + std::to_string(page) +
                              " -l " + std::to_string(page) + " '" + pdf.string() + "' -");
        one.erase(std::remove(one.begin(), one.end(), ' '), one.end());
        EXPECT_NE(one.find("第" + std::to_string(page) + "页共" + std::to_string(pages) + "页"),
                  std::string::npos);
        EXPECT_NE(one.find("基桩"), std::string::npos) << "no heading row on page " << page;
    }

    const fs::path odt = save(documents::summaryTableOdt(source), "table.odt");
    const std::string content =
        run(std::string(PILE_UNZIP) + " -p '" + odt.string() + "' content.xml");
    EXPECT_TRUE(inOrder(numbers, content));
    EXPECT_NE(content.find("table:table "), std::string::npos);
}

// A batch's books kept on disk come back as they went, also after a delete-last has brought
// one back into memory; pilecalc book --pdf over them makes the PDF of the books in memory.
TEST_P(TypesetBooks, BooksKeptOnDiskComeBackWhole) {
    const std::vector<const char*> piles = pilesOf(GetParam());
    cli::HeadlessWindow memory(GetParam(), "T");
    cli::HeadlessWindow disk(GetParam(), "T");
    PileArchive archive(0);
    disk.setBooksArchive(&archive, true);
    for (cli::HeadlessWindow* window : {&memory, &disk}) {
        enter(*window, piles);
        enter(*window, piles);
        window->deleteLast();
        window->deleteLast();
        enter(*window, {piles[1]});
    }
    ASSERT_TRUE(archive.onDisk());
    std::vector<std::string> kept;
    disk.books().forEachModel([&kept](const BookModel& book) {
        kept.emplace_back();
        appendBookBytes(kept.back(), book);
    });
    ASSERT_EQ(kept.size(), 5u);
    for (size_t i = 0; i < kept.size(); ++i) {
        std::string held;
        appendBookBytes(held, memory.books().models()[i]);
        EXPECT_EQ(kept[i], held) << "book " << i + 1;
        EXPECT_EQ(bookTextLines(bookFromBytes(kept[i])), bookTextLines(memory.books().models()[i]));
    }

    if (std::string(PILE_PDFTOTEXT).find("NOTFOUND") != std::string::npos)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const fs::path streamed = m_dir / "streamed.pdf";
    // One input line a pile.
    std::string lines;
    for (std::string pile : piles) {
        std::replace(pile.begin(), pile.end(), '\n', ' ');
        lines += pile + '\n';
    }
    std::istringstream in(lines);
    std::ostringstream out, err;
    ASSERT_EQ(cli::runBookCommand({"--formula", std::to_string(GetParam()), "--time",
                                   "2026-12-10 12:00:00", "--pdf", streamed.string()},
                                  in, out, err),
              0)
        << err.str();
    const fs::path whole = save(documents::bookPdf(m_books), "whole.pdf");
    const auto text = [](const fs::path& pdf) {
        return run(std::string(PILE_PDFTOTEXT) + " -layout '" + pdf.string() + "' -");
    };
    EXPECT_TRUE(text(streamed) == text(whole));
}

INSTANTIATE_TEST_SUITE_P(Formulas, TypesetBooks, ::testing::Values(1, 2));

}  // namespace
}  // namespace pile

namespace pile {
namespace {

// A figure of n layers from the ground down, each `step` m thick, with frictions q.
BookSoilFigure figureOf(int n, double eg, double ep, double step, double q) {
    BookSoilFigure figure;
    figure.eg = eg;
    figure.ep = ep;
    figure.egText = "eg";
    figure.epText = "ep";
    figure.socket = 0.5;
    figure.socketText = "500";
    double top = eg;
    for (int i = 1; i <= n; ++i) {
        const double bottom = top - step;
        figure.layers.push_back({std::to_string(i), top, bottom, std::to_string(bottom),
                                 bottom < ep, std::min(top, ep), q, -q, "梯形"});
        top = bottom;
    }
    return figure;
}

// Formula one's figure: the pile socketed in rock alone.
BookSoilFigure rockOf(double diameter, double socket, const std::string& texts) {
    BookSoilFigure figure;
    figure.rockText = texts.empty() ? "软岩" : texts;
    figure.diameter = diameter;
    figure.diameterText = texts.empty() ? "d=1000 mm" : texts;
    figure.socket = socket;
    figure.socketText = texts.empty() ? "1.0d" : texts;
    return figure;
}

// Whatever the values, the drawing stays inside its frame: every pixel outside is white.
TEST(SoilDrawing, StaysInsideItsFrame) {
    documents::ensureGuiApplication();
    struct Case {
        const char* name;
        BookSoilFigure figure;
    };
    const Case cases[] = {
        {"one layer", figureOf(1, 100, 99, 5, 20)},
        {"five layers", figureOf(5, 100, 98, 3, 40)},
        {"twenty layers of 1e6", figureOf(20, 1e6, -1e6, 1e5, 1e6)},
        {"equal elevations, no friction", figureOf(3, 10, 10, 0, 0)},
        {"rising layers", figureOf(4, 10, 12, -2, 5)},
        {"no layer", figureOf(0, 10, 9, 1, 0)},
        {"socket in rock", rockOf(1, 1, "")},
        {"a pile 1 mm wide", rockOf(0.001, 1, "")},
        {"a socket 100 diameters deep", rockOf(1, 100, "")},
        {"no socket, no width", rockOf(0, 0, "")},
        {"texts of 200 characters", rockOf(1, 2, std::string(200, 'W'))},
        {"twenty layers with texts of 200 characters",
         [] {
             BookSoilFigure f = figureOf(20, 1e6, -1e6, 1e5, -1e6);
             for (BookSoilLayer& layer : f.layers)
                 layer.number = layer.bottomText = layer.shape = std::string(200, '8');
             f.egText = f.epText = f.socketText = std::string(200, '9');
             return f;
         }()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::white);
        const QRect frame(50, 40, 300, 220);
        {
            QPainter painter(&image);
            documents::drawPileInSoil(painter, frame, c.figure);
        }
        int outside = 0;
        bool drawn = false;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool white = image.pixel(x, y) == qRgb(255, 255, 255);
                if (frame.contains(x, y))
                    drawn = drawn || !white;
                else if (!white)
                    ++outside;
            }
        EXPECT_EQ(outside, 0);
        EXPECT_TRUE(drawn);
    }
}

}  // namespace
}  // namespace pile

namespace pile {
namespace {

// Extreme values that the screens accept give a readable document: nothing is drawn in the
// page's outer margin, whatever the cells hold.
class ExtremeDocuments : public ::testing::Test {
  protected:
    void SetUp() override {
        documents::ensureGuiApplication();
        if (std::string(PILE_PDFTOPPM).find("NOTFOUND") != std::string::npos)
            GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
        m_dir = fs::temp_directory_path() / ("pile_extreme_" + std::to_string(getpid()));
        fs::create_directories(m_dir);
    }
    void TearDown() override { fs::remove_all(m_dir); }

    // Every page of the PDF at 20 dots an inch; the count of dark pixels within 8 mm of an edge.
    int darkInOuterMargin(const QByteArray& pdf) {
        const fs::path file = m_dir / "extreme.pdf";
        std::ofstream(file, std::ios::binary).write(pdf.constData(), pdf.size());
        run(std::string(PILE_PDFTOPPM) + " -r 20 -png '" + file.string() + "' '" +
            (m_dir / "page").string() + "'");
        int dark = 0;
        int pages = 0;
        for (const auto& entry : fs::directory_iterator(m_dir)) {
            if (entry.path().extension() != ".png") continue;
            ++pages;
            QImage image(QString::fromStdString(entry.path().string()));
            const int margin = int(8 / 25.4 * 20);
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const bool outer = x < margin || y < margin || x >= image.width() - margin ||
                                       y >= image.height() - margin;
                    if (outer && qGray(image.pixel(x, y)) < 160) ++dark;
                }
        }
        EXPECT_GT(pages, 0);
        return dark;
    }

    fs::path m_dir;
};

TEST_F(ExtremeDocuments, LongCellsStayOnThePage) {
    const std::string longText(200, 'W');
    const std::string longChinese = [] {
        std::string s;
        for (int i = 0; i < 200; ++i) s += "岩";
        return s;
    }();
    BookModel book;
    book.blocks.push_back(BookTitle{"嵌岩桩计算书", "1", "基桩编号", "ZH1"});
    book.blocks.push_back(BookValue{{}, {"桩身混凝土强度等级"}, longText, "mm", 0, 0});
    book.blocks.push_back(BookValue{{}, {longChinese}, "1", "kN", 0, 0});
    BookTable table;
    for (int i = 0; i < 5; ++i)
        table.columns.push_back({"土层", "名称", 0, 8, CellAlign::Right, 2});
    for (int r = 0; r < 30; ++r)
        table.rows.push_back({longText, longChinese, "1e6", "-1e6", longText});
    book.blocks.push_back(table);
    BookSoilFigure figure;
    figure.rockText = longChinese;
    figure.diameter = 0.001;
    figure.diameterText = longText;
    figure.socket = 100;
    figure.socketText = longText;
    book.blocks.push_back(figure);
    book.blocks.push_back(BookClosing{longText});
    EXPECT_EQ(darkInOuterMargin(documents::bookPdf({book})), 0);

    documents::SummaryTableSource source;
    for (int i = 0; i < 26; ++i) {
        source.captions1.push_back(QStringLiteral("桩身直径"));
        source.captions2.push_back(QStringLiteral("d(mm)"));
    }
    source.rows = 40;
    source.forEachRow = [&](const std::function<void(const std::vector<std::string>&)>& visit) {
        for (size_t r = 0; r < source.rows; ++r) {
            std::vector<std::string> cells(26, "123456.78");
            cells[3] = longText;
            cells[7] = longChinese;
            visit(cells);
        }
    };
    source.timeText = longText;
    EXPECT_EQ(darkInOuterMargin(documents::summaryTablePdf(source)), 0);
}

}  // namespace
}  // namespace pile
