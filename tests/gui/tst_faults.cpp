// Faults met through the windows' own code paths: a full disk and a refused
// permission while saving a ticket, a game file and the settings file; files
// that go away between listing and use; and a program folder the user cannot
// write. Each case checks that the earlier file is whole, that the error box
// shows the run-time text, and that no success message follows.
#include "guitest.h"
#include "guitest_tickets.h"
#include "guitest_wheels.h"

#include "engine/uniWheels.h"
#include "games/uniGameFiles.h"
#include "games/uniNewGame.h"
#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "tickets/uniCheckW.h"
#include "tickets/uniLines.h"
#include "tickets/uniNewTicket.h"
#include "tickets/uniTickets.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace rav;
using guitest::Find;

namespace {

// While it lives, no file of this process may grow past `bytes`: a write
// beyond fails with EFBIG (the signal that would end the process is ignored),
// which the program reports as a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit small = old_;
        small.rlim_cur = bytes;
        ok_ = setrlimit(RLIMIT_FSIZE, &small) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldHandler_);
    }
    bool Ok() const { return ok_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = nullptr;
    bool ok_ = false;
};

// While it lives, the given folders refuse to be written: they lose their write
// permission, and a process running as root (which permissions do not stop)
// works as an ordinary user meanwhile. `root` is opened to that user for reading.
class WriteRefused {
public:
    WriteRefused(const QString& root, const QStringList& folders)
        : folders_(folders)
    {
        ::chmod(QFile::encodeName(root).constData(), 0755);
        for (const QString& f : folders_) {
            ::chmod(QFile::encodeName(f).constData(), 0555);
        }
        if (::geteuid() == 0) {
            asUser_ = ::seteuid(65534) == 0;
        }
    }
    ~WriteRefused()
    {
        if (asUser_) {
            (void)::seteuid(0);
        }
        for (const QString& f : folders_) {
            ::chmod(QFile::encodeName(f).constData(), 0755);
        }
    }
    // True when a write into the folders is really refused here.
    bool Refuses() const
    {
        QFile probe(folders_.first() + QStringLiteral("/probe"));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            return false;
        }
        return true;
    }

private:
    QStringList folders_;
    bool asUser_ = false;
};

// The names of the files in a folder (temporary files left behind show here).
QStringList FilesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

const QByteArray kOldTicket = "old ticket\r\n";

// Saves the state's wheel as ticket `name` through the save dialog.
void SaveThroughDialog(ticketgui::Fixture& fx, const QString& name)
{
    TfrmNewTicket* dlg = fx.forms().frmNewTicket;
    Find<QLineEdit>(dlg, "txtTicketName")->setText(name);
    dlg->setResult(QDialog::Rejected);
    dlg->btnSaveClick();
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void ticketSaveOnAFullDisk();
    void ticketSaveRefused();
    void gameFileSaveOnAFullDiskAndRefused();
    void settingsWriteFailureReportedOncePerRun();
    void ticketGoneOrUnreadableBeforePagingOrChecking();
    void wheelFileRemovedBeforeMakeWheel();
    void readOnlyProgramFolder();
};

void TestFaults::ticketSaveOnAFullDisk()
{
    ticketgui::Fixture fx;
    guitest::MessageRecorder boxes;
    fx.WriteTicket(QStringLiteral("week.txt"), kOldTicket);
    fx.LayFullWheel(6);
    fx.forms().frmLines->SetDescription(QStringLiteral("Full Wheel (729 combinations)"));
    const QString folder = fx.folder.Path() + QStringLiteral("tickets/10");
    {
        FileSizeLimit limit(4096);
        QVERIFY(limit.Ok());
        SaveThroughDialog(fx, QStringLiteral("week"));
        SaveThroughDialog(fx, QStringLiteral("new"));
    }
    QCOMPARE(boxes.Messages.size(), 2);
    for (const guitest::Message& m : boxes.Messages) {
        QCOMPARE(m.Icon, QMessageBox::Critical);
        QCOMPARE(m.Caption, QStringLiteral("Ravolin"));
        QCOMPARE(m.Text, QStringLiteral("Disk full"));
    }
    QCOMPARE(fx.forms().frmNewTicket->result(), int(QDialog::Rejected));
    // The earlier ticket is whole, and nothing half-written is left beside it.
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("tickets/10/week.txt")), kOldTicket);
    QCOMPARE(FilesIn(folder), QStringList{ "week.txt" });

    // With room again the same save goes through.
    SaveThroughDialog(fx, QStringLiteral("week"));
    QCOMPARE(boxes.Messages.size(), 3);
    QCOMPARE(boxes.Messages[2].Text, QStringLiteral("Ticket Saved"));
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("tickets/10/week.txt")).count('\n'), 731);
}

