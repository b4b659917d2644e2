// pilecalc compute: the JSON answers for accepted, rejected and malformed lines.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "cli/commands.h"

namespace pile::cli {
namespace {

using nlohmann::json;

struct Run {
    int status;
    std::vector<json> answers;
    std::string err;
};

Run runCompute(const std::string& input, std::vector<std::string> args = {}) {
    std::istringstream in(input);
    std::ostringstream out, err;
    Run run{runComputeCommand(args, in, out, err), {}, err.str()};
    std::istringstream lines(out.str());
    for (std::string line; std::getline(lines, line);) run.answers.push_back(json::parse(line));
    return run;
}

TEST(ComputeCommand, DefaultPile) {
    const auto run = runCompute("{}\n");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.answers.size(), 1u);
    const json& a = run.answers[0];
    EXPECT_EQ(a["ok"], true);
    EXPECT_EQ(a["ra"], "8410");
    EXPECT_EQ(a["rc"], "7862");
    EXPECT_EQ(a["kesair"], "0.8567");
    EXPECT_EQ(a["rockClass"], "较软岩");
    EXPECT_EQ(a["d"], "1000");
    EXPECT_EQ(a["c"], "0");
    const json& r = a["result"];
    EXPECT_NEAR(r["Ra"].get<double>(), 8410.3053, 1e-3);
    EXPECT_EQ(r["K"], 2.0);
    EXPECT_TRUE(r.contains("zetaR"));
    for (const char* absent : {"sideRatio", "beta", "alpha0", "coef", "Qgn"})
        EXPECT_FALSE(r.contains(absent)) << absent;
    // The first keys come in the documented order.
    auto it = a.begin();
    for (const char* key : {"ok", "kesair", "ra", "rc", "rockClass", "d", "c", "result"}) {
        ASSERT_NE(it, a.end());
        EXPECT_EQ(it.key(), key);
        ++it;
    }
}

TEST(ComputeCommand, AnswersEveryLineInOrder) {
    const auto run = runCompute(
        "{\"section\":2,\"d\":\"1000\",\"c\":\"1500\"}\n"
        "not json\n"
        "\n"
        "{\"d\":\"abc\"}\n"
        "{\"d\":1000}\n"
        "{\"rock\":\"fuk\",\"precision\":0}\n"
        "{\"section\":1,\"process\":1}\n"
        "{\"rock\":\"fuk\"}\n");
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.answers.size(), 7u);
    // Rectangle sides are ordered and the texts rewritten.
    EXPECT_EQ(run.answers[0]["ok"], true);
    EXPECT_EQ(run.answers[0]["d"], "1500");
    EXPECT_EQ(run.answers[0]["c"], "1000");
    EXPECT_TRUE(run.answers[1].contains("error"));
    EXPECT_EQ(run.answers[2]["ok"], false);
    EXPECT_EQ(run.answers[2]["message"], "桩身直径数据有错");
    EXPECT_EQ(run.answers[2]["field"], "cbe_dd");
    EXPECT_TRUE(run.answers[3].contains("error"));  // a number where a text belongs
    EXPECT_EQ(run.answers[4]["ok"], true);          // unknown keys are ignored
    EXPECT_TRUE(run.answers[5].contains("error"));  // the ellipse offers one process only
    EXPECT_EQ(run.answers[6]["ra"], "8332");
    EXPECT_EQ(run.answers[6]["rockClass"], "");
}

TEST(ComputeCommand, PrecisionOption) {
    struct Case {
        const char* precision;
        const char* ra;
    } cases[] = {{"0", "8410.31"}, {"1", "8410.3"}, {"2", "8410"}, {"3", "8410"}, {"4", "8400"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.precision);
        const auto run = runCompute("{}\n", {"--precision", c.precision});
        ASSERT_EQ(run.status, 0);
        EXPECT_EQ(run.answers.at(0)["ra"], c.ra);
    }
}

TEST(ComputeCommand, UsageErrors) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--precision", "5"},
                                          {"--precision"}, {"--bogus"}}) {
        const auto run = runCompute("{}\n", args);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_TRUE(run.answers.empty());
        EXPECT_FALSE(run.err.empty());
    }
}

}  // namespace
}  // namespace pile::cli
