#include "tickets/uniViewerPages.h"

#include "tickets/uniTicketFile.h"

#include <algorithm>

namespace rav {

namespace {

// The combinations the list really holds: never more rows than were allocated.
std::int64_t StoredCount(const AppState& st)
{
    const std::int64_t capacity = static_cast<std::int64_t>(st.CombinationList.Capacity());
    const std::int64_t rows = capacity > 0 ? capacity - 1 : 0;
    return std::clamp<std::int64_t>(st.CombinationCount, 0, rows);
}

} // namespace

int ViewerNumberWidth(std::int64_t count)
{
    return std::max(3, DecimalDigits(count < 0 ? 0 : count));
}

QString ViewerLine(const tCombination& row, std::int64_t number, int width, int pairs)
{
    pairs = std::clamp(pairs, 0, MaxPairs);
    char digits[24];
    int nd = 0;
    std::uint64_t v = number < 0 ? 0 : static_cast<std::uint64_t>(number);
    do {
        digits[nd++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0);
    const int field = std::max(width, nd);
    QString line(field + 2 + 2 * pairs, Qt::Uninitialized);
    QChar* out = line.data();
    for (int i = nd; i < field; ++i) {
        *out++ = QLatin1Char(' ');
    }
    while (nd > 0) {
        *out++ = QLatin1Char(digits[--nd]);
    }
    *out++ = QLatin1Char(':');
    *out++ = QLatin1Char(' ');
    for (int p = 1; p <= pairs; ++p) {
        *out++ = OutcomeChar(row[p]);
        *out++ = QLatin1Char(' ');
    }
    return line;
}

QStringList ViewerLines(const AppState& st, std::int64_t first, std::int64_t last)
{
    QStringList lines;
    const std::int64_t count = StoredCount(st);
    first = std::max<std::int64_t>(first, 1);
    last = std::min(last, count);
    if (last < first) {
        return lines;
    }
    const int width = ViewerNumberWidth(st.CombinationCount);
    const int pairs = st.CurrentPairs();
    lines.reserve(static_cast<qsizetype>(last - first + 1));
    const tCombination* rows = st.CombinationList.Data();
    for (std::int64_t i = first; i <= last; ++i) {
        lines.append(ViewerLine(rows[i], i, width, pairs));
    }
    return lines;
}

bool ViewerLineNumber(const QString& line, std::int64_t* number)
{
    const qsizetype colon = line.lastIndexOf(QLatin1Char(':'));
    if (colon < 0) {
        return false;
    }
    qsizetype i = 0;
    while (i < colon && line.at(i) == QLatin1Char(' ')) {
        ++i;
    }
    if (i == colon || colon - i > 18) {
        return false;
    }
    std::int64_t n = 0;
    for (; i < colon; ++i) {
        const QChar c = line.at(i);
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
        n = n * 10 + (c.unicode() - '0');
    }
    *number = n;
    return true;
}

ViewerPage FirstViewerPage(std::int64_t count)
{
    ViewerPage page;
    page.First = 1;
    page.Last = std::min<std::int64_t>(count, kPageLines);
    page.ForwardEnabled = page.EndEnabled = count > page.Last;
    return page;
}

ViewerPage NextViewerPage(std::int64_t count, std::int64_t lastShown)
{
    ViewerPage page;
    page.First = lastShown + 1;
    page.Last = std::min<std::int64_t>(page.First + kPageLines - 1, count);
    page.ForwardEnabled = page.EndEnabled = count > page.Last;
    page.StartEnabled = page.BackEnabled = true;
    return page;
}

ViewerPage PreviousViewerPage(std::int64_t count, std::int64_t firstShown)
{
    ViewerPage page;
    page.Last = firstShown - 1;
    page.First = page.Last - (kPageLines - 1);
    if (page.First < 1) {
        page.First = 1;
        page.Last = std::min<std::int64_t>(kPageLines, count);
    }
    // A line left from a larger wheel never reaches past the current one.
    page.Last = std::min(page.Last, count);
    page.ForwardEnabled = page.EndEnabled = true;
    page.StartEnabled = page.BackEnabled = page.First > 1;
    return page;
}

ViewerPage LastViewerPage(std::int64_t count)
{
    ViewerPage page;
    page.First = std::max<std::int64_t>(count - (kPageLines - 1), 1);
    page.Last = count;
    page.StartEnabled = page.BackEnabled = true;
    return page;
}

} // namespace rav
