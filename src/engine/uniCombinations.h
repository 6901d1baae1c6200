// The combination list shared by the full and the conditioned wheel: the size of
// a selection, the checks and arrows of the six bound boxes, and the texts the
// two generators compose. The generators themselves are declared in
// uniGenerators.h.
#pragma once

#include "engine/uniGenerators.h"
#include "model/uniGlobal.h"

#include <QString>

#include <cstdint>

namespace rav {

// The number of combinations the marks of pairs 1..n make: the product of their
// counts (0 when a pair is unmarked or no game is open).
std::int32_t CandidateCount(const AppState& st);

// The viewer's description line: the wheel kind's word, " (", the count, " ",
// the word for "combinations", ")".
QString WheelDescription(const QString& kind, std::int32_t count, const QString& combinations);

// The error text when the list cannot hold `rows` combinations.
QString NotEnoughMemoryText(std::int64_t rows);

// True when every bound text (in the order Min1, MinX, Min2, Max1, MaxX, Max2)
// is a number: non-empty and digits only.
bool BoundsAreNumbers(const ConditionTexts& bounds);

// The text an up-down arrow writes back into a bound box: a text that is not a
// number counts as 1; up adds 1 while the value is below `pairs`, down subtracts
// 1 while it is above 0; the result is plain decimal ("07" becomes "7").
QString StepBound(const QString& text, int pairs, bool up);

} // namespace rav
