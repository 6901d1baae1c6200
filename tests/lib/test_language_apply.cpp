// Applying a language: the order of its steps, the captions and shared words it
// sets, the captions composed from the words whatever the file holds, and the
// settings file written last.
#include "test_language_fixture.h"

#include "model/uniIO.h"

using namespace rav;
using language_test::CrLf;
using language_test::Folder;
using language_test::LanguageBytes;
using language_test::RecordingSink;

namespace {

const QByteArray kSettingsEnglish
    = CrLf({ "[DO NOT CHANGE THIS FILE]", "[LAST OPENED]", "Ten", "[LANGUAGE]", "English" });

} // namespace

TEST(LanguageApply, SetsEveryTargetOfAKeyAndTheWordsInFileOrder)
{
    Folder f;
    f.WriteLanguage(QStringLiteral("English"),
        LanguageBytes(
            { { "Save", "Keep" }, { "Open Game", "Open a game" }, { "Unknown key", "ignored" },
                { "Full Wheel", "Every line" }, { "Teams", "  Clubs " }, { "Save", "Store" } }));
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("English"), sink);

    // A key's text goes to all it sets; a repeated key leaves the later text.
    EXPECT_EQ(sink.Last(FormId::Lines, "btnSaveNewTicket"), QStringLiteral("Store"));
    EXPECT_EQ(sink.Last(FormId::NewTicket, "btnSave"), QStringLiteral("Store"));
    EXPECT_EQ(sink.Last(FormId::Main, "mnuOpenGame"), QStringLiteral("Open a game"));
    EXPECT_EQ(sink.Last(FormId::Open, ""), QStringLiteral("Open a game"));
    EXPECT_EQ(sink.Last(FormId::Main, "btnFullWheel"), QStringLiteral("Every line"));
    EXPECT_EQ(f.st->Words.LangFullWheel, QStringLiteral("Every line"));
    EXPECT_EQ(sink.Last(FormId::Main, "lblTeams"), QStringLiteral("  Clubs "));
    // Keys the file does not hold set nothing.
    EXPECT_FALSE(sink.WasSet(FormId::Main, "mnuFile"));
    EXPECT_FALSE(sink.WasSet(FormId::Help, ""));
    // Unknown keys are ignored; nothing is named after them.
    for (const auto& r : sink.Captions) {
        EXPECT_NE(r.Text, QStringLiteral("ignored"));
    }
}

TEST(LanguageApply, StepsRunInTheProgramsOrder)
{
    Folder f;
    f.WriteLanguage(QStringLiteral("Hrvatski"), LanguageBytes({ { "Teams", "Momcadi" } }));
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("Hrvatski"), sink);
    // Character set first, then the entries, then the composed captions, the
    // status line last of all; the settings file is written after it.
    ASSERT_GE(sink.Events.size(), 3u);
    EXPECT_EQ(sink.Events.front(), QStringLiteral("charset"));
    EXPECT_EQ(sink.Events.back(), QStringLiteral("status"));
    EXPECT_EQ(sink.Charsets, std::vector<int>({ 238 }));
    EXPECT_EQ(sink.Captions.front().Control, QStringLiteral("lblTeams"));
    const std::vector<std::pair<FormId, QString>> composed = {
        { FormId::Lines, "btnClose" },
        { FormId::Tickets, "btnClose" },
        { FormId::Main, "lblTriples" },
        { FormId::Main, "lblDoubles" },
        { FormId::Main, "lblCombinations" },
        { FormId::NewGame, "btnOK" },
        { FormId::NewGame, "btnCancel" },
        { FormId::Progress, "btncancel" },
        { FormId::NewTicket, "btnCancel" },
        { FormId::Main, "rad1" },
        { FormId::Main, "rad2" },
        { FormId::Main, "rad3" },
        { FormId::Open, "btncancel" },
    };
    ASSERT_EQ(sink.Captions.size(), 1 + composed.size());
    for (std::size_t i = 0; i < composed.size(); ++i) {
        EXPECT_EQ(sink.Captions[i + 1].Form, composed[i].first) << i;
        EXPECT_EQ(sink.Captions[i + 1].Control, composed[i].second) << i;
    }
    EXPECT_EQ(f.Settings(),
        CrLf({ "[DO NOT CHANGE THIS FILE]", "[LAST OPENED]", "Ten", "[LANGUAGE]", "Hrvatski" }));
}

