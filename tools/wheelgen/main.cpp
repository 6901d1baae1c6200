// wheelgen: builds, checks and tabulates the wheel library.
//
//   wheelgen [--cells T,D,k;...|all] [--seed N] [--effort X] [--seconds S]
//            [--no-search] [--dry-run] [--write-improved] [--wheels DIR]
//            [--provenance FILE] [--shapes a,b;...] [--groups TEXT] [--kinds]
//            [--columns C,C,.../C,...] [--from-wheel] [--lift a,b] [--nested]
//       builds every cell from the shipped wheels and the constructions,
//       searches the chosen cells and writes those that became strictly smaller
//       (with --write-improved also the other cells that the rules now make
//       smaller). --shapes limits the syndrome spaces 3^a x 2^b searched;
//       --groups runs only the search for unions of orbits, --kinds only the
//       weighted search over matrices of every kind (--columns: over the
//       cosets of the one matrix with these columns after the unit ones),
//       --from-wheel only the weighted search started from the cell's wheel,
//       --lift only the search over the cosets of a subgroup of the wheel's
//       own translations (a ternary and b binary dimensions given up),
//       --nested only the annealing of the matrix's columns around a tabu
//       search over the cosets.
//   wheelgen --verify DIR [--expect N]
//       checks every wheel file in DIR exhaustively.
//   wheelgen --report FILE
//       writes the tables of the library to FILE (Markdown).
#include "wgLibrary.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

#ifndef WHEELGEN_SOURCE_DIR
#define WHEELGEN_SOURCE_DIR "."
#endif
#ifndef WHEELGEN_WHEELS_DIR
#define WHEELGEN_WHEELS_DIR "dist/wheels"
#endif

namespace {

int Usage()
{
    std::fprintf(stderr,
        "usage: wheelgen [--cells T,D,k;...|all] [--seed N] [--effort X] [--seconds S]\n"
        "                [--no-search] [--dry-run] [--write-improved] [--quiet]\n"
                 "                [--wheels DIR]\n"
        "                [--provenance FILE] [--bounds FILE] [--shapes a,b;...]\n"
        "                [--groups TEXT] [--kinds] [--columns C,C,.../C,...]\n"
        "                [--from-wheel] [--lift a,b] [--nested]\n"
        "       wheelgen --verify DIR [--expect N] [--quiet]\n"
        "       wheelgen --report FILE [--wheels DIR]\n");
    return 2;
}

bool ParseCells(const QString& text, std::vector<std::array<int, 3>>& cells)
{
    if (text == QLatin1String("all")) {
        cells.clear();
        return true;
    }
    for (const QString& item : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QStringList f = item.split(QLatin1Char(','));
        if (f.size() != 3) {
            return false;
        }
        bool ok1, ok2, ok3;
        const std::array<int, 3> c{ f[0].toInt(&ok1), f[1].toInt(&ok2), f[2].toInt(&ok3) };
        if (!ok1 || !ok2 || !ok3 || c[0] < 0 || c[1] < 0 || c[0] + c[1] > wg::kPairs || c[2] < 1
            || c[2] > wg::kLevels) {
            return false;
        }
        cells.push_back(c);
    }
    return !cells.empty();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();

    wg::Options o;
    o.WheelsFolder = QStringLiteral(WHEELGEN_WHEELS_DIR);
    o.ProvenanceFile = QStringLiteral(WHEELGEN_SOURCE_DIR "/provenance.tsv");
    QString boundsFile = QStringLiteral(WHEELGEN_SOURCE_DIR "/bounds.tsv");
    QString verifyDir, reportFile;
    int expect = -1;
    bool quiet = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == QLatin1String("--cells") && hasValue) {
            if (!ParseCells(args[++i], o.Cells)) {
                return Usage();
            }
        } else if (a == QLatin1String("--shapes") && hasValue) {
            for (const QString& item : args[++i].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
                const QStringList f = item.split(QLatin1Char(','));
                bool ok1 = false, ok2 = false;
                const std::array<int, 2> shape{ f.value(0).toInt(&ok1), f.value(1).toInt(&ok2) };
                if (f.size() != 2 || !ok1 || !ok2 || shape[0] < 0 || shape[1] < 0
                    || shape[0] + shape[1] > wg::kPairs) {
                    return Usage();
                }
                o.Shapes.push_back(shape);
            }
        } else if (a == QLatin1String("--groups") && hasValue) {
            o.Groups = args[++i].toStdString();
        } else if (a == QLatin1String("--seed") && hasValue) {
            o.Seed = args[++i].toULongLong();
        } else if (a == QLatin1String("--effort") && hasValue) {
            o.Effort = args[++i].toDouble();
        } else if (a == QLatin1String("--seconds") && hasValue) {
            o.Seconds = args[++i].toDouble();
        } else if (a == QLatin1String("--wheels") && hasValue) {
            o.WheelsFolder = args[++i];
        } else if (a == QLatin1String("--provenance") && hasValue) {
            o.ProvenanceFile = args[++i];
        } else if (a == QLatin1String("--bounds") && hasValue) {
            boundsFile = args[++i];
        } else if (a == QLatin1String("--verify") && hasValue) {
            verifyDir = args[++i];
        } else if (a == QLatin1String("--expect") && hasValue) {
            expect = args[++i].toInt();
        } else if (a == QLatin1String("--report") && hasValue) {
            reportFile = args[++i];
        } else if (a == QLatin1String("--kinds")) {
            o.Kinds = true;
        } else if (a == QLatin1String("--columns") && hasValue) {
            o.Columns = args[++i].toStdString();
            o.Kinds = true;
        } else if (a == QLatin1String("--from-wheel")) {
            o.FromWheel = true;
        } else if (a == QLatin1String("--lift") && hasValue) {
            const QStringList f = args[++i].split(QLatin1Char(','));
            bool ok1 = false, ok2 = false;
            o.LiftTernary = f.value(0).toInt(&ok1);
            o.LiftBinary = f.value(1).toInt(&ok2);
            if (f.size() != 2 || !ok1 || !ok2 || o.LiftTernary < 0 || o.LiftBinary < 0
                || o.LiftTernary + o.LiftBinary == 0) {
                return Usage();
            }
        } else if (a == QLatin1String("--nested")) {
            o.Nested = true;
        } else if (a == QLatin1String("--no-search")) {
            o.Search = false;
        } else if (a == QLatin1String("--write-improved")) {
            o.WriteImproved = true;
        } else if (a == QLatin1String("--dry-run")) {
            o.Write = false;
        } else if (a == QLatin1String("--quiet")) {
            quiet = true;
        } else {
            return Usage();
        }
    }
    o.Verbose = !quiet;

    if (!verifyDir.isEmpty()) {
        int count = 0;
        const int failures = wg::VerifyFolder(verifyDir, count, !quiet);
        std::printf("%d wheel files, %d failing\n", count, failures);
        if (expect >= 0 && count != expect) {
            std::printf("expected %d wheel files\n", expect);
            return 1;
        }
        return failures == 0 ? 0 : 1;
    }

    wg::BoundsTable bounds;
    QString error;
    if (!bounds.Load(boundsFile, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    if (!reportFile.isEmpty()) {
        const QByteArray text = wg::ReportMarkdown(o.WheelsFolder, o.ProvenanceFile, bounds, error);
        if (text.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        QFile f(reportFile);
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(reportFile));
            return 1;
        }
        return 0;
    }

    wg::Library lib(o);
    lib.LoadShipped();
    lib.Run(bounds);
    return 0;
}
