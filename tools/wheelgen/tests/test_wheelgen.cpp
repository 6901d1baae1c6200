// The wheel generator: the perfect codes, the rules that combine wheels, the
// covering search (in the wheel's space and in a syndrome space), and the
// library's rule that a shipped wheel is only ever replaced by a strictly
// smaller one that keeps its guarantee.
#include "wgCode.h"
#include "wgLibrary.h"
#include "wgLift.h"
#include "wgNested.h"
#include "wgOrbits.h"
#include "wgSearch.h"

#include "engine/uniWheelCheck.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace wg;

namespace {

int Misses(const Code& c)
{
    const rav::WheelCoverage cover = rav::MeasureWheel(c.T, c.D, c.Rows);
    EXPECT_TRUE(cover.Ok) << cover.Error.toStdString();
    return cover.Misses;
}

QString BoundsPath()
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../bounds.tsv");
}

// A temporary wheels folder and the bounds table, as the library tests need.
struct Scratch {
    QTemporaryDir Dir;
    QString Wheels = Dir.filePath("wheels");
    BoundsTable Bounds;
    QString Error;
    bool Loaded = Dir.isValid() && QDir().mkpath(Wheels) && Bounds.Load(BoundsPath(), Error);
};

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray ReadBytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

// Runs the library with these options over one cell of a scratch folder, quietly,
// and gives back the cell's best wheel.
Code RunOneCell(const Scratch& s, Options o, const std::array<int, 3>& cell)
{
    o.WheelsFolder = s.Wheels;
    o.ProvenanceFile = s.Dir.filePath("provenance.tsv");
    o.Verbose = false;
    o.Cells = { cell };
    Library lib(o);
    lib.LoadShipped();
    lib.Run(s.Bounds);
    return lib.Best(cell[0], cell[1], cell[2]);
}

} // namespace

TEST(WheelGenCodes, PerfectCodes)
{
    const Code h4 = TernaryHamming(4);
    EXPECT_EQ(h4.Size(), 9u);
    EXPECT_EQ(Misses(h4), 1);
    const Code h13 = TernaryHamming(13);
    EXPECT_EQ(h13.Size(), 59049u);
    EXPECT_EQ(Misses(h13), 1);
    const Code golay = TernaryGolay();
    EXPECT_EQ(golay.Size(), 729u);
    EXPECT_EQ(Misses(golay), 2);
    EXPECT_EQ(BinaryHamming(7).Size(), 16u);
    EXPECT_EQ(Misses(BinaryHamming(7)), 1);
    EXPECT_EQ(BinaryHamming(15).Size(), 2048u);
    EXPECT_EQ(Misses(BinaryHamming(15)), 1);
    EXPECT_TRUE(TernaryHamming(5).Rows.empty());
    EXPECT_TRUE(BinaryHamming(8).Rows.empty());
}

TEST(WheelGenCodes, GolayCodeInThreePartsBlockwise)
{
    const Code c = GolayBlockwise();
    EXPECT_EQ(c.T, 13);
    EXPECT_EQ(c.D, 0);
    EXPECT_EQ(c.Size(), 1215u);
    EXPECT_EQ(Misses(c), 3);
    // The rows come from the Golay code's 729 words, 243 of them with each
    // set: on the last two triples, 243 rows hold 00 and 486 each of the
    // other two pairs of sets.
    std::array<int, 9> tail{};
    for (const Row& r : c.Rows) {
        ++tail[r[11] + 3 * r[12]];
    }
    EXPECT_EQ(tail[0], 243);
    EXPECT_EQ(tail[1 + 3 * 1] + tail[2 + 3 * 2], 486);
    EXPECT_EQ(tail[2 + 3 * 1] + tail[1 + 3 * 2], 486);
    // The parts taken apart and joined again give the same wheel; one set
    // for every part (the plain direct sum with 00) loses the level.
    std::vector<Code> golay(3), pairs(3);
    for (const Row& r : c.Rows) {
        Row g{};
        std::copy(r.begin(), r.begin() + 11, g.begin());
        Row y{};
        y[0] = r[11];
        y[1] = r[12];
        const int s = y[0] == 0 ? 0 : (y[0] == y[1] ? 2 : 1);
        golay[s].T = 11;
        golay[s].Rows.push_back(g);
        pairs[s].T = 2;
        pairs[s].Rows.push_back(y);
    }
    for (Code& part : golay) {
        Canonical(part);
    }
    for (Code& part : pairs) {
        Canonical(part);
    }
    ASSERT_EQ(golay[0].Size(), 243u);
    EXPECT_EQ(BlockwiseSum(golay, pairs).Rows, c.Rows);
    std::vector<Code> same{ pairs[0], pairs[0], pairs[0] };
    const Code plain = BlockwiseSum(golay, same);
    EXPECT_EQ(plain.Size(), 729u);
    EXPECT_EQ(Misses(plain), 4);
}

TEST(WheelGenCodes, GolayPartsJoinedWithFoundRows)
{
    // 12 triples and a double at level 3: 4 rows for the triple and the
    // double over the three parts make 972 rows (the rules give 1,215).
    const Code c = GolayBlockwiseSearch(1, 1, 4, 1);
    ASSERT_FALSE(c.Rows.empty());
    EXPECT_EQ(c.T, 12);
    EXPECT_EQ(c.D, 1);
    EXPECT_EQ(c.Size(), 972u);
    EXPECT_EQ(Misses(c), 3);
    EXPECT_EQ(GolayBlockwiseSearch(1, 1, 4, 1).Rows, c.Rows) << "same seed, same wheel";
    for (const Row& r : c.Rows) {
        EXPECT_LE(r[12], 1) << "a double's digit";
    }
    // One row for all three parts is 243 rows, below the lower bound.
    EXPECT_TRUE(GolayBlockwiseSearch(1, 1, 1, 1).Rows.empty());
}

