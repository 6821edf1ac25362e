// Numeric rules, run-time errors, message boxes, time and date texts.

#include <cmath>
#include <random>
#include <set>
#include <tuple>

#include "runtime/base/time_text.h"
#include "tests/runtime/support.h"

namespace rttest {
namespace {

class DrawTest : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(DrawTest, StaysWithinKToKPlusNMinus1AndReachesEveryValue) {
    const auto [n, k] = GetParam();
    const float justBelowOne = std::nextafter(1.0f, 0.0f);
    EXPECT_EQ(rt::DrawInRange(0.0f, n, k), k);
    EXPECT_EQ(rt::DrawInRange(justBelowOne, n, k), k + n - 1);
    std::mt19937 engine(7);
    std::set<long long> seen;
    for (int i = 0; i < 40 * n; ++i) {
        const float r = static_cast<float>(engine() >> 8) / 16777216.0f;
        const long long v = rt::DrawInRange(r, n, k);
        ASSERT_GE(v, k) << "r = " << r;
        ASSERT_LE(v, k + n - 1) << "r = " << r;
        seen.insert(v);
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(n));
}

INSTANTIATE_TEST_SUITE_P(Basic, DrawTest,
                         ::testing::Values(std::tuple{100, 5}, std::tuple{200, 10},
                                           std::tuple{500, 20}, std::tuple{3000, 1}),
                         [](const auto& info) {
                             return "N" + std::to_string(std::get<0>(info.param)) + "_K" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(BasicTest, CIntRoundsHalfToEvenAndIntegersOverflowAt16Bits) {
    const std::pair<double, int> cases[] = {{2.5, 2},    {3.5, 4},          {-2.5, -2},
                                            {0.5, 0},    {-3.5, -4},        {2.4999, 2},
                                            {2.5001, 3}, {-32768.5, -32768}};
    for (const auto& [in, out] : cases) EXPECT_EQ(rt::CInt(in), out) << in;
    EXPECT_THROW(rt::CInt(32767.5), rt::RuntimeError);
    EXPECT_EQ(rt::CheckedInteger(32767), 32767);
    EXPECT_EQ(rt::CheckedInteger(-32768), -32768);
    EXPECT_THROW(rt::CheckedInteger(-32769), rt::RuntimeError);
    try {
        rt::CheckedInteger(32768);
        ADD_FAILURE() << "no overflow";
    } catch (const rt::RuntimeError& e) {
        EXPECT_EQ(e.number(), 6);
    }
}

using ProgramTest = RuntimeTest;

TEST_F(ProgramTest, ErrorInATimerShowsOneBoxAndEndsWithStatus1) {
    Log log;
    Clocks f(log, "");
    int value = 32766;
    f.A.Tick = [&] { value = rt::CheckedInteger(value + 1); };
    rt::Start(f);
    advance(200);  // A fails at 200, before B's tick due at the same instant
    advance(1000);
    ASSERT_EQ(fakes.dialogs->shown.size(), 1u);
    EXPECT_EQ(fakes.dialogs->shown[0].style, rt::vbCritical);
    EXPECT_EQ(fakes.dialogs->shown[0].title, "Test Title");
    EXPECT_TRUE(app.ended());
    EXPECT_EQ(app.exitStatus(), 1);
    EXPECT_EQ(log, (Log{"B@100"}));
}

TEST_F(ProgramTest, MsgBoxDefaultsToTheProgramTitle) {
    rt::MsgBox("Hello");
    rt::MsgBox("Careful", rt::vbExclamation, "Own");
    ASSERT_EQ(fakes.dialogs->shown.size(), 2u);
    EXPECT_EQ(fakes.dialogs->shown[0].prompt, "Hello");
    EXPECT_EQ(fakes.dialogs->shown[0].style, rt::vbOKOnly);
    EXPECT_EQ(fakes.dialogs->shown[0].title, "Test Title");
    EXPECT_EQ(fakes.dialogs->shown[1].title, "Own");
}

TEST_F(ProgramTest, TimeAndDateFollowTheClockInTheLocaleFormat) {
    EXPECT_EQ(rt::TimeText(), "14:30:05");
    EXPECT_EQ(rt::DateText(), "7. 12. 2026");
    const rt::DateTime start = rt::Now();
    advance(61'000 + 24 * 3600'000);
    EXPECT_EQ(rt::TimeText(), "14:31:06");
    EXPECT_EQ(rt::DateText(), "8. 12. 2026");
    EXPECT_EQ(rt::TimeText(start), "14:30:05");  // a stored moment keeps its text
}

}  // namespace
}  // namespace rttest
