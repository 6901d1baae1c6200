// Wheel file names, the wheel table, the wheel list lines and the fitting wheel.
#include "test_abb_fixture.h"

#include "engine/uniWheels.h"

#include <gtest/gtest.h>

using namespace rav;
using abbtest::WheelFolder;

TEST(WheelName, ParsesTheFiveFields)
{
    tWheel w;
    ASSERT_TRUE(ParseWheelFileName(QStringLiteral("03041314000081.txt"), w));
    EXPECT_EQ(w.Triples, 3);
    EXPECT_EQ(w.Doubles, 4);
    EXPECT_EQ(w.Hits, 13);
    EXPECT_EQ(w.OutOf, 14);
    EXPECT_EQ(w.Combinations, 81);
    EXPECT_EQ(w.FileName, QStringLiteral("03041314000081.txt"));

    // The extension in any case, as a wildcard lists it; the name is kept as listed.
    ASSERT_TRUE(ParseWheelFileName(QStringLiteral("07081215999999.TXT"), w));
    EXPECT_EQ(w.Triples + w.Doubles, 15);
    EXPECT_EQ(w.OutOf - w.Hits, 3);
    EXPECT_EQ(w.Combinations, 999999);
    EXPECT_EQ(w.FileName, QStringLiteral("07081215999999.TXT"));

    // No triples and no doubles is a wheel too (all singles).
    ASSERT_TRUE(ParseWheelFileName(QStringLiteral("00000910000001.txt"), w));
    EXPECT_EQ(w.Triples, 0);
    EXPECT_EQ(w.Doubles, 0);
}

TEST(WheelName, RejectsMalformedNamesAndUnusableFields)
{
    const char* const bad[] = {
        "0304131400008.txt", // 13 digits
        "030413140000810.txt", // 15 digits
        "0304131400008a.txt", // a letter
        " 3041314000081.txt", // a blank, which a plain conversion would take
        "+3041314000081.txt", // a sign
        "03041314000081.dat", // another extension
        "03041314000081.txt.bak", "03041314000081txt", ".txt", "",
        "10061314000081.txt", // 16 triples and doubles
        "03041313000081.txt", // OutOf - Hits 0
        "03041014000081.txt", // OutOf - Hits 4
        "03041413000081.txt", // OutOf - Hits -1
        "03041314000000.txt", // no combinations
    };
    for (const char* name : bad) {
        tWheel w;
        w.Triples = 77;
        EXPECT_FALSE(ParseWheelFileName(QString::fromLatin1(name), w)) << name;
        EXPECT_EQ(w.Triples, 77) << name;
    }
    // Digits of another script are not decimal digits here.
    tWheel w;
    EXPECT_FALSE(ParseWheelFileName(QString::fromUtf8("\xd9\xa0"
                                                      "3041314000081.txt"),
                                    w));
}

TEST(WheelLine, FixedColumnsToTheCharacter)
{
    tWheel w;
    w.Triples = 3;
    w.Doubles = 4;
    w.Combinations = 81;
    const QString line = FormatWheelLine(w);
    EXPECT_EQ(line.size(), 22);
    // 2 blanks, 3, 6 blanks, 4, 8 blanks, 81, 2 blanks.
    EXPECT_EQ(line, QStringLiteral("  3      4        81  "));

    w.Triples = 12;
    w.Doubles = 10;
    w.Combinations = 123456;
    EXPECT_EQ(FormatWheelLine(w), QStringLiteral(" 12     10    123456  "));

    w.Triples = 0;
    w.Doubles = 0;
    w.Combinations = 1;
    EXPECT_EQ(FormatWheelLine(w), QStringLiteral("  0      0         1  "));
}

TEST(WheelTable, LoadsValidNamesInListingOrderAndSkipsTheRest)
{
    WheelFolder f;
    f.Write("03041314000081.txt", "");
    f.Write("01020910000004.txt", "");
    f.Write("junk.txt", "");
    f.Write("0102091000000.txt", ""); // too short
    f.Write("02021013000009.txt", ""); // level 3
    f.Write("02021013000009.dat", ""); // not a wheel file
    f.Write("01020910000004.TXT", ""); // same name but the case of the extension
    QDir(f.st->ProgramFolder + "wheels").mkdir("05051415000010.txt"); // a folder

    LoadWheelList(*f.st);
    ASSERT_EQ(f.st->WheelCount, 4);
    // By name, case-insensitively; a tie goes by the bytes (".TXT" before ".txt").
    EXPECT_EQ(f.st->Wheels[1].FileName, QStringLiteral("01020910000004.TXT"));
    EXPECT_EQ(f.st->Wheels[2].FileName, QStringLiteral("01020910000004.txt"));
    EXPECT_EQ(f.st->Wheels[3].FileName, QStringLiteral("02021013000009.txt"));
    EXPECT_EQ(f.st->Wheels[4].FileName, QStringLiteral("03041314000081.txt"));
    EXPECT_EQ(f.st->Wheels[4].Combinations, 81);

    // Loading again starts from an empty table.
    LoadWheelList(*f.st);
    EXPECT_EQ(f.st->WheelCount, 4);
}

