// Reading tickets: the streaming line reader, the browser's pages and the
// check of winnings.
#include "test_tickets_fixture.h"

#include "model/uniIO.h"
#include "tickets/uniTicketReader.h"

#include <random>

using namespace rav;
using tickets_test::ReadBytes;
using tickets_test::TicketFolderTest;
using tickets_test::WriteBytes;

namespace {

QList<QByteArray> ReadAllLines(const QString& path, std::size_t block)
{
    LineReader reader(path, block);
    QList<QByteArray> lines;
    std::string_view line;
    while (reader.Next(line)) {
        lines.append(QByteArray(line.data(), static_cast<qsizetype>(line.size())));
    }
    return lines;
}

// The lines and their offsets as ForEachLine hands them out.
QList<QByteArray> EachLine(const QString& path, std::size_t block, QList<std::int64_t>* offsets)
{
    LineReader reader(path, block);
    QList<QByteArray> lines;
    reader.ForEachLine([&](std::string_view line) {
        lines.append(QByteArray(line.data(), static_cast<qsizetype>(line.size())));
        offsets->append(reader.LineOffset());
    });
    return lines;
}

// A ticket of `count` combinations of 10 pairs, saved as "name".
class TicketPagesTest : public TicketFolderTest {
protected:
    QString MakeTicket(const QString& name, int count)
    {
        // Combinations that differ in every line: the number in base 3.
        EXPECT_TRUE(st_->CombinationList.Resize(static_cast<std::size_t>(count) + 10));
        static constexpr std::uint8_t order[3] = { 1, 0, 2 };
        for (int i = 1; i <= count; ++i) {
            int j = i - 1;
            for (int p = st_->CurrentPairs(); p >= 1; --p) {
                st_->CombinationList[static_cast<std::size_t>(i)][static_cast<std::size_t>(p)]
                    = order[j % 3];
                j /= 3;
            }
        }
        st_->CombinationCount = count;
        SaveTicket(*st_, name, QStringLiteral("Conditioned Wheel (%1 combinations)").arg(count));
        return TicketPath(*st_, name);
    }

    // Lines from..to (numbered from 1) of the file.
    static QList<QByteArray> FileLines(const QString& path, qsizetype from, qsizetype to)
    {
        const QList<QByteArray> all = SplitTextLines(ReadBytes(path));
        return all.mid(from - 1, to - from + 1);
    }
};

} // namespace

TEST_F(TicketFolderTest, LineReaderFollowsTheProgramsLineRules)
{
    // Random files of line ends, lone CRs, Ctrl-Z and text, read with block
    // sizes that split lines and CR LF pairs everywhere.
    std::mt19937 rng(20240607);
    const char alphabet[] = { '\r', '\n', '\n', '\x1a', 'a', 'b', ':', ' ' };
    const QString path = Folder() + QStringLiteral("random.txt");
    for (int round = 0; round < 400; ++round) {
        QByteArray bytes;
        const int size = static_cast<int>(rng() % 300);
        // Some files with many line ends, some with long lines and rare ones.
        const unsigned rare = round % 2 == 0 ? 1 : 40;
        for (int i = 0; i < size; ++i) {
            const unsigned pick = rng() % (sizeof alphabet * rare);
            bytes.append(pick < 4 ? alphabet[pick] : alphabet[4 + pick % 4]);
        }
        WriteBytes(path, bytes);
        const QList<QByteArray> expected = SplitTextLines(bytes);
        for (std::size_t block : { std::size_t{ 1 }, std::size_t{ 2 }, std::size_t{ 3 },
                 std::size_t{ 7 }, std::size_t{ 64 }, LineReader::kDefaultBlock }) {
            ASSERT_EQ(ReadAllLines(path, block), expected)
                << "round " << round << " block " << block << " bytes "
                << bytes.toPercentEncoding().toStdString();
        }
        QList<std::int64_t> offsets;
        for (std::size_t block :
            { std::size_t{ 3 }, std::size_t{ 100 }, LineReader::kDefaultBlock }) {
            QList<std::int64_t> each;
            ASSERT_EQ(EachLine(path, block, &each), expected) << "round " << round;
            if (!offsets.isEmpty()) {
                ASSERT_EQ(each, offsets);
            }
            offsets = each;
        }
        // Every line can be read again from its offset.
        LineReader reader(path, 5);
        std::string_view line;
        for (qsizetype k = 0; k < offsets.size(); ++k) {
            reader.Seek(offsets[k]);
            ASSERT_TRUE(reader.Next(line));
            EXPECT_EQ(QByteArray(line.data(), static_cast<qsizetype>(line.size())), expected[k]);
        }
    }
}

