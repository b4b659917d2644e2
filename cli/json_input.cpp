// Reading one JSON line into the input screen's texts.
#include "cli/json_input.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <initializer_list>

#include "core/concrete_grades.h"
#include "core/sections.h"

namespace pile::cli {

using nlohmann::json;

bool isOneLineText(const std::string& text) {
    // A field of the screen holds one line; a control character would break the books' lines:
    // C0 and DEL, the C1 controls (U+0080 to U+009F, "\xC2\x80" to "\xC2\x9F" in UTF-8), and the
    // line and paragraph separators U+2028 and U+2029.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) return false;
        const auto next = [&](std::size_t k) {
            return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0;
        };
        if (c == 0xC2 && next(1) >= 0x80 && next(1) <= 0x9F) return false;
        if (c == 0xE2 && next(1) == 0x80 && (next(2) == 0xA8 || next(2) == 0xA9)) return false;
    }
    return true;
}

namespace {

// The deepest nesting of arrays and objects in the text, counted outside strings and given up
// past `limit`: the JSON library's parser is iterative, but its serializer, comparison and
// copies of a value recurse once per level, so a deep value must not get that far.
bool nestedDeeperThan(const std::string& text, int limit) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\')
                ++i;  // the escaped character cannot end the string
            else if (c == '"')
                inString = false;
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > limit) return true;
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return false;
}

}  // namespace

std::variant<json, std::string> parseJsonText(const std::string& text) {
    // The library takes a NUL byte for the end of the input and would ignore what follows; no
    // JSON text holds one (inside a string it must be escaped), so the text is not JSON.
    if (text.find('\0') != std::string::npos)
        return std::string("is not valid JSON (it holds a NUL byte)");
    if (nestedDeeperThan(text, kMaxJsonDepth))
        return "is nested deeper than " + std::to_string(kMaxJsonDepth) + " levels";
    // Keys seen so far in each open object, innermost last.
    std::vector<std::vector<std::string>> open;
    std::optional<std::string> twice;
    const json::parser_callback_t noteKeys = [&](int, json::parse_event_t event, json& parsed) {
        if (event == json::parse_event_t::object_start) {
            open.emplace_back();
        } else if (event == json::parse_event_t::object_end) {
            if (!open.empty()) open.pop_back();
        } else if (event == json::parse_event_t::key && !open.empty()) {
            const std::string key = parsed.get<std::string>();
            auto& keys = open.back();
            if (std::find(keys.begin(), keys.end(), key) != keys.end() && !twice) twice = key;
            keys.push_back(key);
        }
        return true;
    };
    json value = json::parse(text, noteKeys, /*allow_exceptions=*/false);
    if (value.is_discarded()) return std::string("is not valid JSON");
    if (twice) return "has the key \"" + *twice + "\" twice";
    return value;
}

std::string inputKeyOf(const std::string& field) {
    if (field == "cbe_dd") return "d";
    if (field == "cbe_tyzd") return "c";
    if (field == "cbe_hr") return "hr";
    if (field == "edt_frk") return "frk";
    if (field == "edt_fuk") return "fuk";
    // The soil screens refuse a pile under the names "side" and "drag".
    if (field == "side") return kSideKey;
    if (field == "drag") return kDragKey;
    return field;
}

std::optional<std::string> textOfValue(const json& value) {
    if (value.is_string()) return value.get<std::string>();
    if (value.is_number_integer()) {
        return value.is_number_unsigned() ? std::to_string(value.get<std::uint64_t>())
                                          : std::to_string(value.get<std::int64_t>());
    }
    if (value.is_number_float()) {
        char buffer[32];
        const auto res = std::to_chars(buffer, buffer + sizeof buffer, value.get<double>());
        return std::string(buffer, res.ptr);
    }
    return std::nullopt;
}

bool onlyKnownKeys(const json& obj, std::initializer_list<const char*> known, const char* where,
                   std::string& problem) {
    return onlyKnownKeys(obj, std::span<const char* const>(known.begin(), known.size()), where,
                         problem);
}

bool onlyKnownKeys(const json& obj, std::span<const char* const> known, const char* where,
                   std::string& problem) {
    for (const auto& item : obj.items()) {
        const std::string& key = item.key();
        if (std::none_of(known.begin(), known.end(), [&](const char* k) { return key == k; })) {
            problem = std::string("unknown key \"") + key + "\"" + where;
            return false;
        }
    }
    return true;
}

