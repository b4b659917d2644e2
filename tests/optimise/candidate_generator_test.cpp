// Tests of the generation order: the default items walked in full against plain nested loops,
// the texts the search writes, and the count of any ranges against candidateCount.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "optimise/candidate_generator.h"
#include "optimise/search_messages.h"

namespace pile {
namespace {

// What the search writes for one candidate, as plain texts and items.
using Written = std::tuple<int, std::string, std::string, std::string, int, std::string, int, int>;

Written written(const Candidate& c) {
    return {c.sectionItem(), c.sizeText1, c.sizeText2,    c.depthText,
            c.rockType,      c.rockText,  c.gradeIndex(), c.processIndex};
}

std::vector<Candidate> all(const ItemRanges& ranges) {
    std::vector<Candidate> out;
    CandidateGenerator gen(ranges);
    Candidate c;
    while (gen.next(c)) out.push_back(c);
    return out;
}

ItemRanges ranges(const ItemTexts& texts) { return std::get<ItemRanges>(readItemRanges(texts)); }

// The default items as nested loops written out by hand.
std::vector<Written> defaultOrder() {
    const std::vector<std::string> d = {"1000", "1500", "2000"};
    const std::vector<std::string> a = {"2000", "2500", "3000"};
    const std::vector<std::string> b = {"1500", "2000"};
    const std::vector<std::string> hr = {"2.0", "3.0"};
    const std::vector<std::string> rock = {"35.00", "40.00"};
    std::vector<std::pair<std::string, std::string>> sizes[4];
    for (const auto& x : d) sizes[0].push_back({x, "0"});
    for (const auto& x : d)
        for (const auto& y : d) sizes[1].push_back({x, y});
    for (const auto& x : a)
        for (const auto& y : b) sizes[2].push_back({x, y});
    for (const auto& x : d) sizes[3].push_back({x, x});

    std::vector<Written> out;
    for (int t = 1; t <= 4; ++t) {
        const int item = t == 4 ? 2 : t - 1;
        const std::string unit = t <= 2 ? "d" : "b";
        for (const auto& [s1, s2] : sizes[t - 1])
            for (const auto& h : hr)
                for (int k = 1; k <= 2; ++k)
                    for (const auto& v : rock)
                        for (int g = 0; g <= 1; ++g) {
                            if (t == 1 && k == 1) {
                                for (int p = 0; p <= 1; ++p)
                                    out.push_back({item, s1, s2, h + unit, k, v, g, p});
                            } else {
                                out.push_back({item, s1, s2, h + unit, k, v, g, 0});
                            }
                        }
    }
    return out;
}

TEST(CandidateGenerator, DefaultItemsGive360InNestingOrder) {
    const std::vector<Candidate> got = all(ranges(defaultItemTexts()));
    const std::vector<Written> expected = defaultOrder();
    ASSERT_EQ(expected.size(), 360u);
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(written(got[i]), expected[i]);
    }
    // The first two differ only by the process, and they are circular piles on frk 35.00, C25.
    EXPECT_EQ(written(got[0]), (Written{0, "1000", "0", "2.0d", 1, "35.00", 0, 0}));
    EXPECT_EQ(written(got[1]), (Written{0, "1000", "0", "2.0d", 1, "35.00", 0, 1}));
    EXPECT_EQ(static_cast<int>(got[0].section), 1);
    EXPECT_EQ(got[0].gradeText(), "C25");
    int perSection[5] = {};
    for (const auto& c : got) ++perSection[static_cast<int>(c.section)];
    EXPECT_EQ(perSection[1], 72);
    EXPECT_EQ(perSection[2], 144);
    EXPECT_EQ(perSection[3], 96);
    EXPECT_EQ(perSection[4], 48);
    EXPECT_EQ(searchDoneMessage(got.size()), "计算完成，桩数：360 根");
}

TEST(CandidateGenerator, SingleValuesGiveOneCandidate) {
    ItemTexts texts = defaultItemTexts();
    for (auto& cells : texts) cells.max = cells.min;
    const auto got = all(ranges(texts));
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(written(got[0]), (Written{0, "1000", "0", "2.0d", 1, "35.00", 0, 0}));
}

TEST(CandidateGenerator, SquaresAreRectanglesWithEqualSidesAndDepthInB) {
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kSection] = {"4", "4", "1"};
    const auto got = all(ranges(texts));
    ASSERT_EQ(got.size(), 48u);
    for (const auto& c : got) {
        EXPECT_EQ(c.sectionItem(), 2);
        EXPECT_EQ(c.sizeText1, c.sizeText2);
        EXPECT_EQ(c.depthText.back(), 'b');
        EXPECT_EQ(c.processIndex, 0);
    }
}