TEST(WheelGenCodes, ElementaryWheels)
{
    for (int t = 0; t <= 4; ++t) {
        for (int d = 0; d <= 4; ++d) {
            const int n = t + d;
            const Code one = Elementary(t, d, n);
            ASSERT_EQ(one.Size(), 1u);
            EXPECT_LE(Misses(one), n);
            if (n == 0) {
                continue;
            }
            Code c = Elementary(t, d, n - 1);
            EXPECT_EQ(c.Size(), d > 0 ? 2u : 3u) << t << "," << d;
            // All 1 and all 0: a result agrees with one of them on half the
            // doubles; the constant rows: a result holds some outcome n/3 times.
            EXPECT_EQ(Misses(c), d > 0 ? n - (d + 1) / 2 : n - (n + 2) / 3) << t << "," << d;
            if (d == 0) {
                // Two constant rows leave a result that misses every pair.
                c.Rows.pop_back();
                EXPECT_EQ(Misses(c), n);
            }
        }
    }
    EXPECT_TRUE(Elementary(3, 2, 2).Rows.empty());
}

TEST(WheelGenCodes, DirectSumAndFolding)
{
    // Misses add up, sizes multiply, triples come first.
    const Code sum = DirectSum(TernaryHamming(4), BinaryHamming(3));
    EXPECT_EQ(sum.T, 4);
    EXPECT_EQ(sum.D, 3);
    EXPECT_EQ(sum.Size(), 18u);
    EXPECT_EQ(Misses(sum), 2);
    for (const Row& r : sum.Rows) {
        for (int i = 4; i < 7; ++i) {
            EXPECT_LE(r[i], 1) << "a double's digit";
        }
    }
    // A triple folded into a double keeps the guarantee.
    const Code once = BestFold(TernaryGolay());
    EXPECT_EQ(once.T, 10);
    EXPECT_EQ(once.D, 1);
    EXPECT_EQ(once.Size(), 729u);
    EXPECT_EQ(Misses(once), 2);
    const Code twice = BestFold(once);
    EXPECT_EQ(twice.T, 9);
    EXPECT_EQ(twice.D, 2);
    EXPECT_EQ(Misses(twice), 2);
    // Folding drops rows that become equal.
    const Code whole = Fold(WholeSpace(2, 0), 1, 2, 0);
    EXPECT_EQ(whole.Size(), 6u);
    EXPECT_EQ(Misses(whole), 0);
}

TEST(WheelGenSearch, SyndromesOfAParityCheckMatrix)
{
    // The columns e1, e2, (1,1), (1,2) of Z3^2: the zero syndrome alone covers
    // every syndrome within one column, and its coset is the perfect code.
    const std::vector<Elem> columns{ MakeElem(1, 0, 0), MakeElem(2, 0, 0), MakeElem(3, 0, 0),
        MakeElem(1, 2, 0) };
    const CoverProblem p = SyndromeProblem(2, 0, 1, columns, {});
    EXPECT_EQ(p.Offsets.size(), 9u);
    const Code c = ExpandSyndromes({ 0 }, 2, 0, 4, 0, columns, {});
    EXPECT_EQ(c.Size(), 9u);
    EXPECT_EQ(Misses(c), 1);
    for (const Row& r : c.Rows) {
        EXPECT_EQ((r[0] + r[2] + r[3]) % 3, 0) << RowDigits(r, 4);
        EXPECT_EQ((r[1] + r[2] + 2 * r[3]) % 3, 0) << RowDigits(r, 4);
    }

    // Mixed: a binary syndrome digit over three doubles, the syndromes 0 and 1.
    const std::vector<Elem> bin{ MakeElem(0, 0, 1), MakeElem(0, 0, 1), MakeElem(0, 0, 1) };
    const Code m = ExpandSyndromes(
        { MakeElem(1, 0, 0), MakeElem(0, 0, 1) }, 1, 1, 1, 3, { MakeElem(1, 0, 0) }, bin);
    EXPECT_EQ(m.Size(), 8u);
    for (const Row& r : m.Rows) {
        const int parity = (r[1] + r[2] + r[3]) % 2;
        EXPECT_TRUE((r[0] == 1 && parity == 0) || (r[0] == 0 && parity == 1)) << RowDigits(r, 4);
    }
}

TEST(WheelGenSearch, FindsTheLeastSizesOfSmallCellsDeterministically)
{
    struct Cell {
        int t, d, k;
        std::size_t least;
    } cells[] = { { 3, 0, 1, 5 }, { 0, 6, 1, 12 }, { 2, 3, 1, 12 }, { 4, 2, 2, 10 } };
    for (const Cell& cell : cells) {
        const CoverProblem p = HammingProblem(cell.t, cell.d, cell.k);
        std::vector<Code> runs;
        for (int run = 0; run < 2; ++run) {
            std::mt19937_64 rng(5);
            const std::vector<Elem> start = GreedyCover(p, rng);
            SearchLimits limits;
            limits.MovesPerSize = 200000;
            limits.MinSize = cell.least;
            limits.Temperature = 0;
            const SearchOutcome out = LowerCover(p, start, start.size(), limits, rng);
            runs.push_back(ElemsToCode(out.Best, cell.t, cell.d));
        }
        EXPECT_EQ(runs[0].Size(), cell.least) << cell.t << "," << cell.d << ";" << cell.k;
        EXPECT_LE(Misses(runs[0]), cell.k);
        EXPECT_EQ(runs[0].Rows, runs[1].Rows) << "same seed, same wheel";
    }
}

TEST(WheelGenSearch, CoverWithoutAStartAndWithATargetBelowTheLeast)
{
    // Three triples at level 1 need 5 rows: asking for 4 finds nothing.
    const CoverProblem p = HammingProblem(3, 0, 1);
    std::mt19937_64 rng(1);
    SearchLimits limits;
    limits.MovesPerSize = 20000;
    const SearchOutcome out = LowerCover(p, {}, 4, limits, rng);
    EXPECT_TRUE(out.Best.empty());
    EXPECT_GT(out.Moves, 0u);
}

