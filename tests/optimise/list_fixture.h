// Rows for the result-list tests, built from named values the way the search would read them
// back from the input screen.
#pragma once

#include "optimise/result_list.h"

namespace pile::test {

// A circular pile, frk given, mud protected, C30, hr 2.0d; Ra and Rc in units.
inline ListRowValues circleRow(double ra, double rc, double d = 1000) {
    ListRowValues v;
    v.section = 1;
    v.size1 = d;
    v.size2 = 0;
    v.depth = 2.0;
    v.depthUnit = DepthUnit::Multiple;
    v.rockType = 1;
    v.rockValue = 35;
    v.process = ProcessLabel::MudProtected;
    v.kesair = 0.856667;
    v.grade = 30;
    v.ra = ra;
    v.rc = rc;
    v.mode = RoundingMode::Units;
    return v;
}

// A list of circular piles with the given Ra values (Rc 7000 each), appended in order, so row i
// carries the running number i + 1.
inline ResultList listWithRa(const std::vector<double>& ra) {
    ResultList list;
    for (const double x : ra) list.append(circleRow(x, 7000));
    return list;
}

// The pile numbers (column 0) of the list, top to bottom.
inline std::vector<std::string> numbers(const ResultList& list) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.size(); ++i) out.push_back(list.cellText(i, 0));
    return out;
}

}  // namespace pile::test
