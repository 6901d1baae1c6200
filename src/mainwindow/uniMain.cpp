#include "uniMain.h"

#include "engine/uniCombinations.h"
#include "engine/uniProgress.h"
#include "engine/uniWheels.h"
#include "games/uniGameFiles.h"
#include "games/uniNewGame.h"
#include "games/uniOpen.h"
#include "language/uniAbout.h"
#include "language/uniHelp.h"
#include "language/uniLangWidgets.h"
#include "model/uniIO.h"
#include "tickets/uniLines.h"
#include "tickets/uniTickets.h"
#include "uniMessages.h"
#include "uniWidgets.h"

#include <QAction>
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

namespace rav {

namespace {

const QColor kPanelColor(216, 210, 194);
const QColor kBandColor(192, 192, 192);
const QColor kFrameColor(117, 117, 117);
const QColor kMarkedColor(248, 113, 113);
const QColor kNavy(0, 0, 128);

constexpr int kClientWidth = 750;
constexpr int kClientHeight = 522;
constexpr int kGridWidth = 377;
constexpr int kStatusHeight = 42;
constexpr int kPictureLeft[3] = {312, 332, 352};
const char* const kOutcomeText[3] = {"1", "X", "2"};
const char* const kOutcomeLetter[3] = {"D", "N", "G"};

QString TwoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The picture of an outcome: a black symbol on white (unmarked) or light red
// (marked), in a one-pixel grey frame.
QPixmap OutcomePicture(int outcome, bool marked)
{
    QPixmap pm(16, 22);
    pm.fill(marked ? kMarkedColor : Qt::white);
    QPainter p(&pm);
    p.setPen(kFrameColor);
    p.drawRect(0, 0, 15, 21);
    p.setPen(Qt::black);
    p.setFont(VerdanaFont(13, true));
    p.drawText(QRect(0, 0, 16, 22), Qt::AlignCenter, QLatin1String(kOutcomeText[outcome]));
    return pm;
}

void SetNavy(QWidget* w)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, kNavy);
    w->setPalette(pal);
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QString& text, QRect geometry)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setFont(VerdanaFont(13));
    b->setGeometry(geometry);
    return b;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, QPoint at)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(VerdanaFont(13));
    l->move(at);
    l->adjustSize();
    return l;
}

} // namespace

TfrmMain::TfrmMain(AppState& state, QWidget* parent) : QMainWindow(parent), st_(state)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Ravolin"));
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint
                   | Qt::MSWindowsFixedSizeDialogHint);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);
    BuildMenu();
    BuildGrid(client);
    BuildPanels(client);
    BuildStatus(client);
    setFixedSize(kClientWidth, kClientHeight + menuBar()->sizeHint().height());

    ShowPanel(0);
    StartUp();
    LayoutRows();
}

