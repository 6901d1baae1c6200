// Languages on the windows: every key reaching its controls in every window
// that exists, the Language menu, the start-up fallback, a vanished file, and
// the character set chosen by the language's name.
#include "guitest_language.h"

#include "language/uniLangWidgets.h"
#include "mainwindow/uniMessages.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace rav;
using guitest::Find;
using langtest::Caption;
using langtest::LanguageFile;
using langtest::MainFixture;

namespace {

const std::vector<std::tuple<QString, QString, int>> kGames
    = { { "Sundaypools", "Sunday pools", 13 }, { "Short", "Short", 10 } };

// Every object named `control` in `window`, outside the windows it owns.
QList<QObject*> Named(QWidget* window, const QString& control)
{
    QList<QObject*> found;
    for (QObject* o : window->findChildren<QObject*>(control)) {
        QObject* p = o;
        bool inside = true;
        while (p != nullptr && p != window) {
            auto* w = qobject_cast<QWidget*>(p);
            if (w != nullptr && w != o && w->isWindow() && qobject_cast<QMenu*>(w) == nullptr) {
                inside = false;
            }
            p = p->parent();
        }
        if (inside) {
            found.append(o);
        }
    }
    return found;
}

} // namespace

class TestLanguage : public QObject {
    Q_OBJECT
private slots:
    void everyKeyReachesItsControlsInEveryWindow();
    void missingKeyKeepsThePreviousCaption();
    void sameLanguageTwiceIsStable();
    void menuOffersTenLanguagesAndChecksTheStoredOne();
    void menuChoiceMovesTheCheckAndStoresTheName();
    void leadingAmpersandInACaption();
    void startUpFallsBackToEnglish();
    void chosenLanguageWhoseFileHasGone();
    void storedNameInAnotherCase();
    void characterSetFollowsTheExactName();
    void windowsNotYetCreatedAreSkipped();
};

void TestLanguage::everyKeyReachesItsControlsInEveryWindow()
{
    MainFixture f(kGames, "Sunday pools", "Hrvatski");
    f.folder.WriteFile("languages/Hrvatski.lng", langtest::Shipped("Hrvatski.lng"));
    f.Start();
    guitest::MessageRecorder boxes;
    f.Activate();
    QVERIFY(boxes.Messages.isEmpty());

    const QList<tLangEntry> entries = ReadLanguageFile(*f.st, QStringLiteral("Hrvatski"));
    QCOMPARE(entries.size(), 45);
    int checked = 0;
    for (const tLangEntry& e : entries) {
        const tLangKey* row = FindLanguageKey(EntryKey(e));
        QVERIFY(row != nullptr);
        const QString expected = row->Ellipsis ? e.Text + QStringLiteral(" ...") : e.Text;
        for (const tLangTarget& t : row->Targets) {
            QWidget* window = FormWindow(*f.main, t.Form);
            QVERIFY(window != nullptr);
            if (QLatin1String(t.Control).isEmpty()) {
                QCOMPARE(window->windowTitle(), expected);
                ++checked;
                continue;
            }
            const QList<QObject*> objects = Named(window, QLatin1String(t.Control));
            if (objects.isEmpty()) {
                QFAIL(qPrintable(QStringLiteral("%1 has no %2")
                                     .arg(window->objectName(), QLatin1String(t.Control))));
            }
            for (QObject* o : objects) {
                QCOMPARE(Caption(o), expected);
                ++checked;
            }
        }
    }
    // Every target of the key table; the four main menus are found twice (the
    // menu and the entry that opens it carry the same name).
    QCOMPARE(checked, 49 + 4);

    // The letters of the Central European code page, in a few places.
    QCOMPARE(Find<QLabel>(f.main.get(), "lblTeams")->text(), QString::fromUtf8("Momčadi"));
    QCOMPARE(Find<QMenu>(f.main.get(), "mnuFile")->title(), QStringLiteral("&Datoteka"));
    QCOMPARE(Find<QGroupBox>(f.main.get(), "grpGuarantee")->title(), QStringLiteral(" Jamstvo "));
    QCOMPARE(FormWindow(*f.main, FormId::Help)->windowTitle(), QString::fromUtf8("Pomoć"));
    // The captions composed from the shared words.
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad1")->text(), QStringLiteral("12 od 13"));
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad3")->text(), QStringLiteral("10 od 13"));
    QCOMPARE(Find<QLabel>(f.main.get(), "lblCombinations")->text(), QStringLiteral("kombinacija"));
    QWidget* newGame = FormWindow(*f.main, FormId::NewGame);
    QCOMPARE(Find<QPushButton>(newGame, "btnOK")->text(), QStringLiteral("U redu"));
    QCOMPARE(Find<QPushButton>(newGame, "btnCancel")->text(), QStringLiteral("Odustani"));
    QCOMPARE(Find<QPushButton>(FormWindow(*f.main, FormId::Open), "btncancel")->text(),
        QStringLiteral("Odustani"));
    QCOMPARE(Find<QLabel>(f.main.get(), "lblStatus")->text(),
        QStringLiteral("Odabrano: 0 Fiksevi, 0 Dvojke, 0 Trojke.  Puni sustav: 0 kombinacija."));
    // The About box keeps its own texts.
    QCOMPARE(FormWindow(*f.main, FormId::About)->windowTitle(), QStringLiteral("Ravolin"));
    QCOMPARE(Find<QPushButton>(FormWindow(*f.main, FormId::About), "SCButton1")->text(),
        QStringLiteral("OK"));
    // Captions no key reaches keep their layout texts.
    QCOMPARE(f.main->windowTitle(), QStringLiteral("Ravolin - Sunday pools"));
    QCOMPARE(Find<QGroupBox>(f.main.get(), "grpX")->title(), QStringLiteral("X"));
}

