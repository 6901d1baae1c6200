// Wheels searched over the cosets of a subgroup of a wheel's own translations.
// Many wheels are unions of cosets of a group of words (adding such a word to
// every row gives the same wheel). Giving up part of that group splits each
// coset into two or three smaller ones; the weighted search then starts from
// the wheel's own cosets in the finer syndrome space and looks for a union of
// fewer. The finer space is far smaller than the wheel's own space, so the
// search goes much deeper there than it can over single rows.
#pragma once

#include "wgSearch.h"

#include <cstdint>
#include <random>
#include <vector>

namespace wg {

// A basis of the translations that map the wheel onto itself, split into the
// ternary words (triples only) and the binary words (doubles only); the group
// is the product of their spans. Each basis is in reduced echelon form, so it
// depends only on the set of rows.
struct Translations {
    std::vector<std::vector<int>> Ternary; // each of length T, digits 0..2
    std::vector<std::vector<int>> Binary; // each of length D, digits 0..1
};
Translations WheelTranslations(const Code& c);

struct LiftOutcome {
    Code Wheel; // the smaller wheel (empty rows if none found)
    int A = 0, B = 0; // the syndrome space 3^A x 2^B it was found in
    std::size_t Cosets = 0; // how many cosets it joins
    int Tries = 0; // subgroups tried
};

// Gives up `dropTernary` dimensions of the ternary translations and
// `dropBinary` of the binary ones (each dimension by a random linear form that
// is not zero), and runs the weighted search over the cosets of what remains,
// of `steps` steps, from the cosets the wheel's rows lie in, one coset fewer.
// Tries new subgroups until a wheel with fewer rows turns up, `tries` subgroups
// have been tried, or `seconds` (if not 0) have passed; the cap also cuts a
// search short, which makes the result depend on the machine's speed. Draws
// only from `rng`.
LiftOutcome LiftSearch(const Code& c, int R, int dropTernary, int dropBinary, std::uint64_t steps,
    int tries, double seconds, std::mt19937_64& rng);

} // namespace wg
