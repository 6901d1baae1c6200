#include "wgOrbits.h"

#include <algorithm>
#include <chrono>
#include <numeric>
#include <set>

namespace wg {

namespace {

// The search keeps, for every orbit, the orbits within reach of it; spaces
// whose lists would hold more entries than this are left alone.
constexpr std::uint64_t kMaxReachEntries = 40000000;
// The results of a space are numbered densely (3^15 at most).
constexpr std::uint64_t kMaxPoints = 14348907;
// Work allowed for weighing the moves of one step (orbits of the wheel times
// the length of their reach lists, per candidate).
constexpr std::uint64_t kStepWork = 200000;

std::uint32_t Permute(std::uint32_t mask, const std::vector<int>& perm)
{
    if (perm.empty()) {
        return mask;
    }
    std::uint32_t out = 0;
    for (std::size_t i = 0; i < perm.size(); ++i) {
        if (mask >> i & 1) {
            out |= 1u << perm[i];
        }
    }
    return out;
}

// The cyclic shift of n coordinates and, for each multiplier m whose powers
// form a new subgroup of the units mod n, the shift together with i -> m i.
struct CyclicPart {
    std::string Name;
    std::vector<std::vector<int>> Perms;
    std::uint64_t Order = 1;
};

std::vector<CyclicPart> CyclicParts(int n, const char* what)
{
    std::vector<CyclicPart> out;
    out.push_back({ "", {}, 1 });
    if (n < 3) {
        return out;
    }
    std::vector<int> shift(n);
    for (int i = 0; i < n; ++i) {
        shift[i] = (i + 1) % n;
    }
    out.push_back({ std::string(what) + " shifted cyclically", { shift },
        static_cast<std::uint64_t>(n) });
    std::set<std::set<int>> seen;
    for (int m = 2; m < n; ++m) {
        if (std::gcd(m, n) != 1) {
            continue;
        }
        std::set<int> powers;
        for (int x = 1; powers.insert(x).second; x = x * m % n) {
        }
        if (!seen.insert(powers).second) {
            continue;
        }
        std::vector<int> times(n);
        for (int i = 0; i < n; ++i) {
            times[i] = i * m % n;
        }
        out.push_back({ std::string(what) + " shifted cyclically, indices times "
                + std::to_string(m),
            { shift, times }, static_cast<std::uint64_t>(n) * powers.size() });
    }
    return out;
}

// Polynomials over GF(q), coefficients lowest first.
using Poly = std::vector<int>;

// (x^n - 1) / h over GF(q) for a monic h; empty if h does not divide x^n - 1.
Poly DivideXnMinusOne(int n, const Poly& h, int q)
{
    const int m = static_cast<int>(h.size()) - 1;
    Poly rest(n + 1, 0), quotient(n - m + 1, 0);
    rest[0] = q - 1;
    rest[n] = 1;
    for (int i = n; i >= m; --i) {
        const int c = rest[i];
        quotient[i - m] = c;
        for (int j = 0; j <= m; ++j) {
            rest[i - m + j] = ((rest[i - m + j] - c * h[j]) % q + q) % q;
        }
    }
    for (int i = 0; i < m; ++i) {
        if (rest[i] != 0) {
            return {};
        }
    }
    return quotient;
}

std::string PolyText(const Poly& p)
{
    std::string out;
    for (int i = static_cast<int>(p.size()) - 1; i >= 0; --i) {
        if (p[i] == 0) {
            continue;
        }
        if (!out.empty()) {
            out += "+";
        }
        if (p[i] != 1 || i == 0) {
            out += std::to_string(p[i]);
        }
        if (i >= 1) {
            out += "x";
        }
        if (i >= 2) {
            out += '^';
            out += std::to_string(i);
        }
    }
    return out;
}

// The cyclic codes of length n over GF(q) with 2 to 6 information digits
// (at most a few per dimension), each given by its check polynomial h and the
// words x^i g, i < deg h, that span it (g = (x^n - 1) / h).
struct CyclicCode {
    Poly Check;
    std::vector<Poly> Basis;
};

std::vector<CyclicCode> CyclicCodes(int n, int q)
{
    std::vector<CyclicCode> out;
    if (n < 4 || n % q == 0) {
        return out;
    }
    for (int m = 2; m <= std::min(6, n - 2); ++m) {
        int found = 0;
        Poly h(m + 1, 0);
        h[m] = 1;
        std::uint64_t count = 1;
        for (int i = 0; i < m; ++i) {
            count *= static_cast<std::uint64_t>(q);
        }
        for (std::uint64_t code = 0; code < count && found < 4; ++code) {
            std::uint64_t c = code;
            for (int i = 0; i < m; ++i) {
                h[i] = static_cast<int>(c % q);
                c /= q;
            }
            if (h[0] == 0) {
                continue;
            }
            const Poly g = DivideXnMinusOne(n, h, q);
            if (g.empty()) {
                continue;
            }
            CyclicCode cc;
            cc.Check = h;
            for (int i = 0; i < m; ++i) {
                Poly w(n, 0);
                for (std::size_t j = 0; j < g.size(); ++j) {
                    w[i + j] = g[j];
                }
                cc.Basis.push_back(w);
            }
            out.push_back(cc);
            ++found;
        }
    }
    return out;
}

} // namespace

Elem Apply(const Symmetry& s, Elem x)
{
    std::uint32_t ones = Permute(Ones(x), s.TriplePerm);
    std::uint32_t twos = Permute(Twos(x), s.TriplePerm);
    const std::uint32_t bits = Permute(Bits(x), s.DoublePerm);
    if (s.Negate) {
        std::swap(ones, twos);
    }
    return Add(MakeElem(ones, twos, bits), s.Shift);
}

std::vector<SymmetryGroup> CandidateGroups(int t, int d)
{
    struct Part {
        std::string Name;
        std::vector<Symmetry> Generators;
        std::uint64_t Order;
    };
    std::vector<Part> triples, doubles, outcomes, complements;
    // A symmetry that permutes one kind of coordinate, or adds a word made
    // of that kind only (digits 0, 1, 2 of a triple; 0, 1 of a double).
    const auto permuting = [](bool ternary, const std::vector<int>& perm) {
        Symmetry s;
        (ternary ? s.TriplePerm : s.DoublePerm) = perm;
        return s;
    };
    const auto adding = [](bool ternary, const Poly& w) {
        std::uint32_t ones = 0, twos = 0;
        for (std::size_t i = 0; i < w.size(); ++i) {
            ones |= (w[i] == 1 ? 1u : 0u) << i;
            twos |= (w[i] == 2 ? 1u : 0u) << i;
        }
        Symmetry s;
        s.Shift = ternary ? MakeElem(ones, twos, 0) : MakeElem(0, 0, ones);
        return s;
    };
    // The shifts with their multipliers of one kind of coordinate.
    const auto cyclic = [&](int n, bool ternary) {
        std::vector<Part> out;
        for (const CyclicPart& c : CyclicParts(n, ternary ? "triples" : "doubles")) {
            Part p{ c.Name, {}, c.Order };
            for (const auto& perm : c.Perms) {
                p.Generators.push_back(permuting(ternary, perm));
            }
            out.push_back(p);
        }
        return out;
    };
    // The shift together with adding the words of a cyclic code: a wheel of
    // whole orbits is then a union of cosets of that code that the shift
    // permutes.
    const auto withCodes = [&](int n, bool ternary) {
        std::vector<Part> out;
        std::vector<int> shift(n);
        for (int i = 0; i < n; ++i) {
            shift[i] = (i + 1) % n;
        }
        for (const CyclicCode& cc : CyclicCodes(n, ternary ? 3 : 2)) {
            Part p{ std::string(ternary ? "triples" : "doubles")
                    + " shifted cyclically, rows of the cyclic code with check polynomial "
                    + PolyText(cc.Check) + " added",
                { permuting(ternary, shift) }, static_cast<std::uint64_t>(n) };
            for (const Poly& w : cc.Basis) {
                p.Generators.push_back(adding(ternary, w));
                p.Order *= ternary ? 3 : 2;
            }
            out.push_back(p);
        }
        return out;
    };
    const auto append = [](std::vector<Part>& to, std::vector<Part> from) {
        to.insert(to.end(), std::make_move_iterator(from.begin()),
            std::make_move_iterator(from.end()));
    };
    append(triples, cyclic(t, true));
    append(triples, withCodes(t, true));
    append(doubles, withCodes(d, false));
    append(doubles, cyclic(d, false));
    outcomes.push_back({ "", {}, 1 });
    if (t > 0) {
        Symmetry plus;
        plus.Shift = MakeElem((1u << t) - 1, 0, 0);
        outcomes.push_back({ "1 added on every triple", { plus }, 3 });
        Symmetry swap;
        swap.Negate = true;
        outcomes.push_back({ "1 and 2 swapped on every triple", { swap }, 2 });
        outcomes.push_back({ "the outcomes permuted alike on every triple", { plus, swap }, 6 });
    }
    complements.push_back({ "", {}, 1 });
    if (d > 0) {
        Symmetry flip;
        flip.Shift = MakeElem(0, 0, (1u << d) - 1);
        complements.push_back({ "every double flipped", { flip }, 2 });
    }
    std::vector<std::pair<std::uint64_t, SymmetryGroup>> all;
    for (const Part& a : triples) {
        for (const Part& b : doubles) {
            for (const Part& c : outcomes) {
                for (const Part& e : complements) {
                    SymmetryGroup g;
                    for (const Part* p : { &a, &b, &c, &e }) {
                        if (p->Name.empty()) {
                            continue;
                        }
                        g.Name += (g.Name.empty() ? "" : "; ") + p->Name;
                        g.Generators.insert(
                            g.Generators.end(), p->Generators.begin(), p->Generators.end());
                    }
                    if (!g.Generators.empty()) {
                        g.Order = a.Order * b.Order * c.Order * e.Order;
                        all.emplace_back(g.Order, std::move(g));
                    }
                }
            }
        }
    }
    // Larger groups first: their problems are smaller and settle quickly.
    std::stable_sort(all.begin(), all.end(),
        [](const auto& x, const auto& y) { return x.first > y.first; });
    std::vector<SymmetryGroup> out;
    for (auto& [order, g] : all) {
        out.push_back(std::move(g));
    }
    return out;
}

OrbitOutcome SearchOrbits(int t, int d, int R, const SymmetryGroup& group, std::size_t target,
    std::uint64_t movesPerSize, double seconds, std::mt19937_64& rng)
{
    OrbitOutcome out;
    const std::uint64_t points = SpaceSize(t, d);
    out.Left = points; // nothing searched yet
    if (points > kMaxPoints || target == 0) {
        out.TooLarge = true;
        return out;
    }
    const double started = Now();
    const auto over = [&]() { return seconds > 0 && Now() - started > seconds; };
    const CoverProblem p = HammingProblem(t, d, R);
    // No orbit is larger than the group: too many orbits for certain.
    if (points / std::max<std::uint64_t>(1, group.Order) * p.Offsets.size() > kMaxReachEntries) {
        out.TooLarge = true;
        return out;
    }
    const std::uint32_t n = static_cast<std::uint32_t>(points);
    constexpr std::uint32_t kNone = 0xFFFFFFFFu;

    // The orbits: every result's orbit number, and each orbit's first result
    // and size.
    std::vector<std::uint32_t> orbitOf(n, kNone);
    std::vector<std::uint32_t> rep, weight;
    std::vector<std::uint32_t> queue;
    for (std::uint32_t i = 0; i < n; ++i) {
        if (orbitOf[i] != kNone) {
            continue;
        }
        if ((rep.size() & 0xFFF) == 0 && over()) {
            return out; // a large space takes its time to sort into orbits
        }
        const std::uint32_t id = static_cast<std::uint32_t>(rep.size());
        rep.push_back(i);
        queue.assign(1, i);
        orbitOf[i] = id;
        for (std::size_t h = 0; h < queue.size(); ++h) {
            const Elem x = p.FromDense(queue[h]);
            for (const Symmetry& s : group.Generators) {
                const std::uint32_t y = p.Dense(Apply(s, x));
                if (orbitOf[y] == kNone) {
                    orbitOf[y] = id;
                    queue.push_back(y);
                }
            }
        }
        weight.push_back(static_cast<std::uint32_t>(queue.size()));
    }
    const std::uint32_t K = static_cast<std::uint32_t>(rep.size());
    out.Classes = K;
    if (static_cast<std::uint64_t>(K) * p.Offsets.size() > kMaxReachEntries) {
        out.TooLarge = true;
        return out;
    }
    // The orbits within reach of each orbit (the relation is symmetric: an
    // orbit reaches the orbits of the results around any one of its results).
    std::vector<std::uint32_t> reachStart(K + 1, 0), reach;
    {
        std::vector<std::uint32_t> stamp(K, kNone);
        for (std::uint32_t c = 0; c < K; ++c) {
            reachStart[c] = static_cast<std::uint32_t>(reach.size());
            const Elem x = p.FromDense(rep[c]);
            for (Elem o : p.Offsets) {
                const std::uint32_t q = orbitOf[p.Dense(Add(x, o))];
                if (stamp[q] != c) {
                    stamp[q] = c;
                    reach.push_back(q);
                }
            }
        }
        reachStart[K] = static_cast<std::uint32_t>(reach.size());
    }
    const auto reachOf = [&](std::uint32_t c) {
        return std::pair<const std::uint32_t*, const std::uint32_t*>(
            reach.data() + reachStart[c], reach.data() + reachStart[c + 1]);
    };

    // The state: how many chosen orbits reach each orbit, the unreached
    // orbits as a set that can be drawn from, the chosen ones as a list.
    std::vector<std::uint32_t> count(K, 0);
    std::vector<std::uint32_t> unreached(K), unreachedAt(K);
    std::iota(unreached.begin(), unreached.end(), 0u);
    std::iota(unreachedAt.begin(), unreachedAt.end(), 0u);
    std::uint64_t left = points;
    std::vector<std::uint32_t> chosen;
    std::vector<std::uint32_t> chosenAt(K, kNone);
    std::uint64_t rows = 0;
    const auto take = [&](std::uint32_t c) {
        chosenAt[c] = static_cast<std::uint32_t>(chosen.size());
        chosen.push_back(c);
        rows += weight[c];
        for (auto [q, e] = reachOf(c); q != e; ++q) {
            if (count[*q]++ == 0) {
                left -= weight[*q];
                const std::uint32_t at = unreachedAt[*q], last = unreached.back();
                unreached[at] = last;
                unreachedAt[last] = at;
                unreached.pop_back();
                unreachedAt[*q] = kNone;
            }
        }
    };
    const auto give = [&](std::uint32_t c) {
        const std::uint32_t at = chosenAt[c], last = chosen.back();
        chosen[at] = last;
        chosenAt[last] = at;
        chosen.pop_back();
        chosenAt[c] = kNone;
        rows -= weight[c];
        for (auto [q, e] = reachOf(c); q != e; ++q) {
            if (--count[*q] == 0) {
                left += weight[*q];
                unreachedAt[*q] = static_cast<std::uint32_t>(unreached.size());
                unreached.push_back(*q);
            }
        }
    };
    // The results that only this chosen orbit reaches.
    const auto own = [&](std::uint32_t c) {
        std::uint64_t s = 0;
        for (auto [q, e] = reachOf(c); q != e; ++q) {
            if (count[*q] == 1) {
                s += weight[*q];
            }
        }
        return s;
    };

    std::uint64_t budget = target;
    // Greedy start: for an unreached orbit, the orbit within its reach that
    // reaches the most unreached results per row, while the budget allows.
    while (left > 0) {
        const std::uint32_t u = unreached[rng() % unreached.size()];
        std::uint32_t pick = kNone;
        double bestRate = 0;
        for (auto [c, e] = reachOf(u); c != e; ++c) {
            if (chosenAt[*c] != kNone || rows + weight[*c] > budget) {
                continue;
            }
            std::uint64_t gain = 0;
            for (auto [q, f] = reachOf(*c); q != f; ++q) {
                if (count[*q] == 0) {
                    gain += weight[*q];
                }
            }
            const double rate = static_cast<double>(gain) / weight[*c]
                + static_cast<double>(rng() % 1024) * 1e-9;
            if (rate > bestRate) {
                bestRate = rate;
                pick = *c;
            }
        }
        if (pick == kNone) {
            break;
        }
        take(pick);
    }

    std::vector<std::uint64_t> tabu(K, 0);
    std::vector<std::uint64_t> mark(K, 0);
    std::uint64_t markNow = 0;
    std::vector<std::uint64_t> ownOf;
    std::uint64_t now = 1, sinceSuccess = 0, bestAtSize = left;
    out.Left = left;
    bool firstSize = true;
    std::vector<std::uint32_t> bestChosen;
    while (!over()) {
        if (left == 0) {
            // Redundant orbits go for free; the union is kept, then the
            // least useful orbit is dropped and the search goes on below.
            bool dropped = true;
            while (dropped) {
                dropped = false;
                for (std::uint32_t c : chosen) {
                    if (own(c) == 0) {
                        give(c);
                        dropped = true;
                        break;
                    }
                }
            }
            bestChosen = chosen; // every success is below the one before
            if (firstSize) {
                out.Left = 0;
                firstSize = false;
            }
            if (chosen.size() <= 1) {
                break;
            }
            std::uint32_t least = chosen[0];
            double leastRate = -1;
            for (std::uint32_t c : chosen) {
                const double rate = static_cast<double>(own(c)) / weight[c]
                    + static_cast<double>(rng() % 1024) * 1e-9;
                if (leastRate < 0 || rate < leastRate) {
                    leastRate = rate;
                    least = c;
                }
            }
            give(least);
            budget = rows;
            sinceSuccess = 0;
            bestAtSize = left;
            continue;
        }
        if (sinceSuccess >= movesPerSize) {
            break;
        }
        ++sinceSuccess;
        ++now;
        // The move: bring in an orbit that reaches a random unreached orbit,
        // giving up the chosen orbit whose loss hurts least (or none, if the
        // budget allows); the best move that is not tabu is made.
        const std::uint32_t u = unreached[rng() % unreached.size()];
        ownOf.resize(chosen.size());
        std::uint64_t work = 1;
        for (std::size_t i = 0; i < chosen.size(); ++i) {
            ownOf[i] = own(chosen[i]);
            work += reachStart[chosen[i] + 1] - reachStart[chosen[i]];
        }
        const auto [c0, c1] = reachOf(u);
        const std::size_t candidates = static_cast<std::size_t>(c1 - c0);
        const std::size_t tries = std::clamp<std::size_t>(kStepWork / work, 1, candidates);
        std::uint64_t bestAfter = UINT64_MAX;
        std::uint32_t bestIn = kNone, bestOut = kNone, ties = 0;
        for (std::size_t k = 0; k < tries; ++k) {
            const std::uint32_t c = tries == candidates ? c0[k] : c0[rng() % candidates];
            if (chosenAt[c] != kNone) {
                continue;
            }
            ++markNow;
            std::uint64_t gain = 0;
            for (auto [q, e] = reachOf(c); q != e; ++q) {
                mark[*q] = markNow;
                if (count[*q] == 0) {
                    gain += weight[*q];
                }
            }
            const bool tabuIn = tabu[c] > now;
            const auto consider = [&](std::uint64_t after, std::uint32_t o) {
                if (tabuIn && after >= bestAtSize) {
                    return;
                }
                if (after < bestAfter) {
                    bestAfter = after;
                    bestIn = c;
                    bestOut = o;
                    ties = 1;
                } else if (after == bestAfter && rng() % ++ties == 0) {
                    bestIn = c;
                    bestOut = o;
                }
            };
            if (rows + weight[c] <= budget) {
                consider(left - gain, kNone);
            }
            for (std::size_t i = 0; i < chosen.size(); ++i) {
                const std::uint32_t o = chosen[i];
                if (rows - weight[o] + weight[c] > budget || tabu[o] > now) {
                    continue;
                }
                // Results only o reaches, less those c reaches too.
                std::uint64_t loss = ownOf[i];
                if (loss > 0) {
                    for (auto [q, e] = reachOf(o); q != e; ++q) {
                        if (count[*q] == 1 && mark[*q] == markNow) {
                            loss -= weight[*q];
                        }
                    }
                }
                consider(left - gain + loss, o);
            }
        }
        if (bestIn == kNone) {
            continue;
        }
        if (bestOut != kNone) {
            give(bestOut);
            tabu[bestOut] = now + 10 + chosen.size() / 8;
        }
        take(bestIn);
        tabu[bestIn] = now + 3;
        if (left < bestAtSize) {
            bestAtSize = left;
            if (firstSize) {
                out.Left = left;
            }
        }
    }
    if (bestChosen.empty()) {
        return out;
    }
    std::vector<char> in(K, 0);
    for (std::uint32_t c : bestChosen) {
        in[c] = 1;
    }
    for (std::uint32_t i = 0; i < n; ++i) {
        if (in[orbitOf[i]]) {
            out.Words.push_back(p.FromDense(i));
        }
    }
    out.Orbits = bestChosen.size();
    return out;
}

} // namespace wg
