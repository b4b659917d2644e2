// pilecalc compute: the JSON answers for accepted, rejected and malformed lines.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

#include "cli/commands.h"
#include "core/sections.h"

namespace pile::cli {
namespace {

using json = nlohmann::ordered_json;  // keeps the key order of the answers

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

// Every section of the table is a "section" number, and its socket depth is given in its own
// unit letter; another section's letter is not a depth.
TEST(ComputeCommand, EverySectionTakesItsDepthUnit) {
    for (int item = 0; item < kSectionCount; ++item) {
        const SectionDescription& s = kSections[static_cast<std::size_t>(item)];
        SCOPED_TRACE(std::string(s.name));
        const char other = s.depthUnit == 'd' ? 'b' : 'd';
        const auto run = runCompute("{\"section\":" + std::to_string(item) + ",\"hr\":\"2.0" +
                                    s.depthUnit + "\"}\n{\"section\":" + std::to_string(item) +
                                    ",\"hr\":\"2.0" + other + "\"}\n");
        ASSERT_EQ(run.answers.size(), 2u);
        EXPECT_EQ(run.answers[0]["ok"], true) << run.answers[0].dump();
        EXPECT_EQ(run.answers[0]["result"]["depthRatio"], 2.0) << run.answers[0].dump();
        EXPECT_EQ(run.answers[1]["ok"], false);
        EXPECT_EQ(run.answers[1]["field"], "hr");
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
    EXPECT_EQ(run.answers[2]["field"], "d");  // the input key the line used
    // A number where a text belongs is typed as its shortest text.
    EXPECT_EQ(run.answers[3]["ok"], true);
    EXPECT_EQ(run.answers[3]["d"], "1000");
    EXPECT_EQ(run.answers[3]["ra"], "8410");
    EXPECT_TRUE(run.answers[4].contains("error"));  // precision belongs on its own line
    EXPECT_TRUE(run.answers[5].contains("error"));  // the ellipse offers one process only
    EXPECT_EQ(run.answers[6]["ra"], "8332");
    EXPECT_EQ(run.answers[6]["rockClass"], "");
}

TEST(ComputeCommand, LinesThatCannotBeRead) {
    const char* lines[] = {
        R"({"Section":2})",               // a misspelt key must not fall back to a default
        R"({"d":"1000\n2000"})",          // a field holds one line
        R"({"d":"1000","d":"2000"})",     // the same key twice
        R"({"drag":{"p":"1","p":"2"}})",  // twice inside an object too
        R"({"hr":"1.0d\t"})",
        R"({"section":3})",
        R"({"grade":8})",
        R"({"grade":1.5})",
        R"({"rock":"FRK"})",
        R"({"slope":"yes"})",
        R"({"action":"deleteLast","d":"1000"})",
        R"([1,2])",
        R"("text")",
        R"({"d":"1000")",
    };
    std::string input;
    for (const char* l : lines) input += std::string(l) + "\n";
    const auto run = runCompute(input);
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.answers.size(), std::size(lines));
    for (size_t i = 0; i < std::size(lines); ++i) {
        SCOPED_TRACE(lines[i]);
        EXPECT_EQ(run.answers[i]["ok"], false);
        EXPECT_FALSE(run.answers[i].value("error", "").empty());
    }
}

// Input the JSON library cannot be trusted with: a NUL byte, which it takes for the end of the
// text, and nesting so deep that echoing the value would recurse the stack away. Each line is
// refused, and the lines around it are answered as usual.
TEST(ComputeCommand, NulBytesAndDeepNestingAreRefused) {
    const std::string deep = R"({"d":)" + std::string(100000, '[') + std::string(100000, ']') + "}";
    const std::string cases[] = {
        std::string(R"({"d":"900"})") + '\0' + "garbage",
        std::string("{}") + '\0',
        std::string(1, '\0'),
        deep,
        std::string(65, '[') + std::string(65, ']'),
    };
    for (const std::string& line : cases) {
        SCOPED_TRACE(line.substr(0, 20));
        for (const char* formula : {"1", "2"}) {
            const auto run = runCompute("{}\n" + line + "\n{}\n", {"--formula", formula});
            EXPECT_EQ(run.status, 0);
            ASSERT_EQ(run.answers.size(), 3u);
            EXPECT_EQ(run.answers[0]["ok"], true);
            EXPECT_EQ(run.answers[1]["ok"], false);
            EXPECT_FALSE(run.answers[1].value("error", "").empty());
            EXPECT_EQ(run.answers[2]["ok"], true);
        }
    }
    // Sixty-four levels are still read (and refused for what they hold, not how deep they are).
    const auto run = runCompute(R"({"d":)" + std::string(63, '[') + std::string(63, ']') + "}\n");
    ASSERT_EQ(run.answers.size(), 1u);
    EXPECT_EQ(run.answers[0]["error"], "key \"d\" must be a text or a number");
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
    for (std::vector<std::string> args :
         {std::vector<std::string>{"--precision", "5"}, {"--precision"}, {"--bogus"}}) {
        const auto run = runCompute("{}\n", args);
        EXPECT_EQ(run.status, kExitUsage);
        EXPECT_TRUE(run.answers.empty());
        EXPECT_FALSE(run.err.empty());
        if (args.size() == 1 && args[0] == "--precision") {
            EXPECT_NE(run.err.find("--precision needs a value"), std::string::npos) << run.err;
        }
    }
}

TEST(ComputeCommand, FormulaTwoSoilTerms) {
    const auto run = runCompute(
        "{\"negativeFriction\":true,\"sideResistance\":true}\n"
        "{}\n"
        "{\"sideResistance\":true,\"side\":{\"layers\":[[\"5\",\"40\"],[\"5.000\",\"40.00\"]]}}\n",
        {"--formula", "2", "--precision", "3"});
    ASSERT_EQ(run.status, 0);
    ASSERT_EQ(run.answers.size(), 3u);
    const json& both = run.answers[0];
    EXPECT_EQ(both["qgn"], "600");  // 604.23 in the tens mode
    EXPECT_DOUBLE_EQ(both["result"]["Qgn"].get<double>(), 604.23);
    EXPECT_DOUBLE_EQ(both["result"]["Qsk"].get<double>(), 1256.64);
    EXPECT_EQ(both["verdict"], "正常");
    EXPECT_EQ(both["message"], "");
    EXPECT_EQ(both["dragLoad"]["label"], "Qgn=604.23kN");
    ASSERT_EQ(both["dragLoad"]["rows"].size(), 1u);
    EXPECT_EQ(both["dragLoad"]["rows"][0].size(), 30u);
    EXPECT_EQ(both["dragLoad"]["rows"][0][28], "梯形+矩形");
    EXPECT_EQ(both["sideLoad"]["label"], "Qsk=1256.64kN");
    EXPECT_EQ(both["sideLoad"]["rows"][0].size(), 9u);

    // Without soil terms formula two is formula one with [Nk] = Ra and [N] = Rc.
    const json& none = run.answers[1];
    EXPECT_EQ(none["ra"], "8410");
    EXPECT_EQ(none["nk"], none["ra"]);
    EXPECT_EQ(none["n"], none["rc"]);
    EXPECT_EQ(none["qgn"], "0");
    EXPECT_FALSE(none.contains("dragLoad"));
    EXPECT_FALSE(none.contains("sideLoad"));

    // Two typed layers of 5 m give the default layer's Qsk; the cells keep the typed texts.
    const json& side = run.answers[2];
    EXPECT_DOUBLE_EQ(side["result"]["Qsk"].get<double>(), 1256.64);
    EXPECT_EQ(side["sideLoad"]["rows"][0][1], "5");
    EXPECT_EQ(side["sideLoad"]["rows"][1][1], "5.000");
}

// Soil layers that their screen reports as wrong refuse the pile, naming the soil screen.
TEST(ComputeCommand, FormulaTwoRefusesWrongSoilLayers) {
    const auto run = runCompute(
        R"({"sideResistance":true,"side":{"layers":[["-1000","100"]]}})"
        "\n"
        R"({"negativeFriction":true,"drag":{"layers":[["-10","17","0.3","25"],["-5","17","0.3","25"],["-20","17","0.3","25"]]}})"
        "\n"
        R"({"sideResistance":true,"side":{"layers":[["2,5","72"]]}})"
        "\n"
        R"({"negativeFriction":true,"drag":{"layers":[["-10","19,8","0.3","25"]]}})"
        "\n",
        {"--formula", "2"});
    ASSERT_EQ(run.answers.size(), 4u);
    // A text that is not a number refuses the pile too, never read as its first digits.
    EXPECT_EQ(run.answers[2]["ok"], false);
    EXPECT_EQ(run.answers[2]["message"], "第1层土厚度错");
    EXPECT_EQ(run.answers[2]["field"], "side");
    EXPECT_EQ(run.answers[3]["message"], "第1层土重度数据有错");
    EXPECT_EQ(run.answers[3]["field"], "drag");
    EXPECT_EQ(run.answers[0]["ok"], false);
    EXPECT_EQ(run.answers[0]["message"], "第1层土厚度错");
    EXPECT_EQ(run.answers[0]["field"], "side");
    EXPECT_EQ(run.answers[1]["ok"], false);
    EXPECT_EQ(run.answers[1]["message"], "第2层层底标高高于上一层底标高");
    EXPECT_EQ(run.answers[1]["field"], "drag");
}

TEST(ComputeCommand, FormulaTwoInputErrors) {
    const char* lines[] = {
        R"({"negativeFriction":1})",
        R"({"drag":[]})",
        R"({"drag":{"layers":[]}})",
        R"({"drag":{"layers":[["-10","17","0.3"]]}})",
        R"({"side":{"layers":[["5",true]]}})",
        R"({"drag":{"layers":[["-10\nX","17","0.3","25\u0000"]]}})",  // one line, no controls
        R"({"d":"1000\u0085"})",                                      // a C1 control
        R"({"side":{"layers":[["5\u2028","40"]]}})",                  // a line separator
    };
    std::string input;
    for (const char* l : lines) input += std::string(l) + "\n";
    std::string twentyOne = R"({"side":{"layers":[)";
    for (int i = 0; i < 21; ++i) twentyOne += std::string(i ? "," : "") + R"(["1","40"])";
    input += twentyOne + "]}}\n";
    const auto run = runCompute(input, {"--formula", "2"});
    ASSERT_EQ(run.answers.size(), std::size(lines) + 1);
    for (const auto& a : run.answers) {
        SCOPED_TRACE(a.dump());
        EXPECT_EQ(a["ok"], false);
        EXPECT_TRUE(a.contains("error"));
    }
}

}  // namespace
}  // namespace pile::cli
