// What stands behind the rows of a result list: everything a row shows besides its results.
//
// A row keeps only its results (Ra and Rc as shown, ζr) and a key; the pile it lists (section,
// sizes, depth, rock, process, grade) and the list's rounding mode and soil switches come from
// the list's source, one per list, shared by the lists a filter or a copy makes of it:
//
// - CandidatePiles, the source of a search's list: the key is the candidate's index in the
//   generation order, and the pile is made from the item ranges when a cell asks for it, with
//   the same readings the input screen applies to what the search wrote (a rectangle's sides
//   ordered, the sizes read back). The source holds a copy of the ranges and a few small tables.
// - StoredPiles, the source of a list appended value by value (tests, and anything that is not a
//   search): the key names the values stored for that row, the sizes, depths and rock values as
//   places in tables of the list's distinct values.
//
// A row's running number is its key + 1 either way.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "core/number_format.h"
#include "core/pile_input.h"
#include "optimise/candidate_generator.h"
#include "optimise/item_ranges.h"

namespace pile {

// The values of a listed pile other than its results, as its cells show them.
struct ListedPile {
    double size1 = 0;  // d | a, to 15 significant digits as its cell writes it
    double size2 = 0;  // c | b; 0 for a circle
    double depth = 0;  // the multiple or mm, as written to cbe_hr
    double rockValue = 0;
    std::uint8_t section = 1;  // a SectionCode; equal sides show as a square either way
    std::uint8_t grade = 25;
    std::uint8_t rockType = 1;
    ProcessLabel process = ProcessLabel::DryWork;
    DepthUnit depthUnit = DepthUnit::Multiple;
    RoundingMode mode = RoundingMode::Units;
    bool dragLoad = false;  // formula two's soil switches
    bool sideResistance = false;
};

// Formula two's ratio percents where they cannot be made from the shown values: a shown Ra or
// Rc of 0 (a tiny pile rounded to tens or hundreds) takes the unrounded values, which the row
// does not keep.
struct RatioOverride {
    bool nk = false;  // nkRatio holds [Nk]/Ra
    bool n = false;   // nRatio holds [N]/Rc
    double nkRatio = 0;
    double nRatio = 0;
};

class ListSource {
  public:
    enum class Kind : std::uint8_t { Stored, Candidates };

    virtual ~ListSource() = default;
    Kind kind() const { return m_kind; }
    // A copy to change while the lists sharing this one keep it as it is.
    virtual std::shared_ptr<ListSource> clone() const = 0;
    // The pile behind the row of `key`.
    virtual ListedPile pile(std::uint32_t key) const = 0;
    virtual std::size_t bytesUsed() const;

    const RatioOverride* ratioOverride(std::uint32_t key) const {
        if (m_ratios.empty()) return nullptr;
        const auto it = m_ratios.find(key);
        return it == m_ratios.end() ? nullptr : &it->second;
    }
    void setRatioOverride(std::uint32_t key, const RatioOverride& ratios) {
        m_ratios[key] = ratios;
    }

  protected:
    explicit ListSource(Kind kind) : m_kind(kind) {}
    ListSource(const ListSource&) = default;
    ListSource& operator=(const ListSource&) = default;

  private:
    Kind m_kind;
    std::unordered_map<std::uint32_t, RatioOverride> m_ratios;
};

// The piles of a list appended value by value.
class StoredPiles final : public ListSource {
  public:
    StoredPiles() : ListSource(Kind::Stored) {}

    std::shared_ptr<ListSource> clone() const override;
    ListedPile pile(std::uint32_t key) const override;
    std::size_t bytesUsed() const override;

    void reserve(std::size_t piles) { m_piles.reserve(piles); }
    // The key the next row appended gets: one past the highest key stored.
    std::uint32_t nextKey() const { return static_cast<std::uint32_t>(m_piles.size()); }
    // Stores `pile` under `key` (its sizes are kept to 15 significant digits here); keys
    // skipped over name nothing.
    void put(std::uint32_t key, const ListedPile& pile);

  private:
    // A search lists the same few sizes, depths and rock values again and again, so a pile
    // names them by their place in a table of the list's distinct values.
    class ValueTable {
      public:
        // The place of `shown`, the value a cell shows for the given value `in`; the first
        // time `in` is seen its shown value is taken by `show` and added.
        template <class Show>
        std::uint32_t place(double in, Show show);
        double operator[](std::uint32_t i) const { return m_values[i]; }
        std::size_t bytesUsed() const;

      private:
        std::vector<double> m_values;
        std::unordered_map<std::uint64_t, std::uint32_t> m_places;  // bits of `in` -> place
        bool m_used = false;
        double m_lastIn = 0;
        std::uint32_t m_lastPlace = 0;
    };

    // 20 bytes a pile.
    struct Entry {
        std::uint32_t size1;  // places in m_size1, m_size2, m_depth, m_rockValue
        std::uint32_t size2;
        std::uint32_t depth;
        std::uint32_t rockValue;
        std::uint8_t section;
        std::uint8_t grade;
        std::uint8_t mode;
        std::uint8_t depthUnit : 1;
        std::uint8_t rockType : 2;
        std::uint8_t process : 2;
        std::uint8_t dragLoad : 1;
        std::uint8_t sideResistance : 1;
    };

    ValueTable m_size1, m_size2, m_depth, m_rockValue;
    std::vector<Entry> m_piles;
};

// The piles of a search's list, made from the candidate's index.
class CandidatePiles final : public ListSource {
  public:
    explicit CandidatePiles(const ItemRanges& ranges);

    std::shared_ptr<ListSource> clone() const override;
    ListedPile pile(std::uint32_t key) const override;
    std::size_t bytesUsed() const override;

    // The number of candidates of the ranges.
    std::uint64_t count() const { return m_order.size(); }
    // What every row of the search shares: the rounding mode and the soil switches the input
    // screen showed. Set by the first row.
    void setShared(RoundingMode mode, bool dragLoad, bool sideResistance);
    bool sharedBy(RoundingMode mode, bool dragLoad, bool sideResistance) const {
        return mode == m_mode && dragLoad == m_dragLoad && sideResistance == m_sideResistance;
    }

  private:
    // A size as the input screen has it: the number it reads from the text the search wrote,
    // and the same to 15 digits as the list writes it.
    struct Side {
        double read = 0;
        double shown = 0;
    };
    double value(int row, std::uint64_t i) const;
    Side side(int row, std::uint64_t i) const;
    ListedPile make(std::uint32_t key) const;

    ItemRanges m_ranges;
    CandidateOrder m_order;
    std::vector<int> m_sectionCodes;  // by index of the section loop
    // Values of the rows whose ranges are short enough, so that a pile is a few look-ups;
    // longer ranges are worked out when asked.
    std::array<std::vector<double>, item_row::kCount> m_values;
    std::array<std::vector<Side>, item_row::kCount> m_sides;
    RoundingMode m_mode = RoundingMode::Units;
    bool m_dragLoad = false;
    bool m_sideResistance = false;
    // Tells a thread's last pile apart from those of other sources and of this one before a
    // change.
    std::uint64_t m_serial = 0;
};

}  // namespace pile
