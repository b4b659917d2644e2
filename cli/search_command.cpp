// pilecalc search: the optimisation screen of a new calculator window, in batch.
//
// The request (cli/search_request.h) is typed into the window as a user types it: the pile
// on the input screen (in formula two then its soil switches and soil screens), the precision,
// "★", the cells of the item table (each edit ended as the user ends it), then 计算. The actions
// follow in order, each a click on the screen; a click on a disabled button does nothing. The
// answer is the state of both screens after the last action, or, with --save, the lines that 存盘
// writes for the list shown.
//
// The candidates are computed on --threads worker threads (by default one for each core); the
// answer is the same for any count.
//
// Exit status: 0 answered; 2 the options or the request cannot be read; 3 (--save) 存盘 would
// write nothing; 4 a cell the screen reads as a number is not one (the answer is then only
// {"error": text}); 1 anything else that went wrong.
#include <algorithm>
#include <ios>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

#include "books/text_file.h"
#include "cli/commands.h"
#include "cli/headless_window.h"
#include "cli/json_input.h"
#include "cli/search_request.h"
#include "optimise/list_file.h"
#include "optimise/strict_number.h"

namespace pile::cli {

using nlohmann::ordered_json;

namespace {

constexpr int kExitFailed = 1;
constexpr int kExitNothingToSave = 3;
constexpr int kExitConversionError = 4;

constexpr const char* kUsage =
    "usage: pilecalc search [--formula 1|2] [--time TEXT] [--save] [--xlsx FILE] [--threads N] "
    "< request.json\n";
// More threads than this are refused as a mistake; a machine has far fewer cores.
constexpr unsigned kMaxSearchThreads = 1024;

struct Options {
    int formula = 1;
    std::optional<std::string> time;
    bool save = false;
    std::optional<std::string> xlsx;  // the list shown, as a spreadsheet
    unsigned threads = defaultSearchThreads();
};

// --threads: a whole number of threads, 1 to kMaxSearchThreads, in plain digits.
bool parseThreads(const std::string& text, unsigned& threads, std::ostream& err) {
    const bool digits =
        !text.empty() && text.size() <= 4 &&
        std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    const unsigned long value = digits ? std::stoul(text) : 0;
    if (value < 1 || value > kMaxSearchThreads) {
        err << "pilecalc search: --threads takes a whole number from 1 to " << kMaxSearchThreads
            << ", not \"" << text << "\"\n"
            << kUsage;
        return false;
    }
    threads = static_cast<unsigned>(value);
    return true;
}

bool parseOptions(const std::vector<std::string>& args, Options& options, std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--save") {
            options.save = true;
        } else if (arg == "--formula" && hasValue) {
            if (!parseFormula(args[++i], options.formula, err)) return false;
        } else if (arg == "--time" && hasValue) {
            options.time = args[++i];
            // The time is printed into the books and list files like a field: one line.
            if (!isOneLineText(*options.time)) {
                err << "pilecalc search: --time must be one line of text, without control "
                       "characters\n"
                    << kUsage;
                return false;
            }
        } else if (arg == "--threads" && hasValue) {
            if (!parseThreads(args[++i], options.threads, err)) return false;
        } else if (arg == "--xlsx" && hasValue) {
            options.xlsx = args[++i];
            if (options.xlsx->empty()) {
                err << "pilecalc search: --xlsx needs a file name\n" << kUsage;
                return false;
            }
        } else if (arg == "--formula" || arg == "--time" || arg == "--xlsx" || arg == "--threads") {
            err << "pilecalc search: " << arg << " needs a value\n" << kUsage;
            return false;
        } else {
            err << "pilecalc search: unknown option \"" << arg << "\"\n" << kUsage;
            return false;
        }
    }
    return true;
}

// Types rows of cells into the item table, row `firstRow` on, columns 1 on: each cell is
// selected, typed and its edit ended, which runs the table's end-of-edit handler.
void typeCells(Grid& table, int firstRow, const CellRows& rows) {
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            const int row = firstRow + static_cast<int>(r);
            const int column = 1 + static_cast<int>(c);
            table.selectCell(row, column);
            table.editCell(row, column, rows[r][c]);
        }
    }
}

// The operations act on the optimisation screen. A fetch ends on the input screen; the next
// operation opens the screen again with "★", as the user would. False when it cannot be
// opened.
bool showOptimisation(HeadlessWindow& window) {
    return window.optimisationShown() || window.openOptimisation();
}

