#include "uniLanguage.h"

#include "games/uniGameFiles.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace rav {

namespace {

using F = FormId;

std::vector<tLangKey> BuildKeyTable()
{
    // Every control is named by its object name in its window; an empty name
    // stands for the window's title.
    return {
        { "File", { { F::Main, "mnuFile" } } },
        { "Language", { { F::Main, "mnuLanguage" } } },
        { "Tickets", { { F::Main, "mnuTickets" } } },
        { "Open Game", { { F::Main, "mnuOpenGame" }, { F::Open, "" } } },
        { "Open", { { F::Open, "btnOpen" } } },
        { "New Game", { { F::Main, "mnuNewGame" }, { F::NewGame, "" } } },
        { "Exit", { { F::Main, "mnuExit" } } },
        { "Selection", { { F::Main, "mnuSelection" } } },
        { "Clear Teams", { { F::Main, "btnClearTeams" } } },
        { "Clear All", { { F::Main, "mnuClearAll" }, { F::Main, "btnClearAll" } } },
        { "Select All", { { F::Main, "mnuSelectAll" }, { F::Main, "btnSelectAll" } } },
        { "Help", { { F::Main, "mnuHelp" }, { F::Help, "" } } },
        { "Contents", { { F::Main, "mnuContents" } } },
        { "Pairs:", { { F::NewGame, "lblPairs" } } },
        { "Name:", { { F::NewGame, "lblName" } } },
        { "New Ticket", { { F::NewTicket, "" } } },
        { "Enter Ticket Name", { { F::NewTicket, "lblEnterName" } } },
        { "Ticket Saved", {}, &tUiWords::LangTicketSaved },
        { "About", { { F::Main, "mnuAbout" } } },
        { "Full Wheel", { { F::Main, "btnFullWheel" } }, &tUiWords::LangFullWheel },
        { "Abbreviated Wheel", { { F::Main, "btnAbbWheel" } }, &tUiWords::LangAbbWheel },
        { "Conditioned Wheel", { { F::Main, "btnCondWheels" } }, &tUiWords::LangCondWheel },
        { "Selected", {}, &tUiWords::LangSelected },
        { "Singles", {}, &tUiWords::LangSingles },
        { "Doubles", {}, &tUiWords::LangDoubles },
        { "Triples", {}, &tUiWords::LangTriples },
        { "combinations", {}, &tUiWords::LangCombinations },
        { "Combinations", { { F::CheckW, "lblComb" }, { F::Lines, "" } } },
        { "Hits", { { F::CheckW, "lblWins" } } },
        { "Save", { { F::Lines, "btnSaveNewTicket" }, { F::NewTicket, "btnSave" } } },
        { "OK", {}, &tUiWords::LangOK },
        { "Cancel", {}, &tUiWords::LangCancel },
        { "Close", {}, &tUiWords::LangClose },
        { "Teams", { { F::Main, "lblTeams" } } },
        { "Menu", { { F::Main, "btnMenu01" }, { F::Main, "btnMenu02" } } },
        { "Make Wheel", { { F::Main, "btnMakeAbbWheel" }, { F::Main, "btnMakeConditioned" } } },
        { "Guarantee", { { F::Main, "grpGuarantee" } } },
        { "Print", { { F::Tickets, "btnPrint" }, { F::Lines, "btnPrint" } } },
        { "Delete", { { F::Tickets, "btnDelete" } } },
        { "Minimum", { { F::Main, "lblMin1" }, { F::Main, "lblMin2" }, { F::Main, "lblMin3" } } },
        { "Maximum", { { F::Main, "lblMax1" }, { F::Main, "lblMax2" }, { F::Main, "lblMax3" } } },
        { "of", {}, &tUiWords::LangOf },
        { "Please Wait", { { F::Progress, "" } }, nullptr, true },
        { "Calculating", { { F::Progress, "lblcalc" } }, nullptr, true },
        { "Check Winnings", { { F::Tickets, "btnCheckW" } } },
    };
}

QString Latin(const char* s)
{
    return QString::fromLatin1(s);
}

} // namespace

const std::vector<tLangKey>& LanguageKeyTable()
{
    static const std::vector<tLangKey> table = BuildKeyTable();
    return table;
}

const tLangKey* FindLanguageKey(const QString& key)
{
    for (const tLangKey& row : LanguageKeyTable()) {
        if (key == QLatin1String(row.Key)) {
            return &row;
        }
    }
    return nullptr;
}

CodePage LanguageCodePage(const QString& name)
{
    if (name == QLatin1String("Bosanski") || name == QLatin1String("Hrvatski")) {
        return CodePage::Windows1250;
    }
    return CodePage::Windows1252;
}

int LanguageCharset(const QString& name)
{
    return LanguageCodePage(name) == CodePage::Windows1250 ? CharsetCentralEuropean
                                                           : CharsetWestern;
}

