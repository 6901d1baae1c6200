// The settings reader over arbitrary settings files, with a few games open.
#include "fuzz_common.h"

#include "games/uniGameFiles.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    auto st = fuzz::NewState(13);
    st->Games[2] = rav::tLutrija{ QStringLiteral("Weekend"), 14, 0 };
    st->Games[3] = rav::tLutrija{ QStringLiteral("Fuzz"), 10, 0 };
    st->GameCount = 3;
    st->CurrentGame = 0;
    st->LanguageName.clear();
    fuzz::WriteBytes(st->ProgramFolder + QLatin1String(rav::kSettingsFileName),
        QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    rav::ReadSettings(*st);
    if (st->CurrentGame < 1 || st->CurrentGame > st->GameCount) {
        std::abort();
    }
    return 0;
}
