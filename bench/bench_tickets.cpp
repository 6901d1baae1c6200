// Ticket figures for the largest wheel, a full wheel of 15 triples (14,348,907
// combinations, a ticket of about 560 MB), measured in one run against plain
// reference loops on the same machine:
//   - saving the ticket, against writing as many bytes with large write calls
//     (both followed by fsync, as the ticket save does before it renames);
//   - checking winnings and the browser's ">", ">>" and "<" from the first page,
//     against counting the file's lines with memchr over large buffered reads;
//   - the memory these reads take beyond the program's own.
// Usage: bench_tickets [folder]   (default: a temporary folder; needs ~1.2 GB)
// The reference loops use POSIX calls and /proc: the benchmark runs on Linux.
#ifndef _WIN32
#include "engine/uniGenerators.h"
#include "model/uniGlobal.h"
#include "tickets/uniTicketFile.h"
#include "tickets/uniTicketReader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <utility>
#include <vector>

using namespace rav;

namespace {

constexpr std::size_t kBlock = 4u << 20;

// The processor time (user and system) of the process so far, in seconds.
double CpuSeconds()
{
    struct rusage u { };
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec)
        + static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The best of three runs, wall-clock and processor time: on a shared machine
// the best run is the one least disturbed by others.
struct Timing {
    double wall = 1e300;
    double cpu = 1e300;
};

void Run(Timing& best, const std::function<void()>& work)
{
    const double cpu0 = CpuSeconds();
    const auto start = std::chrono::steady_clock::now();
    work();
    const double wall
        = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    best.wall = std::min(best.wall, wall);
    best.cpu = std::min(best.cpu, CpuSeconds() - cpu0);
}

Timing Measure(const std::function<void()>& work)
{
    Timing best;
    for (int run = 0; run < 3; ++run) {
        Run(best, work);
    }
    return best;
}

// Two works taken in turns, so that both meet the same state of the page
// cache and of the disk's write-back.
std::pair<Timing, Timing> MeasureInTurns(
    const std::function<void()>& a, const std::function<void()>& b)
{
    std::pair<Timing, Timing> best;
    for (int run = 0; run < 3; ++run) {
        Run(best.first, a);
        Run(best.second, b);
    }
    return best;
}

// A field of /proc/self/status in KiB ("VmRSS", "VmHWM").
long StatusKiB(const char* field)
{
    FILE* f = std::fopen("/proc/self/status", "r");
    if (f == nullptr) {
        return -1;
    }
    char line[256];
    long value = -1;
    const std::size_t n = std::strlen(field);
    while (std::fgets(line, sizeof line, f) != nullptr) {
        if (std::strncmp(line, field, n) == 0 && line[n] == ':') {
            value = std::strtol(line + n + 1, nullptr, 10);
        }
    }
    std::fclose(f);
    return value;
}

// Resets the peak resident size, so that VmHWM tells the peak of what follows.
void ResetPeak()
{
    FILE* f = std::fopen("/proc/self/clear_refs", "w");
    if (f != nullptr) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

// Reference: the same number of bytes written with large write calls, then fsync.
void WriteReference(const std::string& path, long long bytes)
{
    std::vector<char> block(kBlock);
    for (std::size_t i = 0; i < block.size(); ++i) {
        block[i] = (i % 41 == 40) ? '\n' : '1';
    }
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) {
        std::perror("open");
        std::exit(1);
    }
    long long left = bytes;
    while (left > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<long long>(left, kBlock));
        if (::write(fd, block.data(), n) != static_cast<ssize_t>(n)) {
            std::perror("write");
            std::exit(1);
        }
        left -= static_cast<long long>(n);
    }
    ::fsync(fd);
    ::close(fd);
}

// Reference: the number of lines of a file, memchr over large buffered reads.
long long CountReference(const std::string& path)
{
    std::vector<char> block(kBlock);
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) {
        std::perror("open");
        std::exit(1);
    }
    long long lines = 0;
    for (;;) {
        const ssize_t got = ::read(fd, block.data(), block.size());
        if (got <= 0) {
            break;
        }
        const char* p = block.data();
        const char* end = p + got;
        while (
            (p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))))
            != nullptr) {
            ++lines;
            ++p;
        }
    }
    ::close(fd);
    return lines;
}

struct Row {
    const char* name;
    Timing time;
    Timing reference;
    double limit; // the largest ratio of wall-clock times allowed
    long peakKiB;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    std::unique_ptr<QTemporaryDir> temp;
    QString folder;
    if (argc > 1) {
        folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    } else {
        temp = std::make_unique<QTemporaryDir>();
        folder = temp->path();
    }

