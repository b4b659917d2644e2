// Project files: reading, writing, and the typed state of a window.
#include "app/model/project_file.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <fstream>
#include <initializer_list>
#include <span>

#include "app/model/calculator_window.h"
#include "app/model/formula_one_window.h"
#include "app/model/formula_two_window.h"
#include "books/text_file.h"
#include "cli/json_input.h"
#include "cli/search_request.h"
#include "core/concrete_grades.h"
#include "core/sections.h"

namespace pile {

using nlohmann::json;
using nlohmann::ordered_json;

std::string ProjectProblem::englishText() const {
    std::string out;
    if (line > 0) out = "line " + std::to_string(line) + (key.empty() ? ": " : ", ");
    if (!key.empty()) out += "key \"" + key + "\": ";
    return out + english;
}

std::string ProjectProblem::chineseText() const {
    std::string out;
    if (line > 0) out = "第" + std::to_string(line) + "行" + (key.empty() ? "：" : "，");
    if (!key.empty()) out += "键“" + key + "”：";
    return out + chinese;
}

namespace {

// ---- Where a value stands --------------------------------------------------------------------

// One step of a path into a JSON value: a key of an object, or an index into an array.
struct Step {
    std::string key;
    std::size_t index = 0;
    bool isIndex = false;
};
using Path = std::vector<Step>;

std::string pathName(const Path& path) {
    std::string name;
    for (const Step& step : path) {
        if (step.isIndex) {
            name += "[" + std::to_string(step.index) + "]";
        } else {
            if (!name.empty()) name += '.';
            name += step.key;
        }
    }
    return name;
}

// The line (from 1) where the value at `path` begins in a valid JSON text; 0 when it is not
// there. One pass over the text, keeping the path of the value being read.
int lineOfPath(const std::string& text, const Path& path) {
    struct Frame {
        bool object;
        std::string key;
        std::size_t index = 0;
        bool expectKey = false;
    };
    std::vector<Frame> stack;
    int line = 1;
    const auto atTarget = [&] {
        if (stack.size() != path.size()) return false;
        for (std::size_t i = 0; i < stack.size(); ++i) {
            const Frame& f = stack[i];
            if (path[i].isIndex ? (f.object || f.index != path[i].index)
                                : (!f.object || f.key != path[i].key))
                return false;
        }
        return true;
    };
    // Skips a string starting at `i` (the opening quote); returns the index of its closing quote.
    const auto skipString = [&](std::size_t i, std::string* out) {
        for (++i; i < text.size() && text[i] != '"'; ++i) {
            if (text[i] == '\\') {
                ++i;
                continue;  // an escaped key never matches a plain name, which is all we look for
            }
            if (out) *out += text[i];
        }
        return i;
    };
    if (path.empty()) return 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') ++line;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ':') continue;
        if (!stack.empty() && stack.back().object && stack.back().expectKey && c == '"') {
            stack.back().key.clear();
            i = skipString(i, &stack.back().key);
            stack.back().expectKey = false;
            continue;
        }
        if (c == ',') {
            if (!stack.empty()) {
                if (stack.back().object)
                    stack.back().expectKey = true;
                else
                    ++stack.back().index;
            }
            continue;
        }
        if (c == '}' || c == ']') {
            if (!stack.empty()) stack.pop_back();
            continue;
        }
        // A value begins here.
        if (atTarget()) return line;
        if (c == '{') {
            stack.push_back({true, {}, 0, true});
        } else if (c == '[') {
            stack.push_back({false, {}, 0, false});
        } else if (c == '"') {
            i = skipString(i, nullptr);
        } else {
            while (i + 1 < text.size() &&
                   std::string_view(",}] \t\r\n").find(text[i + 1]) == std::string_view::npos)
                ++i;
        }
    }
    return 0;
}

// ---- Checking a project --------------------------------------------------------------------

// Checks the parsed project against what the window can hold, keeping the first problem with
// the path of its value.
class Checker {
  public:
    explicit Checker(const std::string& text) : m_text(text) {}

    std::optional<ProjectProblem> problem;

    bool fail(const Path& path, std::string english, std::string chinese) {
        if (!problem)
            problem = ProjectProblem{pathName(path), lineOfPath(m_text, path), std::move(english),
                                     std::move(chinese)};
        return false;
    }

