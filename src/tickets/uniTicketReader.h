// Reading ticket files as they are stored: a streaming line reader, the pages
// of the tickets browser, and the check of a ticket against the results. A
// ticket of a full wheel of 15 triples is over half a gigabyte, so nothing here
// holds a file whole: every action streams it in large blocks.
#pragma once

#include "tickets/uniTicketFile.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rav {

// Reads a text file line by line with the program's line rules: CR LF or a bare
// LF ends a line, a CR not followed by LF is dropped, byte 26 (Ctrl-Z) where a
// line would begin ends the file, and a last line without a line end counts.
// A line longer than kMaxLineBytes is cut to that length.
class LineReader {
public:
    // The fuzz build reads in small blocks: it crosses block ends far more often.
#ifdef RAVOLIN_TICKET_READ_BLOCK
    static constexpr std::size_t kDefaultBlock = RAVOLIN_TICKET_READ_BLOCK;
#else
    static constexpr std::size_t kDefaultBlock = 4u << 20;
#endif
    static constexpr std::size_t kMaxLineBytes = 64u << 10;
    // The bytes behind the end of every line returned that may be read (they
    // hold no meaning): lets a caller compare whole blocks of a short line.
    static constexpr std::size_t kReadSlack = 128;

    // Opens the file; raises a RunError with the run-time text on failure.
    explicit LineReader(const QString& path, std::size_t blockSize = kDefaultBlock);
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line, without its line end; false at the end of the file. The
    // text stays valid until the next call.
    bool Next(std::string_view& line);
    // Calls f(line) for every remaining line: the lines Next() would return,
    // with LineOffset() set for each. Short lines are split off the block in
    // place, without a call per line.
    template <class F> void ForEachLine(F&& f);
    // The file offset at which the line returned last begins.
    std::int64_t LineOffset() const { return lineOffset_; }
    // Continues reading at `offset`, which must be the start of a line.
    void Seek(std::int64_t offset);

private:
    bool Fill();

    QString path_;
    std::FILE* file_ = nullptr;
    std::vector<char> buffer_; // capacity_ bytes and the slack behind them
    std::size_t capacity_ = 0;
    std::size_t pos_ = 0; // next unread byte in buffer_
    std::size_t end_ = 0; // end of the valid bytes in buffer_
    std::int64_t bufferOffset_ = 0; // file offset of buffer_[0]
    std::int64_t lineOffset_ = 0;
    bool eof_ = false; // the file has no more bytes to read
    bool ended_ = false; // the last line has been returned (or Ctrl-Z met)
    bool skipToLineEnd_ = false; // the rest of a cut line is still to be passed over
    std::vector<char> scratch_;
};

template <class F> void LineReader::ForEachLine(F&& f)
{
    std::string_view line;
    for (;;) {
#if defined(__SSE2__)
        if (!ended_ && !skipToLineEnd_) {
            // Lines that end within 64 bytes of their start, inside the bytes
            // read, with no CR but the one of their CR LF: found with a few
            // compares each. The slack behind the buffer makes the 64 bytes
            // always readable; the others go through Next().
            const char* data = buffer_.data();
            const __m128i lf = _mm_set1_epi8('\n');
            const __m128i cr = _mm_set1_epi8('\r');
            std::size_t p = pos_;
            while (p < end_ && data[p] != '\x1a') {
                std::uint64_t ends = 0;
                std::uint64_t crs = 0;
                for (int b = 0; b < 4; ++b) {
                    const __m128i chunk
                        = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + p + 16 * b));
                    ends |= static_cast<std::uint64_t>(
                                static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, lf))))
                        << (16 * b);
                    crs |= static_cast<std::uint64_t>(
                               static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, cr))))
                        << (16 * b);
                }
                if (ends == 0) {
                    break;
                }
                const std::size_t length = static_cast<std::size_t>(__builtin_ctzll(ends));
                if (p + length >= end_
                    || (length > 1 && (crs & ((std::uint64_t{ 1 } << (length - 1)) - 1)) != 0)) {
                    break;
                }
                std::size_t kept = length;
                if (kept > 0 && data[p + kept - 1] == '\r') {
                    --kept;
                }
                lineOffset_ = bufferOffset_ + static_cast<std::int64_t>(p);
                pos_ = p + length + 1;
                f(std::string_view(data + p, kept));
                p = pos_;
            }
        }
#endif
        if (!Next(line)) {
            return;
        }
        f(line);
    }
}

// The number of lines of a file, by the line rules above.
std::int64_t CountTicketLines(const QString& path);

// One page of a ticket file in the tickets browser.
struct TicketPage {
    QList<QByteArray> Lines;
    std::int64_t FirstLine = 0; // number (from 1) of the first line shown; 0 when empty
    bool More = false; // further lines follow the page
};

// The first page: lines 1 to 10002 (the two header lines and 10000 combinations).
TicketPage ReadFirstPage(const QString& path);

// The page after the one whose last line is `last`: up to 10000 lines following
// the last line of the file equal to `last`.
TicketPage ReadNextPage(const QString& path, const QByteArray& last);

// The last 10000 lines of the file (all of them when it holds no more).
TicketPage ReadLastPage(const QString& path);

// The page before the one whose first line is `first`: with P the number of the
// last line equal to `first` (0 when none), the lines P - 10000 to P - 1.
TicketPage ReadPreviousPage(const QString& path, const QByteArray& first);

// The results of the matches: entry k (1..15) is '1', 'X' or '2'.
using tResultRow = std::array<char, MaxPairs + 1>;

// HitTable[h]: the number of combinations with exactly h hits.
using tHitTable = std::array<std::int64_t, MaxPairs + 1>;

// The hits of one ticket line against the results over pairs 1..pairs: the
// outcome of pair k is character 2k - 1 after the ": " that follows the last
// colon. -1 when the line holds no colon (a header line).
int LineHits(std::string_view line, const tResultRow& results, int pairs);

// LineHits for every line of a file: the same count, with the results laid out
// once so that a ticket line of up to 64 characters is compared in a few steps.
class HitCounter {
public:
    HitCounter(const tResultRow& results, int pairs);
    int Hits(std::string_view line);
    // The same for a line with LineReader::kReadSlack readable bytes behind it.
    int HitsOfReaderLine(std::string_view line) const;

private:
    tResultRow results_;
    int pairs_;
    std::uint32_t outcomeBits_ = 0; // the even positions 0 .. 2 * pairs - 2
    alignas(16) char pattern_[32] = {};
    alignas(16) char line_[160] = {};
};

// Reads the whole ticket file and counts the combinations per number of hits.
// Raises a RunError when the file cannot be read.
tHitTable CheckTicket(
    const QString& path, const tResultRow& results, int pairs, const TicketProgress& progress = {});

// The lines of the check-winnings table: from `pairs` hits down to 0, the count
// filled with blanks to 11 columns, then the number of hits.
QStringList HitTableLines(const tHitTable& table, int pairs);

// The top of result selector i (1..15) in the tickets browser for a game of
// `pairs` pairs; its number label sits 4 pixels lower.
int ResultSelectorTop(int i, int pairs);

// The left edge of the number label of selector i.
int ResultLabelLeft(int i);

} // namespace rav
