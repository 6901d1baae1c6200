// The viewer's parse of the number before the last colon, and the page the
// paging buttons compute from it.
#include "fuzz_common.h"

#include "tickets/uniTicketFile.h"
#include "tickets/uniViewerPages.h"

namespace {

void CheckPage(const rav::ViewerPage& p, std::int64_t count)
{
    if (p.Last >= p.First
        && (p.First < 1 || p.Last > count || p.Last - p.First >= rav::kPageLines)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    std::int64_t count = 0;
    for (int i = 0; i < 4; ++i) {
        count = count << 8 | in.Byte();
    }
    const QString line = QString::fromUtf8(in.Rest());
    std::int64_t number = -1;
    if (rav::ViewerLineNumber(line, &number)) {
        if (number < 0) {
            std::abort();
        }
        CheckPage(rav::NextViewerPage(count, number), count);
        CheckPage(rav::PreviousViewerPage(count, number), count);
    }
    CheckPage(rav::FirstViewerPage(count), count);
    CheckPage(rav::LastViewerPage(count), count);
    return 0;
}