    bool onlyKeys(const json& obj, const Path& path, std::initializer_list<const char*> known) {
        return onlyKeys(obj, path, std::span<const char* const>(known.begin(), known.size()));
    }

    bool onlyKeys(const json& obj, const Path& path, std::span<const char* const> known) {
        for (const auto& item : obj.items()) {
            if (std::none_of(known.begin(), known.end(),
                             [&](const char* k) { return item.key() == k; })) {
                Path at = path;
                at.push_back({item.key()});
                return fail(at, "unknown key", "未知的键");
            }
        }
        return true;
    }

    // A text as typed (a number stands for its shortest text): one line, no control character.
    bool text(const json& value, const Path& path) {
        const std::optional<std::string> typed = cli::textOfValue(value);
        if (!typed) return fail(path, "must be a text or a number", "应为文字或数字");
        if (!cli::isOneLineText(*typed))
            return fail(path, "must be one line of text, without control characters",
                        "文字中不能有控制字符（如换行、制表符）");
        return true;
    }

    bool integer(const json& value, const Path& path, long long lo, long long hi) {
        if (!value.is_number_integer()) return fail(path, "must be an integer", "应为整数");
        const bool fits =
            !value.is_number_unsigned() || value.get<unsigned long long>() <= 1000000ULL;
        const long long v = fits ? value.get<long long>() : hi + 1;
        if (v < lo || v > hi) {
            const std::string range = std::to_string(lo) + ".." + std::to_string(hi);
            return fail(path, "must lie in " + range,
                        "应在" + std::to_string(lo) + "到" + std::to_string(hi) + "之间");
        }
        return true;
    }

    bool flag(const json& value, const Path& path) {
        if (!value.is_boolean()) return fail(path, "must be true or false", "应为 true 或 false");
        return true;
    }

    bool object(const json& value, const Path& path) {
        if (!value.is_object()) return fail(path, "must be an object", "应为对象 {…}");
        return true;
    }

    // `rows` rows (or, with rows 0, 1 to kMaxSoilLayers rows) of `cells` texts.
    bool rowsOfTexts(const json& value, const Path& path, std::size_t rows, std::size_t cells) {
        if (!value.is_array()) return fail(path, "must be an array of rows", "应为数组 […]");
        if (rows == 0 && (value.empty() || value.size() > static_cast<std::size_t>(kMaxSoilLayers)))
            return fail(path, "must hold 1 to 20 layers", "应有1到20层");
        if (rows != 0 && value.size() != rows)
            return fail(path, "must hold " + std::to_string(rows) + " rows",
                        "应有" + std::to_string(rows) + "行");
        for (std::size_t r = 0; r < value.size(); ++r) {
            Path row = path;
            row.push_back({{}, r, true});
            const json& cellsOf = value[r];
            if (!cellsOf.is_array() || cellsOf.size() != cells)
                return fail(row, "must be an array of " + std::to_string(cells) + " texts",
                            "应为" + std::to_string(cells) + "项的数组");
            for (std::size_t c = 0; c < cells; ++c) {
                Path cell = row;
                cell.push_back({{}, c, true});
                if (!text(cellsOf[c], cell)) return false;
            }
        }
        return true;
    }

