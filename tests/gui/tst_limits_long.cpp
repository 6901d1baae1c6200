// The largest wheel the program makes: a full wheel of 15 triples, saved as a
// ticket and checked against results. Long (a ticket of over half a gigabyte),
// so it carries the CTest label "long".
#include "engine/uniGenerators.h"
#include "model/uniGlobal.h"
#include "tickets/uniTicketFile.h"
#include "tickets/uniTicketReader.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace rav;

class TestLimitsLong : public QObject {
    Q_OBJECT
private slots:
    void fifteenTriplesSavedAndChecked();
};

void TestLimitsLong::fifteenTriplesSavedAndChecked()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto st = std::make_unique<AppState>();
    st->ProgramFolder = dir.path() + QLatin1Char('/');
    st->Games[1] = tLutrija{ QStringLiteral("Fifteen"), 15, 10 };
    st->GameCount = 1;
    st->CurrentGame = 1;
    st->Words.LangFullWheel = QStringLiteral("Full Wheel");
    st->Words.LangCombinations = QStringLiteral("combinations");
    std::array<std::array<bool, 3>, MaxPairs> marked{};
    for (auto& pair : marked) {
        pair = { true, true, true };
    }
    RebuildSelection(*st, marked);
    const GenerationResult made = MakeFullWheel(*st, nullptr);
    QVERIFY(made.Ok);
    QCOMPARE(st->CombinationCount, 14348907);

    QVERIFY(QDir().mkpath(TicketFolder(*st)));
    SaveTicket(*st, QStringLiteral("all"), made.Description);
    const QString path = TicketPath(*st, QStringLiteral("all"));
    st->CombinationList.Resize(0);

    // Two header lines, then 14348907 lines of 8 + 2 + 29 characters and CR LF.
    const QByteArray header = ProductLine() + "\r\n" + made.Description.toLatin1() + "\r\n";
    QCOMPARE(QFileInfo(path).size(), qint64(header.size()) + qint64(14348907) * 41);
    QCOMPARE(CountTicketLines(path), qint64(14348909));
    const TicketPage first = ReadFirstPage(path);
    QCOMPARE(first.Lines.size(), kFirstPageLines);
    QCOMPARE(first.Lines[2], QByteArray("       1: 1-1-1-1-1-1-1-1-1-1-1-1-1-1-1"));
    const TicketPage last = ReadLastPage(path);
    QCOMPARE(last.Lines.last(), QByteArray("14348907: 2-2-2-2-2-2-2-2-2-2-2-2-2-2-2"));

    // Against any results, exactly C(15, h) * 2^(15 - h) combinations have h hits.
    tResultRow results{};
    for (int k = 1; k <= 15; ++k) {
        results[k] = "1X2"[k % 3];
    }
    const tHitTable table = CheckTicket(path, results, 15);
    std::int64_t binomial = 1;
    for (int h = 0; h <= 15; ++h) {
        QCOMPARE(table[h], binomial * (std::int64_t{ 1 } << (15 - h)));
        binomial = binomial * (15 - h) / (h + 1);
    }
}

QTEST_MAIN(TestLimitsLong)
#include "tst_limits_long.moc"
