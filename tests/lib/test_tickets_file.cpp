// The ticket file byte for byte, the ticket name rules and the atomic save.
#include "test_tickets_fixture.h"

#include "model/uniIO.h"
#include "tickets/uniTicketFile.h"

#include <QFileInfo>

#ifndef _WIN32
#include <csignal>
#include <sys/resource.h>
#endif

using namespace rav;
using tickets_test::ReadBytes;
using tickets_test::TicketFolderTest;
using tickets_test::WriteBytes;

namespace {

QString InvalidNameError(const AppState& st, const QString& name)
{
    try {
        SaveTicket(st, name, QStringLiteral("Full Wheel (9 combinations)"));
    } catch (const RunError& e) {
        return e.Text();
    }
    return QStringLiteral("saved");
}

} // namespace

TEST(TicketLineTest, LayoutOfTheDescribedExamples)
{
    tCombination row{};
    const std::uint8_t a[10] = { 1, 0, 2, 1, 1, 0, 0, 2, 1, 1 };
    for (int p = 1; p <= 10; ++p) {
        row[static_cast<std::size_t>(p)] = a[p - 1];
    }
    EXPECT_EQ(TicketLine(row, 5, DecimalDigits(729), 10), QByteArray("  5: 1-X-2-1-1-X-X-2-1-1"));

    const std::uint8_t b[10] = { 2, 2, 2, 1, 1, 0, 0, 2, 1, 1 };
    for (int p = 1; p <= 10; ++p) {
        row[static_cast<std::size_t>(p)] = b[p - 1];
    }
    EXPECT_EQ(TicketLine(row, 729, DecimalDigits(729), 10), QByteArray("729: 2-2-2-1-1-X-X-2-1-1"));

    const std::uint8_t c[11] = { 1, 1, 0, 2, 2, 1, 0, 1, 1, 2, 0 };
    for (int p = 1; p <= 11; ++p) {
        row[static_cast<std::size_t>(p)] = c[p - 1];
    }
    EXPECT_EQ(TicketLine(row, 3, DecimalDigits(9), 11), QByteArray("3: 1-1-X-2-2-1-X-1-1-2-X"));
    // Bytes beyond the game's pairs are not written.
    EXPECT_EQ(TicketLine(row, 3, 1, 10), QByteArray("3: 1-1-X-2-2-1-X-1-1-2"));
}

TEST(TicketLineTest, NumberFieldHasNoMinimumWidth)
{
    EXPECT_EQ(DecimalDigits(0), 1);
    EXPECT_EQ(DecimalDigits(9), 1);
    EXPECT_EQ(DecimalDigits(10), 2);
    EXPECT_EQ(DecimalDigits(99), 2);
    EXPECT_EQ(DecimalDigits(14348907), 8);
    EXPECT_EQ(DecimalDigits(2147483647), 10);
}

TEST(TicketLineTest, ProductLineHoldsNoColon)
{
    const QByteArray line = ProductLine();
    EXPECT_TRUE(line.startsWith("Ravolin - "));
    EXPECT_GT(line.size(), 10);
    EXPECT_FALSE(line.contains(':'));
    EXPECT_FALSE(line.contains('/'));
}

TEST_F(TicketFolderTest, FolderPerNumberOfPairs)
{
    EXPECT_EQ(TicketFolder(*st_), st_->ProgramFolder + QStringLiteral("tickets/10/"));
    SetPairs(13);
    EXPECT_EQ(TicketPath(*st_, QStringLiteral("week 7")),
        st_->ProgramFolder + QStringLiteral("tickets/13/week 7.txt"));
}

TEST_F(TicketFolderTest, TicketOf729CombinationsByteForByte)
{
    LayFullWheel(6);
    ASSERT_EQ(st_->CombinationCount, 729);
    SaveTicket(*st_, QStringLiteral("full"), QStringLiteral("Full Wheel (729 combinations)"));

    std::string expected = "Ravolin - ";
    expected += kProductHost;
    expected += "\r\nFull Wheel (729 combinations)\r\n";
    for (int i = 1; i <= 729; ++i) {
        expected += ExpectedLine(i, 6, 3) + "\r\n";
    }
    const QByteArray bytes = ReadBytes(Folder() + QStringLiteral("full.txt"));
    EXPECT_EQ(bytes.toStdString(), expected);
    // Spot checks against the described layout.
    EXPECT_TRUE(bytes.contains("\r\n  1: 1-1-1-1-1-1-1-1-1-1\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n  2: 1-1-1-1-1-X-1-1-1-1\r\n"));
    EXPECT_TRUE(bytes.endsWith("\r\n729: 2-2-2-2-2-2-1-1-1-1\r\n"));
}

