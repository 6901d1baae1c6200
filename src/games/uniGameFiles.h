// Game definition files ("data/*.def") and the settings file ("ravolin.ini").
#pragma once

#include "model/uniGlobal.h"
#include "model/uniIO.h"

#include <QString>

namespace rav {

inline constexpr const char* kHeaderLine = "[DO NOT CHANGE THIS FILE]";
inline constexpr const char* kSettingsFileName = "ravolin.ini";

// The file name stem of a game: the typed name with every character removed
// that is not an ASCII letter or digit. Empty when nothing is left.
QString GameFileStem(const QString& name);

// ProgramFolder + "data/" + stem + ".def".
QString GameFilePath(const AppState& st, const QString& name);

// Writes (creates or replaces) the game file of `name`. Does nothing and returns
// false when the stem is empty. Raises a RunError when the write fails; the
// previous file of that stem is then still whole.
bool WriteGameFile(const AppState& st, const QString& name, int pairs);

// Fills Games and GameCount from the data folder, in listing order. A file that
// cannot be read, whose line 3 or 4 is not a decimal number, or whose pair count
// lies outside 10..15 is skipped. At most 100 games are taken. When no file can
// be loaded, a default game of 13 pairs is written and loaded.
void LoadGameTable(AppState& st);

// The name of the game written when the data folder holds no loadable game.
QString DefaultGameName();

// Reads the settings file: CurrentGame by name (the last game of that name;
// game 1 when none matches) and LanguageName. When the file is missing or cannot
// be read, game 1 and "English" are taken.
void ReadSettings(AppState& st);

// The failure to write the settings file: a RunError with the run-time text, of
// its own type so that a window can tell it from a language file it could not read.
class SettingsWriteError : public RunError {
public:
    using RunError::RunError;
};

// Writes the settings file from CurrentGame and LanguageName. Raises a
// SettingsWriteError when the write fails; the previous file is then still whole.
void WriteSettings(const AppState& st);

// WriteSettings for the windows: the first failure raises, further failures
// stay silent (SettingsErrorShown) until a write succeeds again.
void WriteSettingsReportedOnce(AppState& st);

// Sets CurrentGame to the last game whose Name equals `name`; leaves it
// unchanged and returns false when there is none.
bool SelectGameByName(AppState& st, const QString& name);

} // namespace rav
