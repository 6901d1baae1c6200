// The main window: start-up, the coupon grid, the menus, the ticket folders and
// the settings written at every activation.
#include "guitest.h"

#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "mainwindow/uniMessages.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTest>

using namespace rav;
using guitest::Find;

namespace {

const char* const kLetters[3] = {"D", "N", "G"};

QString Picture(int pair, int outcome, bool marked)
{
    return QStringLiteral("img%1%2%3")
        .arg(QLatin1String(kLetters[outcome]), marked ? QStringLiteral("R") : QString())
        .arg(pair, 2, 10, QLatin1Char('0'));
}

void Click(TfrmMain& w, int pair, int outcome)
{
    const bool marked = w.IsMarked(pair, outcome);
    QTest::mouseClick(Find<QLabel>(&w, Picture(pair, outcome, marked)), Qt::LeftButton);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void startUpOpensTheStoredGameAndLaysOutItsRows();
    void startUpWithoutSettingsOrGames();
    void clickTogglesAndRecounts();
    void selectAllClearAllAndTheirMenuItems();
    void relayoutHidesRowsAndClearsMarks();
    void clearTeamsEmptiesHiddenRowsToo();
    void ticketFoldersCreatedOnceExistingLeftAlone();
    void activationWritesTheSettingsFile();
    void menusAndShortcuts();
    void panelsSwitch();
};

void TestMainWindow::startUpOpensTheStoredGameAndLaysOutItsRows()
{
    guitest::ProgramFolder pf;
    pf.AddGame("a", "Alpha", 13);
    pf.AddGame("b", "Beta", 10);
    pf.WriteSettings("Beta", "English");
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    CreateForms(w, st);

    QCOMPARE(w.windowTitle(), QStringLiteral("Ravolin - Beta"));
    QCOMPARE(st.CurrentGame, 2);
    QCOMPARE(st.LanguageName, QStringLiteral("English"));
    QCOMPARE(w.centralWidget()->size(), QSize(750, 522));

    // Rows 1..10 shown at the pitch for 10 pairs, rows 11..15 hidden.
    for (int p = 1; p <= 15; ++p) {
        const QString nn = QStringLiteral("%1").arg(p, 2, 10, QLatin1Char('0'));
        auto* band = Find<QWidget>(&w, "shpB" + nn);
        auto* home = Find<QLineEdit>(&w, "edtTL" + nn);
        auto* number = Find<QLabel>(&w, "lblBroj" + nn);
        QCOMPARE(!band->isHidden(), p <= 10);
        QCOMPARE(!home->isHidden(), p <= 10);
        QCOMPARE(!Find<QLabel>(&w, Picture(p, 2, false))->isHidden(), p <= 10);
        QVERIFY(Find<QLabel>(&w, Picture(p, 2, true))->isHidden());
        const int y = 30 + (p - 1) * 36;
        QCOMPARE(home->y(), y);
        QCOMPARE(band->y(), y - 1);
        QCOMPARE(number->y(), y + 3);
        QCOMPARE(number->x(), p < 10 ? 30 : 22);
        QCOMPARE(Find<QWidget>(&w, "shpCrtica" + nn)->pos(), QPoint(165, y + 10));
        QCOMPARE(Find<QLabel>(&w, Picture(p, 0, false))->pos(), QPoint(312, y));
        QCOMPARE(Find<QLabel>(&w, Picture(p, 1, true))->pos(), QPoint(332, y));
        QCOMPARE(Find<QLineEdit>(&w, "edtTR" + nn)->x(), 176);
    }
    // No marks: every command disabled.
    QVERIFY(!Find<QPushButton>(&w, "btnFullWheel")->isEnabled());
    QVERIFY(!Find<QPushButton>(&w, "btnMakeConditioned")->isEnabled());
    QVERIFY(!Find<QPushButton>(&w, "btnMakeAbbWheel")->isEnabled());
    // The guarantee captions are composed before any word is known.
    QCOMPARE(Find<QRadioButton>(&w, "rad1")->text(), QStringLiteral("9  10"));
    QVERIFY(Find<QRadioButton>(&w, "rad1")->isChecked());
    QVERIFY(Find<QAction>(&w, "mnuLang01")->isChecked());
}

void TestMainWindow::startUpWithoutSettingsOrGames()
{
    guitest::ProgramFolder pf;
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    // A default game is written and opened; the language defaults to English.
    QCOMPARE(st.GameCount, 1);
    QCOMPARE(w.windowTitle(), QStringLiteral("Ravolin - Pools 13"));
    QVERIFY(pf.Exists("data/Pools13.def"));
    QCOMPARE(st.LanguageName, QStringLiteral("English"));
    QVERIFY(!pf.Exists("ravolin.ini"));
    QVERIFY(Find<QLabel>(&w, Picture(13, 0, false))->isVisibleTo(&w));
    QVERIFY(!Find<QLabel>(&w, Picture(14, 0, false))->isVisibleTo(&w));
    // The settings file appears at the first activation.
    w.FormActivate();
    QCOMPARE(pf.ReadFile("ravolin.ini"),
             guitest::CrLf({"[DO NOT CHANGE THIS FILE]", "[LAST OPENED]", "Pools 13", "[LANGUAGE]",
                            "English"}));
}

void TestMainWindow::clickTogglesAndRecounts()
{
    guitest::ProgramFolder pf;
    pf.AddGame("t", "Ten", 10);
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    guitest::SetEnglishWords(st);
    auto* status = Find<QLabel>(&w, "lblStatus");

    // "2" then "1" on pair 1: column order in Selection.
    Click(w, 1, 2);
    Click(w, 1, 0);
    QCOMPARE(int(st.Selection[1].Count), 2);
    QCOMPARE(int(st.Selection[1].Codes[0]), 1);
    QCOMPARE(int(st.Selection[1].Codes[1]), 2);
    QVERIFY(Find<QLabel>(&w, Picture(1, 0, false))->isHidden());
    QVERIFY(!Find<QLabel>(&w, Picture(1, 0, true))->isHidden());

    // Every other pair a single: the commands are enabled.
    for (int p = 2; p <= 10; ++p) {
        Click(w, p, 1);
    }
    QCOMPARE(status->text(),
             QStringLiteral("Selected: 9 Singles, 1 Doubles, 0 Triples.  Full Wheel: 2 combinations."));
    QVERIFY(Find<QPushButton>(&w, "btnFullWheel")->isEnabled());
    QVERIFY(Find<QPushButton>(&w, "btnMakeConditioned")->isEnabled());
    QVERIFY(Find<QPushButton>(&w, "btnMakeAbbWheel")->isEnabled());

    // Clicking the same outcome twice restores the row; an unmarked pair disables.
    Click(w, 5, 1);
    QCOMPARE(int(st.Selection[5].Count), 0);
    QVERIFY(!Find<QPushButton>(&w, "btnFullWheel")->isEnabled());
    QVERIFY(status->text().endsWith(QStringLiteral("Full Wheel: 0 combinations.")));
    Click(w, 5, 1);
    QCOMPARE(int(st.Selection[5].Count), 1);
    QCOMPARE(int(st.Selection[5].Codes[0]), 0);
    QVERIFY(Find<QPushButton>(&w, "btnFullWheel")->isEnabled());
}

void TestMainWindow::selectAllClearAllAndTheirMenuItems()
{
    guitest::ProgramFolder pf;
    pf.AddGame("f", "Fifteen", 15);
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    guitest::SetEnglishWords(st);
    auto* status = Find<QLabel>(&w, "lblStatus");

    QTest::mouseClick(Find<QPushButton>(&w, "btnSelectAll"), Qt::LeftButton);
    QCOMPARE(status->text(), QStringLiteral("Selected: 0 Singles, 0 Doubles, 15 Triples.  "
                                            "Full Wheel: 14348907 combinations."));
    QTest::mouseClick(Find<QPushButton>(&w, "btnClearAll"), Qt::LeftButton);
    QCOMPARE(status->text(), QStringLiteral("Selected: 0 Singles, 0 Doubles, 0 Triples.  "
                                            "Full Wheel: 0 combinations."));
    QVERIFY(!Find<QPushButton>(&w, "btnFullWheel")->isEnabled());

    Find<QAction>(&w, "mnuSelectAll")->trigger();
    QCOMPARE(CountSelection(st).Product, 14348907);
    Find<QAction>(&w, "mnuClearAll")->trigger();
    QCOMPARE(CountSelection(st).Product, 0);
    for (int p = 1; p <= 15; ++p) {
        QCOMPARE(int(st.Selection[p].Count), 0);
    }
}

void TestMainWindow::relayoutHidesRowsAndClearsMarks()
{
    guitest::ProgramFolder pf;
    pf.AddGame("a", "Fifteen", 15);
    pf.AddGame("b", "Ten", 10);
    pf.WriteSettings("Fifteen", "English");
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    w.SelectAll();
    QCOMPARE(int(st.Selection[15].Count), 3);

    // Another game: rows above its count hidden, every mark cleared.
    st.CurrentGame = 2;
    w.LayoutRows();
    w.Recount();
    for (int p = 1; p <= 15; ++p) {
        for (int o = 0; o < 3; ++o) {
            QVERIFY(!w.IsMarked(p, o));
        }
        QCOMPARE(int(st.Selection[p].Count), 0);
        QCOMPARE(Find<QLabel>(&w, Picture(p, 0, false))->isHidden(), p > 10);
    }
    QCOMPARE(Find<QLineEdit>(&w, "edtTL02")->y(), 30 + 36);
    // Select All now marks ten pairs only.
    w.SelectAll();
    QCOMPARE(CountSelection(st).Triples, 10);
    QCOMPARE(int(st.Selection[11].Count), 0);
}

void TestMainWindow::clearTeamsEmptiesHiddenRowsToo()
{
    guitest::ProgramFolder pf;
    pf.AddGame("b", "Ten", 10);
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    w.ToggleOutcome(3, 1);
    Find<QLineEdit>(&w, "edtTL01")->setText("Home");
    Find<QLineEdit>(&w, "edtTR10")->setText("Away");
    Find<QLineEdit>(&w, "edtTL14")->setText("Hidden");
    QTest::mouseClick(Find<QPushButton>(&w, "btnClearTeams"), Qt::LeftButton);
    for (int p = 1; p <= 15; ++p) {
        const QString nn = QStringLiteral("%1").arg(p, 2, 10, QLatin1Char('0'));
        QVERIFY(Find<QLineEdit>(&w, "edtTL" + nn)->text().isEmpty());
        QVERIFY(Find<QLineEdit>(&w, "edtTR" + nn)->text().isEmpty());
    }
    // Marks are not touched.
    QVERIFY(w.IsMarked(3, 1));
}

void TestMainWindow::ticketFoldersCreatedOnceExistingLeftAlone()
{
    guitest::ProgramFolder pf;
    pf.AddGame("a", "Alpha", 13);
    pf.WriteFile("tickets/12/kept.txt", "ticket bytes\r\n");
    {
        AppState st;
        st.ProgramFolder = pf.Path();
        TfrmMain w(st);
    }
    for (int n = 10; n <= 15; ++n) {
        QVERIFY(QDir(pf.Path() + "tickets/" + QString::number(n)).exists());
    }
    QCOMPARE(pf.ReadFile("tickets/12/kept.txt"), QByteArray("ticket bytes\r\n"));

    // Deleted between runs: made again at the next start, the others untouched.
    QVERIFY(QDir(pf.Path() + "tickets/13").removeRecursively());
    pf.WriteFile("tickets/14/other.txt", "x");
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    QVERIFY(QDir(pf.Path() + "tickets/13").exists());
    QCOMPARE(pf.ReadFile("tickets/14/other.txt"), QByteArray("x"));
    QCOMPARE(pf.ReadFile("tickets/12/kept.txt"), QByteArray("ticket bytes\r\n"));
}

void TestMainWindow::activationWritesTheSettingsFile()
{
    guitest::ProgramFolder pf;
    pf.AddGame("a", "Alpha", 13);
    pf.AddGame("b", "Beta", 14);
    pf.WriteSettings("Beta", "Deutsch");
    pf.WriteFile("languages/Deutsch.lng", guitest::EnglishLanguageFile());
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    pf.WriteFile("ravolin.ini", "stale");

    // The real activation event rewrites the file.
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&w, &activate);
    const QByteArray expected = guitest::CrLf(
        {"[DO NOT CHANGE THIS FILE]", "[LAST OPENED]", "Beta", "[LANGUAGE]", "Deutsch"});
    QCOMPARE(pf.ReadFile("ravolin.ini"), expected);