bool isBlankLine(const std::string& line) {
    return std::all_of(line.begin(), line.end(), [](unsigned char c) {
        return c == ' ' || c == '\t' || c == '\r' || c == '\n';
    });
}

namespace {

bool readText(const json& obj, const char* key, std::string& target, std::string& problem) {
    auto it = obj.find(key);
    if (it == obj.end()) return true;
    std::optional<std::string> typed = textOfValue(*it);
    if (!typed) {
        problem = std::string("key \"") + key + "\" must be a text or a number";
        return false;
    }
    std::string text = std::move(*typed);
    if (!isOneLineText(text)) {
        problem =
            std::string("key \"") + key + "\" must be one line of text, without control characters";
        return false;
    }
    target = std::move(text);
    return true;
}

bool readIndex(const json& obj, const char* key, int lo, int hi, std::optional<int>& target,
               std::string& problem) {
    auto it = obj.find(key);
    if (it == obj.end()) return true;
    if (!it->is_number_integer()) {
        problem = std::string("key \"") + key + "\" must be an integer";
        return false;
    }
    const auto v = it->get<long long>();
    if (v < lo || v > hi) {
        problem = std::string("key \"") + key + "\" must lie in " + std::to_string(lo) + ".." +
                  std::to_string(hi);
        return false;
    }
    target = static_cast<int>(v);
    return true;
}

bool readFlag(const json& obj, const char* key, bool& target, std::string& problem) {
    auto it = obj.find(key);
    if (it == obj.end()) return true;
    if (!it->is_boolean()) {
        problem = std::string("key \"") + key + "\" must be true or false";
        return false;
    }
    target = it->get<bool>();
    return true;
}

// "layers": [[cell, ...], ...] with `width` texts a row and 1 to 20 rows.
bool readLayerRows(const json& parent, const char* where, size_t width,
                   std::vector<std::vector<std::string>>& rows, std::string& problem) {
    auto it = parent.find("layers");
    if (it == parent.end()) return true;
    const std::string name = std::string(where) + ".layers";
    if (!it->is_array() || it->empty() || it->size() > static_cast<size_t>(kMaxSoilLayers)) {
        problem = "key \"" + name + "\" must be an array of 1 to 20 layers";
        return false;
    }
    for (const auto& row : *it) {
        const std::string shape = "each row of \"" + name + "\" must be an array of " +
                                  std::to_string(width) + " texts or numbers";
        if (!row.is_array() || row.size() != width) {
            problem = shape;
            return false;
        }
        std::vector<std::string> cells;
        for (const auto& c : row) {
            std::optional<std::string> text = textOfValue(c);
            if (!text) {
                problem = shape;
                return false;
            }
            // A layer cell is printed into the books and list files: one line, as a field.
            if (!isOneLineText(*text)) {
                problem = "a cell of \"" + name +
                          "\" must be one line of text, without control "
                          "characters";
                return false;
            }
            cells.push_back(std::move(*text));
        }
        rows.push_back(std::move(cells));
    }
    return true;
}

bool readObject(const json& obj, const char* key, const json*& target, std::string& problem) {
    auto it = obj.find(key);
    if (it == obj.end()) return true;
    if (!it->is_object()) {
        problem = std::string("key \"") + key + "\" must be an object";
        return false;
    }
    target = &*it;
    return true;
}

// The soil switches and the two soil screens of formula two.
bool readSoil(const json& obj, FormulaTwoSoil& soil, std::string& problem) {
    if (!readFlag(obj, kNegativeFrictionKey, soil.dragLoad, problem) ||
        !readFlag(obj, kSideResistanceKey, soil.sideResistance, problem))
        return false;
    const json* drag = nullptr;
    const json* side = nullptr;
    if (!readObject(obj, kDragKey, drag, problem) || !readObject(obj, kSideKey, side, problem))
        return false;
    const std::string inDrag = std::string(" in \"") + kDragKey + "\"";
    const std::string inSide = std::string(" in \"") + kSideKey + "\"";
    if (drag && !onlyKnownKeys(*drag, kDragScreenKeys, inDrag.c_str(), problem)) return false;
    if (side && !onlyKnownKeys(*side, kSideScreenKeys, inSide.c_str(), problem)) return false;
    if (drag) {
        if (!readText(*drag, "p", soil.drag.p, problem) ||
            !readText(*drag, "Eg", soil.drag.eg, problem) ||
            !readText(*drag, "Ep", soil.drag.ep, problem)) {
            problem = "drag: " + problem;
            return false;
        }
        std::vector<std::vector<std::string>> rows;
        if (!readLayerRows(*drag, kDragKey, 4, rows, problem)) return false;
        if (!rows.empty()) {
            // The first row keeps the default row's (hidden) soil name; rows added by
            // raising the layer count start blank.
            soil.drag.layers.resize(1);
            soil.drag.layers.resize(rows.size(), SoilLayer::blank());
            for (size_t i = 0; i < rows.size(); ++i) {
                auto& l = soil.drag.layers[i];
                l.bottom = rows[i][0];
                l.unitWeight = rows[i][1];
                l.xi = rows[i][2];
                l.qsik = rows[i][3];
            }
        }
    }
    if (side) {
        std::vector<std::vector<std::string>> rows;
        if (!readLayerRows(*side, kSideKey, 2, rows, problem)) return false;
        if (!rows.empty()) {
            soil.side.layers.assign(rows.size(), SideLayer::blank());
            for (size_t i = 0; i < rows.size(); ++i) {
                soil.side.layers[i].thickness = rows[i][0];
                soil.side.layers[i].qsik = rows[i][1];
            }
        }
    }
    return true;
}

}  // namespace

