// The one application state of Ravolin and the small text functions that every
// part of the program shares. Every window receives the same AppState by
// reference; nothing here needs a widget.
#pragma once

#include <QString>

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace rav {

constexpr int MaxGames = 100;
constexpr int MaxWheels = 500;
constexpr int MaxPairs = 15;
constexpr int MinPairs = 10;

// Outcome codes: the draw is 0, not 3.
constexpr std::uint8_t CodeHome = 1;
constexpr std::uint8_t CodeDraw = 0;
constexpr std::uint8_t CodeAway = 2;

// One known game (a game definition file).
struct tLutrija {
    QString Name;
    std::int32_t Pairs = 0;
    std::int32_t Reserved = 0;
};

// One abbreviated wheel known from the wheels folder.
struct tWheel {
    std::int32_t Triples = 0;
    std::int32_t Doubles = 0;
    std::int32_t Hits = 0;
    std::int32_t OutOf = 0;
    std::int32_t Combinations = 0;
    QString FileName;
};

// The marks of one pair: Count, then the codes of the marked outcomes in column
// order "1", "X", "2". Only the first Count codes carry meaning.
struct tSelectionEntry {
    std::uint8_t Count = 0;
    std::array<std::uint8_t, 3> Codes{};
};

// One combination: byte p (1..Pairs) holds the outcome code of pair p.
using tCombination = std::array<std::uint8_t, 16>;

// The generators' output. Rows are numbered from 1; row 0 is never used. The
// storage is not zero-filled: only rows 1..count carry meaning.
class CombinationStore {
public:
    // Makes room for `rows` rows (indices 0..rows-1). Returns false, leaving the
    // store empty, when the memory cannot be had.
    bool Resize(std::size_t rows) noexcept;
    void Clear() noexcept;
    std::size_t Capacity() const noexcept { return capacity_; }
    tCombination& operator[](std::size_t i) noexcept { return rows_[i]; }
    const tCombination& operator[](std::size_t i) const noexcept { return rows_[i]; }
    tCombination* Data() noexcept { return rows_.get(); }
    const tCombination* Data() const noexcept { return rows_.get(); }

private:
    std::unique_ptr<tCombination[]> rows_;
    std::size_t capacity_ = 0;
};

// The words the program composes its run-time texts from. Empty until a
// language is applied.
struct tUiWords {
    QString LangSelected;
    QString LangSingles;
    QString LangDoubles;
    QString LangTriples;
    QString LangFullWheel;
    QString LangAbbWheel;
    QString LangCondWheel;
    QString LangCombinations;
    QString LangTicketSaved;
    QString LangOK;
    QString LangCancel;
    QString LangClose;
    QString LangOf;
};

// Counts of the open game's marks over pairs 1..n.
struct tSelectionCounts {
    int Singles = 0;
    int Doubles = 0;
    int Triples = 0;
    std::int32_t Product = 0; // the full-wheel size, 0 when any pair is unmarked
};

struct AppState {
    // Tables indexed from 1; entry 0 is never used.
    std::array<tLutrija, MaxGames + 1> Games{};
    std::int32_t GameCount = 0;
    std::int32_t CurrentGame = 0;

    std::array<tSelectionEntry, MaxPairs + 1> Selection{};

    std::array<tWheel, MaxWheels + 1> Wheels{};
    std::int32_t WheelCount = 0;

    std::int32_t WheelMode = 0;

    CombinationStore CombinationList;
    std::int32_t CombinationCount = 0;

    // The program folder with a trailing "/"; every path is built from it.
    QString ProgramFolder;
    QString LanguageName;

    tUiWords Words;

    // A failed write of the settings file has been reported in this run; the
    // next failures stay silent until a write succeeds again.
    bool SettingsErrorShown = false;

    // The open game's record; the current pair count is its Pairs.
    const tLutrija& CurrentGameRecord() const { return Games[CurrentGame]; }
    int CurrentPairs() const;
    void ClearSelection() { Selection.fill(tSelectionEntry{}); }
};

// The text functions shared by all parts.
QString RightStr(const QString& s, int n);
QString LeftStr(const QString& s, int n);
int FirstCharCode(const QString& s);
bool IsNumber(const QString& s);

// Rebuilds Selection from the marks of pairs 1..15: marked[p-1][o] is true when
// outcome o (0 "1", 1 "X", 2 "2") of pair p is marked.
void RebuildSelection(AppState& st, const std::array<std::array<bool, 3>, MaxPairs>& marked);

// Singles, doubles, triples and the full-wheel size over pairs 1..n.
tSelectionCounts CountSelection(const AppState& st);

// The main window's status line, composed from the words of the current language.
QString StatusLineText(const AppState& st);

// True when every pair of the open game carries at least one mark.
bool AllPairsMarked(const AppState& st);

// The guarantee caption of level k (1..3) for n pairs: "n-k of n".
QString GuaranteeCaption(const AppState& st, int level);

// The row pitch of the coupon grid for n pairs (10..15).
int RowPitch(int pairs);

// The character of an outcome code: "X" for 0, the digit otherwise.
QChar OutcomeChar(std::uint8_t code);

} // namespace rav
