#include "uniGlobal.h"

#include <cstdint>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace rav {

bool CombinationStore::Resize(std::size_t rows) noexcept
{
    if (rows <= capacity_ && rows_) {
        return true;
    }
    // Release the old rows first, so a large list never needs twice the memory.
    rows_.reset();
    capacity_ = 0;
    // Default-initialised: the rows are not zero-filled, the generator writes them.
    tCombination* p = new (std::nothrow) tCombination[rows];
    if (p == nullptr) {
        return false;
    }
#ifdef __linux__
    // A large list is first touched by the generator row after row: large pages
    // spare the system most of the page faults (the full wheel of 15 triples
    // fills 230 MB).
    constexpr std::uintptr_t kLargePage = std::uintptr_t(2) << 20;
    const auto begin = (reinterpret_cast<std::uintptr_t>(p) + kLargePage - 1) & ~(kLargePage - 1);
    const auto end = reinterpret_cast<std::uintptr_t>(p + rows) & ~(kLargePage - 1);
    if (end > begin) {
        madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE);
    }
#endif
    rows_.reset(p);
    capacity_ = rows;
    return true;
}

void CombinationStore::Clear() noexcept
{
    rows_.reset();
    capacity_ = 0;
}

int AppState::CurrentPairs() const
{
    if (CurrentGame < 1 || CurrentGame > GameCount) {
        return 0;
    }
    return Games[CurrentGame].Pairs;
}

QString RightStr(const QString& s, int n)
{
    if (n <= 0) {
        return QString();
    }
    return s.size() <= n ? s : s.right(n);
}

QString LeftStr(const QString& s, int n)
{
    if (n <= 0) {
        return QString();
    }
    return s.left(n);
}

int FirstCharCode(const QString& s)
{
    return s.isEmpty() ? 0 : s.at(0).unicode();
}

bool IsNumber(const QString& s)
{
    if (s.isEmpty()) {
        return false;
    }
    for (QChar c : s) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

void RebuildSelection(AppState& st, const std::array<std::array<bool, 3>, MaxPairs>& marked)
{
    static constexpr std::uint8_t columnCode[3] = {CodeHome, CodeDraw, CodeAway};
    st.ClearSelection();
    for (int p = 1; p <= MaxPairs; ++p) {
        tSelectionEntry& e = st.Selection[p];
        for (int o = 0; o < 3; ++o) {
            if (marked[p - 1][o]) {
                e.Codes[e.Count] = columnCode[o];
                ++e.Count;
            }
        }
    }
}

tSelectionCounts CountSelection(const AppState& st)
{
    tSelectionCounts c;
    c.Product = 1;
    const int n = st.CurrentPairs();
    for (int p = 1; p <= n && p <= MaxPairs; ++p) {
        const int count = st.Selection[p].Count;
        if (count == 1) {
            ++c.Singles;
        } else if (count == 2) {
            ++c.Doubles;
        } else if (count == 3) {
            ++c.Triples;
        }
        c.Product *= count;
    }
    if (n < 1) {
        c.Product = 0;
    }
    return c;
}

QString StatusLineText(const AppState& st)
{
    const tSelectionCounts c = CountSelection(st);
    const tUiWords& w = st.Words;
    return w.LangSelected + QStringLiteral(": ") + QString::number(c.Singles) + QLatin1Char(' ')
           + w.LangSingles + QStringLiteral(", ") + QString::number(c.Doubles) + QLatin1Char(' ')
           + w.LangDoubles + QStringLiteral(", ") + QString::number(c.Triples) + QLatin1Char(' ')
           + w.LangTriples + QStringLiteral(". ") + QLatin1Char(' ') + w.LangFullWheel
           + QStringLiteral(": ") + QString::number(c.Product) + QLatin1Char(' ')
           + w.LangCombinations + QLatin1Char('.');
}

bool AllPairsMarked(const AppState& st)
{
    const int n = st.CurrentPairs();
    if (n < 1) {
        return false;
    }
    for (int p = 1; p <= n && p <= MaxPairs; ++p) {
        if (st.Selection[p].Count == 0) {
            return false;
        }
    }
    return true;
}

QString GuaranteeCaption(const AppState& st, int level)
{
    const int n = st.CurrentPairs();
    return QString::number(n - level) + QLatin1Char(' ') + st.Words.LangOf + QLatin1Char(' ')
           + QString::number(n);
}

int RowPitch(int pairs)
{
    static constexpr int pitch[6] = {36, 34, 32, 30, 28, 27};
    if (pairs < MinPairs) {
        pairs = MinPairs;
    }
    if (pairs > MaxPairs) {
        pairs = MaxPairs;
    }
    return pitch[pairs - MinPairs];
}

QChar OutcomeChar(std::uint8_t code)
{
    return code == CodeDraw ? QLatin1Char('X') : QChar(QLatin1Char(static_cast<char>('0' + code)));
}

} // namespace rav
