// The pages of the combinations viewer: the viewer line of a combination and the
// arithmetic of the four paging buttons. The viewer keeps no page position of
// its own; each step starts from the number on the first or last line shown.
#pragma once

#include "model/uniGlobal.h"

#include <QString>
#include <QStringList>

#include <cstdint>

namespace rav {

// The width of the number field of the viewer lines: the digits of the number of
// combinations, but never fewer than 3.
int ViewerNumberWidth(std::int64_t count);

// The viewer line of one combination: its number right-aligned in `width`
// columns, ": ", then for each pair 1..pairs its outcome ("1", "X", "2") and a
// blank (so the line ends in a blank).
QString ViewerLine(const tCombination& row, std::int64_t number, int width, int pairs);

// The viewer lines of combinations first..last of the state's last wheel, for
// the open game's pairs. Numbers outside 1..CombinationCount (or beyond what the
// list holds) are left out.
QStringList ViewerLines(const AppState& st, std::int64_t first, std::int64_t last);

// The number in front of the last colon of a viewer line, leading blanks
// ignored. False when the line has no colon or no decimal number there.
bool ViewerLineNumber(const QString& line, std::int64_t* number);

// A page to show (combinations First..Last; empty when Last < First) and the
// enabled state of "<<", "<", ">" and ">>" afterwards.
struct ViewerPage {
    std::int64_t First = 1;
    std::int64_t Last = 0;
    bool StartEnabled = false;
    bool BackEnabled = false;
    bool ForwardEnabled = false;
    bool EndEnabled = false;
};

// "<<" and the page every new wheel opens with: 1 to 10000 at most.
ViewerPage FirstViewerPage(std::int64_t count);
// ">" from a page whose last line shows combination `lastShown`.
ViewerPage NextViewerPage(std::int64_t count, std::int64_t lastShown);
// "<" from a page whose first line shows combination `firstShown`; a step that
// would pass combination 1 gives the first page instead.
ViewerPage PreviousViewerPage(std::int64_t count, std::int64_t firstShown);
// ">>": the last 10000 combinations.
ViewerPage LastViewerPage(std::int64_t count);

} // namespace rav
