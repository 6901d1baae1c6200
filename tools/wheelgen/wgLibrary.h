// The wheel library: one wheel for every number of triples T and doubles D
// with T + D <= 15 at every guarantee level k = 1, 2, 3. Cells are built in an
// order in which every rule finds its sources ready (fewer pairs first, more
// triples first, lower levels first), from the shipped wheels, the fixed
// constructions, and local search; a cell's file is replaced only by a strictly
// smaller wheel that the exhaustive count has passed.
#pragma once

#include "wgCode.h"

#include <QString>

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace wg {

constexpr int kPairs = 15;
constexpr int kLevels = 3;

struct CellBounds {
    int Lower = 0;
    int Upper = 0;
    std::string Kind; // "exact", "record" (both bounds published) or "derived"
};

// The bounds per cell, read from a tab-separated file of lines
// "T D k lower upper kind" (lines starting with '#' are comments).
class BoundsTable {
public:
    bool Load(const QString& path, QString& error);
    const CellBounds* Find(int t, int d, int k) const;

private:
    std::map<std::array<int, 3>, CellBounds> cells_;
};

struct Options {
    QString WheelsFolder;
    QString ProvenanceFile;
    std::uint64_t Seed = 1;
    // Search effort: multiplies the moves per size of every search.
    double Effort = 1.0;
    // Wall-clock cap per cell in seconds (0: none).
    double Seconds = 60;
    bool Search = true;
    bool Write = true;
    bool Verbose = true;
    // Also write the cells that are not searched when the rules alone now
    // build a smaller wheel for them (from smaller wheels found meanwhile).
    bool WriteImproved = false;
    // The cells to search and write; empty means every cell.
    std::vector<std::array<int, 3>> Cells;
    // The syndrome spaces 3^a x 2^b to search, as (a, b); empty means every
    // one that could give a smaller wheel.
    std::vector<std::array<int, 2>> Shapes;
    // Only the search for unions of orbits, and only under the groups whose
    // description contains this text (empty: every search, every group).
    std::string Groups;
    // Only the weighted search over matrices of every kind, in the syndrome
    // spaces that --shapes allows (the other searches never run it).
    bool Kinds = false;
    // With Kinds: the one parity-check matrix to search instead, by its
    // columns after the unit ones ("0121,2201" for ternary columns of 3^4,
    // then "/" and the binary ones, "011,101" for 2^3); only the shape it
    // fits is searched.
    std::string Columns;
    // Only the weighted search started from the cell's best wheel so far, one
    // row smaller (the steps are the weighted search's, times the effort).
    bool FromWheel = false;
    // Only the search over the cosets of a subgroup of the best wheel's own
    // translations: how many ternary and binary dimensions of that group to
    // give up (both 0: not this search). Draws from Seed itself.
    int LiftTernary = 0;
    int LiftBinary = 0;
    // Only the search that anneals the matrix's columns around a tabu search
    // over the cosets, in the syndrome spaces that --shapes allows (all of at
    // most 6,561 syndromes if it allows none).
    bool Nested = false;
};

// The name of a library file: triples, doubles, hits 15 - k, out of 15, rows.
QString LibraryFileName(int t, int d, int k, std::size_t rows);

// The file content: every row packed, CR LF after each.
QByteArray LibraryFileBytes(const Code& c);

class Library {
public:
    explicit Library(Options options);

    // Reads the shipped wheels and the notes on how they were made.
    void LoadShipped();
    // Builds every cell; searches and writes the selected ones.
    void Run(const BoundsTable& bounds);

    const Code* Shipped(int t, int d, int k) const;
    // The shipped wheels whose note on how they were made names a rule that
    // the other shipped wheels no longer bear out: a direct sum whose parts'
    // sizes do not multiply to the wheel's, or a fold that gives another size
    // (the note goes stale when the wheel it names is made smaller). One line
    // per wheel, saying what the rule gives now.
    std::vector<std::string> UnsupportedHowTexts() const;
    const Code& Best(int t, int d, int k) const;
    // Number of rows of the best code, the whole space for k = 0, 1 when k >= T + D.
    std::uint64_t BestSize(int t, int d, int k) const;

private:
    static int Index(int t, int d, int k) { return (t * (kPairs + 1) + d) * (kLevels + 1) + k; }
    bool Selected(int t, int d, int k) const;
    void BuildCell(int t, int d, int k, const BoundsTable& bounds);
    void Improve(Code& best, int k, const CellBounds* bounds);
    void TryAmalgamated(Code& best, int t, int d, int k);
    void TrySyndromes(
        Code& best, int k, const CellBounds* bounds, std::uint64_t cellSeed, double seconds);
    void TryOrbits(
        Code& best, int k, const CellBounds* bounds, std::uint64_t cellSeed, double seconds);
    void TryFromWheel(Code& best, int k, std::size_t lower, std::uint64_t cellSeed, double seconds);
    void TryLift(Code& best, int k);
    void TryNested(
        Code& best, int k, const CellBounds* bounds, std::uint64_t cellSeed, double seconds);
    bool WriteCell(const Code& c, int k);
    void SaveProvenance() const;

    Options options_;
    std::vector<Code> best_;
    std::vector<Code> shipped_;
    std::vector<QString> shippedFile_;
};

// Checks every wheel file in a folder exhaustively; prints one line per file
// and returns the number of files that fail. `count` receives the number of
// wheel files.
int VerifyFolder(const QString& folder, int& count, bool verbose);

// The Markdown page with a table per level: our size, the best known upper
// bound, the lower bound, their ratio and how each wheel was made.
QByteArray ReportMarkdown(const QString& wheelsFolder, const QString& provenanceFile,
    const BoundsTable& bounds, QString& error);

} // namespace wg
