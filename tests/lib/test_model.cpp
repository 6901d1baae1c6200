// The shared state's derived counts, the status line and the text functions.
#include "model/uniGlobal.h"

#include <gtest/gtest.h>

using namespace rav;

namespace {

using Marks = std::array<std::array<bool, 3>, MaxPairs>;

AppState GameOf(int pairs)
{
    AppState st;
    st.Games[1] = tLutrija{QStringLiteral("Test"), pairs, 10};
    st.GameCount = 1;
    st.CurrentGame = 1;
    return st;
}

void English(AppState& st)
{
    st.Words.LangSelected = QStringLiteral("Selected");
    st.Words.LangSingles = QStringLiteral("Singles");
    st.Words.LangDoubles = QStringLiteral("Doubles");
    st.Words.LangTriples = QStringLiteral("Triples");
    st.Words.LangFullWheel = QStringLiteral("Full Wheel");
    st.Words.LangCombinations = QStringLiteral("combinations");
    st.Words.LangOf = QStringLiteral("of");
}

} // namespace

TEST(Selection, CodesFollowColumnOrderNotClickOrder)
{
    AppState st = GameOf(10);
    Marks m{};
    m[0] = {true, false, true};  // "1" and "2"
    m[1] = {false, true, false}; // "X" only
    m[2] = {true, true, true};
    m[3] = {false, true, true};
    RebuildSelection(st, m);
    EXPECT_EQ(st.Selection[1].Count, 2);
    EXPECT_EQ(st.Selection[1].Codes[0], CodeHome);
    EXPECT_EQ(st.Selection[1].Codes[1], CodeAway);
    EXPECT_EQ(st.Selection[1].Codes[2], 0);
    EXPECT_EQ(st.Selection[2].Count, 1);
    EXPECT_EQ(st.Selection[2].Codes[0], CodeDraw);
    EXPECT_EQ(st.Selection[3].Count, 3);
    EXPECT_EQ(st.Selection[3].Codes, (std::array<std::uint8_t, 3>{1, 0, 2}));
    EXPECT_EQ(st.Selection[4].Codes[0], CodeDraw);
    EXPECT_EQ(st.Selection[4].Codes[1], CodeAway);
    EXPECT_EQ(st.Selection[5].Count, 0);

    // A rebuild starts from zero: earlier codes do not linger.
    RebuildSelection(st, Marks{});
    EXPECT_EQ(st.Selection[3].Count, 0);
    EXPECT_EQ(st.Selection[3].Codes, (std::array<std::uint8_t, 3>{0, 0, 0}));
}

TEST(Selection, CountsAndFullWheelSize)
{
    AppState st = GameOf(10);
    tSelectionCounts fresh = CountSelection(st);
    EXPECT_EQ(fresh.Singles + fresh.Doubles + fresh.Triples, 0);
    EXPECT_EQ(fresh.Product, 0);
    EXPECT_FALSE(AllPairsMarked(st));

    Marks all{};
    for (auto& row : all) {
        row = {true, true, true};
    }
    RebuildSelection(st, all);
    EXPECT_EQ(CountSelection(st).Triples, 10);
    EXPECT_EQ(CountSelection(st).Product, 59049);

    AppState big = GameOf(15);
    RebuildSelection(big, all);
    EXPECT_EQ(CountSelection(big).Triples, 15);
    EXPECT_EQ(CountSelection(big).Product, 14348907);
    EXPECT_TRUE(AllPairsMarked(big));

    // Marks on pairs above the game's count do not count.
    Marks partial{};
    for (int p = 0; p < 10; ++p) {
        partial[p] = {true, false, false};
    }
    partial[12] = {true, true, true};
    RebuildSelection(st, partial);
    EXPECT_EQ(CountSelection(st).Singles, 10);
    EXPECT_EQ(CountSelection(st).Triples, 0);
    EXPECT_EQ(CountSelection(st).Product, 1);
}

