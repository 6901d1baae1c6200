#include "wgSearch.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <limits>
#include <set>

namespace wg {

std::uint32_t CoverProblem::Dense(Elem e) const
{
    const std::uint32_t tern = TernaryIndex[Ones(e)] + 2 * TernaryIndex[Twos(e)];
    return (tern << B) | Bits(e);
}

Elem CoverProblem::FromDense(std::uint32_t index) const
{
    std::uint32_t bits = index & ((1u << B) - 1);
    std::uint32_t tern = index >> B;
    std::uint32_t ones = 0, twos = 0;
    for (int i = 0; i < A; ++i) {
        const std::uint32_t d = tern % 3;
        tern /= 3;
        if (d == 1) {
            ones |= 1u << i;
        } else if (d == 2) {
            twos |= 1u << i;
        }
    }
    return MakeElem(ones, twos, bits);
}

double Now()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

namespace {

void FillIndex(CoverProblem& p)
{
    p.TernaryIndex.assign(std::size_t(1) << p.A, 0);
    for (std::uint32_t m = 0; m < p.TernaryIndex.size(); ++m) {
        std::uint32_t v = 0, w = 1;
        for (int i = 0; i < p.A; ++i) {
            if (m & (1u << i)) {
                v += w;
            }
            w *= 3;
        }
        p.TernaryIndex[m] = v;
    }
}

// Every sum of at most R column multiples over distinct coordinates.
void SumsUpTo(const std::vector<std::vector<Elem>>& choices, std::size_t from, int left, Elem sum,
    std::vector<Elem>& out)
{
    out.push_back(sum);
    if (left == 0) {
        return;
    }
    for (std::size_t i = from; i < choices.size(); ++i) {
        for (Elem c : choices[i]) {
            SumsUpTo(choices, i + 1, left - 1, Add(sum, c), out);
        }
    }
}

CoverProblem Build(
    int a, int b, int R, const std::vector<Elem>& ternary, const std::vector<Elem>& binary)
{
    CoverProblem p;
    p.A = a;
    p.B = b;
    FillIndex(p);
    std::vector<std::vector<Elem>> choices;
    for (Elem c : ternary) {
        choices.push_back({ c, Double(c) });
    }
    for (Elem c : binary) {
        choices.push_back({ c });
    }
    SumsUpTo(choices, 0, R, 0, p.Offsets);
    std::sort(p.Offsets.begin(), p.Offsets.end());
    p.Offsets.erase(std::unique(p.Offsets.begin(), p.Offsets.end()), p.Offsets.end());
    for (const auto& ch : choices) {
        for (Elem c : ch) {
            if (c != 0) {
                p.Steps.push_back(c);
            }
        }
    }
    std::sort(p.Steps.begin(), p.Steps.end());
    p.Steps.erase(std::unique(p.Steps.begin(), p.Steps.end()), p.Steps.end());
    return p;
}

Elem UnitTernary(int i)
{
    return MakeElem(1u << i, 0, 0);
}
Elem UnitBinary(int i)
{
    return MakeElem(0, 0, 1u << i);
}

class Clock {
public:
    explicit Clock(double seconds)
        : limit_(seconds)
        , start_(std::chrono::steady_clock::now())
    {
    }
    bool Over() const
    {
        if (limit_ <= 0) {
            return false;
        }
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - start_;
        return d.count() > limit_;
    }
    // The time left, for a search inside this one (0: no cap).
    double Left() const
    {
        if (limit_ <= 0) {
            return 0;
        }
        const std::chrono::duration<double> d = std::chrono::steady_clock::now() - start_;
        return std::max(0.01, limit_ - d.count());
    }

private:
    double limit_;
    std::chrono::steady_clock::time_point start_;
};

std::uint64_t Below(std::mt19937_64& rng, std::uint64_t n)
{
    return rng() % n;
}

// A set of point numbers kept as a list: insertion, removal and a draw by
// position in constant time (a removed point's place goes to the last one).
class PointList {
public:
    explicit PointList(std::size_t points)
        : pos_(points, -1)
    {
        items_.reserve(points);
    }
    void Insert(std::uint32_t q)
    {
        pos_[q] = static_cast<std::int32_t>(items_.size());
        items_.push_back(q);
    }
    void Erase(std::uint32_t q)
    {
        const std::int32_t at = pos_[q];
        const std::uint32_t last = items_.back();
        items_[at] = last;
        pos_[last] = at;
        items_.pop_back();
        pos_[q] = -1;
    }
    std::size_t size() const { return items_.size(); }
    std::uint32_t operator[](std::size_t i) const { return items_[i]; }
    const std::vector<std::uint32_t>& Items() const { return items_; }

private:
    std::vector<std::int32_t> pos_;
    std::vector<std::uint32_t> items_;
};

// The search state: coverage counts, the list of uncovered points, the set.
class Cover {
public:
    explicit Cover(const CoverProblem& p)
        : p_(p)
        , cov_(p.Points(), 0)
        , slot_(p.Points(), -1)
        , tabu_(p.Points(), 0)
        , coverers_(p.Points(), 0)
        , own_(p.Points(), 0)
        , uncovered_(p.Points())
    {
        for (std::uint32_t i = 0; i < p.Points(); ++i) {
            uncovered_.Insert(i);
        }
    }

    std::size_t Uncovered() const { return uncovered_.size(); }
    std::size_t Size() const { return words_.size(); }
    const std::vector<Elem>& Words() const { return words_; }
    bool Has(std::uint32_t d) const { return slot_[d] >= 0; }

    // coverers_[q] is the exclusive or of the set points covering q, so when
    // one point covers q it names that point; own_[d] counts the points that
    // only the set point d covers.
    void Insert(Elem e)
    {
        const std::uint32_t d = p_.Dense(e);
        if (slot_[d] >= 0) {
            return;
        }
        slot_[d] = static_cast<std::int32_t>(words_.size());
        words_.push_back(e);
        for (Elem o : p_.Offsets) {
            const std::uint32_t q = p_.Dense(Add(e, o));
            const std::uint16_t before = cov_[q]++;
            if (before == 0) {
                uncovered_.Erase(q);
                ++own_[d];
            } else if (before == 1) {
                --own_[coverers_[q]];
            }
            coverers_[q] ^= d;
        }
    }

    void Erase(Elem e)
    {
        const std::uint32_t d = p_.Dense(e);
        const std::int32_t s = slot_[d];
        if (s < 0) {
            return;
        }
        const Elem last = words_.back();
        words_[s] = last;
        slot_[p_.Dense(last)] = s;
        words_.pop_back();
        slot_[d] = -1;
        for (Elem o : p_.Offsets) {
            const std::uint32_t q = p_.Dense(Add(e, o));
            coverers_[q] ^= d;
            const std::uint16_t after = --cov_[q];
            if (after == 0) {
                uncovered_.Insert(q);
            } else if (after == 1) {
                ++own_[coverers_[q]];
            }
        }
        own_[d] = 0;
    }

