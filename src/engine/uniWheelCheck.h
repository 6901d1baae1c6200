// The guarantee a wheel really keeps. A wheel for T triples and D doubles is a
// set of rows over the marked outcomes; a result within the marks suffers, on a
// row, one miss for every pair where the row's outcome differs from the result.
// The guarantee is the largest number of misses any result suffers on its best
// row. It is found here exhaustively, over every one of the 3^T * 2^D results.
#pragma once

#include "model/uniGlobal.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace rav {

// One wheel row as outcome digits: positions 0..T-1 hold the triples' digits
// (0, 1 or 2), positions T..T+D-1 the doubles' digits (0 or 1).
using tWheelRow = std::array<std::uint8_t, MaxPairs>;

// What the exhaustive count found.
struct WheelCoverage {
    // False when the rows cannot be measured (a digit out of range, T or D out
    // of range, no rows); Error tells why.
    bool Ok = false;
    QString Error;
    // The most misses any result suffers on its best row.
    int Misses = -1;
    // The number of results, 3^T * 2^D.
    std::int64_t Results = 0;
    // ResultsByMisses[m]: how many results suffer exactly m misses on their best row.
    std::array<std::int64_t, MaxPairs + 1> ResultsByMisses{};
};

// Measures the rows of a wheel for `triples` triples and `doubles` doubles
// (triples + doubles <= 15). Memory: one byte per result (14.3 million for 15
// triples); time: one sweep per pair.
WheelCoverage MeasureWheel(int triples, int doubles, const std::vector<tWheelRow>& rows);

// A wheel file read strictly, as the wheel library ships it: the name parses,
// exactly Combinations lines, every line exactly (T + D + 1) / 2 packed
// characters holding allowed digits, a filler digit of 0 when T + D is odd.
struct WheelFileCheck {
    bool Ok = false; // the file is well formed and keeps the guarantee its name states
    QString Error; // why not, when Ok is false
    tWheel Wheel;
    std::vector<tWheelRow> Rows;
    WheelCoverage Coverage;
};

// Reads and measures one wheel file; `path` is the full path, the name part is
// parsed for the wheel's fields.
WheelFileCheck CheckWheelFile(const QString& path);

// Reads the rows of a wheel file without measuring them. Returns false with a
// reason in `error` when the file breaks the strict form described above.
bool ReadWheelRows(
    const QString& path, const tWheel& wheel, std::vector<tWheelRow>& rows, QString& error);

// The packed line of a row, without the line end: the digits of the T triples
// and D doubles, two to a character.
QByteArray PackWheelRow(const tWheelRow& row, int triples, int doubles);

} // namespace rav
