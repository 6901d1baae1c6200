#include "uniWheels.h"

#include "model/uniIO.h"

namespace rav {

namespace {

constexpr int kNameDigits = 14;
const QLatin1String kWheelSuffix(".txt");

bool IsAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

int Field(const QString& name, int from, int width)
{
    return StrToInt(name.mid(from, width));
}

} // namespace

bool ParseWheelFileName(const QString& name, tWheel& wheel)
{
    if (name.size() != kNameDigits + kWheelSuffix.size()
        || !name.endsWith(kWheelSuffix, Qt::CaseInsensitive)) {
        return false;
    }
    for (int i = 0; i < kNameDigits; ++i) {
        if (!IsAsciiDigit(name.at(i))) {
            return false;
        }
    }
    tWheel w;
    w.Triples = Field(name, 0, 2);
    w.Doubles = Field(name, 2, 2);
    w.Hits = Field(name, 4, 2);
    w.OutOf = Field(name, 6, 2);
    w.Combinations = Field(name, 8, 6);
    w.FileName = name;
    const int misses = w.OutOf - w.Hits;
    if (w.Triples + w.Doubles > MaxPairs || misses < 1 || misses > 3 || w.Combinations < 1) {
        return false;
    }
    wheel = w;
    return true;
}

void LoadWheelList(AppState& st)
{
    st.WheelCount = 0;
    const QString folder = st.ProgramFolder + QLatin1String(kWheelsFolder);
    for (const QString& name : ListFolder(folder, kWheelSuffix)) {
        if (st.WheelCount == MaxWheels) {
            break;
        }
        tWheel wheel;
        if (ParseWheelFileName(name, wheel)) {
            st.Wheels[++st.WheelCount] = wheel;
        }
    }
}

QStringList WheelListLines(const AppState& st, int level, int pairs)
{
    QStringList lines;
    for (int i = 1; i <= st.WheelCount; ++i) {
        const tWheel& w = st.Wheels[i];
        if (w.OutOf - w.Hits == level && w.Triples + w.Doubles <= pairs) {
            lines.append(FormatWheelLine(w));
        }
    }
    return lines;
}

QString FormatWheelLine(const tWheel& wheel)
{
    return QLatin1Char(' ') + RightStr(QLatin1Char(' ') + QString::number(wheel.Triples), 2)
           + QStringLiteral("     ")
           + RightStr(QLatin1Char(' ') + QString::number(wheel.Doubles), 2) + QStringLiteral("    ")
           + RightStr(QStringLiteral("      ") + QString::number(wheel.Combinations), 6)
           + QStringLiteral("  ");
}

int FindWheel(const AppState& st, int level)
{
    const tSelectionCounts counts = CountSelection(st);
    int found = 0;
    for (int i = 1; i <= st.WheelCount; ++i) {
        const tWheel& w = st.Wheels[i];
        if (w.Doubles == counts.Doubles && w.Triples == counts.Triples
            && w.OutOf - w.Hits == level) {
            found = i;
        }
    }
    return found;
}

QByteArray DecodeWheelRow(const QByteArray& line)
{
    QByteArray digits;
    digits.reserve(line.size() * 2);
    for (char c : line) {
        const QByteArray part = QByteArray::number(static_cast<unsigned char>(c) - 33);
        if (part.size() == 1) {
            digits.append('0');
        }
        digits.append(part);
    }
    return digits;
}

QByteArray EncodeWheelRow(const QByteArray& digits)
{
    for (char c : digits) {
        if (c < '0' || c > '9') {
            throw RunError(QStringLiteral("'%1' is not a valid integer value")
                               .arg(QString::fromLatin1(digits)));
        }
    }
    QByteArray line;
    line.reserve((digits.size() + 1) / 2);
    for (qsizetype i = 0; i < digits.size(); i += 2) {
        const int high = digits[i] - '0';
        const int low = i + 1 < digits.size() ? digits[i + 1] - '0' : 0;
        line.append(static_cast<char>(33 + high * 10 + low));
    }
    return line;
}

} // namespace rav
