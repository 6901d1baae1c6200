// The ticket file: a saved wheel under a name of the player's choosing. Its
// line layout, the folder it lives in, the check of the name, and the writer
// that streams millions of lines to disk without building the file in memory.
#pragma once

#include "model/uniGlobal.h"
#include "model/uniIO.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>

namespace rav {

// The program's web host, written after "Ravolin - " on the first line of every
// ticket. A bare host name: the header lines must hold no colon.
inline constexpr const char* kProductHost = "ravolin.example.org";

// A page of the viewer and of the tickets browser holds this many combinations;
// the browser's first page also shows the two header lines of the file.
inline constexpr int kPageLines = 10000;
inline constexpr int kFirstPageLines = kPageLines + 2;

// "Ravolin - ravolin.example.org".
QByteArray ProductLine();

// The number of decimal digits of n (n >= 0); 1 for 0.
int DecimalDigits(std::int64_t n);

// The ticket line of one combination: its number right-aligned in `width`
// columns, ": ", then the outcomes of pairs 1..pairs joined by "-".
QByteArray TicketLine(const tCombination& row, std::int64_t number, int width, int pairs);

// ProgramFolder + "tickets/" + the open game's number of pairs + "/".
QString TicketFolder(const AppState& st);

// The ticket folder + name + ".txt".
QString TicketPath(const AppState& st, const QString& name);

// A ticket name is a file name in the ticket folder, never a path: true when it
// is not empty, holds no "/" or "\", is not "." or "..", holds no control
// character or unpaired surrogate, and its file name (with ".txt") is short
// enough for the file system.
bool IsValidTicketName(const QString& name);

// Called between blocks while a ticket is written or read, with the number of
// lines done so far; lets a window keep showing that it is busy.
using TicketProgress = std::function<void(std::int64_t linesDone)>;

// Writes the ticket of the state's last wheel to `path`: the product line, the
// description, and one ticket line per combination 1..CombinationCount, each
// ended by CR LF. The file is written beside the target and put in place only
// when complete, so a failure leaves an earlier file of that name whole. Raises
// a RunError with the run-time text on failure.
void WriteTicket(const QString& path, const AppState& st, const QByteArray& description,
    const TicketProgress& progress = {});

// Checks the name, builds the path and writes the ticket, the description in
// the code page of the current language (the one its words were read in). A
// refused name raises "Invalid filename" before anything is written.
void SaveTicket(const AppState& st, const QString& name, const QString& description,
    const TicketProgress& progress = {});

// The printout of the last wheel: a heading when it was made as a full wheel
// ("Full Wheel: 729 combinations" in English), then every combination in the
// ticket line layout.
std::int64_t WheelPrintLineCount(const AppState& st);
// Line `index` of the printout, counted from 0.
QString WheelPrintLine(const AppState& st, std::int64_t index);

} // namespace rav
