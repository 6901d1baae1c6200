// The language files and help pages the program ships: every key present once,
// CR LF line ends, the code page each language is read in, a page per language
// that declares its character set.
#include "test_language_fixture.h"

#include "model/uniIO.h"

#include <QFileInfo>
#include <QSet>

using namespace rav;
using language_test::ReadBytes;

namespace {

QString ShippedLanguages()
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath()
        + QStringLiteral("/../../dist/languages/");
}

// Every line ends in CR LF: no bare LF, no lone CR, a CR LF at the end.
bool CrLfOnly(const QByteArray& b)
{
    for (qsizetype i = 0; i < b.size(); ++i) {
        if (b[i] == '\n' && (i == 0 || b[i - 1] != '\r')) {
            return false;
        }
        if (b[i] == '\r' && (i + 1 == b.size() || b[i + 1] != '\n')) {
            return false;
        }
    }
    return b.endsWith("\r\n");
}

} // namespace

TEST(LanguageData, ShippedLanguagesHoldEveryKeyOnce)
{
    AppState st;
    st.ProgramFolder = ShippedLanguages() + QStringLiteral("../");
    const QStringList names = LanguageNames(st);
    ASSERT_GE(names.size(), 7);
    ASSERT_LE(names.size(), LanguageMenuPlaces);
    for (const char* expected :
        { "English", "Hrvatski", "Bosanski", "Deutsch", "Italiano", "Español", "Svenska" }) {
        EXPECT_TRUE(names.contains(QString::fromUtf8(expected))) << expected;
    }
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = ReadBytes(LanguageFilePath(st, name));
        EXPECT_TRUE(CrLfOnly(bytes));
        EXPECT_FALSE(bytes.startsWith("\xEF\xBB\xBF"));
        const QList<tLangEntry> entries = ReadLanguageFile(st, name);
        ASSERT_EQ(entries.size(), 45);
        QSet<QString> seen;
        for (const tLangEntry& e : entries) {
            const QString key = EntryKey(e);
            EXPECT_NE(FindLanguageKey(key), nullptr) << key.toStdString();
            EXPECT_FALSE(seen.contains(key)) << key.toStdString();
            seen.insert(key);
            EXPECT_FALSE(e.Text.trimmed().isEmpty()) << key.toStdString();
        }
        // The bytes are what the code page writes for the decoded text.
        EXPECT_EQ(
            EncodeText(DecodeBytes(bytes, LanguageCodePage(name)), LanguageCodePage(name)), bytes);
    }
}

TEST(LanguageData, CentralEuropeanLanguagesUseTheirLetters)
{
    AppState st;
    st.ProgramFolder = ShippedLanguages() + QStringLiteral("../");
    for (const QString& name : { QStringLiteral("Hrvatski"), QStringLiteral("Bosanski") }) {
        SCOPED_TRACE(name.toStdString());
        QString all;
        for (const tLangEntry& e : ReadLanguageFile(st, name)) {
            all += e.Text;
        }
        for (const char* letter : { "č", "ć", "đ", "š", "ž" }) {
            EXPECT_TRUE(all.contains(QString::fromUtf8(letter))) << letter;
        }
    }
    // Read in the Western code page, the same file shows other letters.
    const QList<tLangEntry> western = ParseLanguageEntries(
        ReadBytes(LanguageFilePath(st, QStringLiteral("Hrvatski"))), CodePage::Windows1252);
    QString all;
    for (const tLangEntry& e : western) {
        all += e.Text;
    }
    EXPECT_FALSE(all.contains(QString::fromUtf8("č")));
}

TEST(LanguageData, EveryLanguageHasAHelpPageInItsCodePage)
{
    AppState st;
    st.ProgramFolder = ShippedLanguages() + QStringLiteral("../");
    for (const QString& name : LanguageNames(st)) {
        SCOPED_TRACE(name.toStdString());
        st.LanguageName = name;
        const QByteArray page = ReadBytes(HelpPagePath(st));
        ASSERT_FALSE(page.isEmpty());
        EXPECT_TRUE(CrLfOnly(page));
        const QString charset = DeclaredCharset(page);
        EXPECT_EQ(charset,
            LanguageCodePage(name) == CodePage::Windows1250 ? QStringLiteral("windows-1250")
                                                            : QStringLiteral("windows-1252"));
        const QString text = DecodeBytes(page, LanguageCodePage(name));
        EXPECT_TRUE(text.contains(QStringLiteral("<h1>Ravolin</h1>")));
    }
    // The English page is the manual: it covers the whole program.
    st.LanguageName = QStringLiteral("English");
    const QString manual = QString::fromLatin1(ReadBytes(HelpPagePath(st)));
    for (const char* topic : { "Marking the coupon", "full wheel", "conditioned wheel", "Minimum",
             "Guarantee", "wheel list", "Tickets", "Checking winnings", "Printing", "New Game",
             "Open Game", "Languages", "ravolin.ini", "data/", "wheels/", "tickets/" }) {
        EXPECT_TRUE(manual.contains(QLatin1String(topic))) << topic;
    }
}
