// The wheel commands from the main window through the progress dialog to the
// combinations viewer, and the viewer's own window and paging.
#include "guitest_wheels.h"

#include "engine/uniProgress.h"
#include "mainwindow/uniMessages.h"
#include "mainwindow/uniWidgets.h"
#include "model/uniIO.h"

#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QToolButton>

#include <fstream>
#include <string>

#ifdef __linux__
#include <sys/resource.h>
#endif

using namespace rav;
using guitest::Find;
using wheelgui::MainFixture;
using wheelgui::ViewerWatch;

namespace {

struct ViewerState {
    QStringList lines;
    QString description;
    bool mainEnabled = true;
    bool progressVisible = true;
    int progressValue = -1;
    std::array<bool, 4> paging{}; // <<, <, >, >>
};

ViewerState Capture(MainFixture& f)
{
    ViewerState s;
    TfrmLines* v = f.main->FormTable().frmLines;
    s.lines = v->Lines();
    s.description = v->Description();
    s.mainEnabled = f.main->isEnabled();
    s.progressVisible = f.main->FormTable().frmProgress->isVisible();
    s.progressValue = Find<QProgressBar>(f.main->FormTable().frmProgress, "prBar")->value();
    const char* names[4] = { "btnStart", "btnBack", "btnForward", "btnForwardEnd" };
    for (int i = 0; i < 4; ++i) {
        s.paging[i] = Find<QPushButton>(v, names[i])->isEnabled();
    }
    return s;
}

// Clicks `button` and returns what the viewer showed (if it was shown).
ViewerState ClickAndView(MainFixture& f, const char* button, bool* shown)
{
    ViewerState s;
    ViewerWatch watch(f.main->FormTable().frmLines, [&] { s = Capture(f); });
    QTest::mouseClick(Find<QPushButton>(f.main.get(), button), Qt::LeftButton);
    QApplication::processEvents();
    *shown = watch.Seen();
    if (watch.TimedOut()) {
        qWarning("a modal window stayed open");
    }
    return s;
}

// A state with `count` combinations of a 10-pair game; combination i has pair 1
// "1", pair 10 "X" and the other pairs "2".
std::unique_ptr<AppState> ListOf(std::int32_t count)
{
    auto st = std::make_unique<AppState>();
    st->Games[1] = tLutrija{ QStringLiteral("Ten"), 10, 10 };
    st->GameCount = 1;
    st->CurrentGame = 1;
    if (!st->CombinationList.Resize(static_cast<std::size_t>(count) + 10)) {
        qFatal("no memory for the fixture");
    }
    for (std::int32_t i = 1; i <= count; ++i) {
        tCombination& row = st->CombinationList[i];
        row.fill(2);
        row[1] = 1;
        row[10] = 0;
    }
    st->CombinationCount = count;
    return st;
}

std::int64_t NumberOf(const QString& line)
{
    std::int64_t n = -1;
    ViewerLineNumber(line, &n);
    return n;
}

struct Paging {
    TfrmLines* v;
    bool Enabled(const char* name) const { return Find<QPushButton>(v, name)->isEnabled(); }
    void Click(const char* name) const
    {
        QTest::mouseClick(Find<QPushButton>(v, name), Qt::LeftButton);
    }
    // First and last number shown, and the four buttons as "<<,<,>,>>" flags.
    QString State() const
    {
        const QStringList lines = v->Lines();
        QString s = lines.isEmpty()
            ? QStringLiteral("empty")
            : QStringLiteral("%1-%2").arg(NumberOf(lines.first())).arg(NumberOf(lines.last()));
        for (const char* b : { "btnStart", "btnBack", "btnForward", "btnForwardEnd" }) {
            s += Enabled(b) ? QStringLiteral(" 1") : QStringLiteral(" 0");
        }
        return s;
    }
};

} // namespace

class TestWheels : public QObject {
    Q_OBJECT
private slots:
    void init();
    void progressDialogLayout();
    void fullWheelFromTheCommandToTheViewer();
    void generatorRunsOncePerShowing();
    void generationStartsWithoutActivation();
    void conditionedWheelUsesTheBoxes();
    void boundsThatAreNoNumbersReportError();
    void minimumAboveMaximumOpensAnEmptyViewer();
    void arrowsStepTheBoxes();
    void abbreviatedWithoutFittingWheel();
    void failedGenerationShowsNoViewer();
    void viewerLayout();
    void viewerPagingTenThousandAndOne();
    void viewerPagingTwentyFiveThousand();
    void viewerEmptyAndUnreadableLines();
    void notEnoughMemoryForFifteenTriples();
};

