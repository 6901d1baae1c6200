// Printing the wheel from the viewer and a page from the tickets browser,
// printed to PDF and read back with poppler's tools.
#include "guitest_tickets.h"

#include "model/uniIO.h"
#include "tickets/uniLines.h"
#include "tickets/uniTicketFile.h"
#include "tickets/uniTickets.h"

#include <QApplication>
#include <QEvent>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace rav;
using guitest::Find;
using ticketgui::Fixture;
using ticketgui::PdfLines;
using ticketgui::PdfPrinting;
using ticketgui::Poppler;

class TestTicketsPrint : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void fullWheelPrintoutHasItsHeadingAndEveryLine();
    void conditionedWheelHasNoHeadingAndMayBeEmpty();
    void cancelPrintsNothing();
    void browserPrintsThePageShown();
    void printerDialogClosingKeepsTheBrowsersPage();

private:
    QTemporaryDir out_;
    QString Pdf(const char* name) const { return out_.path() + QLatin1Char('/') + name; }
};

void TestTicketsPrint::initTestCase()
{
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
        "pdftotext (poppler-utils) reads the printouts back");
    QVERIFY(out_.isValid());
}

void TestTicketsPrint::fullWheelPrintoutHasItsHeadingAndEveryLine()
{
    Fixture fx;
    fx.LayFullWheel(6);
    const QString pdf = Pdf("full.pdf");
    PdfPrinting printing(pdf);
    // Through the viewer's own button.
    QTest::mouseClick(fx.forms().frmLines->PrintButton(), Qt::LeftButton);
    QCOMPARE(printing.dialogs, 1);
    QCOMPARE(printing.docName, QStringLiteral("Ravolin"));
    QVERIFY(QFileInfo(pdf).size() > 0);

    const QStringList lines = PdfLines(pdf);
    QCOMPARE(lines.size(), 730);
    QCOMPARE(lines[0], QStringLiteral("Full Wheel: 729 combinations"));
    QCOMPARE(lines[1], QStringLiteral("  1: 1-1-1-1-1-1-1-1-1-1"));
    QCOMPARE(lines[2], QStringLiteral("  2: 1-1-1-1-1-X-1-1-1-1"));
    QCOMPARE(lines[729], QStringLiteral("729: 2-2-2-2-2-2-1-1-1-1"));
    for (int i = 1; i <= 729; ++i) {
        QCOMPARE(lines[i], WheelPrintLine(*fx.st, i));
    }
    // The job title and a fixed-pitch face.
    QVERIFY(Poppler(QStringLiteral("pdfinfo"), { pdf })
                .contains(QRegularExpression(QStringLiteral("Title:\\s+Ravolin\\n"))));
    const QString fonts = Poppler(QStringLiteral("pdffonts"), { pdf });
    QVERIFY2(fonts.contains(QRegularExpression(QStringLiteral("Mono|Courier"))), qPrintable(fonts));
    // More than one page: the document breaks where a page is full.
    QVERIFY(Poppler(QStringLiteral("pdfinfo"), { pdf })
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+([2-9]|\\d\\d+)\\n"))));
}

void TestTicketsPrint::conditionedWheelHasNoHeadingAndMayBeEmpty()
{
    Fixture fx;
    fx.LayFullWheel(2, 2);
    {
        const QString pdf = Pdf("cond.pdf");
        PdfPrinting printing(pdf);
        QVERIFY(PrintWheel(nullptr, *fx.st));
        QCOMPARE(PdfLines(pdf),
            (QStringList{ "1: 1-1-1-1-1-1-1-1-1-1", "2: 1-X-1-1-1-1-1-1-1-1",
                "3: 1-2-1-1-1-1-1-1-1-1", "4: X-1-1-1-1-1-1-1-1-1", "5: X-X-1-1-1-1-1-1-1-1",
                "6: X-2-1-1-1-1-1-1-1-1", "7: 2-1-1-1-1-1-1-1-1-1", "8: 2-X-1-1-1-1-1-1-1-1",
                "9: 2-2-1-1-1-1-1-1-1-1" }));
    }
    fx.st->CombinationCount = 0;
    const QString pdf = Pdf("empty.pdf");
    PdfPrinting printing(pdf);
    QVERIFY(PrintWheel(nullptr, *fx.st));
    QCOMPARE(printing.dialogs, 1);
    QVERIFY(QFileInfo::exists(pdf));
    QVERIFY(PdfLines(pdf).isEmpty());
}

void TestTicketsPrint::cancelPrintsNothing()
{
    Fixture fx;
    fx.LayFullWheel(2);
    const QString pdf = Pdf("cancel.pdf");
    {
        PdfPrinting printing(pdf, false);
        QVERIFY(!PrintWheel(nullptr, *fx.st));
        QCOMPARE(printing.dialogs, 1);
        QVERIFY(!QFileInfo::exists(pdf));

        fx.WriteTicket(QStringLiteral("t.txt"), ProductLine() + "\r\nD\r\n1: 1\r\n");
        TfrmTickets* w = fx.forms().frmTickets;
        w->FormActivate();
        w->btnPrintClick();
        QCOMPARE(printing.dialogs, 2);
        QVERIFY(!QFileInfo::exists(pdf));
    }
    // The next print starts from an empty document again.
    PdfPrinting printing(pdf);
    QVERIFY(PrintWheel(nullptr, *fx.st));
    QCOMPARE(PdfLines(pdf).size(), 10);
}

void TestTicketsPrint::browserPrintsThePageShown()
{
    Fixture fx;
    const QString path = fx.SaveNumbered(QStringLiteral("big"), 25000);
    TfrmTickets* w = fx.forms().frmTickets;
    w->FormActivate();
    auto* document = Find<QPlainTextEdit>(w, "txtZaPrint");
    QVERIFY(document->isHidden());
    const QList<QByteArray> file = ReadTextLines(path);

    {
        // The first page starts with the two header lines.
        w->btnForwardEndClick();
        w->btnStartClick();
        const QString pdf = Pdf("first.pdf");
        PdfPrinting printing(pdf);
        QTest::mouseClick(Find<QPushButton>(w, "btnPrint"), Qt::LeftButton);
        QCOMPARE(printing.docName, QStringLiteral("Ravolin"));
        const QStringList lines = PdfLines(pdf);
        QCOMPARE(lines.size(), 10002);
        QCOMPARE(lines[0], QString::fromLatin1(file[0]));
        QCOMPARE(lines[1], QStringLiteral("Conditioned Wheel (25000 combinations)"));
        QCOMPARE(lines[10001], QString::fromLatin1(file[10001]));
    }
    // The second page: exactly its 10000 lines, without the headers.
    w->btnForwardClick();
    const QString pdf = Pdf("second.pdf");
    PdfPrinting printing(pdf);
    w->btnPrintClick();
    const QStringList lines = PdfLines(pdf);
    QCOMPARE(lines.size(), 10000);
    for (int k = 0; k < 10000; ++k) {
        QCOMPARE(lines[k], QString::fromLatin1(file[10002 + k]));
    }
    // The print document keeps the page until the next refresh.
    QCOMPARE(document->toPlainText().split(QLatin1Char('\n')), w->Lines());
    w->FormActivate();
    QVERIFY(document->toPlainText().isEmpty());
}

void TestTicketsPrint::printerDialogClosingKeepsTheBrowsersPage()
{
    // The printer dialog takes the focus from the browser and gives it back;
    // that is no return from another window, so the page stays. A return from
    // another window (the check-winnings dialog) refreshes it.
    Fixture fx;
    const QString path = fx.SaveNumbered(QStringLiteral("big"), 25000);
    TfrmTickets* w = fx.forms().frmTickets;
    auto focus = [w](QEvent::Type type) {
        QEvent e(type);
        QApplication::sendEvent(w, &e);
    };
    focus(QEvent::WindowActivate);
    QCOMPARE(w->Lines().size(), 10002);
    w->btnForwardClick();
    const QStringList secondPage = w->Lines();
    QCOMPARE(secondPage.first(), QString::fromLatin1(ReadTextLines(path)[10002]));

    const QString pdf = Pdf("dialog.pdf");
    SetPrintDialogHook([&](QPrinter& printer) {
        focus(QEvent::WindowDeactivate); // the dialog opens over the browser
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    });
    w->btnPrintClick();
    SetPrintDialogHook({});
    focus(QEvent::WindowActivate); // and gives the focus back
    QCOMPARE(w->Lines(), secondPage);
    QCOMPARE(
        Find<QPlainTextEdit>(w, "txtZaPrint")->toPlainText().split(QLatin1Char('\n')), secondPage);
    QCOMPARE(PdfLines(pdf).size(), 10000);

    focus(QEvent::WindowDeactivate);
    focus(QEvent::WindowActivate);
    QCOMPARE(w->Lines().size(), 10002);
    QVERIFY(Find<QPlainTextEdit>(w, "txtZaPrint")->toPlainText().isEmpty());
}

QTEST_MAIN(TestTicketsPrint)
#include "tst_tickets_print.moc"
