// The full and the conditioned wheel: order, contents, progress ticks, the
// description line, and what happens when the list cannot be had.
#include "test_wheels_fixture.h"

#include "engine/uniCombinations.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#ifdef __linux__
#include <sys/resource.h>
#endif

using namespace rav;
using namespace wheeltest;

namespace {

ConditionTexts Bounds(int min1, int minX, int min2, int max1, int maxX, int max2)
{
    return { QString::number(min1), QString::number(minX), QString::number(min2),
        QString::number(max1), QString::number(maxX), QString::number(max2) };
}

} // namespace

TEST(WheelsFull, OrderOfTheLastTwoPairs)
{
    std::vector<std::string> marks = Repeat("1", 8);
    marks.push_back("1X");
    marks.push_back("1X2");
    auto st = Game(marks);
    TickCounter ticks;
    const GenerationResult r = MakeFullWheel(*st, &ticks);
    ASSERT_TRUE(r.Ok);
    ASSERT_EQ(st->CombinationCount, 6);
    const int pair9[6] = { 1, 1, 1, 0, 0, 0 };
    const int pair10[6] = { 1, 0, 2, 1, 0, 2 };
    for (int i = 0; i < 6; ++i) {
        for (int p = 1; p <= 8; ++p) {
            EXPECT_EQ(st->CombinationList[i + 1][p], 1);
        }
        EXPECT_EQ(st->CombinationList[i + 1][9], pair9[i]) << "combination " << i + 1;
        EXPECT_EQ(st->CombinationList[i + 1][10], pair10[i]) << "combination " << i + 1;
    }
    EXPECT_EQ(r.Description, QStringLiteral("Full Wheel (6 combinations)"));
    // Total 6: interval 2, ticks at 2, 4 and 6.
    EXPECT_EQ(ticks.ticks, 3);
}

TEST(WheelsFull, SmallSelectionsAndTheirTicks)
{
    {
        auto st = Game(Repeat("2", 12));
        TickCounter ticks;
        ASSERT_TRUE(MakeFullWheel(*st, &ticks).Ok);
        ASSERT_EQ(st->CombinationCount, 1);
        for (int p = 1; p <= 12; ++p) {
            EXPECT_EQ(st->CombinationList[1][p], 2);
        }
        EXPECT_EQ(ticks.ticks, 0);
    }
    {
        // One triple among singles: the triple's pair runs 1, X, 2; one tick (at 2).
        std::vector<std::string> marks = Repeat("X", 10);
        marks[4] = "1X2";
        auto st = Game(marks);
        TickCounter ticks;
        ASSERT_TRUE(MakeFullWheel(*st, &ticks).Ok);
        ExpectRows(*st, ReferenceWheel(*st));
        EXPECT_EQ(st->CombinationList[1][5], 1);
        EXPECT_EQ(st->CombinationList[2][5], 0);
        EXPECT_EQ(st->CombinationList[3][5], 2);
        EXPECT_EQ(ticks.ticks, 1);
    }
    {
        // A double "X" and "2": draw first, then away; Total 2 gives one tick.
        std::vector<std::string> marks = Repeat("1", 11);
        marks[10] = "X2";
        auto st = Game(marks);
        TickCounter ticks;
        ASSERT_TRUE(MakeFullWheel(*st, &ticks).Ok);
        ASSERT_EQ(st->CombinationCount, 2);
        EXPECT_EQ(st->CombinationList[1][11], 0);
        EXPECT_EQ(st->CombinationList[2][11], 2);
        EXPECT_EQ(ticks.ticks, 1);
    }
}

TEST(WheelsFull, EightyOneCombinationsTickFortyTimes)
{
    std::vector<std::string> marks = Repeat("1", 6);
    for (int i = 0; i < 4; ++i) {
        marks.push_back("1X2");
    }
    auto st = Game(marks);
    TickCounter ticks;
    ASSERT_TRUE(MakeFullWheel(*st, &ticks).Ok);
    EXPECT_EQ(ProgressInterval(81), 2);
    EXPECT_EQ(ticks.ticks, 40);
    ExpectRows(*st, ReferenceWheel(*st));
}

