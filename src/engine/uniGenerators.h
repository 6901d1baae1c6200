// The three wheel generators. Each fills CombinationList and CombinationCount of
// the state and composes the description line the combinations viewer shows.
// They need no widgets: the progress dialog hands them a sink for its ticks.
#pragma once

#include "model/uniGlobal.h"

#include <QString>

#include <array>

namespace rav {

// Receives the generators' progress ticks (the progress dialog raises its bar by 1).
class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void Tick() = 0;
};

// What a generation ended with. On failure `Error` holds the text for the error
// box, and the state holds an empty result (CombinationCount 0).
struct GenerationResult {
    bool Ok = true;
    QString Error;
    // The viewer's description line, e.g. "Full Wheel (729 combinations)".
    QString Description;
};

// The number of stored combinations between two progress ticks.
inline std::int32_t ProgressInterval(std::int32_t candidates)
{
    return candidates / 100 + 2;
}

// Every combination of the marked outcomes, pair 1 slowest, pair N fastest.
GenerationResult MakeFullWheel(AppState& st, ProgressSink* progress);

// The bounds of the conditioned wheel as typed, in the order
// Min1, MinX, Min2, Max1, MaxX, Max2.
using ConditionTexts = std::array<QString, 6>;

// The full wheel filtered by the six inclusive bounds on the numbers of "1", "X"
// and "2" in a combination.
GenerationResult MakeConditionedWheel(AppState& st, const ConditionTexts& bounds,
                                      ProgressSink* progress);

// The reduced system read from the wheel file that FindWheel picks for the marks
// and the guarantee level (1..3).
GenerationResult MakeAbbreviatedWheel(AppState& st, int level);

} // namespace rav