TEST_F(TicketFolderTest, NineCombinationsGiveAOneDigitField)
{
    SetPairs(11);
    LayFullWheel(2);
    ASSERT_EQ(st_->CombinationCount, 9);
    SaveTicket(*st_, QStringLiteral("nine"), QStringLiteral("Full Wheel (9 combinations)"));
    const QByteArray bytes = ReadBytes(TicketPath(*st_, QStringLiteral("nine")));
    const QList<QByteArray> lines = bytes.split('\n');
    ASSERT_EQ(lines.size(), 12); // 11 lines and the empty rest after the last line end
    EXPECT_EQ(lines[2], QByteArray("1: 1-1-1-1-1-1-1-1-1-1-1\r"));
    EXPECT_EQ(lines[5], QByteArray("4: X-1-1-1-1-1-1-1-1-1-1\r"));
    EXPECT_EQ(lines[10], QByteArray("9: 2-2-1-1-1-1-1-1-1-1-1\r"));
    EXPECT_TRUE(lines[11].isEmpty());
}

TEST_F(TicketFolderTest, EmptyWheelGivesTheTwoHeaderLinesOnly)
{
    st_->CombinationCount = 0;
    st_->WheelMode = 2;
    SaveTicket(*st_, QStringLiteral("empty"), QStringLiteral("Conditioned Wheel (0 combinations)"));
    EXPECT_EQ(ReadBytes(Folder() + QStringLiteral("empty.txt")),
        QByteArray("Ravolin - ") + kProductHost + "\r\nConditioned Wheel (0 combinations)\r\n");
}

TEST_F(TicketFolderTest, SavingTwiceReplacesTheFirstFileWhole)
{
    LayFullWheel(6);
    SaveTicket(*st_, QStringLiteral("again"), QStringLiteral("Full Wheel (729 combinations)"));
    LayFullWheel(1);
    SaveTicket(*st_, QStringLiteral("again"), QStringLiteral("Full Wheel (3 combinations)"));
    const QByteArray expected = QByteArray("Ravolin - ") + kProductHost
        + "\r\nFull Wheel (3 combinations)\r\n"
          "1: 1-1-1-1-1-1-1-1-1-1\r\n"
          "2: X-1-1-1-1-1-1-1-1-1\r\n"
          "3: 2-1-1-1-1-1-1-1-1-1\r\n";
    EXPECT_EQ(ReadBytes(Folder() + QStringLiteral("again.txt")), expected);
    // Nothing else is left in the folder: no temporary file.
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files | QDir::Hidden),
        QStringList{ QStringLiteral("again.txt") });
}

TEST_F(TicketFolderTest, NameEndingInTxtGetsTheExtensionTwice)
{
    LayFullWheel(1);
    SaveTicket(*st_, QStringLiteral("sunday.txt"), QStringLiteral("Full Wheel (3 combinations)"));
    EXPECT_TRUE(QFileInfo::exists(Folder() + QStringLiteral("sunday.txt.txt")));
    EXPECT_FALSE(QFileInfo::exists(Folder() + QStringLiteral("sunday.txt")));
}

TEST_F(TicketFolderTest, NamesThatAreFileNamesAreTakenUnchanged)
{
    LayFullWheel(1);
    for (const QString& name : { QStringLiteral("  blanks  "), QStringLiteral("\u0107evapi"),
             QStringLiteral("a:b"), QStringLiteral("..."), QString(200, QLatin1Char('n')) }) {
        EXPECT_TRUE(IsValidTicketName(name)) << name.toStdString();
        SaveTicket(*st_, name, QStringLiteral("Full Wheel (3 combinations)"));
        EXPECT_TRUE(QFileInfo::exists(Folder() + name + QStringLiteral(".txt")))
            << name.toStdString();
    }
    // The name goes to the file system as UTF-8.
    EXPECT_TRUE(QFileInfo::exists(Folder()
        + QString::fromUtf8("\xc4\x87"
                            "evapi.txt")));
}