void TestFaults::ticketSaveRefused()
{
    ticketgui::Fixture fx;
    guitest::MessageRecorder boxes;
    fx.WriteTicket(QStringLiteral("week.txt"), kOldTicket);
    fx.LayFullWheel(3);
    const QString folder = fx.folder.Path() + QStringLiteral("tickets/10");
    {
        WriteRefused refused(fx.folder.Path(), { folder });
        if (!refused.Refuses()) {
            QSKIP("no way to refuse a write in this environment");
        }
        SaveThroughDialog(fx, QStringLiteral("week"));
        SaveThroughDialog(fx, QStringLiteral("other"));
    }
    QCOMPARE(boxes.Messages.size(), 2);
    for (const guitest::Message& m : boxes.Messages) {
        QCOMPARE(m.Icon, QMessageBox::Critical);
        QCOMPARE(m.Text, QStringLiteral("File access denied"));
    }
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("tickets/10/week.txt")), kOldTicket);
    QCOMPARE(FilesIn(folder), QStringList{ "week.txt" });
}

void TestFaults::gameFileSaveOnAFullDiskAndRefused()
{
    ticketgui::Fixture fx;
    guitest::MessageRecorder boxes;
    const QByteArray old = fx.folder.ReadFile(QStringLiteral("data/g1.def"));
    QVERIFY(!old.isEmpty());
    TfrmNewGame* dlg = fx.forms().frmNewGame;
    // "g1" is the stem of the open game's file: the new game would replace it.
    Find<QLineEdit>(dlg, "txtName")->setText(QStringLiteral("g1"));
    Find<QComboBox>(dlg, "cmbPairs")->setCurrentIndex(5);
    const QString data = fx.folder.Path() + QStringLiteral("data");
    {
        FileSizeLimit limit(8);
        QVERIFY(limit.Ok());
        dlg->setResult(QDialog::Rejected);
        dlg->btnOKClick();
    }
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Icon, QMessageBox::Critical);
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("Disk full"));
    QCOMPARE(dlg->result(), int(QDialog::Rejected));
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("data/g1.def")), old);
    QCOMPARE(FilesIn(data), QStringList{ "g1.def" });
    {
        WriteRefused refused(fx.folder.Path(), { data });
        if (!refused.Refuses()) {
            QSKIP("no way to refuse a write in this environment");
        }
        dlg->btnOKClick();
    }
    QCOMPARE(boxes.Messages.size(), 2);
    QCOMPARE(boxes.Messages[1].Text, QStringLiteral("File access denied"));
    QCOMPARE(dlg->result(), int(QDialog::Rejected));
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("data/g1.def")), old);
    QCOMPARE(FilesIn(data), QStringList{ "g1.def" });
    // The open game keeps its pairs.
    QCOMPARE(fx.st->CurrentPairs(), 10);
}

void TestFaults::settingsWriteFailureReportedOncePerRun()
{
    ticketgui::Fixture fx;
    guitest::MessageRecorder boxes;
    const QByteArray old = fx.folder.ReadFile(QLatin1String(kSettingsFileName));
    QVERIFY(old.contains("English"));
    {
        FileSizeLimit limit(16);
        QVERIFY(limit.Ok());
        // Every return to the main window writes the settings file.
        for (int i = 0; i < 3; ++i) {
            fx.main->FormActivate();
        }
    }
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Icon, QMessageBox::Critical);
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("Disk full"));
    QCOMPARE(fx.folder.ReadFile(QLatin1String(kSettingsFileName)), old);
    QVERIFY(fx.st->SettingsErrorShown);

    // A write that succeeds again ends the silence: a later failure is reported.
    fx.main->FormActivate();
    QCOMPARE(boxes.Messages.size(), 1);
    QVERIFY(!fx.st->SettingsErrorShown);
    {
        WriteRefused refused(fx.folder.Path(), { fx.folder.Path() });
        if (!refused.Refuses()) {
            QSKIP("no way to refuse a write in this environment");
        }
        fx.main->FormActivate();
        fx.main->FormActivate();
    }
    QCOMPARE(boxes.Messages.size(), 2);
    QCOMPARE(boxes.Messages[1].Text, QStringLiteral("File access denied"));
    QCOMPARE(fx.folder.ReadFile(QLatin1String(kSettingsFileName)), old);
    QCOMPARE(FilesIn(fx.folder.Path()), QStringList{ kSettingsFileName });
}