void TestLanguage::missingKeyKeepsThePreviousCaption()
{
    MainFixture f(kGames, "Sunday pools", "English");
    f.folder.WriteFile("languages/Deutsch.lng",
        LanguageFile({ { "Teams", QString::fromUtf8("Mannschaften") },
            { "Open", QString::fromUtf8("Öffnen") } }));
    f.folder.WriteFile(
        "languages/Svenska.lng", LanguageFile({ { "Open", QString::fromUtf8("Öppna") } }));
    f.Start();
    guitest::MessageRecorder boxes;
    f.main->ApplyLanguage("Deutsch");
    f.main->ApplyLanguage("Svenska");
    QVERIFY(boxes.Messages.isEmpty());
    QCOMPARE(Find<QLabel>(f.main.get(), "lblTeams")->text(), QStringLiteral("Mannschaften"));
    QCOMPARE(Find<QPushButton>(FormWindow(*f.main, FormId::Open), "btnOpen")->text(),
        QString::fromUtf8("Öppna"));
    QCOMPARE(f.st->LanguageName, QStringLiteral("Svenska"));
}

void TestLanguage::sameLanguageTwiceIsStable()
{
    MainFixture f(kGames, "Short", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    auto snapshot = [&] {
        QStringList all;
        for (QObject* o : f.main->findChildren<QObject*>()) {
            if (!o->objectName().isEmpty()) {
                all << o->objectName() + QLatin1Char('=') + Caption(o);
            }
        }
        return all;
    };
    f.main->ApplyLanguage("English");
    const QStringList first = snapshot();
    const QByteArray settings = f.folder.ReadFile("ravolin.ini");
    f.main->ApplyLanguage("English");
    QCOMPARE(snapshot(), first);
    QCOMPARE(f.folder.ReadFile("ravolin.ini"), settings);
    QCOMPARE(settings,
        guitest::CrLf(
            { "[DO NOT CHANGE THIS FILE]", "[LAST OPENED]", "Short", "[LANGUAGE]", "English" }));
    // Ten pairs: the guarantee captions count from 9.
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad1")->text(), QStringLiteral("9 of 10"));
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad2")->text(), QStringLiteral("8 of 10"));
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad3")->text(), QStringLiteral("7 of 10"));
    QVERIFY(boxes.Messages.isEmpty());
}

void TestLanguage::menuOffersTenLanguagesAndChecksTheStoredOne()
{
    MainFixture f(kGames, "Short", "Dansk");
    const QStringList ten = { "Bosanski", "Dansk", "Deutsch", "English", "Español", "Hrvatski",
        "Italiano", "Norsk", "Polski", "Svenska" };
    for (const QString& n : ten) {
        f.folder.WriteFile("languages/" + n + ".lng", LanguageFile({ { "Teams", n } }));
    }
    f.Start();
    for (int k = 1; k <= 10; ++k) {
        QVERIFY(f.LanguageEntry(k)->isVisible());
        QCOMPARE(f.LanguageEntry(k)->text(), ten[k - 1]);
        QCOMPARE(f.LanguageEntry(k)->isChecked(), ten[k - 1] == QStringLiteral("Dansk"));
    }

    // An eleventh file is not offered.
    f.folder.WriteFile("languages/Suomi.lng", LanguageFile({ { "Teams", "Suomi" } }));
    f.Start();
    QStringList shown;
    for (int k = 1; k <= 10; ++k) {
        QVERIFY(f.LanguageEntry(k)->isVisible());
        shown << f.LanguageEntry(k)->text();
    }
    QCOMPARE(shown, ten.mid(0, 9) + QStringList{ "Suomi" });
    QVERIFY(!shown.contains(QStringLiteral("Svenska")));
    QCOMPARE(f.main->findChildren<QAction*>(QStringLiteral("mnuLang11")).size(), 0);
}

void TestLanguage::menuChoiceMovesTheCheckAndStoresTheName()
{
    MainFixture f(kGames, "Short", "English");
    f.folder.WriteFile(
        "languages/Italiano.lng", LanguageFile({ { "Teams", "Squadre" }, { "of", "su" } }));
    f.Start();
    guitest::MessageRecorder boxes;
    QCOMPARE(f.LanguageEntry(1)->text(), QStringLiteral("English"));
    QCOMPARE(f.LanguageEntry(2)->text(), QStringLiteral("Italiano"));
    QVERIFY(f.LanguageEntry(1)->isChecked());
    QVERIFY(!f.LanguageEntry(3)->isVisible());

    f.LanguageEntry(2)->trigger();
    QVERIFY(!f.LanguageEntry(1)->isChecked());
    QVERIFY(f.LanguageEntry(2)->isChecked());
    QCOMPARE(f.st->LanguageName, QStringLiteral("Italiano"));
    QCOMPARE(Find<QLabel>(f.main.get(), "lblTeams")->text(), QStringLiteral("Squadre"));
    QCOMPARE(Find<QRadioButton>(f.main.get(), "rad1")->text(), QStringLiteral("9 su 10"));
    QVERIFY(f.folder.ReadFile("ravolin.ini").endsWith("[LANGUAGE]\r\nItaliano\r\n"));

    // Choosing the checked entry again keeps it checked.
    f.LanguageEntry(2)->trigger();
    QVERIFY(f.LanguageEntry(2)->isChecked());
    QVERIFY(boxes.Messages.isEmpty());
}

void TestLanguage::leadingAmpersandInACaption()
{
    MainFixture f(kGames, "Short", "Italiano");
    f.folder.WriteFile("languages/Italiano.lng", LanguageFile({ { "Teams", "Squadre" } }));
    f.Start();
    guitest::MessageRecorder boxes;
    QCOMPARE(f.LanguageEntry(1)->text(), QStringLiteral("English"));
    f.LanguageEntry(1)->setText(QStringLiteral("&English"));
    f.LanguageEntry(1)->trigger();
    QVERIFY(boxes.Messages.isEmpty());
    QCOMPARE(f.st->LanguageName, QStringLiteral("English"));
    QCOMPARE(Find<QLabel>(f.main.get(), "lblTeams")->text(), QStringLiteral("Teams"));
    QVERIFY(f.folder.ReadFile("ravolin.ini").endsWith("[LANGUAGE]\r\nEnglish\r\n"));
    QVERIFY(f.LanguageEntry(1)->isChecked());
    QVERIFY(!f.LanguageEntry(2)->isChecked());
}

void TestLanguage::startUpFallsBackToEnglish()
{
    MainFixture f(kGames, "Short", "Klingon");
    f.Start();
    guitest::MessageRecorder boxes;
    QCOMPARE(f.st->LanguageName, QStringLiteral("English"));
    QVERIFY(f.LanguageEntry(1)->isChecked());
    f.Activate();
    QVERIFY(boxes.Messages.isEmpty());
    QCOMPARE(Find<QLabel>(f.main.get(), "lblCombinations")->text(), QStringLiteral("combinations"));
    QVERIFY(f.folder.ReadFile("ravolin.ini").endsWith("[LANGUAGE]\r\nEnglish\r\n"));

    // Without English.lng there is nothing to fall back to: the stored name
    // stays and its application reports the missing file.
    QVERIFY(QFile::remove(f.folder.Path() + "languages/English.lng"));
    f.folder.WriteSettings("Short", "Klingon");
    f.Start();
    QCOMPARE(f.st->LanguageName, QStringLiteral("Klingon"));
    f.Activate();
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("File not found"));
}