// Selections larger than one block of the fastest pairs, mixed singles, doubles
// and triples in different places: every row equals the plain enumeration.
TEST(WheelsFull, MatchesThePlainEnumeration)
{
    const std::vector<std::vector<std::string>> games = {
        Repeat("1X2", 10),
        { "1X", "X2", "1X2", "1", "12", "1X2", "1X2", "2", "1X2", "1X", "1X2", "X" },
        { "1X2", "1X2", "1X2", "1X", "1", "1", "1", "1", "1", "1", "1", "X2", "1X2", "1X2" },
        { "2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X" },
    };
    for (const auto& marks : games) {
        auto st = Game(marks);
        TickCounter ticks;
        ASSERT_TRUE(MakeFullWheel(*st, &ticks).Ok);
        const auto expected = ReferenceWheel(*st);
        ExpectRows(*st, expected);
        const std::int32_t total = static_cast<std::int32_t>(expected.size());
        EXPECT_EQ(ticks.ticks, total / ProgressInterval(total));
    }
}

TEST(WheelsFull, FifteenTriples)
{
    auto st = Game(Repeat("1X2", 15));
    TickCounter ticks;
    const GenerationResult r = MakeFullWheel(*st, &ticks);
    ASSERT_TRUE(r.Ok);
    ASSERT_EQ(st->CombinationCount, 14348907);
    EXPECT_GE(st->CombinationList.Capacity(), 14348917u);
    EXPECT_EQ(ProgressInterval(14348907), 143491);
    EXPECT_EQ(ticks.ticks, 99);
    EXPECT_EQ(r.Description, QStringLiteral("Full Wheel (14348907 combinations)"));
    // Row i is i - 1 written in base 3 over the pairs, digit order 1, X, 2.
    static constexpr std::uint8_t codes[3] = { 1, 0, 2 };
    std::array<int, 16> digits {};
    std::int64_t bad = 0;
    for (std::int64_t i = 1; i <= st->CombinationCount; ++i) {
        for (int p = 1; p <= 15; ++p) {
            bad += st->CombinationList[i][p] != codes[digits[p]];
        }
        for (int p = 15; p >= 1 && ++digits[p] == 3; --p) {
            digits[p] = 0;
        }
    }
    EXPECT_EQ(bad, 0);
}

TEST(WheelsFull, SecondSmallerGenerationCountsOnlyItsRows)
{
    auto st = Game(Repeat("1X2", 10));
    ASSERT_TRUE(MakeFullWheel(*st, nullptr).Ok);
    ASSERT_EQ(st->CombinationCount, 59049);
    std::array<std::array<bool, 3>, MaxPairs> marked {};
    for (int p = 0; p < 10; ++p) {
        marked[p][p == 3 ? 1 : 2] = true;
    }
    marked[7][0] = true;
    RebuildSelection(*st, marked);
    ASSERT_TRUE(MakeFullWheel(*st, nullptr).Ok);
    ExpectRows(*st, ReferenceWheel(*st));
    EXPECT_EQ(st->CombinationCount, 2);
}

TEST(WheelsConditioned, InitialBoundsOnFifteenTriples)
{
    auto st = Game(Repeat("1X2", 15));
    TickCounter ticks;
    const GenerationResult r = MakeConditionedWheel(*st, Bounds(0, 0, 0, 7, 5, 3), &ticks);
    ASSERT_TRUE(r.Ok);
    ASSERT_EQ(st->CombinationCount, 360360);
    EXPECT_EQ(r.Description, QStringLiteral("Conditioned Wheel (360360 combinations)"));
    // Progress counts the accepted rows against the interval of all candidates.
    EXPECT_EQ(ticks.ticks, 360360 / 143491);
    // Each row has exactly 7 home wins, 5 draws and 3 away wins, and the rows
    // stand in enumeration order (as base-3 numbers, strictly rising).
    static constexpr int digit[3] = { 1, 0, 2 }; // code -> position among 1, X, 2
    std::int64_t previous = -1;
    std::int64_t bad = 0;
    for (std::int64_t i = 1; i <= st->CombinationCount; ++i) {
        int counts[3] = { 0, 0, 0 };
        std::int64_t value = 0;
        for (int p = 1; p <= 15; ++p) {
            const std::uint8_t code = st->CombinationList[i][p];
            ++counts[code];
            value = value * 3 + digit[code];
        }
        bad += counts[1] != 7 || counts[0] != 5 || counts[2] != 3 || value <= previous;
        previous = value;
    }
    EXPECT_EQ(bad, 0);
}