    // The points only e covers.
    std::size_t Own(Elem e) const { return own_[p_.Dense(e)]; }

    std::size_t NewlyCovered(Elem e) const
    {
        std::size_t n = 0;
        for (Elem o : p_.Offsets) {
            n += cov_[p_.Dense(Add(e, o))] == 0;
        }
        return n;
    }

    // Drops the point that alone covers the fewest points.
    void DropLeastUseful(std::mt19937_64& rng)
    {
        std::size_t best = std::numeric_limits<std::size_t>::max();
        Elem pick = 0;
        std::uint64_t ties = 0;
        for (Elem e : words_) {
            const std::size_t own = Own(e);
            if (own < best) {
                best = own;
                pick = e;
                ties = 1;
            } else if (own == best && Below(rng, ++ties) == 0) {
                pick = e;
            }
        }
        Erase(pick);
    }

    std::uint32_t RandomUncovered(std::mt19937_64& rng) const
    {
        return uncovered_[Below(rng, uncovered_.size())];
    }

    // One move of the tabu search: for a random uncovered point u, every move
    // of a set point by one step into u's ball is weighed, and the best one
    // that is not tabu (or beats the best cost so far) is made.
    void Move(std::mt19937_64& rng, std::uint64_t now, int tenure, std::size_t bestCost,
        double temperature)
    {
        const Elem u = p_.FromDense(RandomUncovered(rng));
        candidates_.clear();
        // In large balls only a sample of the targets is weighed.
        const std::size_t nOff = p_.Offsets.size();
        const std::size_t limit = 4096;
        const bool sample = nOff * p_.Steps.size() > limit;
        const std::size_t tries = sample ? std::max<std::size_t>(1, limit / p_.Steps.size()) : nOff;
        for (std::size_t k = 0; k < tries; ++k) {
            const Elem o = sample ? p_.Offsets[Below(rng, nOff)] : p_.Offsets[k];
            const Elem w = Add(u, o);
            const std::uint32_t wd = p_.Dense(w);
            if (slot_[wd] >= 0) {
                continue;
            }
            for (Elem s : p_.Steps) {
                const Elem c = Add(w, Neg(s));
                if (slot_[p_.Dense(c)] >= 0) {
                    candidates_.push_back({ c, w });
                }
            }
        }
        // One move from afar: a set point that covers little alone, taken
        // from a small sample, to the point of u's ball that covers most.
        {
            Elem far = words_[Below(rng, words_.size())];
            for (int k = 0; k < 15; ++k) {
                const Elem e = words_[Below(rng, words_.size())];
                if (Own(e) < Own(far)) {
                    far = e;
                }
            }
            const std::size_t targets
                = std::min<std::size_t>(nOff, std::max<std::size_t>(4, 4096 / nOff));
            Elem to = u;
            std::size_t gain = 0;
            for (std::size_t k = 0; k < targets; ++k) {
                const Elem w
                    = Add(u, targets == nOff ? p_.Offsets[k] : p_.Offsets[Below(rng, nOff)]);
                if (slot_[p_.Dense(w)] >= 0) {
                    continue;
                }
                const std::size_t g = NewlyCovered(w);
                if (g > gain) {
                    gain = g;
                    to = w;
                }
            }
            if (gain > 0) {
                candidates_.push_back({ far, to });
            }
        }
        if (candidates_.empty()) {
            return;
        }
        std::sort(candidates_.begin(), candidates_.end());
        long bestDelta = std::numeric_limits<long>::max();
        std::pair<Elem, Elem> pick{};
        std::uint64_t ties = 0;
        const long cost = static_cast<long>(uncovered_.size());
        for (std::size_t i = 0; i < candidates_.size();) {
            const Elem c = candidates_[i].first;
            // Take c away for a moment and count the points that lose their cover.
            ball_.clear();
            long lost = 0;
            for (Elem o : p_.Offsets) {
                const std::uint32_t q = p_.Dense(Add(c, o));
                ball_.push_back(q);
                lost += --cov_[q] == 0;
            }
            for (; i < candidates_.size() && candidates_[i].first == c; ++i) {
                const Elem w = candidates_[i].second;
                long gained = 0;
                for (Elem o : p_.Offsets) {
                    gained += cov_[p_.Dense(Add(w, o))] == 0;
                }
                const long delta = lost - gained;
                // A point that moved recently stays where it is for a while.
                const bool tabu = tabu_[p_.Dense(c)] > now;
                if (tabu && cost + delta >= static_cast<long>(bestCost)) {
                    continue;
                }
                if (delta < bestDelta) {
                    bestDelta = delta;
                    pick = candidates_[i];
                    ties = 1;
                } else if (delta == bestDelta && Below(rng, ++ties) == 0) {
                    pick = candidates_[i];
                }
            }
            for (std::uint32_t q : ball_) {
                ++cov_[q];
            }
        }
        if (bestDelta == std::numeric_limits<long>::max()) {
            return; // every move is tabu
        }
        // A move that uncovers more than it covers is made only now and then.
        if (bestDelta > 0 && temperature > 0) {
            const double r = Uniform01(rng);
            if (r >= std::exp(-static_cast<double>(bestDelta) / temperature)) {
                return;
            }
        }
        Erase(pick.first);
        Insert(pick.second);
        tabu_[p_.Dense(pick.second)] = now + tenure;
    }

private:
    const CoverProblem& p_;
    std::vector<std::uint16_t> cov_;
    std::vector<std::int32_t> slot_;
    std::vector<std::uint64_t> tabu_;
    std::vector<std::uint32_t> coverers_;
    std::vector<std::uint32_t> own_;
    PointList uncovered_;
    std::vector<Elem> words_;
    std::vector<std::pair<Elem, Elem>> candidates_;
    std::vector<std::uint32_t> ball_;
};

} // namespace

CoverProblem HammingProblem(int t, int b, int R)
{
    std::vector<Elem> ternary, binary;
    for (int i = 0; i < t; ++i) {
        ternary.push_back(UnitTernary(i));
    }
    for (int i = 0; i < b; ++i) {
        binary.push_back(UnitBinary(i));
    }
    return Build(t, b, R, ternary, binary);
}

CoverProblem SyndromeProblem(int a, int b, int R, const std::vector<Elem>& ternaryColumns,
    const std::vector<Elem>& binaryColumns)
{
    return Build(a, b, R, ternaryColumns, binaryColumns);
}

std::vector<Elem> GreedyCover(const CoverProblem& p, std::mt19937_64& rng)
{
    Cover c(p);
    const std::size_t nOff = p.Offsets.size();
    const std::size_t tries = std::min<std::size_t>(nOff, 64);
    while (c.Uncovered() > 0) {
        const Elem u = p.FromDense(c.RandomUncovered(rng));
        Elem best = u;
        std::size_t bestGain = 0;
        for (std::size_t k = 0; k < tries; ++k) {
            const Elem o = tries == nOff ? p.Offsets[k] : p.Offsets[Below(rng, nOff)];
            const Elem w = Add(u, o);
            const std::size_t g = c.NewlyCovered(w);
            if (g > bestGain) {
                bestGain = g;
                best = w;
            }
        }
        c.Insert(best);
    }
    // Drop points that cover nothing alone, in random order.
    std::vector<Elem> words = c.Words();
    std::shuffle(words.begin(), words.end(), rng);
    for (Elem e : words) {
        if (c.Own(e) == 0) {
            c.Erase(e);
        }
    }
    return c.Words();
}

SearchOutcome LowerCover(const CoverProblem& p, std::vector<Elem> start, std::size_t firstSize,
    const SearchLimits& limits, std::mt19937_64& rng)
{
    SearchOutcome out;
    Clock clock(limits.Seconds);
    Cover c(p);
    for (Elem e : start) {
        c.Insert(e);
    }
    // A start below the target size is filled up with points of uncovered
    // balls; from a larger start the size comes down one point at a time, the
    // cheapest way through the sizes above the target.
    while (c.Size() < firstSize && c.Uncovered() > 0) {
        const Elem u = p.FromDense(c.RandomUncovered(rng));
        c.Insert(Add(u, p.Offsets[Below(rng, p.Offsets.size())]));
    }
    if (c.Size() == 0) {
        return out;
    }
    std::uint64_t now = 1;
    while (true) {
        if (c.Uncovered() == 0) {
            if (c.Size() <= firstSize && (out.Best.empty() || c.Size() < out.Best.size())) {
                out.Best = c.Words();
            }
            if (c.Size() <= limits.MinSize || c.Size() <= 1) {
                break;
            }
            c.DropLeastUseful(rng);
            continue;
        }
        // Search at this size.
        std::size_t bestCost = c.Uncovered();
        std::uint64_t sinceStart = 0;
        bool timedOut = false;
        while (c.Uncovered() > 0 && sinceStart < limits.MovesPerSize) {
            c.Move(rng, now, limits.Tenure, bestCost, limits.Temperature);
            ++now;
            ++sinceStart;
            bestCost = std::min(bestCost, c.Uncovered());
            if ((sinceStart & 255) == 0 && clock.Over()) {
                timedOut = true;
                break;
            }
        }
        out.Moves += sinceStart;
        if (c.Uncovered() > 0) {
            out.TimedOut = timedOut;
            break;
        }
    }
    return out;
}

namespace {

// The state of the weighted search over dense point numbers. score_[c] is,
// for a point c outside the set, the weight of the uncovered points its ball
// would cover; for a set point, minus the weight of the points only it covers.
class WeightedState {
public:
    explicit WeightedState(const CoverProblem& p)
        : n_(static_cast<std::uint32_t>(p.Points()))
        , m_(static_cast<std::uint32_t>(p.Offsets.size()))
        , ball_(static_cast<std::size_t>(n_) * m_)
        , in_(n_, 0)
        , cov_(n_, 0)
        , coverers_(n_, 0)
        , weight_(n_, 1)
        , score_(n_, static_cast<std::int64_t>(m_))
        , moved_(n_, 0)
        , set_(n_)
        , uncovered_(n_)
    {
        for (std::uint32_t d = 0; d < n_; ++d) {
            const Elem e = p.FromDense(d);
            for (std::uint32_t j = 0; j < m_; ++j) {
                ball_[static_cast<std::size_t>(d) * m_ + j] = p.Dense(Add(e, p.Offsets[j]));
            }
            uncovered_.Insert(d);
        }
    }