void TestWheels::init()
{
    // A box no test expects is reported, never shown: a real one would block.
    SetMessageHook([](QMessageBox::Icon, const QString&, const QString& text) {
        qWarning("unexpected message box: %s", qPrintable(text));
    });
}

void TestWheels::progressDialogLayout()
{
    MainFixture f(10);
    QVERIFY(f.main->FormTable().frmProgress != nullptr);
    QCOMPARE(f.main->FormTable().frmProgress->parentWidget(), f.main.get());
    QCOMPARE(f.main->FormTable().frmLines->parentWidget(), f.main.get());
    // The captions of the layout, before any language is applied.
    AppState st;
    auto progress = std::make_unique<TfrmProgress>(st);
    TfrmProgress* p = progress.get();
    QCOMPARE(p->windowTitle(), QStringLiteral("Please wait ..."));
    QCOMPARE(p->size(), QSize(329, 120));
    QCOMPARE(Find<QLabel>(p, "lblcalc")->text(), QStringLiteral("Calculating . . ."));
    auto* bar = Find<QProgressBar>(p, "prBar");
    QCOMPARE(bar->minimum(), 0);
    QCOMPARE(bar->maximum(), 100);
    QCOMPARE(Find<QPushButton>(p, "btncancel")->text(), QStringLiteral("Cancel"));
    QVERIFY(!p->isVisible());
}

void TestWheels::fullWheelFromTheCommandToTheViewer()
{
    MainFixture f(10);
    guitest::MessageRecorder messages;
    f.Mark({ "1", "1", "1", "1", "1", "1", "1X2", "1X2", "1X2", "1X2" });
    QSignalSpy bar(
        Find<QProgressBar>(f.main->FormTable().frmProgress, "prBar"), &QProgressBar::valueChanged);
    bool shown = false;
    const ViewerState s = ClickAndView(f, "btnFullWheel", &shown);
    QVERIFY(shown);
    QCOMPARE(f.st->WheelMode, 1);
    QCOMPARE(s.description, QStringLiteral("Full Wheel (81 combinations)"));
    QCOMPARE(s.lines.size(), 81);
    QCOMPARE(s.lines[0], QStringLiteral("  1: 1 1 1 1 1 1 1 1 1 1 "));
    QCOMPARE(s.lines[1], QStringLiteral("  2: 1 1 1 1 1 1 1 1 1 X "));
    QCOMPARE(s.lines[3], QStringLiteral("  4: 1 1 1 1 1 1 1 1 X 1 "));
    QCOMPARE(s.lines[80], QStringLiteral(" 81: 1 1 1 1 1 1 2 2 2 2 "));
    QCOMPARE(s.paging, (std::array<bool, 4>{ false, false, false, false }));
    // While the viewer is up the main window is disabled and the dialog gone.
    QVERIFY(!s.mainEnabled);
    QVERIFY(!s.progressVisible);
    QCOMPARE(s.progressValue, 100);
    QVERIFY(f.main->isEnabled());
    QVERIFY(messages.Messages.isEmpty());
    // Total 81: interval 2, the bar climbs one by one to 40, then the dialog sets 100.
    QList<int> values;
    for (const QList<QVariant>& call : bar) {
        values.append(call.at(0).toInt());
    }
    QCOMPARE(values.size(), 41);
    for (int i = 0; i < 40; ++i) {
        QCOMPARE(values[i], i + 1);
    }
    QCOMPARE(values.last(), 100);
}

void TestWheels::generatorRunsOncePerShowing()
{
    MainFixture f(10);
    f.Mark({ "1", "1", "1", "1", "1", "1", "1", "1", "1", "1X" });
    TfrmProgress* p = f.main->FormTable().frmProgress;
    int runs = 0;
    p->SetGeneratorHook([&](AppState& st, int) {
        ++runs;
        // The dialog becomes active again while the generator works (a box
        // over it closed, say): that must not start a second generation.
        QEvent again(QEvent::WindowActivate);
        QCoreApplication::sendEvent(p, &again);
        // "Cancel" has no action.
        Find<QPushButton>(p, "btncancel")->click();
        return MakeFullWheel(st, p);
    });
    bool shown = false;
    ViewerState s = ClickAndView(f, "btnFullWheel", &shown);
    QVERIFY(shown);
    QCOMPARE(runs, 1);
    QCOMPARE(s.lines.size(), 2);
    // The next showing runs it again.
    s = ClickAndView(f, "btnFullWheel", &shown);
    QVERIFY(shown);
    QCOMPARE(runs, 2);
    QCOMPARE(s.description, QStringLiteral("Full Wheel (2 combinations)"));
}