TEST(WheelGenSearch, WeightedSearchFindsTheLeastSizes)
{
    // 62 for nine doubles is known to be least, as are 12 for five triples
    // and a double at level 2, 10 for four triples and two doubles.
    struct Cell {
        int t, d, k;
        std::size_t least;
    } cells[] = { { 0, 9, 1, 62 }, { 5, 1, 2, 12 }, { 4, 2, 2, 10 }, { 2, 3, 1, 12 } };
    for (const Cell& cell : cells) {
        const CoverProblem p = HammingProblem(cell.t, cell.d, cell.k);
        ASSERT_TRUE(WeightedFits(p));
        std::vector<Code> runs;
        for (int run = 0; run < 2; ++run) {
            std::mt19937_64 rng(7);
            const SearchOutcome out = WeightedCover(p, 1000, cell.least, 400000, 0, rng);
            runs.push_back(ElemsToCode(out.Best, cell.t, cell.d));
        }
        EXPECT_EQ(runs[0].Size(), cell.least) << cell.t << "," << cell.d << ";" << cell.k;
        EXPECT_LE(Misses(runs[0]), cell.k);
        EXPECT_EQ(runs[0].Rows, runs[1].Rows) << "same seed, same wheel";
    }
    // Below the least size nothing is reported, and the steps run out.
    const CoverProblem p = HammingProblem(3, 0, 1);
    std::mt19937_64 rng(1);
    const SearchOutcome none = WeightedCover(p, 4, 1, 20000, 0, rng);
    EXPECT_TRUE(none.Best.empty());
    EXPECT_GT(none.Moves, 20000u);
    // A wheel larger than asked for is not reported either.
    std::mt19937_64 rng2(1);
    const SearchOutcome five = WeightedCover(p, 5, 1, 20000, 0, rng2);
    ASSERT_EQ(five.Best.size(), 5u);
    EXPECT_EQ(Misses(ElemsToCode(five.Best, 3, 0)), 1);
}

TEST(WheelGenSearch, MatrixAndCosetsSearchedTogether)
{
    // Ten triples at level 1 in five cosets of a 4-digit syndrome space
    // (3645 rows), eight triples in six (486 rows), seven doubles in one coset
    // of a 3-digit binary space (the 16 rows of the perfect code). A random
    // matrix rarely allows the first at all. At level 3, eleven triples in one
    // coset of a 6-digit space (243 rows), found by the columns alone.
    struct Cell {
        int t, d, k, a, b;
        std::size_t cosets, rows;
        double heat;
    } cells[] = { { 10, 0, 1, 4, 0, 5, 3645, 1.0 }, { 8, 0, 1, 4, 0, 6, 486, 1.0 },
        { 0, 7, 1, 0, 3, 1, 16, 1.0 }, { 11, 0, 3, 6, 0, 1, 243, 10.0 } };
    for (const Cell& cell : cells) {
        std::vector<Code> runs;
        for (int run = 0; run < 2; ++run) {
            std::mt19937_64 rng(3);
            const MatrixCover m = SearchMatrix(
                cell.t, cell.d, cell.a, cell.b, cell.k, cell.cosets, 400000, 0, cell.heat, rng);
            ASSERT_EQ(m.Syndromes.size(), cell.cosets) << cell.t << "," << cell.d;
            EXPECT_EQ(m.Left, 0u);
            ASSERT_EQ(m.TernaryColumns.size(), std::size_t(cell.t));
            ASSERT_EQ(m.BinaryColumns.size(), std::size_t(cell.d));
            runs.push_back(ExpandSyndromes(m.Syndromes, cell.a, cell.b, cell.t, cell.d,
                m.TernaryColumns, m.BinaryColumns));
        }
        EXPECT_EQ(runs[0].Size(), cell.rows) << cell.t << "," << cell.d;
        EXPECT_LE(Misses(runs[0]), cell.k);
        EXPECT_EQ(runs[0].Rows, runs[1].Rows) << "same seed, same wheel";
    }
    // Three cosets reach at most 63 of the 81 syndromes: nothing is found,
    // and what is left is reported.
    std::mt19937_64 rng(1);
    const MatrixCover none = SearchMatrix(10, 0, 4, 0, 1, 3, 20000, 0, 1.0, rng);
    EXPECT_TRUE(none.Syndromes.empty());
    EXPECT_GE(none.Left, 18u);
    // With one binary syndrome digit every binary column is the same one: the
    // one-digit column moves at level 2 must leave it and still end.
    std::mt19937_64 rng2(1);
    const MatrixCover single = SearchMatrix(6, 4, 3, 1, 2, 1, 200000, 0, 10.0, rng2);
    EXPECT_TRUE(single.Syndromes.empty());
    EXPECT_GT(single.Left, 0u);
}

TEST(WheelGenSearch, TabuSearchOverCosetsAndColumns)
{
    // Level 1 only: ten triples in five cosets of 3^4 (3645 rows), seven
    // doubles in one coset of 2^3 (the perfect code's 16 rows, by its columns
    // alone), and four triples with three doubles in four cosets of 3^2 x 2^2
    // (72 rows: ternary and binary columns both move).
    struct Cell {
        int t, d, a, b;
        std::size_t cosets, rows;
    } cells[] = { { 10, 0, 4, 0, 5, 3645 }, { 0, 7, 0, 3, 1, 16 }, { 4, 3, 2, 2, 4, 72 } };
    for (const Cell& cell : cells) {
        std::vector<Code> runs;
        for (int run = 0; run < 2; ++run) {
            std::mt19937_64 rng(4);
            const MatrixCover m
                = TabuMatrix(cell.t, cell.d, cell.a, cell.b, cell.cosets, 20000, 0, 5, rng);
            ASSERT_EQ(m.Syndromes.size(), cell.cosets) << cell.t << "," << cell.d;
            EXPECT_EQ(m.Left, 0u);
            for (int i = 0; i < cell.a; ++i) {
                EXPECT_EQ(m.TernaryColumns[i], MakeElem(1u << i, 0, 0)) << "unit columns stay";
            }
            runs.push_back(ExpandSyndromes(m.Syndromes, cell.a, cell.b, cell.t, cell.d,
                m.TernaryColumns, m.BinaryColumns));
        }
        EXPECT_EQ(runs[0].Size(), cell.rows) << cell.t << "," << cell.d;
        EXPECT_LE(Misses(runs[0]), 1);
        EXPECT_EQ(runs[0].Rows, runs[1].Rows) << "same seed, same wheel";
    }
    // Three cosets of 3^4 reach at most 63 syndromes: the search ends without
    // a cover and tells how many it left.
    std::mt19937_64 rng(1);
    const MatrixCover none = TabuMatrix(10, 0, 4, 0, 3, 2000, 0, 5, rng);
    EXPECT_TRUE(none.Syndromes.empty());
    EXPECT_GE(none.Left, 18u);
}

