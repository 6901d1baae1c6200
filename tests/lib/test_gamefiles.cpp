// Game definition files and the settings file, byte for byte.
#include "games/uniGameFiles.h"
#include "model/uniIO.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace rav;

namespace {

class Folder {
public:
    Folder()
    {
        QDir(dir_.path()).mkdir("data");
        st.ProgramFolder = dir_.path() + "/";
    }
    void Write(const QString& rel, const QByteArray& bytes)
    {
        QFile f(st.ProgramFolder + rel);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    QByteArray Read(const QString& rel) const
    {
        QFile f(st.ProgramFolder + rel);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void Game(const QString& stem, const QByteArray& name, const QByteArray& pairs,
              const QByteArray& reserved = "10")
    {
        Write("data/" + stem + ".def",
              "[DO NOT CHANGE THIS FILE]\r\n" + name + "\r\n" + pairs + "\r\n" + reserved + "\r\n");
    }
    AppState st;

private:
    QTemporaryDir dir_;
};

} // namespace

TEST(GameFile, StemAndExactBytes)
{
    EXPECT_EQ(GameFileStem(QStringLiteral("Premier League 2")), QStringLiteral("PremierLeague2"));
    EXPECT_EQ(GameFileStem(QStringLiteral("My game #1")), QStringLiteral("Mygame1"));
    EXPECT_EQ(GameFileStem(QString::fromUtf8("Liga \xc5\xa0" "ampion")), QStringLiteral("Ligaampion"));
    EXPECT_TRUE(GameFileStem(QStringLiteral("---")).isEmpty());

    Folder f;
    ASSERT_TRUE(WriteGameFile(f.st, QString::fromUtf8("Sunday pools \xc3\xa9\xe2\x82\xac\xc4\x8d"), 13));
    // Display name in Windows-1252; a character it cannot hold becomes "?".
    EXPECT_EQ(f.Read("data/Sundaypools.def"),
              QByteArray("[DO NOT CHANGE THIS FILE]\r\nSunday pools \xe9\x80?\r\n13\r\n10\r\n"));

    // Names differing only in removed characters share one file; the later wins.
    ASSERT_TRUE(WriteGameFile(f.st, QStringLiteral("Premier League 2"), 12));
    ASSERT_TRUE(WriteGameFile(f.st, QStringLiteral("PremierLeague2"), 14));
    EXPECT_EQ(f.Read("data/PremierLeague2.def"),
              QByteArray("[DO NOT CHANGE THIS FILE]\r\nPremierLeague2\r\n14\r\n10\r\n"));

    // A name with nothing left writes nothing.
    EXPECT_FALSE(WriteGameFile(f.st, QStringLiteral(" - "), 10));
    EXPECT_EQ(QDir(f.st.ProgramFolder + "data").entryList(QDir::Files).size(), 2);
}

TEST(GameTable, LoadsInListingOrderAndSkipsBadFiles)
{
    Folder f;
    f.Game("b", "Second", "14");
    f.Write("data/A.def", "anything at all\nFirst\n13\n10\n"); // header never compared, LF ends
    f.Game("c", "Bad pairs", "x");
    f.Game("d", "Bad reserved", "12", "ten");
    f.Game("e", "Too many", "16");
    f.Game("f", "Too few", "9");
    f.Game("g", "Short file", "");
    f.Write("data/h.def", "[DO NOT CHANGE THIS FILE]\r\nTruncated\r\n");
    f.Game("z", "Last", "10");
    LoadGameTable(f.st);
    ASSERT_EQ(f.st.GameCount, 3);
    EXPECT_EQ(f.st.Games[1].Name, QStringLiteral("First"));
    EXPECT_EQ(f.st.Games[1].Pairs, 13);
    EXPECT_EQ(f.st.Games[1].Reserved, 10);
    EXPECT_EQ(f.st.Games[2].Name, QStringLiteral("Second"));
    EXPECT_EQ(f.st.Games[3].Name, QStringLiteral("Last"));
    EXPECT_EQ(f.st.Games[4].Name, QString());
}

TEST(GameTable, AtMostOneHundredGames)
{
    Folder f;
    for (int i = 0; i < 101; ++i) {
        f.Game(QStringLiteral("g%1").arg(i, 3, 10, QLatin1Char('0')),
               QByteArray("Game ") + QByteArray::number(i), "10");
    }
    LoadGameTable(f.st);
    EXPECT_EQ(f.st.GameCount, 100);
    EXPECT_EQ(f.st.Games[100].Name, QStringLiteral("Game 99"));
}

TEST(GameTable, NoLoadableGameWritesTheDefault)
{
    Folder f;
    f.Game("bad", "Broken", "zero");
    LoadGameTable(f.st);
    ASSERT_EQ(f.st.GameCount, 1);
    EXPECT_EQ(f.st.Games[1].Name, DefaultGameName());
    EXPECT_EQ(f.st.Games[1].Pairs, 13);
    EXPECT_EQ(f.Read("data/" + GameFileStem(DefaultGameName()) + ".def"),
              "[DO NOT CHANGE THIS FILE]\r\n" + DefaultGameName().toLatin1() + "\r\n13\r\n10\r\n");

    // With no data folder at all the default is written into a new one.
    Folder empty;
    QDir(empty.st.ProgramFolder + "data").removeRecursively();
    LoadGameTable(empty.st);
    EXPECT_EQ(empty.st.GameCount, 1);
    EXPECT_TRUE(QFile::exists(empty.st.ProgramFolder + "data/Pools13.def"));
}

TEST(Settings, ReaderRules)
{
    Folder f;
    f.Game("a", "Alpha", "13");
    f.Game("b", "Beta", "14");
    f.Game("c", "Alpha", "10");
    LoadGameTable(f.st);

    // The last game of the stored name wins; line 5 is taken unchanged.
    f.Write("ravolin.ini", "[DO NOT CHANGE THIS FILE]\r\n[LAST OPENED]\r\nAlpha\r\n[LANGUAGE]\r\n"
                           "Hrvatski\r\n");
    ReadSettings(f.st);
    EXPECT_EQ(f.st.CurrentGame, 3);
    EXPECT_EQ(f.st.LanguageName, QStringLiteral("Hrvatski"));

    // Names compare exactly: another case or a trailing blank matches nothing.
    f.Write("ravolin.ini", "x\r\ny\r\nbeta\r\nz\r\nEnglish\r\n");
    ReadSettings(f.st);
    EXPECT_EQ(f.st.CurrentGame, 1);
    f.Write("ravolin.ini", "x\r\ny\r\nBeta \r\nz\r\nEnglish\r\n");
    ReadSettings(f.st);
    EXPECT_EQ(f.st.CurrentGame, 1);
    f.Write("ravolin.ini", "x\r\ny\r\nBeta\r\nz\r\nEnglish\r\n");
    ReadSettings(f.st);
    EXPECT_EQ(f.st.CurrentGame, 2);

    // Fewer than five lines: missing values are empty.
    f.Write("ravolin.ini", "x\r\ny\r\nBeta\r\n");
    ReadSettings(f.st);
    EXPECT_EQ(f.st.CurrentGame, 2);
    EXPECT_EQ(f.st.LanguageName, QString());
    f.Write("ravolin.ini", "x\r\n");
    ReadSettings(f.st);
    EXPECT_EQ(f.st.CurrentGame, 1);

    // No settings file: game 1 and English.
    QFile::remove(f.st.ProgramFolder + "ravolin.ini");
    f.st.CurrentGame = 2;
    ReadSettings(f.st);
    EXPECT_EQ(f.st.CurrentGame, 1);
    EXPECT_EQ(f.st.LanguageName, QStringLiteral("English"));
}

TEST(Settings, WriterExactBytes)
{
    Folder f;
    f.Game("a", "Alpha", "13");
    f.Game("b", "Beta", "14");
    LoadGameTable(f.st);
    f.st.CurrentGame = 2;
    f.st.LanguageName = QString::fromUtf8("Espa\xc3\xb1ol");
    WriteSettings(f.st);
    EXPECT_EQ(f.Read("ravolin.ini"), QByteArray("[DO NOT CHANGE THIS FILE]\r\n[LAST OPENED]\r\nBeta\r\n"
                                                "[LANGUAGE]\r\nEspa\xf1ol\r\n"));
    // What was written reads back the same.
    f.st.CurrentGame = 1;
    f.st.LanguageName.clear();
    ReadSettings(f.st);
    EXPECT_EQ(f.st.CurrentGame, 2);
    EXPECT_EQ(f.st.LanguageName, QString::fromUtf8("Espa\xc3\xb1ol"));
}
