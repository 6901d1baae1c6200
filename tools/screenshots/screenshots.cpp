// Renders Ravolin's windows offscreen, with the program's own code, into PNG
// pictures for the README. Usage: ravolin-screenshots <program folder> <output folder>
// The program folder is copied to a temporary folder first, so nothing in it changes.
#include "engine/uniGenerators.h"
#include "language/uniAbout.h"
#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "model/uniGlobal.h"
#include "tickets/uniLines.h"
#include "tickets/uniTicketFile.h"
#include "tickets/uniTickets.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

namespace {

bool CopyTree(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString src = it.next();
        const QString rel = QDir(from).relativeFilePath(src);
        if (rel.startsWith(QLatin1String("CMakeFiles")) || rel.startsWith(QLatin1String("tests"))
            || rel.startsWith(QLatin1String("tools")) || rel.startsWith(QLatin1String("tickets"))
            || rel.endsWith(QLatin1String(".a")) || rel.startsWith(QLatin1String("bench"))) {
            continue;
        }
        const QString dst = to + QLatin1Char('/') + rel;
        QDir().mkpath(QFileInfo(dst).absolutePath());
        if (!QFile::copy(src, dst)) {
            return false;
        }
    }
    return true;
}

bool Save(QWidget& w, const QString& path)
{
    const QPixmap pm = w.grab();
    if (!pm.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}

// A coupon a player might mark: singles, some doubles, a few triples.
void MarkSample(rav::TfrmMain& w)
{
    const int marks[13][3] = {{1, 0, 0}, {1, 1, 0}, {0, 0, 1}, {1, 1, 1}, {1, 0, 0},
                              {0, 1, 1}, {1, 0, 0}, {1, 0, 1}, {0, 1, 0}, {1, 1, 1},
                              {1, 0, 0}, {0, 0, 1}, {1, 1, 0}};
    const int n = w.State().CurrentPairs();
    for (int p = 1; p <= n && p <= 13; ++p) {
        for (int o = 0; o < 3; ++o) {
            if (marks[p - 1][o] != 0) {
                w.ToggleOutcome(p, o);
            }
        }
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <program folder> <output folder>\n", argv[0]);
        return 2;
    }
    QTemporaryDir scratch;
    if (!CopyTree(QString::fromLocal8Bit(argv[1]), scratch.path())) {
        std::fprintf(stderr, "cannot copy the program folder\n");
        return 1;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(out);

    rav::AppState st;
    st.ProgramFolder = scratch.path() + QLatin1Char('/');
    rav::TfrmMain main(st);
    rav::CreateForms(main, st);
    main.FormActivate();
    MarkSample(main);
    main.findChild<QWidget*>(QStringLiteral("edtTL01"))->setProperty("text", "Arsenal");
    main.findChild<QWidget*>(QStringLiteral("edtTR01"))->setProperty("text", "Chelsea");
    bool ok = Save(main, out + QStringLiteral("/main-window.png"));

    // The full wheel of the sample coupon in the viewer, and saved as a ticket.
    const rav::GenerationResult wheel = rav::MakeFullWheel(st, nullptr);
    rav::Forms& forms = main.FormTable();
    forms.frmLines->SetDescription(wheel.Description);
    forms.frmLines->ShowFirstPage();
    ok = Save(*forms.frmLines, out + QStringLiteral("/viewer.png")) && ok;
    rav::SaveTicket(st, QStringLiteral("Saturday system"), wheel.Description);
    forms.frmTickets->FormActivate();
    ok = Save(*forms.frmTickets, out + QStringLiteral("/tickets.png")) && ok;
    ok = Save(*forms.frmAbout, out + QStringLiteral("/about.png")) && ok;

    // The main window in a Central European language.
    main.ApplyLanguage(QStringLiteral("Hrvatski"));
    ok = Save(main, out + QStringLiteral("/main-window-hrvatski.png")) && ok;
    return ok ? 0 : 1;
}
