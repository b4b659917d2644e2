// Reading the request of pilecalc search.
#include "cli/search_request.h"

#include <algorithm>
#include <climits>

#include "app/model/project_file.h"

namespace pile::cli {

using nlohmann::json;

namespace {

// An integer within lo..hi.
bool readBoundedInt(const json& value, const std::string& name, long long lo, long long hi,
                    int& target, std::string& problem) {
    if (!value.is_number_integer()) {
        problem = name + " must be an integer";
        return false;
    }
    // A large unsigned value does not fit long long; it is out of range either way.
    const bool fits = value.is_number_unsigned()
                          ? value.get<unsigned long long>() <= static_cast<unsigned long long>(hi)
                          : true;
    const long long v = fits ? value.get<long long>() : hi + 1;
    if (!fits || v < lo || v > hi) {
        problem = name + " must lie in " + std::to_string(lo) + ".." + std::to_string(hi);
        return false;
    }
    target = static_cast<int>(v);
    return true;
}

// `rows` rows of `cells` one-line texts.
bool readCellRows(const json& value, const std::string& name, size_t rows, size_t cells,
                  const char* cellNames, CellRows& target, std::string& problem) {
    const std::string shape = name + " must be an array of " + std::to_string(rows) +
                              " rows, each an array of " + std::to_string(cells) + " texts (" +
                              cellNames + ")";
    if (!value.is_array() || value.size() != rows) {
        problem = shape;
        return false;
    }
    CellRows out;
    for (size_t r = 0; r < rows; ++r) {
        const json& row = value[r];
        if (!row.is_array() || row.size() != cells) {
            problem = shape + "; row " + std::to_string(r) + " is not";
            return false;
        }
        std::vector<std::string> texts;
        for (size_t c = 0; c < cells; ++c) {
            std::optional<std::string> typed = textOfValue(row[c]);
            if (!typed) {
                problem = shape + "; row " + std::to_string(r) + " is not";
                return false;
            }
            std::string text = std::move(*typed);
            if (!isOneLineText(text)) {
                problem = name + ", row " + std::to_string(r) + ": a cell holds one line of " +
                          "text, without control characters";
                return false;
            }
            texts.push_back(std::move(text));
        }
        out.push_back(std::move(texts));
    }
    target = std::move(out);
    return true;
}

bool readItems(const json& value, const std::string& name, CellRows& target, std::string& problem) {
    return readCellRows(value, name, kSearchItemRows, kSearchItemCells, "minimum, maximum, step",
                        target, problem);
}

// The filter rows of the screen: Ra and Rc, and in formula two [Nk] and [N].
bool readFilters(const json& value, const std::string& name, const OptimisationSetup& setup,
                 CellRows& target, std::string& problem) {
    return readCellRows(value, name, setup.filterFields.size(), kSearchFilterCells,
                        "minimum, maximum", target, problem);
}

// [row 12, row 13]: the minimum cells of the two soil switches, as two rows of one cell.
bool readSwitches(const json& value, const std::string& name, const OptimisationSetup& setup,
                  CellRows& target, std::string& problem) {
    if (!setup.soilSwitches) {
        problem = name + ": the soil switches belong to formula two";
        return false;
    }
    const bool texts = value.is_array() && value.size() == static_cast<size_t>(kSearchSwitchRows) &&
                       std::all_of(value.begin(), value.end(),
                                   [](const json& cell) { return textOfValue(cell).has_value(); });
    if (!texts) {
        problem = name + " must be an array of 2 texts (the minimum of item rows 12 and 13)";
        return false;
    }
    CellRows out;
    for (const json& cell : value) {
        std::string text = *textOfValue(cell);
        if (!isOneLineText(text)) {
            problem = name + ": a cell holds one line of text, without control characters";
            return false;
        }
        out.push_back({std::move(text)});
    }
    target = std::move(out);
    return true;
}

// The input screen before the search: the keys of pilecalc compute, and in formula two its
// soil keys.
bool readPile(const json& value, const OptimisationSetup& setup, PileLine& target,
              std::string& problem) {
    if (!value.is_object()) {
        problem = "key \"pile\" must be an object";
        return false;
    }
    if (value.contains("precision")) {
        problem = "\"precision\" is a key of the request, not of \"pile\"";
        return false;
    }
    for (const char* soilKey : kSoilKeys) {
        if (!setup.soilSwitches && value.contains(soilKey)) {
            problem = std::string("key \"") + soilKey + "\" in \"pile\" belongs to formula two";
            return false;
        }
    }
    auto parsed = parsePileLine(value.dump());
    if (const auto* p = std::get_if<std::string>(&parsed)) {
        problem = "pile: " + *p;
        return false;
    }
    PileLine& line = std::get<PileLine>(parsed);
    if (line.kind != PileLine::Kind::Pile) {
        problem = "key \"pile\" must hold the keys of a pile";
        return false;
    }
    target = std::move(line);
    return true;
}

bool readAction(const json& value, size_t number, const OptimisationSetup& setup,
                SearchAction& action, std::string& problem) {
    const std::string where = "action " + std::to_string(number);
    if (!value.is_object() || value.size() != 1) {
        problem = where +
                  " must be an object with one key: search, sort, filter, fold, fetch, "
                  "items, switches or filters";
        return false;
    }
    const std::string key = value.begin().key();
    const json& arg = value.begin().value();
    const std::string name = where + " \"" + key + "\"";
    using Kind = SearchAction::Kind;
    if (key == "search" || key == "filter" || key == "fold") {
        if (arg != true) {
            problem = name + " must be true";
            return false;
        }
        action.kind = key == "search" ? Kind::Search : key == "filter" ? Kind::Filter : Kind::Fold;
        return true;
    }
    if (key == "sort") {
        action.kind = Kind::Sort;
        // A header that the list has; what a click on it does is the screen's business.
        const auto lastColumn = static_cast<long long>(setup.list->columns.size()) - 1;
        return readBoundedInt(arg, name, 0, lastColumn, action.index, problem);
    }
    if (key == "fetch") {
        action.kind = Kind::Fetch;
        // A row past the end of the list is a double click below its last row.
        return readBoundedInt(arg, name, 0, INT_MAX, action.index, problem);
    }
    if (key == "items") {
        action.kind = Kind::Items;
        return readItems(arg, name, action.cells, problem);
    }
    if (key == "filters") {
        action.kind = Kind::Filters;
        return readFilters(arg, name, setup, action.cells, problem);
    }
    if (key == "switches") {
        action.kind = Kind::Switches;
        return readSwitches(arg, name, setup, action.cells, problem);
    }
    problem = where + ": unknown action \"" + key + "\"";
    return false;
}

}  // namespace

std::variant<SearchRequest, std::string> parseSearchRequest(const std::string& text,
                                                            const OptimisationSetup& setup) {
    auto parsed = parseJsonText(text);
    if (const auto* problem = std::get_if<std::string>(&parsed)) return "the request " + *problem;
    const json request = std::move(std::get<json>(parsed));
    if (!request.is_object()) return std::string("the request is not a JSON object");

    std::string problem;
    if (!onlyKnownKeys(request,
                       {"pile", "precision", "items", "switches", "filters", "actions", "format",
                        "version", "formula"},
                       "", problem))
        return problem;
    // A project file is a request too; its own members must describe a project of this formula.
    if (auto header = projectHeaderProblem(request, setup.soilSwitches ? 2 : 1)) return *header;

    SearchRequest out;
    // Without "pile", the input screen of a new window.
    out.pile = std::get<PileLine>(parsePileLine("{}"));
    if (auto it = request.find("pile");
        it != request.end() && !readPile(*it, setup, out.pile, problem))
        return problem;
    if (auto it = request.find("precision");
        it != request.end() &&
        !readBoundedInt(*it, "key \"precision\"", 0, 4, out.precision, problem))
        return problem;
    if (auto it = request.find("items"); it != request.end()) {
        CellRows rows;
        if (!readItems(*it, "key \"items\"", rows, problem)) return problem;
        out.items = std::move(rows);
    }
    if (auto it = request.find("switches"); it != request.end()) {
        CellRows rows;
        if (!readSwitches(*it, "key \"switches\"", setup, rows, problem)) return problem;
        out.switches = std::move(rows);
    }
    if (auto it = request.find("filters"); it != request.end()) {
        CellRows rows;
        if (!readFilters(*it, "key \"filters\"", setup, rows, problem)) return problem;
        out.filters = std::move(rows);
    }
    if (auto it = request.find("actions"); it != request.end()) {
        if (!it->is_array()) return std::string("key \"actions\" must be an array of objects");
        for (size_t i = 0; i < it->size(); ++i) {
            SearchAction action;
            if (!readAction((*it)[i], i, setup, action, problem)) return problem;
            out.actions.push_back(std::move(action));
        }
    }
    return out;
}

}  // namespace pile::cli