    // A message box that closed over the main window does not count as a return.
    guitest::MessageRecorder boxes;
    pf.WriteFile("ravolin.ini", "stale");
    rav::ShowMessage(&w, QMessageBox::Information, "Ravolin", "note");
    QApplication::sendEvent(&w, &activate);
    QCOMPARE(pf.ReadFile("ravolin.ini"), QByteArray("stale"));
    // The next return from another window applies again.
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&w, &deactivate);
    QApplication::sendEvent(&w, &activate);
    QCOMPARE(pf.ReadFile("ravolin.ini"), expected);

    // "&" in front of a language name is dropped before it is stored.
    w.ApplyLanguage("&English");
    QCOMPARE(st.LanguageName, QStringLiteral("English"));
    QVERIFY(pf.ReadFile("ravolin.ini").endsWith("[LANGUAGE]\r\nEnglish\r\n"));

    // A settings file that cannot be written is reported, and the old one stays.
    QVERIFY(QFile::remove(pf.Path() + "ravolin.ini"));
    QVERIFY(QDir(pf.Path()).mkdir("ravolin.ini"));
    w.FormActivate();
    QCOMPARE(boxes.Messages.size(), 2);
    QCOMPARE(boxes.Messages.last().Icon, QMessageBox::Critical);
    QCOMPARE(boxes.Messages.last().Caption, QStringLiteral("Ravolin"));
    QCOMPARE(boxes.Messages.last().Text, QStringLiteral("File access denied"));
}