    const std::uint32_t* Ball(std::uint32_t d) const
    {
        return &ball_[static_cast<std::size_t>(d) * m_];
    }

    void Put(std::uint32_t s)
    {
        const std::uint32_t* b = Ball(s);
        for (std::uint32_t j = 0; j < m_; ++j) {
            const std::uint32_t q = b[j];
            if (cov_[q] == 0) {
                const std::uint32_t* bq = Ball(q);
                for (std::uint32_t k = 0; k < m_; ++k) {
                    if (bq[k] != s) {
                        score_[bq[k]] -= weight_[q];
                    }
                }
                uncovered_.Erase(q);
            } else if (cov_[q] == 1) {
                score_[coverers_[q]] += weight_[q];
            }
            ++cov_[q];
            coverers_[q] ^= s;
        }
        score_[s] = -score_[s];
        in_[s] = 1;
        set_.Insert(s);
    }

    void Take(std::uint32_t s)
    {
        const std::uint32_t* b = Ball(s);
        for (std::uint32_t j = 0; j < m_; ++j) {
            const std::uint32_t q = b[j];
            --cov_[q];
            coverers_[q] ^= s;
            if (cov_[q] == 0) {
                const std::uint32_t* bq = Ball(q);
                for (std::uint32_t k = 0; k < m_; ++k) {
                    if (bq[k] != s) {
                        score_[bq[k]] += weight_[q];
                    }
                }
                uncovered_.Insert(q);
            } else if (cov_[q] == 1) {
                score_[coverers_[q]] -= weight_[q];
            }
        }
        score_[s] = -score_[s];
        in_[s] = 0;
        set_.Erase(s);
    }

    // The set point whose loss weighs least, other than `keep`; in a large
    // set only a sample is weighed.
    std::uint32_t Lightest(std::mt19937_64& rng, std::uint32_t keep) const
    {
        constexpr std::size_t kScan = 3000, kSample = 300;
        const bool all = set_.size() <= kScan;
        const std::size_t count = all ? set_.size() : kSample;
        std::uint32_t pick = kNone;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t s = all ? set_[i] : set_[Below(rng, set_.size())];
            if (s != keep && (pick == kNone || Better(s, pick))) {
                pick = s;
            }
        }
        return pick;
    }

    // For an uncovered point, the point of its ball whose gain weighs most,
    // other than `avoid`.
    std::uint32_t Heaviest(std::uint32_t u, std::uint32_t avoid) const
    {
        const std::uint32_t* b = Ball(u);
        std::uint32_t pick = kNone;
        for (std::uint32_t k = 0; k < m_; ++k) {
            const std::uint32_t c = b[k];
            if (c != avoid && !in_[c] && (pick == kNone || Better(c, pick))) {
                pick = c;
            }
        }
        return pick;
    }

    // Every uncovered point weighs one more.
    void Weigh()
    {
        for (std::uint32_t q : uncovered_.Items()) {
            ++weight_[q];
            const std::uint32_t* bq = Ball(q);
            for (std::uint32_t k = 0; k < m_; ++k) {
                ++score_[bq[k]];
            }
        }
    }

    void Stamp(std::uint32_t s, std::uint64_t now) { moved_[s] = now; }
    std::size_t Uncovered() const { return uncovered_.size(); }
    std::uint32_t UncoveredAt(std::size_t i) const { return uncovered_[i]; }
    const std::vector<std::uint32_t>& Set() const { return set_.Items(); }

    static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();

private:
    bool Better(std::uint32_t a, std::uint32_t b) const
    {
        return score_[a] > score_[b] || (score_[a] == score_[b] && moved_[a] < moved_[b]);
    }