void runAction(HeadlessWindow& window, const SearchAction& action) {
    if (!showOptimisation(window)) return;
    OptimisationScreen& screen = window.optimisation();
    const bool filteredShown = screen.Grid3_Youhuasaixuan.visible();
    switch (action.kind) {
        case SearchAction::Kind::Search:
            press(screen.cbt_YHcompute, [&] { screen.cbt_YHcomputeClick(); });
            break;
        case SearchAction::Kind::Sort:
            if (filteredShown)
                screen.Grid3_YouhuasaixuanHeaderClick(action.index);
            else
                screen.Grid2_YouhuajieguoHeaderClick(action.index);
            break;
        case SearchAction::Kind::Filter:
            press(screen.cbt_YHsaixuan, [&] { screen.cbt_YHsaixuanClick(); });
            break;
        case SearchAction::Kind::Fold:
            press(screen.cbt_zhangkai, [&] { screen.cbt_zhangkaiClick(); });
            break;
        case SearchAction::Kind::Fetch:
            if (filteredShown)
                screen.Grid3_YouhuasaixuanCellDblClick(action.index);
            else
                screen.Grid2_YouhuajieguoCellDblClick(action.index);
            break;
        case SearchAction::Kind::Items:
            typeCells(screen.Grid1_Youhuaxuanxiang, 0, action.cells);
            break;
        case SearchAction::Kind::Switches:
            typeCells(screen.Grid1_Youhuaxuanxiang, kSearchSwitchFirstRow, action.cells);
            break;
        case SearchAction::Kind::Filters:
            typeCells(screen.Grid1_Youhuaxuanxiang, screen.setup().firstFilterRow, action.cells);
            break;
    }
}

// The window of the request after its search and actions.
void runRequest(HeadlessWindow& window, const SearchRequest& request) {
    window.setRoundingMode(static_cast<RoundingMode>(request.precision));
    window.enterPile(request.pile.texts);
    window.enterSoil(request.pile.soil);  // formula one has no soil screens: nothing happens
    if (!window.openOptimisation()) return;
    OptimisationScreen& screen = window.optimisation();
    Grid& table = screen.Grid1_Youhuaxuanxiang;
    if (request.items) typeCells(table, 0, *request.items);
    if (request.switches) typeCells(table, kSearchSwitchFirstRow, *request.switches);
    if (request.filters) typeCells(table, screen.setup().firstFilterRow, *request.filters);
    press(screen.cbt_YHcompute, [&] { screen.cbt_YHcomputeClick(); });
    for (const SearchAction& action : request.actions) runAction(window, action);
}