TEST_F(TicketFolderTest, LineReaderCutsOverlongLinesAndMissingFilesRaise)
{
    const QString path = Folder() + QStringLiteral("long.txt");
    const QByteArray longLine(static_cast<qsizetype>(LineReader::kMaxLineBytes) * 3, 'a');
    WriteBytes(path, "first\r\n" + longLine + "\r\nlast\r\n");
    for (std::size_t block : { std::size_t{ 1000 }, LineReader::kDefaultBlock }) {
        const QList<QByteArray> lines = ReadAllLines(path, block);
        ASSERT_EQ(lines.size(), 3);
        EXPECT_EQ(lines[0], QByteArray("first"));
        EXPECT_EQ(lines[1].size(), static_cast<qsizetype>(LineReader::kMaxLineBytes));
        EXPECT_EQ(lines[2], QByteArray("last"));
    }
    try {
        LineReader reader(Folder() + QStringLiteral("missing.txt"));
        FAIL() << "a missing ticket was opened";
    } catch (const RunError& e) {
        EXPECT_EQ(e.Text(), QStringLiteral("File not found"));
    }
}

TEST_F(TicketPagesTest, TicketOf729CombinationsIsOnePage)
{
    const QString path = MakeTicket(QStringLiteral("small"), 729);
    const TicketPage page = ReadFirstPage(path);
    ASSERT_EQ(page.Lines.size(), 731);
    EXPECT_EQ(page.Lines.first(), ProductLine());
    EXPECT_EQ(page.Lines[1], QByteArray("Conditioned Wheel (729 combinations)"));
    EXPECT_EQ(page.Lines[2], QByteArray("  1: 1-1-1-1-1-1-1-1-1-1"));
    EXPECT_EQ(page.Lines.last(), QByteArray("729: 1-1-1-1-2-2-2-2-2-2"));
    EXPECT_EQ(page.Lines, FileLines(path, 1, 731));
    EXPECT_FALSE(page.More);
    EXPECT_EQ(CountTicketLines(path), 731);
}

TEST_F(TicketPagesTest, TicketOf25000CombinationsPagedLineByLine)
{
    const QString path = MakeTicket(QStringLiteral("large"), 25000);
    ASSERT_EQ(CountTicketLines(path), 25002);

    const TicketPage first = ReadFirstPage(path);
    EXPECT_EQ(first.Lines, FileLines(path, 1, 10002));
    EXPECT_TRUE(first.More);

    // ">" twice from the first page.
    const TicketPage second = ReadNextPage(path, first.Lines.last());
    EXPECT_EQ(second.Lines, FileLines(path, 10003, 20002));
    EXPECT_EQ(second.FirstLine, 10003);
    EXPECT_TRUE(second.More);
    const TicketPage third = ReadNextPage(path, second.Lines.last());
    EXPECT_EQ(third.Lines, FileLines(path, 20003, 25002));
    EXPECT_FALSE(third.More);

    // ">>" from the first page.
    const TicketPage last = ReadLastPage(path);
    EXPECT_EQ(last.Lines, FileLines(path, 15003, 25002));
    EXPECT_EQ(last.FirstLine, 15003);

    // "<" from the last page is aligned to its end.
    const TicketPage beforeLast = ReadPreviousPage(path, last.Lines.first());
    EXPECT_EQ(beforeLast.Lines, FileLines(path, 5003, 15002));
    EXPECT_EQ(beforeLast.FirstLine, 5003);

    // "<" from the second page shows lines 3 to 10002, and once more the two
    // header lines alone.
    const TicketPage back = ReadPreviousPage(path, second.Lines.first());
    EXPECT_EQ(back.Lines, FileLines(path, 3, 10002));
    EXPECT_EQ(back.FirstLine, 3);
    const TicketPage headers = ReadPreviousPage(path, back.Lines.first());
    EXPECT_EQ(headers.Lines, FileLines(path, 1, 2));
    EXPECT_EQ(headers.FirstLine, 1);
}

TEST_F(TicketPagesTest, PageEndingExactlyAtTheEndOfTheFileHasNothingAfterIt)
{
    // 10000 combinations: the first page holds the whole file.
    const QString exact = MakeTicket(QStringLiteral("exact"), 10000);
    const TicketPage whole = ReadFirstPage(exact);
    EXPECT_EQ(whole.Lines.size(), 10002);
    EXPECT_FALSE(whole.More);

    // 10001 combinations: one more page of a single line.
    const QString oneMore = MakeTicket(QStringLiteral("oneMore"), 10001);
    const TicketPage first = ReadFirstPage(oneMore);
    EXPECT_TRUE(first.More);
    const TicketPage next = ReadNextPage(oneMore, first.Lines.last());
    EXPECT_EQ(next.Lines, FileLines(oneMore, 10003, 10003));
    EXPECT_TRUE(next.Lines.first().startsWith("10001: "));
    EXPECT_FALSE(next.More);

    // 20000 combinations: the second page ends at the end of the file.
    const QString twenty = MakeTicket(QStringLiteral("twenty"), 20000);
    const TicketPage page2 = ReadNextPage(twenty, ReadFirstPage(twenty).Lines.last());
    EXPECT_EQ(page2.Lines.size(), 10000);
    EXPECT_FALSE(page2.More);
}