void TfrmMain::BuildMenu()
{
    QMenuBar* bar = menuBar();
    bar->setObjectName(QStringLiteral("MainMenu"));
    auto addMenu = [&](const char* name, const QString& caption) {
        QMenu* m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    auto addItem = [&](QMenu* m, const char* name, const QString& caption,
                       const QKeySequence& key = QKeySequence()) {
        QAction* a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty()) {
            a->setShortcut(key);
            a->setShortcutContext(Qt::WindowShortcut);
        }
        return a;
    };

    QMenu* file = addMenu("mnuFile", QStringLiteral("&File"));
    QAction* tickets
        = addItem(file, "mnuTickets", QStringLiteral("Tickets"), QKeySequence(Qt::Key_F2));
    connect(tickets, &QAction::triggered, this, [this] {
        if (forms_.frmTickets != nullptr) {
            forms_.frmTickets->exec();
        }
    });
    file->addSeparator();
    QAction* newGame = addItem(file, "mnuNewGame", QStringLiteral("New Game"),
                               QKeySequence(Qt::CTRL | Qt::Key_N));
    QAction* openGame = addItem(file, "mnuOpenGame", QStringLiteral("Open Game"),
                                QKeySequence(Qt::CTRL | Qt::Key_O));
    connect(newGame, &QAction::triggered, this, [this] {
        if (forms_.frmNewGame != nullptr) {
            forms_.frmNewGame->exec();
        }
    });
    connect(openGame, &QAction::triggered, this, [this] {
        if (forms_.frmOpen != nullptr) {
            forms_.frmOpen->exec();
        }
    });
    file->addSeparator();
    QAction* exit = addItem(file, "mnuExit", QStringLiteral("E&xit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    QMenu* selection = addMenu("mnuSelection", QStringLiteral("Selection"));
    QAction* selectAll = addItem(selection, "mnuSelectAll", QStringLiteral("Select All "),
                                 QKeySequence(Qt::CTRL | Qt::Key_A));
    QAction* clearAll = addItem(selection, "mnuClearAll", QStringLiteral("Clear All"),
                                QKeySequence(Qt::CTRL | Qt::Key_D));
    connect(selectAll, &QAction::triggered, this, &TfrmMain::SelectAll);
    connect(clearAll, &QAction::triggered, this, &TfrmMain::ClearAll);

    QMenu* language = addMenu("mnuLanguage", QStringLiteral("Language"));
    for (int k = 0; k < 10; ++k) {
        const QByteArray name = "mnuLang" + TwoDigits(k + 1).toLatin1();
        QAction* a = addItem(language, name.constData(),
                             k == 0 ? QStringLiteral("English") : QString());
        a->setCheckable(true);
        a->setVisible(k == 0);
        mnuLang_[k] = a;
        connect(a, &QAction::triggered, this, [this, k] { LanguageMenuClick(*this, k + 1); });
    }

    QMenu* help = addMenu("mnuHelp", QStringLiteral("&Help"));
    QAction* contents
        = addItem(help, "mnuContents", QStringLiteral("Contents"), QKeySequence(Qt::Key_F1));
    help->addSeparator();
    AddOutsideLinks(help);
    help->addSeparator();
    QAction* about = addItem(help, "mnuAbout", QStringLiteral("About"));
    connect(contents, &QAction::triggered, this, [this] {
        if (forms_.frmHelp != nullptr) {
            forms_.frmHelp->ShowHelp();
        }
    });
    connect(about, &QAction::triggered, this, [this] {
        if (forms_.frmAbout != nullptr) {
            forms_.frmAbout->exec();
        }
    });
}

void TfrmMain::BuildGrid(QWidget* parent)
{
    pnlNumbers_ = new QWidget(parent);
    pnlNumbers_->setObjectName(QStringLiteral("pnlNumbers"));
    pnlNumbers_->setGeometry(0, 0, kGridWidth, kClientHeight - kStatusHeight);
    SetBackground(pnlNumbers_, kPanelColor);

    QLabel* teams = MakeLabel(pnlNumbers_, "lblTeams", QStringLiteral("Teams"), QPoint(44, 8));
    teams->setFont(VerdanaFont(13, true));
    SetNavy(teams);
    teams->adjustSize();

    const QPixmap unmarked[3] = {OutcomePicture(0, false), OutcomePicture(1, false),
                                 OutcomePicture(2, false)};
    const QPixmap marked[3] = {OutcomePicture(0, true), OutcomePicture(1, true),
                               OutcomePicture(2, true)};

    for (int i = 0; i < MaxPairs; ++i) {
        const QString nn = TwoDigits(i + 1);
        auto* band = new QFrame(pnlNumbers_);
        band->setObjectName(QStringLiteral("shpB") + nn);
        band->setFrameShape(QFrame::Box);
        band->setStyleSheet(QStringLiteral("QFrame { background: rgb(192,192,192); border: 1px "
                                           "solid rgb(160,160,160); }"));
        band->resize(353, 24);
        shpBand_[i] = band;

        auto* number = new QLabel(QString::number(i + 1), pnlNumbers_);
        number->setObjectName(QStringLiteral("lblBroj") + nn);
        number->setFont(VerdanaFont(13, true));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        SetNavy(number);
        SetBackground(number, kBandColor);
        number->adjustSize();
        lblBroj_[i] = number;

        auto* dash = new QFrame(pnlNumbers_);
        dash->setObjectName(QStringLiteral("shpCrtica") + nn);
        dash->setStyleSheet(QStringLiteral("QFrame { background: black; }"));
        dash->resize(10, 2);
        shpDash_[i] = dash;

        for (int side = 0; side < 2; ++side) {
            auto* edit = new QLineEdit(pnlNumbers_);
            edit->setObjectName((side == 0 ? QStringLiteral("edtTL") : QStringLiteral("edtTR"))
                                + nn);
            edit->resize(120, 22);
            edit->setFont(VerdanaFont(12));
            edtTeams_[i][side] = edit;
        }

        for (int o = 0; o < 3; ++o) {
            auto* plain = new ClickLabel(pnlNumbers_);
            plain->setObjectName(QStringLiteral("img") + QLatin1String(kOutcomeLetter[o]) + nn);
            plain->setPixmap(unmarked[o]);
            plain->resize(16, 22);
            plain->setCursor(Qt::PointingHandCursor);
            imgUnmarked_[i][o] = plain;

            auto* red = new ClickLabel(pnlNumbers_);
            red->setObjectName(QStringLiteral("img") + QLatin1String(kOutcomeLetter[o])
                               + QStringLiteral("R") + nn);
            red->setPixmap(marked[o]);
            red->resize(16, 22);
            red->setCursor(Qt::PointingHandCursor);
            red->hide();
            imgMarked_[i][o] = red;

            const int pair = i + 1;
            connect(plain, &ClickLabel::clicked, this, [this, pair, o] {
                imgUnmarked_[pair - 1][o]->hide();
                imgMarked_[pair - 1][o]->show();
                Recount();
            });
            connect(red, &ClickLabel::clicked, this, [this, pair, o] {
                imgMarked_[pair - 1][o]->hide();
                imgUnmarked_[pair - 1][o]->show();
                Recount();
            });
        }
    }

    const int buttonsTop = kClientHeight - kStatusHeight - 40;
    QPushButton* clearTeams = MakeButton(pnlNumbers_, "btnClearTeams", QStringLiteral("Clear Teams"),
                                         QRect(16, buttonsTop, 113, 28));
    QPushButton* clearAll = MakeButton(pnlNumbers_, "btnClearAll", QStringLiteral("Clear All"),
                                       QRect(136, buttonsTop, 113, 28));
    QPushButton* selectAll = MakeButton(pnlNumbers_, "btnSelectAll", QStringLiteral("Select All"),
                                        QRect(256, buttonsTop, 113, 28));
    connect(clearTeams, &QPushButton::clicked, this, &TfrmMain::ClearTeams);
    connect(clearAll, &QPushButton::clicked, this, &TfrmMain::ClearAll);
    connect(selectAll, &QPushButton::clicked, this, &TfrmMain::SelectAll);
}

void TfrmMain::BuildPanels(QWidget* parent)
{
    panels_ = new QStackedWidget(parent);
    panels_->setObjectName(QStringLiteral("panels"));
    panels_->setGeometry(kGridWidth, 0, kClientWidth - kGridWidth, kClientHeight - kStatusHeight);

    auto makePanel = [&](const char* name) {
        auto* w = new QWidget;
        w->setObjectName(QLatin1String(name));
        SetBackground(w, kPanelColor);
        panels_->addWidget(w);
        return w;
    };

    // Menu panel: the three kinds of wheel.
    QWidget* pnlMain = makePanel("pnlMain");
    btnFullWheel_ = MakeButton(pnlMain, "btnFullWheel", QStringLiteral("Full Wheel"),
                               QRect(86, 130, 201, 41));
    QPushButton* cond = MakeButton(pnlMain, "btnCondWheels", QStringLiteral("Conditioned Wheel"),
                                   QRect(86, 200, 201, 41));
    QPushButton* abb = MakeButton(pnlMain, "btnAbbWheel", QStringLiteral("Abbreviated Wheel"),
                                  QRect(86, 270, 201, 41));
    connect(cond, &QPushButton::clicked, this, [this] { ShowPanel(1); });
    connect(btnFullWheel_, &QPushButton::clicked, this, &TfrmMain::btnFullWheelClick);
    connect(abb, &QPushButton::clicked, this, [this] { ShowPanel(2); });

    // Conditions panel: the six bounds.
    QWidget* pnlConditions = makePanel("pnlConditions");
    struct Frame {
        const char* group;
        const char* title;
        const char* suffix;
        const char* labelDigit;
        const char* min;
        const char* max;
    };
    static constexpr Frame frames[3] = {
        {"grp1", "1", "1", "1", "0", "7"},
        {"grpX", "X", "X", "2", "0", "5"},
        {"grp2", "2", "2", "3", "0", "3"},
    };
    for (int k = 0; k < 3; ++k) {
        const Frame& f = frames[k];
        auto* grp = new QGroupBox(QLatin1String(f.title), pnlConditions);
        grp->setObjectName(QLatin1String(f.group));
        grp->setFont(VerdanaFont(13, true));
        grp->setGeometry(24, 24 + k * 112, 325, 96);
        for (int side = 0; side < 2; ++side) {
            const QString word = side == 0 ? QStringLiteral("Min") : QStringLiteral("Max");
            const int left = side == 0 ? 24 : 176;
            auto* label = new QLabel(side == 0 ? QStringLiteral("Minimum") : QStringLiteral("Maximum"),
                                     grp);
            label->setObjectName(QStringLiteral("lbl") + word + QLatin1String(f.labelDigit));
            label->setFont(VerdanaFont(13));
            label->move(left, 30);
            label->adjustSize();
            auto* edit = new QLineEdit(QLatin1String(side == 0 ? f.min : f.max), grp);
            edit->setObjectName(QStringLiteral("edt") + word + QLatin1String(f.suffix));
            edit->setMaxLength(2);
            edit->setFont(VerdanaFont(13));
            edit->setGeometry(left, 52, 41, 24);
            auto* ud = new TUpDown(grp);
            ud->setObjectName(QStringLiteral("ud") + word + QLatin1String(f.suffix));
            ud->setGeometry(left + 42, 52, 17, 24);
            edtBounds_[side * 3 + k] = edit;
            connect(ud, &TUpDown::upClicked, this, [this, edit] { StepBoundBox(edit, true); });
            connect(ud, &TUpDown::downClicked, this, [this, edit] { StepBoundBox(edit, false); });
        }
    }
    btnMakeConditioned_ = MakeButton(pnlConditions, "btnMakeConditioned",
                                     QStringLiteral("Make Wheel"), QRect(24, 384, 153, 33));
    QPushButton* menu01 = MakeButton(pnlConditions, "btnMenu01", QStringLiteral("< Menu"),
                                     QRect(196, 384, 153, 33));
    connect(btnMakeConditioned_, &QPushButton::clicked, this, &TfrmMain::btnMakeConditionedClick);
    connect(menu01, &QPushButton::clicked, this, [this] { ShowPanel(0); });

    // Abbreviated-wheel panel: the wheel list and the guarantee.
    QWidget* pnlAbb = makePanel("pnlAbb");
    MakeLabel(pnlAbb, "lblTriples", QStringLiteral("Triples"), QPoint(24, 14));
    MakeLabel(pnlAbb, "lblDoubles", QStringLiteral("Doubles"), QPoint(104, 14));
    MakeLabel(pnlAbb, "lblCombinations", QStringLiteral("Combinations"), QPoint(204, 14));
    lstWheels_ = new QListWidget(pnlAbb);
    lstWheels_->setObjectName(QStringLiteral("lstWheels"));
    lstWheels_->setFont(FixedFont(19));
    lstWheels_->setSortingEnabled(true);
    lstWheels_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstWheels_->setToolTip(QStringLiteral("Wheels list"));
    lstWheels_->setGeometry(24, 34, 325, 250);
    connect(lstWheels_, &QListWidget::itemClicked, this, [this] { Recount(); });

    auto* grp = new QGroupBox(QStringLiteral(" Guarantee "), pnlAbb);
    grp->setObjectName(QStringLiteral("grpGuarantee"));
    grp->setFont(VerdanaFont(13));
    grp->setGeometry(24, 296, 325, 64);
    auto* group = new QButtonGroup(this);
    for (int k = 0; k < 3; ++k) {
        auto* r = new QRadioButton(grp);
        r->setObjectName(QStringLiteral("rad%1").arg(k + 1));
        r->setFont(VerdanaFont(13));
        r->setGeometry(12 + k * 104, 28, 100, 24);
        group->addButton(r, k + 1);
        rad_[k] = r;
        // The list shows the wheels of the new guarantee; the recount highlights the fitting one.
        connect(r, &QRadioButton::clicked, this, [this] {
            RefreshWheelList();
            Recount();
        });
    }
    rad_[0]->setChecked(true);
    btnMakeAbbWheel_ = MakeButton(pnlAbb, "btnMakeAbbWheel", QStringLiteral("Make Wheel"),
                                  QRect(24, 384, 153, 33));
    QPushButton* menu02 = MakeButton(pnlAbb, "btnMenu02", QStringLiteral("< Menu"),
                                     QRect(196, 384, 153, 33));
    connect(btnMakeAbbWheel_, &QPushButton::clicked, this, &TfrmMain::btnMakeAbbWheelClick);
    connect(menu02, &QPushButton::clicked, this, [this] { ShowPanel(0); });
}

void TfrmMain::BuildStatus(QWidget* parent)
{
    auto* pnlStatus = new QWidget(parent);
    pnlStatus->setObjectName(QStringLiteral("pnlStatus"));
    pnlStatus->setGeometry(0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight);
    SetBackground(pnlStatus, kPanelColor);
    auto* frame = new QFrame(pnlStatus);
    frame->setFrameShape(QFrame::HLine);
    frame->setGeometry(0, 0, kClientWidth, 2);
    lblStatus_ = new QLabel(pnlStatus);
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    lblStatus_->setFont(VerdanaFont(13));
    SetNavy(lblStatus_);
    lblStatus_->setGeometry(12, 5, kClientWidth - 24, 20);
    BuildSponsorBanner(pnlStatus);
}

void TfrmMain::StartUp()
{
    // Each loader reports its own run-time errors; the start-up goes on.
    LoadGameTable(st_);
    ReadSettings(st_);
    // The wheel table from the wheels folder, and the list for the chosen guarantee.
    LoadWheelList(st_);
    RefreshWheelList();
    SetCaptionFromGame();
    WriteStatusLine();
    SetGuaranteeCaptions();
    CreateTicketFolders();
    // The Language menu from the languages folder, the stored language checked.
    FillLanguageMenu(*this, st_);
}

void TfrmMain::CreateTicketFolders()
{
    const QString tickets = st_.ProgramFolder + QStringLiteral("tickets");
    EnsureFolder(tickets);
    for (int n = MinPairs; n <= MaxPairs; ++n) {
        EnsureFolder(tickets + QLatin1Char('/') + QString::number(n));
    }
}

void TfrmMain::SetCaptionFromGame()
{
    setWindowTitle(QStringLiteral("Ravolin - ") + st_.CurrentGameRecord().Name);
}

void TfrmMain::LayoutRows()
{
    const int n = st_.CurrentPairs();
    const int pitch = RowPitch(n);
    for (int i = 0; i < MaxPairs; ++i) {
        const int p = i + 1;
        const int y = 30 + i * pitch;
        shpBand_[i]->move(16, y - 1);
        lblBroj_[i]->move(p < 10 ? 30 : 22, y + 3);
        lblBroj_[i]->raise();
        shpDash_[i]->move(165, y + 10);
        for (int o = 0; o < 3; ++o) {
            imgUnmarked_[i][o]->move(kPictureLeft[o], y);
            imgMarked_[i][o]->move(kPictureLeft[o], y);
            imgMarked_[i][o]->hide();
        }
        edtTeams_[i][0]->move(44, y);
        edtTeams_[i][1]->move(176, y);
        const bool visible = p <= n;
        shpBand_[i]->setVisible(visible);
        lblBroj_[i]->setVisible(visible);
        shpDash_[i]->setVisible(visible);
        for (int o = 0; o < 3; ++o) {
            imgUnmarked_[i][o]->setVisible(visible);
        }
        edtTeams_[i][0]->setVisible(visible);
        edtTeams_[i][1]->setVisible(visible);
    }
    update();
}

bool TfrmMain::IsMarked(int pair, int outcome) const
{
    return !imgMarked_[pair - 1][outcome]->isHidden();
}

void TfrmMain::ToggleOutcome(int pair, int outcome)
{
    const bool marked = IsMarked(pair, outcome);
    imgMarked_[pair - 1][outcome]->setVisible(!marked);
    imgUnmarked_[pair - 1][outcome]->setVisible(marked);
    Recount();
}

void TfrmMain::SelectAll()
{
    const int n = st_.CurrentPairs();
    for (int i = 0; i < n && i < MaxPairs; ++i) {
        for (int o = 0; o < 3; ++o) {
            imgUnmarked_[i][o]->hide();
            imgMarked_[i][o]->show();
        }
    }
    Recount();
}

void TfrmMain::ClearAll()
{
    const int n = st_.CurrentPairs();
    for (int i = 0; i < n && i < MaxPairs; ++i) {
        for (int o = 0; o < 3; ++o) {
            imgMarked_[i][o]->hide();
            imgUnmarked_[i][o]->show();
        }
    }
    Recount();
}

void TfrmMain::ClearTeams()
{
    for (auto& row : edtTeams_) {
        row[0]->clear();
        row[1]->clear();
    }
}

void TfrmMain::Recount()
{
    std::array<std::array<bool, 3>, MaxPairs> marked{};
    for (int i = 0; i < MaxPairs; ++i) {
        for (int o = 0; o < 3; ++o) {
            marked[i][o] = !imgMarked_[i][o]->isHidden();
        }
    }
    RebuildSelection(st_, marked);
    WriteStatusLine();
    HighlightWheel();
}

void TfrmMain::WriteStatusLine()
{
    lblStatus_->setText(StatusLineText(st_));
    const bool enabled = AllPairsMarked(st_);
    btnFullWheel_->setEnabled(enabled);
    btnMakeConditioned_->setEnabled(enabled);
    btnMakeAbbWheel_->setEnabled(enabled);
}

void TfrmMain::HighlightWheel()
{
    lstWheels_->clearSelection();
    lstWheels_->setCurrentRow(-1);
    const int index = FindWheel(st_, GuaranteeLevel());
    if (index == 0) {
        return;
    }
    const QString line = FormatWheelLine(st_.Wheels[index]);
    for (int row = 0; row < lstWheels_->count(); ++row) {
        if (lstWheels_->item(row)->text() == line) {
            lstWheels_->setCurrentRow(row);
        }
    }
}

void TfrmMain::RefreshWheelList()
{
    lstWheels_->clear();
    lstWheels_->addItems(WheelListLines(st_, GuaranteeLevel(), st_.CurrentPairs()));
}

int TfrmMain::GuaranteeLevel() const
{
    for (int k = 0; k < 3; ++k) {
        if (rad_[k]->isChecked()) {
            return k + 1;
        }
    }
    return 1;
}

void TfrmMain::SetGuaranteeCaptions()
{
    for (int k = 0; k < 3; ++k) {
        rad_[k]->setText(GuaranteeCaption(st_, k + 1));
    }
}

void TfrmMain::ShowPanel(int index)
{
    panels_->setCurrentIndex(index);
}

int TfrmMain::CurrentPanel() const
{
    return panels_->currentIndex();
}

bool TfrmMain::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        // A message box that closed over this window does not count as a return.
        if (!TakeMessageBoxClosedOver(this)) {
            FormActivate();
        }
    } else if (e->type() == QEvent::WindowDeactivate) {
        // Forget a box that closed earlier: the next activation is a real return.
        TakeMessageBoxClosedOver(this);
    }
    return QMainWindow::event(e);
}

