#include "uniTicketWidgets.h"

#include "mainwindow/uniWidgets.h"
#include "tickets/uniTicketFile.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace rav {

namespace {

PrintDialogHook& Hook()
{
    static PrintDialogHook hook;
    return hook;
}

} // namespace

void SetPrintDialogHook(PrintDialogHook hook)
{
    Hook() = std::move(hook);
}

bool PrintLines(
    QWidget* parent, std::int64_t count, const std::function<QString(std::int64_t)>& line)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Ravolin"));
    printer.setFullPage(false);
    bool confirmed;
    if (Hook()) {
        confirmed = Hook()(printer);
    } else {
        QPrintDialog dlgPrint(&printer, parent);
        dlgPrint.setObjectName(QStringLiteral("dlgPrint"));
        confirmed = dlgPrint.exec() == QDialog::Accepted;
    }
    if (!confirmed) {
        return false;
    }
    // The job title is the program's, whatever the dialog left.
    printer.setDocName(QStringLiteral("Ravolin"));

    WaitCursor wait(count > kBusyLines);
    QPainter painter;
    if (!painter.begin(&printer)) {
        return false;
    }
    QFont face = FixedFont(16);
    face.setPointSize(12);
    painter.setFont(QFont(face, &printer));
    const QFontMetrics metrics(painter.font(), &printer);
    const int lineHeight = metrics.lineSpacing();
    const int ascent = metrics.ascent();
    const int pageHeight = painter.viewport().height();
    int y = 0;
    for (std::int64_t i = 0; i < count; ++i) {
        if (y > 0 && y + lineHeight > pageHeight) {
            printer.newPage();
            y = 0;
        }
        painter.drawText(0, y + ascent, line(i));
        y += lineHeight;
    }
    return painter.end();
}

bool PrintWheel(QWidget* parent, const AppState& st)
{
    return PrintLines(
        parent, WheelPrintLineCount(st), [&st](std::int64_t i) { return WheelPrintLine(st, i); });
}

WaitCursor::WaitCursor(bool busy)
    : on_(busy)
{
    if (on_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        // Let the window system show the cursor before the work holds the program.
        QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

WaitCursor::~WaitCursor()
{
    if (on_) {
        QApplication::restoreOverrideCursor();
    }
}

QPushButton* MakeTicketButton(QWidget* parent, const char* name, const QString& text, int left,
    int top, int width, int height, int pixelSize)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setFont(VerdanaFont(pixelSize));
    b->setGeometry(left, top, width, height);
    b->setAutoDefault(false);
    return b;
}

QLabel* MakeNavyLabel(QWidget* parent, const char* name, const QString& text, int left, int top)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(VerdanaFont(13));
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, QColor(0, 0, 128));
    l->setPalette(pal);
    l->move(left, top);
    l->adjustSize();
    return l;
}

} // namespace rav
