#include "uniGameList.h"

#include "games/uniGameFiles.h"
#include "model/uniIO.h"

#include <algorithm>

namespace rav {

QStringList ListGameNames(const AppState& st)
{
    const QString folder = st.ProgramFolder + QStringLiteral("data/");
    QStringList names;
    for (const QString& file : ListFolder(folder, QStringLiteral(".def"))) {
        if (names.size() == MaxOpenListGames) {
            break;
        }
        try {
            const QList<QByteArray> lines = ReadTextLines(folder + file);
            if (lines.size() < 4) {
                continue;
            }
            const int pairs = StrToInt(DecodeBytes(lines[2], CodePage::Windows1252));
            StrToInt(DecodeBytes(lines[3], CodePage::Windows1252));
            if (pairs < MinPairs || pairs > MaxPairs) {
                continue;
            }
            names.append(DecodeBytes(lines[1], CodePage::Windows1252));
        } catch (const RunError&) {
            continue; // a file the game table skips is not offered either
        }
    }
    return names;
}

QStringList SortedForList(QStringList names)
{
    std::stable_sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool ReloadGamesKeepingOpenGame(AppState& st)
{
    const bool hadGame = st.CurrentGame >= 1 && st.CurrentGame <= st.GameCount;
    const tLutrija open = hadGame ? st.Games[st.CurrentGame] : tLutrija{};
    LoadGameTable(st);
    int byName = 0;
    int byNameAndPairs = 0;
    for (int i = 1; i <= st.GameCount; ++i) {
        if (st.Games[i].Name == open.Name) {
            byName = i;
            if (st.Games[i].Pairs == open.Pairs) {
                byNameAndPairs = i;
            }
        }
    }
    st.CurrentGame = byNameAndPairs != 0 ? byNameAndPairs : (byName != 0 ? byName : 1);
    const tLutrija& now = st.Games[st.CurrentGame];
    return !hadGame || now.Name != open.Name || now.Pairs != open.Pairs;
}

} // namespace rav