    std::uint32_t n_, m_;
    std::vector<std::uint32_t> ball_;
    std::vector<std::uint8_t> in_;
    std::vector<std::uint16_t> cov_;
    std::vector<std::uint32_t> coverers_;
    std::vector<std::uint64_t> weight_;
    std::vector<std::int64_t> score_;
    std::vector<std::uint64_t> moved_;
    PointList set_, uncovered_;
};

} // namespace

bool WeightedFits(const CoverProblem& p, std::uint64_t maxEntries)
{
    return p.Points() * p.Offsets.size() <= maxEntries
        && p.Points() < std::numeric_limits<std::uint32_t>::max();
}

SearchOutcome WeightedCover(const CoverProblem& p, std::size_t firstSize, std::size_t minSize,
    std::uint64_t steps, double seconds, std::mt19937_64& rng, const std::vector<Elem>* start,
    std::uint64_t maxEntries)
{
    SearchOutcome out;
    if (!WeightedFits(p, maxEntries)) {
        return out;
    }
    Clock clock(seconds);
    WeightedState st(p);
    for (Elem e : start ? *start : GreedyCover(p, rng)) {
        st.Put(p.Dense(e));
    }
    constexpr std::uint32_t kNone = WeightedState::kNone;
    std::uint32_t added = kNone;
    std::uint64_t step = 1;
    for (; step <= steps; ++step) {
        while (st.Uncovered() == 0) {
            if (st.Set().size() <= firstSize
                && (out.Best.empty() || st.Set().size() < out.Best.size())) {
                out.Best.clear();
                for (std::uint32_t d : st.Set()) {
                    out.Best.push_back(p.FromDense(d));
                }
            }
            if (st.Set().size() <= std::max<std::size_t>(minSize, 1)) {
                out.Moves = step;
                return out;
            }
            const std::uint32_t s = st.Lightest(rng, kNone);
            st.Take(s);
            st.Stamp(s, step);
        }
        // Out with the lightest point (not the one just put in), in with the
        // heaviest point for a random uncovered one (not the one just taken out).
        const std::uint32_t s = st.Lightest(rng, added);
        if (s == kNone) {
            break;
        }
        st.Take(s);
        st.Stamp(s, step);
        const std::uint32_t u = st.UncoveredAt(Below(rng, st.Uncovered()));
        std::uint32_t c = st.Heaviest(u, s);
        if (c == kNone) {
            c = s; // u's ball holds nothing else outside the set
        }
        st.Put(c);
        st.Stamp(c, step);
        added = c;
        st.Weigh();
        if ((step & 1023) == 0 && clock.Over()) {
            out.TimedOut = true;
            break;
        }
    }
    out.Moves = step;
    return out;
}

Code ElemsToCode(const std::vector<Elem>& s, int t, int b)
{
    Code c;
    c.T = t;
    c.D = b;
    for (Elem e : s) {
        Row r{};
        for (int i = 0; i < t; ++i) {
            r[i] = (Ones(e) >> i & 1) ? 1 : ((Twos(e) >> i & 1) ? 2 : 0);
        }
        for (int i = 0; i < b; ++i) {
            r[t + i] = (Bits(e) >> i) & 1;
        }
        c.Rows.push_back(r);
    }
    Canonical(c);
    return c;
}

std::vector<Elem> CodeToElems(const Code& c)
{
    std::vector<Elem> out;
    for (const Row& r : c.Rows) {
        std::uint32_t ones = 0, twos = 0, bits = 0;
        for (int i = 0; i < c.T; ++i) {
            if (r[i] == 1) {
                ones |= 1u << i;
            } else if (r[i] == 2) {
                twos |= 1u << i;
            }
        }
        for (int i = 0; i < c.D; ++i) {
            if (r[c.T + i]) {
                bits |= 1u << i;
            }
        }
        out.push_back(MakeElem(ones, twos, bits));
    }
    return out;
}

Code ExpandSyndromes(const std::vector<Elem>& s, int a, int b, int t, int d,
    const std::vector<Elem>& ternaryColumns, const std::vector<Elem>& binaryColumns)
{
    // Every assignment of the free coordinates with the syndrome it adds.
    std::vector<std::pair<Row, Elem>> free;
    const int ft = t - a, fd = d - b;
    {
        Code all = WholeSpace(ft, fd);
        for (const Row& f : all.Rows) {
            Elem sum = 0;
            for (int i = 0; i < ft; ++i) {
                if (f[i] == 1) {
                    sum = Add(sum, ternaryColumns[a + i]);
                } else if (f[i] == 2) {
                    sum = Add(sum, Double(ternaryColumns[a + i]));
                }
            }
            for (int i = 0; i < fd; ++i) {
                if (f[ft + i]) {
                    sum = Add(sum, binaryColumns[b + i]);
                }
            }
            free.emplace_back(f, sum);
        }
    }
    Code c;
    c.T = t;
    c.D = d;
    c.Rows.reserve(s.size() * free.size());
    for (Elem syn : s) {
        for (const auto& [f, sum] : free) {
            const Elem id = Add(syn, Neg(sum)); // the identity coordinates
            Row r{};
            for (int i = 0; i < a; ++i) {
                r[i] = (Ones(id) >> i & 1) ? 1 : ((Twos(id) >> i & 1) ? 2 : 0);
            }
            for (int i = 0; i < ft; ++i) {
                r[a + i] = f[i];
            }
            for (int i = 0; i < b; ++i) {
                r[t + i] = (Bits(id) >> i) & 1;
            }
            for (int i = 0; i < fd; ++i) {
                r[t + b + i] = f[ft + i];
            }
            c.Rows.push_back(r);
        }
    }
    Canonical(c);
    return c;
}


namespace {

// The syndrome space and its coverage counts for the matrix search. A
// syndrome q is counted once for every chosen coset s and every error pattern
// (at most R columns, each with a nonzero multiple) whose syndrome is q - s,
// so that changing one column only touches the patterns that use it.
class MatrixState {
public:
    MatrixState(int a, int b, int R, std::vector<Elem> columns, int ternaryCount)
        : R_(R)
        , columns_(std::move(columns))
        , ternary_(ternaryCount)
    {
        std::vector<Elem> none;
        shape_ = SyndromeProblem(a, b, 0, none, none);
        cov_.assign(shape_.Points(), 0);
        aim_.assign(shape_.Points(), 0);
        leave_.assign(shape_.Points(), 0);
        uncovered_ = cov_.size();
    }

    const CoverProblem& Shape() const { return shape_; }
    std::size_t Uncovered() const { return uncovered_; }
    const std::vector<Elem>& Syndromes() const { return s_; }
    const std::vector<Elem>& Columns() const { return columns_; }
    bool Ternary(int j) const { return j < ternary_; }

    void Add(Elem s)
    {
        s_.push_back(s);
        Ball(s, +1);
    }

    // Moves coset i to e.
    void MoveSyndrome(std::size_t i, Elem e)
    {
        Ball(s_[i], -1);
        s_[i] = e;
        Ball(e, +1);
    }

