// Language files ("languages/*.lng"), the table of keys a language translates,
// the names the Language menu offers, and the application of a language to the
// windows through a sink. Nothing here needs a widget: the windows supply the
// sink that puts the captions on their controls.
#pragma once

#include "model/uniGlobal.h"
#include "model/uniIO.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

namespace rav {

// At most 1000 entries are read from a language file; later lines are ignored.
constexpr int MaxLangEntries = 1000;
// The Language menu has ten places; an eleventh file is recorded but not offered.
constexpr int LanguageMenuPlaces = 10;
constexpr int MaxLanguageNames = 11;

// Font character sets of the two code pages (Windows font charset numbers).
constexpr int CharsetWestern = 0;
constexpr int CharsetCentralEuropean = 238;

// One entry of a language file: the key line (marker included) and the text
// line, both exactly as read.
struct tLangEntry {
    QString Key;
    QString Text;
};

// The windows whose controls a language reaches.
enum class FormId { Main, Lines, Progress, About, NewGame, Open, Help, NewTicket, Tickets, CheckW };

// One thing a key sets: a control of a window by its object name, or the
// window's title when Control is empty.
struct tLangTarget {
    FormId Form;
    const char* Control;
};

// A row of the key table: the key, what it sets, the shared word it fills (or
// none), and whether the text is followed by " ...".
struct tLangKey {
    const char* Key;
    std::vector<tLangTarget> Targets;
    QString tUiWords::*Word = nullptr;
    bool Ellipsis = false;
};

// The 45 keys the program knows, in the program's order.
const std::vector<tLangKey>& LanguageKeyTable();

// The row of the key table for `key` (exact, case-sensitive); nullptr if none.
const tLangKey* FindLanguageKey(const QString& key);

// The code page a language file is read in: Windows-1250 for exactly
// "Bosanski" and "Hrvatski", Windows-1252 for every other name.
CodePage LanguageCodePage(const QString& name);
int LanguageCharset(const QString& name);

// A name without one leading "&".
QString StripAccelerator(const QString& caption);

// ProgramFolder + "languages/".
QString LanguageFolder(const AppState& st);

// The path of an existing file in `folder`: the exact name when it exists, else
// the first entry whose name matches it without regard to case (as a Windows
// file system opens it), else the exact name.
QString ResolveFileName(const QString& folder, const QString& name);

// The file of a language: languages/<name>.lng (found without regard to case).
QString LanguageFilePath(const AppState& st, const QString& name);
bool LanguageFileExists(const AppState& st, const QString& name);

// The help page of the current language: languages/<LanguageName>-help.htm.
QString HelpPagePath(const AppState& st);

// The character set a help page declares in its first kilobyte
// ("charset=..."), in lower case; empty when it declares none.
QString DeclaredCharset(const QByteArray& page);

// Splits the bytes of a language file into entries, decoding them in `cp`:
// lines pair by position (key, text); an odd last line has an empty text; at
// most 1000 entries.
QList<tLangEntry> ParseLanguageEntries(const QByteArray& bytes, CodePage cp);

// Reads the file of language `name`. Raises a RunError ("File not found", ...)
// when it cannot be read.
QList<tLangEntry> ReadLanguageFile(const AppState& st, const QString& name);

// The key of an entry: its key line without the first character.
QString EntryKey(const tLangEntry& entry);

// The language names found in the languages folder, in listing order, each the
// file name less its last four characters; at most eleven are recorded.
QStringList LanguageNames(const AppState& st);

// At start-up: a stored language whose file is missing is replaced by
// "English" when English.lng exists, so the program starts with captions.
// Returns true when LanguageName was changed.
bool FallBackToEnglish(AppState& st);

// Receives what a language sets. The windows' implementation finds the control
// by window and object name and skips a window that does not exist yet.
class LanguageSink {
public:
    virtual ~LanguageSink() = default;
    // `control` empty: the window's title.
    virtual void SetCaption(FormId form, const QString& control, const QString& text) = 0;
    // The character set of the group of controls that follow it (0 or 238).
    virtual void SetCharset(int charset) = 0;
    // Rewrites the main window's status line from the shared words.
    virtual void RefreshStatusLine() = 0;
};

// Applies language `name` (a leading "&" removed) in the program's order:
// LanguageName, the file, the character set, the entries in file order, the
// captions built from the shared words, the status line, the settings file.
// Raises a RunError when the file cannot be read; LanguageName then already
// holds the new name and nothing else has changed.
void ApplyLanguage(AppState& st, const QString& name, LanguageSink& sink);

} // namespace rav