TEST_F(TicketFolderTest, PagingFollowsTheLastLineOfEqualText)
{
    // A file edited by hand: the same line twice. ">" starts after the later
    // one, "<" ends before the later one.
    const QString path = Folder() + QStringLiteral("twice.txt");
    WriteBytes(path,
        "head\r\ndesc\r\n1: 1\r\nsame\r\n2: X\r\nsame\r\n3: 2\r\n\x1a"
        "4: 1\r\n");
    const TicketPage next = ReadNextPage(path, "same");
    EXPECT_EQ(next.Lines, QList<QByteArray>{ QByteArray("3: 2") });
    EXPECT_EQ(next.FirstLine, 7);
    EXPECT_FALSE(next.More);
    const TicketPage back = ReadPreviousPage(path, "same");
    EXPECT_EQ(back.Lines.size(), 5);
    EXPECT_EQ(back.Lines.last(), QByteArray("2: X"));
    // A line that is not in the file gives an empty page.
    EXPECT_TRUE(ReadNextPage(path, "absent").Lines.isEmpty());
    EXPECT_TRUE(ReadPreviousPage(path, "absent").Lines.isEmpty());
    // Ctrl-Z at a line start ends the file for every reader.
    EXPECT_EQ(ReadLastPage(path).Lines.last(), QByteArray("3: 2"));
    EXPECT_EQ(CountTicketLines(path), 7);
}

TEST_F(TicketFolderTest, CheckOfTheDescribedThreeCombinations)
{
    const QString path = Folder() + QStringLiteral("three.txt");
    WriteBytes(path,
        QByteArray("Ravolin - ") + kProductHost
            + "\r\nFull Wheel (3 combinations)\r\n"
              "1: 1-1-1-1-1-1-1-1-1-1\r\n"
              "2: X-1-1-1-1-1-1-1-1-1\r\n"
              "3: X-X-1-1-1-1-1-1-1-1\r\n");
    tResultRow results{};
    results.fill('1');
    const tHitTable table = CheckTicket(path, results, 10);
    EXPECT_EQ(table[10], 1);
    EXPECT_EQ(table[9], 1);
    EXPECT_EQ(table[8], 1);
    std::int64_t total = 0;
    for (std::int64_t n : table) {
        total += n;
    }
    EXPECT_EQ(total, 3);

    const QStringList lines = HitTableLines(table, 10);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], QStringLiteral("1          10"));
    EXPECT_EQ(lines[1], QStringLiteral("1          9"));
    EXPECT_EQ(lines[2], QStringLiteral("1          8"));
    EXPECT_EQ(lines[3], QStringLiteral("0          7"));
    EXPECT_EQ(lines[10], QStringLiteral("0          0"));

    // Checking again starts from zero.
    EXPECT_EQ(CheckTicket(path, results, 10), table);
}

TEST_F(TicketFolderTest, CheckOfATicketWithoutCombinations)
{
    const QString path = Folder() + QStringLiteral("none.txt");
    WriteBytes(path,
        QByteArray("Ravolin - ") + kProductHost + "\r\nConditioned Wheel (0 combinations)\r\n");
    tResultRow results{};
    results.fill('X');
    const tHitTable table = CheckTicket(path, results, 15);
    EXPECT_EQ(table, tHitTable{});
    const QStringList lines = HitTableLines(table, 15);
    ASSERT_EQ(lines.size(), 16);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(lines[i], QStringLiteral("0          ") + QString::number(15 - i));
    }
}