    bool pile(const json& value, int formula) {
        const Path at{{"pile"}};
        if (!object(value, at)) return false;
        // Formula one takes the input screen's keys, formula two its soil keys too.
        const std::span<const char* const> keys(cli::kPileKeys);
        if (!onlyKeys(value, at, formula == 2 ? keys : keys.first(cli::kInputScreenKeyCount)))
            return false;
        const auto member = [&](const char* key) { return Path{{"pile"}, {key}}; };
        int section = 0;
        if (auto it = value.find("section"); it != value.end()) {
            if (!integer(*it, member("section"), 0, kSectionCount - 1)) return false;
            section = it->get<int>();
        }
        RockStrengthMode mode = RockStrengthMode::Frk;
        if (auto it = value.find("rock"); it != value.end()) {
            if (!it->is_string() || (*it != "frk" && *it != "fuk"))
                return fail(member("rock"), "must be \"frk\" or \"fuk\"",
                            "应为 \"frk\" 或 \"fuk\"");
            if (*it == "fuk") mode = RockStrengthMode::Fuk;
        }
        for (const char* key : {"d", "c", "hr", "frk", "fuk"})
            if (auto it = value.find(key); it != value.end() && !text(*it, member(key)))
                return false;
        if (auto it = value.find("grade");
            it != value.end() && !integer(*it, member("grade"), 0, kGradeCount - 1))
            return false;
        const auto processes =
            static_cast<long long>(ProcessItems(static_cast<SectionType>(section), mode).size());
        if (auto it = value.find("process");
            it != value.end() && !integer(*it, member("process"), 0, processes - 1))
            return false;
        for (const char* key : {"slope", "negativeFriction", "sideResistance"})
            if (auto it = value.find(key); it != value.end() && !flag(*it, member(key)))
                return false;
        if (auto it = value.find("drag"); it != value.end()) {
            const Path drag = member("drag");
            if (!object(*it, drag) || !onlyKeys(*it, drag, cli::kDragScreenKeys)) return false;
            for (const char* key : {"p", "Eg", "Ep"}) {
                Path at2 = drag;
                at2.push_back({key});
                if (auto f = it->find(key); f != it->end() && !text(*f, at2)) return false;
            }
            if (auto layers = it->find("layers"); layers != it->end()) {
                Path at2 = drag;
                at2.push_back({"layers"});
                if (!rowsOfTexts(*layers, at2, 0, 4)) return false;
            }
        }
        if (auto it = value.find("side"); it != value.end()) {
            const Path side = member("side");
            if (!object(*it, side) || !onlyKeys(*it, side, cli::kSideScreenKeys)) return false;
            if (auto layers = it->find("layers"); layers != it->end()) {
                Path at2 = side;
                at2.push_back({"layers"});
                if (!rowsOfTexts(*layers, at2, 0, 2)) return false;
            }
        }
        return true;
    }

    bool project(const json& value) {
        if (!value.is_object())
            return fail({}, "not a project: the file is not one JSON object",
                        "不是项目文件：文件内容不是一个 JSON 对象");
        const auto format = value.find("format");
        if (format == value.end() || *format != kProjectFormat)
            return fail(format == value.end() ? Path{} : Path{{"format"}},
                        "not a project: \"format\" must be \"rockpile-project\"",
                        "不是嵌岩桩项目文件（应有 \"format\": \"rockpile-project\"）");
        const auto version = value.find("version");
        if (version == value.end())
            return fail({}, "the key \"version\" is missing", "缺少键“version”");
        if (!version->is_number_integer()) return integer(*version, {{"version"}}, 1, 1);
        if (version->is_number_unsigned() &&
            version->get<unsigned long long>() > static_cast<unsigned long long>(kProjectVersion))
            return fail({{"version"}},
                        "the project is of a later version than this program reads (1)",
                        "项目文件的版本比本程序新，本程序只能打开版本1的项目文件");
        if (!integer(*version, {{"version"}}, 1, kProjectVersion)) return false;
        const auto formula = value.find("formula");
        if (formula == value.end())
            return fail({}, "the key \"formula\" is missing", "缺少键“formula”");
        if (!integer(*formula, {{"formula"}}, 1, 2)) return false;
        const int f = formula->get<int>();
        if (f == 2) {
            if (!onlyKeys(value, {},
                          {"format", "version", "formula", "pile", "precision", "items", "switches",
                           "filters"}))
                return false;
        } else if (!onlyKeys(
                       value, {},
                       {"format", "version", "formula", "pile", "precision", "items", "filters"})) {
            return false;
        }
        if (auto it = value.find("pile"); it != value.end() && !pile(*it, f)) return false;
        if (auto it = value.find("precision");
            it != value.end() && !integer(*it, {{"precision"}}, 0, 4))
            return false;
        if (auto it = value.find("items");
            it != value.end() &&
            !rowsOfTexts(*it, {{"items"}}, cli::kSearchItemRows, cli::kSearchItemCells))
            return false;
        if (auto it = value.find("switches"); it != value.end()) {
            if (!it->is_array() || it->size() != cli::kSearchSwitchRows)
                return fail({{"switches"}}, "must be an array of 2 texts", "应为2项的数组");
            for (std::size_t i = 0; i < it->size(); ++i)
                if (!text((*it)[i], {{"switches"}, {{}, i, true}})) return false;
        }
        const OptimisationSetup& setup =
            f == 2 ? formulaTwoOptimisation() : formulaOneOptimisation();
        if (auto it = value.find("filters");
            it != value.end() &&
            !rowsOfTexts(*it, {{"filters"}}, setup.filterFields.size(), cli::kSearchFilterCells))
            return false;
        return true;
    }

