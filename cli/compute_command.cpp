// pilecalc compute: one pile per input line, one JSON answer per output line.
#include <iostream>
#include <optional>
#include <string>

#include "app/model/project_file.h"
#include "books/text_file.h"
#include "cli/commands.h"
#include "cli/headless_window.h"
#include "cli/json_input.h"
#include "core/number_format.h"
#include "core/pile_calc.h"
#include "soil/formula_two.h"

namespace pile::cli {

using nlohmann::ordered_json;

namespace {

ordered_json resultJson(const PileResult& r) {
    ordered_json j;
    j["area"] = r.area;
    j["perimeter"] = r.perimeter;
    j["depthRatio"] = r.depthRatio;
    j["rUsed"] = r.rUsed;
    j["capped"] = r.capped;
    auto optional = [&j](const char* key, const std::optional<double>& v) {
        if (v) j[key] = *v;
    };
    optional("sideRatio", r.sideRatio);
    optional("zetaR", r.zetaR);
    optional("beta", r.beta);
    optional("alpha0", r.alpha0);
    optional("coef", r.coef);
    j["psiC"] = r.psiC;
    j["fc"] = r.fc;
    j["Qrk"] = r.Qrk;
    j["Qsk"] = r.Qsk;
    j["Quk"] = r.Quk;
    j["K"] = r.K;
    j["Ra"] = r.Ra;
    j["Rc"] = r.Rc;
    optional("Qgn", r.Qgn);
    optional("NkLimit", r.NkLimit);
    optional("NLimit", r.NLimit);
    return j;
}

ordered_json rejectionJson(const Rejection& r) {
    ordered_json j;
    j["ok"] = false;
    j["message"] = r.message;
    j["field"] = inputKeyOf(r.field);
    return j;
}

ordered_json errorJson(const std::string& problem) {
    ordered_json j;
    j["ok"] = false;
    j["error"] = problem;
    return j;
}

// A soil screen after its calculation: the result label, the message label and every grid
// row as its cell texts.
ordered_json soilGridJson(const Label& label, const Label& message, const Grid& grid) {
    ordered_json rows = ordered_json::array();
    for (int row = 0; row < grid.rowCount(); ++row) rows.push_back(grid.row(row));
    ordered_json j;
    j["label"] = label.text();
    j["message"] = message.text();
    j["rows"] = std::move(rows);
    return j;
}

// What the input screen shows after Compute. The pile is typed into a new window, as a
// missing key means the default of a new window; formula two also ticks its soil switches and
// fills its soil screens.
ordered_json computeLine(const PileLine& line, int formula, RoundingMode mode) {
    HeadlessWindow window(formula);
    window.setRoundingMode(mode);
    window.enterPile(line.texts);
    window.enterSoil(line.soil);
    const auto outcome = window.compute();
    if (outcome.rejection) return rejectionJson(*outcome.rejection);
    const InputScreen& screen = window.screen();
    const FormulaTwoWindow* two = window.formulaTwo();
    const PileResult& r = *outcome.result;

    ordered_json j;
    j["ok"] = true;
    j["kesair"] = screen.edt_kesair.text();
    j["ra"] = screen.edt_ra.text();
    j["rc"] = screen.edt_rc.text();
    // lb_shuoming: the rock class in frk mode (formula two reports its limits in "message").
    j["rockClass"] =
        two ? (r.rockClass ? RockClassName(*r.rockClass) : "") : screen.lb_shuoming.text();
    j["d"] = screen.cbe_dd.text();
    j["c"] = screen.cbe_tyzd.text();
    if (two) {
        const FormulaTwoInputScreen& input = two->formulaTwoInput();
        j["qgn"] = input.edt_Qgn.text();
        j["nk"] = input.edt_Nkxianzhi.text();
        j["n"] = input.edt_Nxianzhi.text();
        j["verdict"] = limitVerdictText(input.lastRun()->result.verdict);
        j["message"] = input.lb_shuoming.text();
    }
    j["result"] = resultJson(r);
    if (two && two->formulaTwoInput().ckb_fumozhuli.checked()) {
        const NegativeFrictionScreen& drag = two->dragScreen();
        j["dragLoad"] = soilGridJson(drag.lb_FQgn, drag.lb_FMZxinxi, drag.Grid1_Fumozhulijisuan);
    }
    if (two && two->formulaTwoInput().ckb_zhengmozhuli.checked()) {
        const SideResistanceScreen& side = two->sideScreen();
        j["sideLoad"] = soilGridJson(side.lb_Qsk, side.lb_ZMZxinxi, side.Grid1_Zhengmozhulijisuan);
    }
    return j;
}

}  // namespace

bool parsePrecision(const std::string& text, int& mode, std::ostream& err) {
    if (text.size() == 1 && text[0] >= '0' && text[0] <= '4') {
        mode = text[0] - '0';
        return true;
    }
    err << "pilecalc: --precision takes 0, 1, 2, 3 or 4, not \"" << text << "\"\n";
    return false;
}

bool parseFormula(const std::string& text, int& formula, std::ostream& err) {
    if (text == "1" || text == "2") {
        formula = text[0] - '0';
        return true;
    }
    err << "pilecalc: --formula takes 1 or 2, not \"" << text << "\"\n";
    return false;
}

namespace {

constexpr const char* kComputeUsage =
    "usage: pilecalc compute [--formula 1|2] [--precision 0..4] < piles.jsonl\n"
    "       pilecalc compute --project FILE\n";

// The pile of a project file, computed as the window that opened it computes it when 计算 is
// pressed: one answer line. The formula and the precision are the project's.
int computeProject(const std::string& file, std::ostream& out, std::ostream& err) {
    auto read = readProjectFile(pathFromUtf8(file));
    if (const auto* problem = std::get_if<ProjectProblem>(&read)) {
        err << "pilecalc compute: " << file << ": " << problem->englishText() << '\n';
        return kExitUsage;
    }
    const TypedState& state = std::get<TypedState>(read);
    PileLine line;
    line.texts = state.pile;
    line.soil = state.soil;
    const ordered_json answer =
        computeLine(line, state.formula, static_cast<RoundingMode>(state.precision));
    out << answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
    return out ? kExitOk : kExitStreamFailed;
}

}  // namespace

int runComputeCommand(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                      std::ostream& err) {
    int precision = static_cast<int>(RoundingMode::Units);
    int formula = 1;
    if (!args.empty() && args[0] == "--project") {
        if (args.size() != 2) {
            err << "pilecalc compute: --project takes one file and no other option\n"
                << kComputeUsage;
            return kExitUsage;
        }
        return computeProject(args[1], out, err);
    }
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--project") {
            err << "pilecalc compute: --project takes one file and no other option\n"
                << kComputeUsage;
            return kExitUsage;
        } else if (args[i] == "--precision" && i + 1 < args.size()) {
            if (!parsePrecision(args[++i], precision, err)) return kExitUsage;
        } else if (args[i] == "--formula" && i + 1 < args.size()) {
            if (!parseFormula(args[++i], formula, err)) return kExitUsage;
        } else if (args[i] == "--precision" || args[i] == "--formula") {
            err << "pilecalc compute: " << args[i] << " needs a value\n" << kComputeUsage;
            return kExitUsage;
        } else {
            err << "pilecalc compute: unknown option \"" << args[i] << "\"\n" << kComputeUsage;
            return kExitUsage;
        }
    }
    const auto mode = static_cast<RoundingMode>(precision);

    std::string line;
    while (std::getline(in, line)) {
        if (isBlankLine(line)) continue;
        auto parsed = parsePileLine(line);
        ordered_json answer;
        if (auto* problem = std::get_if<std::string>(&parsed)) {
            answer = errorJson(*problem);
        } else {
            const auto& pl = std::get<PileLine>(parsed);
            if (pl.kind != PileLine::Kind::Pile)
                answer = errorJson(
                    "pilecalc compute takes piles only; precision and "
                    "deleteLast lines belong to pilecalc book");
            else
                answer = computeLine(pl, formula, mode);
        }
        out << answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
        if (!out) break;  // nothing more would arrive
    }
    return streamStatus(in, out, err, "pilecalc compute", kExitOk);
}

}  // namespace pile::cli
