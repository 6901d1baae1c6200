// The tickets browser's paging over arbitrary ticket bytes and arbitrary texts
// of the first and last lines shown. The input: the first-line text, byte 0,
// the last-line text, byte 0, the bytes of the ticket.
#include "fuzz_common.h"

#include "tickets/uniTicketReader.h"

namespace {

void CheckPage(const rav::TicketPage& page, std::int64_t lines)
{
    if (page.Lines.size() > rav::kFirstPageLines
        || (page.FirstLine > 0 && page.FirstLine + page.Lines.size() - 1 > lines)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const QByteArray first = in.Until('\0');
    const QByteArray last = in.Until('\0');
    const QString path = fuzz::ProgramFolder() + QStringLiteral("tickets/Fuzz.txt");
    fuzz::WriteBytes(path, in.Rest());

    const std::int64_t lines = rav::CountTicketLines(path);
    rav::TicketPage page = rav::ReadFirstPage(path);
    CheckPage(page, lines);
    CheckPage(rav::ReadNextPage(path, last), lines);
    CheckPage(rav::ReadPreviousPage(path, first), lines);
    page = rav::ReadLastPage(path);
    CheckPage(page, lines);
    if (!page.Lines.isEmpty()) {
        CheckPage(rav::ReadPreviousPage(path, page.Lines.first()), lines);
        CheckPage(rav::ReadNextPage(path, page.Lines.last()), lines);
    }
    // The reader agrees with itself line by line, whatever the block size.
    rav::LineReader small(path, 7);
    std::int64_t n = 0;
    small.ForEachLine([&](std::string_view) { ++n; });
    if (n != lines) {
        std::abort();
    }
    return 0;
}
