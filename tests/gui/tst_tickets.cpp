// The ticket windows: saving a ticket, the tickets browser with its pages and
// result row, deleting, and the check of winnings.
#include "guitest_tickets.h"

#include "mainwindow/uniMessages.h"
#include "model/uniIO.h"
#include "tickets/uniCheckW.h"
#include "tickets/uniLines.h"
#include "tickets/uniNewTicket.h"
#include "tickets/uniTicketWidgets.h"
#include "tickets/uniTickets.h"

#include <QAction>
#include <QComboBox>
#include <QCursor>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace rav;
using guitest::Find;
using ticketgui::Fixture;
using ticketgui::ModalWatch;

namespace {

QByteArray Header(const char* description)
{
    return ProductLine() + "\r\n" + description + "\r\n";
}

const QByteArray kThreeCombinations = Header("Full Wheel (3 combinations)")
    + "1: 1-1-1-1-1-1-1-1-1-1\r\n"
      "2: X-1-1-1-1-1-1-1-1-1\r\n"
      "3: X-X-1-1-1-1-1-1-1-1\r\n";

// Lines from..to (from 1) of a file, as text.
QStringList FileLines(const QString& path, qsizetype from, qsizetype to)
{
    QStringList out;
    const QList<QByteArray> all = ReadTextLines(path);
    for (qsizetype k = from; k <= to && k <= all.size(); ++k) {
        out.append(QString::fromLatin1(all[k - 1]));
    }
    return out;
}

struct Paging {
    bool start, back, forward, forwardEnd;
};

Paging PagingOf(TfrmTickets* w)
{
    return { Find<QPushButton>(w, "btnStart")->isEnabled(),
        Find<QPushButton>(w, "btnBack")->isEnabled(),
        Find<QPushButton>(w, "btnForward")->isEnabled(),
        Find<QPushButton>(w, "btnForwardEnd")->isEnabled() };
}

#define COMPARE_PAGING(w, s, b, f, e)                                                              \
    do {                                                                                           \
        const Paging p_ = PagingOf(w);                                                             \
        QCOMPARE(p_.start, s);                                                                     \
        QCOMPARE(p_.back, b);                                                                      \
        QCOMPARE(p_.forward, f);                                                                   \
        QCOMPARE(p_.forwardEnd, e);                                                                \
    } while (false)

} // namespace

class TestTickets : public QObject {
    Q_OBJECT
private slots:
    void newTicketWindowAndSave();
    void newTicketRefusesNamesAndKeepsTheDialogOpen();
    void viewerSaveButtonOpensTheDialog();
    void browserListsTheFolderOfTheOpenGame();
    void browserWithoutTickets();
    void browserPagesA25000Ticket();
    void browserPagesAreWholeForSmallTickets();
    void deleteWithoutQuestionAndClearAfterTheLast();
    void missingTicketFileIsReported();
    void checkWinningsShowsTheHitTable();
    void checkWinningsWithoutSelectionOrFile();
    void ticketsMenuOpensTheBrowserModally();
    void waitCursorOnlyForLongWork();
};

void TestTickets::newTicketWindowAndSave()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    TfrmNewTicket* dlg = fx.forms().frmNewTicket;
    QVERIFY(dlg != nullptr);
    QCOMPARE(dlg->windowTitle(), QStringLiteral("New Ticket"));
    QCOMPARE(dlg->size(), QSize(313, 102));
    QCOMPARE(Find<QLineEdit>(dlg, "txtTicketName")->geometry(), QRect(16, 32, 281, 24));
    QCOMPARE(Find<QPushButton>(dlg, "btnSave")->geometry(), QRect(16, 64, 97, 25));
    QCOMPARE(Find<QPushButton>(dlg, "btnCancel")->geometry(), QRect(200, 64, 97, 25));
    QCOMPARE(Find<QLabel>(dlg, "lblEnterName")->text(), QStringLiteral("Enter ticket name"));

    fx.LayFullWheel(6);
    fx.forms().frmLines->SetDescription(QStringLiteral("Full Wheel (729 combinations)"));
    auto* name = Find<QLineEdit>(dlg, "txtTicketName");

    // An empty name does nothing at all.
    dlg->setResult(QDialog::Rejected);
    dlg->btnSaveClick();
    QVERIFY(boxes.Messages.isEmpty());
    QCOMPARE(QDir(fx.st->ProgramFolder + QStringLiteral("tickets/10")).entryList(QDir::Files),
        QStringList());

    name->setText(QStringLiteral("week 1"));
    dlg->btnSaveClick();
    const QByteArray bytes = fx.folder.ReadFile(QStringLiteral("tickets/10/week 1.txt"));
    QVERIFY(
        bytes.startsWith(Header("Full Wheel (729 combinations)") + "  1: 1-1-1-1-1-1-1-1-1-1\r\n"));
    QVERIFY(bytes.endsWith("\r\n729: 2-2-2-2-2-2-1-1-1-1\r\n"));
    QCOMPARE(bytes.count('\n'), 731);
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Icon, QMessageBox::Question);
    QCOMPARE(boxes.Messages[0].Caption, QStringLiteral("Confirm"));
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("Ticket Saved"));
    QCOMPARE(dlg->result(), int(QDialog::Accepted));
    // The name stays for the next showing.
    QCOMPARE(name->text(), QStringLiteral("week 1"));
}