TEST(LanguageApply, SameLanguageTwiceGivesTheSameCaptionsAndSettings)
{
    Folder f;
    f.WriteLanguage(QStringLiteral("English"),
        LanguageBytes({ { "of", "of" }, { "Cancel", "Cancel" }, { "Teams", "Teams" } }));
    RecordingSink first;
    ApplyLanguage(*f.st, QStringLiteral("English"), first);
    const QByteArray settings = f.Settings();
    EXPECT_EQ(settings, kSettingsEnglish);
    RecordingSink second;
    ApplyLanguage(*f.st, QStringLiteral("English"), second);
    EXPECT_EQ(first.Captions, second.Captions);
    EXPECT_EQ(f.Settings(), settings);
}

TEST(LanguageApply, EntriesInAnotherOrderGiveTheSameCaptions)
{
    Folder a;
    a.WriteLanguage(
        QStringLiteral("X"), LanguageBytes({ { "Teams", "T" }, { "of", "od" }, { "Open", "O" } }));
    Folder b;
    b.WriteLanguage(
        QStringLiteral("X"), LanguageBytes({ { "Open", "O" }, { "Teams", "T" }, { "of", "od" } }));
    RecordingSink sa;
    RecordingSink sb;
    ApplyLanguage(*a.st, QStringLiteral("X"), sa);
    ApplyLanguage(*b.st, QStringLiteral("X"), sb);
    for (const auto& [form, control] :
        std::vector<std::pair<FormId, QString>>{
            { FormId::Main, "lblTeams" }, { FormId::Open, "btnOpen" }, { FormId::Main, "rad2" } }) {
        EXPECT_EQ(sa.Last(form, control), sb.Last(form, control)) << control.toStdString();
    }
    EXPECT_EQ(sa.Last(FormId::Main, "rad2"), QStringLiteral("8 od 10"));
}

TEST(LanguageApply, ComposedCaptionsAreSetEvenWhenTheFileLacksTheirWords)
{
    Folder f;
    f.WriteLanguage(QStringLiteral("Sparse"), LanguageBytes({ { "Teams", "Teams" } }));
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("Sparse"), sink);
    // Without "Cancel" the four Cancel buttons are emptied.
    for (const auto& [form, control] :
        std::vector<std::pair<FormId, QString>>{ { FormId::NewGame, "btnCancel" },
            { FormId::Progress, "btncancel" }, { FormId::NewTicket, "btnCancel" },
            { FormId::Open, "btncancel" }, { FormId::Lines, "btnClose" },
            { FormId::NewGame, "btnOK" }, { FormId::Main, "lblCombinations" } }) {
        EXPECT_TRUE(sink.WasSet(form, control)) << control.toStdString();
        EXPECT_TRUE(sink.Last(form, control).isEmpty()) << control.toStdString();
    }
    // Without "of" the guarantee captions hold two blanks.
    EXPECT_EQ(sink.Last(FormId::Main, "rad1"), QStringLiteral("9  10"));

    // A word supplied once stays when a later file lacks it.
    f.WriteLanguage(
        QStringLiteral("Full"), LanguageBytes({ { "Cancel", "Odustani" }, { "of", "od" } }));
    RecordingSink full;
    ApplyLanguage(*f.st, QStringLiteral("Full"), full);
    RecordingSink again;
    ApplyLanguage(*f.st, QStringLiteral("Sparse"), again);
    EXPECT_EQ(again.Last(FormId::Open, "btncancel"), QStringLiteral("Odustani"));
    EXPECT_EQ(f.st->Words.LangOf, QStringLiteral("od"));
}

TEST(LanguageApply, GuaranteeCaptionsForTenPairs)
{
    Folder f;
    f.WriteLanguage(QStringLiteral("English"), LanguageBytes({ { "of", "of" } }));
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("English"), sink);
    EXPECT_EQ(sink.Last(FormId::Main, "rad1"), QStringLiteral("9 of 10"));
    EXPECT_EQ(sink.Last(FormId::Main, "rad2"), QStringLiteral("8 of 10"));
    EXPECT_EQ(sink.Last(FormId::Main, "rad3"), QStringLiteral("7 of 10"));
}

