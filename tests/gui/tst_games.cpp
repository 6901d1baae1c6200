// The New Game and Open Game dialogs: the game file written and the table
// reloaded with the open game kept; the Open list built from the folder and
// sorted; opening a game and what it resets; the settings written in any case.
#include "guitest_language.h"

#include "games/uniGameList.h"
#include "games/uniNewGame.h"
#include "games/uniOpen.h"
#include "mainwindow/uniMessages.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

using namespace rav;
using guitest::Find;
using langtest::MainFixture;

namespace {

QStringList Rows(QListWidget* list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i) {
        rows << list->item(i)->text();
    }
    return rows;
}

bool RowShown(TfrmMain& w, int pair)
{
    return !Find<QLabel>(&w, QStringLiteral("lblBroj%1").arg(pair, 2, 10, QLatin1Char('0')))
                ->isHidden();
}

QStringList DataFiles(const guitest::ProgramFolder& pf)
{
    return QDir(pf.Path() + "data").entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestGames : public QObject {
    Q_OBJECT
private slots:
    void newGameLayout();
    void newGameWritesTheFileAndKeepsTheOpenGame();
    void newGameWithoutLettersOrDigitsDoesNothing();
    void newGameCancelWritesNothing();
    void newGameReplacingTheOpenGamesFile();
    void openListIsSortedAndBuiltFromTheFolder();
    void openTenPairsAfterFifteen();
    void openingTheOpenGameClearsTheMarks();
    void twoGamesWithOneName();
    void openWithoutASelectionStillWritesTheSettings();
    void gameAddedWhileRunningCanBeOpened();
    void openListHoldsTwoHundredGames();
    void menuEntriesShowTheDialogsModally();
};

void TestGames::newGameLayout()
{
    MainFixture f({ { "a", "Alpha", 13 } }, "Alpha", "English");
    f.Start();
    TfrmNewGame* d = f.Forms().frmNewGame;
    QCOMPARE(d->parentWidget(), f.main.get());
    QCOMPARE(d->windowTitle(), QStringLiteral("New Game"));
    QCOMPARE(d->size(), QSize(403, 128));
    QCOMPARE(Find<QLabel>(d, "lblName")->text(), QStringLiteral("Name:"));
    QCOMPARE(Find<QLabel>(d, "lblPairs")->text(), QStringLiteral("Pairs:"));
    QCOMPARE(Find<QLineEdit>(d, "txtName")->maxLength(), 30);
    QVERIFY(Find<QLineEdit>(d, "txtName")->text().isEmpty());
    auto* pairs = Find<QComboBox>(d, "cmbPairs");
    QVERIFY(!pairs->isEditable());
    QCOMPARE(pairs->count(), 6);
    QCOMPARE(pairs->itemText(0), QStringLiteral("10"));
    QCOMPARE(pairs->itemText(5), QStringLiteral("15"));
    QCOMPARE(pairs->currentText(), QStringLiteral("11"));
    QCOMPARE(Find<QPushButton>(d, "btnOK")->text(), QStringLiteral("OK"));
    QCOMPARE(Find<QPushButton>(d, "btnCancel")->text(), QStringLiteral("Cancel"));

    TfrmOpen* o = f.Forms().frmOpen;
    QCOMPARE(o->windowTitle(), QStringLiteral("Open Game"));
    QCOMPARE(o->size(), QSize(337, 354));
    QCOMPARE(Find<QPushButton>(o, "btnOpen")->text(), QStringLiteral("Open"));
    QCOMPARE(Find<QPushButton>(o, "btncancel")->text(), QStringLiteral("Cancel"));
    QVERIFY(Find<QListWidget>(o, "lstLutrije") != nullptr);
}

void TestGames::newGameWritesTheFileAndKeepsTheOpenGame()
{
    MainFixture f(
        { { "Sundaypools", "Sunday pools", 13 }, { "b", "Beta", 12 } }, "Sunday pools", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    f.main->ToggleOutcome(1, 0);
    f.main->ToggleOutcome(2, 1);
    const int before = f.st->CurrentGame;
    QCOMPARE(f.st->Games[before].Name, QStringLiteral("Sunday pools"));

    TfrmNewGame* d = f.Forms().frmNewGame;
    d->show();
    Find<QLineEdit>(d, "txtName")->setText(QStringLiteral("My game #1"));
    Find<QComboBox>(d, "cmbPairs")->setCurrentIndex(4);
    QTest::mouseClick(Find<QPushButton>(d, "btnOK"), Qt::LeftButton);

    QCOMPARE(f.folder.ReadFile("data/Mygame1.def"),
        guitest::CrLf({ "[DO NOT CHANGE THIS FILE]", "My game #1", "14", "10" }));
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Accepted));
    // The table is read again: the new game is in it, the open game is kept by
    // name although its place in the table moved.
    QCOMPARE(f.st->GameCount, 3);
    QCOMPARE(f.st->Games[f.st->CurrentGame].Name, QStringLiteral("Sunday pools"));
    QVERIFY(f.st->CurrentGame != before);
    QCOMPARE(f.st->CurrentPairs(), 13);
    QVERIFY(f.main->IsMarked(1, 0));
    QVERIFY(f.main->IsMarked(2, 1));
    QCOMPARE(f.main->windowTitle(), QStringLiteral("Ravolin - Sunday pools"));
    QVERIFY(boxes.Messages.isEmpty());

    // The dialog keeps the last name and pair count for its next use.
    QCOMPARE(Find<QLineEdit>(d, "txtName")->text(), QStringLiteral("My game #1"));
    QCOMPARE(Find<QComboBox>(d, "cmbPairs")->currentText(), QStringLiteral("14"));
}