void TestWheels::generationStartsWithoutActivation()
{
    AppState st;
    st.Games[1] = tLutrija{ QStringLiteral("Ten"), 10, 10 };
    st.GameCount = 1;
    st.CurrentGame = 1;
    for (int p = 1; p <= 10; ++p) {
        st.Selection[p].Count = 2;
        st.Selection[p].Codes = { CodeHome, CodeAway, 0 };
    }
    st.WheelMode = 1;
    TfrmProgress p(st);
    // A window system that never makes the dialog active.
    struct EatActivation : QObject {
        bool eventFilter(QObject*, QEvent* e) override
        {
            return e->type() == QEvent::WindowActivate;
        }
    } eat;
    p.installEventFilter(&eat);
    QTimer::singleShot(10000, &p, &QWidget::close);
    QElapsedTimer clock;
    clock.start();
    p.exec();
    QVERIFY(clock.elapsed() < 5000);
    QVERIFY(p.Generated());
    QCOMPARE(st.CombinationCount, 1024);
    QCOMPARE(Find<QProgressBar>(&p, "prBar")->value(), 100);
}

void TestWheels::conditionedWheelUsesTheBoxes()
{
    MainFixture f(10);
    guitest::MessageRecorder messages;
    f.Mark({ "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2" });
    QTest::mouseClick(Find<QPushButton>(f.main.get(), "btnCondWheels"), Qt::LeftButton);
    QCOMPARE(f.main->CurrentPanel(), 1);
    // Initial bounds 1: 0..7, X: 0..5, 2: 0..3 on ten triples.
    std::int64_t expected = 0;
    const auto factorial = [](int n) {
        std::int64_t r = 1;
        for (int i = 2; i <= n; ++i) {
            r *= i;
        }
        return r;
    };
    for (int h = 0; h <= 7; ++h) {
        for (int x = 0; x <= 5; ++x) {
            const int a = 10 - h - x;
            if (a >= 0 && a <= 3) {
                expected += factorial(10) / (factorial(h) * factorial(x) * factorial(a));
            }
        }
    }
    bool shown = false;
    ViewerState s = ClickAndView(f, "btnMakeConditioned", &shown);
    QVERIFY(shown);
    QCOMPARE(f.st->WheelMode, 2);
    QCOMPARE(std::int64_t(f.st->CombinationCount), expected);
    QCOMPARE(s.description, QStringLiteral("Conditioned Wheel (%1 combinations)").arg(expected));
    QCOMPARE(s.lines.size(), qsizetype(std::min<std::int64_t>(expected, 10000)));
    // The first accepted combination: seven "1" would need three "2" at the end.
    QCOMPARE(s.lines[0], QStringLiteral("    1: 1 1 1 1 1 1 1 X X X "));

    // Changed bounds are read again: exactly ten "X".
    Find<QLineEdit>(f.main.get(), "edtMinX")->setText(QStringLiteral("10"));
    Find<QLineEdit>(f.main.get(), "edtMaxX")->setText(QStringLiteral("10"));
    s = ClickAndView(f, "btnMakeConditioned", &shown);
    QVERIFY(shown);
    QCOMPARE(s.lines, QStringList{ QStringLiteral("  1: X X X X X X X X X X ") });
    QVERIFY(messages.Messages.isEmpty());
}

void TestWheels::boundsThatAreNoNumbersReportError()
{
    MainFixture f(10);
    f.Mark({ "1X", "1", "1", "1", "1", "1", "1", "1", "1", "1" });
    int runs = 0;
    f.main->FormTable().frmProgress->SetGeneratorHook([&](AppState&, int) {
        ++runs;
        return GenerationResult();
    });
    const char* boxes[6] = { "edtMin1", "edtMinX", "edtMin2", "edtMax1", "edtMaxX", "edtMax2" };
    for (const char* box : boxes) {
        for (const char* text : { "-1", " 3", "" }) {
            guitest::MessageRecorder messages;
            auto* edit = Find<QLineEdit>(f.main.get(), box);
            const QString before = edit->text();
            edit->setText(QLatin1String(text));
            bool shown = false;
            ClickAndView(f, "btnMakeConditioned", &shown);
            QVERIFY(!shown);
            QCOMPARE(messages.Messages.size(), 1);
            QCOMPARE(messages.Messages[0].Icon, QMessageBox::Critical);
            QCOMPARE(messages.Messages[0].Text, QStringLiteral("Error"));
            QVERIFY(f.main->isEnabled());
            edit->setText(before);
        }
    }
    QCOMPARE(runs, 0);
    QCOMPARE(f.st->WheelMode, 0);
}

