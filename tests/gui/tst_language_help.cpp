// The help window (not modal, the page of the current language reloaded at
// every activation), the About box, and every outside link's exact address.
#include "guitest_language.h"

#include "language/uniAbout.h"
#include "language/uniHelp.h"
#include "language/uniLinks.h"
#include "mainwindow/uniMessages.h"

#include <QDesktopServices>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

using namespace rav;
using guitest::Find;
using langtest::MainFixture;

// Receives what the program hands to the desktop.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder()
    {
        for (const char* scheme : { "https", "http", "mailto" }) {
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "Open");
        }
    }
    ~UrlRecorder() override
    {
        for (const char* scheme : { "https", "http", "mailto" }) {
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
        }
    }
    QStringList Urls;
public slots:
    void Open(const QUrl& url) { Urls << url.toString(); }
};

namespace {

const std::vector<std::tuple<QString, QString, int>> kGames = { { "a", "Alpha", 13 } };

QString PageText(TfrmHelp* help)
{
    return Find<QTextBrowser>(help, "WebBrowser1")->toPlainText();
}

void ActivateHelp(TfrmHelp* help)
{
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(help, &activate);
}

} // namespace

class TestLanguageHelp : public QObject {
    Q_OBJECT
private slots:
    void contentsShowsTheHelpWindowBesideTheMainWindow();
    void pageFollowsTheLanguageAtActivation();
    void pageIsReloadedAtEveryActivation();
    void helpPathForAnEmptyLanguageName();
    void aboutBoxLayout();
    void aboutOkReturnsToTheMainWindow();
    void aboutLinks();
    void helpMenuLinksAndSponsorBanner();
};

void TestLanguageHelp::contentsShowsTheHelpWindowBesideTheMainWindow()
{
    MainFixture f(kGames, "Alpha", "English");
    f.folder.WriteFile("languages/English-help.htm", langtest::Shipped("English-help.htm"));
    f.Start();
    guitest::MessageRecorder boxes;
    f.main->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.main.get()));
    TfrmHelp* help = f.Forms().frmHelp;
    QVERIFY(!help->isVisible());
    QCOMPARE(help->windowTitle(), QStringLiteral("Help"));
    QVERIFY(help->isWindow());

    Find<QAction>(f.main.get(), "mnuContents")->trigger();
    QVERIFY(help->isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(help->windowModality(), Qt::NonModal);
    QVERIFY(f.main->isEnabled());
    QTRY_VERIFY(PageText(help).contains(QStringLiteral("Marking the coupon")));
    QCOMPARE(Find<QTextBrowser>(help, "WebBrowser1")->source(),
        QUrl::fromLocalFile(f.folder.Path() + "languages/English-help.htm"));
    QVERIFY(help->width() >= 700 && help->height() >= 450);

    // Contents again: the same window to the front, not a second one.
    Find<QAction>(f.main.get(), "mnuContents")->trigger();
    QVERIFY(help->isVisible());
    QCOMPARE(f.main->findChildren<TfrmHelp*>().size(), 1);
    // Closing only hides it.
    help->close();
    QVERIFY(!help->isVisible());
    QCOMPARE(f.Forms().frmHelp, help);
    QVERIFY(boxes.Messages.isEmpty());
    f.main->hide();
}

void TestLanguageHelp::pageFollowsTheLanguageAtActivation()
{
    MainFixture f(kGames, "Alpha", "English");
    f.folder.WriteFile("languages/English-help.htm", langtest::Shipped("English-help.htm"));
    f.folder.WriteFile("languages/Hrvatski.lng", langtest::Shipped("Hrvatski.lng"));
    f.folder.WriteFile("languages/Hrvatski-help.htm", langtest::Shipped("Hrvatski-help.htm"));
    f.Start();
    guitest::MessageRecorder boxes;
    TfrmHelp* help = f.Forms().frmHelp;
    ActivateHelp(help);
    QVERIFY(PageText(help).contains(QStringLiteral("Marking the coupon")));

    // Another language chosen meanwhile: the page stays until the help window
    // becomes active again; then it shows the new language's page, read in
    // the character set it declares.
    f.main->ApplyLanguage("Hrvatski");
    QVERIFY(PageText(help).contains(QStringLiteral("Marking the coupon")));
    QCOMPARE(help->windowTitle(), QString::fromUtf8("Pomoć"));
    ActivateHelp(help);
    QVERIFY(PageText(help).contains(QString::fromUtf8("Označavanje listića")));
    QVERIFY(PageText(help).contains(QString::fromUtf8("Između")));
    QVERIFY(boxes.Messages.isEmpty());
}