TEST(WheelGenSearch, ColumnsAnnealedAroundATabuSearchOverCosets)
{
    // Seven doubles in one coset of 2^3 (the perfect code: its columns alone
    // decide), six triples at level 2 in two cosets of 3^4 (18 rows, one above
    // the least known), and four triples with three doubles in four cosets of
    // 3^2 x 2^2 (72 rows: both kinds of column move).
    struct Cell {
        int t, d, a, b, R;
        std::size_t cosets, rows;
    } cells[] = { { 0, 7, 0, 3, 1, 1, 16 }, { 6, 0, 4, 0, 2, 2, 18 }, { 4, 3, 2, 2, 1, 4, 72 } };
    for (const Cell& cell : cells) {
        std::vector<Code> runs;
        for (int run = 0; run < 2; ++run) {
            std::mt19937_64 rng(3);
            const MatrixCover m = NestedMatrix(
                cell.t, cell.d, cell.a, cell.b, cell.R, cell.cosets, 3000, 200, 0, 2.0, rng);
            ASSERT_EQ(m.Syndromes.size(), cell.cosets) << cell.t << "," << cell.d;
            EXPECT_EQ(m.Left, 0u);
            for (int i = 0; i < cell.a; ++i) {
                EXPECT_EQ(m.TernaryColumns[i], MakeElem(1u << i, 0, 0)) << "unit columns stay";
            }
            for (int i = 0; i < cell.b; ++i) {
                EXPECT_EQ(m.BinaryColumns[i], MakeElem(0, 0, 1u << i)) << "unit columns stay";
            }
            runs.push_back(ExpandSyndromes(m.Syndromes, cell.a, cell.b, cell.t, cell.d,
                m.TernaryColumns, m.BinaryColumns));
        }
        EXPECT_EQ(runs[0].Size(), cell.rows) << cell.t << "," << cell.d;
        EXPECT_LE(Misses(runs[0]), cell.R);
        EXPECT_EQ(runs[0].Rows, runs[1].Rows) << "same seed, same wheel";
    }
    // Three cosets of 3^4 for ten triples reach at most 63 of 81 syndromes:
    // no cover, and the count left says so; a space beyond the table of sums
    // is not taken on at all.
    std::mt19937_64 rng(1);
    const MatrixCover none = NestedMatrix(10, 0, 4, 0, 1, 3, 20, 50, 0, 1.0, rng);
    EXPECT_TRUE(none.Syndromes.empty());
    EXPECT_GE(none.Left, 18u);
    const MatrixCover big = NestedMatrix(10, 0, 9, 0, 1, 500, 20, 50, 0, 1.0, rng);
    EXPECT_TRUE(big.Syndromes.empty());
}

TEST(WheelGenSearch, MatricesOfEveryKind)
{
    // The weight distribution of the code: the ternary Hamming code of
    // length 4 has eight words of weight 3, the binary one of length 7 seven
    // of weight 3, seven of 4 and one of 7 (each part with the other's single
    // empty word after it).
    const Elem e1 = MakeElem(1, 0, 0), e2 = MakeElem(2, 0, 0);
    const std::vector<Elem> hamming4{ e1, e2, MakeElem(3, 0, 0), MakeElem(1, 2, 0) };
    EXPECT_EQ(KernelWeights(2, 0, hamming4, {}), (std::vector<int>{ 1, 0, 0, 8, 0, 1 }));
    std::vector<Elem> hamming7;
    for (std::uint32_t c : { 1u, 2u, 4u, 3u, 5u, 6u, 7u }) {
        hamming7.push_back(MakeElem(0, 0, c));
    }
    EXPECT_EQ(KernelWeights(0, 3, {}, hamming7),
        (std::vector<int>{ 1, 1, 0, 0, 7, 7, 0, 0, 1 }));
    // A column times 2 gives the same code up to a sign; a repeated column a
    // word of weight 2.
    const std::vector<Elem> doubled{ e1, e2, MakeElem(0, 3, 0), MakeElem(1, 2, 0) };
    EXPECT_EQ(KernelWeights(2, 0, doubled, {}), KernelWeights(2, 0, hamming4, {}));
    const std::vector<Elem> repeated{ e1, e2, MakeElem(3, 0, 0), MakeElem(3, 0, 0) };
    EXPECT_EQ(KernelWeights(2, 0, repeated, {})[2], 2);

    // Eight triples at level 1 in six cosets of 3^4 (486 rows), seven doubles
    // in the one coset of the perfect code; the same seed finds the same wheel.
    struct Cell {
        int t, d, a, b;
        std::size_t cosets, rows;
    } cells[] = { { 8, 0, 4, 0, 6, 486 }, { 0, 7, 0, 3, 1, 16 } };
    for (const Cell& cell : cells) {
        std::vector<Code> runs;
        for (int run = 0; run < 2; ++run) {
            std::mt19937_64 rng(1);
            const MatrixCover m
                = WeightedMatrices(
                    cell.t, cell.d, cell.a, cell.b, 1, cell.cosets, 2000, 300, 2, 20000, 1, 0, rng);
            ASSERT_EQ(m.Syndromes.size(), cell.cosets) << cell.t << "," << cell.d;
            runs.push_back(ExpandSyndromes(m.Syndromes, cell.a, cell.b, cell.t, cell.d,
                m.TernaryColumns, m.BinaryColumns));
        }
        EXPECT_EQ(runs[0].Size(), cell.rows) << cell.t << "," << cell.d;
        EXPECT_LE(Misses(runs[0]), 1);
        EXPECT_EQ(runs[0].Rows, runs[1].Rows) << "same seed, same wheel";
    }
    // Asked for fewer cosets than can reach every syndrome, it still ends and
    // hands back the smallest union it found.
    std::mt19937_64 rng(2);
    const MatrixCover least = WeightedMatrices(8, 0, 4, 0, 1, 4, 2000, 20, 2, 20000, 1, 0, rng);
    ASSERT_FALSE(least.Syndromes.empty());
    EXPECT_GE(least.Syndromes.size(), 5u);
    EXPECT_LE(Misses(ExpandSyndromes(least.Syndromes, 4, 0, 8, 0, least.TernaryColumns,
                  least.BinaryColumns)),
        1);
}