    void SetColumn(int j, Elem c)
    {
        Through(j, -1);
        columns_[j] = c;
        all_.clear();
        Through(j, +1);
    }

    // A syndrome that no coset reaches, from a random start.
    Elem RandomUncovered(std::mt19937_64& rng) const
    {
        const std::uint32_t n = static_cast<std::uint32_t>(cov_.size());
        std::uint32_t i = static_cast<std::uint32_t>(rng() % n);
        for (std::uint32_t k = 0; k < n; ++k, i = (i + 1 == n ? 0 : i + 1)) {
            if (cov_[i] == 0) {
                return shape_.FromDense(i);
            }
        }
        return 0;
    }

    // Weighing coset moves to one place: Aim(to) notes the syndromes that a
    // coset at `to` would reach, UncoveredAfter(i) tells how many syndromes
    // would be left unreached if coset i moved there, without moving it, and
    // Unaim() forgets the place.
    void Aim(Elem to)
    {
        Patterns();
        aimed_.clear();
        for (Elem p : all_) {
            const std::uint32_t q = shape_.Dense(wg::Add(to, p));
            if (aim_[q]++ == 0) {
                aimed_.push_back(q);
            }
        }
        aimedNew_ = 0;
        for (std::uint32_t q : aimed_) {
            aimedNew_ += cov_[q] == 0;
        }
    }
    std::size_t UncoveredAfter(std::size_t i)
    {
        left_.clear();
        for (Elem p : all_) {
            const std::uint32_t q = shape_.Dense(wg::Add(s_[i], p));
            if (leave_[q]++ == 0) {
                left_.push_back(q);
            }
        }
        std::size_t after = uncovered_ - aimedNew_;
        for (std::uint32_t q : left_) {
            after += cov_[q] - leave_[q] + aim_[q] == 0;
            leave_[q] = 0;
        }
        return after;
    }
    void Unaim()
    {
        for (std::uint32_t q : aimed_) {
            aim_[q] = 0;
        }
        aimed_.clear();
    }

    // The syndrome of a random error pattern.
    Elem RandomPattern(std::mt19937_64& rng)
    {
        Patterns();
        return all_[rng() % all_.size()];
    }

private:
    // Sums of at most `left` column multiples over columns from `from` on,
    // skipping column `skip`.
    void Sums(int from, int left, int skip, Elem sum, std::vector<Elem>& out) const
    {
        out.push_back(sum);
        if (left == 0) {
            return;
        }
        for (int j = from; j < static_cast<int>(columns_.size()); ++j) {
            if (j == skip) {
                continue;
            }
            const Elem c = columns_[j];
            Sums(j + 1, left - 1, skip, wg::Add(sum, c), out);
            if (Ternary(j)) {
                Sums(j + 1, left - 1, skip, wg::Add(sum, Double(c)), out);
            }
        }
    }
    void Patterns()
    {
        if (all_.empty()) {
            Sums(0, R_, -1, 0, all_);
        }
    }
    void Count(Elem q, int sign)
    {
        std::uint16_t& c = cov_[shape_.Dense(q)];
        if (sign > 0) {
            uncovered_ -= c == 0;
            ++c;
        } else {
            --c;
            uncovered_ += c == 0;
        }
    }
    void Ball(Elem s, int sign)
    {
        Patterns();
        for (Elem p : all_) {
            Count(wg::Add(s, p), sign);
        }
    }
    // Every pattern that uses column j, for every coset.
    void Through(int j, int sign)
    {
        if (R_ == 0) {
            return;
        }
        rest_.clear();
        Sums(0, R_ - 1, j, 0, rest_);
        const Elem c = columns_[j];
        for (Elem s : s_) {
            for (Elem r : rest_) {
                const Elem base = wg::Add(s, r);
                Count(wg::Add(base, c), sign);
                if (Ternary(j)) {
                    Count(wg::Add(base, Double(c)), sign);
                }
            }
        }
    }

    int R_;
    std::vector<Elem> columns_;
    int ternary_;
    CoverProblem shape_;
    std::vector<std::uint16_t> cov_, aim_, leave_;
    std::vector<std::uint32_t> aimed_, left_;
    std::size_t aimedNew_ = 0;
    std::size_t uncovered_ = 0;
    std::vector<Elem> s_, all_, rest_;
};

Elem RandomTernaryColumn(int a, std::mt19937_64& rng)
{
    while (true) {
        std::uint32_t ones = 0, twos = 0;
        for (int j = 0; j < a; ++j) {
            const int v = static_cast<int>(rng() % 3);
            ones |= (v == 1 ? 1u : 0u) << j;
            twos |= (v == 2 ? 1u : 0u) << j;
        }
        if (ones | twos) {
            return MakeElem(ones, twos, 0);
        }
    }
}

Elem RandomBinaryColumn(int b, std::mt19937_64& rng)
{
    while (true) {
        const std::uint32_t bits = static_cast<std::uint32_t>(rng() & ((1u << b) - 1));
        if (bits) {
            return MakeElem(0, 0, bits);
        }
    }
}

// The column with one of its a digits changed to another value (never the
// zero column).
Elem OtherTernaryDigit(Elem c, int a, std::mt19937_64& rng)
{
    while (true) {
        const std::uint32_t bit = 1u << (rng() % a);
        std::uint32_t ones = Ones(c) & ~bit, twos = Twos(c) & ~bit;
        const int was = (Ones(c) & bit) ? 1 : (Twos(c) & bit) ? 2 : 0;
        const int now = (was + 1 + static_cast<int>(rng() % 2)) % 3;
        ones |= now == 1 ? bit : 0;
        twos |= now == 2 ? bit : 0;
        if (ones | twos) {
            return MakeElem(ones, twos, 0);
        }
    }
}

// The binary column with one of its b bits flipped (never the zero column;
// with one binary digit there is no other column).
Elem OtherBinaryDigit(Elem c, int b, std::mt19937_64& rng)
{
    if (b < 2) {
        return c;
    }
    while (true) {
        const std::uint32_t bits = Bits(c) ^ (1u << (rng() % b));
        if (bits) {
            return MakeElem(0, 0, bits);
        }
    }
}

// A matrix with random columns (the t ternary ones, the first a of them unit
// vectors, then the d binary ones, the first b unit vectors) and `cosets`
// random cosets.
MatrixState RandomStart(int t, int d, int a, int b, int R, std::size_t cosets, std::mt19937_64& rng)
{
    std::vector<Elem> columns;
    for (int i = 0; i < t; ++i) {
        columns.push_back(i < a ? MakeElem(1u << i, 0, 0) : RandomTernaryColumn(a, rng));
    }
    for (int i = 0; i < d; ++i) {
        columns.push_back(i < b ? MakeElem(0, 0, 1u << i) : RandomBinaryColumn(b, rng));
    }
    MatrixState st(a, b, R, columns, t);
    const CoverProblem& shape = st.Shape();
    for (std::size_t i = 0; i < cosets; ++i) {
        st.Add(shape.FromDense(static_cast<std::uint32_t>(rng() % shape.Points())));
    }
    return st;
}

// The columns that may change: all but the unit ones.
std::vector<int> FreeColumns(int t, int d, int a, int b)
{
    std::vector<int> free;
    for (int j = a; j < t; ++j) {
        free.push_back(j);
    }
    for (int j = t + b; j < t + d; ++j) {
        free.push_back(j);
    }
    return free;
}

// What a search reports: the fewest syndromes it left, and the matrix and
// cosets when it reached every syndrome.
MatrixCover Found(const MatrixState& st, int t, std::size_t best)
{
    MatrixCover out;
    out.Left = best;
    if (st.Uncovered() == 0) {
        out.TernaryColumns.assign(st.Columns().begin(), st.Columns().begin() + t);
        out.BinaryColumns.assign(st.Columns().begin() + t, st.Columns().end());
        out.Syndromes = st.Syndromes();
    }
    return out;
}

// The level-1 tabu search's state over dense syndrome indices (the ternary
// part's index times 2^b plus the binary part), with an addition table for
// the ternary part: a step weighs hundreds of moves, each of which touches
// every pattern of a coset or every coset of a column, so the arithmetic must
// be a table lookup. Counts as in MatrixState: a syndrome is counted once for
// every coset and every pattern (no error, one column once or twice) that
// reaches it.
class DenseTabu {
public:
    DenseTabu(const MatrixState& start, int t, int a, int b)
        : shape_(start.Shape())
        , t_(t)
        , b_(b)
        , mask_((1 << b) - 1)
    {
        n3_ = 1;
        for (int i = 0; i < a; ++i) {
            n3_ *= 3;
        }
        points_ = n3_ << b;
        // The ternary parts' sum and negative digit by digit: the lowest digit
        // here, the others from the row of the index divided by 3, which is
        // already filled.
        add_.resize(std::size_t(n3_) * n3_);
        neg_.resize(n3_);
        for (int x = 0; x < n3_; ++x) {
            neg_[x] = static_cast<std::uint16_t>(x == 0 ? 0 : 3 * neg_[x / 3] + (3 - x % 3) % 3);
            for (int y = 0; y < n3_; ++y) {
                add_[std::size_t(x) * n3_ + y] = static_cast<std::uint16_t>(x == 0
                        ? y
                        : 3 * add_[std::size_t(x / 3) * n3_ + y / 3] + (x % 3 + y % 3) % 3);
            }
        }
        for (Elem c : start.Columns()) {
            columns_.push_back(static_cast<int>(shape_.Dense(c)));
        }
        count_.assign(points_, 0);
        taken_.assign(points_, 0);
        unreached_ = points_;
        for (Elem e : start.Syndromes()) {
            const int s = static_cast<int>(shape_.Dense(e));
            cosets_.push_back(s);
            ++taken_[s];
            Reach(s, +1);
        }
    }