TEST(CandidateGenerator, FukOnlyHasNoProcessLoop) {
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kRockType] = {"2", "2", "1"};
    texts[item_row::kProcess] = {"1", "3", "1"};
    const auto got = all(ranges(texts));
    // 21 sizes (3 + 9 + 6 + 3), 2 depths, 2 fuk values, 2 grades.
    EXPECT_EQ(got.size(), 21u * 2 * 2 * 2);
    for (const auto& c : got) {
        EXPECT_EQ(c.rockType, 2);
        EXPECT_EQ(c.processIndex, 0);
    }
}

TEST(CandidateGenerator, WrittenTexts) {
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kSection] = {"2", "2", "1"};
    texts[item_row::kDiameter] = {"1333.5", "1333.5", "1"};
    texts[item_row::kEllipseStraight] = {"1000", "1000", "1"};
    texts[item_row::kDepth] = {"1.25d", "1.25d", "1d"};
    texts[item_row::kRockType] = {"2", "2", "1"};
    texts[item_row::kFuk] = {"12.345", "12.345", "1"};
    texts[item_row::kGrade] = {"C60", "C60", "5"};
    const auto got = all(ranges(texts));
    ASSERT_EQ(got.size(), 1u);
    // The multiple is written with one decimal, half away from zero.
    EXPECT_EQ(written(got[0]), (Written{1, "1333.5", "1000", "1.3d", 2, "12.35", 7, 0}));

    texts[item_row::kDepth] = {"2500", "2500", "1"};
    EXPECT_EQ(all(ranges(texts))[0].depthText, "2500");
    texts[item_row::kDepth] = {"2500.75", "2500.75", "1"};
    EXPECT_EQ(all(ranges(texts))[0].depthText, "2500.75");
}

TEST(CandidateGenerator, InnerLoopsRestartOnTheirFirstValue) {
    // Sizes accumulate afresh for every outer value: 1000, 1300, 1600, 1900 each time.
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kSection] = {"2", "2", "1"};
    texts[item_row::kDiameter] = {"1000", "1500", "500"};
    texts[item_row::kEllipseStraight] = {"1000", "2000", "300"};
    texts[item_row::kDepth] = {"1d", "1d", "1d"};
    texts[item_row::kRockType] = {"1", "1", "1"};
    texts[item_row::kFrk] = {"35", "35", "1"};
    texts[item_row::kGrade] = {"C25", "C25", "5"};
    std::vector<std::string> got;
    for (const auto& c : all(ranges(texts))) got.push_back(c.sizeText1 + "/" + c.sizeText2);
    EXPECT_EQ(got, (std::vector<std::string>{"1000/1000", "1000/1300", "1000/1600", "1000/1900",
                                             "1500/1000", "1500/1300", "1500/1600", "1500/1900"}));
}

