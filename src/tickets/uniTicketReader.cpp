#include "uniTicketReader.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace rav {

namespace {

std::FILE* OpenForReading(const QString& path)
{
#ifdef _WIN32
    return _wfopen(reinterpret_cast<const wchar_t*>(path.utf16()), L"rb");
#else
    return std::fopen(QFile::encodeName(path).constData(), "rb");
#endif
}

bool SeekFile(std::FILE* f, std::int64_t offset)
{
#ifdef _WIN32
    return _fseeki64(f, offset, SEEK_SET) == 0;
#else
    return fseeko(f, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

const char* LastColon(const char* data, std::size_t size)
{
#ifdef __GLIBC__
    return static_cast<const char*>(memrchr(data, ':', size));
#else
    for (std::size_t i = size; i-- > 0;) {
        if (data[i] == ':') {
            return data + i;
        }
    }
    return nullptr;
#endif
}

// How often a long read reports its progress, in lines.
constexpr std::int64_t kProgressLines = 1 << 20;

} // namespace

LineReader::LineReader(const QString& path, std::size_t blockSize)
    : path_(path)
    , capacity_(std::max<std::size_t>(blockSize, 16))
{
    buffer_.resize(capacity_ + kReadSlack);
    errno = 0;
    file_ = OpenForReading(path);
    if (file_ == nullptr) {
        throw RunError(ErrorText(errno, path));
    }
    // The reader does its own buffering in large blocks.
    std::setvbuf(file_, nullptr, _IONBF, 0);
}

LineReader::~LineReader()
{
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

bool LineReader::Fill()
{
    if (pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        bufferOffset_ += static_cast<std::int64_t>(pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (eof_) {
        return end_ > 0;
    }
    if (end_ == capacity_) {
        capacity_ *= 2;
        buffer_.resize(capacity_ + kReadSlack);
    }
    const std::size_t want = capacity_ - end_;
    errno = 0;
    const std::size_t got = std::fread(buffer_.data() + end_, 1, want, file_);
    if (got < want) {
        if (std::ferror(file_) != 0) {
            throw RunError(ErrorText(errno, path_));
        }
        eof_ = true;
    }
    end_ += got;
    return end_ > 0;
}

bool LineReader::Next(std::string_view& line)
{
    if (ended_) {
        return false;
    }
    for (;;) {
        if (pos_ == end_ && !Fill()) {
            ended_ = true;
            return false;
        }
        char* const data = buffer_.data();
        if (skipToLineEnd_) {
            const void* nl = std::memchr(data + pos_, '\n', end_ - pos_);
            if (nl == nullptr) {
                pos_ = end_;
                continue;
            }
            pos_ = static_cast<std::size_t>(static_cast<const char*>(nl) - data) + 1;
            skipToLineEnd_ = false;
            continue;
        }
        if (data[pos_] == '\x1a') {
            ended_ = true;
            return false;
        }
        const std::size_t begin = pos_;
        const char* start = data + begin;
        const std::size_t avail = end_ - begin;
        const void* nl = std::memchr(start, '\n', avail);
        std::size_t length;
        if (nl != nullptr) {
            length = static_cast<std::size_t>(static_cast<const char*>(nl) - start);
            pos_ += length + 1;
        } else if (avail > kMaxLineBytes) {
            // A line far longer than any ticket holds: keep its beginning only.
            length = avail;
            pos_ = end_;
            skipToLineEnd_ = true;
        } else if (!eof_) {
            Fill();
            continue;
        } else {
            // The last line of the file has no line end.
            length = avail;
            pos_ = end_;
        }
        lineOffset_ = bufferOffset_ + static_cast<std::int64_t>(begin);
        std::string_view raw(start, std::min(length, kMaxLineBytes));
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
        }
        if (std::memchr(raw.data(), '\r', raw.size()) == nullptr) {
            line = raw;
        } else {
            // A CR not followed by LF is dropped.
            scratch_.resize(raw.size() + kReadSlack);
            std::size_t kept = 0;
            for (char c : raw) {
                if (c != '\r') {
                    scratch_[kept++] = c;
                }
            }
            line = std::string_view(scratch_.data(), kept);
        }
        return true;
    }
}

void LineReader::Seek(std::int64_t offset)
{
    ended_ = false;
    skipToLineEnd_ = false;
    if (offset >= bufferOffset_ && offset <= bufferOffset_ + static_cast<std::int64_t>(end_)) {
        pos_ = static_cast<std::size_t>(offset - bufferOffset_);
        return;
    }
    errno = 0;
    if (!SeekFile(file_, offset)) {
        throw RunError(ErrorText(errno, path_));
    }
    pos_ = 0;
    end_ = 0;
    bufferOffset_ = offset;
    eof_ = false;
}

std::int64_t CountTicketLines(const QString& path)
{
    LineReader reader(path);
    std::int64_t n = 0;
    reader.ForEachLine([&n](std::string_view) { ++n; });
    return n;
}

namespace {

QByteArray ToBytes(std::string_view line)
{
    return QByteArray(line.data(), static_cast<qsizetype>(line.size()));
}

} // namespace

TicketPage ReadFirstPage(const QString& path)
{
    TicketPage page;
    LineReader reader(path);
    std::string_view line;
    while (page.Lines.size() < kFirstPageLines && reader.Next(line)) {
        page.Lines.append(ToBytes(line));
    }
    page.More = page.Lines.size() == kFirstPageLines && reader.Next(line);
    page.FirstLine = page.Lines.isEmpty() ? 0 : 1;
    return page;
}

TicketPage ReadNextPage(const QString& path, const QByteArray& last)
{
    TicketPage page;
    LineReader reader(path);
    const std::string_view wanted(last.constData(), static_cast<std::size_t>(last.size()));
    std::int64_t number = 0;
    std::int64_t after = 0;
    bool found = false;
    reader.ForEachLine([&](std::string_view line) {
        ++number;
        if (line == wanted) {
            // The page starts afresh after every line equal to the last one shown.
            found = true;
            page.Lines.clear();
            page.FirstLine = number + 1;
            after = 0;
            return;
        }
        if (found) {
            ++after;
            if (page.Lines.size() < kPageLines) {
                page.Lines.append(ToBytes(line));
            }
        }
    });
    page.More = after > kPageLines;
    if (page.Lines.isEmpty()) {
        page.FirstLine = 0;
    }
    return page;
}

TicketPage ReadLastPage(const QString& path)
{
    TicketPage page;
    LineReader reader(path);
    std::vector<std::int64_t> starts(kPageLines);
    std::int64_t count = 0;
    reader.ForEachLine([&](std::string_view) {
        starts[static_cast<std::size_t>(count % kPageLines)] = reader.LineOffset();
        ++count;
    });
    if (count == 0) {
        return page;
    }
    const std::int64_t first = count > kPageLines ? count - kPageLines + 1 : 1;
    reader.Seek(starts[static_cast<std::size_t>((first - 1) % kPageLines)]);
    std::string_view line;
    while (reader.Next(line)) {
        page.Lines.append(ToBytes(line));
    }
    page.FirstLine = first;
    return page;
}

TicketPage ReadPreviousPage(const QString& path, const QByteArray& first)
{
    TicketPage page;
    LineReader reader(path);
    const std::string_view wanted(first.constData(), static_cast<std::size_t>(first.size()));
    // The starts of the last 10001 lines read: when line P matches, the start
    // of line P - 10000 is still at hand.
    const std::int64_t ring = kPageLines + 1;
    std::vector<std::int64_t> starts(static_cast<std::size_t>(ring));
    std::int64_t number = 0;
    std::int64_t match = 0;
    std::int64_t startLine = 0;
    std::int64_t startOffset = 0;
    reader.ForEachLine([&](std::string_view line) {
        ++number;
        starts[static_cast<std::size_t>((number - 1) % ring)] = reader.LineOffset();
        if (line == wanted) {
            match = number;
            startLine = std::max<std::int64_t>(1, match - kPageLines);
            startOffset = starts[static_cast<std::size_t>((startLine - 1) % ring)];
        }
    });
    page.More = true;
    if (match <= 1) {
        return page;
    }
    reader.Seek(startOffset);
    std::string_view line;
    for (std::int64_t k = startLine; k < match && reader.Next(line); ++k) {
        page.Lines.append(ToBytes(line));
    }
    page.FirstLine = page.Lines.isEmpty() ? 0 : startLine;
    return page;
}

int LineHits(std::string_view line, const tResultRow& results, int pairs)
{
    const char* colon = LastColon(line.data(), line.size());
    if (colon == nullptr) {
        return -1;
    }
    // The outcomes follow the colon and its blank; pair k stands at 2k - 1.
    const std::size_t from = static_cast<std::size_t>(colon - line.data()) + 2;
    const std::size_t length = from < line.size() ? line.size() - from : 0;
    const char* text = line.data() + from;
    const int n = std::max(0, std::min(pairs, MaxPairs));
    int hits = 0;
    if (length >= static_cast<std::size_t>(2 * n - 1)) {
        // A whole line: no position needs a bounds check.
        for (int k = 1; k <= n; ++k) {
            hits += text[2 * k - 2] == results[static_cast<std::size_t>(k)] ? 1 : 0;
        }
        return hits;
    }
    for (int k = 1; k <= n; ++k) {
        const std::size_t at = static_cast<std::size_t>(2 * k - 2);
        if (at < length && text[at] == results[static_cast<std::size_t>(k)]) {
            ++hits;
        }
    }
    return hits;
}

HitCounter::HitCounter(const tResultRow& results, int pairs)
    : results_(results)
    , pairs_(std::max(0, std::min(pairs, MaxPairs)))
{
    for (int k = 1; k <= pairs_; ++k) {
        pattern_[2 * k - 2] = results_[static_cast<std::size_t>(k)];
        outcomeBits_ |= 1u << (2 * k - 2);
    }
}

namespace {

// The number of bits set in x.
inline int BitCount(std::uint32_t x)
{
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    x = (x + (x >> 4)) & 0x0F0F0F0Fu;
    return static_cast<int>((x * 0x01010101u) >> 24);
}

} // namespace

int HitCounter::Hits(std::string_view line)
{
    if (line.size() > 64) {
        return LineHits(line, results_, pairs_);
    }
    // A copy with room behind it.
    std::memcpy(line_, line.data(), line.size());
    return HitsOfReaderLine(std::string_view(line_, line.size()));
}

int HitCounter::HitsOfReaderLine(std::string_view line) const
{
#if defined(__SSE2__)
    // Lines of up to 64 characters are compared 16 at a time; the bytes behind
    // the line may be read and their bits are masked off.
    const std::size_t length = line.size();
    if (length > 64) {
        return LineHits(line, results_, pairs_);
    }
    const char* data = line.data();
    const __m128i colon = _mm_set1_epi8(':');
    std::uint64_t colons = 0;
    for (int b = 0; b < 4; ++b) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + 16 * b));
        colons |= static_cast<std::uint64_t>(
                      static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, colon))))
            << (16 * b);
    }
    if (length < 64) {
        colons &= (std::uint64_t{ 1 } << length) - 1;
    }
    if (colons == 0) {
        return -1;
    }
    const std::size_t from = 63 - static_cast<std::size_t>(__builtin_clzll(colons)) + 2;
    if (from >= length) {
        return 0;
    }
    const std::size_t rest = length - from;
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from + 16));
    const __m128i plo = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern_));
    const __m128i phi = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern_ + 16));
    std::uint32_t same = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(lo, plo)))
        | (static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(hi, phi))) << 16);
    same &= outcomeBits_;
    if (rest < 32) {
        same &= (std::uint32_t{ 1 } << rest) - 1;
    }
    return BitCount(same);
