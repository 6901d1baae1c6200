#include "engine/uniCombinations.h"

#include "model/uniIO.h"

#include <array>
#include <cstring>
#include <vector>

namespace rav {

namespace {

// Every list has this many rows beyond its combinations.
constexpr std::size_t kSpareRows = 10;

// The fastest pairs are enumerated once into a block of at most this many rows
// (small enough to stay in the processor's cache); the slower pairs are then
// stepped one block at a time, and each block is copied under their outcomes.
constexpr std::int64_t kBlockLimit = 8192;

// The block of the fastest pairs, in odometer order. Each row holds the codes of
// the block's own pairs and zero in every other byte; its key is the number of
// "1" times 16 plus the number of "X" among the block's pairs.
struct Block {
    int firstPair = 1; // pairs firstPair..n belong to the block
    int pairs = 0; // how many they are
    std::vector<tCombination> rows;
    std::vector<std::uint8_t> keys;
    std::vector<std::uint8_t> distinctKeys;
};

std::uint8_t KeyStep(std::uint8_t code)
{
    if (code == CodeHome) {
        return 16;
    }
    return code == CodeDraw ? 1 : 0;
}

int MarkCount(const AppState& st, int pair)
{
    const int count = st.Selection[pair].Count;
    return count > 3 ? 3 : count;
}

Block BuildBlock(const AppState& st, int n)
{
    Block b;
    std::int64_t size = 1;
    int first = n;
    while (first > 1 && size * MarkCount(st, first) <= kBlockLimit) {
        size *= MarkCount(st, first);
        --first;
    }
    if (size * MarkCount(st, first) <= kBlockLimit) {
        --first; // every pair fits into one block
    }
    b.firstPair = first + 1;
    b.pairs = n - first;

    b.rows.assign(1, tCombination {});
    b.keys.assign(1, 0);
    for (int p = b.firstPair; p <= n; ++p) {
        const tSelectionEntry& e = st.Selection[p];
        const int count = MarkCount(st, p);
        std::vector<tCombination> rows;
        std::vector<std::uint8_t> keys;
        rows.reserve(b.rows.size() * count);
        keys.reserve(b.rows.size() * count);
        for (std::size_t r = 0; r < b.rows.size(); ++r) {
            for (int j = 0; j < count; ++j) {
                tCombination row = b.rows[r];
                row[p] = e.Codes[j];
                rows.push_back(row);
                keys.push_back(static_cast<std::uint8_t>(b.keys[r] + KeyStep(e.Codes[j])));
            }
        }
        b.rows.swap(rows);
        b.keys.swap(keys);
    }
    std::array<bool, 256> seen {};
    for (std::uint8_t k : b.keys) {
        if (!seen[k]) {
            seen[k] = true;
            b.distinctKeys.push_back(k);
        }
    }
    return b;
}

// The outcomes of the slower pairs 1..outer for one block, and how many of them
// are "X" (index 0), "1" (index 1) and "2" (index 2).
struct Prefix {
    tCombination row {};
    std::array<int, 3> counts {};
};

// Calls visit(prefix) for every choice of outcomes of pairs 1..outer, pair 1
// slowest, each pair's outcomes in the order of its selection entry.
template <class Visit> void WalkPrefixes(const AppState& st, int outer, Visit&& visit)
{
    std::array<int, MaxPairs + 1> index {};
    Prefix prefix;
    for (int p = 1; p <= outer; ++p) {
        const std::uint8_t code = st.Selection[p].Codes[0];
        prefix.row[p] = code;
        ++prefix.counts[code > 2 ? 2 : code];
    }
    for (;;) {
        visit(prefix);
        int p = outer;
        for (; p >= 1; --p) {
            const tSelectionEntry& e = st.Selection[p];
            const std::uint8_t old = prefix.row[p];
            index[p] = index[p] + 1 < MarkCount(st, p) ? index[p] + 1 : 0;
            const std::uint8_t code = e.Codes[index[p]];
            --prefix.counts[old > 2 ? 2 : old];
            ++prefix.counts[code > 2 ? 2 : code];
            prefix.row[p] = code;
            if (index[p] != 0) {
                break;
            }
        }
        if (p < 1) {
            return;
        }
    }
}

// One tick for every multiple of `interval` in (before, after].
void TickSpan(
    ProgressSink* progress, std::int64_t before, std::int64_t after, std::int64_t interval)
{
    if (progress == nullptr) {
        return;
    }
    for (std::int64_t k = after / interval - before / interval; k > 0; --k) {
        progress->Tick();
    }
}

void CopyUnder(
    tCombination* dst, const tCombination* src, std::size_t rows, const tCombination& prefix)
{
    std::uint64_t p[2];
    std::memcpy(p, prefix.data(), sizeof p);
    for (std::size_t i = 0; i < rows; ++i) {
        std::uint64_t v[2];
        std::memcpy(v, src[i].data(), sizeof v);
        v[0] |= p[0];
        v[1] |= p[1];
        std::memcpy(dst[i].data(), v, sizeof v);
    }
}

GenerationResult Failed(AppState& st, const QString& error)
{
    st.CombinationCount = 0;
    GenerationResult r;
    r.Ok = false;
    r.Error = error;
    return r;
}

int PairsToEnumerate(const AppState& st)
{
    const int n = st.CurrentPairs();
    return n >= 1 && n <= MaxPairs ? n : 0;
}

} // namespace

std::int32_t CandidateCount(const AppState& st)
{
    const int n = PairsToEnumerate(st);
    if (n == 0) {
        return 0;
    }
    std::int32_t total = 1;
    for (int p = 1; p <= n; ++p) {
        total *= MarkCount(st, p);
    }
    return total;
}

QString WheelDescription(const QString& kind, std::int32_t count, const QString& combinations)
{
    return kind + QStringLiteral(" (") + QString::number(count) + QLatin1Char(' ') + combinations
        + QLatin1Char(')');
}

QString NotEnoughMemoryText(std::int64_t rows)
{
    return QStringLiteral("Not enough memory for %1 combinations").arg(rows);
}

bool BoundsAreNumbers(const ConditionTexts& bounds)
{
    for (const QString& text : bounds) {
        if (!IsNumber(text)) {
            return false;
        }
    }
    return true;
}

QString StepBound(const QString& text, int pairs, bool up)
{
    qlonglong v = 1;
    if (IsNumber(text)) {
        bool ok = false;
        const qlonglong parsed = text.toLongLong(&ok);
        if (ok) {
            v = parsed;
        }
    }
    if (up) {
        if (v < pairs) {
            ++v;
        }
    } else if (v > 0) {
        --v;
    }
    return QString::number(v);
}

GenerationResult MakeFullWheel(AppState& st, ProgressSink* progress)
{
    // The earlier result is void from here on, whatever happens below.
    st.CombinationCount = 0;
    const std::int32_t total = CandidateCount(st);
    if (!st.CombinationList.Resize(static_cast<std::size_t>(total) + kSpareRows)) {
        return Failed(st, NotEnoughMemoryText(total));
    }
    const std::int64_t interval = ProgressInterval(total);
    std::int64_t c = 0;
    if (total > 0) {
        const Block block = BuildBlock(st, PairsToEnumerate(st));
        tCombination* list = st.CombinationList.Data();
        const std::size_t size = block.rows.size();
        WalkPrefixes(st, block.firstPair - 1, [&](const Prefix& prefix) {
            CopyUnder(list + c + 1, block.rows.data(), size, prefix.row);
            TickSpan(progress, c, c + static_cast<std::int64_t>(size), interval);
            c += static_cast<std::int64_t>(size);
        });
    }
    st.CombinationCount = static_cast<std::int32_t>(c);
    GenerationResult r;
    r.Description
        = WheelDescription(st.Words.LangFullWheel, st.CombinationCount, st.Words.LangCombinations);
    return r;
}

GenerationResult MakeConditionedWheel(
    AppState& st, const ConditionTexts& bounds, ProgressSink* progress)
{
    st.CombinationCount = 0;
    // Min1, MinX, Min2, Max1, MaxX, Max2, compared as signed integers.
    std::array<int, 6> b {};
    try {
        for (std::size_t i = 0; i < b.size(); ++i) {
            b[i] = StrToInt(bounds[i]);
        }
    } catch (const RunError& e) {
        return Failed(st, e.Text());
    }
    const std::int32_t total = CandidateCount(st);
    if (!st.CombinationList.Resize(static_cast<std::size_t>(total) + kSpareRows)) {
        return Failed(st, NotEnoughMemoryText(total));
    }
    const std::int64_t interval = ProgressInterval(total);
    std::int64_t c = 0;
    if (total > 0) {
        const Block block = BuildBlock(st, PairsToEnumerate(st));
        tCombination* list = st.CombinationList.Data();
        const std::size_t size = block.rows.size();
        std::int64_t nextTick = interval;
        std::array<std::uint8_t, 256> accept {};
        WalkPrefixes(st, block.firstPair - 1, [&](const Prefix& prefix) {
            // Which counts of the block's own pairs complete this prefix into an
            // accepted combination.
            bool any = false;
            for (std::uint8_t k : block.distinctKeys) {
                const int home = prefix.counts[CodeHome] + (k >> 4);
                const int draw = prefix.counts[CodeDraw] + (k & 15);
                const int away = prefix.counts[CodeAway] + block.pairs - (k >> 4) - (k & 15);
                const bool ok = b[0] <= home && home <= b[3] && b[1] <= draw && draw <= b[4]
                    && b[2] <= away && away <= b[5];
                accept[k] = ok ? 1 : 0;
                any = any || ok;
            }
            if (!any) {
                return;
            }
            std::uint64_t p[2];
            std::memcpy(p, prefix.row.data(), sizeof p);
            for (std::size_t i = 0; i < size; ++i) {
                if (accept[block.keys[i]] == 0) {
                    continue;
                }
                ++c;
                std::uint64_t v[2];
                std::memcpy(v, block.rows[i].data(), sizeof v);
                v[0] |= p[0];
                v[1] |= p[1];
                std::memcpy(list[c].data(), v, sizeof v);
                if (c == nextTick) {
                    if (progress != nullptr) {
                        progress->Tick();
                    }
                    nextTick += interval;
                }
            }
        });
    }
    st.CombinationCount = static_cast<std::int32_t>(c);
    GenerationResult r;
    r.Description
        = WheelDescription(st.Words.LangCondWheel, st.CombinationCount, st.Words.LangCombinations);
    return r;
}

} // namespace rav
