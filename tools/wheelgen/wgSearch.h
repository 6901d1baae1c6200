// Local search for covering sets in a group Z3^a x Z2^b. A point covers the
// points it reaches by adding one of the ball's offsets; the search looks for a
// set of a given size that covers every point, with the number of uncovered
// points as cost, and lowers the size while it can.
//
// With unit vectors as columns the group is the space of the wheel itself and
// the ball is the Hamming ball. With a parity-check matrix H the group is the
// space of syndromes: a wheel {x : Hx in S} keeps radius R when S plus every sum
// of at most R column multiples is the whole syndrome space, and has |S| times
// 3^(t - a) 2^(b' - b) rows. Searching S is much smaller than searching the wheel.
#pragma once

#include "wgCode.h"

#include <cstdint>
#include <random>
#include <vector>

namespace wg {

// A group element: the ternary part as two bit masks (bit i in the first mask:
// coordinate i is 1, in the second: it is 2), the binary part as a third mask.
using Elem = std::uint64_t;

inline Elem MakeElem(std::uint32_t ones, std::uint32_t twos, std::uint32_t bits)
{
    return Elem(ones) | (Elem(twos) << 16) | (Elem(bits) << 32);
}
inline std::uint32_t Ones(Elem e)
{
    return static_cast<std::uint32_t>(e & 0xFFFF);
}
inline std::uint32_t Twos(Elem e)
{
    return static_cast<std::uint32_t>((e >> 16) & 0xFFFF);
}
inline std::uint32_t Bits(Elem e)
{
    return static_cast<std::uint32_t>(e >> 32);
}

// Seconds on a steady clock, for the searches' time caps.
double Now();

// Coordinate-wise sum (mod 3 on the ternary part, mod 2 on the binary part).
inline Elem Add(Elem x, Elem y)
{
    const std::uint32_t x1 = Ones(x), x2 = Twos(x), y1 = Ones(y), y2 = Twos(y);
    const std::uint32_t x0 = ~(x1 | x2), y0 = ~(y1 | y2);
    const std::uint32_t r1 = ((x1 & y0) | (x0 & y1) | (x2 & y2)) & 0xFFFF;
    const std::uint32_t r2 = ((x2 & y0) | (x0 & y2) | (x1 & y1)) & 0xFFFF;
    return MakeElem(r1, r2, Bits(x) ^ Bits(y));
}
inline Elem Neg(Elem x)
{
    return MakeElem(Twos(x), Ones(x), Bits(x));
}
// Multiplies the ternary part by 2 (the binary part is unchanged).
inline Elem Double(Elem x)
{
    return Neg(x);
}

// The covering problem: the group's shape, the ball's offsets (0 included) and
// the single-coordinate steps that a codeword may take in one move.
struct CoverProblem {
    int A = 0; // ternary coordinates of the group
    int B = 0; // binary coordinates of the group
    std::vector<Elem> Offsets;
    std::vector<Elem> Steps;

    std::uint64_t Points() const { return SpaceSize(A, B); }
    std::uint32_t Dense(Elem e) const;
    Elem FromDense(std::uint32_t index) const;

    // Built by the factories below.
    std::vector<std::uint32_t> TernaryIndex; // ones-mask -> sum of 3^i
};

// The wheel's own space: unit columns, Hamming ball of radius R.
CoverProblem HammingProblem(int t, int b, int R);

// The syndrome space of the parity-check matrix with the given columns:
// ternary columns have only ternary parts (a coordinates), binary columns only
// binary parts (b coordinates).
CoverProblem SyndromeProblem(int a, int b, int R, const std::vector<Elem>& ternaryColumns,
    const std::vector<Elem>& binaryColumns);

struct SearchLimits {
    // Moves tried at one size before the search gives up on it.
    std::uint64_t MovesPerSize = 200000;
    // Wall-clock cap for the whole call (0: none). Hitting it makes the result
    // depend on the machine's speed.
    double Seconds = 0;
    // Never try sizes below this (a lower bound).
    std::size_t MinSize = 1;
    // Tabu tenure: a vacated point may not be taken again for this many moves.
    int Tenure = 3;
    // A move that makes the cost worse by delta is made with probability
    // exp(-delta / Temperature); 0 makes every chosen move.
    double Temperature = 0.5;
};

struct SearchOutcome {
    std::vector<Elem> Best; // the smallest covering set found; empty if none
    std::uint64_t Moves = 0;
    bool TimedOut = false;
};

// A covering set built greedily: an uncovered point at random, then the point
// of its ball that covers the most uncovered points; redundant points dropped.
std::vector<Elem> GreedyCover(const CoverProblem& p, std::mt19937_64& rng);

// Starts from `start` (which need not cover), first trims it to at most
// `firstSize` points by dropping the least useful ones, then searches: every
// time the set covers, it is kept and its least useful point dropped.
SearchOutcome LowerCover(const CoverProblem& p, std::vector<Elem> start, std::size_t firstSize,
    const SearchLimits& limits, std::mt19937_64& rng);

// The table of balls the weighted search holds unless told otherwise: one
// entry per point and offset, 64 million entries (256 MB).
constexpr std::uint64_t kWeightedTableMax = std::uint64_t(1) << 26;

// Whether the weighted search below can hold the problem's table of balls in
// at most `maxEntries` entries.
bool WeightedFits(const CoverProblem& p, std::uint64_t maxEntries = kWeightedTableMax);

// A second local search, by weights on the points: it keeps a set of the
// size it is trying, and in each step takes out the set point whose loss
// weighs least and puts in, for a random uncovered point, the point of its
// ball whose gain weighs most (not the one just taken out, ties to the point
// that moved longest ago). After every step each uncovered point weighs one
// more, so points that stay uncovered draw the set towards them. Every time
// the set covers, it is kept and its lightest point dropped. Starts from
// `start`, or else from a greedy cover; gives up after `steps` steps or
// `seconds` (0: no cap), or at once if the table exceeds `maxEntries`.
SearchOutcome WeightedCover(const CoverProblem& p, std::size_t firstSize, std::size_t minSize,
    std::uint64_t steps, double seconds, std::mt19937_64& rng,
    const std::vector<Elem>* start = nullptr, std::uint64_t maxEntries = kWeightedTableMax);

// Rows of the wheel for a covering set of the Hamming problem.
Code ElemsToCode(const std::vector<Elem>& s, int t, int b);
std::vector<Elem> CodeToElems(const Code& c);

// The wheel {x : Hx in S} for a matrix H = [I | A] over a syndrome space of a
// ternary and b binary coordinates: columns 0..a-1 of the ternary part and
// 0..b-1 of the binary part are the unit columns. `ternaryColumns` has t
// entries, `binaryColumns` d entries.
Code ExpandSyndromes(const std::vector<Elem>& s, int a, int b, int t, int d,
    const std::vector<Elem>& ternaryColumns, const std::vector<Elem>& binaryColumns);

} // namespace wg

