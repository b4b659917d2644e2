// The keys of a pile: a line of pilecalc compute and the "pile" of a search request take the
// same keys, and the soil keys only in formula two's search.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <map>
#include <sstream>
#include <string>

#include "cli/commands.h"
#include "cli/json_input.h"

namespace pile::cli {
namespace {

using json = nlohmann::ordered_json;

// A value each key accepts, the value a new window shows where there is one. A key added to
// kPileKeys needs its value here.
const std::map<std::string, json> kSampleValues = {
    {"section", 0},
    {"d", "1000"},
    {"c", "0"},
    {"hr", "1.0d"},
    {"grade", 1},
    {"process", 1},
    {"rock", "frk"},
    {"frk", "25"},
    {"fuk", "24"},
    {"slope", false},
    {"negativeFriction", false},
    {"sideResistance", false},
    {"drag", json::object()},
    {"side", json::object()},
};

json computeAnswer(const json& line) {
    std::istringstream in(line.dump() + "\n");
    std::ostringstream out, err;
    runComputeCommand({}, in, out, err);
    return json::parse(out.str());
}

struct SearchAnswer {
    int status;
    std::string err;
};

SearchAnswer search(const json& pile, bool formulaTwo) {
    json request = {{"pile", pile}, {"actions", json::array()}};
    std::istringstream in(request.dump());
    std::ostringstream out, err;
    std::vector<std::string> args;
    if (formulaTwo) args = {"--formula", "2"};
    return {runSearchCommand(args, in, out, err), err.str()};
}

TEST(InputKeys, ComputeAndSearchTakeTheSameKeys) {
    for (const char* key : kPileKeys) {
        SCOPED_TRACE(key);
        const auto sample = kSampleValues.find(key);
        ASSERT_NE(sample, kSampleValues.end()) << "no sample value for a key of kPileKeys";
        const json pile = {{key, sample->second}};
        const json answer = computeAnswer(pile);
        EXPECT_EQ(answer["ok"], true) << answer.dump();
        EXPECT_EQ(search(pile, true).status, 0) << search(pile, true).err;
    }
    // A key outside the list is refused by both, with the same words.
    const json unknown = {{"diameter", "1000"}};
    EXPECT_EQ(computeAnswer(unknown)["error"], "unknown key \"diameter\"");
    const SearchAnswer refused = search(unknown, true);
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.err.find("unknown key \"diameter\""), std::string::npos) << refused.err;
}

TEST(InputKeys, SoilKeysBelongToFormulaTwo) {
    for (const char* key : kSoilKeys) {
        SCOPED_TRACE(key);
        const SearchAnswer one = search({{key, kSampleValues.at(key)}}, false);
        EXPECT_NE(one.status, 0);
        EXPECT_NE(one.err.find(std::string("\"") + key + "\" in \"pile\" belongs to formula two"),
                  std::string::npos)
            << one.err;
    }
}

}  // namespace
}  // namespace pile::cli