TEST(WheelTable, EmptyOrMissingFolderGivesNoWheels)
{
    WheelFolder empty;
    empty.st->WheelCount = 3;
    LoadWheelList(*empty.st);
    EXPECT_EQ(empty.st->WheelCount, 0);

    WheelFolder missing(10, false);
    missing.st->WheelCount = 3;
    LoadWheelList(*missing.st);
    EXPECT_EQ(missing.st->WheelCount, 0);
}

TEST(WheelTable, AtMost500WheelsAndSkippedFilesTakeNoPlace)
{
    WheelFolder f;
    f.Write("00000000000000.txt", ""); // first in the listing, but unusable
    for (int i = 1; i <= 505; ++i) {
        f.Write(QStringLiteral("010109100%1.txt").arg(i, 5, 10, QLatin1Char('0')), "");
    }
    LoadWheelList(*f.st);
    ASSERT_EQ(f.st->WheelCount, 500);
    EXPECT_EQ(f.st->Wheels[1].Combinations, 1);
    EXPECT_EQ(f.st->Wheels[500].Combinations, 500);
}

TEST(WheelList, LevelByDifferenceAloneAndTriplesPlusDoublesWithinThePairs)
{
    WheelFolder f;
    f.Write("03041314000081.txt", ""); // level 1, 7 in all
    f.Write("02021213000020.txt", ""); // level 1 too: only the difference counts
    f.Write("05061213000300.txt", ""); // level 1, 11 in all
    f.Write("02021214000009.txt", ""); // level 2
    f.Write("07081215000500.txt", ""); // level 3, 15 in all
    LoadWheelList(*f.st);
    ASSERT_EQ(f.st->WheelCount, 5);

    auto line = [](int t, int d, int c) {
        tWheel w;
        w.Triples = t;
        w.Doubles = d;
        w.Combinations = c;
        return FormatWheelLine(w);
    };
    // Table order; the list box sorts them itself.
    EXPECT_EQ(WheelListLines(*f.st, 1, 10), QStringList({line(2, 2, 20), line(3, 4, 81)}));
    EXPECT_EQ(WheelListLines(*f.st, 1, 11),
              QStringList({line(2, 2, 20), line(3, 4, 81), line(5, 6, 300)}));
    EXPECT_EQ(WheelListLines(*f.st, 2, 15), QStringList({line(2, 2, 9)}));
    EXPECT_TRUE(WheelListLines(*f.st, 3, 14).isEmpty());
    EXPECT_EQ(WheelListLines(*f.st, 3, 15), QStringList({line(7, 8, 500)}));
}

TEST(WheelFit, TriplesDoublesAndLevelMustMatchAndTheLastWins)
{
    WheelFolder f(13);
    f.Write("01021213000010.txt", ""); // 1 triple, 2 doubles, level 1
    f.Write("01021314000011.txt", ""); // the same, later in the listing
    f.Write("01021114000012.txt", ""); // level 3, first in the listing
    f.Write("02010910000013.txt", ""); // triples and doubles swapped, level 1
    LoadWheelList(*f.st);
    ASSERT_EQ(f.st->WheelCount, 4);
    ASSERT_EQ(f.st->Wheels[3].FileName, QStringLiteral("01021314000011.txt"));

    EXPECT_EQ(FindWheel(*f.st, 1), 0); // no marks: 0 triples, 0 doubles

    // One triple, two doubles and ten singles: the singles are not compared.
    f.Mark({"1X2", "1X", "X2", "1", "1", "1", "1", "1", "1", "1", "X", "2", "1"});
    EXPECT_EQ(FindWheel(*f.st, 1), 3);
    EXPECT_EQ(FindWheel(*f.st, 2), 0);
    EXPECT_EQ(FindWheel(*f.st, 3), 1);

    // Two triples and one double; unmarked pairs count as neither.
    f.Mark({"1X", "1X2", "1X2"});
    EXPECT_EQ(FindWheel(*f.st, 1), 4);
    EXPECT_EQ(FindWheel(*f.st, 3), 0);

    f.Mark({"1X", "1X2", "1X2", "12"});
    EXPECT_EQ(FindWheel(*f.st, 1), 0);
}