TEST(WheelGenOrbits, SymmetriesKeepTheMissesBetweenResults)
{
    // Every generator of every candidate group of a mixed cell maps the space
    // onto itself and keeps the number of differing pairs.
    const int t = 5, d = 4;
    const CoverProblem p = HammingProblem(t, d, 1);
    const std::vector<SymmetryGroup> groups = CandidateGroups(t, d);
    ASSERT_GT(groups.size(), 10u);
    const auto distance = [&](Elem x, Elem y) {
        const Elem z = Add(x, Neg(y));
        return __builtin_popcount(Ones(z) | Twos(z)) + __builtin_popcount(Bits(z));
    };
    std::mt19937_64 rng(5);
    for (const SymmetryGroup& g : groups) {
        EXPECT_FALSE(g.Name.empty());
        for (const Symmetry& s : g.Generators) {
            std::vector<char> hit(p.Points(), 0);
            for (std::uint32_t i = 0; i < p.Points(); ++i) {
                hit[p.Dense(Apply(s, p.FromDense(i)))] = 1;
            }
            EXPECT_EQ(std::count(hit.begin(), hit.end(), 1), std::ptrdiff_t(p.Points())) << g.Name;
            for (int k = 0; k < 200; ++k) {
                const Elem x = p.FromDense(rng() % p.Points()), y = p.FromDense(rng() % p.Points());
                EXPECT_EQ(distance(Apply(s, x), Apply(s, y)), distance(x, y))
                    << g.Name;
            }
        }
    }
}

TEST(WheelGenOrbits, CyclicCodesAreClosedUnderTheShift)
{
    // Under "shift, rows of a cyclic code added" the orbit of the all-X row
    // is the code itself: q^m rows for m added generators, which only holds
    // when the shift maps the code onto itself.
    struct Cell {
        int t, d;
        std::size_t codes; // groups with a cyclic code expected at least
    } cells[] = { { 13, 0, 4 }, { 8, 0, 2 }, { 11, 0, 1 }, { 0, 7, 1 }, { 0, 15, 2 } };
    for (const Cell& cell : cells) {
        const CoverProblem p = HammingProblem(cell.t, cell.d, 1);
        std::size_t found = 0;
        for (const SymmetryGroup& g : CandidateGroups(cell.t, cell.d)) {
            if (g.Name.find("cyclic code") == std::string::npos
                || g.Name.find(';') != std::string::npos) {
                continue;
            }
            ++found;
            std::set<Elem> orbit{ 0 };
            std::vector<Elem> queue{ 0 };
            for (std::size_t h = 0; h < queue.size(); ++h) {
                for (const Symmetry& s : g.Generators) {
                    const Elem y = Apply(s, queue[h]);
                    if (orbit.insert(y).second) {
                        queue.push_back(y);
                    }
                }
            }
            const std::size_t added = g.Generators.size() - 1;
            const std::size_t q = cell.t > 0 ? 3 : 2;
            std::size_t expect = 1;
            for (std::size_t i = 0; i < added; ++i) {
                expect *= q;
            }
            EXPECT_GE(added, 2u) << g.Name;
            EXPECT_EQ(orbit.size(), expect) << g.Name;
        }
        EXPECT_GE(found, cell.codes) << cell.t << "," << cell.d;
    }
}

TEST(WheelGenOrbits, ThirteenDoublesInOrbitsOfAGroupOfOrder78)
{
    // The 704-row wheel for 13 doubles at level 1 is a union of orbits under
    // the cyclic shift, the index map i -> 3i and the flip of every double.
    const std::vector<SymmetryGroup> groups = CandidateGroups(0, 13);
    const auto g = std::find_if(groups.begin(), groups.end(), [](const SymmetryGroup& x) {
        return x.Name == "doubles shifted cyclically, indices times 3; every double flipped";
    });
    ASSERT_NE(g, groups.end());
    std::vector<std::vector<Elem>> runs;
    for (int run = 0; run < 2; ++run) {
        std::mt19937_64 rng(1);
        const OrbitOutcome o = SearchOrbits(0, 13, 1, *g, 704, 60000, 0, rng);
        ASSERT_FALSE(o.Words.empty());
        EXPECT_EQ(o.Left, 0u);
        runs.push_back(o.Words);
    }
    EXPECT_EQ(runs[0], runs[1]) << "same seed, same wheel";
    EXPECT_LE(runs[0].size(), 704u);
    const Code c = ElemsToCode(runs[0], 0, 13);
    EXPECT_LE(Misses(c), 1);
    // Whole orbits: every generator maps the wheel onto itself.
    const std::set<Elem> words(runs[0].begin(), runs[0].end());
    for (const Symmetry& s : g->Generators) {
        for (Elem w : runs[0]) {
            EXPECT_TRUE(words.count(Apply(s, w)));
        }
    }
    // Below the sphere bound (8192 / 14) nothing covers; what is left is told.
    std::mt19937_64 rng(1);
    const OrbitOutcome none = SearchOrbits(0, 13, 1, *g, 580, 5000, 0, rng);
    EXPECT_TRUE(none.Words.empty());
    EXPECT_GT(none.Left, 0u);
}

TEST(WheelGenLibrary, FileNamesAndBytes)
{
    EXPECT_EQ(LibraryFileName(3, 4, 1, 81), QStringLiteral("03041415000081.txt"));
    EXPECT_EQ(LibraryFileName(0, 0, 3, 1), QStringLiteral("00001215000001.txt"));
    Code c = TernaryHamming(4);
    const QByteArray bytes = LibraryFileBytes(c);
    EXPECT_EQ(bytes.size(), 9 * 4);
    EXPECT_TRUE(bytes.startsWith(QByteArray("!!\r\n"))) << "rows sorted, 0000 first";
    EXPECT_EQ(bytes.count("\r\n"), 9);
    EXPECT_EQ(LibraryFileBytes(Elementary(0, 0, 1)), QByteArray("\r\n"));
}

