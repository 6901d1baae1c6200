// An open game with marks, a tick counter, and a plain reference enumeration
// for the tests of the full and the conditioned wheel.
#pragma once

#include "engine/uniGenerators.h"
#include "model/uniGlobal.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

namespace wheeltest {

// A state with one game of `pairs` pairs, marked pair by pair from texts such as
// "1X2", "X2", "1" (the outcomes in column order, as RebuildSelection stores them).
inline std::unique_ptr<rav::AppState> Game(const std::vector<std::string>& marks)
{
    auto st = std::make_unique<rav::AppState>();
    st->Games[1] = rav::tLutrija { QStringLiteral("Test"), static_cast<int>(marks.size()), 10 };
    st->GameCount = 1;
    st->CurrentGame = 1;
    std::array<std::array<bool, 3>, rav::MaxPairs> marked {};
    for (std::size_t p = 0; p < marks.size(); ++p) {
        for (char c : marks[p]) {
            marked[p][c == '1' ? 0 : c == 'X' ? 1 : 2] = true;
        }
    }
    rav::RebuildSelection(*st, marked);
    st->Words.LangFullWheel = QStringLiteral("Full Wheel");
    st->Words.LangCondWheel = QStringLiteral("Conditioned Wheel");
    st->Words.LangCombinations = QStringLiteral("combinations");
    return st;
}

inline std::vector<std::string> Repeat(const std::string& mark, int times)
{
    return std::vector<std::string>(static_cast<std::size_t>(times), mark);
}

struct TickCounter : rav::ProgressSink {
    int ticks = 0;
    void Tick() override { ++ticks; }
};

// Every combination of the marks, the plain way: an odometer stepped one row at
// a time, pair 1 slowest. Each row holds the codes of pairs 1..n.
inline std::vector<std::vector<std::uint8_t>> ReferenceWheel(const rav::AppState& st)
{
    const int n = st.CurrentPairs();
    std::vector<std::vector<std::uint8_t>> rows;
    std::vector<int> index(static_cast<std::size_t>(n) + 1, 0);
    for (int p = 1; p <= n; ++p) {
        if (st.Selection[p].Count == 0) {
            return rows;
        }
    }
    for (;;) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(n) + 1, 0);
        for (int p = 1; p <= n; ++p) {
            row[p] = st.Selection[p].Codes[index[p]];
        }
        rows.push_back(row);
        int p = n;
        while (p >= 1 && ++index[p] == st.Selection[p].Count) {
            index[p] = 0;
            --p;
        }
        if (p < 1) {
            return rows;
        }
    }
}

// The reference rows whose numbers of "1", "X" and "2" lie within the bounds
// {Min1, MinX, Min2, Max1, MaxX, Max2}.
inline std::vector<std::vector<std::uint8_t>> ReferenceConditioned(
    const rav::AppState& st, const std::array<int, 6>& b)
{
    std::vector<std::vector<std::uint8_t>> out;
    for (const auto& row : ReferenceWheel(st)) {
        int home = 0, draw = 0, away = 0;
        for (std::size_t p = 1; p < row.size(); ++p) {
            home += row[p] == 1;
            draw += row[p] == 0;
            away += row[p] == 2;
        }
        if (b[0] <= home && home <= b[3] && b[1] <= draw && draw <= b[4] && b[2] <= away
            && away <= b[5]) {
            out.push_back(row);
        }
    }
    return out;
}

// Rows 1..CombinationCount of the state equal `expected`, bytes 1..n.
inline void ExpectRows(
    const rav::AppState& st, const std::vector<std::vector<std::uint8_t>>& expected)
{
    ASSERT_EQ(st.CombinationCount, static_cast<std::int32_t>(expected.size()));
    const int n = st.CurrentPairs();
    for (std::size_t i = 0; i < expected.size(); ++i) {
        for (int p = 1; p <= n; ++p) {
            if (st.CombinationList[i + 1][p] != expected[i][p]) {
                FAIL() << "row " << i + 1 << " pair " << p << ": "
                       << int(st.CombinationList[i + 1][p]) << " instead of "
                       << int(expected[i][p]);
            }
        }
    }
}

} // namespace wheeltest