void TestFaults::ticketGoneOrUnreadableBeforePagingOrChecking()
{
    ticketgui::Fixture fx;
    guitest::MessageRecorder boxes;
    const QByteArray ticket = "Ravolin - ravolin.example.org\r\nFull Wheel (1 combinations)\r\n"
                              "1: 1-1-1-1-1-1-1-1-1-1\r\n";
    fx.WriteTicket(QStringLiteral("a.txt"), ticket);
    fx.WriteTicket(QStringLiteral("b.txt"), ticket);
    fx.WriteTicket(QStringLiteral("c.txt"), ticket);
    TfrmTickets* w = fx.forms().frmTickets;
    TfrmCheckW* check = fx.forms().frmCheckW;
    w->FormActivate();
    QCOMPARE(w->TicketNames(), QStringList({ "a", "b", "c" }));
    auto* list = Find<QListWidget>(w, "lstTickets");
    const QString folder = fx.folder.Path() + QStringLiteral("tickets/10/");

    // Deleted after the listing: paging and checking report it, nothing more.
    list->setCurrentRow(0);
    QVERIFY(QFile::remove(folder + QStringLiteral("a.txt")));
    w->btnStartClick();
    QVERIFY(w->Lines().isEmpty());
    {
        ticketgui::ModalWatch table(
            check, [check] { check->close(); }, 300);
        w->btnCheckWClick();
        QTest::qWait(20);
        QVERIFY(!table.Seen());
    }
    QCOMPARE(boxes.Messages.size(), 2);
    for (const guitest::Message& m : boxes.Messages) {
        QCOMPARE(m.Caption, QStringLiteral("Ravolin"));
        QCOMPARE(m.Text, QStringLiteral("File not found"));
    }

    // Made unreadable after the listing: the run-time text of that fault.
    list->setCurrentRow(1);
    boxes.Messages.clear();
    ::chmod(QFile::encodeName(folder + QStringLiteral("b.txt")).constData(), 0);
    {
        WriteRefused asUser(fx.folder.Path(), { folder });
        w->btnStartClick();
        ticketgui::ModalWatch table(
            check, [check] { check->close(); }, 300);
        w->btnCheckWClick();
        QTest::qWait(20);
        QVERIFY(!table.Seen());
    }
    ::chmod(QFile::encodeName(folder + QStringLiteral("b.txt")).constData(), 0644);
    QVERIFY(w->Lines().isEmpty());
    QCOMPARE(boxes.Messages.size(), 2);
    for (const guitest::Message& m : boxes.Messages) {
        QCOMPARE(m.Text, QStringLiteral("File access denied"));
    }
    // The other tickets are untouched and still open.
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("tickets/10/b.txt")), ticket);
    QCOMPARE(fx.folder.ReadFile(QStringLiteral("tickets/10/c.txt")), ticket);
    list->setCurrentRow(2);
    boxes.Messages.clear();
    w->btnStartClick();
    QCOMPARE(w->Lines().size(), 3);
    QVERIFY(boxes.Messages.isEmpty());
}