    int Points() const { return points_; }
    int Unreached() const { return unreached_; }
    bool Unreached(int x) const { return count_[x] == 0; }
    bool Taken(int x) const { return taken_[x] != 0; }
    const std::vector<int>& Cosets() const { return cosets_; }
    int Column(int j) const { return columns_[j]; }
    bool Ternary(int j) const { return j < t_; }

    int Add(int x, int y) const
    {
        return (add_[std::size_t(x >> b_) * n3_ + (y >> b_)] << b_) | ((x ^ y) & mask_);
    }
    // The negative, which for a ternary part is also its double.
    int Neg(int x) const { return (neg_[x >> b_] << b_) | (x & mask_); }
    bool BinaryPartZero(int x) const { return (x & mask_) == 0; }
    bool TernaryPartZero(int x) const { return (x >> b_) == 0; }

    // Every place a pattern takes a coset: no error, then each column once
    // and (ternary ones) twice.
    void Patterns(std::vector<int>& out) const
    {
        out.assign(1, 0);
        for (std::size_t j = 0; j < columns_.size(); ++j) {
            out.push_back(columns_[j]);
            if (Ternary(static_cast<int>(j))) {
                out.push_back(Neg(columns_[j]));
            }
        }
    }

    void Reach(int s, int sign)
    {
        Count(s, sign);
        for (std::size_t j = 0; j < columns_.size(); ++j) {
            Count(Add(s, columns_[j]), sign);
            if (Ternary(static_cast<int>(j))) {
                Count(Add(s, Neg(columns_[j])), sign);
            }
        }
    }

    // Adds or removes what column j contributes to every coset.
    void Through(int j, int sign)
    {
        const int c = columns_[j];
        for (int s : cosets_) {
            Count(Add(s, c), sign);
            if (Ternary(j)) {
                Count(Add(s, Neg(c)), sign);
            }
        }
    }

    // Coset i leaves its place (Reach(x, +1) and Place(i, x) put it back).
    void Lift(std::size_t i)
    {
        Reach(cosets_[i], -1);
        --taken_[cosets_[i]];
    }
    void Place(std::size_t i, int x)
    {
        cosets_[i] = x;
        ++taken_[x];
        Reach(x, +1);
    }
    void SetColumnValue(int j, int c) { columns_[j] = c; }

    Elem ToElem(int x) const { return shape_.FromDense(static_cast<std::uint32_t>(x)); }

private:
    void Count(int x, int sign)
    {
        if (sign > 0) {
            unreached_ -= count_[x]++ == 0;
        } else {
            unreached_ += --count_[x] == 0;
        }
    }

    const CoverProblem& shape_;
    int t_, b_, mask_, n3_ = 1, points_ = 1;
    std::vector<std::uint16_t> add_, neg_;
    std::vector<int> columns_, cosets_;
    std::vector<std::uint32_t> count_;
    std::vector<std::uint16_t> taken_;
    int unreached_ = 0;
};

} // namespace

void RandomColumns(int a, int b, int t, int d, std::mt19937_64& rng, std::vector<Elem>& tc,
    std::vector<Elem>& bc)
{
    tc.clear();
    bc.clear();
    std::set<Elem> usedT, usedB;
    for (int i = 0; i < a; ++i) {
        const Elem e = MakeElem(1u << i, 0, 0);
        tc.push_back(e);
        usedT.insert(e);
        usedT.insert(Double(e));
    }
    const std::uint64_t projective = (SpaceSize(a, 0) - 1) / 2;
    for (int i = a; i < t; ++i) {
        Elem e = RandomTernaryColumn(a, rng);
        while (usedT.count(e) && usedT.size() / 2 < projective) {
            e = RandomTernaryColumn(a, rng);
        }
        tc.push_back(e);
        usedT.insert(e);
        usedT.insert(Double(e));
    }
    for (int i = 0; i < b; ++i) {
        const Elem e = MakeElem(0, 0, 1u << i);
        bc.push_back(e);
        usedB.insert(e);
    }
    const std::uint64_t nonzero = (std::uint64_t(1) << b) - 1;
    for (int i = b; i < d; ++i) {
        Elem e = RandomBinaryColumn(b, rng);
        while (usedB.count(e) && usedB.size() < nonzero) {
            e = RandomBinaryColumn(b, rng);
        }
        bc.push_back(e);
        usedB.insert(e);
    }
}