QString StripAccelerator(const QString& caption)
{
    if (caption.startsWith(QLatin1Char('&'))) {
        return caption.mid(1);
    }
    return caption;
}

QString LanguageFolder(const AppState& st)
{
    return st.ProgramFolder + QStringLiteral("languages/");
}

QString ResolveFileName(const QString& folder, const QString& name)
{
    if (QFileInfo::exists(folder + name)) {
        return folder + name;
    }
    for (const QString& entry : ListFolder(folder, QString())) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0) {
            return folder + entry;
        }
    }
    return folder + name;
}

QString LanguageFilePath(const AppState& st, const QString& name)
{
    return ResolveFileName(LanguageFolder(st), name + QStringLiteral(".lng"));
}

bool LanguageFileExists(const AppState& st, const QString& name)
{
    return QFileInfo(LanguageFilePath(st, name)).isFile();
}

QString HelpPagePath(const AppState& st)
{
    return ResolveFileName(LanguageFolder(st), st.LanguageName + QStringLiteral("-help.htm"));
}

QString DeclaredCharset(const QByteArray& page)
{
    static const QRegularExpression re(QStringLiteral("charset\\s*=\\s*[\"']?([A-Za-z0-9_-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(QString::fromLatin1(page.left(1024)));
    return m.hasMatch() ? m.captured(1).toLower() : QString();
}

QList<tLangEntry> ParseLanguageEntries(const QByteArray& bytes, CodePage cp)
{
    const QList<QByteArray> lines = SplitTextLines(bytes);
    QList<tLangEntry> entries;
    for (qsizetype i = 0; i < lines.size() && entries.size() < MaxLangEntries; i += 2) {
        tLangEntry e;
        e.Key = DecodeBytes(lines[i], cp);
        if (i + 1 < lines.size()) {
            e.Text = DecodeBytes(lines[i + 1], cp);
        }
        entries.append(e);
    }
    return entries;
}

QList<tLangEntry> ReadLanguageFile(const AppState& st, const QString& name)
{
    return ParseLanguageEntries(ReadWholeFile(LanguageFilePath(st, name)), LanguageCodePage(name));
}

QString EntryKey(const tLangEntry& entry)
{
    return entry.Key.mid(1);
}

QStringList LanguageNames(const AppState& st)
{
    QStringList names;
    for (const QString& file : ListFolder(LanguageFolder(st), QStringLiteral(".lng"))) {
        if (names.size() == MaxLanguageNames) {
            break;
        }
        names.append(file.left(file.size() - 4));
    }
    return names;
}

bool FallBackToEnglish(AppState& st)
{
    const QString english = QStringLiteral("English");
    if (LanguageFileExists(st, st.LanguageName) || !LanguageFileExists(st, english)) {
        return false;
    }
    st.LanguageName = english;
    return true;
}

void ApplyLanguage(AppState& st, const QString& name, LanguageSink& sink)
{
    const QString language = StripAccelerator(name);
    st.LanguageName = language;
    const QList<tLangEntry> entries = ReadLanguageFile(st, language);

    sink.SetCharset(LanguageCharset(language));

    for (const tLangEntry& entry : entries) {
        const tLangKey* row = FindLanguageKey(EntryKey(entry));
        if (row == nullptr) {
            continue;
        }
        const QString text = row->Ellipsis ? entry.Text + QStringLiteral(" ...") : entry.Text;
        for (const tLangTarget& target : row->Targets) {
            sink.SetCaption(target.Form, Latin(target.Control), text);
        }
        if (row->Word != nullptr) {
            st.Words.*(row->Word) = entry.Text;
        }
    }

    // The captions composed from the shared words, whatever the file held.
    const tUiWords& w = st.Words;
    sink.SetCaption(F::Lines, QStringLiteral("btnClose"), w.LangClose);
    sink.SetCaption(F::Tickets, QStringLiteral("btnClose"), w.LangClose);
    sink.SetCaption(F::Main, QStringLiteral("lblTriples"), w.LangTriples);
    sink.SetCaption(F::Main, QStringLiteral("lblDoubles"), w.LangDoubles);
    sink.SetCaption(F::Main, QStringLiteral("lblCombinations"), w.LangCombinations);
    sink.SetCaption(F::NewGame, QStringLiteral("btnOK"), w.LangOK);
    sink.SetCaption(F::NewGame, QStringLiteral("btnCancel"), w.LangCancel);
    sink.SetCaption(F::Progress, QStringLiteral("btncancel"), w.LangCancel);
    sink.SetCaption(F::NewTicket, QStringLiteral("btnCancel"), w.LangCancel);
    for (int level = 1; level <= 3; ++level) {
        sink.SetCaption(F::Main, QStringLiteral("rad%1").arg(level), GuaranteeCaption(st, level));
    }
    sink.SetCaption(F::Open, QStringLiteral("btncancel"), w.LangCancel);
    sink.RefreshStatusLine();
    WriteSettings(st);
}

} // namespace rav