void TestLanguageHelp::pageIsReloadedAtEveryActivation()
{
    MainFixture f(kGames, "Alpha", "English");
    f.folder.WriteFile("languages/English-help.htm", "<html><body><p>First</p></body></html>");
    f.Start();
    TfrmHelp* help = f.Forms().frmHelp;
    ActivateHelp(help);
    QCOMPARE(PageText(help), QStringLiteral("First"));
    f.folder.WriteFile("languages/English-help.htm", "<html><body><p>Second</p></body></html>");
    QCOMPARE(PageText(help), QStringLiteral("First"));
    ActivateHelp(help);
    QCOMPARE(PageText(help), QStringLiteral("Second"));
}

void TestLanguageHelp::helpPathForAnEmptyLanguageName()
{
    MainFixture f(kGames, "Alpha", "English");
    f.folder.WriteFile("languages/-help.htm", "<html><body><p>Nameless</p></body></html>");
    f.folder.WriteFile("languages/English-help.htm", "<html><body><p>English</p></body></html>");
    f.Start();
    guitest::MessageRecorder boxes;
    TfrmHelp* help = f.Forms().frmHelp;
    ActivateHelp(help);
    QCOMPARE(PageText(help), QStringLiteral("English"));
    f.st->LanguageName.clear();
    ActivateHelp(help);
    QCOMPARE(PageText(help), QStringLiteral("Nameless"));
    // No page for the language: an empty viewer and no message.
    f.st->LanguageName = QStringLiteral("Klingon");
    ActivateHelp(help);
    QVERIFY(PageText(help).isEmpty());
    QVERIFY(boxes.Messages.isEmpty());
}

void TestLanguageHelp::aboutBoxLayout()
{
    MainFixture f(kGames, "Alpha", "English");
    f.Start();
    TfrmAbout* about = f.Forms().frmAbout;
    QCOMPARE(about->parentWidget(), f.main.get());
    QCOMPARE(about->windowTitle(), QStringLiteral("Ravolin"));
    QCOMPARE(about->size(), QSize(398, 283));
    QVERIFY(!(about->windowFlags() & Qt::WindowCloseButtonHint));
    QVERIFY(!(about->windowFlags() & Qt::WindowSystemMenuHint));
    QCOMPARE(about->palette().color(QPalette::Window), QColor(236, 236, 221));

    auto* logo = Find<QLabel>(about, "imgLogo");
    QCOMPARE(logo->pixmap().size(), QSize(400, 96));
    QCOMPARE(logo->pos(), QPoint(0, 0));
    // A picture, not a blank: many colours, the marked "X" in light red.
    const QImage image = logo->pixmap().toImage();
    QSet<QRgb> colours;
    for (int x = 0; x < 400; x += 4) {
        for (int y = 0; y < 96; y += 4) {
            colours.insert(image.pixel(x, y));
        }
    }
    QVERIFY(colours.size() > 20);
    QCOMPARE(QColor(image.pixel(24 + 38 + 4, 30)), QColor(248, 113, 113));

    QVERIFY(Find<QLabel>(about, "lblVersion")->text().contains(ProgramVersion()));
    QCOMPARE(ProgramVersion(), QStringLiteral("1.0.0"));
    auto* web = Find<QLabel>(about, "lblWeb");
    auto* mail = Find<QLabel>(about, "lblEmail");
    QCOMPARE(web->text(), QStringLiteral("Web: https://ravolin.example.org/"));
    QCOMPARE(mail->text(), QStringLiteral("Email: ravolin@example.org"));
    QVERIFY(web->font().underline());
    QCOMPARE(web->palette().color(QPalette::WindowText), QColor(0, 0, 128));
    QCOMPARE(web->cursor().shape(), Qt::PointingHandCursor);
    auto* ok = Find<QPushButton>(about, "SCButton1");
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QCOMPARE(ok->size(), QSize(65, 33));
    QVERIFY(qAbs(ok->x() + ok->width() / 2 - 398 / 2) <= 1);
    QVERIFY(ok->y() > mail->geometry().bottom());
    QVERIFY(ok->geometry().bottom() < 283);
}

