// The abbreviated-wheel panel: the wheel list loaded at start-up, the guarantee
// buttons, the highlight of the fitting wheel, and making a wheel from a file.
#include "guitest.h"
#include "guitest_wheels.h"

#include "engine/uniProgress.h"
#include "engine/uniWheels.h"
#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "tickets/uniLines.h"

#include <QApplication>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace rav;
using guitest::Find;

namespace {

QString Line(int triples, int doubles, int combinations)
{
    tWheel w;
    w.Triples = triples;
    w.Doubles = doubles;
    w.Combinations = combinations;
    return FormatWheelLine(w);
}

QStringList ListLines(TfrmMain& w)
{
    auto* list = Find<QListWidget>(&w, "lstWheels");
    QStringList lines;
    for (int i = 0; i < list->count(); ++i) {
        lines << list->item(i)->text();
    }
    return lines;
}

// The text of the selected line, empty when none is selected.
QString SelectedLine(TfrmMain& w)
{
    const QList<QListWidgetItem*> selected = Find<QListWidget>(&w, "lstWheels")->selectedItems();
    return selected.size() == 1 ? selected[0]->text() : QString();
}

// Marks pairs 1.. by texts of outcomes ("1X2", "X2", "1").
void Mark(TfrmMain& w, std::initializer_list<const char*> pairs)
{
    int p = 1;
    for (const char* text : pairs) {
        for (const char* c = text; *c != '\0'; ++c) {
            const int o = *c == '1' ? 0 : *c == 'X' ? 1 : 2;
            if (!w.IsMarked(p, o)) {
                w.ToggleOutcome(p, o);
            }
        }
        ++p;
    }
}

void WriteWheel(guitest::ProgramFolder& pf, const char* name,
                std::initializer_list<QByteArray> rows)
{
    QList<QByteArray> lines;
    for (const QByteArray& digits : rows) {
        lines << EncodeWheelRow(digits);
    }
    pf.WriteFile(QStringLiteral("wheels/") + QLatin1String(name), guitest::CrLf(lines));
}

} // namespace

class TestAbbreviated : public QObject {
    Q_OBJECT
private slots:
    void listFollowsTheGuaranteeAndThePairs();
    void highlightFollowsMarksAndGuaranteeNotAClick();
    void makeWheelShowsTheDecodedRows();
    void malformedWheelFileShowsTheErrorAndNoViewer();
};

void TestAbbreviated::listFollowsTheGuaranteeAndThePairs()
{
    guitest::MessageRecorder boxes;
    guitest::ProgramFolder pf;
    pf.AddGame("a", "Ten", 10);
    pf.AddGame("b", "Fifteen", 15);
    pf.WriteSettings("Ten", "English");
    for (const char* name : {"03041314000081.txt", "02021213000020.txt", "05061213000300.txt",
                             "02021214000009.txt", "07081215000500.txt", "01020910000005.txt",
                             "01021213000005.txt", "notawheel.txt", "0304131400008.txt"}) {
        pf.WriteFile(QStringLiteral("wheels/") + QLatin1String(name), "");
    }

    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    CreateForms(w, st);
    QCOMPARE(st.WheelCount, 7);
    // Sorted by triples, doubles, combinations; equal lines both stay.
    QCOMPARE(ListLines(w),
             QStringList({Line(1, 2, 5), Line(1, 2, 5), Line(2, 2, 20), Line(3, 4, 81)}));
    Find<QRadioButton>(&w, "rad2")->click();
    QCOMPARE(ListLines(w), QStringList({Line(2, 2, 9)}));
    Find<QRadioButton>(&w, "rad3")->click();
    QVERIFY(ListLines(w).isEmpty()); // 15 triples and doubles do not fit 10 pairs
    Find<QRadioButton>(&w, "rad1")->click();
    QCOMPARE(ListLines(w).size(), 4);

    // A 15-pair game lists the larger wheels too.
    pf.WriteSettings("Fifteen", "English");
    AppState st15;
    st15.ProgramFolder = pf.Path();
    TfrmMain w15(st15);
    QCOMPARE(ListLines(w15), QStringList({Line(1, 2, 5), Line(1, 2, 5), Line(2, 2, 20),
                                          Line(3, 4, 81), Line(5, 6, 300)}));
    Find<QRadioButton>(&w15, "rad3")->click();
    QCOMPARE(ListLines(w15), QStringList({Line(7, 8, 500)}));
}