// Ranges of every kind: section and rock type rows that select one or both values or none
// in range, steps that do not divide the span, single values, clamped grades.
ItemRanges randomRanges(std::mt19937& rng) {
    const auto pick = [&rng](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(rng);
    };
    ItemTexts texts = defaultItemTexts();
    const auto intRow = [&](int lo, int hi) -> ItemCells {
        return {std::to_string(pick(lo, hi)), std::to_string(pick(lo, hi)),
                std::to_string(pick(-1, 3))};
    };
    texts[item_row::kSection] = intRow(0, 5);
    texts[item_row::kRockType] = intRow(0, 3);
    texts[item_row::kProcess] = intRow(0, 4);
    for (int row : {1, 2, 3, 4, 5, 8, 9}) {
        texts[static_cast<std::size_t>(row)] = {std::to_string(pick(0, 5) * 100),
                                                std::to_string(pick(0, 5) * 100),
                                                std::to_string(pick(-1, 3) * 70)};
    }
    texts[item_row::kGrade] = {"C" + std::to_string(pick(20, 65)),
                               "C" + std::to_string(pick(20, 65)), std::to_string(pick(0, 12))};
    return ranges(texts);
}

TEST(CandidateGenerator, CountMatchesCandidateCountForRandomRanges) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 300; ++trial) {
        const ItemRanges r = randomRanges(rng);
        SCOPED_TRACE(trial);
        EXPECT_EQ(all(r).size(), candidateCount(r));
    }
}

TEST(CandidateGenerator, EveryCandidateIsFoundByItsIndexWithoutWalking) {
    std::mt19937 rng(11);
    for (int trial = 0; trial < 150; ++trial) {
        SCOPED_TRACE(trial);
        const ItemRanges r = randomRanges(rng);
        const std::vector<Candidate> walked = all(r);
        EXPECT_EQ(CandidateOrder(r).size(), walked.size());
        for (std::size_t i = 0; i < walked.size(); ++i) {
            ASSERT_EQ(walked[i].index, i);
            Candidate found;
            ASSERT_TRUE(CandidateGenerator::candidateAt(r, i, found));
            ASSERT_EQ(written(found), written(walked[i])) << "candidate " << i;
            ASSERT_EQ(found.index, i);
            ASSERT_EQ(found.size2, walked[i].size2);
            ASSERT_EQ(found.depthUnit, walked[i].depthUnit);
        }
        Candidate none;
        EXPECT_FALSE(CandidateGenerator::candidateAt(r, walked.size(), none));

        // A walk started anywhere goes on as the whole walk does.
        CandidateGenerator gen(r);
        const std::size_t start =
            std::uniform_int_distribution<std::size_t>(0, walked.size() - 1)(rng);
        ASSERT_TRUE(gen.seek(start));
        std::size_t at = start;
        for (Candidate c; gen.next(c); ++at) {
            ASSERT_LT(at, walked.size());
            ASSERT_EQ(written(c), written(walked[at])) << "candidate " << at << " after " << start;
            ASSERT_EQ(c.index, at);
        }
        EXPECT_EQ(at, walked.size());
        EXPECT_FALSE(gen.seek(walked.size()));
        EXPECT_EQ(gen.next(), nullptr);
    }
}

TEST(CandidateGenerator, AnIndexFarIntoAHugeSearchIsFoundDirectly) {
    // Far more candidates than could be walked: d in steps of a thousandth of a millimetre.
    ItemTexts texts = defaultItemTexts();
    texts[item_row::kDiameter] = {"1000", "2000", "0.001"};
    const ItemRanges r = ranges(texts);
    ASSERT_EQ(CandidateOrder(r).size(), candidateCount(r));
    // Circles come first, 24 candidates a diameter: 2 depths x (2 frk x 2 grades x 2 processes
    // + 2 fuk x 2 grades).
    const std::uint64_t perDiameter = 2 * (2 * 2 * 2 + 2 * 2);
    Candidate c;
    ASSERT_TRUE(CandidateGenerator::candidateAt(r, 123'456 * perDiameter + 5, c));
    EXPECT_EQ(c.sizeText1, "1123.456");
    EXPECT_EQ(c.depthText, "2.0d");
    EXPECT_EQ(c.rockType, 1);
    EXPECT_EQ(c.rockText, "40.00");  // 5 = the second frk's first grade's second process
    EXPECT_EQ(c.gradeText(), "C25");
    EXPECT_EQ(c.processIndex, 1);
}

}  // namespace
}  // namespace pile