std::variant<PileLine, std::string> parsePileLine(const std::string& line) {
    auto parsed = parseJsonText(line);
    if (const auto* problem = std::get_if<std::string>(&parsed)) return "line " + *problem;
    json obj = std::move(std::get<json>(parsed));
    if (!obj.is_object()) return std::string("line is not a JSON object");

    PileLine out;
    std::string problem;

    if (auto it = obj.find("action"); it != obj.end()) {
        if (!it->is_string() || it->get<std::string>() != "deleteLast")
            return std::string("key \"action\" must be \"deleteLast\"");
        if (obj.size() != 1) return std::string("an \"action\" line holds no other key");
        out.kind = PileLine::Kind::DeleteLast;
        return out;
    }
    if (obj.contains("precision")) {
        if (obj.size() != 1) return std::string("\"precision\" goes on a line of its own");
        std::optional<int> p;
        if (!readIndex(obj, "precision", 0, 4, p, problem)) return problem;
        out.kind = PileLine::Kind::Precision;
        out.precision = *p;
        return out;
    }

    if (!onlyKnownKeys(obj, kPileKeys, "", problem)) return problem;
    std::optional<int> section, grade, process;
    if (!readIndex(obj, "section", 0, kSectionCount - 1, section, problem)) return problem;
    RockStrengthMode mode = RockStrengthMode::Frk;
    if (auto it = obj.find("rock"); it != obj.end()) {
        if (!it->is_string() || (*it != "frk" && *it != "fuk"))
            return std::string("key \"rock\" must be \"frk\" or \"fuk\"");
        mode = *it == "fuk" ? RockStrengthMode::Fuk : RockStrengthMode::Frk;
    }
    InputTexts t = NewSectionTexts(static_cast<SectionType>(section.value_or(0)), mode);

    if (!readText(obj, "d", t.dd, problem) || !readText(obj, "c", t.tyzd, problem) ||
        !readText(obj, "hr", t.hr, problem) || !readText(obj, "frk", t.frk, problem) ||
        !readText(obj, "fuk", t.fuk, problem))
        return problem;
    if (!readIndex(obj, "grade", 0, kGradeCount - 1, grade, problem)) return problem;
    if (grade) {
        t.gradeIndex = *grade;
        t.gradeText = GradeItems()[static_cast<size_t>(*grade)];
    }
    const auto& processes = ProcessItems(t.section, t.mode);
    if (!readIndex(obj, "process", 0, static_cast<int>(processes.size()) - 1, process, problem))
        return problem + " (the process list of this section and rock mode has " +
               std::to_string(processes.size()) + (processes.size() == 1 ? " item)" : " items)");
    if (process) {
        t.process = *process;
        t.processText = processes[static_cast<size_t>(*process)];
    }
    if (auto it = obj.find("slope"); it != obj.end()) {
        if (!it->is_boolean()) return std::string("key \"slope\" must be true or false");
        t.slope = it->get<bool>();
    }
    if (!readSoil(obj, out.soil, problem)) return problem;
    out.texts = std::move(t);
    return out;
}

}  // namespace pile::cli
