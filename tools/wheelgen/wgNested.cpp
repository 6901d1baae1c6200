#include "wgNested.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace wg {

namespace {

// Syndromes by number (the covering problem's dense numbering), with a table
// of sums so that the tabu steps never touch the group's bit masks.
struct Sums {
    std::uint32_t Points = 0;
    std::vector<std::uint32_t> Add; // Add[x * Points + y] = x + y
    std::vector<std::uint32_t> Neg;

    explicit Sums(const CoverProblem& p)
        : Points(static_cast<std::uint32_t>(p.Points()))
    {
        Add.resize(std::size_t(Points) * Points);
        Neg.resize(Points);
        std::vector<Elem> e(Points);
        for (std::uint32_t x = 0; x < Points; ++x) {
            e[x] = p.FromDense(x);
        }
        for (std::uint32_t x = 0; x < Points; ++x) {
            Neg[x] = p.Dense(wg::Neg(e[x]));
            for (std::uint32_t y = 0; y < Points; ++y) {
                Add[std::size_t(x) * Points + y] = p.Dense(wg::Add(e[x], e[y]));
            }
        }
    }
    std::uint32_t Sum(std::uint32_t x, std::uint32_t y) const
    {
        return Add[std::size_t(x) * Points + y];
    }
};

// The cosets and how often each syndrome is reached, for one matrix (its ball
// of offsets), with the tabu search over the cosets.
class Cosets {
public:
    Cosets(const Sums& sums, std::vector<std::uint32_t> ball, std::vector<std::uint32_t> leaders)
        : sums_(&sums)
        , ball_(std::move(ball))
        , leaders_(std::move(leaders))
        , reach_(sums.Points, 0)
        , heldUntil_(sums.Points, 0)
        , mark_(sums.Points, 0)
        , left_(sums.Points)
    {
        for (std::uint32_t s : leaders_) {
            Place(s, +1);
        }
    }

    std::size_t Left() const { return left_; }
    const std::vector<std::uint32_t>& Leaders() const { return leaders_; }

    // Tabu steps: an unreached syndrome at random, then the best move of one
    // coset to a place from which it reaches that syndrome (by the change in
    // unreached syndromes, ties at random), never to a place vacated within
    // the last `tenure` steps. Ends on the best state seen.
    void Search(std::uint64_t steps, int tenure, std::mt19937_64& rng)
    {
        const std::uint32_t n = sums_->Points;
        std::size_t bestLeft = left_;
        std::vector<std::uint32_t> best = leaders_;
        for (std::uint64_t st = 0; st < steps && left_ > 0; ++st) {
            ++step_;
            std::uint32_t u = 0;
            do {
                u = static_cast<std::uint32_t>(rng() % n);
            } while (reach_[u] != 0);
            long bestDelta = 0;
            std::size_t bestIndex = leaders_.size(), ties = 0;
            std::uint32_t bestPlace = 0;
            for (std::size_t i = 0; i < leaders_.size(); ++i) {
                const std::uint32_t s = leaders_[i];
                long loss = 0;
                for (std::uint32_t o : ball_) {
                    const std::uint32_t y = sums_->Sum(s, o);
                    if (reach_[y] == 1) {
                        ++loss;
                        mark_[y] = 1;
                    }
                }
                for (std::uint32_t o : ball_) {
                    const std::uint32_t x = sums_->Sum(u, sums_->Neg[o]);
                    if (heldUntil_[x] > step_) {
                        continue;
                    }
                    long gain = 0;
                    for (std::uint32_t o2 : ball_) {
                        const std::uint32_t y = sums_->Sum(x, o2);
                        gain += reach_[y] == 0 || (reach_[y] == 1 && mark_[y]);
                    }
                    const long delta = gain - loss;
                    if (bestIndex == leaders_.size() || delta > bestDelta) {
                        bestDelta = delta;
                        bestIndex = i;
                        bestPlace = x;
                        ties = 1;
                    } else if (delta == bestDelta && rng() % (++ties) == 0) {
                        bestIndex = i;
                        bestPlace = x;
                    }
                }
                for (std::uint32_t o : ball_) {
                    mark_[sums_->Sum(s, o)] = 0;
                }
            }
            if (bestIndex == leaders_.size()) {
                continue; // every place is held
            }
            const std::uint32_t old = leaders_[bestIndex];
            Place(old, -1);
            leaders_[bestIndex] = bestPlace;
            Place(bestPlace, +1);
            heldUntil_[old] = step_ + static_cast<std::uint64_t>(tenure);
            if (left_ < bestLeft) {
                bestLeft = left_;
                best = leaders_;
            }
        }
        if (left_ > bestLeft) {
            for (std::uint32_t s : leaders_) {
                Place(s, -1);
            }
            leaders_ = best;
            for (std::uint32_t s : leaders_) {
                Place(s, +1);
            }
        }
    }

private:
    void Place(std::uint32_t s, int sign)
    {
        for (std::uint32_t o : ball_) {
            const std::uint32_t y = sums_->Sum(s, o);
            if (sign > 0) {
                left_ -= reach_[y]++ == 0 ? 1 : 0;
            } else {
                left_ += --reach_[y] == 0 ? 1 : 0;
            }
        }
    }

