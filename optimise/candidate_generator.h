// The generation order of the optimisation search: every combination of the item ranges as
// one candidate pile, with the texts the search writes into the input screen.
//
// Nesting, outermost first: section type, the sizes of that section (d; d then c; a then b;
// the square side), socket depth, rock parameter type, rock parameter value (frk or fuk by the
// type), concrete grade and, for circular piles with frk given only, the construction process.
// Each loop walks its range from the first value and starts again whenever an outer loop
// advances. Every candidate carries all of its values, so the caller writes the whole pile for
// each candidate, not just the control whose loop advanced.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/concrete_grades.h"
#include "core/number_format.h"
#include "core/sections.h"
#include "optimise/item_ranges.h"

namespace pile {

struct Candidate {
    SectionCode section{kLowestSectionCode};
    double size1 = 0;       // d, the long side a or the square side, mm
    double size2 = 0;       // c, the short side b or the square side; 0 for a circle
    std::string sizeText1;  // written to cbe_dd (general number text)
    std::string sizeText2;  // written to cbe_tyzd; "0" for a circle
    double depth = 0;       // the multiple, or mm (by DepthUnit)
    DepthUnit depthUnit = DepthUnit::Multiple;
    std::string depthText;           // written to cbe_hr: "2.0d", "2.5b" or "3000"
    int rockType = 1;                // 1 frk (rdb_frk), 2 fuk (rdb_fuk)
    double rockValue = 0;            // MPa
    std::string rockText;            // written to edt_frk or edt_fuk: "35.00"
    int grade = kLowestGradeNumber;  // a number of the grade list
    int processIndex = 0;     // item of cbb_czgy: process - 1 inside the process loop, else 0
    std::uint64_t index = 0;  // place in the generation order, from 0

    // Item of cbb_jmlx: a square is computed as a rectangle with equal sides.
    int sectionItem() const { return ItemOf(DescribeCode(section).type); }
    // Item of cbb_hnt.
    int gradeIndex() const { return GradeIndexOfNumber(grade); }
    std::string gradeText() const { return std::string(GradeAt(gradeIndex()).text); }
};

// The loops of the generation order, outermost first.
enum CandidateLoop : int {
    kSectionLoop,
    kSize1Loop,
    kSize2Loop,
    kDepthLoop,
    kRockTypeLoop,
    kRockValueLoop,
    kGradeLoop,
    kProcessLoop,
    kCandidateLoops,
};

// The range a loop walks for a pile of section `code` and rock parameter type `rockType`;
// nullptr for a loop that is absent for that pile (one pass).
const ItemRange* candidateLoopRange(const ItemRanges& ranges, int loop, SectionCode code,
                                    int rockType);

// Where each loop stands for one candidate: the index of its value in the loop's range, 0 for
// a loop absent for the pile.
using LoopIndices = std::array<std::uint64_t, kCandidateLoops>;

// Random access into the generation order: the loop indices of the candidate at a given index,
// worked out from the number of candidates each loop value spans (the per-section counts of
// candidateCount), without walking. Counts that do not fit saturate as candidateCount's do, and
// every index below the saturated count still finds its candidate.
class CandidateOrder {
  public:
    explicit CandidateOrder(const ItemRanges& ranges);

    // candidateCount(ranges).
    std::uint64_t size() const { return m_total; }
    // The loop indices of candidate `index`; index must be below size().
    LoopIndices at(std::uint64_t index) const;

  private:
    // The candidates of one rock parameter type inside one depth.
    struct RockBlock {
        std::uint64_t start = 0;     // first candidate, counted from the depth's first
        std::uint64_t count = 0;     // values x grades x processes
        std::uint64_t perValue = 0;  // grades x processes
        std::uint64_t processes = 1;
    };
    // The candidates of one section value.
    struct SectionBlock {
        std::uint64_t start = 0;
        std::uint64_t count = 0;
        std::uint64_t perSize1 = 0;  // candidates of one first size
        std::uint64_t perSize2 = 0;  // of one second size
        std::uint64_t perDepth = 0;  // of one depth: the rock blocks together
        std::vector<RockBlock> rock;
    };
    std::vector<SectionBlock> m_sections;
    std::uint64_t m_total = 0;
};

// Walks the candidates in generation order without holding them:
//
//     CandidateGenerator gen(ranges);
//     Candidate c;
//     while (gen.next(c)) { ... }
//
// Cheap to construct; the total is candidateCount(ranges). seek() starts the walk at any
// candidate, without walking to it.
class CandidateGenerator {
  public:
    explicit CandidateGenerator(const ItemRanges& ranges);

    // The next call of next() gives the candidate at `index` (from 0) in generation order, and
    // the calls after it those that follow. False, and the walk ended, when there is none.
    bool seek(std::uint64_t index);
    // The candidate at `index`, as seek() and next() give it; false when there is none.
    static bool candidateAt(const ItemRanges& ranges, std::uint64_t index, Candidate& out);

    // The next candidate, or false after the last one.
    bool next(Candidate& out);
    // The same without a copy: the next candidate, valid until the next call, or nullptr
    // after the last one.
    const Candidate* next();

  private:
    static constexpr int kLevels = kCandidateLoops;

    // The range that a loop walks given the values of the loops outside it; nullptr for a loop
    // that is absent for this pile (one pass).
    const ItemRange* rangeOf(int level) const;
    void startLevel(int level);
    // Brings the current candidate up to date; `changed` is the outermost loop that moved.
    void fill(int changed);

    ItemRanges m_ranges;
    // The rock value loop turns fastest of the loops with a text; its few values come back
    // over and over.
    RecentNumberTexts m_rockTexts;
    Candidate m_current;  // texts are remade only for the loops that moved
    std::array<double, kLevels> m_value{};
    std::array<std::uint64_t, kLevels> m_index{};
    std::uint64_t m_position = 0;  // index of the current candidate
    bool m_started = false;
    bool m_done = false;
    bool m_sought = false;  // seek() placed the current candidate; next() gives it as it is
};

}  // namespace pile