TEST(WheelGenLibrary, NotesThatNameARuleAgreeWithTheShippedWheels)
{
    // A scratch library: 4 triples at level 1 (9 rows), 3 triples and a double
    // folded from it (9 rows), and notes for two more wheels that name rules
    // the shipped wheels do not bear out.
    Scratch s;
    ASSERT_TRUE(s.Loaded) << s.Error.toStdString();
    const Code hamming = TernaryHamming(4);
    const Code folded = BestFold(hamming);
    const Code both = DirectSum(hamming, Elementary(0, 1, 1));
    const Code wide = DirectSum(hamming, WholeSpace(0, 1));
    for (const auto& [c, k] :
        { std::pair{ hamming, 1 }, { folded, 1 }, { both, 2 }, { wide, 1 } }) {
        WriteBytes(s.Wheels + "/" + LibraryFileName(c.T, c.D, k, c.Size()), LibraryFileBytes(c));
    }
    WriteBytes(s.Dir.filePath("provenance.tsv"),
        QByteArray("4\t0\t1\t9\tternary Hamming code\r\n"
                   "3\t1\t1\t9\t(4,0;1) with a triple folded\r\n"
                   "4\t1\t2\t9\tdirect sum (4,0;1) x (0,1;1)\r\n"
                   "4\t1\t1\t18\t(5,0;1) with a triple folded\r\n"));
    Options o;
    o.WheelsFolder = s.Wheels;
    o.ProvenanceFile = s.Dir.filePath("provenance.tsv");
    o.Verbose = false;
    Library scratch(o);
    scratch.LoadShipped();
    ASSERT_EQ(folded.Size(), 9u);
    ASSERT_EQ(both.Size(), 9u);
    // The fold and the direct sum hold; the last note names a wheel that is not there.
    const std::vector<std::string> stale = scratch.UnsupportedHowTexts();
    ASSERT_EQ(stale.size(), 1u);
    EXPECT_EQ(
        stale[0], "(4,1;1): \"(5,0;1) with a triple folded\" gives no wheel now, the wheel has 18");

    // A note whose rule gives another size: the wheel for 4 triples and a
    // double at level 2 has 9 rows, the direct sum with a free double 18.
    WriteBytes(s.Dir.filePath("provenance.tsv"),
        QByteArray("3\t1\t1\t9\t(4,0;1) with a triple folded\r\n"
                   "4\t1\t2\t9\tdirect sum (4,0;1) x (0,1;0)\r\n"));
    Library changed(o);
    changed.LoadShipped();
    const std::vector<std::string> sum = changed.UnsupportedHowTexts();
    ASSERT_EQ(sum.size(), 1u);
    EXPECT_EQ(
        sum[0], "(4,1;2): \"direct sum (4,0;1) x (0,1;0)\" gives 18 rows now, the wheel has 9");

    // The repository's own library: every such note holds.
    const QString here = QFileInfo(QStringLiteral(__FILE__)).absolutePath();
    Options shipped;
    shipped.WheelsFolder = here + QStringLiteral("/../../../dist/wheels");
    shipped.ProvenanceFile = here + QStringLiteral("/../provenance.tsv");
    shipped.Verbose = false;
    Library library(shipped);
    library.LoadShipped();
    ASSERT_NE(library.Shipped(15, 0, 1), nullptr);
    std::string all;
    for (const std::string& line : library.UnsupportedHowTexts()) {
        all += line + "\n";
    }
    EXPECT_EQ(all, "");
}

TEST(WheelGenLibrary, ReplacesOnlyByAStrictlySmallerCheckedWheel)
{
    Scratch s;
    ASSERT_TRUE(s.Loaded) << s.Error.toStdString();
    const QString& wheels = s.Wheels;
    const BoundsTable& bounds = s.Bounds;

    // A shipped wheel for 3 doubles at level 1 with a needless third row.
    const QString old = wheels + "/00031415000003.txt";
    const QByteArray oldBytes = "!!\r\n+!\r\n,+\r\n"; // 000, 100, 111
    WriteBytes(old, oldBytes);
    Options o;
    o.WheelsFolder = wheels;
    o.ProvenanceFile = s.Dir.filePath("provenance.tsv");
    o.Seconds = 5;
    o.Verbose = false;
    o.Cells = { { 0, 3, 1 }, { 2, 0, 1 } };
    {
        Library lib(o);
        lib.LoadShipped();
        ASSERT_NE(lib.Shipped(0, 3, 1), nullptr);
        lib.Run(bounds);
    }
    EXPECT_FALSE(QFile::exists(old));
    const QString hamming = wheels + "/00031415000002.txt";
    ASSERT_TRUE(QFile::exists(hamming));
    EXPECT_EQ(ReadBytes(hamming), LibraryFileBytes(BinaryHamming(3)));
    ASSERT_TRUE(QFile::exists(wheels + "/02001415000003.txt"));
    EXPECT_TRUE(ReadBytes(o.ProvenanceFile).contains("0\t3\t1\t2\tbinary Hamming code"));

    // A second run finds nothing smaller and leaves the files as they are.
    const QByteArray before = ReadBytes(hamming);
    const QDateTime stamp = QFileInfo(hamming).lastModified();
    {
        Library lib(o);
        lib.LoadShipped();
        lib.Run(bounds);
    }
    EXPECT_EQ(ReadBytes(hamming), before);
    EXPECT_EQ(QFileInfo(hamming).lastModified(), stamp);
    EXPECT_EQ(QDir(wheels).entryList(QDir::Files).size(), 2);

    // The check of the folder finds a wheel that breaks its promise and a
    // second wheel for a cell.
    int count = 0;
    EXPECT_EQ(VerifyFolder(wheels, count, false), 0);
    EXPECT_EQ(count, 2);
    WriteBytes(wheels + "/00031415000001.txt", "!!\r\n");
    WriteBytes(wheels + "/00031415000003.txt", oldBytes);
    EXPECT_EQ(VerifyFolder(wheels, count, false), 2);
    EXPECT_EQ(count, 4);
}

TEST(WheelGenLibrary, CellsNotSearchedAreWrittenOnlyOnRequest)
{
    Scratch s;
    ASSERT_TRUE(s.Loaded) << s.Error.toStdString();
    const QString& wheels = s.Wheels;
    const BoundsTable& bounds = s.Bounds;
    // Four rows for 2 doubles at level 1, where two do.
    const QString old = wheels + "/00021415000004.txt";
    WriteBytes(old, "!\r\n+\r\n,\r\n\"\r\n");
    Options o;
    o.WheelsFolder = wheels;
    o.ProvenanceFile = s.Dir.filePath("provenance.tsv");
    o.Verbose = false;
    o.Search = false;
    o.Cells = { { 2, 0, 1 } };
    {
        Library lib(o);
        lib.LoadShipped();
        lib.Run(bounds);
        EXPECT_EQ(lib.Best(0, 2, 1).Size(), 2u);
    }
    EXPECT_TRUE(QFile::exists(old));
    o.WriteImproved = true;
    {
        Library lib(o);
        lib.LoadShipped();
        lib.Run(bounds);
    }
    EXPECT_FALSE(QFile::exists(old));
    EXPECT_TRUE(QFile::exists(wheels + "/00021415000002.txt"));
    // Every other cell got its wheel too.
    EXPECT_EQ(QDir(wheels).entryList(QDir::Files).size(), 408);
}