TEST_F(TicketFolderTest, RefusedNamesWriteNothingAnywhere)
{
    LayFullWheel(2);
    // A wheel file and a ticket of another folder that a path could reach.
    WriteBytes(st_->ProgramFolder + QStringLiteral("wheels/victim.txt"), "wheel\r\n");
    WriteBytes(st_->ProgramFolder + QStringLiteral("tickets/11/other.txt"), "other\r\n");
    const QStringList before = AllFiles();

    const QString refused[] = {
        QStringLiteral("."), QStringLiteral(".."), QStringLiteral("../../wheels/victim"),
        QStringLiteral("..\\11\\other"), QStringLiteral("a/b"), QStringLiteral("/tmp/x"),
        QStringLiteral("back\\slash"), QStringLiteral("tab\there"), QStringLiteral("line\nend"),
        QStringLiteral("cr\rhere"), QStringLiteral("del\x7f"),
        QString(QChar(0x85)) + QStringLiteral("c1control"),
        QString(QChar(0xD800)) + QStringLiteral("lone"),
        QStringLiteral("x") + QString(QChar(0xDC00)), QString(252, QLatin1Char('n')),
        QString(130, QChar(0x0107)), // 260 bytes in UTF-8
    };
    for (const QString& name : refused) {
        EXPECT_FALSE(IsValidTicketName(name)) << name.toStdString();
        EXPECT_EQ(InvalidNameError(*st_, name), QStringLiteral("Invalid filename"))
            << name.toStdString();
    }
    EXPECT_EQ(AllFiles(), before);
    EXPECT_EQ(ReadBytes(st_->ProgramFolder + QStringLiteral("wheels/victim.txt")),
        QByteArray("wheel\r\n"));
    EXPECT_FALSE(IsValidTicketName(QString()));
    // The longest name the file system takes is still taken.
    EXPECT_TRUE(IsValidTicketName(QString(251, QLatin1Char('n'))));
}

TEST_F(TicketFolderTest, MissingTicketFolderIsAnInvalidFilename)
{
    LayFullWheel(1);
    ASSERT_TRUE(QDir(Folder()).removeRecursively());
    EXPECT_EQ(InvalidNameError(*st_, QStringLiteral("lost")), QStringLiteral("Invalid filename"));
    EXPECT_FALSE(QFileInfo::exists(Folder()));
}

#ifndef _WIN32
// A full disk, made with the file size limit.
TEST_F(TicketFolderTest, FailedSaveKeepsTheEarlierTicketWhole)
{
    LayFullWheel(1);
    SaveTicket(*st_, QStringLiteral("keep"), QStringLiteral("Full Wheel (3 combinations)"));
    const QByteArray earlier = ReadBytes(Folder() + QStringLiteral("keep.txt"));
    ASSERT_FALSE(earlier.isEmpty());

    // The file size limit makes every write past 4 KiB fail as a full disk does.
    LayFullWheel(7); // 2187 lines, about 50 KiB
    struct rlimit old { };
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    QString error;
    try {
        SaveTicket(*st_, QStringLiteral("keep"), QStringLiteral("Full Wheel (2187 combinations)"));
    } catch (const RunError& e) {
        error = e.Text();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(error, QStringLiteral("Disk full"));
    EXPECT_EQ(ReadBytes(Folder() + QStringLiteral("keep.txt")), earlier);
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files | QDir::Hidden),
        QStringList{ QStringLiteral("keep.txt") });
}
#endif

TEST_F(TicketFolderTest, DescriptionIsWrittenInTheLanguageCodePage)
{
    LayFullWheel(1);
    st_->LanguageName = QStringLiteral("Bosanski");
    SaveTicket(*st_, QStringLiteral("cp"), QStringLiteral("Puni sistem (3 kombinacije) \u010d"));
    QByteArray bytes = ReadBytes(Folder() + QStringLiteral("cp.txt"));
    EXPECT_TRUE(bytes.contains("\r\nPuni sistem (3 kombinacije) \xe8\r\n"));

    st_->LanguageName = QStringLiteral("Deutsch");
    SaveTicket(*st_, QStringLiteral("cp"), QStringLiteral("Vollsystem \u00fc"));
    bytes = ReadBytes(Folder() + QStringLiteral("cp.txt"));
    EXPECT_TRUE(bytes.contains("\r\nVollsystem \xfc\r\n"));
}

TEST_F(TicketFolderTest, WheelPrintoutHasAHeadingOnlyForAFullWheel)
{
    LayFullWheel(6);
    ASSERT_EQ(WheelPrintLineCount(*st_), 730);
    EXPECT_EQ(WheelPrintLine(*st_, 0), QStringLiteral("Full Wheel: 729 combinations"));
    EXPECT_EQ(WheelPrintLine(*st_, 1), QString::fromStdString(ExpectedLine(1, 6, 3)));
    EXPECT_EQ(WheelPrintLine(*st_, 729), QString::fromStdString(ExpectedLine(729, 6, 3)));

    st_->WheelMode = 2;
    ASSERT_EQ(WheelPrintLineCount(*st_), 729);
    EXPECT_EQ(WheelPrintLine(*st_, 0), QString::fromStdString(ExpectedLine(1, 6, 3)));
    st_->WheelMode = 3;
    EXPECT_EQ(WheelPrintLineCount(*st_), 729);

    st_->WheelMode = 2;
    st_->CombinationCount = 0;
    EXPECT_EQ(WheelPrintLineCount(*st_), 0);
}