    auto st = std::make_unique<AppState>();
    st->ProgramFolder = folder + QLatin1Char('/');
    st->Games[1] = tLutrija{ QStringLiteral("Fifteen"), 15, 10 };
    st->GameCount = 1;
    st->CurrentGame = 1;
    st->LanguageName = QStringLiteral("English");
    st->Words.LangFullWheel = QStringLiteral("Full Wheel");
    st->Words.LangCombinations = QStringLiteral("combinations");
    for (int p = 1; p <= 15; ++p) {
        st->Selection[p].Count = 3;
        st->Selection[p].Codes = { 1, 0, 2 };
    }
    const GenerationResult made = MakeFullWheel(*st, nullptr);
    if (!made.Ok || st->CombinationCount != 14348907) {
        std::fprintf(stderr, "the full wheel of 15 triples could not be made\n");
        return 1;
    }
    QDir().mkpath(TicketFolder(*st));
    const QString ticket = TicketPath(*st, QStringLiteral("bench"));
    const std::string ticketPath = QFile::encodeName(ticket).toStdString();
    const std::string referencePath
        = QFile::encodeName(folder + QStringLiteral("/reference.bin")).toStdString();

    std::vector<Row> rows;

    // Saving.
    // The size of the ticket, for the reference: every line is as long as the last.
    const long long bytes
        = static_cast<long long>(ProductLine().size() + 2 + made.Description.toLatin1().size() + 2)
        + 14348907LL * (8 + 2 + 29 + 2);
    const auto [save, writeRef]
        = MeasureInTurns([&] { WriteTicket(ticket, *st, made.Description.toLatin1()); },
            [&] { WriteReference(referencePath, bytes); });
    if (QFile(ticket).size() != bytes) {
        std::fprintf(stderr, "the ticket holds %lld bytes, not %lld\n",
            static_cast<long long>(QFile(ticket).size()), bytes);
        return 1;
    }
    QFile::remove(QString::fromStdString(referencePath));
    // Throughput at least half of the reference: time at most twice.
    rows.push_back({ "save ticket", save, writeRef, 2.0, -1 });

    // Reading: the list is not needed any more; what follows is the reader's own memory.
    st->CombinationList.Clear();
    volatile long long counted = 0;
    const Timing countRef = Measure([&] { counted = CountReference(ticketPath); });
    if (counted != 14348909) {
        std::fprintf(stderr, "the reference counted %lld lines\n", static_cast<long long>(counted));
        return 1;
    }
    const long baseline = StatusKiB("VmRSS");

    auto measure = [&](const char* name, const std::function<void()>& work) {
        ResetPeak();
        const Timing t = Measure(work);
        rows.push_back({ name, t, countRef, 2.0, StatusKiB("VmHWM") - baseline });
    };
    tResultRow results{};
    results.fill('1');
    tHitTable table{};
    measure("check winnings", [&] { table = CheckTicket(ticket, results, 15); });
    const TicketPage first = ReadFirstPage(ticket);
    TicketPage page;
    measure("\">\" from the first page", [&] { page = ReadNextPage(ticket, first.Lines.last()); });
    const bool nextOk = page.FirstLine == 10003 && page.Lines.size() == kPageLines;
    measure("\">>\" from the first page", [&] { page = ReadLastPage(ticket); });
    const bool lastOk = page.FirstLine == 14348909 - 9999 && page.Lines.size() == kPageLines;
    measure(
        "\"<\" from the first page", [&] { page = ReadPreviousPage(ticket, first.Lines.first()); });

    std::printf("Ticket of the full wheel of 15 triples: %lld combinations, %lld bytes\n",
        static_cast<long long>(14348907), bytes);
    std::printf("Best of 3 runs each; wall-clock time (processor time in brackets).\n");
    std::printf("reference write (large write calls + fsync): %.3f s (%.3f s), %.0f MB/s\n",
        writeRef.wall, writeRef.cpu, bytes / writeRef.wall / 1e6);
    std::printf("reference line count (memchr, 4 MiB reads):  %.3f s (%.3f s)\n\n", countRef.wall,
        countRef.cpu);
    std::printf("%-26s %8s %8s %6s %10s %5s %9s\n", "action", "wall s", "ref s", "ratio",
        "cpu ratio", "limit", "peak MiB");
    bool ok = nextOk && lastOk && table[15] == 1 && table[0] == 32768;
    for (const Row& r : rows) {
        const double ratio = r.time.wall / r.reference.wall;
        const double cpuRatio = r.time.cpu / r.reference.cpu;
        const bool pass = ratio <= r.limit && (r.peakKiB < 0 || r.peakKiB < 100 * 1024);
        ok = ok && pass;
        std::printf("%-26s %8.3f %8.3f %6.2f %10.2f %5.1f %9s %s\n", r.name, r.time.wall,
            r.reference.wall, ratio, cpuRatio, r.limit,
            r.peakKiB < 0 ? "-" : std::to_string(r.peakKiB / 1024).c_str(),
            pass ? "ok" : "TOO SLOW OR TOO BIG");
    }
    std::printf("save throughput: %.0f MB/s, %.0f%% of the reference\n", bytes / save.wall / 1e6,
        100.0 * writeRef.wall / save.wall);
    QFile::remove(ticket);
    return ok ? 0 : 1;
}

#else
#include <cstdio>
int main()
{
    std::puts("bench_tickets runs on Linux only");
    return 0;
}
#endif
