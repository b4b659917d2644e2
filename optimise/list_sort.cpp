// The exchange sort of the result lists, reproduced in O(N log N).
//
// Why the fast order equals the literal one. Take the rows of one value v and the rows of
// smaller value ("S"), in list order; rows of larger value never change how these interleave,
// and the values of the S rows do not matter, only where they stand. Run on that sequence,
// the sort does this: while the front row is S it is final; while the front row is a v row,
// the front block of v rows turns once (its first row takes the place of the S row right
// behind the block, that S row's chain carries the smallest row to the front, where it is
// final) and the v rows that follow join the back of the block. When no S row is left the
// block is final in its current order. So the group's final order is a queue that takes each
// v row at its back in list order and turns once for every S row that follows the first v
// row. Turning the queue by the S rows between two v rows at once (modulo its length) and
// placing the insertions backwards into free slots gives the order in O(m log m) for a group
// of m rows; counting the S rows between neighbours takes one Fenwick tree over positions.
#include "optimise/list_sort.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <string>

#include "core/text_width.h"

namespace pile {
namespace {

// Fenwick tree of counts over positions 0..n-1.
class Fenwick {
  public:
    explicit Fenwick(std::size_t n = 0) : m_tree(n + 1, 0) {}

    // Every position counts one.
    void fillOnes(std::size_t n) {
        m_tree.assign(n + 1, 0);
        for (std::size_t i = 1; i <= n; ++i) m_tree[i] = static_cast<std::uint32_t>(i & (~i + 1));
    }

    void add(std::size_t pos, int delta) {
        for (std::size_t i = pos + 1; i < m_tree.size(); i += i & (~i + 1)) {
            m_tree[i] = static_cast<std::uint32_t>(static_cast<int>(m_tree[i]) + delta);
        }
    }

    // Sum over positions 0..pos-1.
    std::size_t prefix(std::size_t pos) const {
        std::size_t sum = 0;
        for (std::size_t i = pos; i > 0; i -= i & (~i + 1)) sum += m_tree[i];
        return sum;
    }

    // The position at which the running sum first exceeds k (the k-th counted position,
    // from 0).
    std::size_t findKth(std::size_t k) const {
        std::size_t pos = 0;
        std::size_t step = 1;
        while (step * 2 < m_tree.size()) step *= 2;
        for (; step > 0; step /= 2) {
            if (pos + step < m_tree.size() && m_tree[pos + step] <= k) {
                pos += step;
                k -= m_tree[pos];
            }
        }
        return pos;  // 1-based pos + 1, minus one
    }

