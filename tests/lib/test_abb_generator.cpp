// The packed wheel rows and the abbreviated wheel read from a wheel file.
#include "test_abb_fixture.h"

#include "engine/uniGenerators.h"
#include "engine/uniWheels.h"
#include "model/uniIO.h"

#include <gtest/gtest.h>

#include <climits>

using namespace rav;
using abbtest::RowText;
using abbtest::WheelFolder;

TEST(WheelRow, DecodeAndEncodeTwoDigitsPerByte)
{
    EXPECT_EQ(DecodeWheelRow("6!"), QByteArray("2100"));
    EXPECT_EQ(DecodeWheelRow("+6"), QByteArray("1021"));
    EXPECT_EQ(DecodeWheelRow(""), QByteArray());
    EXPECT_EQ(EncodeWheelRow("1021"), QByteArray("+6"));
    EXPECT_EQ(EncodeWheelRow("2100"), QByteArray("6!"));
    // An odd count gets a filler "0".
    EXPECT_EQ(EncodeWheelRow("210"), QByteArray("6!"));
    EXPECT_EQ(EncodeWheelRow(""), QByteArray());

    // The nine characters of a well-formed row.
    EXPECT_EQ(EncodeWheelRow("000102101112202122"), QByteArray("!\"#+,-567"));
    for (int v = 0; v <= 99; ++v) {
        const QByteArray two = QByteArray::number(v).rightJustified(2, '0');
        EXPECT_EQ(DecodeWheelRow(EncodeWheelRow(two)), two);
    }

    // Codes outside 33..132 decode as the decimal writing gives them.
    EXPECT_EQ(DecodeWheelRow(" "), QByteArray("-1"));
    EXPECT_EQ(DecodeWheelRow("\x85"), QByteArray("100"));

    try {
        EncodeWheelRow("12a0");
        FAIL() << "a letter was packed";
    } catch (const RunError& e) {
        EXPECT_EQ(e.Text(), QStringLiteral("'12a0' is not a valid integer value"));
    }
}

namespace {

// The worked example: pair 1 a triple, pair 2 "1" and "X", pair 3 "X" and "2",
// pairs 4 to 10 single "1"; a wheel of 1 triple and 2 doubles at level 1.
void WorkedExampleMarks(WheelFolder& f)
{
    f.Mark({"1X2", "1X", "X2", "1", "1", "1", "1", "1", "1", "1"});
}

const QString kExample = QStringLiteral("01020910000003.txt");

} // namespace

TEST(AbbreviatedWheel, WorkedExample)
{
    WheelFolder f;
    f.Write(kExample, "6!\r\n+,\r\n!!\r\n");
    LoadWheelList(*f.st);
    WorkedExampleMarks(f);

    const GenerationResult r = MakeAbbreviatedWheel(*f.st, 1);
    ASSERT_TRUE(r.Ok) << qPrintable(r.Error);
    ASSERT_EQ(f.st->CombinationCount, 3);
    // "6!" = 2 1 0 0: away win, home win, away win (the second of "X" and "2").
    EXPECT_EQ(RowText(*f.st, 1), QStringLiteral("2121111111"));
    // "+," = 1 0 1 1: home win, draw (the second of "1" and "X"), draw (the first of "X" and "2").
    EXPECT_EQ(RowText(*f.st, 2), QStringLiteral("1XX1111111"));
    // "!!" = 0 0 0 0: draw, draw, away win.
    EXPECT_EQ(RowText(*f.st, 3), QStringLiteral("XX21111111"));
    EXPECT_EQ(r.Description, QStringLiteral("Abbreviated Wheel (3 combinations)"));
    // The codes themselves: the draw is 0.
    EXPECT_EQ(f.st->CombinationList[2][2], CodeDraw);
    EXPECT_EQ(f.st->CombinationList[1][1], CodeAway);
}

TEST(AbbreviatedWheel, DigitMeaningsOnTriplesAndEveryKindOfDouble)
{
    // Pair 1 a triple; doubles "X2", "12" and "1X" at pairs 2..4.
    WheelFolder f;
    f.WriteRows("01030910000003.txt", {"1111", "0000", "2101"});
    LoadWheelList(*f.st);
    f.Mark({"1X2", "X2", "12", "1X", "2", "X", "1", "2", "X", "1"});

    const GenerationResult r = MakeAbbreviatedWheel(*f.st, 1);
    ASSERT_TRUE(r.Ok) << qPrintable(r.Error);
    ASSERT_EQ(f.st->CombinationCount, 3);
    // Digit 1: the first marked outcome of each double; on "X2" that is the draw.
    EXPECT_EQ(RowText(*f.st, 1), QStringLiteral("1X112X12X1"));
    // Digit 0: the second; on "X2" the away win.
    EXPECT_EQ(RowText(*f.st, 2), QStringLiteral("X22X2X12X1"));
    EXPECT_EQ(RowText(*f.st, 3), QStringLiteral("2X212X12X1"));
}