MatrixCover SearchMatrix(int t, int d, int a, int b, int R, std::size_t cosets,
    std::uint64_t moves, double seconds, double heat, std::mt19937_64& rng)
{
    if (cosets == 0) {
        return {};
    }
    Clock clock(seconds);
    MatrixState st = RandomStart(t, d, a, b, R, cosets, rng);
    const std::vector<int> free = FreeColumns(t, d, a, b);
    // The temperature falls from 1.5 to 0.05 times `heat`: a column move
    // at level 3 shifts hundreds of syndromes, and needs a hotter start.
    const double t0 = 1.5 * heat, t1 = 0.05 * heat;
    std::size_t best = st.Uncovered();
    for (std::uint64_t m = 0; m < moves && st.Uncovered() > 0; ++m) {
        if ((m & 255) == 0 && clock.Over()) {
            break;
        }
        const double temp = t0 * std::pow(t1 / t0, static_cast<double>(m) / moves);
        const std::size_t before = st.Uncovered();
        // One coset alone can be anywhere: only its columns matter. At level 1
        // the cosets carry the search; at levels 2 and 3 a handful of cosets
        // meets many columns, whose sums decide nearly everything, so two
        // moves in three change a column there.
        const bool columnMove = !free.empty()
            && (cosets == 1 || (R == 1 ? rng() % 4 == 0 : rng() % 3 != 0));
        if (columnMove) {
            const int j = free[rng() % free.size()];
            const Elem old = st.Columns()[j];
            // At levels 2 and 3 half of the column moves change one digit
            // only: a small step, where a new column would upset every sum
            // that holds it.
            const bool oneDigit = R > 1 && rng() % 2 == 0;
            const Elem next = st.Ternary(j)
                ? (oneDigit ? OtherTernaryDigit(old, a, rng) : RandomTernaryColumn(a, rng))
                : (oneDigit ? OtherBinaryDigit(old, b, rng) : RandomBinaryColumn(b, rng));
            st.SetColumn(j, next);
            const double delta = static_cast<double>(st.Uncovered()) - static_cast<double>(before);
            if (delta > 0 && Uniform01(rng) >= std::exp(-delta / temp)) {
                st.SetColumn(j, old);
            }
        } else {
            // Move into the reach of an uncovered syndrome the coset whose
            // move leaves the fewest syndromes unreached (small sets: every
            // coset is weighed; large ones: a sample).
            const Elem u = st.RandomUncovered(rng);
            const Elem to = Add(u, Neg(st.RandomPattern(rng)));
            const std::size_t n = st.Syndromes().size();
            const std::size_t weigh = std::min<std::size_t>(n, 24);
            std::size_t pick = 0, bestAfter = SIZE_MAX, ties = 0;
            st.Aim(to);
            for (std::size_t k = 0; k < weigh; ++k) {
                const std::size_t i = weigh == n ? k : rng() % n;
                const std::size_t after = st.UncoveredAfter(i);
                if (after < bestAfter) {
                    bestAfter = after;
                    pick = i;
                    ties = 1;
                } else if (after == bestAfter && rng() % ++ties == 0) {
                    pick = i;
                }
            }
            st.Unaim();
            const double delta = static_cast<double>(bestAfter) - static_cast<double>(before);
            if (delta <= 0 || Uniform01(rng) < std::exp(-delta / temp)) {
                st.MoveSyndrome(pick, to);
            }
        }
        best = std::min(best, st.Uncovered());
    }
    return Found(st, t, best);
}

MatrixCover TabuMatrix(int t, int d, int a, int b, std::size_t cosets, std::uint64_t steps,
    double seconds, int tenure, std::mt19937_64& rng)
{
    if (cosets == 0) {
        return {};
    }
    Clock clock(seconds);
    const MatrixState start = RandomStart(t, d, a, b, 1, cosets, rng);
    DenseTabu st(start, t, a, b);
    const std::vector<int> free = FreeColumns(t, d, a, b);
    // A coset or column that moved stays put for `tenure` to twice `tenure`
    // steps (drawn anew each time, so that no cycle of moves repeats itself
    // exactly), unless moving it again leaves fewer syndromes unreached than
    // the search has seen so far.
    std::vector<std::uint64_t> cosetFree(cosets, 0), columnFree(t + d, 0);
    int best = st.Unreached();
    std::vector<int> patterns;
    for (std::uint64_t step = 1; step <= steps && st.Unreached() > 0; ++step) {
        if ((step & 63) == 0 && clock.Over()) {
            break;
        }
        int u = 0;
        do {
            u = static_cast<int>(rng() % static_cast<std::uint64_t>(st.Points()));
        } while (!st.Unreached(u));
        int bestAfter = std::numeric_limits<int>::max();
        std::uint64_t ties = 0;
        int kind = -1, which = 0, to = 0;
        const auto weigh = [&](bool held, int k, int i, int v) {
            const int after = st.Unreached();
            if (held && after >= best) {
                return;
            }
            if (after < bestAfter) {
                ties = 1;
            } else if (after > bestAfter || rng() % ++ties != 0) {
                return;
            }
            bestAfter = after;
            kind = k;
            which = i;
            to = v;
        };
        // Every coset to every free place from which it reaches u.
        st.Patterns(patterns);
        for (std::size_t i = 0; i < cosets; ++i) {
            const int from = st.Cosets()[i];
            const bool held = cosetFree[i] > step;
            st.Lift(i);
            for (int p : patterns) {
                const int place = st.Add(u, st.Neg(p));
                if (st.Taken(place)) {
                    continue;
                }
                st.Reach(place, +1);
                weigh(held, 0, static_cast<int>(i), place);
                st.Reach(place, -1);
            }
            st.Place(i, from);
        }
        // Every free column to the difference between u and a coset (or its
        // double), so that this coset reaches u through it.
        for (int j : free) {
            const int old = st.Column(j);
            const bool held = columnFree[j] > step;
            st.Through(j, -1);
            for (std::size_t i = 0; i < cosets; ++i) {
                const int c = st.Add(u, st.Neg(st.Cosets()[i]));
                const bool fits = st.Ternary(j) ? st.BinaryPartZero(c) && !st.TernaryPartZero(c)
                                                : st.TernaryPartZero(c) && c != 0;
                if (!fits) {
                    continue;
                }
                for (int v : { c, st.Ternary(j) ? st.Neg(c) : -1 }) {
                    if (v < 0 || v == old) {
                        continue;
                    }
                    st.SetColumnValue(j, v);
                    st.Through(j, +1);
                    weigh(held, 1, j, v);
                    st.Through(j, -1);
                }
            }
            st.SetColumnValue(j, old);
            st.Through(j, +1);
        }
        if (kind < 0) {
            continue; // everything that reaches u is held
        }
        const std::uint64_t hold = step + static_cast<std::uint64_t>(tenure)
            + rng() % static_cast<std::uint64_t>(tenure + 1);
        if (kind == 0) {
            st.Lift(static_cast<std::size_t>(which));
            st.Place(static_cast<std::size_t>(which), to);
            cosetFree[static_cast<std::size_t>(which)] = hold;
        } else {
            st.Through(which, -1);
            st.SetColumnValue(which, to);
            st.Through(which, +1);
            columnFree[static_cast<std::size_t>(which)] = hold;
        }
        best = std::min(best, st.Unreached());
    }
    MatrixCover out;
    out.Left = static_cast<std::size_t>(best);
    if (st.Unreached() == 0) {
        for (int j = 0; j < t + d; ++j) {
            (j < t ? out.TernaryColumns : out.BinaryColumns).push_back(st.ToElem(st.Column(j)));
        }
        for (int s : st.Cosets()) {
            out.Syndromes.push_back(st.ToElem(s));
        }
    }
    return out;
}

