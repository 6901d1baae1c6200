// The viewer lines and the paging arithmetic of the combinations viewer.
#include "test_wheels_fixture.h"

#include "tickets/uniViewerPages.h"

#include <gtest/gtest.h>

using namespace rav;
using namespace wheeltest;

namespace {

tCombination Row(const char* outcomes)
{
    tCombination row {};
    int p = 1;
    for (const char* c = outcomes; *c != '\0'; ++c) {
        row[p++] = *c == 'X' ? 0 : static_cast<std::uint8_t>(*c - '0');
    }
    return row;
}

struct Shown {
    std::int64_t first;
    std::int64_t last;
    bool start, back, forward, end;
};

void ExpectPage(const ViewerPage& page, const Shown& s)
{
    EXPECT_EQ(page.First, s.first);
    EXPECT_EQ(page.Last, s.last);
    EXPECT_EQ(page.StartEnabled, s.start) << "<<";
    EXPECT_EQ(page.BackEnabled, s.back) << "<";
    EXPECT_EQ(page.ForwardEnabled, s.forward) << ">";
    EXPECT_EQ(page.EndEnabled, s.end) << ">>";
}

} // namespace

TEST(WheelsViewer, LineLayout)
{
    EXPECT_EQ(ViewerLine(Row("1X211XX211"), 5, ViewerNumberWidth(729), 10),
        QStringLiteral("  5: 1 X 2 1 1 X X 2 1 1 "));
    EXPECT_EQ(ViewerLine(Row("2222222222"), 12, ViewerNumberWidth(12345), 10),
        QStringLiteral("   12: 2 2 2 2 2 2 2 2 2 2 "));
    EXPECT_EQ(ViewerLine(Row("XXXXXXXXXXXX"), 7, ViewerNumberWidth(99), 12),
        QStringLiteral("  7: X X X X X X X X X X X X "));
    EXPECT_EQ(ViewerLine(Row("111111111111111"), 14348907, ViewerNumberWidth(14348907), 15),
        QStringLiteral("14348907: 1 1 1 1 1 1 1 1 1 1 1 1 1 1 1 "));
    EXPECT_EQ(ViewerNumberWidth(0), 3);
    EXPECT_EQ(ViewerNumberWidth(9), 3);
    EXPECT_EQ(ViewerNumberWidth(1000), 4);
    EXPECT_EQ(ViewerNumberWidth(10000), 5);
}

TEST(WheelsViewer, LinesComeFromTheListAndStayWithinIt)
{
    auto st = Game({ "1", "X", "2", "1", "1", "X", "X", "2", "1", "1X2" });
    ASSERT_TRUE(MakeFullWheel(*st, nullptr).Ok);
    const QStringList lines = ViewerLines(*st, 1, 3);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("  1: 1 X 2 1 1 X X 2 1 1 "));
    EXPECT_EQ(lines[1], QStringLiteral("  2: 1 X 2 1 1 X X 2 1 X "));
    EXPECT_EQ(lines[2], QStringLiteral("  3: 1 X 2 1 1 X X 2 1 2 "));
    EXPECT_EQ(ViewerLines(*st, 2, 50).size(), 2);
    EXPECT_EQ(ViewerLines(*st, -4, 1).size(), 1);
    EXPECT_TRUE(ViewerLines(*st, 4, 9).isEmpty());
    // A count larger than the rows the list holds never reads past them.
    st->CombinationCount = 1000000;
    EXPECT_EQ(ViewerLines(*st, 1, 10000).size(),
        static_cast<qsizetype>(st->CombinationList.Capacity() - 1));
    AppState empty;
    empty.CombinationCount = 5;
    EXPECT_TRUE(ViewerLines(empty, 1, 5).isEmpty());
}

TEST(WheelsViewer, NumberBeforeTheLastColon)
{
    std::int64_t n = 0;
    EXPECT_TRUE(ViewerLineNumber(QStringLiteral("  5: 1 X 2 "), &n));
    EXPECT_EQ(n, 5);
    EXPECT_TRUE(ViewerLineNumber(QStringLiteral("25000: 1 "), &n));
    EXPECT_EQ(n, 25000);
    EXPECT_TRUE(ViewerLineNumber(QStringLiteral("ab: 12: 1 "), &n) == false);
    EXPECT_FALSE(ViewerLineNumber(QStringLiteral("1 X 2"), &n));
    EXPECT_FALSE(ViewerLineNumber(QStringLiteral("   : 1"), &n));
    EXPECT_FALSE(ViewerLineNumber(QStringLiteral(" -3: 1"), &n));
    EXPECT_FALSE(ViewerLineNumber(QString(), &n));
    EXPECT_FALSE(ViewerLineNumber(QStringLiteral("99999999999999999999999: 1"), &n));
}

TEST(WheelsViewer, SmallWheelsHaveOnePage)
{
    ExpectPage(FirstViewerPage(0), { 1, 0, false, false, false, false });
    ExpectPage(FirstViewerPage(729), { 1, 729, false, false, false, false });
    ExpectPage(FirstViewerPage(10000), { 1, 10000, false, false, false, false });
}

TEST(WheelsViewer, TenThousandAndOne)
{
    const ViewerPage first = FirstViewerPage(10001);
    ExpectPage(first, { 1, 10000, false, false, true, true });
    const ViewerPage next = NextViewerPage(10001, first.Last);
    ExpectPage(next, { 10001, 10001, true, true, false, false });
    ExpectPage(PreviousViewerPage(10001, next.First), { 1, 10000, false, false, true, true });
    ExpectPage(LastViewerPage(10001), { 2, 10001, true, true, false, false });
}

TEST(WheelsViewer, TwentyFiveThousand)
{
    const ViewerPage last = LastViewerPage(25000);
    ExpectPage(last, { 15001, 25000, true, true, false, false });
    const ViewerPage back1 = PreviousViewerPage(25000, last.First);
    ExpectPage(back1, { 5001, 15000, true, true, true, true });
    const ViewerPage back2 = PreviousViewerPage(25000, back1.First);
    ExpectPage(back2, { 1, 10000, false, false, true, true });
    const ViewerPage next1 = NextViewerPage(25000, back2.Last);
    ExpectPage(next1, { 10001, 20000, true, true, true, true });
    const ViewerPage next2 = NextViewerPage(25000, next1.Last);
    ExpectPage(next2, { 20001, 25000, true, true, false, false });
    ExpectPage(FirstViewerPage(25000), { 1, 10000, false, false, true, true });
}

TEST(WheelsViewer, StepsFromLinesOfALargerWheel)
{
    // Lines left from an earlier, larger wheel never lead past the current count.
    const ViewerPage back = PreviousViewerPage(500, 30001);
    EXPECT_EQ(back.First, 20001);
    EXPECT_LE(back.Last, 500);
    const ViewerPage next = NextViewerPage(500, 30000);
    EXPECT_LT(next.Last, next.First);
    EXPECT_FALSE(next.ForwardEnabled);
}
