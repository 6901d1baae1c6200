// The exhaustive guarantee count of a wheel and the strict reading of wheel
// files: counts checked against a brute-force count, the largest space, and
// the bytes of the packed rows.
#include "engine/uniWheelCheck.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace rav;

namespace {

tWheelRow RowOf(std::initializer_list<int> digits)
{
    tWheelRow r{};
    int i = 0;
    for (int d : digits) {
        r[i++] = static_cast<std::uint8_t>(d);
    }
    return r;
}

// Every result of the space, one at a time, with a plain odometer.
template <class Fn> void ForEachResult(int t, int d, Fn fn)
{
    const int n = t + d;
    tWheelRow x{};
    while (true) {
        fn(x);
        int i = n - 1;
        while (i >= 0 && ++x[i] == (i < t ? 3 : 2)) {
            x[i] = 0;
            --i;
        }
        if (i < 0) {
            return;
        }
    }
}

int Distance(const tWheelRow& a, const tWheelRow& b, int n)
{
    int m = 0;
    for (int i = 0; i < n; ++i) {
        m += a[i] != b[i];
    }
    return m;
}

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST(WheelCheck, CountsAgreeWithBruteForceOnRandomMixedWheels)
{
    std::mt19937 rng(7);
    const int shapes[][2] = { { 3, 2 }, { 0, 6 }, { 5, 0 }, { 2, 4 }, { 1, 1 } };
    for (const auto& shape : shapes) {
        const int t = shape[0], d = shape[1], n = t + d;
        for (int trial = 0; trial < 4; ++trial) {
            std::vector<tWheelRow> rows;
            const int count = 1 + static_cast<int>(rng() % 12);
            for (int r = 0; r < count; ++r) {
                tWheelRow row{};
                for (int i = 0; i < n; ++i) {
                    row[i] = static_cast<std::uint8_t>(rng() % (i < t ? 3 : 2));
                }
                rows.push_back(row);
            }
            std::array<std::int64_t, MaxPairs + 1> expected{};
            int worst = 0;
            ForEachResult(t, d, [&](const tWheelRow& x) {
                int best = n;
                for (const tWheelRow& row : rows) {
                    best = std::min(best, Distance(x, row, n));
                }
                ++expected[best];
                worst = std::max(worst, best);
            });
            const WheelCoverage c = MeasureWheel(t, d, rows);
            ASSERT_TRUE(c.Ok) << c.Error.toStdString();
            EXPECT_EQ(c.Misses, worst) << t << " triples " << d << " doubles";
            EXPECT_EQ(c.ResultsByMisses, expected);
        }
    }
}

TEST(WheelCheck, PerfectCodeAndOneRowLess)
{
    // The 9 words of Z3^4 with both checks 0 (x2+x3+x4 and x1+x3+2x4): every
    // result lies within one miss of exactly one of them.
    std::vector<tWheelRow> rows;
    ForEachResult(4, 0, [&](const tWheelRow& x) {
        if ((x[1] + x[2] + x[3]) % 3 == 0 && (x[0] + x[2] + 2 * x[3]) % 3 == 0) {
            rows.push_back(x);
        }
    });
    ASSERT_EQ(rows.size(), 9u);
    WheelCoverage c = MeasureWheel(4, 0, rows);
    EXPECT_EQ(c.Misses, 1);
    EXPECT_EQ(c.ResultsByMisses[0], 9);
    EXPECT_EQ(c.ResultsByMisses[1], 72);
    EXPECT_EQ(c.Results, 81);

    rows.pop_back();
    c = MeasureWheel(4, 0, rows);
    EXPECT_EQ(c.ResultsByMisses[0], 8);
    EXPECT_GE(c.Misses, 2);
}

TEST(WheelCheck, FifteenTriples)
{
    // One row: m misses for C(15,m) * 2^m results.
    std::vector<tWheelRow> rows{ RowOf({ 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1 }) };
    WheelCoverage c = MeasureWheel(15, 0, rows);
    ASSERT_TRUE(c.Ok);
    EXPECT_EQ(c.Results, 14348907);
    EXPECT_EQ(c.Misses, 15);
    std::int64_t binom = 1;
    for (int m = 0; m <= 15; ++m) {
        EXPECT_EQ(c.ResultsByMisses[m], binom << m) << m;
        binom = binom * (15 - m) / (m + 1);
    }
    // The three constant rows: a result holds some outcome at least 5 times.
    rows.push_back(tWheelRow{});
    rows.push_back(RowOf({ 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2 }));
    c = MeasureWheel(15, 0, rows);
    EXPECT_EQ(c.Misses, 10);
}

TEST(WheelCheck, NoPairsAndRefusals)
{
    WheelCoverage c = MeasureWheel(0, 0, { tWheelRow{} });
    EXPECT_TRUE(c.Ok);
    EXPECT_EQ(c.Misses, 0);
    EXPECT_EQ(c.Results, 1);

    EXPECT_FALSE(MeasureWheel(2, 1, {}).Ok);
    EXPECT_FALSE(MeasureWheel(10, 6, { tWheelRow{} }).Ok);
    // A double takes only 1 or 0, a triple 1, 0 or 2.
    c = MeasureWheel(1, 1, { RowOf({ 2, 2 }) });
    EXPECT_FALSE(c.Ok);
    EXPECT_NE(c.Error.indexOf(QStringLiteral("double")), -1);
    EXPECT_FALSE(MeasureWheel(1, 0, { RowOf({ 3 }) }).Ok);
}

TEST(WheelCheck, PackedRowBytes)
{
    // 1, 0, 2, 1 as "+" (10) and "6" (21); an odd count ends in a filler 0.
    EXPECT_EQ(PackWheelRow(RowOf({ 1, 0, 2, 1 }), 3, 1), QByteArray("+6"));
    EXPECT_EQ(PackWheelRow(RowOf({ 2, 1, 0 }), 1, 2), QByteArray("6!"));
    EXPECT_EQ(PackWheelRow(tWheelRow{}, 0, 0), QByteArray());
}

TEST(WheelCheck, FilesReadStrictly)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString good = dir.filePath("01021314000004.txt"); // 1 triple, 2 doubles, level 1
    // Rows 100, 110, 200, 210 (triple first): a draw on the triple with the
    // second double's first outcome misses two.
    const QByteArray bytes = "+!\r\n,!\r\n5!\r\n6!\r\n";
    WriteBytes(good, bytes);
    WheelFileCheck check = CheckWheelFile(good);
    EXPECT_FALSE(check.Ok) << "the result 001 misses two on every row";
    EXPECT_EQ(check.Coverage.Misses, 2);

