// The game file loader over arbitrary game files: the input is cut at byte 0xFF
// into up to four files of the data folder.
#include "fuzz_common.h"

#include "games/uniGameFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    fuzz::ClearFolder("data");
    const QString folder = fuzz::ProgramFolder() + QStringLiteral("data/");
    for (int i = 0; i < 4; ++i) {
        const QByteArray bytes = in.Until('\xff');
        if (bytes.isEmpty() && i > 0) {
            break;
        }
        fuzz::WriteBytes(folder + QStringLiteral("Game%1.def").arg(i), bytes);
    }
    auto st = fuzz::NewState(13);
    st->GameCount = 0;
    rav::LoadGameTable(*st);
    // Whatever the files hold, the table holds at least one usable game.
    if (st->GameCount < 1 || st->GameCount > rav::MaxGames) {
        std::abort();
    }
    for (int g = 1; g <= st->GameCount; ++g) {
        if (st->Games[g].Pairs < rav::MinPairs || st->Games[g].Pairs > rav::MaxPairs) {
            std::abort();
        }
    }
    return 0;
}
