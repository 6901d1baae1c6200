// The abbreviated wheels known from the wheels folder: the wheel file name and its
// packed rows, the wheel table loaded at start-up, the lines of the wheel list,
// and the rule that picks the wheel for the current marks.
#pragma once

#include "model/uniGlobal.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace rav {

// The folder of the wheel files, relative to the program folder.
inline constexpr const char* kWheelsFolder = "wheels/";

// Reads the five fields of a wheel file name: 14 decimal digits (triples 2,
// doubles 2, hits 2, out-of 2, combinations 6) and ".txt" in any case. Returns
// false, leaving `wheel` untouched, for any other name and for fields the program
// cannot use: triples plus doubles above 15, OutOf - Hits outside 1..3, or no
// combinations. On success FileName is the name as given.
bool ParseWheelFileName(const QString& name, tWheel& wheel);

// Fills Wheels and WheelCount from ProgramFolder + "wheels/", in listing order.
// Files whose names do not parse are skipped; an empty or missing folder gives
// no wheels. At most 500 wheels are taken, the surplus is ignored.
void LoadWheelList(AppState& st);

// The lines of the wheel list for guarantee level `level` (1..3) and a game of
// `pairs` pairs: FormatWheelLine of every wheel, in table order, whose
// OutOf - Hits is the level and whose triples plus doubles fit the pairs.
QStringList WheelListLines(const AppState& st, int level, int pairs);

// The 22-character line of a wheel in the wheel list: triples, doubles and
// combinations right-aligned in columns under their headings.
QString FormatWheelLine(const tWheel& wheel);

// The index in Wheels of the last wheel whose Triples and Doubles equal the
// triples and doubles marked over pairs 1..n and whose OutOf - Hits equals
// `level` (1..3); 0 when there is none.
int FindWheel(const AppState& st, int level);

// The digit string of a packed wheel row: every byte's code minus 33 in decimal,
// with a "0" in front when that is a single character. A well-formed row uses
// only codes 33..132, two digits per byte; other codes give what the decimal
// writing gives (a minus sign, three digits).
QByteArray DecodeWheelRow(const QByteArray& line);

// The inverse: packs decimal digits ("2100") two per byte, byte code 33 plus the
// two-digit number. An odd count is completed with a filler "0". Raises a
// RunError with the conversion text when `digits` holds anything but "0".."9".
QByteArray EncodeWheelRow(const QByteArray& digits);

} // namespace rav