    // The same rows named for level 2 keep their promise.
    const QString level2 = dir.filePath("01021315000004.txt");
    WriteBytes(level2, bytes);
    check = CheckWheelFile(level2);
    EXPECT_TRUE(check.Ok) << check.Error.toStdString();
    ASSERT_EQ(check.Rows.size(), 4u);
    EXPECT_EQ(check.Rows[0], RowOf({ 1, 0, 0 }));
    EXPECT_EQ(check.Rows[1], RowOf({ 1, 1, 0 }));
    EXPECT_EQ(check.Rows[3], RowOf({ 2, 1, 0 }));

    struct Bad {
        const char* bytes;
        const char* why;
    } bad[] = {
        { "+!\n,!\n5!\n6!\n", "LF alone" },
        { "+!\r\n,!\r\n5!\r\n", "a row missing" },
        { "+!\r\n,!\r\n5!\r\n6!\r\n6!\r\n", "a row too many" },
        { "+\"\r\n,!\r\n5!\r\n6!\r\n", "filler digit not 0" },
        { "-!\r\n,!\r\n5!\r\n6!\r\n", "double digit 2" },
        { "+! \r\n,!\r\n5!\r\n6!\r\n", "trailing blank" },
    };
    for (const Bad& b : bad) {
        WriteBytes(level2, b.bytes);
        check = CheckWheelFile(level2);
        EXPECT_FALSE(check.Ok) << b.why;
        EXPECT_FALSE(check.Error.isEmpty()) << b.why;
    }

    EXPECT_FALSE(CheckWheelFile(dir.filePath("01021315000009.txt")).Ok) << "missing file";
    const QString badName = dir.filePath("wheel.txt");
    WriteBytes(badName, bytes);
    EXPECT_FALSE(CheckWheelFile(badName).Ok);

    // No pairs: one empty row.
    const QString empty = dir.filePath("00001415000001.txt");
    WriteBytes(empty, "\r\n");
    check = CheckWheelFile(empty);
    EXPECT_TRUE(check.Ok) << check.Error.toStdString();
}