void TfrmMain::FormActivate()
{
    ApplyLanguage(st_.LanguageName);
}

void TfrmMain::ApplyLanguage(const QString& name)
{
    // Every window that exists gets the language's captions; the settings file
    // is written last. A file that cannot be read is reported in the error box.
    ApplyLanguageToForms(*this, st_, name);
}

ConditionTexts TfrmMain::BoundTexts() const
{
    ConditionTexts bounds;
    for (std::size_t i = 0; i < bounds.size(); ++i) {
        bounds[i] = edtBounds_[i]->text();
    }
    return bounds;
}

void TfrmMain::StepBoundBox(QLineEdit* box, bool up)
{
    box->setText(StepBound(box->text(), st_.CurrentPairs(), up));
}

void TfrmMain::btnFullWheelClick()
{
    RunWheel(1);
}

void TfrmMain::btnMakeConditionedClick()
{
    if (!BoundsAreNumbers(BoundTexts())) {
        ShowMessage(this, QMessageBox::Critical, QStringLiteral("Ravolin"), QStringLiteral("Error"));
        return;
    }
    RunWheel(2);
}

void TfrmMain::btnMakeAbbWheelClick()
{
    if (FindWheel(st_, GuaranteeLevel()) == 0) {
        ShowMessage(this, QMessageBox::Question, QStringLiteral("Ravolin"),
                    QStringLiteral("Wheel does not exist!"));
        return;
    }
    RunWheel(3);
    repaint();
}

void TfrmMain::RunWheel(int mode)
{
    TfrmProgress* progress = forms_.frmProgress;
    TfrmLines* lines = forms_.frmLines;
    if (progress == nullptr || lines == nullptr) {
        return;
    }
    // The main window cannot be used while a wheel is made or viewed.
    setEnabled(false);
    // Disabling a widget disables the windows it owns too; the program's other
    // windows (progress, viewer, New Ticket) must stay usable meanwhile.
    for (QWidget* owned : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (owned->isWindow()) {
            owned->setEnabled(true);
        }
    }
    st_.WheelMode = mode;
    progress->SetConditions(BoundTexts());
    progress->SetGuaranteeLevel(GuaranteeLevel());
    progress->exec();
    const GenerationResult& result = progress->LastResult();
    if (progress->Generated() && result.Ok) {
        lines->SetDescription(result.Description);
        lines->ShowFirstPage();
        lines->exec();
    }
    setEnabled(true);
    if (progress->Generated() && !result.Ok) {
        // No viewer for a failed generation: it would show no wheel, or an old one.
        // The box comes after the window is enabled again, so it can be answered.
        ShowErrorBox(this, result.Error);
    }
}

} // namespace rav
