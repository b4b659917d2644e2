// The pile input record and its reading from the input screen's texts.
//
// A pile is entered as the texts of the input screen's controls. ReadPileInput turns
// them into a PileInput, running the checks in the order the screen reports them; the
// first failing check wins and names the offending control.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/concrete_grades.h"

namespace pile {

// The short name of a pile's construction process, as the summary table and the optimisation
// lists print it.
enum class ProcessLabel : std::uint8_t {
    DryWork = 0,        // "干 作 业": circle item 0, and every pile with fuk given
    MudProtected = 1,   // "泥浆护壁": circle item 1
    PostGrouted = 2,    // "后 注 浆": circle item 2
    ManualDigging = 3,  // "人工挖孔": ellipse, rectangle and square with frk given
};

// The label of a candidate: its SectionCode (core/sections.h), rock type 1..2, the selected item
// of cbb_czgy.
ProcessLabel processLabelFor(int section, int rockType, int processIndex);
const char* processLabelText(ProcessLabel label);

// Item index of cbb_jmlx.
enum class SectionType { Circle = 0, Ellipse = 1, Rectangle = 2 };

// Which rock parameter the engineer gives: frk (rdb_frk) or fuk (rdb_fuk).
enum class RockStrengthMode { Frk, Fuk };

// One pile as entered. Lengths in mm, strengths in MPa.
struct PileInput {
    SectionType section = SectionType::Circle;
    std::string sizeText1;  // cbe_dd as shown (rewritten by the rectangle side ordering)
    double size1 = 0;       // d, or the long side a of a rectangle
    std::string sizeText2;  // cbe_tyzd as shown
    double size2 = 0;       // c of an ellipse, short side b of a rectangle; unused for a circle
    std::string depthText;  // cbe_hr as typed, e.g. "1.5d", "2.0b", "1500"
    bool depthIsMultiple = false;
    double hr = 0;                        // socket depth, mm
    int gradeIndex = kDefaultGradeIndex;  // item of cbb_hnt (concrete_grades.h)
    std::string gradeText{GradeAt(kDefaultGradeIndex).text};
    int process = 1;  // item index of cbb_czgy, 0..2
    std::string processText;
    RockStrengthMode mode = RockStrengthMode::Frk;
    double frk = 0;
    double fuk = 0;
    bool slopeConditionMet = false;
};

// The texts and selections of the input screen that a computation reads.
struct InputTexts {
    SectionType section = SectionType::Circle;
    std::string dd = "1000";              // cbe_dd
    std::string tyzd = "0";               // cbe_tyzd
    std::string hr = "1.0d";              // cbe_hr
    int gradeIndex = kDefaultGradeIndex;  // cbb_hnt
    std::string gradeText{GradeAt(kDefaultGradeIndex).text};
    int process = 1;  // cbb_czgy item index
    std::string processText = "泥浆护壁成桩";
    RockStrengthMode mode = RockStrengthMode::Frk;
    std::string frk = "25";  // edt_frk
    std::string fuk = "24";  // edt_fuk
    bool slope = false;      // ckb_ystj
};

// What an input is refused for. A second size that is no number and one whose ratio to the
// first lies out of range blame the same field, but the screen tells them apart.
enum class RefusalKind { Size, SecondSize, Depth, SideRatio, Rock, SoilLayer };

// A refused input: the message shown in lb_shuoming and the control that turns red.
struct Rejection {
    std::string message;
    std::string field;
    RefusalKind kind;
    bool operator==(const Rejection&) const = default;
};

// The refusal of a pile input of that kind (not SoilLayer), with the message the screen shows
// for the section and the rock mode and the field it blames. Every refusal of a pile's own
// fields is made here.
Rejection RefusePile(RefusalKind kind, SectionType section, RockStrengthMode mode);

// The lenient number reading of the size fields, rock parameters and soil cells:
// leading blanks skipped, then the longest leading decimal number ("." is the point,
// an optional exponent). Never fails: an empty or non-numeric text, or a number that
// overflows, gives 0.
double ParseLenient(const std::string& text);

// The reading of the size fields and rock parameters when a pile is computed: the lenient
// reading, except that a number directly followed by "," or "，" and a digit is not a number
// (0), so that the field's own check refuses it. Otherwise "1,000" would be computed as 1 mm
// and "25,5" as 25 MPa. "1000mm" still reads as 1000, and "1000," as 1000.
double ParseFieldNumber(const std::string& text);

// The number a text begins with, or nothing when it is not one: an empty or blank text is 0;
// otherwise, after leading blanks, the longest leading decimal number, unless it is directly
// followed by "," or "，" and a digit (a decimal comma: "2,5" is not 2) or it overflows. Any
// text that does not begin with a number ("四十六", "abc", "-") is not one. "3m" is 3.
std::optional<double> ParseLeadingNumber(const std::string& text);

// The strict conversion: the whole text must be one finite decimal number (blanks
// around it allowed, optional sign, fraction and exponent). Hexadecimal, "inf", "nan"
// and anything with letters are refused.
std::optional<double> ParseStrict(const std::string& text);

// Reads the screen into a PileInput. For a rectangle the sides are ordered first, and
// texts.dd / texts.tyzd are rewritten with the ordered values (as the screen shows them
// even when a later check refuses the pile). The rock parameter itself is checked by
// ComputePile, after the rock has been classified.
std::variant<PileInput, Rejection> ReadPileInput(InputTexts& texts);

// ReadPileInput for one pile after another (a search reads millions): the pile is read into
// one PileInput whose strings keep their storage, and a field's text is converted only when
// it differs from the text that field held at the last read.
class PileInputReader {
  public:
    // Reads `texts` as ReadPileInput does: nullptr when the pile was read into input(),
    // otherwise its refusal (valid until the next read).
    const Rejection* read(InputTexts& texts);
    const PileInput& input() const { return m_input; }

  private:
    struct Field {
        std::string text;
        double value = 0;
        bool read = false;
    };
    double number(Field& field, const std::string& text);

    PileInput m_input;
    Rejection m_rejection{{}, {}, RefusalKind::Size};
    Field m_dd, m_tyzd, m_frk, m_fuk;
    Field m_depth;  // its text; the reading follows
    char m_depthUnit = 0;
    bool m_depthIsMultiple = false;
    std::optional<double> m_depthNumber;
};

// The items of cbb_czgy offered for a section and rock mode, and the index selected
// when the list is built (1 for the circle in frk mode, else 0).
const std::vector<std::string>& ProcessItems(SectionType section, RockStrengthMode mode);
int DefaultProcessIndex(SectionType section, RockStrengthMode mode);

// "C25" .. "C60", items of cbb_hnt.
const std::vector<std::string>& GradeItems();

}  // namespace pile
