// Reading language files: pairing by position, line ends, Ctrl-Z, the entry
// limit, the key marker, the code page chosen by the language's name, the
// language list and the paths of the files.
#include "test_language_fixture.h"

#include "model/uniIO.h"

#include <QSet>

using namespace rav;
using language_test::CrLf;
using language_test::Folder;
using language_test::LanguageBytes;

TEST(LanguageFile, PairsLinesByPositionWithEitherLineEnd)
{
    // CR LF and bare LF end lines; a lone CR is dropped; blanks are kept.
    const QByteArray bytes = "*Teams\r\n  Momcadi \n*O\rpen\r\nOtvori\r\n";
    const QList<tLangEntry> e = ParseLanguageEntries(bytes, CodePage::Windows1252);
    ASSERT_EQ(e.size(), 2);
    EXPECT_EQ(e[0].Key, QStringLiteral("*Teams"));
    EXPECT_EQ(e[0].Text, QStringLiteral("  Momcadi "));
    EXPECT_EQ(e[1].Key, QStringLiteral("*Open"));
    EXPECT_EQ(EntryKey(e[1]), QStringLiteral("Open"));
    EXPECT_EQ(e[1].Text, QStringLiteral("Otvori"));

    // An odd line count: the last entry has an empty text.
    const QList<tLangEntry> odd
        = ParseLanguageEntries("*Open\r\nOtvori\r\n*Teams\r\n", CodePage::Windows1252);
    ASSERT_EQ(odd.size(), 2);
    EXPECT_EQ(EntryKey(odd[1]), QStringLiteral("Teams"));
    EXPECT_TRUE(odd[1].Text.isEmpty());

    // A missing line shifts every later pair: the text becomes a key.
    const QList<tLangEntry> shifted
        = ParseLanguageEntries("*Open\r\n*Teams\r\nMomcadi\r\n", CodePage::Windows1252);
    ASSERT_EQ(shifted.size(), 2);
    EXPECT_EQ(shifted[0].Text, QStringLiteral("*Teams"));
    EXPECT_EQ(EntryKey(shifted[1]), QStringLiteral("omcadi"));

    EXPECT_TRUE(ParseLanguageEntries(QByteArray(), CodePage::Windows1252).isEmpty());
}

TEST(LanguageFile, CtrlZWhereALineBeginsEndsTheFile)
{
    const QList<tLangEntry> e = ParseLanguageEntries(
        "*Open\r\nOtv\x1ari\r\n\x1a*Teams\r\nMomcadi\r\n", CodePage::Windows1252);
    ASSERT_EQ(e.size(), 1);
    EXPECT_EQ(e[0].Text, QStringLiteral("Otv\x1ari"));
}

TEST(LanguageFile, AtMostAThousandEntriesAreRead)
{
    QList<QByteArray> lines;
    for (int i = 1; i <= 1001; ++i) {
        lines.append("*k" + QByteArray::number(i));
        lines.append("t" + QByteArray::number(i));
    }
    const QList<tLangEntry> e = ParseLanguageEntries(CrLf(lines), CodePage::Windows1252);
    ASSERT_EQ(e.size(), MaxLangEntries);
    EXPECT_EQ(e.last().Key, QStringLiteral("*k1000"));
    EXPECT_EQ(e.last().Text, QStringLiteral("t1000"));
}

TEST(LanguageFile, KeyMatchingIsExact)
{
    auto keyOf = [](const QByteArray& line) {
        return EntryKey(ParseLanguageEntries(line + "\r\nx\r\n", CodePage::Windows1252)[0]);
    };
    EXPECT_NE(FindLanguageKey(keyOf("*Pairs:")), nullptr);
    EXPECT_NE(FindLanguageKey(keyOf("#Pairs:")), nullptr); // any marker will do
    EXPECT_EQ(FindLanguageKey(keyOf("*Pairs: ")), nullptr); // trailing blank
    EXPECT_EQ(FindLanguageKey(keyOf("Pairs:")), nullptr); // no marker: "airs:"
    EXPECT_EQ(FindLanguageKey(keyOf("*pairs:")), nullptr); // other case
    EXPECT_EQ(FindLanguageKey(keyOf("*")), nullptr); // empty key
    EXPECT_EQ(FindLanguageKey(keyOf("")), nullptr);
    // A byte-order mark: only its first byte is taken as the marker.
    EXPECT_EQ(FindLanguageKey(keyOf("\xEF\xBB\xBF*File")), nullptr);
    // "combinations" and "Combinations" are two keys.
    const tLangKey* lower = FindLanguageKey(QStringLiteral("combinations"));
    const tLangKey* upper = FindLanguageKey(QStringLiteral("Combinations"));
    ASSERT_NE(lower, nullptr);
    ASSERT_NE(upper, nullptr);
    EXPECT_NE(lower, upper);
    EXPECT_EQ(lower->Word, &tUiWords::LangCombinations);
    EXPECT_EQ(upper->Word, nullptr);
}