void TestLanguageHelp::aboutOkReturnsToTheMainWindow()
{
    MainFixture f(kGames, "Alpha", "English");
    f.Start();
    guitest::MessageRecorder boxes;
    f.main->show();
    QVERIFY(QTest::qWaitForWindowActive(f.main.get()));
    f.folder.WriteFile("ravolin.ini", "stale");

    QWidget* modal = nullptr;
    QTimer::singleShot(0, [&] {
        modal = QApplication::activeModalWidget();
        QTest::mouseClick(Find<QPushButton>(f.Forms().frmAbout, "SCButton1"), Qt::LeftButton);
    });
    Find<QAction>(f.main.get(), "mnuAbout")->trigger();
    QCOMPARE(modal, static_cast<QWidget*>(f.Forms().frmAbout));
    QVERIFY(!f.Forms().frmAbout->isVisible());
    // The desktop gives the focus back to the main window.
    f.main->activateWindow();
    // Back in the main window, the language is applied and the settings written.
    QTRY_COMPARE(f.folder.ReadFile("ravolin.ini"),
        guitest::CrLf(
            { "[DO NOT CHANGE THIS FILE]", "[LAST OPENED]", "Alpha", "[LANGUAGE]", "English" }));
    QVERIFY(boxes.Messages.isEmpty());
    f.main->hide();
}

void TestLanguageHelp::aboutLinks()
{
    MainFixture f(kGames, "Alpha", "English");
    f.Start();
    UrlRecorder urls;
    TfrmAbout* about = f.Forms().frmAbout;
    QTest::mouseClick(Find<QLabel>(about, "lblWeb"), Qt::LeftButton);
    QTest::mouseClick(Find<QLabel>(about, "lblEmail"), Qt::LeftButton);
    QCOMPARE(urls.Urls,
        QStringList({ "https://ravolin.example.org/?src=aboutbox", "mailto:ravolin@example.org" }));
    // Only the left button follows a link.
    QTest::mouseClick(Find<QLabel>(about, "lblWeb"), Qt::RightButton);
    QCOMPARE(urls.Urls.size(), 2);
}

void TestLanguageHelp::helpMenuLinksAndSponsorBanner()
{
    MainFixture f(kGames, "Alpha", "English");
    f.Start();
    UrlRecorder urls;

    // Contents, a separator, the three links, a separator, About.
    const QList<QAction*> items = Find<QMenu>(f.main.get(), "mnuHelp")->actions();
    QCOMPARE(items.size(), 7);
    QCOMPARE(items[0]->objectName(), QStringLiteral("mnuContents"));
    QVERIFY(items[1]->isSeparator());
    QCOMPARE(items[2]->objectName(), QStringLiteral("ZadizorezOVidazidiz1"));
    QCOMPARE(items[2]->text(), QStringLiteral("Zadizorez OV idazidiz"));
    QCOMPARE(items[3]->objectName(), QStringLiteral("DuriDARezed1"));
    QCOMPARE(items[3]->text(), QStringLiteral("Duri DA Rezed"));
    QCOMPARE(items[4]->objectName(), QStringLiteral("PlayChessOnline1"));
    QCOMPARE(items[4]->text(), QStringLiteral("Play Chess Online"));
    QVERIFY(items[5]->isSeparator());
    QCOMPARE(items[6]->objectName(), QStringLiteral("mnuAbout"));
    for (int i : { 2, 3, 4 }) {
        items[i]->trigger();
    }
    QCOMPARE(urls.Urls,
        QStringList({ "https://catalogue.example.org/", "https://sponsor.example.org/",
            "https://sponsor.example.org/chess.asp" }));

    // The banner: a strip along the bottom of the status panel; its empty part
    // and its text open the sponsor's page, once per click.
    auto* status = Find<QWidget>(f.main.get(), "pnlStatus");
    auto* banner = Find<QLabel>(f.main.get(), "pnlSponsor");
    auto* text = Find<QLabel>(f.main.get(), "Label1");
    QCOMPARE(banner->parentWidget(), status);
    QCOMPARE(banner->geometry().bottom(), status->height() - 1);
    QCOMPARE(banner->width(), status->width());
    QCOMPARE(banner->palette().color(QPalette::Window), QColor(64, 128, 128));
    QCOMPARE(text->parentWidget(), banner);
    QCOMPARE(text->text(), SponsorBannerText());
    QVERIFY(text->font().bold());
    QCOMPARE(text->palette().color(QPalette::WindowText), QColor(Qt::white));
    QVERIFY(qAbs(text->geometry().center().x() - banner->width() / 2) <= 1);
    QVERIFY(text->x() > 4);
    // The banner text does not cover the status line.
    QVERIFY(Find<QLabel>(f.main.get(), "lblStatus")->geometry().bottom() < banner->y());

    urls.Urls.clear();
    QTest::mouseClick(banner, Qt::LeftButton, {}, QPoint(2, banner->height() / 2));
    QCOMPARE(urls.Urls, QStringList({ "https://sponsor.example.org/" }));
    QTest::mouseClick(text, Qt::LeftButton);
    QCOMPARE(
        urls.Urls, QStringList({ "https://sponsor.example.org/", "https://sponsor.example.org/" }));
}

QTEST_MAIN(TestLanguageHelp)
#include "tst_language_help.moc"
