// Wheels that a group of symmetries maps onto itself. A symmetry permutes the
// triples among themselves and the doubles among themselves, may swap the
// outcomes 1 and 2 on every triple, and may then add a fixed result; each of
// these keeps the number of misses between two results. A wheel made of whole
// orbits of such a group is a much smaller covering problem: an orbit of
// results is reached as soon as one of its results is, so the search chooses
// orbits and counts unreached orbits, weighed by their size.
#pragma once

#include "wgSearch.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace wg {

// One generator of a group: result x goes to Shift + (negated) permuted x.
struct Symmetry {
    std::vector<int> TriplePerm; // triple i goes to TriplePerm[i]; empty: unchanged
    std::vector<int> DoublePerm; // likewise for the doubles
    bool Negate = false;         // swap the outcomes 1 and 2 on every triple
    Elem Shift = 0;              // added after the permutation
};

struct SymmetryGroup {
    std::string Name; // e.g. "triples shifted cyclically, indices times 3"
    std::vector<Symmetry> Generators;
    std::uint64_t Order = 1; // the number of its elements
};

// Applies one generator to a result.
Elem Apply(const Symmetry& s, Elem x);

// The groups worth trying for t triples and d doubles: cyclic shifts of the
// triples or of the doubles (with the index multipliers that keep a cyclic
// order), the outcome maps, and their combinations; none is the identity.
std::vector<SymmetryGroup> CandidateGroups(int t, int d);

struct OrbitOutcome {
    std::vector<Elem> Words; // the smallest covering union found; empty if none
    std::size_t Orbits = 0;  // how many orbits it joins
    std::size_t Classes = 0; // how many orbits the group makes of the whole space
    std::uint64_t Left = 0;  // the fewest results left unreached at the first size
    bool TooLarge = false;   // the group's orbits were too many to search
};

// Searches for a union of whole orbits of `group` with at most `target` rows
// that keeps radius R: a tabu search at fixed size (a move brings in an orbit
// that reaches an unreached orbit and gives up another, the cost is the number
// of unreached results), and after every success the least useful orbit is
// dropped and the search goes on below. Gives up on a size after
// `movesPerSize` moves, or when `seconds` (if not 0) have passed.
OrbitOutcome SearchOrbits(int t, int d, int R, const SymmetryGroup& group, std::size_t target,
    std::uint64_t movesPerSize, double seconds, std::mt19937_64& rng);

} // namespace wg