std::string dumpJson(const ordered_json& j) {
    return j.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// The rows of a list as a JSON array of arrays of cell texts, written row by row: the text of
// a list of millions of rows never stands in memory at once.
void printRows(std::ostream& out, const ResultList& list) {
    out << '[';
    std::string line;
    for (size_t r = 0; r < list.size(); ++r) {
        line.clear();
        if (r > 0) line += ',';
        line += '[';
        for (int c = 0; c < list.columnCount(); ++c) {
            if (c > 0) line += ',';
            line += dumpJson(ordered_json(list.cellText(r, c)));
        }
        line += ']';
        out << line;
    }
    out << ']';
}

// The input screen in the vocabulary of pilecalc compute; formula two adds its soil switches.
ordered_json inputJson(const HeadlessWindow& window) {
    const InputScreen& input = window.screen();
    ordered_json j;
    j["section"] = input.cbb_jmlx.index();
    j["d"] = input.cbe_dd.text();
    j["c"] = input.cbe_tyzd.text();
    j["hr"] = input.cbe_hr.text();
    j["grade"] = input.cbb_hnt.index();
    j["process"] = input.cbb_czgy.index();
    j["rock"] = input.rdb_fuk.checked() ? "fuk" : "frk";
    j["frk"] = input.edt_frk.text();
    j["fuk"] = input.edt_fuk.text();
    j["slope"] = input.ckb_ystj.checked();
    if (const FormulaTwoWindow* two = window.formulaTwo()) {
        j[kNegativeFrictionKey] = two->formulaTwoInput().ckb_fumozhuli.checked();
        j[kSideResistanceKey] = two->formulaTwoInput().ckb_zhengmozhuli.checked();
    }
    return j;
}

ordered_json stateJson(const HeadlessWindow& window) {
    const OptimisationScreen& screen = window.optimisation();
    const ListGrid& raw = screen.Grid2_Youhuajieguo;
    const ListGrid& filtered = screen.Grid3_Youhuasaixuan;
    const ListLayout& layout = screen.rawList().layout();

    ordered_json j;
    j["status"] = screen.lb_YHxingxi.text();
    j["statusColour"] = screen.lb_YHxingxi.textColour() == TextColour::Red ? "red" : "black";
    j["shown"] = !window.optimisationShown() ? "input" : filtered.visible() ? "filtered" : "raw";
    // Placeholders: printState writes the lists into their places as a stream.
    j["raw"] = nullptr;
    j["filtered"] = nullptr;
    j["headers"] = raw.headers();
    j["filteredHeaders"] = filtered.headers();
    ordered_json states = ordered_json::array();
    ordered_json visible = ordered_json::array();
    for (int c = 0; c < static_cast<int>(layout.columns.size()); ++c) {
        if (layout.columns[static_cast<size_t>(c)].sortName)
            states.push_back(static_cast<int>(screen.sortStates().state(c)));
        if (screen.shownList().columnVisible(c)) visible.push_back(c);
    }
    j["sortStates"] = std::move(states);
    j["buttons"] = {{"compute", screen.cbt_YHcompute.enabled()},
                    {"filter", screen.cbt_YHsaixuan.enabled()},
                    {"save", screen.cbt_YHsave.enabled()}};
    j["foldText"] = screen.cbt_zhangkai.text();
    j["visibleColumns"] = std::move(visible);
    j["input"] = inputJson(window);
    j["message"] = window.screen().lb_shuoming.text();
    return j;
}

// 存盘 of the optimisation screen: the raw list when it is shown, else the filtered list,
// and nothing when that list is empty or the button is disabled. After a fetch the screen is
// opened again with "★" first. The lines are those of the file, in UTF-8.
// The list 存盘 would write, as a spreadsheet; throws FileWriteError.
int saveShownListSheet(HeadlessWindow& window, const std::string& path, std::ostream& err) {
    if (!showOptimisation(window) ||
        !window.optimisation().saveShownListSheet(pathFromUtf8(path))) {
        err << "pilecalc search: the list shown is empty, " << path << " not written\n";
        return kExitNothingToSave;
    }
    return kExitOk;
}

int printShownList(HeadlessWindow& window, std::ostream& out, std::ostream& err) {
    bool written = false;
    if (showOptimisation(window)) {
        const OptimisationScreen& screen = window.optimisation();
        // Streamed: the lines go out as they are made, whatever the length of the list.
        press(screen.cbt_YHsave, [&] {
            written = screen.writeShownList(
                window.timeText(), [&out](const std::string& line) { out << line << '\n'; });
        });
    }
    if (!written) {
        err << "pilecalc search: 存盘 writes nothing (the button is disabled or the list shown "
               "is empty)\n";
        return kExitNothingToSave;
    }
    out.flush();
    return kExitOk;
}

void printJson(std::ostream& out, const ordered_json& j) {
    out << dumpJson(j) << '\n';
    out.flush();
}

// The state of the screens, the lists streamed into the places stateJson keeps for them. A
// string value cannot hold the placeholder's unescaped quotes, so it is found only where it
// stands as members.
void printState(std::ostream& out, const HeadlessWindow& window) {
    const std::string state = dumpJson(stateJson(window));
    const std::string placeholder = R"(,"raw":null,"filtered":null,)";
    const size_t at = state.find(placeholder);
    const OptimisationScreen& screen = window.optimisation();
    out << std::string_view(state).substr(0, at) << R"(,"raw":)";
    printRows(out, screen.rawList());
    out << R"(,"filtered":)";
    printRows(out, screen.filteredList());
    out << ',' << std::string_view(state).substr(at + placeholder.size()) << '\n';
    out.flush();
}

}  // namespace

int runSearchCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                     std::ostream& err) {
    Options options;
    if (!parseOptions(args, options, err)) return kExitUsage;

    std::string text;
    try {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {  // the file buffer's read error (a folder, say)
        in.setstate(std::ios_base::badbit);
    }
    if (in.bad()) return streamStatus(in, out, err, "pilecalc search", kExitOk);
    auto parsed = parseSearchRequest(
        text, options.formula == 2 ? formulaTwoOptimisation() : formulaOneOptimisation());
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        err << "pilecalc search: " << *problem << "\n";
        return kExitUsage;
    }
    const SearchRequest& request = std::get<SearchRequest>(parsed);

    try {
        HeadlessWindow window(options.formula, options.time);
        window.optimisation().setSearchThreads(options.threads);
        runRequest(window, request);
        int status = kExitOk;
        if (options.xlsx) status = saveShownListSheet(window, *options.xlsx, err);
        if (status != kExitOk) return status;
        if (options.save)
            status = printShownList(window, out, err);
        else
            printState(out, window);
        return streamStatus(in, out, err, "pilecalc search", status);
    } catch (const NumberConversionError& e) {
        // The window would show it in its error box and stay usable; the batch ends here.
        printJson(out, ordered_json{{"error", e.what()}});
        return streamStatus(in, out, err, "pilecalc search", kExitConversionError);
    } catch (const std::exception& e) {
        err << "pilecalc search: " << e.what() << "\n";
        return kExitFailed;
    }
}

}  // namespace pile::cli
