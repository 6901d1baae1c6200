// The shipped wheel library in the program: on a coupon of 10 to 15 pairs with
// every pair marked, at every guarantee level, the abbreviated panel finds a
// wheel, highlights it, and "Make Wheel" turns it into combinations within the
// marks.
#include "guitest.h"
#include "guitest_wheels.h"

#include "engine/uniGenerators.h"
#include "engine/uniWheels.h"
#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "tickets/uniLines.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace rav;
using guitest::Find;

namespace {

// The library as the repository ships it.
QString LibraryFolder()
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath()
        + QStringLiteral("/../../dist/wheels/");
}

// A shown main window on a game of `pairs` pairs whose wheels folder holds a
// copy of the library.
struct LibraryFixture {
    explicit LibraryFixture(int pairs)
    {
        pf.AddGame(QStringLiteral("g"), QStringLiteral("Game"), pairs);
        pf.WriteSettings(QStringLiteral("Game"), QStringLiteral("English"));
        const QDir source(LibraryFolder());
        for (const QString& name : source.entryList({ QStringLiteral("*.txt") }, QDir::Files)) {
            QFile::copy(source.filePath(name), pf.Path() + QStringLiteral("wheels/") + name);
        }
        st = std::make_unique<AppState>();
        st->ProgramFolder = pf.Path();
        main = std::make_unique<TfrmMain>(*st);
        CreateForms(*main, *st);
        main->show();
        main->activateWindow();
        QApplication::processEvents();
        guitest::SetEnglishWords(*st);
    }

    // Marks the first `triples` pairs with all three outcomes, the next
    // `doubles` with two (the three kinds of double in turn), the rest "1".
    void MarkCounts(int triples, int doubles)
    {
        main->ClearAll();
        static const int doubleKinds[3][2] = { { 0, 1 }, { 1, 2 }, { 0, 2 } };
        const int n = st->CurrentPairs();
        for (int p = 1; p <= n; ++p) {
            if (p <= triples) {
                for (int o = 0; o < 3; ++o) {
                    main->ToggleOutcome(p, o);
                }
            } else if (p <= triples + doubles) {
                const int* kind = doubleKinds[(p - triples) % 3];
                main->ToggleOutcome(p, kind[0]);
                main->ToggleOutcome(p, kind[1]);
            } else {
                main->ToggleOutcome(p, 0);
            }
        }
    }

    QString SelectedLine() const
    {
        const QList<QListWidgetItem*> selected
            = Find<QListWidget>(main.get(), "lstWheels")->selectedItems();
        return selected.size() == 1 ? selected[0]->text() : QString();
    }

    guitest::MessageRecorder boxes;
    guitest::ProgramFolder pf;
    std::unique_ptr<AppState> st;
    std::unique_ptr<TfrmMain> main;
};

// Every combination holds on each pair one of the outcomes marked there.
bool WithinMarks(const AppState& st)
{
    const int n = st.CurrentPairs();
    for (int r = 1; r <= st.CombinationCount; ++r) {
        for (int p = 1; p <= n; ++p) {
            const tSelectionEntry& e = st.Selection[p];
            bool found = false;
            for (int i = 0; i < e.Count; ++i) {
                found = found || st.CombinationList[r][p] == e.Codes[i];
            }
            if (!found) {
                return false;
            }
        }
    }
    return true;
}

} // namespace

class TestWheelLibrary : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyFullyMarkedCouponHasAWheelAtEveryLevel();
    void couponsWithSinglesToo();
    void makeWheelThroughTheWindows();
};

void TestWheelLibrary::initTestCase()
{
    const QStringList files
        = QDir(LibraryFolder()).entryList({ QStringLiteral("*.txt") }, QDir::Files);
    QCOMPARE(files.size(), 408);
}

void TestWheelLibrary::everyFullyMarkedCouponHasAWheelAtEveryLevel()
{
    for (int pairs = 10; pairs <= 15; ++pairs) {
        LibraryFixture f(pairs);
        QCOMPARE(f.st->WheelCount, 408);
        for (int triples = 0; triples <= pairs; ++triples) {
            const int doubles = pairs - triples;
            f.MarkCounts(triples, doubles);
            for (int level = 1; level <= 3; ++level) {
                Find<QRadioButton>(f.main.get(), QStringLiteral("rad%1").arg(level))->click();
                const int index = FindWheel(*f.st, level);
                QVERIFY2(index != 0,
                    qPrintable(QStringLiteral("%1 triples, %2 doubles, level %3")
                                   .arg(triples)
                                   .arg(doubles)
                                   .arg(level)));
                const tWheel& w = f.st->Wheels[index];
                QCOMPARE(w.Triples, triples);
                QCOMPARE(w.Doubles, doubles);
                QCOMPARE(w.OutOf - w.Hits, level);
                QCOMPARE(f.SelectedLine(), FormatWheelLine(w));

                const GenerationResult r = MakeAbbreviatedWheel(*f.st, level);
                QVERIFY2(r.Ok, qPrintable(r.Error));
                QCOMPARE(f.st->CombinationCount, w.Combinations);
                QVERIFY(WithinMarks(*f.st));
            }
        }
        QVERIFY(f.boxes.Messages.isEmpty());
    }
}

void TestWheelLibrary::couponsWithSinglesToo()
{
    LibraryFixture f(15);
    for (int triples = 0; triples <= 15; ++triples) {
        for (int doubles = 0; triples + doubles <= 15; doubles += 3) {
            f.MarkCounts(triples, doubles);
            for (int level = 1; level <= 3; ++level) {
                const int index = FindWheel(*f.st, level);
                QVERIFY(index != 0);
                QCOMPARE(f.st->Wheels[index].Triples, triples);
                QCOMPARE(f.st->Wheels[index].Doubles, doubles);
            }
        }
    }
    // Rows that miss at most the level: the smaller the guarantee, the fewer rows.
    f.MarkCounts(5, 5);
    const int k1 = f.st->Wheels[FindWheel(*f.st, 1)].Combinations;
    const int k2 = f.st->Wheels[FindWheel(*f.st, 2)].Combinations;
    const int k3 = f.st->Wheels[FindWheel(*f.st, 3)].Combinations;
    QVERIFY(k1 > k2 && k2 > k3);
    QVERIFY(k1 < 243 * 32); // fewer than the full wheel
}

void TestWheelLibrary::makeWheelThroughTheWindows()
{
    LibraryFixture f(13);
    f.MarkCounts(4, 9);
    Find<QRadioButton>(f.main.get(), "rad2")->click();
    const tWheel w = f.st->Wheels[FindWheel(*f.st, 2)];

    TfrmLines* viewer = f.main->FormTable().frmLines;
    QString description;
    wheelgui::ViewerWatch watch(viewer, [&] { description = viewer->Description(); });
    f.main->ShowPanel(2);
    QTest::mouseClick(Find<QPushButton>(f.main.get(), "btnMakeAbbWheel"), Qt::LeftButton);
    QApplication::processEvents();
    QVERIFY(watch.Seen());
    QVERIFY(!watch.TimedOut());
    QCOMPARE(
        description, QStringLiteral("Abbreviated Wheel (%1 combinations)").arg(w.Combinations));
    QCOMPARE(f.st->CombinationCount, w.Combinations);
    QVERIFY(WithinMarks(*f.st));
    QVERIFY(f.boxes.Messages.isEmpty());
}

QTEST_MAIN(TestWheelLibrary)
#include "tst_wheellibrary.moc"
