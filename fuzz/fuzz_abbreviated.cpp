// The abbreviated generator over arbitrary wheel-file bytes and marks. The input
// gives the pairs, the marks of every pair, the guarantee level, the number of
// combinations the name promises, and then the bytes of the wheel file, which is
// written under the name that the marks pick.
#include "fuzz_common.h"

#include "engine/uniGenerators.h"
#include "engine/uniWheels.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    const int pairs = rav::MinPairs + in.Byte() % (rav::MaxPairs - rav::MinPairs + 1);
    auto st = fuzz::NewState(pairs);

    std::array<std::array<bool, 3>, rav::MaxPairs> marked{};
    int triples = 0;
    int doubles = 0;
    for (int p = 0; p < rav::MaxPairs; ++p) {
        const std::uint8_t m = in.Byte();
        int count = 0;
        for (int o = 0; o < 3; ++o) {
            marked[p][o] = (m >> o) & 1;
            count += marked[p][o];
        }
        if (p < pairs) {
            triples += count == 3;
            doubles += count == 2;
        }
    }
    rav::RebuildSelection(*st, marked);
    const int level = 1 + in.Byte() % 4; // 4: a level no wheel has
    const int hi = in.Byte();
    const int combinations = (hi << 8 | in.Byte()) % 3000; // 0: a name that does not parse
    const int hits = 1 + in.Byte() % 14;

    const QString name = QStringLiteral("%1%2%3%4%5.txt")
                             .arg(triples, 2, 10, QLatin1Char('0'))
                             .arg(doubles, 2, 10, QLatin1Char('0'))
                             .arg(hits, 2, 10, QLatin1Char('0'))
                             .arg(hits + std::min(level, 3), 2, 10, QLatin1Char('0'))
                             .arg(combinations, 6, 10, QLatin1Char('0'));
    fuzz::ClearFolder("wheels");
    fuzz::WriteBytes(st->ProgramFolder + QLatin1String(rav::kWheelsFolder) + name, in.Rest());

    rav::LoadWheelList(*st);
    for (int l = 1; l <= 3; ++l) {
        (void)rav::WheelListLines(*st, l, pairs);
    }
    const rav::GenerationResult r = rav::MakeAbbreviatedWheel(*st, level);
    if (!r.Ok && st->CombinationCount != 0) {
        std::abort();
    }
    if (r.Ok) {
        // Every row holds an outcome the player marked for every pair.
        for (std::int64_t row = 1; row <= st->CombinationCount; ++row) {
            for (int p = 1; p <= pairs; ++p) {
                const std::uint8_t c = st->CombinationList[row][p];
                const int col = c == rav::CodeHome ? 0
                    : c == rav::CodeDraw           ? 1
                    : c == rav::CodeAway           ? 2
                                                   : -1;
                if (col < 0 || !marked[p - 1][col]) {
                    std::abort();
                }
            }
        }
    }
    return 0;
}