std::vector<int> KernelWeights(int a, int b, const std::vector<Elem>& ternaryColumns,
    const std::vector<Elem>& binaryColumns)
{
    const int freeT = static_cast<int>(ternaryColumns.size()) - a;
    const int freeB = static_cast<int>(binaryColumns.size()) - b;
    if (freeT > 7 || freeB > 10) {
        return {};
    }
    // A word of the code is (-A y, y) on the ternary part and (B z, z) on the
    // binary part: its weight is that of y and of the sum of y's columns.
    std::vector<int> weights(ternaryColumns.size() + 1 + binaryColumns.size() + 1, 0);
    const std::uint64_t ny = SpaceSize(freeT, 0);
    for (std::uint64_t y = 0; y < ny; ++y) {
        Elem sum = 0;
        int w = 0;
        std::uint64_t rest = y;
        for (int j = 0; j < freeT; ++j, rest /= 3) {
            const int v = static_cast<int>(rest % 3);
            if (v != 0) {
                ++w;
                const Elem c = ternaryColumns[static_cast<std::size_t>(a + j)];
                sum = Add(sum, v == 1 ? c : Double(c));
            }
        }
        w += std::popcount(Ones(sum) | Twos(sum));
        ++weights[static_cast<std::size_t>(w)];
    }
    const std::size_t base = ternaryColumns.size() + 1;
    for (std::uint32_t z = 0; z < (1u << freeB); ++z) {
        Elem sum = 0;
        for (int j = 0; j < freeB; ++j) {
            if ((z >> j) & 1u) {
                sum = Add(sum, binaryColumns[static_cast<std::size_t>(b + j)]);
            }
        }
        ++weights[base + static_cast<std::size_t>(std::popcount(z) + std::popcount(Bits(sum)))];
    }
    return weights;
}

namespace {

// Keeps `syndromes` (a covering union over `matrix`'s cosets) in `best` when
// `best` has none yet or more; an empty union is never kept.
void KeepSmaller(MatrixCover& best, const std::vector<Elem>& syndromes, const MatrixCover& matrix)
{
    if (syndromes.empty() || (!best.Syndromes.empty() && syndromes.size() >= best.Syndromes.size())) {
        return;
    }
    best.TernaryColumns = matrix.TernaryColumns;
    best.BinaryColumns = matrix.BinaryColumns;
    best.Syndromes = syndromes;
}

} // namespace

MatrixCover WeightedMatrices(int t, int d, int a, int b, int R, std::size_t cosets,
    std::uint64_t steps, std::size_t kinds, std::size_t keep, std::uint64_t longSteps,
    int rounds, double seconds, std::mt19937_64& rng)
{
    MatrixCover best;
    // First every kind that turns up gets one short search, for at most half
    // the time; the draws stop at 5,000 for every kind wanted, so a kind
    // rarer than that is left out.
    Clock all(seconds);
    Clock screen(seconds / 2);
    std::set<std::vector<int>> seen;
    std::vector<std::pair<std::size_t, MatrixCover>> tried; // by the size its search reached
    std::size_t newKinds = 0;
    const std::uint64_t draws = static_cast<std::uint64_t>(kinds) * 5000;
    for (std::uint64_t draw = 0; draw < draws && newKinds < kinds && !screen.Over(); ++draw) {
        MatrixCover m;
        RandomColumns(a, b, t, d, rng, m.TernaryColumns, m.BinaryColumns);
        std::vector<int> kind = KernelWeights(a, b, m.TernaryColumns, m.BinaryColumns);
        if (!kind.empty() && !seen.insert(std::move(kind)).second) {
            continue;
        }
        ++newKinds;
        const CoverProblem p = SyndromeProblem(a, b, R, m.TernaryColumns, m.BinaryColumns);
        if (!WeightedFits(p)) {
            return best;
        }
        const SearchOutcome o = WeightedCover(
            p, std::numeric_limits<std::size_t>::max(), cosets, steps, screen.Left(), rng);
        if (o.Best.empty()) {
            continue;
        }
        KeepSmaller(best, o.Best, m);
        if (best.Syndromes.size() <= cosets) {
            return best;
        }
        tried.emplace_back(o.Best.size(), std::move(m));
    }
    // Then the kinds that came lowest get long searches from new starts, in
    // turn, for the rest of the time (or `rounds` rounds without a cap): a
    // short search tells the kinds apart, but only a long one gets near the
    // least union of a good kind.
    std::stable_sort(tried.begin(), tried.end(),
        [](const auto& x, const auto& y) { return x.first < y.first; });
    std::vector<MatrixCover> matrices;
    for (std::size_t i = 0; i < tried.size() && i < keep; ++i) {
        matrices.push_back(std::move(tried[i].second));
    }
    if (seconds > 0 && all.Over()) {
        return best;
    }
    MatrixCover longer
        = LongCosetSearches(a, b, R, matrices, cosets, longSteps, rounds, all.Left(), rng);
    KeepSmaller(best, longer.Syndromes, longer);
    return best;
}

MatrixCover LongCosetSearches(int a, int b, int R, const std::vector<MatrixCover>& matrices,
    std::size_t cosets, std::uint64_t steps, int rounds, double seconds, std::mt19937_64& rng)
{
    MatrixCover best;
    Clock all(seconds);
    for (int round = 0; !matrices.empty() && (seconds > 0 || round < rounds) && !all.Over();
         ++round) {
        for (const MatrixCover& m : matrices) {
            if (all.Over()) {
                break;
            }
            const CoverProblem p = SyndromeProblem(a, b, R, m.TernaryColumns, m.BinaryColumns);
            if (!WeightedFits(p)) {
                return best;
            }
            const SearchOutcome o = WeightedCover(
                p, std::numeric_limits<std::size_t>::max(), cosets, steps, all.Left(), rng);
            KeepSmaller(best, o.Best, m);
            if (!best.Syndromes.empty() && best.Syndromes.size() <= cosets) {
                return best;
            }
        }
    }
    return best;
}

} // namespace wg
