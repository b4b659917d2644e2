// libFuzzer target: arbitrary screen texts through the whole formula-one path.
//
// Input layout: six control bytes (section, rock mode, grade, process, slope, rounding
// mode), then the texts of cbe_dd, cbe_tyzd, cbe_hr, edt_frk and edt_fuk separated by
// '\n'. The process index is kept inside the list the screen would offer. Any accepted pile
// with a non-finite value, and any result text that is not a finite number or shows a
// negative zero, stops the run. The raw bytes also go through the text-width helpers and
// both number conversions.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/concrete_grades.h"
#include "core/number_format.h"
#include "core/pile_calc.h"
#include "core/sections.h"
#include "core/text_width.h"

namespace {

using namespace pile;

void check(bool ok) {
    if (!ok) __builtin_trap();
}

bool isFinite(double x) { return std::isfinite(x); }
bool isFinite(const std::optional<double>& x) { return !x || std::isfinite(*x); }

// A result text must read back as a finite number and never be a negative zero.
void checkText(const std::string& text) {
    const std::optional<double> back = ParseStrict(text);
    check(back.has_value() && std::isfinite(*back));
    if (!text.empty() && text[0] == '-') {
        check(text.find_first_of("123456789") != std::string::npos);
    }
}

void checkResult(const PileResult& r) {
    check(isFinite(r.area) && isFinite(r.perimeter) && isFinite(r.depthRatio) && isFinite(r.rUsed));
    check(isFinite(r.sideRatio) && isFinite(r.zetaR) && isFinite(r.beta) && isFinite(r.alpha0));
    check(isFinite(r.coef) && isFinite(r.psiC) && isFinite(r.fc) && isFinite(r.K));
    check(isFinite(r.Qrk) && isFinite(r.Qsk) && isFinite(r.Quk) && isFinite(r.Ra) &&
          isFinite(r.Rc));
}

void fuzzTexts(const std::string& raw, std::uint8_t widthByte) {
    const int width = DisplayWidth(raw);
    check(width >= 0 && static_cast<std::size_t>(width) <= raw.size());
    const int target = widthByte % 64;
    const int expected = width > target ? width : target;
    check(DisplayWidth(PadLeft(raw, " ", target)) == expected);
    check(DisplayWidth(PadRight(raw, " ", target)) == expected);
    check(DisplayWidth(PadCenter(raw, " ", target)) == expected);
    check(DisplayWidth(Spaces(target - 32)) == (target > 32 ? target - 32 : 0));

    const double lenient = ParseLenient(raw);
    check(isFinite(lenient));
    if (const std::optional<double> strict = ParseStrict(raw)) {
        check(isFinite(*strict) && *strict == lenient);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr std::size_t kHeader = 6;
    if (size < kHeader) return 0;
    const std::string body(reinterpret_cast<const char*>(data + kHeader), size - kHeader);
    fuzzTexts(body, data[0]);

    InputTexts t;
    t.section = static_cast<SectionType>(data[0] % kSectionCount);
    t.mode = (data[1] & 1) ? RockStrengthMode::Fuk : RockStrengthMode::Frk;
    t.gradeIndex = data[2] % kGradeCount;
    t.gradeText = GradeItems()[static_cast<std::size_t>(t.gradeIndex)];
    const auto& processes = ProcessItems(t.section, t.mode);
    t.process = static_cast<int>(data[3] % processes.size());
    t.processText = processes[static_cast<std::size_t>(t.process)];
    t.slope = data[4] & 1;
    const auto mode = static_cast<RoundingMode>(data[5] % 5);

    std::vector<std::string> fields(5);
    std::size_t field = 0;
    for (char c : body) {
        if (c == '\n') {
            if (++field == fields.size()) break;
            continue;
        }
        fields[field] += c;
    }
    t.dd = fields[0];
    t.tyzd = fields[1];
    t.hr = fields[2];
    t.frk = fields[3];
    t.fuk = fields[4];

    auto read = ReadPileInput(t);
    const auto* input = std::get_if<PileInput>(&read);
    if (!input) return 0;
    check(isFinite(input->size1) && isFinite(input->size2) && isFinite(input->hr));
    check(isFinite(input->frk) && isFinite(input->fuk));
    check(input->size1 > 0 && input->hr >= 0);
    if (t.section == SectionType::Rectangle) check(input->size1 >= input->size2);

    auto computed = ComputePile(*input);
    const auto* r = std::get_if<PileResult>(&computed);
    if (!r) return 0;
    checkResult(*r);

    checkText(FormatResult(r->Ra, mode, 7));
    checkText(FormatResult(r->Rc, mode, 7));
    checkText(FormatResult(r->Qrk, mode, 10));
    checkText(FormatFixed(r->zetaR ? *r->zetaR : r->coef.value_or(0), 7, 4));
    checkText(FormatFixed(r->area / 1000000, 6, 2));
    checkText(FormatFixed(r->perimeter / 1000, 6, 2));
    checkText(FormatFixed(r->Ra, 10, 2));
    checkText(FormatGeneral(input->size1));
    return 0;
}