namespace wg {

// Columns of a parity-check matrix [I | A] for a syndrome space 3^a x 2^b:
// the unit vectors, then random ones, no two alike (up to a factor 2 for the
// ternary ones) while there are enough to choose from.
void RandomColumns(int a, int b, int t, int d, std::mt19937_64& rng, std::vector<Elem>& tc,
    std::vector<Elem>& bc);

// A union of cosets found together with its parity-check matrix.
struct MatrixCover {
    std::vector<Elem> TernaryColumns; // t columns, the first a the unit vectors
    std::vector<Elem> BinaryColumns;  // d columns, the first b the unit vectors
    std::vector<Elem> Syndromes;      // the chosen cosets; empty if none found
    std::size_t Left = 0;             // the fewest syndromes left unreached
};

// Searches the matrix and the cosets at once (simulated annealing): a move
// either moves one coset or changes one column of the matrix; the cost is the
// number of syndromes that no chosen coset reaches with at most R column
// multiples. Looks for `cosets` cosets in the syndrome space 3^a x 2^b of a
// wheel with t triples and d doubles; gives up after `moves` moves. `heat`
// scales the annealing temperature (1: for level 1). Worth it
// where the syndrome space is small: there a random matrix rarely has a good
// union of cosets at all.
MatrixCover SearchMatrix(int t, int d, int a, int b, int R, std::size_t cosets,
    std::uint64_t moves, double seconds, double heat, std::mt19937_64& rng);

// The same search at level 1 as a tabu search: a step picks an unreached
// syndrome u and weighs every move that makes a coset reach it (each coset to
// each place within one column multiple of u, each free column to the
// difference between u and a coset), then makes the best move that is not
// held; a coset or column that moved is held for `tenure` to 2 `tenure`
// steps, unless moving it again leaves fewer syndromes unreached than any
// state seen before. Gives up after `steps` steps. Where the annealing
// settles a few syndromes short, weighing every such move finds covers it
// misses.
MatrixCover TabuMatrix(int t, int d, int a, int b, std::size_t cosets, std::uint64_t steps,
    double seconds, int tenure, std::mt19937_64& rng);

// The weight distribution of the wheel {x : Hx = 0} for the matrix with the
// given columns (ternary and binary parts apart, as the wheel is their
// product). Matrices whose codes differ in it are never equivalent, so it
// sorts matrices into kinds. Empty where the code has more than 3^7 x 2^10
// rows.
std::vector<int> KernelWeights(int a, int b, const std::vector<Elem>& ternaryColumns,
    const std::vector<Elem>& binaryColumns);

// Draws matrices at random, passes over every one whose code has a weight
// distribution already tried, and gives each new one a weighted search of
// `steps` steps over its cosets (for at most `kinds` kinds and half of
// `seconds`). Most random matrices fall into a few common kinds; a rare kind
// can have a union of cosets far smaller than any common one, and skipping the
// kinds already seen reaches it in a moment (where the code is too large to
// weigh, every matrix counts as a kind of its own). The `keep` kinds that came lowest
// then get weighted searches of `longSteps` steps in turn, for the rest of the
// time (`rounds` rounds where `seconds` is 0, no cap). Stops at `cosets`;
// returns the smallest union found, at any size.
MatrixCover WeightedMatrices(int t, int d, int a, int b, int R, std::size_t cosets,
    std::uint64_t steps, std::size_t kinds, std::size_t keep, std::uint64_t longSteps,
    int rounds, double seconds, std::mt19937_64& rng);

// Weighted searches of `steps` steps over the cosets of each of these
// matrices (their columns; the syndromes are ignored) in turn, from new
// starts, for `seconds` (`rounds` rounds where it is 0, no cap). Stops at
// `cosets`; returns the smallest union found, at any size.
MatrixCover LongCosetSearches(int a, int b, int R, const std::vector<MatrixCover>& matrices,
    std::size_t cosets, std::uint64_t steps, int rounds, double seconds, std::mt19937_64& rng);

} // namespace wg