  private:
    std::vector<std::uint32_t> m_tree;
};

}  // namespace

std::vector<std::uint32_t> exchangeSortOrder(const std::vector<double>& values) {
    const std::size_t n = values.size();
    std::vector<std::uint32_t> byValue(n);
    std::iota(byValue.begin(), byValue.end(), 0u);
    // Stable: the rows of one value stay in list order.
    std::stable_sort(byValue.begin(), byValue.end(),
                     [&values](std::uint32_t a, std::uint32_t b) { return values[a] < values[b]; });

    std::vector<std::uint32_t> order(n);
    Fenwick smaller(n);  // rows of smaller value, by position
    Fenwick freeSlots;   // per group: slots of the queue not yet taken
    std::vector<std::size_t> smallerBefore;
    std::vector<std::size_t> insertAt;
    std::size_t smallerTotal = 0;

    for (std::size_t g = 0; g < n;) {
        std::size_t e = g + 1;
        while (e < n && values[byValue[e]] == values[byValue[g]]) ++e;
        const std::size_t m = e - g;

        smallerBefore.resize(m);
        for (std::size_t k = 0; k < m; ++k) smallerBefore[k] = smaller.prefix(byValue[g + k]);

        // The queue as a linear array read circularly from `front`: a row joining the back is
        // inserted just before the front row; a turn advances the front.
        insertAt.resize(m);
        std::size_t size = 0;
        std::size_t front = 0;
        for (std::size_t k = 0; k < m; ++k) {
            insertAt[k] = size == 0 ? 0 : front++;
            ++size;
            const std::size_t behind =
                (k + 1 < m ? smallerBefore[k + 1] : smallerTotal) - smallerBefore[k];
            front = (front + behind % size) % size;
        }

        // Later insertions shift earlier ones: placed backwards, the k-th row takes the
        // insertAt[k]-th slot still free.
        freeSlots.fillOnes(m);
        for (std::size_t k = m; k-- > 0;) {
            const std::size_t slot = freeSlots.findKth(insertAt[k]);
            freeSlots.add(slot, -1);
            order[g + (slot + m - front) % m] = byValue[g + k];
        }

        for (std::size_t k = g; k < e; ++k) smaller.add(byValue[k], 1);
        smallerTotal += m;
        g = e;
    }
    return order;
}

namespace detail {

std::vector<std::uint32_t> exchangeSortOrderLiteral(const std::vector<double>& values) {
    std::vector<std::uint32_t> order(values.size());
    std::iota(order.begin(), order.end(), 0u);
    for (std::size_t i = 0; i < order.size(); ++i) {
        double v = values[order[i]];
        for (std::size_t j = i; j < order.size(); ++j) {
            const double w = values[order[j]];
            if (v > w) {
                std::swap(order[i], order[j]);
                v = w;
            }
        }
    }
    return order;
}

}  // namespace detail

SortStates::SortStates(const ListLayout& layout)
    : m_states(static_cast<std::size_t>(layout.columnCount()), SortState::Unsorted) {}

std::size_t SortStates::checked(int column) const {
    if (column < 0 || column >= columnCount())
        throw std::out_of_range("sort state of column " + std::to_string(column) + " of " +
                                std::to_string(columnCount()));
    return static_cast<std::size_t>(column);
}

void SortStates::reset() { std::fill(m_states.begin(), m_states.end(), SortState::Unsorted); }

void SortStates::set(int column, SortState state) {
    const std::size_t at = checked(column);
    reset();
    m_states[at] = state;
}

std::string headerText(const ListLayout& layout, int column, SortState state) {
    std::string text = layout.columns[static_cast<std::size_t>(column)].header;
    if (state == SortState::Ascending) text += "▲";
    if (state == SortState::Descending) text += "▼";
    return PadLeft(text, " ", 8);
}

void exchangeSort(ResultList& list, ListField field) {
    std::vector<double> values(list.size());
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = list.fieldValue(i, field);
    list.reorder(exchangeSortOrder(values));
}

SortOutcome sortByHeader(ResultList& list, SortStates& states, int column) {
    if (states.columnCount() != list.columnCount())
        throw std::invalid_argument("sort states of " + std::to_string(states.columnCount()) +
                                    " columns for a list of " + std::to_string(list.columnCount()));
    if (list.size() < 2) return {kNoSortNeededMessage, false, false};
    const ListLayout& layout = list.layout();
    const bool known = column >= 0 && column < list.columnCount();
    const ListColumn* clicked = known ? &layout.columns[static_cast<std::size_t>(column)] : nullptr;
    if (!clicked || !clicked->sortName) return {layout.unsortableMessage, known, false};

    std::string status = clicked->sortName;
    switch (states.state(column)) {
        case SortState::Unsorted:
            exchangeSort(list, clicked->field);
            states.set(column, SortState::Ascending);
            status += "升序排列完成";
            break;
        case SortState::Ascending:
            list.reverse();
            states.set(column, SortState::Descending);
            status += "降序排列完成";
            break;
        case SortState::Descending:
            list.reverse();
            states.set(column, SortState::Ascending);
            status += "升序排列完成";
            break;
    }
    return {status, true, true};
}

}  // namespace pile
