// The generation order of the optimisation search, as an odometer over the nested loops.
#include "optimise/candidate_generator.h"

#include "core/number_format.h"

namespace pile {

CandidateGenerator::CandidateGenerator(const ItemRanges& ranges) : m_ranges(ranges) {}

const ItemRange* CandidateGenerator::rangeOf(int level) const {
    const auto code = SectionCode(static_cast<int>(m_value[kSectionLoop]));
    const SectionSizeRows sizeRows = sectionSizeRows(code);
    const int k = static_cast<int>(m_value[kRockTypeLoop]);
    switch (level) {
        case kSectionLoop:
            return &m_ranges[item_row::kSection];
        case kSize1Loop:
            return &m_ranges[sizeRows.first];
        case kSize2Loop:
            return sizeRows.second >= 0 ? &m_ranges[sizeRows.second] : nullptr;
        case kDepthLoop:
            return &m_ranges[item_row::kDepth];
        case kRockTypeLoop:
            return &m_ranges[item_row::kRockType];
        case kRockValueLoop:
            return &m_ranges[k == 1 ? item_row::kFrk : item_row::kFuk];
        case kGradeLoop:
            return &m_ranges[item_row::kGrade];
        case kProcessLoop:
            return (DescribeCode(code).circleRules && k == 1) ? &m_ranges[item_row::kProcess]
                                                              : nullptr;
        default:
            return nullptr;
    }
}

void CandidateGenerator::startLevel(int level) {
    const ItemRange* r = rangeOf(level);
    m_value[static_cast<std::size_t>(level)] = r ? r->min : 0;
    m_index[static_cast<std::size_t>(level)] = 0;
}

bool CandidateGenerator::next(Candidate& out) {
    const Candidate* c = next();
    if (!c) return false;
    out = *c;
    return true;
}

const Candidate* CandidateGenerator::next() {
    if (m_done) return nullptr;
    if (!m_started) {
        m_started = true;
        for (int level = 0; level < kLevels; ++level) startLevel(level);
        fill(kSectionLoop);
        return &m_current;
    }
    // Advance the innermost loop that has values left; the loops inside it start again, each
    // on the range that the new outer values select.
    for (int level = kLevels - 1; level >= 0; --level) {
        const auto l = static_cast<std::size_t>(level);
        const ItemRange* r = rangeOf(level);
        const std::uint64_t count = r ? r->count : 1;
        if (m_index[l] + 1 < count) {
            ++m_index[l];
            m_value[l] = r->at(m_index[l]);
            for (int inner = level + 1; inner < kLevels; ++inner) startLevel(inner);
            fill(level);
            return &m_current;
        }
    }
    m_done = true;
    return nullptr;
}

void CandidateGenerator::fill(int changed) {
    // The texts of the loops outside the one that advanced stay as they are.
    Candidate& c = m_current;
    c.section = SectionCode(static_cast<int>(m_value[kSectionLoop]));
    const SectionDescription& section = DescribeCode(c.section);
    // A square's second size is its side.
    const bool ownSecondSize = sectionSizeRows(c.section).second >= 0;
    c.size1 = m_value[kSize1Loop];
    c.size2 = !section.hasSecondSize ? 0 : ownSecondSize ? m_value[kSize2Loop] : c.size1;
    if (changed <= kSize1Loop) c.sizeText1 = FormatGeneral(c.size1);
    if (changed <= kSize2Loop)
        c.sizeText2 =
            section.hasSecondSize ? FormatGeneral(c.size2) : std::string(section.secondSize);
    c.depth = m_value[kDepthLoop];
    c.depthUnit = m_ranges.depthUnit;
    if (changed <= kDepthLoop) {
        if (c.depthUnit == DepthUnit::Multiple)
            c.depthText = FormatFixed(c.depth, 10, 1) + section.depthUnit;
        else
            c.depthText = FormatGeneral(c.depth);
    }
    c.rockType = static_cast<int>(m_value[kRockTypeLoop]);
    c.rockValue = m_value[kRockValueLoop];
    if (changed <= kRockValueLoop)
        c.rockText =
            m_rockTexts.text(c.rockValue, 0, [](double x) { return FormatFixed(x, 10, 2); });
    c.grade = static_cast<int>(m_value[kGradeLoop]);
    c.processIndex = rangeOf(kProcessLoop) ? static_cast<int>(m_value[kProcessLoop]) - 1 : 0;
}

}  // namespace pile
