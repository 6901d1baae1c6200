// Wheel figures for the largest selection, 15 triples, measured in one run on
// the machine at hand:
//   - the full wheel (14,348,907 rows) and the conditioned wheel with the
//     initial bounds (360,360 of as many candidates), each against a memset of
//     the list's bytes into a fresh allocation: at most 1.5 times as long;
//   - filling one viewer page of 10,000 lines from the full list: under 20 ms;
//   - in a process of its own, from the "Full Wheel" click on a 15-triple coupon
//     to the viewer showing page 1: under 1 s, with the peak memory of that
//     whole run (VmHWM) under 300 MB.
// Usage: bench_wheels          (both parts; the window part runs as a child)
//        bench_wheels gui      (only the window part)
// Run with QT_QPA_PLATFORM=offscreen where there is no display.
#include "engine/uniCombinations.h"
#include "engine/uniGenerators.h"
#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "mainwindow/uniMessages.h"
#include "model/uniGlobal.h"
#include "tickets/uniLines.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

using namespace rav;

namespace {

constexpr std::int32_t kRows = 14348907;

double Ms(std::chrono::steady_clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Ticks : ProgressSink {
    int ticks = 0;
    void Tick() override { ++ticks; }
};

std::unique_ptr<AppState> FifteenTriples()
{
    auto st = std::make_unique<AppState>();
    st->Games[1] = tLutrija { QStringLiteral("Bench"), 15, 10 };
    st->GameCount = 1;
    st->CurrentGame = 1;
    for (int p = 1; p <= 15; ++p) {
        st->Selection[p].Count = 3;
        st->Selection[p].Codes = { CodeHome, CodeDraw, CodeAway };
    }
    st->Words.LangFullWheel = QStringLiteral("Full Wheel");
    st->Words.LangCondWheel = QStringLiteral("Conditioned Wheel");
    st->Words.LangCombinations = QStringLiteral("combinations");
    return st;
}

long PeakKilobytes()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kb = 0;
            status >> kb;
            return kb;
        }
        std::getline(status, key);
    }
    return -1;
}