TEST(StatusLine, ExactTextForTheListedCases)
{
    AppState st = GameOf(10);
    English(st);
    EXPECT_EQ(StatusLineText(st),
              QStringLiteral(
                  "Selected: 0 Singles, 0 Doubles, 0 Triples.  Full Wheel: 0 combinations."));

    Marks m{};
    for (int p = 0; p < 7; ++p) {
        m[p] = {false, true, false};
    }
    m[7] = {true, true, false};
    m[8] = {false, true, true};
    m[9] = {true, true, true};
    RebuildSelection(st, m);
    EXPECT_EQ(StatusLineText(st),
              QStringLiteral(
                  "Selected: 7 Singles, 2 Doubles, 1 Triples.  Full Wheel: 12 combinations."));

    Marks singles{};
    for (int p = 0; p < 10; ++p) {
        singles[p] = {true, false, false};
    }
    RebuildSelection(st, singles);
    EXPECT_TRUE(StatusLineText(st).endsWith(QStringLiteral("Full Wheel: 1 combinations.")));
    EXPECT_TRUE(AllPairsMarked(st));

    // Before a language is applied the words are empty; the numbers still stand.
    AppState bare = GameOf(10);
    EXPECT_EQ(StatusLineText(bare), QStringLiteral(": 0 , 0 , 0 .  : 0 ."));
}

TEST(Captions, GuaranteeAndPitch)
{
    AppState st = GameOf(14);
    English(st);
    EXPECT_EQ(GuaranteeCaption(st, 1), QStringLiteral("13 of 14"));
    EXPECT_EQ(GuaranteeCaption(st, 3), QStringLiteral("11 of 14"));
    st.Words.LangOf.clear();
    EXPECT_EQ(GuaranteeCaption(st, 2), QStringLiteral("12  14"));

    const int pitches[] = {36, 34, 32, 30, 28, 27};
    for (int n = 10; n <= 15; ++n) {
        EXPECT_EQ(RowPitch(n), pitches[n - 10]) << n;
    }
}

TEST(TextFunctions, RightLeftFirstCodeIsNumber)
{
    EXPECT_EQ(RightStr(QStringLiteral("abcdef"), 2), QStringLiteral("ef"));
    EXPECT_EQ(RightStr(QStringLiteral("ab"), 5), QStringLiteral("ab"));
    EXPECT_EQ(RightStr(QStringLiteral("ab"), 0), QString());
    EXPECT_EQ(LeftStr(QStringLiteral("abcdef"), 3), QStringLiteral("abc"));
    EXPECT_EQ(LeftStr(QStringLiteral("ab"), 5), QStringLiteral("ab"));
    EXPECT_EQ(FirstCharCode(QStringLiteral("&File")), int('&'));

    EXPECT_TRUE(IsNumber(QStringLiteral("0")));
    EXPECT_TRUE(IsNumber(QStringLiteral("07")));
    EXPECT_FALSE(IsNumber(QString()));
    EXPECT_FALSE(IsNumber(QStringLiteral("-1")));
    EXPECT_FALSE(IsNumber(QStringLiteral(" 3")));
    EXPECT_FALSE(IsNumber(QStringLiteral("3 ")));
    EXPECT_FALSE(IsNumber(QStringLiteral("x")));
    EXPECT_FALSE(IsNumber(QStringLiteral("\u0663"))); // a digit of another script

    EXPECT_EQ(OutcomeChar(CodeDraw), QLatin1Char('X'));
    EXPECT_EQ(OutcomeChar(CodeHome), QLatin1Char('1'));
    EXPECT_EQ(OutcomeChar(CodeAway), QLatin1Char('2'));
}

TEST(CombinationStore, ResizeKeepsCapacityAndReportsFailure)
{
    CombinationStore store;
    ASSERT_TRUE(store.Resize(100));
    store[99][15] = 7;
    EXPECT_EQ(store.Capacity(), 100u);
    // A smaller request reuses the rows it has.
    ASSERT_TRUE(store.Resize(10));
    EXPECT_EQ(store.Capacity(), 100u);
    EXPECT_EQ(store[99][15], 7);
    // An impossible request fails without throwing and leaves the store empty.
    EXPECT_FALSE(store.Resize(std::size_t(1) << 50));
    EXPECT_EQ(store.Capacity(), 0u);
    EXPECT_EQ(store.Data(), nullptr);
}