void TestLanguage::chosenLanguageWhoseFileHasGone()
{
    MainFixture f(kGames, "Short", "English");
    f.folder.WriteFile("languages/Norsk.lng", LanguageFile({ { "Teams", "Lag" } }));
    f.Start();
    guitest::MessageRecorder boxes;
    f.Activate();
    const QByteArray settings = f.folder.ReadFile("ravolin.ini");
    QVERIFY(QFile::remove(f.folder.Path() + "languages/Norsk.lng"));

    f.LanguageEntry(2)->trigger();
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Icon, QMessageBox::Critical);
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("File not found"));
    QCOMPARE(f.st->LanguageName, QStringLiteral("Norsk"));
    QVERIFY(f.LanguageEntry(2)->isChecked());
    QVERIFY(!f.LanguageEntry(1)->isChecked());
    QCOMPARE(Find<QLabel>(f.main.get(), "lblTeams")->text(), QStringLiteral("Teams"));
    QCOMPARE(f.folder.ReadFile("ravolin.ini"), settings);

    // The box closing over the main window does not apply the language again...
    f.Activate();
    QCOMPARE(boxes.Messages.size(), 1);
    // ...but the next return from another window does, and meets the same error.
    f.Deactivate();
    f.Activate();
    QCOMPARE(boxes.Messages.size(), 2);
    QCOMPARE(f.folder.ReadFile("ravolin.ini"), settings);
}