#else
    return LineHits(line, results_, pairs_);
#endif
}

tHitTable CheckTicket(
    const QString& path, const tResultRow& results, int pairs, const TicketProgress& progress)
{
    tHitTable table{};
    LineReader reader(path);
    const HitCounter counter(results, pairs);
    std::int64_t number = 0;
    reader.ForEachLine([&](std::string_view line) {
        const int hits = counter.HitsOfReaderLine(line);
        if (hits >= 0) {
            ++table[static_cast<std::size_t>(hits)];
        }
        if (++number % kProgressLines == 0 && progress) {
            progress(number);
        }
    });
    return table;
}

QStringList HitTableLines(const tHitTable& table, int pairs)
{
    QStringList lines;
    for (int h = std::min(pairs, MaxPairs); h >= 0; --h) {
        lines.append(
            QString::number(table[static_cast<std::size_t>(h)]).leftJustified(11, QLatin1Char(' '))
            + QString::number(h));
    }
    return lines;
}

int ResultSelectorTop(int i, int pairs)
{
    static constexpr int offset[6] = { 8, 7, 6, 4, 2, 1 };
    const int o = pairs >= MinPairs && pairs <= MaxPairs ? offset[pairs - MinPairs] : 0;
    return 30 * (i - 1) + 25 + o;
}

int ResultLabelLeft(int i)
{
    return i <= 9 ? 12 : 4;
}

} // namespace rav
