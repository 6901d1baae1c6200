// What the ticket windows share: printing plain lines of text, the wait cursor
// for long file work, and their look.
#pragma once

#include "model/uniGlobal.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <functional>

class QLabel;
class QPrinter;
class QPushButton;
class QWidget;

namespace rav {

// The background of the ticket windows.
inline const QColor kTicketWindowColor(236, 235, 221);

// Shows the printer dialog and, when the user confirms, prints `count` lines
// (line(i) for i from 0) as one job titled "Ravolin", in a fixed-pitch face at
// 12 points over the printable area, a new page whenever one is full. Nothing is
// printed when the dialog is cancelled. Returns true when the job was printed.
// The lines are drawn one page at a time, so a wheel of millions of lines is
// never held whole.
bool PrintLines(
    QWidget* parent, std::int64_t count, const std::function<QString(std::int64_t)>& line);

// Prints the last wheel: the heading of a full wheel, then every combination
// in the ticket line layout.
bool PrintWheel(QWidget* parent, const AppState& st);

// Tests replace the printer dialog: the hook sets up the printer (for example
// PDF output to a file) and returns whether to print. An empty hook restores
// the dialog.
using PrintDialogHook = std::function<bool(QPrinter&)>;
void SetPrintDialogHook(PrintDialogHook hook);

// Shows the wait cursor while alive. With `busy` false it does nothing; with
// true the cursor is shown at once, before the long work starts.
class WaitCursor {
public:
    explicit WaitCursor(bool busy = true);
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    bool on_;
};

// Work on more lines than this shows the wait cursor.
inline constexpr std::int64_t kBusyLines = 1000000;

// Look helpers of the ticket windows.
QPushButton* MakeTicketButton(QWidget* parent, const char* name, const QString& text, int left,
    int top, int width, int height, int pixelSize = 13);
QLabel* MakeNavyLabel(QWidget* parent, const char* name, const QString& text, int left, int top);

} // namespace rav