TEST(WheelGenLibrary, AFocusedOrbitSearchWritesItsWheelAndHowItWasMade)
{
    Scratch s;
    ASSERT_TRUE(s.Loaded) << s.Error.toStdString();
    Options o;
    o.Seconds = 0; // no cap: one search per group, the same wheel every time
    o.Groups = "indices times 3; every double flipped";
    const Code c = RunOneCell(s, o, { 0, 13, 1 });
    EXPECT_LE(c.Size(), 704u);
    EXPECT_NE(c.How.find("orbits (doubles shifted cyclically, indices times 3; every double "
                         "flipped)"),
        std::string::npos)
        << c.How;
    const QString file = s.Wheels + "/" + LibraryFileName(0, 13, 1, c.Size());
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(ReadBytes(file), LibraryFileBytes(c));
    EXPECT_TRUE(ReadBytes(s.Dir.filePath("provenance.tsv")).contains(
        QByteArray("0\t13\t1\t") + QByteArray::number(qulonglong(c.Size())) + "\tunion of "));
}

TEST(WheelGenLibrary, TheSearchOverMatricesOfEveryKindRunsAloneWhenAskedFor)
{
    Scratch s;
    ASSERT_TRUE(s.Loaded) << s.Error.toStdString();
    Options o;
    o.Seconds = 0;
    o.Shapes = { { 4, 0 } };
    o.Kinds = true;
    // Six cosets of 3^4: the smallest union there, and the best known size.
    const Code c = RunOneCell(s, o, { 8, 0, 1 });
    EXPECT_EQ(c.Size(), 486u);
    EXPECT_EQ(c.How, "union of 6 cosets, syndromes 3^4x2^0, weighted search over matrices of every kind");
    EXPECT_LE(Misses(c), 1);
    EXPECT_TRUE(QFile::exists(s.Wheels + "/" + LibraryFileName(8, 0, 1, 486)));
}

TEST(WheelGenLibrary, AGivenMatrixIsSearchedInASpaceTooLargeForTheKinds)
{
    // 3^8 x 2 has 13,122 syndromes, more than the search over kinds takes on,
    // but a matrix given by its columns is searched there all the same.
    Scratch s;
    ASSERT_TRUE(s.Loaded) << s.Error.toStdString();
    Options o;
    o.Seconds = 2;
    o.Shapes = { { 8, 1 } };
    o.Kinds = true;
    o.Columns = "11111111";
    const Code c = RunOneCell(s, o, { 9, 1, 1 });
    EXPECT_NE(c.How.find("syndromes 3^8x2^1, weighted search over a given matrix"), std::string::npos)
        << c.How;
    EXPECT_LE(Misses(c), 1);
    EXPECT_EQ(c.Size() % 3, 0u) << "a union of cosets of a code of 3 rows";
}

TEST(WheelGenLibrary, TheWeightedSearchStartsFromTheCellsWheelWhenAskedFor)
{
    // Nine doubles: the rules give 64 rows; the search started from them finds
    // 62, the least, and the same wheel for the same seed.
    std::vector<QByteArray> bytes;
    for (int run = 0; run < 2; ++run) {
        Scratch s;
        ASSERT_TRUE(s.Loaded) << s.Error.toStdString();
        Options o;
        o.Seconds = 0;
        o.Effort = 0.5;
        o.FromWheel = true;
        const Code c = RunOneCell(s, o, { 0, 9, 1 });
        EXPECT_EQ(c.Size(), 62u);
        EXPECT_LE(Misses(c), 1);
        EXPECT_EQ(c.How.rfind("weighted local search from (1,8;1) with a triple folded", 0), 0u)
            << c.How;
        const QString file = s.Wheels + "/" + LibraryFileName(0, 9, 1, c.Size());
        bytes.push_back(ReadBytes(file));
        EXPECT_EQ(bytes.back(), LibraryFileBytes(c));
    }
    EXPECT_EQ(bytes[0], bytes[1]);

    // The start given to the search directly: a greedy wheel, brought down to
    // the least size; with a smaller table allowed than the problem needs,
    // nothing is searched.
    const CoverProblem p = HammingProblem(0, 9, 1);
    std::mt19937_64 rng(3);
    const std::vector<Elem> start = GreedyCover(p, rng);
    const std::size_t from = start.size();
    ASSERT_GT(from, 62u);
    const SearchOutcome w = WeightedCover(p, from - 1, 62, 400000, 0, rng, &start);
    ASSERT_FALSE(w.Best.empty());
    EXPECT_EQ(w.Best.size(), 62u) << "from " << from;
    std::mt19937_64 rng2(3);
    EXPECT_TRUE(WeightedCover(p, from - 1, 62, 400000, 0, rng2, &start, 1000).Best.empty());
}