TEST(WheelsConditioned, MatchesTheFilteredPlainEnumeration)
{
    const std::vector<std::vector<std::string>> games = {
        Repeat("1X2", 10),
        { "1X", "X2", "1X2", "1", "12", "1X2", "1X2", "2", "1X2", "1X", "1X2", "X" },
        { "1X2", "1X2", "1X2", "1X", "1", "1", "1", "1", "1", "1", "1", "X2", "1X2", "1X2" },
    };
    const std::vector<std::array<int, 6>> bounds = {
        { 0, 0, 0, 7, 5, 3 },
        { 2, 3, 1, 5, 6, 4 },
        { 4, 0, 0, 4, 99, 99 },
        { 0, 0, 0, 0, 0, 14 },
        { -1, 2, -5, 6, 3, 20 },
    };
    for (const auto& marks : games) {
        for (const auto& b : bounds) {
            auto st = Game(marks);
            const GenerationResult r
                = MakeConditionedWheel(*st, Bounds(b[0], b[1], b[2], b[3], b[4], b[5]), nullptr);
            ASSERT_TRUE(r.Ok);
            ExpectRows(*st, ReferenceConditioned(*st, b));
        }
    }
}

TEST(WheelsConditioned, BoundsZeroToPairsGiveTheFullWheel)
{
    const std::vector<std::string> marks
        = { "1X", "X2", "1X2", "1", "12", "1X2", "1X2", "2", "1X2", "1X", "1X2", "X", "1X2" };
    auto st = Game(marks);
    ASSERT_TRUE(MakeFullWheel(*st, nullptr).Ok);
    std::vector<tCombination> full(
        st->CombinationList.Data() + 1, st->CombinationList.Data() + 1 + st->CombinationCount);
    TickCounter ticks;
    ASSERT_TRUE(MakeConditionedWheel(*st, Bounds(0, 0, 0, 13, 13, 13), &ticks).Ok);
    ASSERT_EQ(st->CombinationCount, static_cast<std::int32_t>(full.size()));
    for (std::size_t i = 0; i < full.size(); ++i) {
        for (int p = 1; p <= 13; ++p) {
            ASSERT_EQ(st->CombinationList[i + 1][p], full[i][p]) << "row " << i + 1;
        }
    }
    const std::int32_t total = st->CombinationCount;
    EXPECT_EQ(ticks.ticks, total / ProgressInterval(total));
}

TEST(WheelsConditioned, TenOfEightyOneStopsTheBarAtFive)
{
    std::vector<std::string> marks = Repeat("1", 6);
    for (int i = 0; i < 4; ++i) {
        marks.push_back("1X2");
    }
    auto st = Game(marks);
    // Eight or nine home wins, at least one draw, no away win.
    TickCounter ticks;
    ASSERT_TRUE(MakeConditionedWheel(*st, Bounds(8, 1, 0, 9, 15, 0), &ticks).Ok);
    ExpectRows(*st, ReferenceConditioned(*st, { 8, 1, 0, 9, 15, 0 }));
    EXPECT_EQ(st->CombinationCount, 10);
    EXPECT_EQ(ticks.ticks, 5);
}

TEST(WheelsConditioned, FiltersThatAcceptNothing)
{
    {
        // Min1 above Max1.
        auto st = Game(Repeat("1X2", 10));
        TickCounter ticks;
        const GenerationResult r = MakeConditionedWheel(*st, Bounds(5, 0, 0, 4, 10, 10), &ticks);
        ASSERT_TRUE(r.Ok);
        EXPECT_EQ(st->CombinationCount, 0);
        EXPECT_EQ(ticks.ticks, 0);
        EXPECT_EQ(r.Description, QStringLiteral("Conditioned Wheel (0 combinations)"));
    }
    {
        // Every pair the single "2", at most zero away wins.
        auto st = Game(Repeat("2", 12));
        ASSERT_TRUE(MakeConditionedWheel(*st, Bounds(0, 0, 0, 12, 12, 0), nullptr).Ok);
        EXPECT_EQ(st->CombinationCount, 0);
    }
    {
        // A pair marked only "X" draws in every candidate.
        std::vector<std::string> marks = Repeat("12", 10);
        marks[2] = "X";
        auto st = Game(marks);
        ASSERT_TRUE(MakeConditionedWheel(*st, Bounds(0, 0, 0, 10, 0, 10), nullptr).Ok);
        EXPECT_EQ(st->CombinationCount, 0);
    }
    {
        // Minimums summing to more than the pairs.
        auto st = Game(Repeat("1X2", 10));
        ASSERT_TRUE(MakeConditionedWheel(*st, Bounds(4, 4, 3, 10, 10, 10), nullptr).Ok);
        EXPECT_EQ(st->CombinationCount, 0);
    }
}