  private:
    const std::string& m_text;
};

ProjectProblem whole(std::string english, std::string chinese, int line = 0) {
    return ProjectProblem{{}, line, std::move(english), std::move(chinese)};
}

// The line of the byte where the JSON library stopped reading.
int lineOfByte(const std::string& text, std::size_t byte) {
    const std::size_t end = std::min(byte, text.size());
    return 1 +
           static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(end), '\n'));
}

// The key a message of the JSON reading quotes: "has the key \"d\" twice" gives "d".
std::string quotedKey(const std::string& message) {
    const std::size_t open = message.find('"');
    const std::size_t close = message.rfind('"');
    return open < close ? message.substr(open + 1, close - open - 1) : std::string();
}

// A window's default item cells, for a project that does not give them.
const TypedState& newWindowState(int formula);

}  // namespace

// ---- The typed state of a window -------------------------------------------------------------

TypedState typedStateOf(const CalculatorWindow& window) {
    TypedState s;
    const auto* two = dynamic_cast<const FormulaTwoWindow*>(&window);
    s.formula = two ? 2 : 1;
    const InputScreen& input = window.inputScreen();
    input.readTexts(s.pile);
    s.precision = input.popbox_jingdu.index();
    if (two) {
        s.soil.dragLoad = two->formulaTwoInput().ckb_fumozhuli.checked();
        s.soil.sideResistance = two->formulaTwoInput().ckb_zhengmozhuli.checked();
        s.soil.drag = two->dragScreen().input();
        s.soil.side = two->sideScreen().input();
    }
    const OptimisationScreen& screen = window.optimisationScreen();
    const Grid& table = screen.Grid1_Youhuaxuanxiang;
    for (int row = 0; row < cli::kSearchItemRows; ++row)
        s.items.push_back({table.cell(row, 1), table.cell(row, 2), table.cell(row, 3)});
    if (two)
        for (int row = 0; row < cli::kSearchSwitchRows; ++row)
            s.switches.push_back(table.cell(cli::kSearchSwitchFirstRow + row, 1));
    const OptimisationSetup& setup = screen.setup();
    for (std::size_t i = 0; i < setup.filterFields.size(); ++i) {
        const int row = setup.firstFilterRow + static_cast<int>(i);
        s.filters.push_back({table.cell(row, 1), table.cell(row, 2)});
    }
    return s;
}

namespace {

// Types a cell as the user does: selects it, types, ends the edit; a cell that already holds
// the text is left alone.
void typeCell(Grid& table, int row, int column, const std::string& text) {
    if (table.cell(row, column) == text) return;
    table.selectCell(row, column);
    table.editCell(row, column, text);
}

}  // namespace

void typeState(CalculatorWindow& window, const TypedState& state) {
    InputScreen& s = window.inputScreen();
    // A pick while the popup is hidden changes the mode and computes nothing.
    if (s.popbox_jingdu.visible()) s.cbt_JingDuClick();
    s.popbox_jingdu.setIndex(state.precision);
    s.typeTexts(state.pile);
    if (auto* two = dynamic_cast<FormulaTwoWindow*>(&window)) two->typeSoil(state.soil);

    OptimisationScreen& screen = window.optimisationScreen();
    Grid& table = screen.Grid1_Youhuaxuanxiang;
    for (std::size_t r = 0; r < state.items.size(); ++r)
        for (std::size_t c = 0; c < state.items[r].size(); ++c)
            typeCell(table, static_cast<int>(r), static_cast<int>(c) + 1, state.items[r][c]);
    for (std::size_t r = 0; r < state.switches.size(); ++r)
        typeCell(table, cli::kSearchSwitchFirstRow + static_cast<int>(r), 1, state.switches[r]);
    for (std::size_t r = 0; r < state.filters.size(); ++r)
        for (std::size_t c = 0; c < state.filters[r].size(); ++c)
            typeCell(table, screen.setup().firstFilterRow + static_cast<int>(r),
                     static_cast<int>(c) + 1, state.filters[r][c]);
}