void TestWheels::minimumAboveMaximumOpensAnEmptyViewer()
{
    MainFixture f(10);
    guitest::MessageRecorder messages;
    f.Mark({ "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2", "1X2" });
    Find<QLineEdit>(f.main.get(), "edtMin1")->setText(QStringLiteral("5"));
    Find<QLineEdit>(f.main.get(), "edtMax1")->setText(QStringLiteral("4"));
    QSignalSpy bar(
        Find<QProgressBar>(f.main->FormTable().frmProgress, "prBar"), &QProgressBar::valueChanged);
    bool shown = false;
    const ViewerState s = ClickAndView(f, "btnMakeConditioned", &shown);
    QVERIFY(shown);
    QVERIFY(messages.Messages.isEmpty());
    QCOMPARE(f.st->CombinationCount, 0);
    QVERIFY(s.lines.isEmpty());
    QCOMPARE(s.description, QStringLiteral("Conditioned Wheel (0 combinations)"));
    QCOMPARE(s.paging, (std::array<bool, 4>{ false, false, false, false }));
    // The bar stays at 0 and jumps to 100.
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar.at(0).at(0).toInt(), 100);
}

void TestWheels::arrowsStepTheBoxes()
{
    // The stepping rules are the library's; here each pair of arrows must act
    // on its own box, within 0 to the pair count.
    MainFixture f(13);
    const char* boxes[6] = { "Min1", "MinX", "Min2", "Max1", "MaxX", "Max2" };
    for (const char* box : boxes) {
        auto* edit = Find<QLineEdit>(f.main.get(), QStringLiteral("edt") + QLatin1String(box));
        auto* ud = Find<TUpDown>(f.main.get(), QStringLiteral("ud") + QLatin1String(box));
        QStringList others;
        for (const char* other : boxes) {
            others << Find<QLineEdit>(f.main.get(), QStringLiteral("edt") + QLatin1String(other))
                          ->text();
        }
        edit->setText(QStringLiteral("x"));
        Find<QToolButton>(ud, "up")->click();
        QCOMPARE(edit->text(), QStringLiteral("2"));
        edit->setText(QStringLiteral("13"));
        Find<QToolButton>(ud, "up")->click();
        QCOMPARE(edit->text(), QStringLiteral("13"));
        edit->setText(QStringLiteral("07"));
        Find<QToolButton>(ud, "down")->click();
        QCOMPARE(edit->text(), QStringLiteral("6"));
        edit->setText(QStringLiteral("0"));
        Find<QToolButton>(ud, "down")->click();
        QCOMPARE(edit->text(), QStringLiteral("0"));
        for (int k = 0; k < 6; ++k) {
            if (QLatin1String(boxes[k]) != QLatin1String(box)) {
                QCOMPARE(
                    Find<QLineEdit>(f.main.get(), QStringLiteral("edt") + QLatin1String(boxes[k]))
                        ->text(),
                    others[k]);
            }
        }
    }
}

void TestWheels::abbreviatedWithoutFittingWheel()
{
    MainFixture f(10);
    guitest::MessageRecorder messages;
    f.Mark({ "1X2", "1X", "1", "1", "1", "1", "1", "1", "1", "1" });
    int runs = 0;
    f.main->FormTable().frmProgress->SetGeneratorHook([&](AppState&, int) {
        ++runs;
        return GenerationResult();
    });
    bool shown = false;
    ClickAndView(f, "btnMakeAbbWheel", &shown);
    QVERIFY(!shown);
    QCOMPARE(runs, 0);
    QCOMPARE(messages.Messages.size(), 1);
    QCOMPARE(messages.Messages[0].Icon, QMessageBox::Question);
    QCOMPARE(messages.Messages[0].Text, QStringLiteral("Wheel does not exist!"));
    QVERIFY(f.main->isEnabled());
}

