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

// An ellipse with fuk given, the depth in mm and C60, at two decimals.
inline ListRowValues ellipseRow() {
    ListRowValues v = circleRow(9000.5, 8000.25);
    v.section = 2;
    v.size1 = 1333.5;
    v.size2 = 1000;
    v.depth = 3000;
    v.depthUnit = DepthUnit::Millimetre;
    v.rockType = 2;
    v.rockValue = 12.345;
    v.process = ProcessLabel::DryWork;
    v.kesair = 1.2;
    v.grade = 60;
    v.mode = RoundingMode::TwoDecimals;
    return v;
}

// A 2000 by 1500 rectangle, hr 2.5b, rounded to hundreds.
inline ListRowValues rectangleRow() {
    ListRowValues v = circleRow(8419.96, 95.4);
    v.section = 3;
    v.size1 = 2000;
    v.size2 = 1500;
    v.depth = 2.5;
    v.process = ProcessLabel::ManualDigging;
    v.mode = RoundingMode::Hundreds;
    return v;
}

// A list of circular piles with the given Ra values (Rc 7000 each), appended in order, so row i
// carries the running number i + 1.
inline ResultList listWithRa(const std::vector<double>& ra) {
    ResultList list;
    for (const double x : ra) list.append(circleRow(x, 7000));
    return list;
}

// The pile numbers of the list, top to bottom.
inline std::vector<std::string> numbers(const ResultList& list) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < list.size(); ++i)
        out.push_back(list.fieldText(i, ListField::PileNumber));
    return out;
}

}  // namespace pile::test
