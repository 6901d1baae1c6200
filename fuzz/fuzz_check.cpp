// Checking winnings over arbitrary ticket bytes and results: the fast counter
// must agree with the plain rule line by line, and the table with the lines.
#include "fuzz_common.h"

#include "tickets/uniTicketReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const int pairs = rav::MinPairs + in.Byte() % (rav::MaxPairs - rav::MinPairs + 1);
    rav::tResultRow results{};
    for (int k = 1; k <= rav::MaxPairs; ++k) {
        static const char outcomes[] = { '1', 'X', '2' };
        results[k] = outcomes[in.Byte() % 3];
    }
    const QByteArray bytes = in.Rest();
    const QString path = fuzz::ProgramFolder() + QStringLiteral("tickets/Check.txt");
    fuzz::WriteBytes(path, bytes);

    const rav::tHitTable table = rav::CheckTicket(path, results, pairs);
    (void)rav::HitTableLines(table, pairs);

    rav::HitCounter counter(results, pairs);
    rav::tHitTable expected{};
    rav::LineReader reader(path, 64);
    std::string_view line;
    while (reader.Next(line)) {
        const int plain = rav::LineHits(line, results, pairs);
        if (counter.Hits(line) != plain || plain > pairs) {
            std::abort();
        }
        if (plain >= 0) {
            ++expected[plain];
        }
    }
    if (expected != table) {
        std::abort();
    }
    return 0;
}