void TestWheels::failedGenerationShowsNoViewer()
{
    MainFixture f(10);
    guitest::MessageRecorder messages;
    f.Mark({ "1X2", "1X2", "1X2", "1X2", "1", "1", "1", "1", "1", "1" });
    bool shown = false;
    ClickAndView(f, "btnFullWheel", &shown);
    QVERIFY(shown);
    QCOMPARE(f.st->CombinationCount, 81);
    TfrmProgress* p = f.main->FormTable().frmProgress;
    p->SetGeneratorHook([](AppState& st, int) -> GenerationResult {
        // A generator that fails half way leaves rows it has written.
        st.CombinationCount = 7;
        throw RunError(QStringLiteral("I/O error 5"));
    });
    ClickAndView(f, "btnFullWheel", &shown);
    QVERIFY(!shown);
    QVERIFY(!p->isVisible());
    QVERIFY(f.main->isEnabled());
    QCOMPARE(f.st->CombinationCount, 0);
    QCOMPARE(messages.Messages.size(), 1);
    QCOMPARE(messages.Messages[0].Icon, QMessageBox::Critical);
    QCOMPARE(messages.Messages[0].Caption, QStringLiteral("Ravolin"));
    QCOMPARE(messages.Messages[0].Text, QStringLiteral("I/O error 5"));

    p->SetGeneratorHook([](AppState& st, int) {
        st.CombinationCount = 0;
        GenerationResult r;
        r.Ok = false;
        r.Error = QStringLiteral("Not enough memory for 81 combinations");
        return r;
    });
    ClickAndView(f, "btnFullWheel", &shown);
    QVERIFY(!shown);
    QCOMPARE(messages.Messages.size(), 2);
    QCOMPARE(messages.Messages[1].Text, QStringLiteral("Not enough memory for 81 combinations"));
    QVERIFY(f.main->isEnabled());
}

void TestWheels::viewerLayout()
{
    auto st = ListOf(3);
    TfrmLines v(*st);
    QCOMPARE(v.objectName(), QStringLiteral("frmLines"));
    QCOMPARE(v.windowTitle(), QStringLiteral("Combinations"));
    QCOMPARE(v.size(), QSize(590, 425));
    QCOMPARE(v.palette().color(QPalette::Window), QColor(236, 236, 221));
    auto* list = Find<QListView>(&v, "lstLines");
    QCOMPARE(list->geometry(), QRect(16, 32, 393, 345));
    QVERIFY(QFontInfo(list->font()).fixedPitch());
    QCOMPARE(list->font().pixelSize(), 16);
    for (const char* name : { "btnSaveNewTicket", "btnPrint", "btnClose", "btnStart", "btnBack",
             "btnForward", "btnForwardEnd" }) {
        QVERIFY(!Find<QPushButton>(&v, name)->isHidden());
    }
    QVERIFY(Find<QPushButton>(&v, "btnAddToTicket")->isHidden());
    QVERIFY(Find<QTextEdit>(&v, "txtZaPrint")->isHidden());
    QCOMPARE(Find<QLabel>(&v, "lblDesc")->pos(), QPoint(16, 8));

    v.SetDescription(QStringLiteral("Full Wheel (3 combinations)"));
    v.ShowFirstPage();
    QCOMPARE(list->model()->rowCount(), 3);
    QCOMPARE(
        list->model()->index(2, 0).data().toString(), QStringLiteral("  3: 1 2 2 2 2 2 2 2 2 X "));
    v.show();
    QVERIFY(QTest::qWaitForWindowExposed(&v));
    QTest::mouseClick(Find<QPushButton>(&v, "btnClose"), Qt::LeftButton);
    QVERIFY(!v.isVisible());
}

void TestWheels::viewerPagingTenThousandAndOne()
{
    auto st = ListOf(10001);
    TfrmLines v(*st);
    v.ShowFirstPage();
    v.show();
    Paging p{ &v };
    QCOMPARE(p.State(), QStringLiteral("1-10000 0 0 1 1"));
    QCOMPARE(v.Lines()[9999], QStringLiteral("10000: 1 2 2 2 2 2 2 2 2 X "));
    p.Click("btnForward");
    QCOMPARE(p.State(), QStringLiteral("10001-10001 1 1 0 0"));
    p.Click("btnBack");
    QCOMPARE(p.State(), QStringLiteral("1-10000 0 0 1 1"));
    p.Click("btnForwardEnd");
    QCOMPARE(p.State(), QStringLiteral("2-10001 1 1 0 0"));
    p.Click("btnStart");
    QCOMPARE(p.State(), QStringLiteral("1-10000 0 0 1 1"));
}

