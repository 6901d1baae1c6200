#include "uniWheelCheck.h"

#include "engine/uniWheels.h"
#include "model/uniIO.h"

#include <QFileInfo>

#include <algorithm>
#include <new>

namespace rav {

namespace {

// Far beyond any number of misses; one more still fits a byte.
constexpr std::uint8_t kUnreached = 200;

int Radix(int coordinate, int triples)
{
    return coordinate < triples ? 3 : 2;
}

// One sweep along a coordinate: a result may take the best row of any result
// that differs from it only there, at the cost of one more miss. After a sweep
// along every coordinate each result holds its distance to the nearest row.
void SweepTriple(std::vector<std::uint8_t>& f, std::int64_t stride)
{
    const std::int64_t block = stride * 3;
    const std::int64_t total = static_cast<std::int64_t>(f.size());
    std::uint8_t* d = f.data();
    for (std::int64_t base = 0; base < total; base += block) {
        std::uint8_t* p0 = d + base;
        std::uint8_t* p1 = p0 + stride;
        std::uint8_t* p2 = p1 + stride;
        for (std::int64_t i = 0; i < stride; ++i) {
            const int a = p0[i], b = p1[i], c = p2[i];
            p0[i] = static_cast<std::uint8_t>(std::min(a, std::min(b, c) + 1));
            p1[i] = static_cast<std::uint8_t>(std::min(b, std::min(a, c) + 1));
            p2[i] = static_cast<std::uint8_t>(std::min(c, std::min(a, b) + 1));
        }
    }
}

void SweepDouble(std::vector<std::uint8_t>& f, std::int64_t stride)
{
    const std::int64_t block = stride * 2;
    const std::int64_t total = static_cast<std::int64_t>(f.size());
    std::uint8_t* d = f.data();
    for (std::int64_t base = 0; base < total; base += block) {
        std::uint8_t* p0 = d + base;
        std::uint8_t* p1 = p0 + stride;
        for (std::int64_t i = 0; i < stride; ++i) {
            const int a = p0[i], b = p1[i];
            p0[i] = static_cast<std::uint8_t>(std::min(a, b + 1));
            p1[i] = static_cast<std::uint8_t>(std::min(b, a + 1));
        }
    }
}

WheelCoverage Refused(const QString& why)
{
    WheelCoverage c;
    c.Error = why;
    return c;
}

} // namespace

WheelCoverage MeasureWheel(int triples, int doubles, const std::vector<tWheelRow>& rows)
{
    if (triples < 0 || doubles < 0 || triples + doubles > MaxPairs) {
        return Refused(QStringLiteral("%1 triples and %2 doubles do not fit a coupon.")
                           .arg(triples)
                           .arg(doubles));
    }
    if (rows.empty()) {
        return Refused(QStringLiteral("The wheel has no rows."));
    }
    const int n = triples + doubles;
    std::array<std::int64_t, MaxPairs> weight{};
    std::int64_t results = 1;
    for (int i = 0; i < n; ++i) {
        weight[i] = results;
        results *= Radix(i, triples);
    }

    std::vector<std::uint8_t> f;
    try {
        f.assign(static_cast<std::size_t>(results), kUnreached);
    } catch (const std::bad_alloc&) {
        return Refused(QStringLiteral("Not enough memory to count %1 results.").arg(results));
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::int64_t index = 0;
        for (int i = 0; i < n; ++i) {
            const int digit = rows[r][i];
            if (digit >= Radix(i, triples)) {
                return Refused(
                    QStringLiteral("Row %1: digit %2 is %3; a %4 takes %5.")
                        .arg(r + 1)
                        .arg(i + 1)
                        .arg(digit)
                        .arg(i < triples ? QStringLiteral("triple") : QStringLiteral("double"))
                        .arg(i < triples ? QStringLiteral("1, 0 or 2") : QStringLiteral("1 or 0")));
            }
            index += digit * weight[i];
        }
        f[static_cast<std::size_t>(index)] = 0;
    }
    for (int i = 0; i < n; ++i) {
        if (Radix(i, triples) == 3) {
            SweepTriple(f, weight[i]);
        } else {
            SweepDouble(f, weight[i]);
        }
    }

    WheelCoverage c;
    c.Ok = true;
    c.Results = results;
    for (std::uint8_t d : f) {
        // Every result is reached: each sweep lets a result reach the rows that
        // differ from it in one more coordinate, and n sweeps reach all.
        ++c.ResultsByMisses[d];
    }
    for (int m = MaxPairs; m >= 0; --m) {
        if (c.ResultsByMisses[m] != 0) {
            c.Misses = m;
            break;
        }
    }
    return c;
}

QByteArray PackWheelRow(const tWheelRow& row, int triples, int doubles)
{
    QByteArray digits;
    const int n = triples + doubles;
    digits.reserve(n);
    for (int i = 0; i < n; ++i) {
        digits.append(static_cast<char>('0' + row[i]));
    }
    return EncodeWheelRow(digits);
}

bool ReadWheelRows(
    const QString& path, const tWheel& wheel, std::vector<tWheelRow>& rows, QString& error)
{
    rows.clear();
    QByteArray bytes;
    try {
        bytes = ReadWholeFile(path);
    } catch (const RunError& e) {
        error = e.Text();
        return false;
    }
    const int n = wheel.Triples + wheel.Doubles;
    const qsizetype width = (n + 1) / 2;
    const qsizetype lineBytes = width + 2;
    const qsizetype expected = lineBytes * wheel.Combinations;
    if (bytes.size() != expected) {
        error = QStringLiteral("The file holds %1 bytes; %2 lines of %3 characters and CR LF "
                               "take %4.")
                    .arg(bytes.size())
                    .arg(wheel.Combinations)
                    .arg(width)
                    .arg(expected);
        return false;
    }
    try {
        rows.resize(static_cast<std::size_t>(wheel.Combinations));
    } catch (const std::bad_alloc&) {
        error = QStringLiteral("Not enough memory for %1 rows.").arg(wheel.Combinations);
        return false;
    }
    const char* p = bytes.constData();
    for (int r = 0; r < wheel.Combinations; ++r) {
        const char* line = p + static_cast<qsizetype>(r) * lineBytes;
        if (line[width] != '\r' || line[width + 1] != '\n') {
            error = QStringLiteral("Line %1 does not end in CR LF after %2 characters.")
                        .arg(r + 1)
                        .arg(width);
            rows.clear();
            return false;
        }
        tWheelRow& row = rows[static_cast<std::size_t>(r)];
        row.fill(0);
        for (qsizetype c = 0; c < width; ++c) {
            const int code = static_cast<unsigned char>(line[c]) - 33;
            const int high = code / 10;
            const int low = code % 10;
            const int first = static_cast<int>(2 * c);
            const bool lowIsFiller = first + 1 >= n;
            if (code < 0 || code > 99 || high >= Radix(first, wheel.Triples)
                || (lowIsFiller ? low != 0 : low >= Radix(first + 1, wheel.Triples))) {
                error = QStringLiteral("Line %1, character %2 (code %3) is not an allowed pair "
                                       "of digits.")
                            .arg(r + 1)
                            .arg(c + 1)
                            .arg(code + 33);
                rows.clear();
                return false;
            }
            row[static_cast<std::size_t>(first)] = static_cast<std::uint8_t>(high);
            if (!lowIsFiller) {
                row[static_cast<std::size_t>(first + 1)] = static_cast<std::uint8_t>(low);
            }
        }
    }
    return true;
}

WheelFileCheck CheckWheelFile(const QString& path)
{
    WheelFileCheck check;
    const QString name = QFileInfo(path).fileName();
    if (!ParseWheelFileName(name, check.Wheel)) {
        check.Error = QStringLiteral("\"%1\" is not a wheel file name.").arg(name);
        return check;
    }
    if (!ReadWheelRows(path, check.Wheel, check.Rows, check.Error)) {
        return check;
    }
    check.Coverage = MeasureWheel(check.Wheel.Triples, check.Wheel.Doubles, check.Rows);
    if (!check.Coverage.Ok) {
        check.Error = check.Coverage.Error;
        return check;
    }
    const int promised = check.Wheel.OutOf - check.Wheel.Hits;
    if (check.Coverage.Misses > promised) {
        check.Error = QStringLiteral("The name promises at most %1 misses; %2 results suffer %3.")
                          .arg(promised)
                          .arg(check.Coverage.ResultsByMisses[check.Coverage.Misses])
                          .arg(check.Coverage.Misses);
        return check;
    }
    check.Ok = true;
    return check;
}

} // namespace rav