TEST(LanguageApply, ProgressTextsGetTheEllipsis)
{
    Folder f;
    f.WriteLanguage(QStringLiteral("English"),
        LanguageBytes({ { "Please Wait", "" }, { "Calculating", "Working" } }));
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("English"), sink);
    EXPECT_EQ(sink.Last(FormId::Progress, ""), QStringLiteral(" ..."));
    EXPECT_EQ(sink.Last(FormId::Progress, "lblcalc"), QStringLiteral("Working ..."));
}

TEST(LanguageApply, OddLineCountEmptiesWhatTheLastKeySets)
{
    Folder f;
    f.WriteLanguage(QStringLiteral("Odd"), "*Open\r\nOtvori\r\n*Menu\r\n");
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("Odd"), sink);
    EXPECT_EQ(sink.Last(FormId::Open, "btnOpen"), QStringLiteral("Otvori"));
    EXPECT_TRUE(sink.WasSet(FormId::Main, "btnMenu01"));
    EXPECT_TRUE(sink.Last(FormId::Main, "btnMenu01").isEmpty());
    EXPECT_TRUE(sink.Last(FormId::Main, "btnMenu02").isEmpty());
}

TEST(LanguageApply, LeadingAmpersandIsDroppedBeforeTheNameIsUsed)
{
    Folder f;
    f.WriteLanguage(QStringLiteral("English"), LanguageBytes({ { "Teams", "Teams" } }));
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("&English"), sink);
    EXPECT_EQ(f.st->LanguageName, QStringLiteral("English"));
    EXPECT_EQ(f.Settings(), kSettingsEnglish);
    EXPECT_EQ(sink.Last(FormId::Main, "lblTeams"), QStringLiteral("Teams"));
}

TEST(LanguageApply, MissingFileChangesOnlyTheName)
{
    Folder f;
    f.Write(QStringLiteral("ravolin.ini"), "previous");
    f.st->Words.LangOf = QStringLiteral("of");
    RecordingSink sink;
    try {
        ApplyLanguage(*f.st, QStringLiteral("&Klingon"), sink);
        FAIL() << "no error";
    } catch (const RunError& e) {
        EXPECT_EQ(e.Text(), QStringLiteral("File not found"));
    }
    EXPECT_EQ(f.st->LanguageName, QStringLiteral("Klingon"));
    EXPECT_TRUE(sink.Events.empty());
    EXPECT_EQ(f.st->Words.LangOf, QStringLiteral("of"));
    EXPECT_EQ(f.Settings(), QByteArray("previous"));
}

TEST(LanguageApply, EntriesPastTheThousandthAreNeverApplied)
{
    Folder f;
    std::vector<std::pair<QByteArray, QByteArray>> entries;
    for (int i = 0; i < 999; ++i) {
        entries.push_back({ "filler", "x" });
    }
    entries.push_back({ "Open", "Thousandth" });
    entries.push_back({ "Teams", "Too late" });
    f.WriteLanguage(QStringLiteral("Long"), LanguageBytes(entries));
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("Long"), sink);
    EXPECT_EQ(sink.Last(FormId::Open, "btnOpen"), QStringLiteral("Thousandth"));
    EXPECT_FALSE(sink.WasSet(FormId::Main, "lblTeams"));
}

TEST(LanguageApply, WordsOfACentralEuropeanLanguageAreDecodedInItsCodePage)
{
    Folder f;
    f.WriteLanguage(QStringLiteral("Bosanski"),
        LanguageBytes({ { "Selected", "Izabrano" }, { "Print", "\x8Atampaj" }, { "of", "od" },
            { "Help", "Pomo\xE6" } }));
    RecordingSink sink;
    ApplyLanguage(*f.st, QStringLiteral("Bosanski"), sink);
    EXPECT_EQ(sink.Last(FormId::Tickets, "btnPrint"), QString::fromUtf8("Štampaj"));
    EXPECT_EQ(sink.Last(FormId::Help, ""), QString::fromUtf8("Pomoć"));
    EXPECT_EQ(f.st->Words.LangSelected, QStringLiteral("Izabrano"));
    // The name is stored in the settings file as it was given.
    EXPECT_TRUE(f.Settings().endsWith("[LANGUAGE]\r\nBosanski\r\n"));
}
