// Wheels as covering codes: the rows of a wheel for t triples and b doubles are
// words of Z3^t x Z2^b (ternary coordinates first), and a wheel keeps the
// guarantee "n - R of n" when every word lies within Hamming distance R of a row.
// This unit holds the fixed constructions: the elementary wheels, the perfect
// codes, and the rules that build a wheel from smaller ones.
#pragma once

#include "engine/uniWheelCheck.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace wg {

using Row = rav::tWheelRow;

// A draw from [0, 1) with 53 random bits, for the annealing's acceptance test.
inline double Uniform01(std::mt19937_64& rng)
{
    return static_cast<double>(rng() >> 11) * 0x1.0p-53;
}

struct Code {
    int T = 0; // ternary coordinates (triples)
    int D = 0; // binary coordinates (doubles)
    std::vector<Row> Rows;
    std::string How; // how the code was made, for the library's table
    std::size_t Size() const { return Rows.size(); }
};

// 3^t * 2^b, the number of results of a wheel.
std::uint64_t SpaceSize(int t, int b);

// Every word of the space (radius 0).
Code WholeSpace(int t, int b);

// The fewest rows a wheel can have when one of them is not enough for every
// result but R misses are allowed with n = t + b pairs, R >= n - 1:
// one row when R >= n, two rows (all 1 and all 0) with a double, else the three
// constant rows.
Code Elementary(int t, int b, int R);

// Perfect codes: the ternary Hamming codes of length 4 and 13 (radius 1), the
// ternary Golay code of length 11 (radius 2), the binary Hamming codes of
// length 3, 7 and 15 (radius 1). Returns an empty code for other lengths.
Code TernaryHamming(int n);
Code TernaryGolay();
Code BinaryHamming(int n);

// Direct sum: every row of a followed by every row of b; the radius is the sum
// of the radii. Ternary coordinates of a, then of b, then a's binary, then b's.
Code DirectSum(const Code& a, const Code& b);

// Amalgamated direct sum: the two codes share one coordinate, a's `ca` and
// b's `cb` (both ternary when `ternary`, else both binary, counted within
// their kind); b's symbol s there is read as perm[s]. The rows are the pairs
// of a row of a and a row of b that agree on the shared coordinate, so the
// size is about |a| |b| / 3 (or / 2). The radius is at most the sum of the
// radii when both codes are normal in the shared coordinate, which must be
// checked. Ternary coordinates of a, then b's other ternary ones, then a's
// binary, then b's other binary ones.
Code Amalgamate(const Code& a, int ca, const Code& b, int cb, bool ternary,
    const std::array<int, 3>& perm);

// Blockwise direct sum: the union over every part s of the direct sum of
// a's part s and b's part s (ternary coordinates of a, then of b, then a's
// binary, then b's). With the parts of a far enough apart, a small part of b
// can serve where a's nearest row is close; the level is found by the
// exhaustive check.
Code BlockwiseSum(const std::vector<Code>& aParts, const std::vector<Code>& bParts);

// The ternary Golay code in three parts by the value of c . g (mod 3), g the
// code's generator word (weight 5), joined blockwise with {00}, {21, 12} and
// {11, 22} on two more triples: 243 x 5 = 1,215 rows for 13 triples at
// level 3, where the direct sum with a wheel for 2 triples at level 1 has
// 2,187.
Code GolayBlockwise();

// The same three parts joined blockwise with sets of rows for t more triples
// and b more doubles, `rows` rows in the three sets together, chosen by a
// short annealing (deterministic for the seed) so that every result lies
// within 3 of a row; an empty code when it finds none. The wheel has 243
// times `rows` rows for 11 + t triples and b doubles.
Code GolayBlockwiseSearch(int t, int b, std::size_t rows, std::uint64_t seed);

// Folding: the ternary coordinate `coordinate` of a code for (t + 1, b - 1)
// becomes a double; its symbol `merged` (0, 1 or 2) is written as `into`
// (one of the two others, which keep their meaning 0/1 in the new double).
// Duplicate rows are dropped. The radius does not grow.
Code Fold(const Code& c, int coordinate, int merged, int into);

// The smallest of the foldings of every ternary coordinate, every merge.
Code BestFold(const Code& c);

// Sorts the rows and drops duplicates.
void Canonical(Code& c);

// Digits of a row as a string "1021...", for tests and messages.
std::string RowDigits(const Row& r, int n);

} // namespace wg