void TestAbbreviated::highlightFollowsMarksAndGuaranteeNotAClick()
{
    guitest::MessageRecorder boxes; // a language file missing at activation is reported
    guitest::ProgramFolder pf;
    pf.AddGame("a", "Ten", 10);
    for (const char* name : {"01020910000005.txt", "01021213000006.txt", "01021214000007.txt",
                             "02010910000004.txt", "00000910000001.txt"}) {
        pf.WriteFile(QStringLiteral("wheels/") + QLatin1String(name), "");
    }
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    CreateForms(w, st);
    guitest::SetEnglishWords(st);
    auto* list = Find<QListWidget>(&w, "lstWheels");
    QCOMPARE(ListLines(w),
             QStringList({Line(0, 0, 1), Line(1, 2, 5), Line(1, 2, 6), Line(2, 1, 4)}));

    // One triple and two doubles: the last fitting wheel of level 1 in the listing.
    Mark(w, {"1X2", "1X", "X2", "1", "1", "1", "1", "1", "1", "1"});
    QCOMPARE(SelectedLine(w), Line(1, 2, 6));
    QCOMPARE(list->currentRow(), 2);

    // A click on another line is undone by the recount it runs.
    w.ShowPanel(2);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(3)).center());
    QCOMPARE(SelectedLine(w), Line(1, 2, 6));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QCOMPARE(list->currentRow(), 2);

    // The guarantee buttons refill the list and move the highlight with it.
    Find<QRadioButton>(&w, "rad2")->click();
    QCOMPARE(ListLines(w), QStringList({Line(1, 2, 7)}));
    QCOMPARE(SelectedLine(w), Line(1, 2, 7));
    Find<QRadioButton>(&w, "rad3")->click();
    QVERIFY(ListLines(w).isEmpty());
    QCOMPARE(SelectedLine(w), QString());
    Find<QRadioButton>(&w, "rad1")->click();
    QCOMPARE(SelectedLine(w), Line(1, 2, 6));

    // Marks that fit no wheel: nothing selected.
    w.ToggleOutcome(1, 2); // pair 1 becomes a double: 0 triples, 3 doubles
    QCOMPARE(SelectedLine(w), QString());
    QVERIFY(list->selectedItems().isEmpty());
    // And back to two triples and one double.
    w.ClearAll();
    Mark(w, {"1X2", "1X2", "X2", "1", "1", "1", "1", "1", "1", "1"});
    QCOMPARE(SelectedLine(w), Line(2, 1, 4));
}

namespace {

// A shown main window on a 10-pair game whose wheels folder holds the given
// files, with the English words.
struct AbbFixture {
    AbbFixture()
    {
        pf.AddGame("a", "Ten", 10);
        st = std::make_unique<AppState>();
        st->ProgramFolder = pf.Path();
    }
    void Start()
    {
        main = std::make_unique<TfrmMain>(*st);
        CreateForms(*main, *st);
        main->show();
        main->activateWindow();
        QApplication::processEvents();
        guitest::SetEnglishWords(*st);
    }
    struct View {
        bool shown = false;
        QStringList lines;
        QString description;
        int bar = -1;
        bool mainEnabled = true;
    };
    // Clicks "Make Wheel" on the abbreviated panel; returns what the viewer showed.
    View MakeWheel()
    {
        View v;
        TfrmLines* viewer = main->FormTable().frmLines;
        wheelgui::ViewerWatch watch(viewer, [&] {
            v.lines = viewer->Lines();
            v.description = viewer->Description();
            v.bar = Find<QProgressBar>(main->FormTable().frmProgress, "prBar")->value();
            v.mainEnabled = main->isEnabled();
        });
        main->ShowPanel(2);
        QTest::mouseClick(Find<QPushButton>(main.get(), "btnMakeAbbWheel"), Qt::LeftButton);
        QApplication::processEvents();
        v.shown = watch.Seen();
        return v;
    }
    // The boxes whose text names a wheel file.
    QList<guitest::Message> WheelErrors() const
    {
        QList<guitest::Message> found;
        for (const guitest::Message& m : boxes.Messages) {
            if (m.Text.startsWith(QStringLiteral("Wheel"))) {
                found << m;
            }
        }
        return found;
    }