void TestTickets::newTicketRefusesNamesAndKeepsTheDialogOpen()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    fx.LayFullWheel(2);
    TfrmNewTicket* dlg = fx.forms().frmNewTicket;
    auto* name = Find<QLineEdit>(dlg, "txtTicketName");
    fx.folder.WriteFile(QStringLiteral("wheels/kept.txt"), "wheel\r\n");
    for (const QString& bad : { QStringLiteral("../../wheels/kept"), QStringLiteral(".."),
             QStringLiteral("a\\b"), QStringLiteral("tab\tname") }) {
        boxes.Messages.clear();
        dlg->setResult(QDialog::Rejected);
        name->setText(bad);
        dlg->btnSaveClick();
        QCOMPARE(boxes.Messages.size(), 1);
        QCOMPARE(boxes.Messages[0].Icon, QMessageBox::Critical);
        QCOMPARE(boxes.Messages[0].Caption, QStringLiteral("Ravolin"));
        QCOMPARE(boxes.Messages[0].Text, QStringLiteral("Invalid filename"));
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
    }
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("wheels/kept.txt")), QByteArray("wheel\r\n"));
    QCOMPARE(QDir(fx.st->ProgramFolder + QStringLiteral("tickets/10"))
                 .entryList(QDir::Files | QDir::Hidden),
        QStringList());
}

void TestTickets::viewerSaveButtonOpensTheDialog()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    fx.LayFullWheel(1);
    fx.forms().frmLines->SetDescription(QStringLiteral("Full Wheel (3 combinations)"));
    TfrmNewTicket* dlg = fx.forms().frmNewTicket;
    ModalWatch watch(dlg, [dlg] {
        Find<QLineEdit>(dlg, "txtTicketName")->setText(QStringLiteral("from viewer"));
        Find<QPushButton>(dlg, "btnSave")->click();
    });
    fx.forms().frmLines->SaveButton()->click();
    QVERIFY(watch.Seen());
    QVERIFY(!watch.TimedOut());
    QVERIFY(!dlg->isVisible());
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("tickets/10/from viewer.txt")),
        Header("Full Wheel (3 combinations)") + "1: 1-1-1-1-1-1-1-1-1-1\r\n"
            + "2: X-1-1-1-1-1-1-1-1-1\r\n" + "3: 2-1-1-1-1-1-1-1-1-1\r\n");
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("Ticket Saved"));
}

