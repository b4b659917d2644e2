// libFuzzer target: one pilecalc compute line of either formula (the first byte chooses), as
// pilecalc reads it. Checks: exactly one answer line of valid JSON; every result text a finite
// number, never "-0"; Quk = Qsk + Qrk and Ra = Quk / K on the unrounded results; and in formula
// two the verdict agrees with the signs of the two limits.
#include <nlohmann/json.hpp>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "fuzz/fuzz_checks.h"

namespace {

using nlohmann::json;
using pile::fuzz::check;

bool close(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(b)); }

void checkNumberText(const json& answer, const char* key) {
    if (!answer.contains(key)) return;
    const std::string text = answer[key].get<std::string>();
    pile::fuzz::checkText(text);
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    check(!text.empty() && end == text.c_str() + text.size(), "a result text is not a number");
    check(std::isfinite(value), "a result text is not finite");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool two = data[0] & 1;
    std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    // One line: the line feed ends it, as the reader would.
    if (const auto at = line.find('\n'); at != std::string::npos) line.resize(at);
    std::istringstream in(line + "\n");
    std::ostringstream out, err;
    pile::cli::runComputeCommand({"--formula", two ? "2" : "1"}, in, out, err);

    const std::string text = out.str();
    if (text.empty()) return 0;  // a blank line has no answer
    check(text.back() == '\n' && text.find('\n') == text.size() - 1, "not one answer line");
    const json answer = json::parse(text, nullptr, false);
    check(!answer.is_discarded() && answer.is_object(), "the answer is not a JSON object");
    if (answer.value("ok", false) != true) return 0;

    for (const char* key : {"kesair", "ra", "rc", "qgn", "nk", "n"}) checkNumberText(answer, key);
    const json& r = answer["result"];
    const double qrk = r["Qrk"], qsk = r["Qsk"], quk = r["Quk"], k = r["K"], ra = r["Ra"];
    check(close(quk, qsk + qrk), "Quk is not Qsk + Qrk");
    check(close(ra, quk / k), "Ra is not Quk / K");
    if (two && r.contains("NkLimit") && r.contains("NLimit")) {
        const bool nkBad = r["NkLimit"].get<double>() < 0;
        const bool nBad = r["NLimit"].get<double>() < 0;
        const std::string expected = nkBad && nBad ? "异常"
                                     : nkBad       ? "[Nk]异常"
                                     : nBad        ? "[N]异常"
                                                   : "正常";
        check(answer.value("verdict", std::string()) == expected,
              "the verdict disagrees with the limits");
    }
    return 0;
}
