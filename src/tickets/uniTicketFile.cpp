#include "uniTicketFile.h"

#include "language/uniLanguage.h"

#include <QFile>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace rav {

namespace {

// Tickets are written in blocks of this size: large enough that the file
// system sees few, big writes.
constexpr std::size_t kWriteBlock = 4u << 20;

// The longest file name (in bytes, extension included) the file systems the
// program runs on accept.
constexpr qsizetype kMaxFileNameBytes = 255;

// The character of every outcome code: "X" for the draw, the digit otherwise.
constexpr std::array<char, 256> MakeOutcomeTable()
{
    std::array<char, 256> t{};
    for (auto& c : t) {
        c = '?';
    }
    t[0] = 'X';
    for (int code = 1; code <= 9; ++code) {
        t[static_cast<std::size_t>(code)] = static_cast<char>('0' + code);
    }
    return t;
}
constexpr std::array<char, 256> kOutcomeChar = MakeOutcomeTable();

// A decimal number right-aligned in a fixed field, counted up one by one, so
// that millions of lines need no conversion each.
class FieldCounter {
public:
    explicit FieldCounter(int width)
        : width_(width)
    {
        std::memset(digits_, ' ', sizeof digits_);
    }
    void Increment()
    {
        int j = width_ - 1;
        for (;;) {
            char& c = digits_[j];
            if (c == ' ') {
                c = '1';
                return;
            }
            if (c != '9') {
                ++c;
                return;
            }
            c = '0';
            if (--j < 0) {
                return; // the field is full; callers size it for the largest number
            }
        }
    }
    const char* Data() const { return digits_; }

private:
    int width_;
    char digits_[24];
};

} // namespace

QByteArray ProductLine()
{
    return QByteArray("Ravolin - ") + kProductHost;
}

int DecimalDigits(std::int64_t n)
{
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

QByteArray TicketLine(const tCombination& row, std::int64_t number, int width, int pairs)
{
    QByteArray line = QByteArray::number(static_cast<qlonglong>(number));
    if (line.size() < width) {
        line.prepend(QByteArray(width - line.size(), ' '));
    }
    line.append(": ", 2);
    for (int k = 1; k <= pairs; ++k) {
        if (k > 1) {
            line.append('-');
        }
        line.append(kOutcomeChar[row[static_cast<std::size_t>(k)]]);
    }
    return line;
}

QString TicketFolder(const AppState& st)
{
    return st.ProgramFolder + QStringLiteral("tickets/") + QString::number(st.CurrentPairs())
        + QLatin1Char('/');
}

QString TicketPath(const AppState& st, const QString& name)
{
    return TicketFolder(st) + name + QStringLiteral(".txt");
}

bool IsValidTicketName(const QString& name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String("..")) {
        return false;
    }
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c == QLatin1Char('/') || c == QLatin1Char('\\')) {
            return false;
        }
        if (c.category() == QChar::Other_Control) {
            return false;
        }
        if (c.isHighSurrogate()) {
            if (i + 1 >= name.size() || !name.at(i + 1).isLowSurrogate()) {
                return false;
            }
            ++i;
        } else if (c.isLowSurrogate()) {
            return false;
        }
    }
    const QString fileName = name + QStringLiteral(".txt");
#ifdef _WIN32
    return fileName.size() <= kMaxFileNameBytes;
#else
    return QFile::encodeName(fileName).size() <= kMaxFileNameBytes;
#endif
}

void WriteTicket(const QString& path, const AppState& st, const QByteArray& description,
    const TicketProgress& progress)
{
    AtomicWriter out(path);
    QByteArray head = ProductLine();
    head.append("\r\n", 2);
    head.append(description);
    head.append("\r\n", 2);
    out.Write(head);

    const std::int64_t count = st.CombinationCount;
    const int pairs = st.CurrentPairs();
    if (count > 0 && pairs > 0) {
        const int width = DecimalDigits(count);
        const std::size_t lineLength = static_cast<std::size_t>(width + 2 + 2 * pairs - 1 + 2);
        std::vector<char> block(kWriteBlock);
        std::size_t fill = 0;
        FieldCounter number(width);
        const tCombination* rows = st.CombinationList.Data();
        for (std::int64_t i = 1; i <= count; ++i) {
            if (fill + lineLength > block.size()) {
                out.Write(block.data(), fill);
                fill = 0;
                if (progress) {
                    progress(i - 1);
                }
            }
            number.Increment();
            char* p = block.data() + fill;
            std::memcpy(p, number.Data(), static_cast<std::size_t>(width));
            p += width;
            *p++ = ':';
            *p++ = ' ';
            const tCombination& row = rows[i];
            *p++ = kOutcomeChar[row[1]];
            for (int k = 2; k <= pairs; ++k) {
                *p++ = '-';
                *p++ = kOutcomeChar[row[static_cast<std::size_t>(k)]];
            }
            *p++ = '\r';
            *p++ = '\n';
            fill += lineLength;
        }
        out.Write(block.data(), fill);
        if (progress) {
            progress(count);
        }
    }
    out.Commit();
}

void SaveTicket(const AppState& st, const QString& name, const QString& description,
    const TicketProgress& progress)
{
    if (!IsValidTicketName(name)) {
        throw RunError(QStringLiteral("Invalid filename"));
    }
    WriteTicket(TicketPath(st, name), st,
        EncodeText(description, LanguageCodePage(st.LanguageName)), progress);
}

std::int64_t WheelPrintLineCount(const AppState& st)
{
    const std::int64_t count = std::max<std::int64_t>(st.CombinationCount, 0);
    return count + (st.WheelMode == 1 ? 1 : 0);
}

QString WheelPrintLine(const AppState& st, std::int64_t index)
{
    if (st.WheelMode == 1) {
        if (index == 0) {
            return st.Words.LangFullWheel + QStringLiteral(": ")
                + QString::number(st.CombinationCount) + QLatin1Char(' ')
                + st.Words.LangCombinations;
        }
        --index;
    }
    const std::int64_t number = index + 1;
    return QString::fromLatin1(TicketLine(st.CombinationList[static_cast<std::size_t>(number)],
        number, DecimalDigits(st.CombinationCount), st.CurrentPairs()));
}

} // namespace rav