    const Sums* sums_;
    std::vector<std::uint32_t> ball_;
    std::vector<std::uint32_t> leaders_;
    std::vector<std::uint32_t> reach_;
    std::vector<std::uint64_t> heldUntil_;
    std::vector<char> mark_;
    std::size_t left_ = 0;
    std::uint64_t step_ = 0;
};

std::vector<std::uint32_t> BallOf(
    int a, int b, int R, const std::vector<Elem>& tc, const std::vector<Elem>& bc)
{
    const CoverProblem p = SyndromeProblem(a, b, R, tc, bc);
    std::vector<std::uint32_t> ball;
    ball.reserve(p.Offsets.size());
    for (Elem o : p.Offsets) {
        ball.push_back(p.Dense(o));
    }
    return ball;
}

double Uniform(std::mt19937_64& rng)
{
    return static_cast<double>(rng() >> 11) * 0x1.0p-53;
}

} // namespace

MatrixCover NestedMatrix(int t, int d, int a, int b, int R, std::size_t cosets,
    std::uint64_t changes, std::uint64_t innerSteps, double seconds, double heat,
    std::mt19937_64& rng)
{
    MatrixCover out;
    const CoverProblem shape = SyndromeProblem(a, b, R, {}, {});
    const std::uint64_t points = shape.Points();
    if (points > kNestedMax || points < 2 || cosets == 0) {
        return out;
    }
    const Sums sums(shape);
    const double started = Now();
    const int tenure = 5;
    std::vector<Elem> tc, bc;
    RandomColumns(a, b, t, d, rng, tc, bc);
    std::vector<std::uint32_t> leaders(cosets);
    for (std::uint32_t& s : leaders) {
        s = static_cast<std::uint32_t>(rng() % points);
    }
    Cosets cur(sums, BallOf(a, b, R, tc, bc), leaders);
    cur.Search(innerSteps, tenure, rng);
    out.Left = cur.Left();
    const int freeT = a > 0 ? t - a : 0, freeB = b > 0 ? d - b : 0;
    for (std::uint64_t i = 0; i < changes && cur.Left() > 0; ++i) {
        if (seconds > 0 && Now() - started > seconds) {
            break;
        }
        std::vector<Elem> tc2 = tc, bc2 = bc;
        if (freeT + freeB > 0) {
            // One free column to a new value that is not zero.
            const int j = static_cast<int>(rng() % static_cast<std::uint64_t>(freeT + freeB));
            if (j < freeT) {
                const std::uint64_t ternary = SpaceSize(a, 0);
                const auto v = static_cast<std::uint32_t>(1 + rng() % (ternary - 1));
                tc2[static_cast<std::size_t>(a + j)] = shape.FromDense(v << b);
            } else {
                const std::uint64_t binary = SpaceSize(0, b);
                const auto v = static_cast<std::uint32_t>(1 + rng() % (binary - 1));
                bc2[static_cast<std::size_t>(b + j - freeT)] = shape.FromDense(v);
            }
        }
        Cosets next(sums, BallOf(a, b, R, tc2, bc2), cur.Leaders());
        next.Search(innerSteps, tenure, rng);
        const double temperature
            = heat * (1.0 - static_cast<double>(i) / static_cast<double>(changes));
        const bool keep = next.Left() <= cur.Left()
            || (temperature > 0
                && Uniform(rng)
                    < std::exp((static_cast<double>(cur.Left()) - static_cast<double>(next.Left()))
                        / temperature));
        if (keep) {
            cur = std::move(next);
            tc = std::move(tc2);
            bc = std::move(bc2);
            out.Left = std::min(out.Left, cur.Left());
        }
    }
    if (cur.Left() == 0) {
        out.TernaryColumns = tc;
        out.BinaryColumns = bc;
        for (std::uint32_t s : cur.Leaders()) {
            out.Syndromes.push_back(shape.FromDense(s));
        }
    }
    return out;
}

} // namespace wg
