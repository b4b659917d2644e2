// Every concrete grade the input screen offers is one pilecalc accepts, and each computes with
// its own design strength; one past the list is refused.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>

#include "app/model/formula_one_window.h"
#include "cli/commands.h"
#include "core/concrete_grades.h"
#include "tests/model/fake_platform.h"

namespace pile::cli {
namespace {

nlohmann::json computeLine(const std::string& line) {
    std::istringstream in(line + "\n");
    std::ostringstream out, err;
    runComputeCommand({}, in, out, err);
    return nlohmann::json::parse(out.str());
}

TEST(GradeList, EveryGradeTheScreenOffersComputesWithItsFc) {
    test::FakePlatform fake;
    FormulaOneWindow window(fake.platform);
    const std::vector<std::string>& offered = window.inputScreen().cbb_hnt.items();
    ASSERT_EQ(offered.size(), kConcreteGrades.size());
    for (std::size_t i = 0; i < offered.size(); ++i) {
        SCOPED_TRACE(offered[i]);
        EXPECT_EQ(offered[i], kConcreteGrades[i].text);
        const auto answer = computeLine("{\"grade\":" + std::to_string(i) + "}");
        ASSERT_EQ(answer["ok"], true) << answer.dump();
        EXPECT_EQ(answer["result"]["fc"].get<double>(), kConcreteGrades[i].fc);
    }
    const auto beyond = computeLine("{\"grade\":" + std::to_string(offered.size()) + "}");
    EXPECT_EQ(beyond["ok"], false);
}

}  // namespace
}  // namespace pile::cli