TEST(LanguageFile, KeyTableHasFortyFiveKeysAndNoTargetTwice)
{
    const auto& table = LanguageKeyTable();
    ASSERT_EQ(table.size(), 45u);
    EXPECT_STREQ(table.front().Key, "File");
    EXPECT_STREQ(table.back().Key, "Check Winnings");
    QSet<QString> keys;
    QSet<QString> targets;
    int words = 0;
    QSet<QString> wordKeys;
    for (const tLangKey& row : table) {
        EXPECT_FALSE(keys.contains(QLatin1String(row.Key))) << row.Key;
        keys.insert(QLatin1String(row.Key));
        for (const tLangTarget& t : row.Targets) {
            const QString id = QString::number(static_cast<int>(t.Form)) + QLatin1Char('/')
                + QLatin1String(t.Control);
            EXPECT_FALSE(targets.contains(id)) << row.Key << " sets " << t.Control << " again";
            targets.insert(id);
        }
        if (row.Word != nullptr) {
            ++words;
            wordKeys.insert(QLatin1String(row.Key));
        }
        EXPECT_EQ(row.Ellipsis,
            QLatin1String(row.Key) == QLatin1String("Please Wait")
                || QLatin1String(row.Key) == QLatin1String("Calculating"));
    }
    EXPECT_EQ(words, 13);
    EXPECT_TRUE(wordKeys.contains(QStringLiteral("of")));
    EXPECT_TRUE(wordKeys.contains(QStringLiteral("Ticket Saved")));
}

TEST(LanguageFile, CodePageFollowsTheExactName)
{
    EXPECT_EQ(LanguageCodePage(QStringLiteral("Bosanski")), CodePage::Windows1250);
    EXPECT_EQ(LanguageCodePage(QStringLiteral("Hrvatski")), CodePage::Windows1250);
    EXPECT_EQ(LanguageCodePage(QStringLiteral("bosanski")), CodePage::Windows1252);
    EXPECT_EQ(LanguageCodePage(QStringLiteral("Hrvatski ")), CodePage::Windows1252);
    EXPECT_EQ(LanguageCodePage(QStringLiteral("Deutsch")), CodePage::Windows1252);
    EXPECT_EQ(LanguageCharset(QStringLiteral("Hrvatski")), 238);
    EXPECT_EQ(LanguageCharset(QStringLiteral("bosanski")), 0);

    // The same bytes read as "Bosanski" and as "bosanski" (the file is found
    // without regard to case, but the code page follows the name as given).
    Folder f;
    f.WriteLanguage(QStringLiteral("Bosanski"), "*Teams\r\n\xC8\x8A\xF0\r\n");
    const QList<tLangEntry> central = ReadLanguageFile(*f.st, QStringLiteral("Bosanski"));
    ASSERT_EQ(central.size(), 1);
    EXPECT_EQ(central[0].Text, QString::fromUtf8("ČŠđ"));
    const QList<tLangEntry> western = ReadLanguageFile(*f.st, QStringLiteral("bosanski"));
    ASSERT_EQ(western.size(), 1);
    EXPECT_EQ(western[0].Text, QString::fromUtf8("ÈŠð"));
}

TEST(LanguageFile, MissingFileRaisesTheRunTimeError)
{
    Folder f;
    try {
        ReadLanguageFile(*f.st, QStringLiteral("Klingon"));
        FAIL() << "no error";
    } catch (const RunError& e) {
        EXPECT_EQ(e.Text(), QStringLiteral("File not found"));
    }
    QDir(f.dir.path()).rmdir(QStringLiteral("languages"));
    try {
        ReadLanguageFile(*f.st, QStringLiteral("English"));
        FAIL() << "no error";
    } catch (const RunError& e) {
        EXPECT_EQ(e.Text(), QStringLiteral("Invalid filename"));
    }
}