void TestTickets::browserListsTheFolderOfTheOpenGame()
{
    Fixture fx({ { "Ten", 10 }, { "Twelve", 12 } });
    guitest::MessageRecorder boxes;
    TfrmTickets* w = fx.forms().frmTickets;
    QCOMPARE(w->windowTitle(), QStringLiteral("Tickets"));
    QCOMPARE(w->size(), QSize(634, 457));

    fx.WriteTicket(QStringLiteral("b.txt"), Header("B") + "1: 1\r\n");
    fx.WriteTicket(QStringLiteral("A.txt"), Header("A") + "1: X\r\n");
    fx.WriteTicket(QStringLiteral("c.TXT"), Header("C") + "1: 2\r\n");
    fx.WriteTicket(QStringLiteral("a-b.txt"), Header("AB") + "1: 2\r\n");
    fx.WriteTicket(QStringLiteral("notes.dat"), "not a ticket\r\n");
    fx.folder.WriteFile(QStringLiteral("tickets/12/twelve.txt"), Header("T") + "1: 1\r\n");

    w->FormActivate();
    QCOMPARE(w->TicketNames(), (QStringList{ "A", "a-b", "b", "c" }));
    auto* list = Find<QListWidget>(w, "lstTickets");
    QCOMPARE(list->currentRow(), 0);
    QCOMPARE(w->Lines(), (QStringList{ QString::fromLatin1(ProductLine()), "A", "1: X" }));

    // Picking with the keyboard shows that ticket, whatever the case of its extension.
    list->setCurrentRow(3);
    QCOMPARE(w->Lines().last(), QStringLiteral("1: 2"));
    QCOMPARE(w->Lines()[1], QStringLiteral("C"));
    QVERIFY(boxes.Messages.isEmpty());

    // The result row of a 10-pair game.
    for (int i = 1; i <= 15; ++i) {
        const QString nn = QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
        auto* cmb = Find<QComboBox>(w, "cmb" + nn);
        auto* label = Find<QLabel>(w, "lblN" + nn);
        QCOMPARE(!cmb->isHidden(), i <= 10);
        QCOMPARE(!label->isHidden(), i <= 10);
        QCOMPARE(cmb->y(), 30 * (i - 1) + 25 + 8);
        QCOMPARE(cmb->x(), 24);
        QCOMPARE(label->y(), cmb->y() + 4);
        QCOMPARE(label->x(), i <= 9 ? 12 : 4);
        QCOMPARE(label->text(), QString::number(i));
        QCOMPARE(cmb->count(), 3);
        QCOMPARE(cmb->itemText(1), QStringLiteral("X"));
    }

    // Another game with another number of pairs sees its own folder.
    fx.st->CurrentGame = 2;
    w->FormActivate();
    QCOMPARE(w->TicketNames(), QStringList{ "twelve" });
    QVERIFY(!Find<QComboBox>(w, "cmb12")->isHidden());
    QVERIFY(Find<QComboBox>(w, "cmb13")->isHidden());
    QCOMPARE(Find<QComboBox>(w, "cmb01")->y(), 25 + 6);
}

void TestTickets::browserWithoutTickets()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    TfrmTickets* w = fx.forms().frmTickets;
    w->FormActivate();
    QVERIFY(w->TicketNames().isEmpty());
    QVERIFY(w->Lines().isEmpty());
    COMPARE_PAGING(w, false, false, false, false);
    // The paging handlers have nothing to act on.
    w->btnForwardClick();
    w->btnBackClick();
    w->btnForwardEndClick();
    w->btnStartClick();
    w->btnDeleteClick();
    QVERIFY(w->Lines().isEmpty());
    QVERIFY(boxes.Messages.isEmpty());
}

void TestTickets::browserPagesA25000Ticket()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    const QString path = fx.SaveNumbered(QStringLiteral("large"), 25000);
    TfrmTickets* w = fx.forms().frmTickets;
    w->FormActivate();
    QCOMPARE(w->Lines(), FileLines(path, 1, 10002));
    COMPARE_PAGING(w, false, false, true, true);

    Find<QPushButton>(w, "btnForward")->click();
    QCOMPARE(w->Lines(), FileLines(path, 10003, 20002));
    COMPARE_PAGING(w, true, true, true, true);
    w->btnForwardClick();
    QCOMPARE(w->Lines(), FileLines(path, 20003, 25002));
    COMPARE_PAGING(w, true, true, false, false);

    w->btnBackClick();
    QCOMPARE(w->Lines(), FileLines(path, 10003, 20002));
    COMPARE_PAGING(w, true, true, true, true);
    w->btnBackClick();
    QCOMPARE(w->Lines(), FileLines(path, 3, 10002));
    COMPARE_PAGING(w, true, true, true, true);
    w->btnBackClick();
    QCOMPARE(w->Lines(), FileLines(path, 1, 2));
    COMPARE_PAGING(w, true, false, true, true);

    Find<QPushButton>(w, "btnStart")->click();
    QCOMPARE(w->Lines(), FileLines(path, 1, 10002));
    w->btnForwardEndClick();
    QCOMPARE(w->Lines(), FileLines(path, 15003, 25002));
    COMPARE_PAGING(w, true, true, false, false);
    w->btnBackClick();
    QCOMPARE(w->Lines(), FileLines(path, 5003, 15002));
    QVERIFY(boxes.Messages.isEmpty());
}

