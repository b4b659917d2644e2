// The fold button of the optimisation screen ("展开"/"折叠") and what it shows.
//
// A window opens with the item table's note column shown and the folding list columns hidden,
// the button reading "展开". The first press only adds the list columns; from then on each
// press hides or shows both together.
#pragma once

#include "optimise/result_list.h"

namespace pile {

class FoldState {
  public:
    // The button text, which names what a press will do.
    const char* buttonText() const { return m_listColumnsShown ? "折叠" : "展开"; }
    bool noteColumnShown() const { return m_noteColumnShown; }
    bool listColumnsShown() const { return m_listColumnsShown; }

    // Whether a list column is shown: the columns that do not fold always are, the hidden ones
    // never.
    bool columnShown(const ListLayout& layout, int column) const {
        const ListColumn& c = layout.columns[static_cast<std::size_t>(column)];
        return !c.hidden && (!c.folds || m_listColumnsShown);
    }

    // cbt_zhangkaiClick.
    void press() {
        const bool show = !m_listColumnsShown;
        m_listColumnsShown = show;
        m_noteColumnShown = show;
    }

    bool operator==(const FoldState&) const = default;

  private:
    bool m_noteColumnShown = true;
    bool m_listColumnsShown = false;
};

}  // namespace pile