TEST(LanguageFile, LanguageNamesTakeElevenAtMostInListingOrder)
{
    Folder f;
    EXPECT_TRUE(LanguageNames(*f.st).isEmpty());
    const char* const names[] = { "Svenska", "deutsch", "English", "Italiano", "Hrvatski",
        "Bosanski", "Polski", "Magyar", "Norsk", "Dansk" };
    for (const char* n : names) {
        f.WriteLanguage(QLatin1String(n), "*File\r\nx\r\n");
    }
    f.Write(QStringLiteral("languages/English-help.htm"), "<html></html>");
    f.Write(QStringLiteral("languages/readme.txt"), "x");
    const QStringList ten = LanguageNames(*f.st);
    EXPECT_EQ(ten,
        QStringList({ "Bosanski", "Dansk", "deutsch", "English", "Hrvatski", "Italiano", "Magyar",
            "Norsk", "Polski", "Svenska" }));

    // An eleventh and a twelfth file: the eleventh is recorded, the twelfth not.
    f.Write(QStringLiteral("languages/Zulu.LNG"), "*File\r\nx\r\n");
    f.WriteLanguage(QStringLiteral("Cymraeg"), "*File\r\nx\r\n");
    const QStringList all = LanguageNames(*f.st);
    ASSERT_EQ(all.size(), MaxLanguageNames);
    EXPECT_EQ(all[1], QStringLiteral("Cymraeg"));
    EXPECT_EQ(all[10], QStringLiteral("Svenska"));
    EXPECT_FALSE(all.contains(QStringLiteral("Zulu")));
}

TEST(LanguageFile, PathsOfLanguageAndHelpFiles)
{
    Folder f;
    const QString folder = f.st->ProgramFolder + QStringLiteral("languages/");
    f.st->LanguageName.clear();
    EXPECT_EQ(HelpPagePath(*f.st), folder + QStringLiteral("-help.htm"));
    f.st->LanguageName = QStringLiteral("English");
    EXPECT_EQ(HelpPagePath(*f.st), folder + QStringLiteral("English-help.htm"));
    EXPECT_EQ(LanguageFilePath(*f.st, QStringLiteral("Hrvatski")),
        folder + QStringLiteral("Hrvatski.lng"));

    // A name differing only in case finds the file that exists.
    f.WriteLanguage(QStringLiteral("English"), "*File\r\nx\r\n");
    f.Write(QStringLiteral("languages/English-help.htm"), "<html></html>");
    f.st->LanguageName = QStringLiteral("english");
    EXPECT_EQ(HelpPagePath(*f.st), folder + QStringLiteral("English-help.htm"));
    EXPECT_TRUE(LanguageFileExists(*f.st, QStringLiteral("ENGLISH")));
    EXPECT_FALSE(LanguageFileExists(*f.st, QStringLiteral("Engl")));
    EXPECT_EQ(StripAccelerator(QStringLiteral("&English")), QStringLiteral("English"));
    EXPECT_EQ(StripAccelerator(QStringLiteral("&&X")), QStringLiteral("&X"));
}

TEST(LanguageFile, StartUpFallsBackToEnglishOnlyWhenTheStoredFileIsMissing)
{
    Folder f;
    f.st->LanguageName = QStringLiteral("Klingon");
    EXPECT_FALSE(FallBackToEnglish(*f.st)); // no English.lng either
    EXPECT_EQ(f.st->LanguageName, QStringLiteral("Klingon"));

    f.WriteLanguage(QStringLiteral("English"), "*File\r\nx\r\n");
    EXPECT_TRUE(FallBackToEnglish(*f.st));
    EXPECT_EQ(f.st->LanguageName, QStringLiteral("English"));

    // A stored name whose file exists in another case is kept as stored.
    f.st->LanguageName = QStringLiteral("english");
    EXPECT_FALSE(FallBackToEnglish(*f.st));
    EXPECT_EQ(f.st->LanguageName, QStringLiteral("english"));
    // So is a language whose file is there.
    f.WriteLanguage(QStringLiteral("Svenska"), "*File\r\nx\r\n");
    f.st->LanguageName = QStringLiteral("Svenska");
    EXPECT_FALSE(FallBackToEnglish(*f.st));
    EXPECT_EQ(f.st->LanguageName, QStringLiteral("Svenska"));
}
