// Unions of cosets where the matrix is searched around a search over the
// cosets. Annealing that moves a coset or a column at each step (the search
// over the matrix and the cosets together) judges a new column by the cosets
// as they happen to lie; here every change of one column is followed by a
// short tabu search that moves the cosets to suit the new matrix, and the
// change is judged by what that search reaches. Each step costs far more,
// but in small syndrome spaces at levels 2 and 3, where a column changes a
// large part of every ball, it finds unions that the joint search misses.
#pragma once

#include "wgSearch.h"

#include <cstdint>
#include <random>

namespace wg {

// Looks for `cosets` cosets of a code with t triples and d doubles whose
// syndromes in 3^a x 2^b reach every syndrome with at most R column multiples.
// Each of at most `changes` steps gives one free column a new random value,
// runs `innerSteps` tabu steps over the cosets from where they lie, and keeps
// the change if it leaves no more syndromes unreached, or with probability
// exp(-(increase) / temperature), the temperature falling from `heat` to 0
// over the steps. Stops at the first cover, after `changes` steps, or after
// `seconds` (0: no cap; the cap makes the result depend on the machine's
// speed). Draws only from `rng`. Syndromes is empty if no cover was found;
// Left is the fewest syndromes left unreached at any kept step.
MatrixCover NestedMatrix(int t, int d, int a, int b, int R, std::size_t cosets,
    std::uint64_t changes, std::uint64_t innerSteps, double seconds, double heat,
    std::mt19937_64& rng);

// The largest syndrome space it takes on: it holds a table of all sums.
constexpr std::uint64_t kNestedMax = 6561;

} // namespace wg