void TestTickets::browserPagesAreWholeForSmallTickets()
{
    Fixture fx;
    const QString small = fx.SaveNumbered(QStringLiteral("a729"), 729);
    TfrmTickets* w = fx.forms().frmTickets;
    w->FormActivate();
    QCOMPARE(w->Lines().size(), 731);
    QCOMPARE(w->Lines(), FileLines(small, 1, 731));
    COMPARE_PAGING(w, false, false, false, false);

    // A ticket of exactly 10000 combinations ends with its first page.
    const QString exact = fx.SaveNumbered(QStringLiteral("b10000"), 10000);
    w->FormActivate();
    QCOMPARE(w->TicketNames(), (QStringList{ "a729", "b10000" }));
    Find<QListWidget>(w, "lstTickets")->setCurrentRow(1);
    QCOMPARE(w->Lines(), FileLines(exact, 1, 10002));
    COMPARE_PAGING(w, false, false, false, false);
}

void TestTickets::deleteWithoutQuestionAndClearAfterTheLast()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    fx.WriteTicket(QStringLiteral("one.txt"), Header("One") + "1: 1\r\n");
    fx.WriteTicket(QStringLiteral("two.txt"), Header("Two") + "1: X\r\n");
    TfrmTickets* w = fx.forms().frmTickets;
    w->FormActivate();
    Find<QListWidget>(w, "lstTickets")->setCurrentRow(1);
    QCOMPARE(w->Lines()[1], QStringLiteral("Two"));

    Find<QPushButton>(w, "btnDelete")->click();
    QVERIFY(!fx.folder.Exists(QStringLiteral("tickets/10/two.txt")));
    QVERIFY(fx.folder.Exists(QStringLiteral("tickets/10/one.txt")));
    QCOMPARE(w->TicketNames(), QStringList{ "one" });
    QCOMPARE(w->Lines()[1], QStringLiteral("One"));

    w->btnDeleteClick();
    QVERIFY(!fx.folder.Exists(QStringLiteral("tickets/10/one.txt")));
    QVERIFY(w->TicketNames().isEmpty());
    QVERIFY(w->Lines().isEmpty());
    COMPARE_PAGING(w, false, false, false, false);
    QVERIFY(boxes.Messages.isEmpty());
}

void TestTickets::missingTicketFileIsReported()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    fx.WriteTicket(QStringLiteral("gone.txt"), kThreeCombinations);
    fx.WriteTicket(QStringLiteral("here.txt"), kThreeCombinations);
    TfrmTickets* w = fx.forms().frmTickets;
    w->FormActivate();
    QVERIFY(QFile::remove(fx.folder.Path() + QStringLiteral("tickets/10/gone.txt")));
    w->btnStartClick();
    QVERIFY(w->Lines().isEmpty());
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Caption, QStringLiteral("Ravolin"));
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("File not found"));
}

void TestTickets::checkWinningsShowsTheHitTable()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    fx.WriteTicket(QStringLiteral("three.txt"), kThreeCombinations);
    TfrmTickets* w = fx.forms().frmTickets;
    TfrmCheckW* check = fx.forms().frmCheckW;
    QCOMPARE(check->windowTitle(), QStringLiteral("Ravolin"));
    QCOMPARE(check->size(), QSize(288, 373));
    w->FormActivate();
    // The hidden selectors of pairs 11 to 15 have no effect.
    for (int i = 11; i <= 15; ++i) {
        Find<QComboBox>(w, QStringLiteral("cmb%1").arg(i))->setCurrentIndex(1 + i % 2);
    }
    QStringList shown;
    {
        ModalWatch watch(check, [&] {
            shown = check->Lines();
            Find<QPushButton>(check, "btnOK")->click();
        });
        Find<QPushButton>(w, "btnCheckW")->click();
        QVERIFY(watch.Seen());
        QVERIFY(!watch.TimedOut());
    }
    QStringList expected{ "1          10", "1          9", "1          8" };
    for (int h = 7; h >= 0; --h) {
        expected.append(QStringLiteral("0          %1").arg(h));
    }
    QCOMPARE(shown, expected);
    QVERIFY(!check->isVisible());

    // Other results, checked again: the counters start from zero.
    Find<QComboBox>(w, "cmb01")->setCurrentIndex(1);
    Find<QComboBox>(w, "cmb02")->setCurrentIndex(2);
    {
        ModalWatch watch(check, [&] {
            shown = check->Lines();
            check->btnOKClick();
        });
        w->btnCheckWClick();
        QVERIFY(watch.Seen());
    }
    QCOMPARE(shown.mid(0, 3), (QStringList{ "0          10", "2          9", "1          8" }));
    QCOMPARE(w->ResultRow()[1], 'X');
    QCOMPARE(w->ResultRow()[2], '2');
    QVERIFY(boxes.Messages.isEmpty());
}

