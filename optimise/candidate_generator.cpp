// The generation order of the optimisation search, as an odometer over the nested loops.
#include "optimise/candidate_generator.h"

#include <utility>

#include "core/number_format.h"

namespace pile {

const ItemRange* candidateLoopRange(const ItemRanges& ranges, int loop, SectionCode code,
                                    int rockType) {
    const SectionSizeRows sizeRows = sectionSizeRows(code);
    switch (loop) {
        case kSectionLoop:
            return &ranges[item_row::kSection];
        case kSize1Loop:
            return &ranges[sizeRows.first];
        case kSize2Loop:
            return sizeRows.second >= 0 ? &ranges[sizeRows.second] : nullptr;
        case kDepthLoop:
            return &ranges[item_row::kDepth];
        case kRockTypeLoop:
            return &ranges[item_row::kRockType];
        case kRockValueLoop:
            return &ranges[rockType == 1 ? item_row::kFrk : item_row::kFuk];
        case kGradeLoop:
            return &ranges[item_row::kGrade];
        case kProcessLoop:
            return (DescribeCode(code).circleRules && rockType == 1) ? &ranges[item_row::kProcess]
                                                                     : nullptr;
        default:
            return nullptr;
    }
}

CandidateOrder::CandidateOrder(const ItemRanges& ranges) {
    // The same counts as candidateCount, kept per loop value. A count that saturates makes
    // every index below it fall into that block, which is where it belongs.
    const auto countOf = [](const ItemRange* r) { return r ? r->count : 1; };
    const ItemRange& sections = ranges[item_row::kSection];
    const ItemRange& rockTypes = ranges[item_row::kRockType];
    for (std::uint64_t s = 0; s < sections.count; ++s) {
        const auto code = SectionCode(static_cast<int>(sections.at(s)));
        SectionBlock b;
        b.start = m_total;
        for (std::uint64_t t = 0; t < rockTypes.count; ++t) {
            const int k = static_cast<int>(rockTypes.at(t));
            RockBlock r;
            r.start = b.perDepth;
            r.processes = countOf(candidateLoopRange(ranges, kProcessLoop, code, k));
            r.perValue = saturatingMul(countOf(candidateLoopRange(ranges, kGradeLoop, code, k)),
                                       r.processes);
            r.count = saturatingMul(countOf(candidateLoopRange(ranges, kRockValueLoop, code, k)),
                                    r.perValue);
            b.perDepth = saturatingAdd(b.perDepth, r.count);
            b.rock.push_back(r);
        }
        b.perSize2 =
            saturatingMul(countOf(candidateLoopRange(ranges, kDepthLoop, code, 1)), b.perDepth);
        b.perSize1 =
            saturatingMul(countOf(candidateLoopRange(ranges, kSize2Loop, code, 1)), b.perSize2);
        b.count =
            saturatingMul(countOf(candidateLoopRange(ranges, kSize1Loop, code, 1)), b.perSize1);
        m_total = saturatingAdd(m_total, b.count);
        m_sections.push_back(std::move(b));
    }
}

LoopIndices CandidateOrder::at(std::uint64_t index) const {
    LoopIndices at{};
    std::size_t s = 0;
    while (s + 1 < m_sections.size() && index - m_sections[s].start >= m_sections[s].count) ++s;
    const SectionBlock& b = m_sections[s];
    std::uint64_t local = index - b.start;
    at[kSectionLoop] = s;
    at[kSize1Loop] = local / b.perSize1;
    local %= b.perSize1;
    at[kSize2Loop] = local / b.perSize2;
    local %= b.perSize2;
    at[kDepthLoop] = local / b.perDepth;
    local %= b.perDepth;
    std::size_t t = 0;
    while (t + 1 < b.rock.size() && local - b.rock[t].start >= b.rock[t].count) ++t;
    const RockBlock& r = b.rock[t];
    local -= r.start;
    at[kRockTypeLoop] = t;
    at[kRockValueLoop] = local / r.perValue;
    local %= r.perValue;
    at[kGradeLoop] = local / r.processes;
    at[kProcessLoop] = local % r.processes;
    return at;
}

CandidateGenerator::CandidateGenerator(const ItemRanges& ranges) : m_ranges(ranges) {}

const ItemRange* CandidateGenerator::rangeOf(int level) const {
    return candidateLoopRange(m_ranges, level, SectionCode(static_cast<int>(m_value[kSectionLoop])),
                              static_cast<int>(m_value[kRockTypeLoop]));
}

bool CandidateGenerator::seek(std::uint64_t index) {
    const CandidateOrder order(m_ranges);
    m_started = true;
    m_sought = false;
    m_done = index >= order.size();
    if (m_done) return false;
    const LoopIndices at = order.at(index);
    // Outermost first: the section and the rock type choose the ranges of the loops inside.
    for (int level = 0; level < kLevels; ++level) {
        const auto l = static_cast<std::size_t>(level);
        const ItemRange* r = rangeOf(level);
        m_index[l] = r ? at[l] : 0;
        m_value[l] = r ? r->at(at[l]) : 0;
    }
    m_position = index;
    fill(kSectionLoop);
    m_sought = true;
    return true;
}

bool CandidateGenerator::candidateAt(const ItemRanges& ranges, std::uint64_t index,
                                     Candidate& out) {
    CandidateGenerator generator(ranges);
    return generator.seek(index) && generator.next(out);
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
    if (m_sought) {
        m_sought = false;
        return &m_current;
    }
    if (!m_started) {
        m_started = true;
        for (int level = 0; level < kLevels; ++level) startLevel(level);
        m_position = 0;
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
            ++m_position;
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
    c.index = m_position;
}

}  // namespace pile