void TestGames::newGameWithoutLettersOrDigitsDoesNothing()
{
    MainFixture f({ { "a", "Alpha", 13 } }, "Alpha", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    TfrmNewGame* d = f.Forms().frmNewGame;
    d->setResult(QDialog::Rejected);
    d->show();
    for (const QString& name : { QStringLiteral("    "), QStringLiteral("---"), QString() }) {
        Find<QLineEdit>(d, "txtName")->setText(name);
        d->btnOKClick();
        QVERIFY(d->isVisible());
        QCOMPARE(d->result(), int(QDialog::Rejected));
    }
    QCOMPARE(DataFiles(f.folder), QStringList({ "a.def" }));
    QCOMPARE(f.st->GameCount, 1);
    QVERIFY(boxes.Messages.isEmpty());
    d->hide();
}

void TestGames::newGameCancelWritesNothing()
{
    MainFixture f({ { "a", "Alpha", 13 } }, "Alpha", "English");
    f.Start();
    TfrmNewGame* d = f.Forms().frmNewGame;
    d->show();
    Find<QLineEdit>(d, "txtName")->setText(QStringLiteral("Gamma"));
    QTest::mouseClick(Find<QPushButton>(d, "btnCancel"), Qt::LeftButton);
    QVERIFY(!d->isVisible());
    QCOMPARE(d->result(), int(QDialog::Rejected));
    QCOMPARE(DataFiles(f.folder), QStringList({ "a.def" }));
}

void TestGames::newGameReplacingTheOpenGamesFile()
{
    // The same name writes the same file: the open game now has 10 pairs, and
    // the coupon follows it instead of showing 13 rows of a 10-pair game.
    MainFixture f({ { "Sundaypools", "Sunday pools", 13 } }, "Sunday pools", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    f.main->SelectAll();
    TfrmNewGame* d = f.Forms().frmNewGame;
    Find<QLineEdit>(d, "txtName")->setText(QStringLiteral("Sunday pools"));
    Find<QComboBox>(d, "cmbPairs")->setCurrentIndex(0);
    d->btnOKClick();
    QCOMPARE(f.st->GameCount, 1);
    QCOMPARE(f.st->CurrentPairs(), 10);
    QVERIFY(RowShown(*f.main, 10));
    QVERIFY(!RowShown(*f.main, 11));
    QCOMPARE(CountSelection(*f.st).Triples, 0);
    QVERIFY(!f.main->IsMarked(1, 0));
    QVERIFY(boxes.Messages.isEmpty());
}

void TestGames::openListIsSortedAndBuiltFromTheFolder()
{
    MainFixture f({ { "g1", "beta", 13 }, { "g2", "Gamma", 12 }, { "g3", "alpha", 10 },
                      { "g4", "Alpha", 11 } },
        "beta", "English");
    f.folder.WriteFile(
        "data/broken.def", guitest::CrLf({ "[DO NOT CHANGE THIS FILE]", "Broken", "many", "10" }));
    f.Start();
    TfrmOpen* o = f.Forms().frmOpen;
    auto* list = Find<QListWidget>(o, "lstLutrije");
    o->FormActivate();
    QCOMPARE(Rows(list), QStringList({ "Alpha", "alpha", "beta", "Gamma" }));
    QCOMPARE(list->currentRow(), 0);
    QVERIFY(list->item(0)->isSelected());

    // Rebuilt at every activation, from the folder.
    QVERIFY(QFile::remove(f.folder.Path() + "data/g2.def"));
    f.folder.AddGame("g5", "Delta", 14);
    list->setCurrentRow(2);
    o->FormActivate();
    QCOMPARE(Rows(list), QStringList({ "Alpha", "alpha", "beta", "Delta" }));
    QCOMPARE(list->currentRow(), 0);

    // An empty folder leaves an empty list with nothing selected.
    for (const QString& file : DataFiles(f.folder)) {
        QFile::remove(f.folder.Path() + "data/" + file);
    }
    o->FormActivate();
    QCOMPARE(list->count(), 0);
    QVERIFY(list->selectedItems().isEmpty());
}

void TestGames::openTenPairsAfterFifteen()
{
    MainFixture f({ { "fifteen", "Fifteen", 15 }, { "ten", "Ten", 10 } }, "Fifteen", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    f.Activate();
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad1")->text(), QStringLiteral("14 of 15"));
    f.main->SelectAll();
    QVERIFY(RowShown(*f.main, 15));

    TfrmOpen* o = f.Forms().frmOpen;
    o->show();
    o->FormActivate();
    auto* list = Find<QListWidget>(o, "lstLutrije");
    list->setCurrentRow(Rows(list).indexOf("Ten"));
    QTest::mouseClick(Find<QPushButton>(o, "btnOpen"), Qt::LeftButton);

    QVERIFY(!o->isVisible());
    QCOMPARE(o->result(), int(QDialog::Accepted));
    QCOMPARE(f.st->Games[f.st->CurrentGame].Name, QStringLiteral("Ten"));
    QCOMPARE(f.main->windowTitle(), QStringLiteral("Ravolin - Ten"));
    for (int p = 1; p <= 15; ++p) {
        QCOMPARE(RowShown(*f.main, p), p <= 10);
    }
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad1")->text(), QStringLiteral("9 of 10"));
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad2")->text(), QStringLiteral("8 of 10"));
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad3")->text(), QStringLiteral("7 of 10"));
    QCOMPARE(CountSelection(*f.st).Triples, 0);
    QCOMPARE(f.folder.ReadFile("ravolin.ini"),
        guitest::CrLf(
            { "[DO NOT CHANGE THIS FILE]", "[LAST OPENED]", "Ten", "[LANGUAGE]", "English" }));
    QVERIFY(boxes.Messages.isEmpty());
}

void TestGames::openingTheOpenGameClearsTheMarks()
{
    MainFixture f({ { "a", "Alpha", 12 } }, "Alpha", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    f.Activate();
    f.main->SelectAll();
    QVERIFY(Find<QPushButton>(f.main.get(), "btnFullWheel")->isEnabled());
    Find<QLineEdit>(f.main.get(), "edtTL01")->setText(QStringLiteral("Home"));
    TfrmOpen* o = f.Forms().frmOpen;
    o->FormActivate();
    o->btnOpenClick();
    QCOMPARE(CountSelection(*f.st).Triples, 0);
    QVERIFY(!f.main->IsMarked(3, 2));
    QVERIFY(!Find<QPushButton>(f.main.get(), "btnFullWheel")->isEnabled());
    QCOMPARE(Find<QLabel>(f.main.get(), "lblStatus")->text(),
        QStringLiteral("Selected: 0 Singles, 0 Doubles, 0 Triples.  Full Wheel: 0 combinations."));
    // Team names are a notepad: opening a game leaves them.
    QCOMPARE(Find<QLineEdit>(f.main.get(), "edtTL01")->text(), QStringLiteral("Home"));
}

void TestGames::twoGamesWithOneName()
{
    MainFixture f(
        { { "a", "Same", 12 }, { "b", "Same", 14 }, { "c", "Other", 10 } }, "Other", "English");
    for (int row : { 1, 2 }) {
        f.Start();
        TfrmOpen* o = f.Forms().frmOpen;
        auto* list = Find<QListWidget>(o, "lstLutrije");
        o->FormActivate();
        QCOMPARE(Rows(list), QStringList({ "Other", "Same", "Same" }));
        list->setCurrentRow(row);
        o->btnOpenClick();
        // Either row opens the later game of that name in the table.
        QCOMPARE(f.st->CurrentGame, 2);
        QCOMPARE(f.st->CurrentPairs(), 14);
        QVERIFY(RowShown(*f.main, 14));
        QVERIFY(!RowShown(*f.main, 15));
    }
}

void TestGames::openWithoutASelectionStillWritesTheSettings()
{
    MainFixture f({ { "a", "Alpha", 13 }, { "b", "Beta", 11 } }, "Beta", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    f.Activate();
    f.main->ToggleOutcome(1, 0);
    TfrmOpen* o = f.Forms().frmOpen;
    o->show();
    o->FormActivate();
    auto* list = Find<QListWidget>(o, "lstLutrije");
    list->clearSelection();
    f.folder.WriteFile("ravolin.ini", "stale");
    Find<QRadioButton>(f.main.get(), "rad1")->setText(QStringLiteral("stale"));
    o->btnOpenClick();
    QVERIFY(o->isVisible());
    QCOMPARE(f.folder.ReadFile("ravolin.ini"),
        guitest::CrLf(
            { "[DO NOT CHANGE THIS FILE]", "[LAST OPENED]", "Beta", "[LANGUAGE]", "English" }));
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad1")->text(), QStringLiteral("10 of 11"));
    QVERIFY(f.main->IsMarked(1, 0));

    // Cancel closes it and changes nothing.
    f.folder.WriteFile("ravolin.ini", "stale");
    QTest::mouseClick(Find<QPushButton>(o, "btncancel"), Qt::LeftButton);
    QVERIFY(!o->isVisible());
    QCOMPARE(f.folder.ReadFile("ravolin.ini"), QByteArray("stale"));
    QVERIFY(f.main->IsMarked(1, 0));
    QVERIFY(boxes.Messages.isEmpty());
}

void TestGames::gameAddedWhileRunningCanBeOpened()
{
    MainFixture f({ { "b", "Beta", 13 } }, "Beta", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    QCOMPARE(f.st->GameCount, 1);
    // Written by other means after the game table was loaded; it sorts first.
    f.folder.AddGame("a", "Late", 11);
    TfrmOpen* o = f.Forms().frmOpen;
    o->FormActivate();
    auto* list = Find<QListWidget>(o, "lstLutrije");
    QCOMPARE(Rows(list), QStringList({ "Beta", "Late" }));
    list->setCurrentRow(1);
    o->btnOpenClick();
    QCOMPARE(f.st->GameCount, 2);
    QCOMPARE(f.st->Games[f.st->CurrentGame].Name, QStringLiteral("Late"));
    QCOMPARE(f.st->CurrentPairs(), 11);
    QVERIFY(RowShown(*f.main, 11));
    QVERIFY(!RowShown(*f.main, 12));
    QCOMPARE(f.main->windowTitle(), QStringLiteral("Ravolin - Late"));
    QVERIFY(f.folder.ReadFile("ravolin.ini").contains("\r\nLate\r\n"));

    // A game whose file went away after the list was built is not opened; the
    // list is read again and the open game stays.
    o->FormActivate();
    list->setCurrentRow(0); // Beta
    QVERIFY(QFile::remove(f.folder.Path() + "data/b.def"));
    o->btnOpenClick();
    QCOMPARE(f.st->Games[f.st->CurrentGame].Name, QStringLiteral("Late"));
    QCOMPARE(Rows(list), QStringList({ "Late" }));
    QVERIFY(boxes.Messages.isEmpty());
}

void TestGames::openListHoldsTwoHundredGames()
{
    MainFixture f({}, "", "English");
    for (int i = 0; i < 205; ++i) {
        f.folder.AddGame(QStringLiteral("g%1").arg(i, 3, 10, QLatin1Char('0')),
            QStringLiteral("Game %1").arg(i, 3, 10, QLatin1Char('0')), 13);
    }
    f.Start();
    QCOMPARE(f.st->GameCount, 100);
    TfrmOpen* o = f.Forms().frmOpen;
    o->FormActivate();
    auto* list = Find<QListWidget>(o, "lstLutrije");
    QCOMPARE(list->count(), 200);
    QCOMPARE(list->item(199)->text(), QStringLiteral("Game 199"));
}

void TestGames::menuEntriesShowTheDialogsModally()
{
    MainFixture f({ { "a", "Alpha", 13 }, { "b", "Beta", 10 } }, "Alpha", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));

    QWidget* seen = nullptr;
    int rows = -1;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget();
        // The list is filled when the dialog becomes the active window.
        auto* list = Find<QListWidget>(f.Forms().frmOpen, "lstLutrije");
        (void)QTest::qWaitFor([&] { return list->count() > 0; }, 3000);
        rows = list->count();
        Find<QPushButton>(f.Forms().frmOpen, "btncancel")->click();
    });
    Find<QAction>(f.main.get(), "mnuOpenGame")->trigger();
    QCOMPARE(seen, static_cast<QWidget*>(f.Forms().frmOpen));
    QCOMPARE(rows, 2);

    seen = nullptr;
    QTimer::singleShot(0, [&] {
        seen = QApplication::activeModalWidget();
        Find<QPushButton>(f.Forms().frmNewGame, "btnCancel")->click();
    });
    Find<QAction>(f.main.get(), "mnuNewGame")->trigger();
    QCOMPARE(seen, static_cast<QWidget*>(f.Forms().frmNewGame));
    QVERIFY(boxes.Messages.isEmpty());
    f.main->hide();
}

QTEST_MAIN(TestGames)
#include "tst_games.moc"