void TestTickets::checkWinningsWithoutSelectionOrFile()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    TfrmTickets* w = fx.forms().frmTickets;
    TfrmCheckW* check = fx.forms().frmCheckW;
    w->FormActivate();
    // No ticket: nothing happens.
    ModalWatch none(
        check, [check] { check->close(); }, 300);
    w->btnCheckWClick();
    QTest::qWait(50);
    QVERIFY(!none.Seen());
    QVERIFY(boxes.Messages.isEmpty());

    // A ticket removed behind the browser's back: the error, no table.
    fx.WriteTicket(QStringLiteral("gone.txt"), kThreeCombinations);
    w->FormActivate();
    QVERIFY(QFile::remove(fx.folder.Path() + QStringLiteral("tickets/10/gone.txt")));
    ModalWatch missing(
        check, [check] { check->close(); }, 300);
    w->btnCheckWClick();
    QTest::qWait(50);
    QVERIFY(!missing.Seen());
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("File not found"));
}

void TestTickets::ticketsMenuOpensTheBrowserModally()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    fx.WriteTicket(QStringLiteral("menu.txt"), kThreeCombinations);
    fx.main->show();
    QVERIFY(QTest::qWaitForWindowActive(fx.main.get()));
    TfrmTickets* w = fx.forms().frmTickets;
    QStringList names;
    QStringList lines;
    ModalWatch watch(w, [&] {
        QTRY_VERIFY(!w->TicketNames().isEmpty());
        names = w->TicketNames();
        lines = w->Lines();
        Find<QPushButton>(w, "btnClose")->click();
    });
    auto* action = fx.main->findChild<QAction*>(QStringLiteral("mnuTickets"));
    QVERIFY(action != nullptr);
    QCOMPARE(action->shortcut(), QKeySequence(Qt::Key_F2));
    action->trigger();
    QVERIFY(watch.Seen());
    QVERIFY(!watch.TimedOut());
    QCOMPARE(names, QStringList{ "menu" });
    QCOMPARE(lines.size(), 5);
    QVERIFY(!w->isVisible());
}

void TestTickets::waitCursorOnlyForLongWork()
{
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    {
        WaitCursor quick(false);
        QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    }
    {
        WaitCursor busy(true);
        QVERIFY(QGuiApplication::overrideCursor() != nullptr);
        QCOMPARE(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    // Saving a wheel of more than a million combinations shows it before the
    // work starts (a timer due at once sees it), and it is gone by the time
    // the save is confirmed.
    Fixture fx({ { "Thirteen", 13 } });
    fx.LayFullWheel(13);
    QCOMPARE(fx.st->CombinationCount, 1594323);
    auto shape = [] {
        return QGuiApplication::overrideCursor() != nullptr
            ? QGuiApplication::overrideCursor()->shape()
            : Qt::ArrowCursor;
    };
    Qt::CursorShape atConfirmation = Qt::WaitCursor;
    SetMessageHook(
        [&](QMessageBox::Icon, const QString&, const QString&) { atConfirmation = shape(); });
    Qt::CursorShape whileSaving = Qt::ArrowCursor;
    QTimer::singleShot(0, [&] { whileSaving = shape(); });
    TfrmNewTicket* dlg = fx.forms().frmNewTicket;
    Find<QLineEdit>(dlg, "txtTicketName")->setText(QStringLiteral("big"));
    dlg->btnSaveClick();
    SetMessageHook({});
    QCOMPARE(whileSaving, Qt::WaitCursor);
    QCOMPARE(atConfirmation, Qt::ArrowCursor);
    QVERIFY(QGuiApplication::overrideCursor() == nullptr);
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("tickets/13/big.txt")).count('\n'), 1594325);
}

QTEST_MAIN(TestTickets)
#include "tst_tickets.moc"
