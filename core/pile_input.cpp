// The pile input record and its reading from the input screen's texts.
//
// Both number conversions scan the decimal grammar themselves and hand the digits to
// std::from_chars, so "." is the decimal point whatever the process locale is, and
// neither "inf", "nan" nor hexadecimal can ever get in.
#include "core/pile_input.h"

#include <charconv>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "core/number_format.h"
#include "core/sections.h"

namespace pile {
namespace detail {

bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The longest decimal number at text[begin]: [sign] digits [. digits] [(e|E) [sign] digits],
// with at least one digit before or after the point. An exponent without digits is not
// part of the number. Returns the end of the number, or begin when there is none.
std::size_t scanNumber(std::string_view text, std::size_t begin) {
    std::size_t i = begin;
    const std::size_t n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < n && isDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return begin;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < n && isDigit(text[j])) {
            while (j < n && isDigit(text[j])) ++j;
            i = j;
        }
    }
    return i;
}

// Converts a number that scanNumber accepted. Returns false when its magnitude is too
// large for a double; a value too small for a double is 0. Never returns -0.
bool convertNumber(std::string_view text, std::size_t begin, std::size_t end, double& out) {
    bool negative = false;
    if (text[begin] == '+' || text[begin] == '-') {
        negative = text[begin] == '-';
        ++begin;
    }
    double value = 0;
    const auto res =
        std::from_chars(text.data() + begin, text.data() + end, value, std::chars_format::general);
    if (res.ec == std::errc::result_out_of_range) {
        // Out of range either way: find out which by the decimal exponent of the leading
        // non-zero digit (the exponent is clamped, so a huge one cannot overflow here).
        long long lead = 0;  // power of ten of the first significant digit, before "e"
        bool seen = false, afterPoint = false;
        long long intDigits = 0, zerosAfterPoint = 0;
        std::size_t i = begin;
        for (; i < end && text[i] != 'e' && text[i] != 'E'; ++i) {
            const char c = text[i];
            if (c == '.') {
                afterPoint = true;
                continue;
            }
            if (!seen && c == '0') {
                if (afterPoint) ++zerosAfterPoint;
                continue;
            }
            if (!seen) seen = true;
            if (!afterPoint) ++intDigits;
        }
        lead = intDigits > 0 ? intDigits - 1 : -(zerosAfterPoint + 1);
        long long exp = 0;
        if (i < end) {
            ++i;
            bool expNegative = false;
            if (text[i] == '+' || text[i] == '-') expNegative = text[i++] == '-';
            for (; i < end; ++i) {
                if (exp < 100000000) exp = exp * 10 + (text[i] - '0');
            }
            if (expNegative) exp = -exp;
        }
        if (lead + exp > 0) return false;
        value = 0;
    } else if (res.ec != std::errc() || res.ptr != text.data() + end || !std::isfinite(value)) {
        return false;
    }
    out = (negative && value != 0) ? -value : value;
    return true;
}

// The first occurrence of the unit letter, or npos.
std::size_t findUnit(const std::string& text, char unit) { return text.find(unit); }

}  // namespace detail

ProcessLabel processLabelFor(int section, int rockType, int processIndex) {
    if (rockType != 1) return ProcessLabel::DryWork;
    if (!DescribeCode(section).circleRules) return ProcessLabel::ManualDigging;
    switch (processIndex) {
        case 1:
            return ProcessLabel::MudProtected;
        case 2:
            return ProcessLabel::PostGrouted;
        default:
            return ProcessLabel::DryWork;
    }
}

const char* processLabelText(ProcessLabel label) {
    switch (label) {
        case ProcessLabel::MudProtected:
            return "泥浆护壁";
        case ProcessLabel::PostGrouted:
            return "后 注 浆";
        case ProcessLabel::ManualDigging:
            return "人工挖孔";
        case ProcessLabel::DryWork:
            break;
    }
    return "干 作 业";
}

Rejection RefusePile(RefusalKind kind, SectionType section, RockStrengthMode mode) {
    const bool rectangle = section == SectionType::Rectangle;
    switch (kind) {
        case RefusalKind::Size:
            return {rectangle ? "矩形长边尺寸数据有错" : "桩身直径数据有错", "cbe_dd", kind};
        case RefusalKind::SecondSize:
            return {rectangle ? "矩形短边尺寸数据有错" : "椭圆直段长度数据有错", "cbe_tyzd", kind};
        case RefusalKind::Depth:
            return {"嵌岩深度数据有错", "cbe_hr", kind};
        case RefusalKind::SideRatio:
            return {rectangle ? "超出范围，限制条件0.5≤b/a≤1.0" : "超出范围，限制条件0.2≤c/d≤2.0",
                    "cbe_tyzd", kind};
        case RefusalKind::Rock:
            return mode == RockStrengthMode::Frk
                       ? Rejection{"岩石单轴抗压强度值有错", "edt_frk", kind}
                       : Rejection{"桩端地基极限承载力值有错", "edt_fuk", kind};
        case RefusalKind::SoilLayer:
            break;
    }
    // Soil layers are refused by the soil calculations, with the layer in the message.
    return {"", "", kind};
}

double ParseLenient(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && detail::isBlank(text[i])) ++i;
    const std::size_t end = detail::scanNumber(text, i);
    if (end == i) return 0;
    double value = 0;
    if (!detail::convertNumber(text, i, end, value)) return 0;
    return value;
}

double ParseFieldNumber(const std::string& text) { return ParseLeadingNumber(text).value_or(0); }