bool Report(const char* what, double value, double limit, const char* unit)
{
    const bool ok = value <= limit;
    std::printf(
        "%-58s %10.2f %-3s (limit %.2f)  %s\n", what, value, unit, limit, ok ? "PASS" : "FAIL");
    return ok;
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int EnginePart()
{
    const std::size_t bytes = (static_cast<std::size_t>(kRows) + 10) * sizeof(tCombination);
    std::vector<double> memsetMs, fullMs, condMs, fullRatio, condRatio;
    std::unique_ptr<AppState> kept;
    for (int round = 1; round <= 3; ++round) {
        auto t0 = std::chrono::steady_clock::now();
        auto* block = static_cast<unsigned char*>(std::malloc(bytes));
        if (block == nullptr) {
            std::printf("no memory for the reference\n");
            return 2;
        }
        // Called through a volatile pointer, so the compiler cannot drop it.
        void* (*volatile fill)(void*, int, std::size_t) = std::memset;
        fill(block, 0x5a, bytes);
        auto t1 = std::chrono::steady_clock::now();
        std::free(block);
        const double m = Ms(t1 - t0);

        auto full = FifteenTriples();
        Ticks fullTicks;
        t0 = std::chrono::steady_clock::now();
        const GenerationResult fr = MakeFullWheel(*full, &fullTicks);
        t1 = std::chrono::steady_clock::now();
        const double f = Ms(t1 - t0);
        if (!fr.Ok || full->CombinationCount != kRows || fullTicks.ticks != 99) {
            std::printf("full wheel went wrong\n");
            return 2;
        }

        auto cond = FifteenTriples();
        Ticks condTicks;
        const ConditionTexts bounds = { QStringLiteral("0"), QStringLiteral("0"),
            QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("5"), QStringLiteral("3") };
        t0 = std::chrono::steady_clock::now();
        const GenerationResult cr = MakeConditionedWheel(*cond, bounds, &condTicks);
        t1 = std::chrono::steady_clock::now();
        const double c = Ms(t1 - t0);
        if (!cr.Ok || cond->CombinationCount != 360360) {
            std::printf("conditioned wheel went wrong\n");
            return 2;
        }
        std::printf("round %d: memset %.1f ms, full wheel %.1f ms (x%.2f), conditioned %.1f ms "
                    "(x%.2f)\n",
            round, m, f, f / m, c, c / m);
        memsetMs.push_back(m);
        fullMs.push_back(f);
        condMs.push_back(c);
        fullRatio.push_back(f / m);
        condRatio.push_back(c / m);
        cond.reset();
        kept = std::move(full);
    }

    // One viewer page from the full list: the lines, the model, the layout and
    // the paint of the list.
    TfrmLines viewer(*kept);
    viewer.show();
    QApplication::processEvents();
    auto* list = viewer.findChild<QListView*>(QStringLiteral("lstLines"));
    // The first paint loads the font; it is not counted.
    viewer.ShowFirstPage();
    list->viewport()->repaint();
    QApplication::processEvents();
    std::vector<double> pageMs;
    for (int round = 0; round < 7; ++round) {
        const auto t0 = std::chrono::steady_clock::now();
        if (round % 2 == 0) {
            viewer.ShowFirstPage();
        } else {
            viewer.btnForwardEndClick();
        }
        list->viewport()->repaint();
        QApplication::processEvents();
        pageMs.push_back(Ms(std::chrono::steady_clock::now() - t0));
        if (viewer.Lines().size() != 10000) {
            std::printf("viewer page went wrong\n");
            return 2;
        }
    }

    std::printf("\nmedians: memset %.1f ms, full wheel %.1f ms, conditioned %.1f ms\n",
        Median(memsetMs), Median(fullMs), Median(condMs));
    bool ok = true;
    ok &= Report("full wheel / memset of the same bytes (median)", Median(fullRatio), 1.5, "x");
    ok &= Report(
        "conditioned wheel / memset of the same bytes (median)", Median(condRatio), 1.5, "x");
    std::printf("viewer pages: slowest of %zu %.2f ms\n", pageMs.size(),
        *std::max_element(pageMs.begin(), pageMs.end()));
    ok &= Report("one viewer page of 10000 lines (median)", Median(pageMs), 20.0, "ms");
    return ok ? 0 : 1;
}

int GuiPart()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QLatin1Char('/');
    QDir(dir.path()).mkpath(QStringLiteral("data"));
    QDir(dir.path()).mkpath(QStringLiteral("languages"));
    QDir(dir.path()).mkpath(QStringLiteral("wheels"));
    auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile f(folder + name);
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
            std::printf("cannot write %s\n", qPrintable(name));
            std::exit(2);
        }
    };
    write(QStringLiteral("data/Bench.def"), "[DO NOT CHANGE THIS FILE]\r\nBench\r\n15\r\n10\r\n");
    write(QStringLiteral("ravolin.ini"),
        "[DO NOT CHANGE THIS FILE]\r\n[LAST OPENED]\r\nBench\r\n"
        "[LANGUAGE]\r\nEnglish\r\n");
    QFile english(
        QStringLiteral(RAVOLIN_SOURCE_DIR) + QStringLiteral("/dist/languages/English.lng"));
    if (english.open(QIODevice::ReadOnly)) {
        write(QStringLiteral("languages/English.lng"), english.readAll());
    }
    SetMessageHook([](QMessageBox::Icon, const QString&, const QString& text) {
        std::printf("message: %s\n", qPrintable(text));
    });

    AppState st;
    st.ProgramFolder = folder;
    TfrmMain main(st);
    CreateForms(main, st);
    main.show();
    QApplication::processEvents();
    main.findChild<QPushButton*>(QStringLiteral("btnSelectAll"))->click();

    TfrmLines* viewer = main.FormTable().frmLines;
    auto* list = viewer->findChild<QListView*>(QStringLiteral("lstLines"));
    QElapsedTimer clock;
    qint64 shownAt = -1;
    // The viewer shows page 1 once its list has been painted with it.
    struct PaintWatch : QObject {
        std::function<void()> onPaint;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::Paint && onPaint) {
                onPaint();
            }
            return false;
        }
    } watch;
    watch.onPaint = [&] {
        if (shownAt < 0 && viewer->isVisible() && viewer->Lines().size() == 10000) {
            shownAt = clock.elapsed();
            QTimer::singleShot(0, viewer, &QWidget::close);
        }
    };
    list->viewport()->installEventFilter(&watch);
    QTimer::singleShot(30000, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            modal->close();
        }
    });

    clock.start();
    main.findChild<QPushButton*>(QStringLiteral("btnFullWheel"))->click();
    if (shownAt < 0 || st.CombinationCount != kRows) {
        std::printf("the viewer did not show page 1 of the full wheel\n");
        return 2;
    }
    const long peak = PeakKilobytes();
    bool ok = true;
    ok &= Report("\"Full Wheel\" click to page 1 shown, 15 triples", double(shownAt), 1000.0, "ms");
    ok &= Report("peak memory of the whole window run (VmHWM)", peak / 1024.0, 300.0, "MB");
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "gui") == 0) {
        return GuiPart();
    }
    const int engine = EnginePart();
    std::fflush(stdout);
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), { QStringLiteral("gui") });
    child.waitForFinished(120000);
    const int gui = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 2;
    return std::max(engine, gui);
}
