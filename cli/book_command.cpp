// pilecalc book: computes the piles of the input lines in order, as one calculator window
// would, and prints the detailed book memo (or, with --table, the summary table memo). With
// --formula 2 the window is the formula-two calculator: the soil keys of each line set its
// check boxes and soil screens, and the books are the wider ones with the soil sections.
//
// Input lines are those of pilecalc compute, plus {"precision":N}, which changes the rounding
// mode for the piles that follow, and {"action":"deleteLast"}, the delete-last button. A
// rejected pile, or a line that cannot be read, is reported on standard error and leaves no
// trace in the books. With --out the memo is saved as the Save button saves it (ANSI code
// page, CR LF) instead of being printed; --pdf and --odt typeset the detailed books, or with
// --table the summary table.
#include <functional>
#include <iostream>
#include <optional>
#include <string>

#include "books/pile_archive.h"
#include "books/text_file.h"
#include "books/window_books.h"
#include "cli/commands.h"
#include "cli/headless_window.h"
#include "cli/json_input.h"
#include "core/number_format.h"
#include "sheets/table_exports.h"

#ifdef PILE_HAVE_DOCUMENTS
#include "documents/book_document.h"
#include "documents/summary_document.h"
#endif

namespace pile::cli {

namespace {

// The memo could not be saved, or the books not kept: the run did not do what was asked.
constexpr int kExitFailed = 1;

constexpr const char* kUsage =
    "usage: pilecalc book [--formula 1|2] [--table] [--precision 0..4] [--time TEXT] [--out FILE]"
    " [--pdf FILE] [--odt FILE] < piles.jsonl\n";

struct Options {
    int formula = 1;
    bool table = false;
    int precision = static_cast<int>(RoundingMode::Units);
    std::optional<std::string> time;
    std::optional<std::string> out;
    std::optional<std::string> xlsx;  // the summary table as a spreadsheet (with --table)
    std::optional<std::string> pdf;   // the detailed books typeset
    std::optional<std::string> odt;
};

// Saves the detailed books (or with --table the summary table) typeset, as PDF and/or ODF
// text, each through a TextFileWriter. The PDF is written a book at a time, the books read back
// from the archive one by one.
void saveTypesetBooks(const Options& options, const WindowBooks& books) {
#ifdef PILE_HAVE_DOCUMENTS
    documents::ensureGuiApplication();
    if (options.table) {
        const documents::SummaryTableSource source = documents::summaryTableSource(books);
        if (options.pdf) documents::saveSummaryTablePdf(pathFromUtf8(*options.pdf), source);
        if (options.odt) {
            const QByteArray bytes = documents::summaryTableOdt(source);
            TextFileWriter file(pathFromUtf8(*options.odt));
            file.writeBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
            file.commit();
        }
        return;
    }
    const auto forEachBook = [&books](const std::function<void(const BookModel&)>& visit) {
        books.forEachModel(visit);
    };
    if (options.pdf) {
        const int n = books.pileCounter();
        const std::string piles = n == 1 ? "ZH1" : "ZH1-ZH" + std::to_string(n);
        documents::saveBooksPdf(pathFromUtf8(*options.pdf), static_cast<size_t>(n), forEachBook,
                                QString::fromStdString(piles));
    }
    if (options.odt) {
        std::vector<BookModel> models;
        books.forEachModel([&models](const BookModel& book) { models.push_back(book); });
        const QByteArray bytes = documents::bookOdt(models);
        TextFileWriter file(pathFromUtf8(*options.odt));
        file.writeBytes(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
        file.commit();
    }
#else
    (void)options;
    (void)books;
#endif
}

// False (after a message on err) for a usage error.
bool parseOptions(const std::vector<std::string>& args, Options& options, std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--table") {
            options.table = true;
        } else if (arg == "--formula" && hasValue) {
            if (!parseFormula(args[++i], options.formula, err)) return false;
        } else if (arg == "--precision" && hasValue) {
            if (!parsePrecision(args[++i], options.precision, err)) return false;
        } else if (arg == "--time" && hasValue) {
            options.time = args[++i];
            // The time is printed into the books and list files like a field: one line.
            if (!isOneLineText(*options.time)) {
                err << "pilecalc book: --time must be one line of text, without control "
                       "characters\n"
                    << kUsage;
                return false;
            }
        } else if (arg == "--out" && hasValue) {
            options.out = args[++i];
            if (options.out->empty()) {
                err << "pilecalc book: --out needs a file name\n" << kUsage;
                return false;
            }
        } else if (arg == "--xlsx" && hasValue) {
            options.xlsx = args[++i];
            if (options.xlsx->empty()) {
                err << "pilecalc book: --xlsx needs a file name\n" << kUsage;
                return false;
            }
        } else if ((arg == "--pdf" || arg == "--odt") && hasValue) {
            auto& file = arg == "--pdf" ? options.pdf : options.odt;
            file = args[++i];
            if (file->empty()) {
                err << "pilecalc book: " << arg << " needs a file name\n" << kUsage;
                return false;
            }
        } else if (arg == "--formula" || arg == "--precision" || arg == "--time" ||
                   arg == "--out" || arg == "--xlsx" || arg == "--pdf" || arg == "--odt") {
            err << "pilecalc book: " << arg << " needs a value\n" << kUsage;
            return false;
        } else {
            err << "pilecalc book: unknown option \"" << arg << "\"\n" << kUsage;
            return false;
        }
    }
#ifndef PILE_HAVE_DOCUMENTS
    if (options.pdf || options.odt) {
        err << "pilecalc book: this build cannot typeset the books (it has no Qt GUI): "
               "--pdf and --odt are not available\n";
        return false;
    }
#endif
    if (options.xlsx && !options.table) {
        err << "pilecalc book: --xlsx writes the summary table: give --table too\n" << kUsage;
        return false;
    }
    return true;
}

// The books of the input lines, printed or saved; throws when the books' temporary file fails.
int runBook(const Options& options, std::istream& in, std::ostream& out, std::ostream& err) {
    HeadlessWindow window(options.formula, options.time);
    // Every pile but the latest waits on disk once the piles are more than a few, whatever the
    // length of the input: memory holds what a delete-last line may take back next.
    // The typeset books need every pile's blocks: the archive keeps them beside the lines.
    PileArchive archive;
    window.setBooksArchive(&archive, (options.pdf || options.odt) && !options.table);
    window.setRoundingMode(static_cast<RoundingMode>(options.precision));
    std::string line;
    for (size_t lineNumber = 1; std::getline(in, line); ++lineNumber) {
        if (isBlankLine(line)) continue;
        const auto parsed = parsePileLine(line);
        if (const auto* problem = std::get_if<std::string>(&parsed)) {
            err << "line " << lineNumber << ": " << *problem << "\n";
            continue;
        }
        const PileLine& pileLine = std::get<PileLine>(parsed);
        switch (pileLine.kind) {
            case PileLine::Kind::Precision:
                window.setRoundingMode(static_cast<RoundingMode>(pileLine.precision));
                break;
            case PileLine::Kind::DeleteLast:
                window.deleteLast();
                break;
            case PileLine::Kind::Pile:
                window.enterPile(pileLine.texts);
                window.enterSoil(pileLine.soil);
                if (const auto rejection = window.compute().rejection)
                    err << "line " << lineNumber << ": " << rejection->message << " ("
                        << inputKeyOf(rejection->field) << ")\n";
                break;
        }
    }

    // Books from input that was cut short by a read error are not the books asked for.
    if (in.bad()) return streamStatus(in, out, err, "pilecalc book", kExitOk);

    const WindowBooks& books = window.books();
    const auto forEachLine = [&](const std::function<void(const std::string&)>& visit) {
        if (options.table)
            books.forEachTableLine(visit);
        else
            books.forEachDetailedLine(visit);
    };
    if (options.out || options.xlsx || options.pdf || options.odt) {
        // Like the Save button, which is disabled while the memo is empty: an earlier file is
        // not replaced by an empty one.
        if (books.pileCounter() == 0) {
            for (const auto* file : {&options.out, &options.xlsx, &options.pdf, &options.odt})
                if (*file)
                    err << "pilecalc book: no pile in the books, " << **file << " not written\n";
            return kExitOk;
        }
        try {
            if (options.out) {
                TextFileWriter file(pathFromUtf8(*options.out));
                forEachLine([&file](const std::string& text) { file.writeLine(text); });
                file.commit();
            }
            if (options.xlsx) saveSummaryTableSheet(pathFromUtf8(*options.xlsx), books);
            saveTypesetBooks(options, books);
        } catch (const std::exception& e) {
            err << "pilecalc book: " << e.what() << "\n";
            return kExitFailed;
        }
        return kExitOk;
    }
    forEachLine([&out](const std::string& text) { out << text << '\n'; });
    return streamStatus(in, out, err, "pilecalc book", kExitOk);
}

}  // namespace

int runBookCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    Options options;
    if (!parseOptions(args, options, err)) return kExitUsage;

    try {
        return runBook(options, in, out, err);
    } catch (const std::exception& e) {
        // The books' temporary file could not be made, written or read: the books are not
        // whole, and no file is saved from them.
        err << "pilecalc book: " << e.what() << "\n";
        return kExitFailed;
    }
}

}  // namespace pile::cli