TEST(AbbreviatedWheel, EightyOneRowsOfThreeTriplesAndFourDoubles)
{
    // 14 pairs: triples at 2, 5, 9; doubles "1X" at 1, "X2" at 4, "12" at 7, "1X" at 14.
    WheelFolder f(14);
    const char* const marks[14] = {"1X", "1X2", "2", "X2", "1X2", "1", "12",
                                   "X",  "1X2", "1", "2",  "X",   "1", "1X"};
    f.Mark({marks[0], marks[1], marks[2], marks[3], marks[4], marks[5], marks[6], marks[7],
            marks[8], marks[9], marks[10], marks[11], marks[12], marks[13]});

    // Row r: the triples' digits from r in base 3, the doubles' from its low bits.
    const char tripleDigit[3] = {'1', '0', '2'};
    QByteArray file;
    QStringList expected;
    for (int r = 0; r < 81; ++r) {
        QByteArray digits;
        digits += tripleDigit[r % 3];
        digits += tripleDigit[(r / 3) % 3];
        digits += tripleDigit[(r / 9) % 3];
        for (int b = 0; b < 4; ++b) {
            digits += ((r >> b) & 1) != 0 ? '1' : '0';
        }
        // LF alone after the odd rows: both line ends are read.
        file += EncodeWheelRow(digits) + (r % 2 == 0 ? "\r\n" : "\n");

        QString row;
        int t = 0;
        int d = 3;
        for (const char* m : marks) {
            const QString outcomes = QString::fromLatin1(m);
            if (outcomes.size() == 1) {
                row += outcomes;
            } else if (outcomes.size() == 2) {
                row += outcomes.at(digits[d++] == '1' ? 0 : 1);
            } else {
                const char c = digits[t++];
                row += c == '1' ? QLatin1Char('1') : c == '0' ? QLatin1Char('X') : QLatin1Char('2');
            }
        }
        expected << row;
    }
    EXPECT_EQ(file.size(), 81 * 4 + 81 + 41);
    f.Write("03041314000081.txt", file);
    LoadWheelList(*f.st);

    const GenerationResult r = MakeAbbreviatedWheel(*f.st, 1);
    ASSERT_TRUE(r.Ok) << qPrintable(r.Error);
    ASSERT_EQ(f.st->CombinationCount, 81);
    EXPECT_EQ(r.Description, QStringLiteral("Abbreviated Wheel (81 combinations)"));
    for (int i = 1; i <= 81; ++i) {
        EXPECT_EQ(RowText(*f.st, i), expected[i - 1]) << "row " << i;
    }
    EXPECT_GE(f.st->CombinationList.Capacity(), 91u);
}

TEST(AbbreviatedWheel, AllSinglesGiveRowsEqualToTheMarks)
{
    WheelFolder f;
    f.Write("00000910000004.txt", "\r\n\r\nanything\r\n\r\n");
    LoadWheelList(*f.st);
    f.Mark({"1", "X", "2", "2", "X", "1", "1", "1", "X", "2"});
    const GenerationResult r = MakeAbbreviatedWheel(*f.st, 1);
    ASSERT_TRUE(r.Ok) << qPrintable(r.Error);
    ASSERT_EQ(f.st->CombinationCount, 4);
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(RowText(*f.st, i), QStringLiteral("1X22X111X2"));
    }
}

TEST(AbbreviatedWheel, LinesAfterTheLastRowAndUnusedCharactersAreNotRead)
{
    WheelFolder f;
    // R = 2: the third line would be malformed; the rows carry trailing junk and,
    // T + D being odd, a filler digit 9.
    f.Write("01000910000002.txt", "4  \x01\r\n>~~\r\n\x01\x01\r\n");
    LoadWheelList(*f.st);
    f.Mark({"1X2", "1", "1", "1", "1", "1", "1", "1", "1", "1"});
    const GenerationResult r = MakeAbbreviatedWheel(*f.st, 1);
    ASSERT_TRUE(r.Ok) << qPrintable(r.Error);
    ASSERT_EQ(f.st->CombinationCount, 2);
    EXPECT_EQ(RowText(*f.st, 1), QStringLiteral("1111111111")); // "4" = 1 9
    EXPECT_EQ(RowText(*f.st, 2), QStringLiteral("2111111111")); // ">" = 2 9
}