std::optional<double> ParseLeadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && detail::isBlank(text[i])) ++i;
    if (i == text.size()) return 0.0;
    const std::size_t end = detail::scanNumber(text, i);
    if (end == i) return std::nullopt;
    // "," or the full-width "，" (U+FF0C) right after the number, then a digit.
    const std::string_view rest = std::string_view(text).substr(end);
    const std::size_t comma = rest.starts_with(",") ? 1 : rest.starts_with("\xEF\xBC\x8C") ? 3 : 0;
    if (comma > 0 && rest.size() > comma && detail::isDigit(rest[comma])) return std::nullopt;
    double value = 0;
    if (!detail::convertNumber(text, i, end, value)) return std::nullopt;
    return value;
}

namespace {

// The strict reading of a whole text.
std::optional<double> parseStrict(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && detail::isBlank(text[i])) ++i;
    const std::size_t end = detail::scanNumber(text, i);
    if (end == i) return std::nullopt;
    std::size_t j = end;
    while (j < text.size() && detail::isBlank(text[j])) ++j;
    if (j != text.size()) return std::nullopt;
    double value = 0;
    if (!detail::convertNumber(text, i, end, value)) return std::nullopt;
    return value;
}

}  // namespace

std::optional<double> ParseStrict(const std::string& text) { return parseStrict(text); }

const std::vector<std::string>& ProcessItems(SectionType section, RockStrengthMode mode) {
    static const std::vector<std::string> circleFrk = {"干作业成桩(清底干净)", "泥浆护壁成桩",
                                                       "泥浆护壁成桩后注浆"};
    static const std::vector<std::string> manual = {"人工挖孔"};
    static const std::vector<std::string> fukItem = {"干作业成孔且清底干净"};
    if (mode == RockStrengthMode::Fuk) return fukItem;
    return UsesCircleRules(section) ? circleFrk : manual;
}

int DefaultProcessIndex(SectionType section, RockStrengthMode mode) {
    return (UsesCircleRules(section) && mode == RockStrengthMode::Frk) ? 1 : 0;
}

const std::vector<std::string>& GradeItems() {
    static const std::vector<std::string> items = [] {
        std::vector<std::string> texts;
        for (const ConcreteGrade& grade : kConcreteGrades) texts.emplace_back(grade.text);
        return texts;
    }();
    return items;
}

double PileInputReader::number(Field& field, const std::string& text) {
    if (!field.read || field.text != text) {
        field.text = text;
        field.value = ParseFieldNumber(text);
        field.read = true;
    }
    return field.value;
}

const Rejection* PileInputReader::read(InputTexts& texts) {
    const SectionType section = texts.section;
    const bool rectangle = section == SectionType::Rectangle;

    PileInput& in = m_input;
    in.section = section;
    in.size1 = number(m_dd, texts.dd);
    in.size2 = HasSecondSize(section) ? number(m_tyzd, texts.tyzd) : 0;
    in.frk = number(m_frk, texts.frk);
    in.fuk = number(m_fuk, texts.fuk);

    const auto refuse = [&](RefusalKind kind) {
        m_rejection = RefusePile(kind, section, texts.mode);
        return &m_rejection;
    };
    if (!(in.size1 > 0)) return refuse(RefusalKind::Size);
    if (HasSecondSize(section) && !(in.size2 > 0)) return refuse(RefusalKind::SecondSize);

    // The long side goes to cbe_dd. Equal sides are rewritten too, so the fields always
    // show the values the calculation used.
    if (rectangle && in.size2 >= in.size1) {
        std::swap(in.size1, in.size2);
        texts.dd = FormatGeneral(in.size1);
        texts.tyzd = FormatGeneral(in.size2);
    }

    // Socket depth: a multiple of the section's unit length (d, or b for a rectangle) when its
    // letter appears, everything after the letter ignored; otherwise mm.
    const char unit = DepthUnitOf(section);
    const double reference = DepthReference(section, in.size1, in.size2);
    if (!m_depth.read || m_depth.text != texts.hr || m_depthUnit != unit) {
        const std::size_t p = detail::findUnit(texts.hr, unit);
        m_depthIsMultiple = p != std::string::npos;
        const std::string_view hr = texts.hr;
        m_depthNumber = parseStrict(m_depthIsMultiple ? hr.substr(0, p) : hr);
        m_depth.text = texts.hr;
        m_depth.read = true;
        m_depthUnit = unit;
    }
    in.depthIsMultiple = m_depthIsMultiple;
    const std::optional<double> depth = m_depthNumber;
    if (!depth || *depth < 0) return refuse(RefusalKind::Depth);
    in.hr = in.depthIsMultiple ? *depth * reference : *depth;
    if (!std::isfinite(in.hr)) return refuse(RefusalKind::Depth);

    if (section == SectionType::Ellipse) {
        const double cd = in.size2 / in.size1;
        if (!(cd >= 0.2 && cd <= 2.0)) return refuse(RefusalKind::SideRatio);
    }
    if (rectangle && !(in.size2 / in.size1 >= 0.5)) return refuse(RefusalKind::SideRatio);

    in.sizeText1 = texts.dd;
    in.sizeText2 = texts.tyzd;
    in.depthText = texts.hr;
    in.gradeIndex = texts.gradeIndex;
    in.gradeText = texts.gradeText;
    in.process = texts.process;
    in.processText = texts.processText;
    in.mode = texts.mode;
    in.slopeConditionMet = texts.slope;
    return nullptr;
}

std::variant<PileInput, Rejection> ReadPileInput(InputTexts& texts) {
    PileInputReader reader;
    if (const Rejection* refused = reader.read(texts)) return *refused;
    return reader.input();
}

}  // namespace pile
