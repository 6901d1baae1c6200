// The abbreviated wheels known from the wheels folder: the line of a wheel in the
// wheel list, and the rule that picks the wheel for the current marks.
#pragma once

#include "model/uniGlobal.h"

#include <QString>

namespace rav {

// The 22-character line of a wheel in the wheel list: triples, doubles and
// combinations right-aligned in columns under their headings.
QString FormatWheelLine(const tWheel& wheel);

// The index in Wheels of the last wheel whose Triples and Doubles equal the
// triples and doubles marked over pairs 1..n and whose OutOf - Hits equals
// `level` (1..3); 0 when there is none.
int FindWheel(const AppState& st, int level);

} // namespace rav