TEST(WheelsConditioned, TextThatIsNoNumberFailsWithoutRows)
{
    auto st = Game(Repeat("1X", 10));
    ASSERT_TRUE(MakeFullWheel(*st, nullptr).Ok);
    ASSERT_EQ(st->CombinationCount, 1024);
    ConditionTexts b = Bounds(0, 0, 0, 10, 10, 10);
    b[4] = QStringLiteral("x");
    const GenerationResult r = MakeConditionedWheel(*st, b, nullptr);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, QStringLiteral("'x' is not a valid integer value"));
    EXPECT_EQ(st->CombinationCount, 0);
}

#ifdef __linux__
namespace {

// The address space the process uses now, in bytes (0 when unknown).
std::uint64_t AddressSpaceInUse()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmSize:") {
            std::uint64_t kb = 0;
            status >> kb;
            return kb * 1024;
        }
        std::getline(status, key);
    }
    return 0;
}

// In a child process whose address space leaves no room for 15 triples, both
// generators report the error and leave no rows of the earlier wheel.
int GenerateWithoutMemory(bool conditioned)
{
    auto st = Game(Repeat("1X2", 15));
    st->Selection[15].Count = 1; // a smaller wheel first: 3^14 rows
    if (!MakeFullWheel(*st, nullptr).Ok || st->CombinationCount != 4782969) {
        return 2;
    }
    st->Selection[15].Count = 3;
    const std::uint64_t used = AddressSpaceInUse();
    if (used == 0) {
        return 3;
    }
    // Room for the current list and a little more, not for a list three times larger.
    const rlimit limit { used + (40u << 20), used + (40u << 20) };
    if (setrlimit(RLIMIT_AS, &limit) != 0) {
        return 4;
    }
    TickCounter ticks;
    const GenerationResult r = conditioned
        ? MakeConditionedWheel(*st, Bounds(0, 0, 0, 7, 5, 3), &ticks)
        : MakeFullWheel(*st, &ticks);
    if (r.Ok || st->CombinationCount != 0 || ticks.ticks != 0) {
        return 5;
    }
    if (r.Error != QStringLiteral("Not enough memory for 14348907 combinations")) {
        return 6;
    }
    return 0;
}

} // namespace

TEST(WheelsMemory, ListThatCannotBeHadIsReported)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(std::exit(GenerateWithoutMemory(false)), testing::ExitedWithCode(0), "");
    EXPECT_EXIT(std::exit(GenerateWithoutMemory(true)), testing::ExitedWithCode(0), "");
}
#endif

TEST(WheelsBounds, ArrowsStepWithinZeroToPairs)
{
    EXPECT_EQ(StepBound(QStringLiteral("x"), 13, true), QStringLiteral("2"));
    EXPECT_EQ(StepBound(QStringLiteral("x"), 13, false), QStringLiteral("0"));
    EXPECT_EQ(StepBound(QString(), 13, true), QStringLiteral("2"));
    EXPECT_EQ(StepBound(QStringLiteral("-1"), 13, false), QStringLiteral("0"));
    EXPECT_EQ(StepBound(QStringLiteral("07"), 13, true), QStringLiteral("8"));
    EXPECT_EQ(StepBound(QStringLiteral("07"), 13, false), QStringLiteral("6"));
    EXPECT_EQ(StepBound(QStringLiteral("13"), 13, true), QStringLiteral("13"));
    EXPECT_EQ(StepBound(QStringLiteral("12"), 13, true), QStringLiteral("13"));
    EXPECT_EQ(StepBound(QStringLiteral("0"), 13, false), QStringLiteral("0"));
    EXPECT_EQ(StepBound(QStringLiteral("00"), 13, true), QStringLiteral("1"));
    // A value above the pairs is left by the up arrow, lowered by the down arrow.
    EXPECT_EQ(StepBound(QStringLiteral("99"), 10, true), QStringLiteral("99"));
    EXPECT_EQ(StepBound(QStringLiteral("99"), 10, false), QStringLiteral("98"));
}

TEST(WheelsBounds, OnlyDigitStringsPass)
{
    const ConditionTexts good = Bounds(0, 0, 0, 7, 5, 3);
    EXPECT_TRUE(BoundsAreNumbers(good));
    for (std::size_t i = 0; i < good.size(); ++i) {
        for (const char* text : { "-1", " 3", "", "3 ", "x", "+1" }) {
            ConditionTexts b = good;
            b[i] = QString::fromLatin1(text);
            EXPECT_FALSE(BoundsAreNumbers(b)) << i << " '" << text << "'";
        }
    }
    ConditionTexts b = good;
    b[2] = QStringLiteral("07");
    EXPECT_TRUE(BoundsAreNumbers(b));
}