// ---- Writing -----------------------------------------------------------------------------------

std::string projectText(const TypedState& s) {
    ordered_json pile;
    const InputTexts& t = s.pile;
    pile["section"] = static_cast<int>(t.section);
    pile["d"] = t.dd;
    pile["c"] = t.tyzd;
    pile["hr"] = t.hr;
    pile["grade"] = t.gradeIndex;
    pile["process"] = t.process;
    pile["rock"] = t.mode == RockStrengthMode::Fuk ? "fuk" : "frk";
    pile["frk"] = t.frk;
    pile["fuk"] = t.fuk;
    pile["slope"] = t.slope;
    if (s.formula == 2) {
        pile["negativeFriction"] = s.soil.dragLoad;
        pile["sideResistance"] = s.soil.sideResistance;
        ordered_json drag;
        drag["p"] = s.soil.drag.p;
        drag["Eg"] = s.soil.drag.eg;
        drag["Ep"] = s.soil.drag.ep;
        ordered_json dragLayers = ordered_json::array();
        for (const SoilLayer& l : s.soil.drag.layers)
            dragLayers.push_back({l.bottom, l.unitWeight, l.xi, l.qsik});
        drag["layers"] = std::move(dragLayers);
        pile["drag"] = std::move(drag);
        ordered_json sideLayers = ordered_json::array();
        for (const SideLayer& l : s.soil.side.layers) sideLayers.push_back({l.thickness, l.qsik});
        pile["side"] = ordered_json{{"layers", std::move(sideLayers)}};
    }
    ordered_json j;
    j["format"] = kProjectFormat;
    j["version"] = kProjectVersion;
    j["formula"] = s.formula;
    j["pile"] = std::move(pile);
    j["precision"] = s.precision;
    j["items"] = s.items;
    if (s.formula == 2) j["switches"] = s.switches;
    j["filters"] = s.filters;
    // Texts are the window's UTF-8; a malformed byte (which the window never holds) would
    // become U+FFFD rather than stop the save.
    return j.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

void writeProjectFile(const std::filesystem::path& path, const std::string& text) {
    TextFileWriter writer(path);
    writer.writeBytes(text);
    writer.commit();
}

std::filesystem::path withProjectSuffix(const std::filesystem::path& chosen) {
    if (chosen.filename().u8string().ends_with(u8".rpile.json")) return chosen;
    std::filesystem::path out = chosen;
    out += pathFromUtf8(kProjectSuffix);
    return out;
}

// ---- Reading -----------------------------------------------------------------------------------

std::optional<std::string> projectHeaderProblem(const json& request, int formula) {
    const bool any =
        request.contains("format") || request.contains("version") || request.contains("formula");
    if (!any) return std::nullopt;
    const auto format = request.find("format");
    if (format == request.end() || *format != kProjectFormat)
        return std::string("key \"format\" must be \"rockpile-project\"");
    const auto version = request.find("version");
    if (version == request.end() || !version->is_number_integer() || *version != kProjectVersion)
        return std::string("key \"version\" must be 1 (this program reads projects of version 1)");
    const auto f = request.find("formula");
    if (f == request.end() || !f->is_number_integer() || (*f != 1 && *f != 2))
        return std::string("key \"formula\" must be 1 or 2");
    if (f->get<int>() != formula)
        return "the project is of formula " + std::to_string(f->get<int>()) + "; use --formula " +
               std::to_string(f->get<int>());
    return std::nullopt;
}

std::variant<TypedState, ProjectProblem> readProjectText(const std::string& text) {
    auto parsed = cli::parseJsonText(text);
    if (const auto* problem = std::get_if<std::string>(&parsed)) {
        // Where the text stops being JSON, when that is what is wrong.
        int line = 0;
        if (*problem == "is not valid JSON") {
            try {
                const json again = json::parse(text);
                (void)again;
            } catch (const json::parse_error& e) {
                line = lineOfByte(text, e.byte > 0 ? e.byte - 1 : 0);
            } catch (const json::exception&) {
            }
        }
        std::string chinese = "不是有效的 JSON 文本";
        if (problem->find("nested") != std::string::npos)
            chinese = "嵌套层数超过" + std::to_string(cli::kMaxJsonDepth) + "层，不是项目文件";
        else if (problem->find("twice") != std::string::npos)
            chinese = "同一个对象中有两个键“" + quotedKey(*problem) + "”";
        else if (problem->find("NUL") != std::string::npos)
            chinese = "含有 NUL 字节，不是文本文件";
        return whole("the file " + *problem, chinese, line);
    }
    const json& value = std::get<json>(parsed);
    Checker checker(text);
    if (!checker.project(value)) return *checker.problem;

    const int formula = value.at("formula").get<int>();
    const OptimisationSetup& setup =
        formula == 2 ? formulaTwoOptimisation() : formulaOneOptimisation();
    // The request's own reading makes the texts, exactly as pilecalc search does.
    json request = value;
    request.erase("format");
    request.erase("version");
    request.erase("formula");
    auto read = cli::parseSearchRequest(request.dump(), setup);
    if (const auto* problem = std::get_if<std::string>(&read))
        return whole(*problem, "项目内容有错：" + *problem);
    const cli::SearchRequest& r = std::get<cli::SearchRequest>(read);

    const TypedState& fresh = newWindowState(formula);
    TypedState s;
    s.formula = formula;
    s.pile = r.pile.texts;
    s.soil = formula == 2 ? r.pile.soil : fresh.soil;
    s.precision = r.precision;
    s.items = r.items ? *r.items : fresh.items;
    if (formula == 2) {
        s.switches = fresh.switches;
        if (r.switches)
            for (std::size_t i = 0; i < r.switches->size(); ++i)
                s.switches[i] = (*r.switches)[i][0];
    }
    s.filters = r.filters ? *r.filters : fresh.filters;
    return s;
}

std::variant<TypedState, ProjectProblem> readProjectFile(const std::filesystem::path& path) {
    const std::string tooLarge =
        "the file is larger than " + std::to_string(kMaxProjectBytes / 1024) + " KB";
    const std::string tooLargeChinese =
        "文件超过" + std::to_string(kMaxProjectBytes / 1024) + " KB，不是本程序的项目文件";
    std::error_code error;
    if (std::filesystem::is_regular_file(path, error)) {
        const std::uintmax_t size = std::filesystem::file_size(path, error);
        if (!error && size > kMaxProjectBytes) return whole(tooLarge, tooLargeChinese);
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) return whole("the file cannot be read", "文件无法读取（不存在或没有读取权限）");
    // At most one byte past the limit: a FIFO or a growing file is cut short there.
    std::string text(kMaxProjectBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) return whole("the file cannot be read", "文件无法读取");
    text.resize(static_cast<std::size_t>(in.gcount()));
    if (text.size() > kMaxProjectBytes) return whole(tooLarge, tooLargeChinese);
    return readProjectText(text);
}

namespace {

const TypedState& newWindowState(int formula) {
    // What a new window of the formula holds; made once, as a throwaway window would show it.
    struct NoPlatform : DocumentsFolder, Clock, MessageBox, ErrorBox, UrlOpener {
        std::filesystem::path documentsPath() const override { return {}; }
        std::string timeText() const override { return {}; }
        void showMessage(const std::string&) override {}
        void showError(const std::string&) override {}
        void openUrl(const std::string&) override {}
    };
    static const std::array<TypedState, 2> states = [] {
        NoPlatform none;
        GrantingPermissionService permissions;
        CancellingDialogs dialogs;
        Platform platform{none, none, permissions, none, none, none, dialogs};
        FormulaOneWindow one(platform);
        FormulaTwoWindow two(platform);
        return std::array<TypedState, 2>{typedStateOf(one), typedStateOf(two)};
    }();
    return states[formula == 2 ? 1 : 0];
}

}  // namespace

}  // namespace pile