TEST(AbbreviatedWheel, TheLastMatchingWheelIsRead)
{
    WheelFolder f;
    f.WriteRows("01020910000001.txt", {"2100"});
    f.WriteRows("01021213000002.txt", {"1000", "0110"});
    LoadWheelList(*f.st);
    WorkedExampleMarks(f);
    const GenerationResult r = MakeAbbreviatedWheel(*f.st, 1);
    ASSERT_TRUE(r.Ok) << qPrintable(r.Error);
    ASSERT_EQ(f.st->CombinationCount, 2);
    EXPECT_EQ(RowText(*f.st, 1), QStringLiteral("1X21111111"));
    EXPECT_EQ(RowText(*f.st, 2), QStringLiteral("X1X1111111"));
}

TEST(AbbreviatedWheel, MalformedFilesStopWithFileAndRowAndLeaveNothing)
{
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* message;
    };
    const QString file = QStringLiteral("Wheel file \"wheels/01020910000003.txt\"");
    const Case cases[] = {
        {"two lines for three rows", "6!\r\n6!\r\n", ", row 3: the file ends before this row."},
        {"Ctrl-Z ends the file early", "6!\r\n\x1a!\r\n6!\r\n",
         ", row 2: the file ends before this row."},
        {"empty row", "6!\r\n\r\n6!\r\n", ", row 2: the row is too short for 3 digits."},
        {"one character for three digits", "6!\r\n6!\r\n6\r\n",
         ", row 3: the row is too short for 3 digits."},
        {"a blank where a digit pair is needed", "6 \r\n6!\r\n6!\r\n",
         ", row 1: character 2 is not a pair of digits."},
        {"a byte above the digit pairs", "6!\r\n\x85!\r\n6!\r\n",
         ", row 2: character 1 is not a pair of digits."},
        {"triple digit 3", "6!\r\n6!\r\n@!\r\n",
         ", row 3: digit 1 is 3; a triple takes 1, 0 or 2."},
        {"double digit 2", "6!\r\n-!\r\n6!\r\n", ", row 2: digit 2 is 2; a double takes 1 or 0."},
        {"second double digit 5", "6!\r\n6!\r\n!S\r\n",
         ", row 3: digit 3 is 5; a double takes 1 or 0."},
    };
    for (const Case& c : cases) {
        WheelFolder f;
        f.Write(kExample, c.bytes);
        LoadWheelList(*f.st);
        WorkedExampleMarks(f);
        f.st->CombinationCount = 99; // an earlier result
        const GenerationResult r = MakeAbbreviatedWheel(*f.st, 1);
        EXPECT_FALSE(r.Ok) << c.what;
        EXPECT_EQ(r.Error, file + QLatin1String(c.message)) << c.what;
        EXPECT_EQ(f.st->CombinationCount, 0) << c.what;
        EXPECT_TRUE(r.Description.isEmpty()) << c.what;
    }
}

TEST(AbbreviatedWheel, MissingFileOrNoFittingWheelLeavesNothing)
{
    WheelFolder f;
    f.Write(kExample, "6!\r\n6!\r\n6!\r\n");
    LoadWheelList(*f.st);
    WorkedExampleMarks(f);
    QFile::remove(f.st->ProgramFolder + "wheels/" + kExample); // gone after start-up
    f.st->CombinationCount = 99;
    GenerationResult r = MakeAbbreviatedWheel(*f.st, 1);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, QStringLiteral("Wheel file \"wheels/01020910000003.txt\": File not found"));
    EXPECT_EQ(f.st->CombinationCount, 0);

    // Pairs left unmarked (the command is disabled then): refused, not guessed.
    f.Write(kExample, "6!\r\n6!\r\n6!\r\n");
    f.Mark({"1X2", "1X", "X2", "1", "1", "1", "1", "1", "1"});
    r = MakeAbbreviatedWheel(*f.st, 1);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, QStringLiteral("Pair 10 has no mark."));
    EXPECT_EQ(f.st->CombinationCount, 0);

    f.st->CombinationCount = 99;
    r = MakeAbbreviatedWheel(*f.st, 2);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(r.Error, QStringLiteral("Wheel does not exist!"));
    EXPECT_EQ(f.st->CombinationCount, 0);
}

TEST(AbbreviatedWheel, RowsThatCannotBeHeldAreRefused)
{
    WheelFolder f;
    WorkedExampleMarks(f);
    f.st->Wheels[1] = tWheel {1, 2, 9, 10, INT_MAX, QStringLiteral("01020910999999.txt")};
    f.st->WheelCount = 1;
    f.st->CombinationCount = 99;
    const GenerationResult r = MakeAbbreviatedWheel(*f.st, 1);
    EXPECT_FALSE(r.Ok);
    EXPECT_EQ(f.st->CombinationCount, 0);
    // Where the memory can be reserved after all, the missing file stops it.
    EXPECT_TRUE(r.Error == QStringLiteral("Not enough memory for 2147483647 combinations.")
                || r.Error.endsWith(QStringLiteral("File not found")))
        << qPrintable(r.Error);
}