void TestLanguage::storedNameInAnotherCase()
{
    MainFixture f(kGames, "Short", "english");
    f.Start();
    guitest::MessageRecorder boxes;
    f.Activate();
    QVERIFY(boxes.Messages.isEmpty());
    QCOMPARE(Find<QLabel>(f.main.get(), "lblCombinations")->text(), QStringLiteral("combinations"));
    for (int k = 1; k <= 10; ++k) {
        QVERIFY(!f.LanguageEntry(k)->isChecked());
    }
    QVERIFY(f.folder.ReadFile("ravolin.ini").endsWith("[LANGUAGE]\r\nenglish\r\n"));
}

void TestLanguage::characterSetFollowsTheExactName()
{
    MainFixture f(kGames, "Short", "English");
    f.folder.WriteFile("languages/Bosanski.lng", "*Full Wheel\r\n\xC8\x8A\r\n");
    f.Start();
    guitest::MessageRecorder boxes;
    auto* full = Find<QPushButton>(f.main.get(), "btnFullWheel");
    f.main->ApplyLanguage("Bosanski");
    QCOMPARE(full->text(), QString::fromUtf8("ČŠ"));
    QCOMPARE(f.st->Words.LangFullWheel, QString::fromUtf8("ČŠ"));
    // Another case of the name finds the same file but reads it as Western.
    f.main->ApplyLanguage("bosanski");
    QCOMPARE(full->text(), QString::fromUtf8("ÈŠ"));
    QVERIFY(boxes.Messages.isEmpty());
    QVERIFY(Find<QLabel>(f.main.get(), "lblStatus")->text().contains(QString::fromUtf8("ÈŠ: 0")));
}

void TestLanguage::windowsNotYetCreatedAreSkipped()
{
    MainFixture f(kGames, "Short", "English");
    f.folder.WriteFile("languages/Hrvatski.lng", langtest::Shipped("Hrvatski.lng"));
    f.Start(false);
    guitest::MessageRecorder boxes;
    QVERIFY(FormWindow(*f.main, FormId::NewGame) == nullptr);
    QCOMPARE(FormWindow(*f.main, FormId::Main), f.main.get());
    f.main->ApplyLanguage("Hrvatski");
    QVERIFY(boxes.Messages.isEmpty());
    QCOMPARE(
        Find<QPushButton>(f.main.get(), "btnSelectAll")->text(), QString::fromUtf8("Označi sve"));
    QCOMPARE(Find<QAction>(f.main.get(), "mnuSelectAll")->text(), QString::fromUtf8("Označi sve"));
    QCOMPARE(Find<QLabel>(f.main.get(), "lblMax2")->text(), QString::fromUtf8("Najviše"));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
