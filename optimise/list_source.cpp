// The sources behind the rows of the result lists.
#include "optimise/list_source.h"

#include <atomic>
#include <cmath>
#include <cstring>
#include <string>
#include <utility>

#include "core/concrete_grades.h"
#include "core/sections.h"

namespace pile {
namespace {

// Ranges up to this many values keep their values in a table.
constexpr std::uint64_t kTableLimit = 1u << 16;

// A size as the input screen has it after the search wrote it in general number text: the
// number the screen reads back from the field, and the same to 15 digits as the list keeps it.
struct SideReading {
    double read;
    double shown;
};
SideReading readSide(double written) {
    const double read = ParseFieldNumber(FormatGeneral(written));
    return {read, FifteenDigits(read)};
}

std::uint64_t nextSerial() {
    static std::atomic<std::uint64_t> serial{0};
    return ++serial;
}

}  // namespace

std::size_t ListSource::bytesUsed() const {
    // A node of the map is about its key, value and two pointers.
    return m_ratios.size() * (sizeof(RatioOverride) + 24) + m_ratios.bucket_count() * sizeof(void*);
}

// ---- StoredPiles ---------------------------------------------------------------------------

template <class Show>
std::uint32_t StoredPiles::ValueTable::place(double in, Show show) {
    if (m_used && m_lastIn == in && std::signbit(m_lastIn) == std::signbit(in)) return m_lastPlace;
    std::uint64_t bits;
    std::memcpy(&bits, &in, sizeof bits);
    const auto [it, added] =
        m_places.try_emplace(bits, static_cast<std::uint32_t>(m_values.size()));
    if (added) m_values.push_back(show(in));
    m_used = true;
    m_lastIn = in;
    m_lastPlace = it->second;
    return it->second;
}

std::size_t StoredPiles::ValueTable::bytesUsed() const {
    return m_values.capacity() * sizeof(double) + m_places.size() * 32 +
           m_places.bucket_count() * sizeof(void*);
}

std::shared_ptr<ListSource> StoredPiles::clone() const {
    return std::make_shared<StoredPiles>(*this);
}

void StoredPiles::put(std::uint32_t key, const ListedPile& p) {
    static_assert(sizeof(Entry) == 20);
    const auto same = [](double x) { return x; };
    Entry e{};
    e.size1 = m_size1.place(p.size1, FifteenDigits);
    e.size2 = m_size2.place(p.size2, FifteenDigits);
    e.depth = m_depth.place(p.depth, same);
    e.rockValue = m_rockValue.place(p.rockValue, same);
    e.section = p.section;
    e.grade = p.grade;
    e.mode = static_cast<std::uint8_t>(p.mode);
    e.depthUnit = static_cast<std::uint8_t>(p.depthUnit) & 1u;
    e.rockType = p.rockType & 3u;
    e.process = static_cast<std::uint8_t>(p.process) & 3u;
    e.dragLoad = p.dragLoad;
    e.sideResistance = p.sideResistance;
    if (key >= m_piles.size()) m_piles.resize(static_cast<std::size_t>(key) + 1, Entry{});
    m_piles[key] = e;
}

ListedPile StoredPiles::pile(std::uint32_t key) const {
    const Entry& e = m_piles[key];
    ListedPile p;
    p.size1 = m_size1[e.size1];
    p.size2 = m_size2[e.size2];
    p.depth = m_depth[e.depth];
    p.rockValue = m_rockValue[e.rockValue];
    p.section = e.section;
    p.grade = e.grade;
    p.rockType = e.rockType;
    p.process = static_cast<ProcessLabel>(e.process);
    p.depthUnit = static_cast<DepthUnit>(e.depthUnit);
    p.mode = static_cast<RoundingMode>(e.mode);
    p.dragLoad = e.dragLoad;
    p.sideResistance = e.sideResistance;
    return p;
}

std::size_t StoredPiles::bytesUsed() const {
    return ListSource::bytesUsed() + m_piles.capacity() * sizeof(Entry) + m_size1.bytesUsed() +
           m_size2.bytesUsed() + m_depth.bytesUsed() + m_rockValue.bytesUsed();
}

// ---- CandidatePiles ------------------------------------------------------------------------

CandidatePiles::CandidatePiles(const ItemRanges& ranges)
    : ListSource(Kind::Candidates), m_ranges(ranges), m_order(ranges), m_serial(nextSerial()) {
    const ItemRange& sections = m_ranges[item_row::kSection];
    for (std::uint64_t s = 0; s < sections.count; ++s)
        m_sectionCodes.push_back(static_cast<int>(sections.at(s)));
    for (int row = 0; row < item_row::kCount; ++row) {
        const ItemRange& r = m_ranges[row];
        if (r.count > kTableLimit) continue;
        const bool size = row >= item_row::kDiameter && row <= item_row::kSquareSide;
        auto& values = m_values[static_cast<std::size_t>(row)];
        auto& sides = m_sides[static_cast<std::size_t>(row)];
        values.reserve(static_cast<std::size_t>(r.count));
        if (size) sides.reserve(static_cast<std::size_t>(r.count));
        for (std::uint64_t i = 0; i < r.count; ++i) {
            values.push_back(r.at(i));
            if (!size) continue;
            const SideReading reading = readSide(values.back());
            sides.push_back({reading.read, reading.shown});
        }
    }
}

std::shared_ptr<ListSource> CandidatePiles::clone() const {
    auto copy = std::make_shared<CandidatePiles>(*this);
    copy->m_serial = nextSerial();
    return copy;
}

void CandidatePiles::setShared(RoundingMode mode, bool dragLoad, bool sideResistance) {
    m_mode = mode;
    m_dragLoad = dragLoad;
    m_sideResistance = sideResistance;
    m_serial = nextSerial();
}

double CandidatePiles::value(int row, std::uint64_t i) const {
    const auto& values = m_values[static_cast<std::size_t>(row)];
    return values.empty() ? m_ranges[row].at(i) : values[static_cast<std::size_t>(i)];
}

CandidatePiles::Side CandidatePiles::side(int row, std::uint64_t i) const {
    const auto& sides = m_sides[static_cast<std::size_t>(row)];
    if (!sides.empty()) return sides[static_cast<std::size_t>(i)];
    const SideReading reading = readSide(m_ranges[row].at(i));
    return {reading.read, reading.shown};
}

ListedPile CandidatePiles::make(std::uint32_t key) const {
    const LoopIndices at = m_order.at(key);
    const int code = m_sectionCodes[static_cast<std::size_t>(at[kSectionLoop])];
    const SectionDescription& section = DescribeCode(code);
    const SectionSizeRows rows = sectionSizeRows(SectionCode(code));

    ListedPile p;
    p.section = static_cast<std::uint8_t>(code);
    // A circle has no second size; a square's is its side. The screen orders a rectangle's
    // sides, long side first, when it reads them.
    Side first = side(rows.first, at[kSize1Loop]);
    Side second;
    if (section.hasSecondSize)
        second = rows.second >= 0 ? side(rows.second, at[kSize2Loop]) : first;
    if (section.type == SectionType::Rectangle && second.read >= first.read)
        std::swap(first, second);
    p.size1 = first.shown;
    p.size2 = second.shown;

    p.depth = value(item_row::kDepth, at[kDepthLoop]);
    p.depthUnit = m_ranges.depthUnit;
    const int k = static_cast<int>(value(item_row::kRockType, at[kRockTypeLoop]));
    p.rockType = static_cast<std::uint8_t>(k);
    p.rockValue = value(k == 1 ? item_row::kFrk : item_row::kFuk, at[kRockValueLoop]);
    const int grade = static_cast<int>(value(item_row::kGrade, at[kGradeLoop]));
    p.grade = static_cast<std::uint8_t>(GradeAt(GradeIndexOfNumber(grade)).number);
    const int processIndex = candidateLoopRange(m_ranges, kProcessLoop, SectionCode(code), k)
                                 ? static_cast<int>(value(item_row::kProcess, at[kProcessLoop])) - 1
                                 : 0;
    p.process = processLabelFor(code, k, processIndex);
    p.mode = m_mode;
    p.dragLoad = m_dragLoad;
    p.sideResistance = m_sideResistance;
    return p;
}

ListedPile CandidatePiles::pile(std::uint32_t key) const {
    // The readers of a row ask for its cells one after another: the pile is made once a row.
    thread_local struct {
        std::uint64_t serial = 0;
        std::uint32_t key = 0;
        ListedPile pile;
    } last;
    if (last.serial != m_serial || last.key != key) {
        last.pile = make(key);
        last.serial = m_serial;
        last.key = key;
    }
    return last.pile;
}

std::size_t CandidatePiles::bytesUsed() const {
    std::size_t bytes = ListSource::bytesUsed() + m_sectionCodes.capacity() * sizeof(int);
    for (const auto& v : m_values) bytes += v.capacity() * sizeof(double);
    for (const auto& v : m_sides) bytes += v.capacity() * sizeof(Side);
    return bytes;
}

}  // namespace pile