    guitest::MessageRecorder boxes;
    guitest::ProgramFolder pf;
    std::unique_ptr<AppState> st;
    std::unique_ptr<TfrmMain> main;
};

} // namespace

void TestAbbreviated::makeWheelShowsTheDecodedRows()
{
    AbbFixture f;
    // Level 1: the rows of the worked example; level 2: another wheel, same counts.
    WriteWheel(f.pf, "01020910000003.txt", {"2100", "1011", "0000"});
    WriteWheel(f.pf, "01020911000001.txt", {"1110"});
    f.Start();
    Mark(*f.main, {"1X2", "1X", "X2", "1", "1", "1", "1", "1", "1", "1"});

    AbbFixture::View v = f.MakeWheel();
    QVERIFY(v.shown);
    QCOMPARE(v.description, QStringLiteral("Abbreviated Wheel (3 combinations)"));
    QCOMPARE(v.lines, QStringList({QStringLiteral("  1: 2 1 2 1 1 1 1 1 1 1 "),
                                   QStringLiteral("  2: 1 X X 1 1 1 1 1 1 1 "),
                                   QStringLiteral("  3: X X 2 1 1 1 1 1 1 1 ")}));
    QCOMPARE(v.bar, 100);
    QVERIFY(!v.mainEnabled);
    QVERIFY(f.main->isEnabled());
    QCOMPARE(f.st->CombinationCount, 3);

    // The second guarantee reads the other file.
    Find<QRadioButton>(f.main.get(), "rad2")->click();
    v = f.MakeWheel();
    QVERIFY(v.shown);
    QCOMPARE(v.description, QStringLiteral("Abbreviated Wheel (1 combinations)"));
    QCOMPARE(v.lines, QStringList({QStringLiteral("  1: 1 1 X 1 1 1 1 1 1 1 ")}));
    QVERIFY(f.WheelErrors().isEmpty());
}

void TestAbbreviated::malformedWheelFileShowsTheErrorAndNoViewer()
{
    AbbFixture f;
    WriteWheel(f.pf, "01020910000003.txt", {"2100", "1011", "0000"});
    // Level 2: the second row holds a triple digit 3.
    WriteWheel(f.pf, "01020911000002.txt", {"1110", "3100"});
    // Level 3: two rows promised, one written.
    WriteWheel(f.pf, "01020912000002.txt", {"1110"});
    f.Start();
    Mark(*f.main, {"1X2", "1X", "X2", "1", "1", "1", "1", "1", "1", "1"});
    QVERIFY(f.MakeWheel().shown);
    QCOMPARE(f.st->CombinationCount, 3);

    Find<QRadioButton>(f.main.get(), "rad2")->click();
    AbbFixture::View v = f.MakeWheel();
    QVERIFY(!v.shown);
    QCOMPARE(f.st->CombinationCount, 0); // the earlier wheel is not shown as this one
    QVERIFY(f.main->isEnabled());
    QVERIFY(!f.main->FormTable().frmProgress->isVisible());
    QList<guitest::Message> errors = f.WheelErrors();
    QCOMPARE(errors.size(), 1);
    QCOMPARE(errors[0].Icon, QMessageBox::Critical);
    QCOMPARE(errors[0].Text, QStringLiteral("Wheel file \"wheels/01020911000002.txt\", row 2: "
                                            "digit 1 is 3; a triple takes 1, 0 or 2."));

    Find<QRadioButton>(f.main.get(), "rad3")->click();
    v = f.MakeWheel();
    QVERIFY(!v.shown);
    QCOMPARE(f.st->CombinationCount, 0);
    errors = f.WheelErrors();
    QCOMPARE(errors.size(), 2);
    QCOMPARE(errors[1].Text, QStringLiteral("Wheel file \"wheels/01020912000002.txt\", row 2: "
                                            "the file ends before this row."));

    // The main window is still usable: the first guarantee makes its wheel again.
    Find<QRadioButton>(f.main.get(), "rad1")->click();
    v = f.MakeWheel();
    QVERIFY(v.shown);
    QCOMPARE(v.lines.size(), 3);
}

QTEST_MAIN(TestAbbreviated)
#include "tst_abbreviated.moc"
