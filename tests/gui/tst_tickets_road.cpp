// The whole road of a ticket: marks, "Full Wheel", "Save" with a name in the
// viewer, the browser lists the ticket, results chosen, "Check Winnings".
#include "guitest_tickets.h"

#include "tickets/uniCheckW.h"
#include "tickets/uniLines.h"
#include "tickets/uniNewTicket.h"
#include "tickets/uniTickets.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace rav;
using guitest::Find;
using ticketgui::Fixture;
using ticketgui::ModalWatch;

class TestTicketsRoad : public QObject {
    Q_OBJECT
private slots:
    void markSaveBrowseAndCheck();
};

void TestTicketsRoad::markSaveBrowseAndCheck()
{
    Fixture fx;
    guitest::MessageRecorder boxes;
    fx.main->show();
    QVERIFY(QTest::qWaitForWindowActive(fx.main.get()));
    guitest::SetEnglishWords(*fx.st);
    guitest::Mark(fx.main.get(), { "1X2", "1X2", "1", "1", "1", "1", "1", "1", "1", "1" });

    // "Full Wheel" makes the wheel and shows the viewer; its "Save" asks for a name.
    TfrmLines* viewer = fx.forms().frmLines;
    TfrmNewTicket* newTicket = fx.forms().frmNewTicket;
    QStringList viewerLines;
    bool viewerUsable = false;
    ModalWatch saveWatch(newTicket, [newTicket] {
        Find<QLineEdit>(newTicket, "txtTicketName")->setText(QStringLiteral("Road"));
        Find<QPushButton>(newTicket, "btnSave")->click();
    });
    ModalWatch viewerWatch(viewer, [&] {
        viewerLines = viewer->Lines();
        // The viewer is usable while the main window is not.
        viewerUsable = viewer->SaveButton()->isEnabled() && viewer->CloseButton()->isEnabled()
            && !fx.main->isEnabled();
        viewer->SaveButton()->click();
        viewer->CloseButton()->click();
    });
    Find<QPushButton>(fx.main.get(), "btnFullWheel")->click();
    QVERIFY(viewerWatch.Seen());
    QVERIFY(saveWatch.Seen());
    QVERIFY(!viewerWatch.TimedOut() && !saveWatch.TimedOut());
    QVERIFY(viewerUsable);
    QCOMPARE(viewerLines.size(), 9);
    QVERIFY(boxes.Messages.size() >= 1);
    QCOMPARE(boxes.Messages.last().Text, QStringLiteral("Ticket Saved"));

    const QByteArray ticket = fx.folder.ReadFile(QStringLiteral("tickets/10/Road.txt"));
    QCOMPARE(ticket,
        ProductLine() + "\r\nFull Wheel (9 combinations)\r\n"
            + "1: 1-1-1-1-1-1-1-1-1-1\r\n2: 1-X-1-1-1-1-1-1-1-1\r\n"
            + "3: 1-2-1-1-1-1-1-1-1-1\r\n4: X-1-1-1-1-1-1-1-1-1\r\n"
            + "5: X-X-1-1-1-1-1-1-1-1\r\n6: X-2-1-1-1-1-1-1-1-1\r\n"
            + "7: 2-1-1-1-1-1-1-1-1-1\r\n8: 2-X-1-1-1-1-1-1-1-1\r\n"
            + "9: 2-2-1-1-1-1-1-1-1-1\r\n");

    // "Tickets" lists it; the results X, 2, then "1" everywhere; "Check Winnings".
    TfrmTickets* browser = fx.forms().frmTickets;
    TfrmCheckW* check = fx.forms().frmCheckW;
    QStringList names;
    QStringList table;
    ModalWatch checkWatch(check, [&] {
        table = check->Lines();
        Find<QPushButton>(check, "btnOK")->click();
    });
    ModalWatch browserWatch(browser, [&] {
        QTRY_VERIFY(!browser->TicketNames().isEmpty());
        names = browser->TicketNames();
        Find<QComboBox>(browser, "cmb01")->setCurrentIndex(1);
        Find<QComboBox>(browser, "cmb02")->setCurrentIndex(2);
        Find<QPushButton>(browser, "btnCheckW")->click();
        Find<QPushButton>(browser, "btnClose")->click();
    });
    fx.main->findChild<QAction*>(QStringLiteral("mnuTickets"))->trigger();
    QVERIFY(browserWatch.Seen());
    QVERIFY(checkWatch.Seen());
    QVERIFY(!browserWatch.TimedOut() && !checkWatch.TimedOut());
    QCOMPARE(names, QStringList{ "Road" });
    QStringList expected{ "1          10", "4          9", "4          8" };
    for (int h = 7; h >= 0; --h) {
        expected.append(QStringLiteral("0          %1").arg(h));
    }
    QCOMPARE(table, expected);
}

QTEST_MAIN(TestTicketsRoad)
#include "tst_tickets_road.moc"
