#include "wgLift.h"

#include <algorithm>
#include <set>

namespace wg {

namespace {

using Vec = std::vector<int>;

// The reduced echelon basis of the span of the rows over GF(p), p = 2 or 3.
std::vector<Vec> Reduce(std::vector<Vec> m, int p)
{
    if (m.empty()) {
        return m;
    }
    const int n = static_cast<int>(m[0].size());
    int r = 0;
    for (int c = 0; c < n && r < static_cast<int>(m.size()); ++c) {
        int pivot = -1;
        for (int i = r; i < static_cast<int>(m.size()); ++i) {
            if (m[i][c] % p != 0) {
                pivot = i;
                break;
            }
        }
        if (pivot < 0) {
            continue;
        }
        std::swap(m[r], m[pivot]);
        const int inverse = (p == 3 && m[r][c] == 2) ? 2 : 1;
        for (int& x : m[r]) {
            x = x * inverse % p;
        }
        for (int i = 0; i < static_cast<int>(m.size()); ++i) {
            if (i != r && m[i][c] != 0) {
                const int f = m[i][c];
                for (int j = 0; j < n; ++j) {
                    m[i][j] = ((m[i][j] - f * m[r][j]) % p + p) % p;
                }
            }
        }
        ++r;
    }
    m.resize(static_cast<std::size_t>(r));
    return m;
}

// A basis of the words of length n orthogonal to every row (over GF(p)).
std::vector<Vec> Dual(const std::vector<Vec>& rows, int n, int p)
{
    const std::vector<Vec> reduced = Reduce(rows, p);
    std::vector<int> pivots;
    std::vector<char> isPivot(static_cast<std::size_t>(n), 0);
    for (const Vec& r : reduced) {
        for (int c = 0; c < n; ++c) {
            if (r[c] != 0) {
                pivots.push_back(c);
                isPivot[static_cast<std::size_t>(c)] = 1;
                break;
            }
        }
    }
    std::vector<Vec> out;
    for (int f = 0; f < n; ++f) {
        if (isPivot[static_cast<std::size_t>(f)]) {
            continue;
        }
        Vec v(static_cast<std::size_t>(n), 0);
        v[static_cast<std::size_t>(f)] = 1;
        for (std::size_t i = 0; i < reduced.size(); ++i) {
            v[static_cast<std::size_t>(pivots[i])] = ((-reduced[i][f]) % p + p) % p;
        }
        out.push_back(v);
    }
    return out;
}

// The words of the span that a random nonzero linear form on the basis sends
// to 0: one dimension fewer.
std::vector<Vec> DropOne(const std::vector<Vec>& basis, int p, std::mt19937_64& rng)
{
    const int n = static_cast<int>(basis.size());
    Vec form(static_cast<std::size_t>(n));
    do {
        for (int& x : form) {
            x = static_cast<int>(rng() % static_cast<std::uint64_t>(p));
        }
    } while (std::all_of(form.begin(), form.end(), [](int x) { return x == 0; }));
    std::vector<Vec> out;
    for (const Vec& co : Dual({ form }, n, p)) {
        Vec v(basis[0].size(), 0);
        for (std::size_t i = 0; i < basis.size(); ++i) {
            for (std::size_t j = 0; j < v.size(); ++j) {
                v[j] = (v[j] + co[i] * basis[i][j]) % p;
            }
        }
        out.push_back(v);
    }
    return out;
}

} // namespace

Translations WheelTranslations(const Code& c)
{
    Translations out;
    if (c.Rows.empty()) {
        return out;
    }
    const int t = c.T, d = c.D;
    const auto plus = [t, d](const Row& x, const Row& v) {
        Row y{};
        for (int i = 0; i < t; ++i) {
            y[i] = static_cast<std::uint8_t>((x[i] + v[i]) % 3);
        }
        for (int i = t; i < t + d; ++i) {
            y[i] = static_cast<std::uint8_t>(x[i] ^ v[i]);
        }
        return y;
    };
    const std::set<Row> rows(c.Rows.begin(), c.Rows.end());
    // The translations found so far, as a whole group: a candidate inside it
    // needs no check, so a wheel that is one large group costs one pass over
    // its rows per generator, not per word.
    std::set<Row> group{ Row{} };
    std::vector<Vec> ternary, binary;
    const Row& first = c.Rows[0];
    // A translation maps the first row onto some row, so the differences from
    // the first row are the only candidates.
    for (const Row& r : c.Rows) {
        Row v{};
        for (int i = 0; i < t; ++i) {
            v[i] = static_cast<std::uint8_t>((r[i] + 3 - first[i]) % 3);
        }
        for (int i = t; i < t + d; ++i) {
            v[i] = static_cast<std::uint8_t>(r[i] ^ first[i]);
        }
        if (group.count(v) != 0) {
            continue;
        }
        const bool keeps = std::all_of(c.Rows.begin(), c.Rows.end(),
            [&](const Row& x) { return rows.count(plus(x, v)) != 0; });
        if (!keeps) {
            continue;
        }
        // The group joined with v: add v until nothing new comes (v has order
        // at most 6).
        for (std::size_t before = 0; before != group.size();) {
            before = group.size();
            std::vector<Row> moved;
            for (const Row& g : group) {
                moved.push_back(plus(g, v));
            }
            group.insert(moved.begin(), moved.end());
        }
        // The group has order 3^i 2^j, so it is the product of its ternary
        // and binary parts: both parts of a translation are translations.
        Vec a(static_cast<std::size_t>(t)), b(static_cast<std::size_t>(d));
        bool anyA = false, anyB = false;
        for (int i = 0; i < t; ++i) {
            a[static_cast<std::size_t>(i)] = v[i];
            anyA = anyA || v[i] != 0;
        }
        for (int i = 0; i < d; ++i) {
            b[static_cast<std::size_t>(i)] = v[t + i];
            anyB = anyB || v[t + i] != 0;
        }
        if (anyA) {
            ternary.push_back(a);
        }
        if (anyB) {
            binary.push_back(b);
        }
    }
    out.Ternary = Reduce(ternary, 3);
    out.Binary = Reduce(binary, 2);
    return out;
}

LiftOutcome LiftSearch(const Code& c, int R, int dropTernary, int dropBinary, std::uint64_t steps,
    int tries, double seconds, std::mt19937_64& rng)
{
    LiftOutcome out;
    const int t = c.T, d = c.D;
    const Translations group = WheelTranslations(c);
    if (dropTernary < 0 || dropBinary < 0 || dropTernary > static_cast<int>(group.Ternary.size())
        || dropBinary > static_cast<int>(group.Binary.size()) || dropTernary + dropBinary == 0) {
        return out;
    }
    const double started = Now();
    for (int attempt = 0; attempt < tries; ++attempt) {
        if (seconds > 0 && Now() - started > seconds) {
            break;
        }
        out.Tries = attempt + 1;
        std::vector<Vec> ternary = group.Ternary, binary = group.Binary;
        for (int i = 0; i < dropTernary; ++i) {
            ternary = DropOne(ternary, 3, rng);
        }
        for (int i = 0; i < dropBinary; ++i) {
            binary = DropOne(binary, 2, rng);
        }
        // The parity checks of what is left: their columns map a row to its coset.
        const std::vector<Vec> h3 = t > 0 ? Dual(ternary, t, 3) : std::vector<Vec>{};
        const std::vector<Vec> h2 = d > 0 ? Dual(binary, d, 2) : std::vector<Vec>{};
        const int a = static_cast<int>(h3.size()), b = static_cast<int>(h2.size());
        std::vector<Elem> tc(static_cast<std::size_t>(t)), bc(static_cast<std::size_t>(d));
        for (int i = 0; i < t; ++i) {
            std::uint32_t ones = 0, twos = 0;
            for (int j = 0; j < a; ++j) {
                ones |= std::uint32_t(h3[j][i] == 1) << j;
                twos |= std::uint32_t(h3[j][i] == 2) << j;
            }
            tc[static_cast<std::size_t>(i)] = MakeElem(ones, twos, 0);
        }
        for (int i = 0; i < d; ++i) {
            std::uint32_t bits = 0;
            for (int j = 0; j < b; ++j) {
                bits |= std::uint32_t(h2[j][i] & 1) << j;
            }
            bc[static_cast<std::size_t>(i)] = MakeElem(0, 0, bits);
        }
        const auto coset = [&](const Row& r) {
            Elem e = 0;
            for (int i = 0; i < t; ++i) {
                if (r[i] != 0) {
                    e = Add(e, r[i] == 1 ? tc[i] : Double(tc[i]));
                }
            }
            for (int i = 0; i < d; ++i) {
                if (r[t + i] != 0) {
                    e = Add(e, bc[i]);
                }
            }
            return e;
        };
        std::set<Elem> own;
        for (const Row& r : c.Rows) {
            own.insert(coset(r));
        }
        const std::vector<Elem> start(own.begin(), own.end());
        const CoverProblem p = SyndromeProblem(a, b, R, tc, bc);
        // The time cap also bounds the search itself: one subgroup's search
        // can take longer than the whole cap where the cosets are many.
        const double left = seconds > 0 ? std::max(1.0, seconds - (Now() - started)) : 0;
        const SearchOutcome w = WeightedCover(p, start.size() - 1, 1, steps, left, rng, &start);
        if (w.Best.empty()) {
            continue;
        }
        // The wheel: every row whose coset was chosen.
        const std::set<Elem> chosen(w.Best.begin(), w.Best.end());
        Code wheel = WholeSpace(t, d);
        std::vector<Row> rows;
        for (const Row& r : wheel.Rows) {
            if (chosen.count(coset(r)) != 0) {
                rows.push_back(r);
            }
        }
        if (rows.size() >= c.Size()) {
            continue;
        }
        wheel.Rows = std::move(rows);
        Canonical(wheel);
        out.Wheel = std::move(wheel);
        out.A = a;
        out.B = b;
        out.Cosets = w.Best.size();
        return out;
    }
    return out;
}

} // namespace wg
