// The abbreviated wheel: every row of the wheel file that fits the marks becomes
// one combination. The row's digits choose among the outcomes marked on the
// triples and doubles; the singles are copied as marked.
#include "engine/uniGenerators.h"
#include "engine/uniWheels.h"
#include "model/uniIO.h"

#include <new>

namespace rav {

namespace {

GenerationResult Failed(AppState& st, const QString& text)
{
    st.CombinationCount = 0;
    GenerationResult r;
    r.Ok = false;
    r.Error = text;
    return r;
}

QString RowError(const QString& file, int row, const QString& what)
{
    return QStringLiteral("Wheel file \"%1\", row %2: %3").arg(file).arg(row).arg(what);
}

// A byte that packs two digits: code 33 ("00") to 132 ("99").
bool IsDigitPair(char c)
{
    const int code = static_cast<unsigned char>(c);
    return code >= 33 && code <= 33 + 99;
}

// The outcome a row digit picks on a double or a triple: 1 the first marked
// outcome, 0 the second, 2 the third (triples only). -1 for any other digit.
int PickOutcome(const tSelectionEntry& e, char digit)
{
    if (digit == '1') {
        return e.Codes[0];
    }
    if (digit == '0') {
        return e.Codes[1];
    }
    if (digit == '2' && e.Count == 3) {
        return e.Codes[2];
    }
    return -1;
}

QString DigitError(int pos, char digit, int count)
{
    return QStringLiteral("digit %1 is %2; %3")
        .arg(pos + 1)
        .arg(QLatin1Char(digit))
        .arg(count == 3 ? QStringLiteral("a triple takes 1, 0 or 2.")
                        : QStringLiteral("a double takes 1 or 0."));
}

} // namespace

GenerationResult MakeAbbreviatedWheel(AppState& st, int level)
{
    // Whatever happens below, no rows of an earlier result stay counted.
    st.CombinationCount = 0;

    const int index = FindWheel(st, level);
    if (index == 0) {
        return Failed(st, QStringLiteral("Wheel does not exist!"));
    }
    const tWheel wheel = st.Wheels[index];
    const int n = st.CurrentPairs();
    const int rows = wheel.Combinations;
    const int digitCount = wheel.Triples + wheel.Doubles;
    const int packedCount = (digitCount + 1) / 2;
    const QString file = QLatin1String(kWheelsFolder) + wheel.FileName;

    if (rows < 1) {
        return Failed(st, QStringLiteral("Wheel file \"%1\" holds no combinations.").arg(file));
    }
    if (!st.CombinationList.Resize(static_cast<std::size_t>(rows) + 10)) {
        return Failed(st, QStringLiteral("Not enough memory for %1 combinations.").arg(rows));
    }

    QList<QByteArray> lines;
    try {
        lines = ReadTextLines(st.ProgramFolder + file);
    } catch (const RunError& e) {
        return Failed(st, QStringLiteral("Wheel file \"%1\": %2").arg(file, e.Text()));
    } catch (const std::bad_alloc&) {
        return Failed(st,
                      QStringLiteral("Wheel file \"%1\": not enough memory to read it.").arg(file));
    }

    for (int r = 1; r <= rows; ++r) {
        if (r > lines.size()) {
            return Failed(st, RowError(file, r, QStringLiteral("the file ends before this row.")));
        }
        const QByteArray& line = lines[r - 1];
        if (line.size() < packedCount) {
            return Failed(
                st,
                RowError(file, r,
                         QStringLiteral("the row is too short for %1 digits.").arg(digitCount)));
        }
        for (int i = 0; i < packedCount; ++i) {
            if (!IsDigitPair(line[i])) {
                return Failed(
                    st,
                    RowError(file, r,
                             QStringLiteral("character %1 is not a pair of digits.").arg(i + 1)));
            }
        }
        // Only the characters that supply digits are decoded; the rest of the line is ignored.
        const QByteArray digits = DecodeWheelRow(line.left(packedCount));

        int triplePos = 0; // 0-based positions into the digit string
        int doublePos = wheel.Triples;
        tCombination& row = st.CombinationList[r];
        row.fill(0);
        for (int p = 1; p <= n; ++p) {
            const tSelectionEntry& e = st.Selection[p];
            if (e.Count == 1) {
                row[p] = e.Codes[0];
                continue;
            }
            if (e.Count != 2 && e.Count != 3) {
                return Failed(st, QStringLiteral("Pair %1 has no mark.").arg(p));
            }
            const int pos = e.Count == 3 ? triplePos++ : doublePos++;
            const char digit = pos < digits.size() ? digits[pos] : '?';
            const int code = PickOutcome(e, digit);
            if (code < 0) {
                return Failed(st, RowError(file, r, DigitError(pos, digit, e.Count)));
            }
            row[p] = static_cast<std::uint8_t>(code);
        }
    }

    st.CombinationCount = rows;
    GenerationResult result;
    result.Description = st.Words.LangAbbWheel + QStringLiteral(" (") + QString::number(rows)
                         + QLatin1Char(' ') + st.Words.LangCombinations + QLatin1Char(')');
    return result;
}

} // namespace rav