void TestWheels::viewerPagingTwentyFiveThousand()
{
    auto st = ListOf(25000);
    TfrmLines v(*st);
    v.ShowFirstPage();
    v.show();
    Paging p{ &v };
    QCOMPARE(p.State(), QStringLiteral("1-10000 0 0 1 1"));
    p.Click("btnForwardEnd");
    QCOMPARE(p.State(), QStringLiteral("15001-25000 1 1 0 0"));
    p.Click("btnBack");
    QCOMPARE(p.State(), QStringLiteral("5001-15000 1 1 1 1"));
    p.Click("btnBack");
    QCOMPARE(p.State(), QStringLiteral("1-10000 0 0 1 1"));
    p.Click("btnForward");
    QCOMPARE(p.State(), QStringLiteral("10001-20000 1 1 1 1"));
    p.Click("btnForward");
    QCOMPARE(p.State(), QStringLiteral("20001-25000 1 1 0 0"));
    QCOMPARE(v.Lines().size(), 5000);
}

void TestWheels::viewerEmptyAndUnreadableLines()
{
    auto st = ListOf(0);
    TfrmLines v(*st);
    v.ShowFirstPage();
    Paging p{ &v };
    QCOMPARE(p.State(), QStringLiteral("empty 0 0 0 0"));
    // Stepping from an empty list has no page to start from.
    v.btnForwardClick();
    v.btnBackClick();
    QCOMPARE(p.State(), QStringLiteral("empty 0 0 0 0"));

    // A list whose lines carry no number leaves the page as it is.
    auto small = ListOf(729);
    TfrmLines w(*small);
    w.ShowFirstPage();
    QCOMPARE(w.Lines().size(), 729);
    auto* model = Find<QListView>(&w, "lstLines")->model();
    model->setData(model->index(728, 0), QStringLiteral("no number here"));
    model->setData(model->index(0, 0), QStringLiteral("x: 1 1"));
    w.btnForwardClick();
    w.btnBackClick();
    QCOMPARE(w.Lines().size(), 729);
    QCOMPARE(w.Lines().last(), QStringLiteral("no number here"));
    // A count above what the list holds never reads past its rows.
    small->CombinationCount = 5000000;
    w.ShowFirstPage();
    QCOMPARE(w.Lines().size(), qsizetype(small->CombinationList.Capacity() - 1));
}

void TestWheels::notEnoughMemoryForFifteenTriples()
{
#ifdef __linux__
    MainFixture f(15);
    guitest::MessageRecorder messages;
    // A wheel that fits comes first, so the failure cannot show its rows.
    f.Mark({ "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1X2" });
    bool shown = false;
    ClickAndView(f, "btnFullWheel", &shown);
    QVERIFY(shown);
    QCOMPARE(f.st->CombinationCount, 3);
    QTest::mouseClick(Find<QPushButton>(f.main.get(), "btnSelectAll"), Qt::LeftButton);

    std::uint64_t used = 0;
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;) {
        if (key == "VmSize:") {
            status >> used;
            used *= 1024;
            break;
        }
    }
    QVERIFY(used > 0);
    rlimit old{};
    QVERIFY(getrlimit(RLIMIT_AS, &old) == 0);
    // Room for the windows to go on working, not for 230 MB of combinations.
    rlimit tight = old;
    tight.rlim_cur = used + (128u << 20);
    QVERIFY(setrlimit(RLIMIT_AS, &tight) == 0);
    ClickAndView(f, "btnFullWheel", &shown);
    QVERIFY(setrlimit(RLIMIT_AS, &old) == 0);

    QVERIFY(!shown);
    QVERIFY(!f.main->FormTable().frmProgress->isVisible());
    QVERIFY(f.main->isEnabled());
    QCOMPARE(f.st->CombinationCount, 0);
    QCOMPARE(messages.Messages.size(), 1);
    QCOMPARE(messages.Messages[0].Icon, QMessageBox::Critical);
    QCOMPARE(
        messages.Messages[0].Text, QStringLiteral("Not enough memory for 14348907 combinations"));
#else
    QSKIP("the address-space limit is a Linux facility");
#endif
}

QTEST_MAIN(TestWheels)
#include "tst_wheels.moc"