TEST(TicketCheckTest, LineHitsByPositionAfterTheLastColon)
{
    tResultRow results{};
    results.fill('1');
    results[2] = 'X';
    results[11] = '2'; // beyond a 10-pair game: never compared
    EXPECT_EQ(LineHits("Ravolin - host", results, 10), -1);
    EXPECT_EQ(LineHits("1: 1-X-1-1-1-1-1-1-1-1", results, 10), 10);
    EXPECT_EQ(LineHits("1: 1-X-1-1-1-1-1-1-1-1-2", results, 10), 10);
    EXPECT_EQ(LineHits("1: 1-X-1-1-1-1-1-1-1-1-2", results, 11), 11);
    // A one-digit number field reads the same as a wide one.
    EXPECT_EQ(LineHits("      7: 1-X-2-2-2-2-2-2-2-2", results, 10), 2);
    // Only the last colon counts.
    EXPECT_EQ(LineHits("a:b: 1-X-1-1-1-1-1-1-1-1", results, 10), 10);
    EXPECT_EQ(LineHits("1: 1-X-1:2-2-2-2-2-2-2-2", results, 10), 0);
    // Too few outcomes score fewer hits; nothing after the colon scores none.
    EXPECT_EQ(LineHits("1: 1-X-1", results, 10), 3);
    EXPECT_EQ(LineHits("1:", results, 10), 0);
    EXPECT_EQ(LineHits("1: ", results, 10), 0);
    // The comparison is exact: a lower-case x is no draw.
    EXPECT_EQ(LineHits("1: 1-x-1-1-1-1-1-1-1-1", results, 10), 9);
}

TEST(TicketCheckTest, HitCounterCountsAsLineHitsDoes)
{
    // Random lines of every length around the 64 characters the counter takes
    // in blocks, with colons anywhere, against random results and pair counts.
    std::mt19937 rng(7);
    const char alphabet[] = { '1', 'X', '2', '-', ' ', ':', 'x', '9' };
    for (int round = 0; round < 20000; ++round) {
        tResultRow results{};
        for (char& c : results) {
            c = "1X2"[rng() % 3];
        }
        const int pairs = static_cast<int>(rng() % 16);
        std::string line(rng() % 90, ' ');
        for (char& c : line) {
            c = alphabet[rng() % sizeof alphabet];
        }
        if (rng() % 2 == 0) {
            // Mostly well-formed ticket lines, of every width of number.
            line = std::string(rng() % 12, ' ') + "7: ";
            for (int k = 0; k < static_cast<int>(rng() % 17); ++k) {
                if (k > 0) {
                    line += '-';
                }
                line += "1X2"[rng() % 3];
            }
        }
        HitCounter counter(results, pairs);
        ASSERT_EQ(counter.Hits(line), LineHits(line, results, pairs))
            << "line '" << line << "' pairs " << pairs;
    }
}

TEST_F(TicketFolderTest, CheckOverAFileCountsEveryLineAsLineHitsDoes)
{
    // Lines of every shape, some with lone CRs and LF-only ends, read in place
    // from the reader's blocks.
    std::mt19937 rng(11);
    QByteArray bytes;
    for (int i = 0; i < 5000; ++i) {
        const int width = static_cast<int>(rng() % 10);
        QByteArray line = QByteArray(width, ' ') + QByteArray::number(i) + ": ";
        const int outcomes = static_cast<int>(rng() % 18);
        for (int k = 0; k < outcomes; ++k) {
            if (k > 0) {
                line += rng() % 50 == 0 ? '\r' : '-';
            }
            line += "1X2:"[rng() % (rng() % 20 == 0 ? 4 : 3)];
        }
        if (rng() % 30 == 0) {
            line = QByteArray(static_cast<qsizetype>(rng() % 200), 'z');
        }
        bytes += line + (rng() % 4 == 0 ? "\n" : "\r\n");
    }
    const QString path = Folder() + QStringLiteral("shapes.txt");
    WriteBytes(path, bytes);
    for (int pairs : { 10, 13, 15 }) {
        tResultRow results{};
        for (char& c : results) {
            c = "1X2"[rng() % 3];
        }
        tHitTable expected{};
        for (const QByteArray& line : SplitTextLines(bytes)) {
            const int h = LineHits(
                std::string_view(line.constData(), static_cast<std::size_t>(line.size())), results,
                pairs);
            if (h >= 0) {
                ++expected[static_cast<std::size_t>(h)];
            }
        }
        EXPECT_EQ(CheckTicket(path, results, pairs), expected) << pairs;
    }
}

TEST_F(TicketPagesTest, HiddenResultsBeyondThePairsAreNotCounted)
{
    SetPairs(12);
    const QString path = MakeTicket(QStringLiteral("twelve"), 50);
    tResultRow results{};
    results.fill('1');
    const tHitTable base = CheckTicket(path, results, 10);
    results[11] = 'X';
    results[12] = '2';
    results[15] = 'X';
    EXPECT_EQ(CheckTicket(path, results, 10), base);
    // With 12 pairs the results of pairs 11 and 12 do count.
    tResultRow ones{};
    ones.fill('1');
    EXPECT_NE(CheckTicket(path, results, 12), CheckTicket(path, ones, 12));
}