void TestMainWindow::menusAndShortcuts()
{
    guitest::ProgramFolder pf;
    pf.AddGame("a", "Alpha", 13);
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);

    struct Item {
        const char* name;
        const char* caption;
        QKeySequence key;
    };
    const Item items[] = {
        {"mnuTickets", "Tickets", QKeySequence(Qt::Key_F2)},
        {"mnuNewGame", "New Game", QKeySequence(Qt::CTRL | Qt::Key_N)},
        {"mnuOpenGame", "Open Game", QKeySequence(Qt::CTRL | Qt::Key_O)},
        {"mnuExit", "E&xit", QKeySequence()},
        {"mnuSelectAll", "Select All ", QKeySequence(Qt::CTRL | Qt::Key_A)},
        {"mnuClearAll", "Clear All", QKeySequence(Qt::CTRL | Qt::Key_D)},
        {"mnuContents", "Contents", QKeySequence(Qt::Key_F1)},
        {"mnuAbout", "About", QKeySequence()},
    };
    for (const Item& i : items) {
        auto* a = Find<QAction>(&w, i.name);
        QCOMPARE(a->text(), QLatin1String(i.caption));
        QCOMPARE(a->shortcut(), i.key);
    }
    // The File menu's separators stand after "Tickets" and after "Open Game".
    auto* file = Find<QMenu>(&w, "mnuFile");
    QCOMPARE(file->title(), QStringLiteral("&File"));
    const QList<QAction*> actions = file->actions();
    QCOMPARE(actions.size(), 6);
    QVERIFY(actions[1]->isSeparator());
    QVERIFY(actions[4]->isSeparator());
    QCOMPARE(Find<QMenu>(&w, "mnuSelection")->title(), QStringLiteral("Selection"));
    QCOMPARE(Find<QMenu>(&w, "mnuLanguage")->title(), QStringLiteral("Language"));
    QCOMPARE(Find<QMenu>(&w, "mnuHelp")->title(), QStringLiteral("&Help"));

    // Ten language places; only the first is visible until the list fills them.
    QCOMPARE(Find<QAction>(&w, "mnuLang01")->text(), QStringLiteral("English"));
    for (int k = 2; k <= 10; ++k) {
        QVERIFY(!Find<QAction>(&w, QStringLiteral("mnuLang%1").arg(k, 2, 10, QLatin1Char('0')))
                     ->isVisible());
    }

    // Ctrl+A from the keyboard marks every pair.
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    w.activateWindow();
    QTest::keyClick(&w, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(CountSelection(st).Triples, 13);
    QTest::keyClick(&w, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(CountSelection(st).Triples, 0);
}

void TestMainWindow::panelsSwitch()
{
    guitest::ProgramFolder pf;
    pf.AddGame("a", "Alpha", 13);
    AppState st;
    st.ProgramFolder = pf.Path();
    TfrmMain w(st);
    auto* stack = Find<QStackedWidget>(&w, "panels");
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pnlMain"));
    QTest::mouseClick(Find<QPushButton>(&w, "btnCondWheels"), Qt::LeftButton);
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pnlConditions"));
    QTest::mouseClick(Find<QPushButton>(&w, "btnMenu01"), Qt::LeftButton);
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pnlMain"));
    QTest::mouseClick(Find<QPushButton>(&w, "btnAbbWheel"), Qt::LeftButton);
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pnlAbb"));
    QTest::mouseClick(Find<QPushButton>(&w, "btnMenu02"), Qt::LeftButton);
    QCOMPARE(stack->currentWidget()->objectName(), QStringLiteral("pnlMain"));
    // The bound boxes hold their initial texts and take two characters.
    QCOMPARE(Find<QLineEdit>(&w, "edtMax1")->text(), QStringLiteral("7"));
    QCOMPARE(Find<QLineEdit>(&w, "edtMaxX")->text(), QStringLiteral("5"));
    QCOMPARE(Find<QLineEdit>(&w, "edtMax2")->text(), QStringLiteral("3"));
    QCOMPARE(Find<QLineEdit>(&w, "edtMinX")->text(), QStringLiteral("0"));
    QCOMPARE(Find<QLineEdit>(&w, "edtMin2")->maxLength(), 2);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