void TestFaults::wheelFileRemovedBeforeMakeWheel()
{
    guitest::ProgramFolder pf;
    pf.AddGame(QStringLiteral("a"), QStringLiteral("Ten"), 10);
    pf.WriteFile(QStringLiteral("wheels/01020910000003.txt"),
        guitest::CrLf({ EncodeWheelRow("2100"), EncodeWheelRow("1011"), EncodeWheelRow("0000") }));
    guitest::MessageRecorder boxes;
    auto st = std::make_unique<AppState>();
    st->ProgramFolder = pf.Path();
    TfrmMain main(*st);
    CreateForms(main, *st);
    main.show();
    QApplication::processEvents();
    guitest::SetEnglishWords(*st);
    QCOMPARE(st->WheelCount, 1);

    static const char* const marks[][2] = { { "D", "01" }, { "N", "01" }, { "G", "01" },
        { "D", "02" }, { "N", "02" }, { "N", "03" }, { "G", "03" } };
    for (const auto& m : marks) {
        QTest::mouseClick(
            Find<QLabel>(
                &main, QStringLiteral("img%1%2").arg(QLatin1String(m[0]), QLatin1String(m[1]))),
            Qt::LeftButton);
    }
    for (int p = 4; p <= 10; ++p) {
        QTest::mouseClick(
            Find<QLabel>(&main, QStringLiteral("imgD%1").arg(p, 2, 10, QLatin1Char('0'))),
            Qt::LeftButton);
    }
    QVERIFY(QFile::remove(pf.Path() + QStringLiteral("wheels/01020910000003.txt")));
    boxes.Messages.clear();

    wheelgui::ViewerWatch watch(main.FormTable().frmLines, [] {});
    main.ShowPanel(2);
    QTest::mouseClick(Find<QPushButton>(&main, "btnMakeAbbWheel"), Qt::LeftButton);
    QApplication::processEvents();
    QVERIFY(!watch.Seen());
    QCOMPARE(st->CombinationCount, 0);
    QVERIFY(main.isEnabled());
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Icon, QMessageBox::Critical);
    QCOMPARE(boxes.Messages[0].Text,
        QStringLiteral("Wheel file \"wheels/01020910000003.txt\": File not found"));
}

void TestFaults::readOnlyProgramFolder()
{
    guitest::ProgramFolder pf;
    pf.AddGame(QStringLiteral("a"), QStringLiteral("Ten"), 10);
    pf.WriteSettings(QStringLiteral("Ten"), QStringLiteral("English"));
    pf.WriteFile(QStringLiteral("tickets/10/old.txt"),
        "Ravolin - ravolin.example.org\r\nFull Wheel (1 combinations)\r\n"
        "1: 1-1-1-1-1-1-1-1-1-1\r\n");
    const QByteArray settings = pf.ReadFile(QLatin1String(kSettingsFileName));
    QStringList folders;
    for (const char* sub : { "", "data", "wheels", "languages", "tickets", "tickets/10" }) {
        folders << pf.Path() + QLatin1String(sub);
    }
    guitest::MessageRecorder boxes;
    auto st = std::make_unique<AppState>();
    st->ProgramFolder = pf.Path();
    WriteRefused refused(pf.Path(), folders);
    if (!refused.Refuses()) {
        QSKIP("no way to refuse a write in this environment");
    }
    // Start-up reads everything it needs; the missing ticket folders are not an error.
    TfrmMain main(*st);
    CreateForms(main, *st);
    QCOMPARE(st->GameCount, 1);
    QCOMPARE(st->LanguageName, QStringLiteral("English"));
    QVERIFY(boxes.Messages.isEmpty());

    // Returning to the main window again and again: one report of the settings file.
    for (int i = 0; i < 4; ++i) {
        main.FormActivate();
    }
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("File access denied"));
    QCOMPARE(pf.ReadFile(QLatin1String(kSettingsFileName)), settings);

    // Reading works: the tickets browser lists and pages the stored ticket.
    TfrmTickets* tickets = main.FormTable().frmTickets;
    tickets->FormActivate();
    QCOMPARE(tickets->TicketNames(), QStringList{ "old" });
    Find<QListWidget>(tickets, "lstTickets")->setCurrentRow(0);
    tickets->btnStartClick();
    QCOMPARE(tickets->Lines().size(), 3);

    // Saving a ticket reports its error, and no success.
    boxes.Messages.clear();
    guitest::SetEnglishWords(*st);
    QVERIFY(st->CombinationList.Resize(20));
    for (int p = 1; p <= 10; ++p) {
        st->CombinationList[1][p] = 1;
    }
    st->CombinationCount = 1;
    TfrmNewTicket* dlg = main.FormTable().frmNewTicket;
    Find<QLineEdit>(dlg, "txtTicketName")->setText(QStringLiteral("mine"));
    dlg->btnSaveClick();
    QCOMPARE(boxes.Messages.size(), 1);
    QCOMPARE(boxes.Messages[0].Text, QStringLiteral("File access denied"));
    QVERIFY(!pf.Exists(QStringLiteral("tickets/10/mine.txt")));
}

QTEST_MAIN(TestFaults)
#include "tst_faults.moc"
