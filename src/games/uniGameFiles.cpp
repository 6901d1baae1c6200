#include "uniGameFiles.h"

#include "model/uniIO.h"

namespace rav {

namespace {

QString DataFolder(const AppState& st)
{
    return st.ProgramFolder + QStringLiteral("data/");
}

QString SettingsPath(const AppState& st)
{
    return st.ProgramFolder + QLatin1String(kSettingsFileName);
}

QString Line(const QList<QByteArray>& lines, int index)
{
    return index < lines.size() ? DecodeBytes(lines[index], CodePage::Windows1252) : QString();
}

} // namespace

QString GameFileStem(const QString& name)
{
    QString stem;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if ((u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')) {
            stem.append(c);
        }
    }
    return stem;
}

QString GameFilePath(const AppState& st, const QString& name)
{
    return DataFolder(st) + GameFileStem(name) + QStringLiteral(".def");
}

bool WriteGameFile(const AppState& st, const QString& name, int pairs)
{
    if (GameFileStem(name).isEmpty()) {
        return false;
    }
    WriteTextLinesAtomic(GameFilePath(st, name),
                         {QByteArray(kHeaderLine), EncodeText(name, CodePage::Windows1252),
                          QByteArray::number(pairs), QByteArray("10")});
    return true;
}

QString DefaultGameName()
{
    return QStringLiteral("Pools 13");
}

void LoadGameTable(AppState& st)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        int count = 0;
        const QString folder = DataFolder(st);
        for (const QString& file : ListFolder(folder, QStringLiteral(".def"))) {
            if (count == MaxGames) {
                break;
            }
            tLutrija game;
            try {
                const QList<QByteArray> lines = ReadTextLines(folder + file);
                game.Name = Line(lines, 1);
                game.Pairs = StrToInt(Line(lines, 2));
                game.Reserved = StrToInt(Line(lines, 3));
            } catch (const RunError&) {
                continue; // unreadable, or line 3 or 4 not a number: skip this file
            }
            if (game.Pairs < MinPairs || game.Pairs > MaxPairs) {
                continue;
            }
            st.Games[++count] = game;
        }
        for (int i = count + 1; i <= MaxGames; ++i) {
            st.Games[i] = tLutrija{};
        }
        st.GameCount = count;
        if (count > 0 || attempt == 1) {
            break;
        }
        // Nothing loadable: give the program one game to open.
        try {
            EnsureFolder(folder);
            WriteGameFile(st, DefaultGameName(), 13);
        } catch (const RunError&) {
            // A folder that cannot be written: hold the default game in memory only.
            st.Games[1] = tLutrija{DefaultGameName(), 13, 10};
            st.GameCount = 1;
            break;
        }
    }
    if (st.CurrentGame < 1 || st.CurrentGame > st.GameCount) {
        st.CurrentGame = 1;
    }
}

bool SelectGameByName(AppState& st, const QString& name)
{
    int found = 0;
    for (int i = 1; i <= st.GameCount; ++i) {
        if (st.Games[i].Name == name) {
            found = i;
        }
    }
    if (found == 0) {
        return false;
    }
    st.CurrentGame = found;
    return true;
}

void ReadSettings(AppState& st)
{
    QList<QByteArray> lines;
    try {
        lines = ReadTextLines(SettingsPath(st));
    } catch (const RunError&) {
        st.CurrentGame = 1;
        st.LanguageName = QStringLiteral("English");
        return;
    }
    st.CurrentGame = 1;
    SelectGameByName(st, Line(lines, 2));
    st.LanguageName = Line(lines, 4);
}

void WriteSettingsReportedOnce(AppState& st)
{
    try {
        WriteSettings(st);
    } catch (const SettingsWriteError&) {
        if (st.SettingsErrorShown) {
            return;
        }
        st.SettingsErrorShown = true;
        throw;
    }
    st.SettingsErrorShown = false;
}

void WriteSettings(const AppState& st)
{
    const QString game = st.CurrentGame >= 1 && st.CurrentGame <= st.GameCount
                             ? st.Games[st.CurrentGame].Name
                             : QString();
    try {
        WriteTextLinesAtomic(SettingsPath(st),
                             {QByteArray(kHeaderLine), QByteArray("[LAST OPENED]"),
                              EncodeText(game, CodePage::Windows1252), QByteArray("[LANGUAGE]"),
                              EncodeText(st.LanguageName, CodePage::Windows1252)});
    } catch (const SettingsWriteError&) {
        throw;
    } catch (const RunError& e) {
        throw SettingsWriteError(e.Text());
    }
}

} // namespace rav