TEST(WheelGenLift, TranslationsOfAWheel)
{
    // The ternary code spanned by 11100 and 00111 (two misses for 5 triples),
    // with a free double: the translations are the code and the double's flip.
    Code lin;
    lin.T = 5;
    const int g1[5] = { 1, 1, 1, 0, 0 }, g2[5] = { 0, 0, 1, 1, 1 };
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            Row r{};
            for (int i = 0; i < 5; ++i) {
                r[i] = static_cast<std::uint8_t>((a * g1[i] + b * g2[i]) % 3);
            }
            lin.Rows.push_back(r);
        }
    }
    const Code wheel = DirectSum(lin, WholeSpace(0, 1));
    ASSERT_EQ(wheel.Size(), 18u);
    ASSERT_EQ(Misses(wheel), 2);
    const Translations tr = WheelTranslations(wheel);
    ASSERT_EQ(tr.Ternary.size(), 2u);
    ASSERT_EQ(tr.Binary.size(), 1u);
    const std::set<Row> rows(wheel.Rows.begin(), wheel.Rows.end());
    for (const auto& v : tr.Ternary) {
        for (const Row& r : wheel.Rows) {
            Row y = r;
            for (int i = 0; i < 5; ++i) {
                y[i] = static_cast<std::uint8_t>((r[i] + v[i]) % 3);
            }
            EXPECT_EQ(rows.count(y), 1u) << "a basis word moves a row out of the wheel";
        }
    }
    EXPECT_EQ(tr.Binary[0], std::vector<int>{ 1 });

    // A wheel that no translation keeps: 0000 and 1100 (the shift by 1100
    // sends 1100 to 2200).
    Code two;
    two.T = 4;
    Row r0{}, r1{};
    r1[0] = r1[1] = 1;
    two.Rows = { r0, r1 };
    const Translations none = WheelTranslations(two);
    EXPECT_TRUE(none.Ternary.empty());
    EXPECT_TRUE(none.Binary.empty());
    std::mt19937_64 rng(1);
    EXPECT_EQ(LiftSearch(two, 1, 1, 0, 1000, 5, 0, rng).Tries, 0) << "nothing to give up";

    // Giving up a ternary and the binary dimension leaves cosets of 3 rows in
    // 3^4 x 2: the search finds fewer cosets than the wheel's 6, keeping the
    // guarantee, and the same wheel again for the same seed.
    std::vector<std::vector<Row>> found;
    for (int run = 0; run < 2; ++run) {
        std::mt19937_64 r(7);
        const LiftOutcome o = LiftSearch(wheel, 2, 1, 1, 20000, 5, 0, r);
        ASSERT_FALSE(o.Wheel.Rows.empty());
        EXPECT_EQ(o.A, 4);
        EXPECT_EQ(o.B, 1);
        EXPECT_LT(o.Cosets, 6u);
        EXPECT_EQ(o.Wheel.Size(), o.Cosets * 3);
        EXPECT_LE(Misses(o.Wheel), 2);
        found.push_back(o.Wheel.Rows);
    }
    EXPECT_EQ(found[0], found[1]);
    // Giving up everything is the search over single rows: the least, 12.
    std::mt19937_64 all(1);
    const LiftOutcome least = LiftSearch(wheel, 2, 2, 1, 20000, 5, 0, all);
    EXPECT_EQ(least.Wheel.Size(), 12u);
    EXPECT_LE(Misses(least.Wheel), 2);
}

TEST(WheelGenLibrary, TheSearchOverCosetsOfTheWheelsTranslationsRunsWhenAskedFor)
{
    // 5 triples and a double at level 2: the rules give 18 rows, a union of
    // 6 cosets of 3 rows; the search in 3^4 x 2 writes a smaller wheel.
    Scratch s;
    ASSERT_TRUE(s.Loaded) << s.Error.toStdString();
    Options o;
    o.Seconds = 0;
    o.Effort = 0.1;
    o.LiftTernary = 1;
    o.LiftBinary = 1;
    const Code c = RunOneCell(s, o, { 5, 1, 2 });
    EXPECT_LT(c.Size(), 18u);
    EXPECT_LE(Misses(c), 2);
    EXPECT_EQ(c.How,
        "union of " + std::to_string(c.Size() / 3)
            + " cosets, syndromes 3^4x2^1, weighted search from the last wheel's cosets");
    EXPECT_EQ(ReadBytes(s.Wheels + "/" + LibraryFileName(5, 1, 2, c.Size())), LibraryFileBytes(c));
}

TEST(WheelGenLibrary, TheColumnsAnnealedAroundCosetsRunWhenAskedFor)
{
    // 5 triples and a double at level 2 from the rules' 18 rows: in 3^4 x 2
    // the search goes down by cosets of 3 rows each, in no other space.
    Scratch s;
    ASSERT_TRUE(s.Loaded) << s.Error.toStdString();
    Options o;
    o.Seconds = 0;
    o.Effort = 0.01;
    o.Nested = true;
    o.Shapes = { { 4, 1 } };
    const Code c = RunOneCell(s, o, { 5, 1, 2 });
    EXPECT_LT(c.Size(), 18u);
    EXPECT_EQ(c.Size() % 3, 0u);
    EXPECT_LE(Misses(c), 2);
    EXPECT_EQ(c.How,
        "union of " + std::to_string(c.Size() / 3)
            + " cosets, syndromes 3^4x2^1, columns annealed around a tabu search over cosets");
    EXPECT_EQ(ReadBytes(s.Wheels + "/" + LibraryFileName(5, 1, 2, c.Size())), LibraryFileBytes(c));
}

TEST(WheelGenLibrary, ReportTablesAndShortfalls)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    BoundsTable bounds;
    QString error;
    ASSERT_TRUE(bounds.Load(BoundsPath(), error)) << error.toStdString();
    // A few wheels: every other cell is reported missing.
    WriteBytes(dir.filePath("04001415000009.txt"), LibraryFileBytes(TernaryHamming(4)));
    WriteBytes(dir.filePath("00031415000004.txt"),
        LibraryFileBytes(DirectSum(WholeSpace(0, 2), Elementary(0, 1, 1))));
    // A mixed cell of 1,296 results at its derived bound (9 x 16). The
    // Hamming code beside it cannot lose a row (9 is the least), so no lever
    // is told until a wheel for (4,3;1) is there: 72 rows doubled, and 71
    // would beat the bound.
    WriteBytes(dir.filePath("04041415000144.txt"),
        LibraryFileBytes(DirectSum(TernaryHamming(4), WholeSpace(0, 4))));
    const QByteArray before
        = ReportMarkdown(dir.path(), dir.filePath("none.tsv"), bounds, error);
    EXPECT_TRUE(before.contains("- (4,4;1): 144 rows, derived bound 144 not beaten; no smaller "
                                "wheel beats it through a direct sum or a fold without going "
                                "below its lower bound\n"));
    WriteBytes(dir.filePath("04031415000072.txt"),
        LibraryFileBytes(DirectSum(TernaryHamming(4), WholeSpace(0, 3))));
    const QByteArray md = ReportMarkdown(dir.path(), dir.filePath("none.tsv"), bounds, error);
    ASSERT_FALSE(md.isEmpty()) << error.toStdString();
    EXPECT_TRUE(md.contains("- (4,4;1): 144 rows, derived bound 144 not beaten; beaten if "
                            "(4,3;1) from 72 to 71 rows (direct sum with (0,1;0))\n"));
    EXPECT_TRUE(md.contains("| 4 | 0 | 81 | 9 | 9 | 9 | 1.000 |"));
    EXPECT_TRUE(md.contains("- (0,3;1): 4 rows against 2 (100.0 %)"));
    EXPECT_TRUE(md.contains("Cells: 4."));
    EXPECT_FALSE(md.contains("- (4,0;1)"));
    EXPECT_TRUE(md.contains("- (5,0;1): missing"));
}
