#include "uniTickets.h"

#include "language/uniLanguage.h"
#include "mainwindow/uniMessages.h"
#include "mainwindow/uniWidgets.h"
#include "model/uniIO.h"
#include "tickets/uniCheckW.h"
#include "tickets/uniTicketFile.h"
#include "tickets/uniTicketWidgets.h"

#include <QComboBox>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStringListModel>

#include <algorithm>

namespace rav {

namespace {

// A ticket file this large (about a million lines) takes a noticeable time to
// read: the wait cursor shows meanwhile.
constexpr qint64 kBusyBytes = 40'000'000;

bool BigFile(const QString& path)
{
    return QFileInfo(path).size() > kBusyBytes;
}

QString TwoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Alphabetical, as the sorted list box keeps its names: without regard to case,
// ties by the exact bytes.
bool NameBefore(const QString& a, const QString& b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    if (c != 0) {
        return c < 0;
    }
    return QFile::encodeName(a) < QFile::encodeName(b);
}

} // namespace

TfrmTickets::TfrmTickets(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st_(state)
    , forms_(forms)
{
    setObjectName(QStringLiteral("frmTickets"));
    setWindowTitle(QStringLiteral("Tickets"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(634, 457);
    SetBackground(this, kTicketWindowColor);

    shpOkvir_ = new QFrame(this);
    shpOkvir_->setObjectName(QStringLiteral("shpOkvir"));
    shpOkvir_->setStyleSheet(QStringLiteral(
        "QFrame#shpOkvir { border: 1px solid rgb(0,0,128); background: transparent; }"));
    shpOkvir_->setGeometry(2, 16, 57, 401);

    for (int i = 0; i < MaxPairs; ++i) {
        auto* cmb = new QComboBox(this);
        cmb->setObjectName(QStringLiteral("cmb") + TwoDigits(i + 1));
        cmb->addItems({ QStringLiteral("1"), QStringLiteral("X"), QStringLiteral("2") });
        cmb->setCurrentIndex(0);
        cmb->setFont(VerdanaFont(11));
        cmb_[i] = cmb;
        auto* number = new QLabel(QString::number(i + 1), this);
        number->setObjectName(QStringLiteral("lblN") + TwoDigits(i + 1));
        number->setFont(VerdanaFont(11));
        number->adjustSize();
        lblN_[i] = number;
    }

    MakeNavyLabel(this, "Label1", QStringLiteral("Tickets"), 64, 16);
    lstTickets_ = new QListWidget(this);
    lstTickets_->setObjectName(QStringLiteral("lstTickets"));
    lstTickets_->setFont(VerdanaFont(13));
    lstTickets_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstTickets_->setGeometry(64, 32, 393, 81);

    MakeNavyLabel(this, "Label2", QStringLiteral("Combinations"), 64, 120);
    lines_ = new QStringListModel(this);
    lstLines_ = new QListView(this);
    lstLines_->setObjectName(QStringLiteral("lstLines"));
    lstLines_->setFont(FixedFont(16));
    lstLines_->setUniformItemSizes(true);
    lstLines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstLines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstLines_->setModel(lines_);
    lstLines_->setGeometry(64, 136, 393, 273);

    btnStart_ = MakeTicketButton(this, "btnStart", QStringLiteral("<<"), 112, 416, 33, 33, 16);
    btnBack_ = MakeTicketButton(this, "btnBack", QStringLiteral("<"), 168, 416, 33, 33, 16);
    btnForward_ = MakeTicketButton(this, "btnForward", QStringLiteral(">"), 312, 416, 33, 33, 16);
    btnForwardEnd_
        = MakeTicketButton(this, "btnForwardEnd", QStringLiteral(">>"), 368, 416, 33, 33, 16);
    btnPrint_ = MakeTicketButton(this, "btnPrint", QStringLiteral("Print"), 464, 32, 161, 33);
    btnDelete_ = MakeTicketButton(this, "btnDelete", QStringLiteral("Delete"), 464, 88, 161, 33);
    btnCheckW_
        = MakeTicketButton(this, "btnCheckW", QStringLiteral("Check Winnings"), 464, 144, 161, 33);
    btnClose_ = MakeTicketButton(this, "btnClose", QStringLiteral("Close"), 472, 416, 153, 33);
    QPushButton* copy
        = MakeTicketButton(this, "btnCopy", QStringLiteral("Copy"), 464, 200, 161, 33);
    copy->hide();

    txtZaPrint_ = new QPlainTextEdit(this);
    txtZaPrint_->setObjectName(QStringLiteral("txtZaPrint"));
    txtZaPrint_->setFont(FixedFont(16));
    txtZaPrint_->hide();

    connect(lstTickets_, &QListWidget::itemClicked, this, [this] { lstTicketsClick(); });
    connect(lstTickets_, &QListWidget::currentRowChanged, this, [this] {
        // A mouse pick is handled by its click; this one follows the keyboard.
        if ((QGuiApplication::mouseButtons() & Qt::LeftButton) == 0) {
            lstTicketsClick();
        }
    });
    connect(btnStart_, &QPushButton::clicked, this, &TfrmTickets::btnStartClick);
    connect(btnBack_, &QPushButton::clicked, this, &TfrmTickets::btnBackClick);
    connect(btnForward_, &QPushButton::clicked, this, &TfrmTickets::btnForwardClick);
    connect(btnForwardEnd_, &QPushButton::clicked, this, &TfrmTickets::btnForwardEndClick);
    connect(btnPrint_, &QPushButton::clicked, this, &TfrmTickets::btnPrintClick);
    connect(btnDelete_, &QPushButton::clicked, this, &TfrmTickets::btnDeleteClick);
    connect(btnCheckW_, &QPushButton::clicked, this, &TfrmTickets::btnCheckWClick);
    connect(btnClose_, &QPushButton::clicked, this, &TfrmTickets::btnCloseClick);

    LayoutResultRow();
}

bool TfrmTickets::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        // A message box or the printer dialog closing over the browser is no
        // return from another of the program's windows: refreshing then would
        // show the box again for an unreadable ticket, or lose the page printed.
        const bool boxClosed = TakeMessageBoxClosedOver(this);
        const bool printed = deactivatedByPrint_;
        deactivatedByPrint_ = false;
        if (!boxClosed && !printed) {
            FormActivate();
        }
    } else if (e->type() == QEvent::WindowDeactivate) {
        TakeMessageBoxClosedOver(this);
        if (printing_) {
            deactivatedByPrint_ = true;
        }
    }
    return QDialog::event(e);
}

void TfrmTickets::FormActivate()
{
    SetPaging(true, true, true, true);
    {
        const QSignalBlocker block(lstTickets_);
        lstTickets_->clear();
    }
    ClearPage();
    txtZaPrint_->clear();

    struct Entry {
        QString Name;
        QString FileName;
    };
    QList<Entry> entries;
    for (const QString& fileName : ListFolder(TicketFolder(st_), QStringLiteral(".txt"))) {
        entries.append({ fileName.left(fileName.size() - 4), fileName });
    }
    std::stable_sort(entries.begin(), entries.end(),
        [](const Entry& a, const Entry& b) { return NameBefore(a.Name, b.Name); });
    {
        const QSignalBlocker block(lstTickets_);
        for (const Entry& e : entries) {
            auto* item = new QListWidgetItem(e.Name, lstTickets_);
            // The file is opened by its own name, whatever the case of its extension.
            item->setData(Qt::UserRole, e.FileName);
        }
    }
    LayoutResultRow();

    if (lstTickets_->count() == 0) {
        // No ticket, no page: the paging buttons have nothing to act on.
        SetPaging(false, false, false, false);
        return;
    }
    {
        const QSignalBlocker block(lstTickets_);
        lstTickets_->setCurrentRow(0);
    }
    ShowTicket(0);
    lstTickets_->setFocus();
}

void TfrmTickets::LayoutResultRow()
{
    const int pairs = st_.CurrentPairs();
    for (int i = 1; i <= MaxPairs; ++i) {
        const int top = ResultSelectorTop(i, pairs);
        QComboBox* cmb = cmb_[i - 1];
        QLabel* label = lblN_[i - 1];
        cmb->setGeometry(24, top, 33, 22);
        label->move(ResultLabelLeft(i), top + 4);
        cmb->setVisible(i <= pairs);
        label->setVisible(i <= pairs);
    }
}

QString TfrmTickets::TicketPathAt(int index) const
{
    const QListWidgetItem* item = lstTickets_->item(index);
    if (item == nullptr) {
        return QString();
    }
    return TicketFolder(st_) + item->data(Qt::UserRole).toString();
}

QString TfrmTickets::SelectedTicketPath() const
{
    const QList<QListWidgetItem*> selected = lstTickets_->selectedItems();
    if (selected.isEmpty()) {
        return QString();
    }
    return TicketPathAt(lstTickets_->row(selected.first()));
}

QByteArray TfrmTickets::LineBytes(const QString& text) const
{
    return EncodeText(text, LanguageCodePage(st_.LanguageName));
}

void TfrmTickets::SetPage(const TicketPage& page)
{
    const CodePage cp = LanguageCodePage(st_.LanguageName);
    QStringList lines;
    lines.reserve(page.Lines.size());
    for (const QByteArray& line : page.Lines) {
        lines.append(DecodeBytes(line, cp));
    }
    lines_->setStringList(lines);
    lstLines_->scrollToTop();
}

void TfrmTickets::ClearPage()
{
    lines_->setStringList({});
}

void TfrmTickets::SetPaging(bool start, bool back, bool forward, bool forwardEnd)
{
    btnStart_->setEnabled(start);
    btnBack_->setEnabled(back);
    btnForward_->setEnabled(forward);
    btnForwardEnd_->setEnabled(forwardEnd);
}

void TfrmTickets::ShowTicket(int index)
{
    ClearPage();
    const QString path = TicketPathAt(index);
    if (path.isEmpty()) {
        return;
    }
    Guarded(this, [&] {
        const TicketPage page = ReadFirstPage(path);
        SetPage(page);
        // A first page that ends exactly at the end of the file has nothing after it.
        SetPaging(false, false, page.More, page.More);
    });
}

void TfrmTickets::lstTicketsClick()
{
    const QList<QListWidgetItem*> selected = lstTickets_->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    ShowTicket(lstTickets_->row(selected.first()));
}

void TfrmTickets::btnStartClick()
{
    lstTicketsClick();
}

void TfrmTickets::btnForwardClick()
{
    const QString path = SelectedTicketPath();
    const int rows = lines_->rowCount();
    if (path.isEmpty() || rows == 0) {
        return;
    }
    const QByteArray last = LineBytes(lines_->index(rows - 1).data().toString());
    ClearPage();
    Guarded(this, [&] {
        WaitCursor wait(BigFile(path));
        const TicketPage page = ReadNextPage(path, last);
        SetPage(page);
        SetPaging(true, true, page.More, page.More);
    });
}

void TfrmTickets::btnForwardEndClick()
{
    const QString path = SelectedTicketPath();
    if (path.isEmpty()) {
        return;
    }
    ClearPage();
    Guarded(this, [&] {
        WaitCursor wait(BigFile(path));
        const TicketPage page = ReadLastPage(path);
        SetPage(page);
        SetPaging(true, page.FirstLine > 1, false, false);
    });
}

void TfrmTickets::btnBackClick()
{
    const QString path = SelectedTicketPath();
    if (path.isEmpty() || lines_->rowCount() == 0) {
        return;
    }
    const QByteArray first = LineBytes(lines_->index(0).data().toString());
    ClearPage();
    Guarded(this, [&] {
        WaitCursor wait(BigFile(path));
        const TicketPage page = ReadPreviousPage(path, first);
        SetPage(page);
        SetPaging(true, page.FirstLine > 1, true, true);
    });
}

void TfrmTickets::btnDeleteClick()
{
    const QList<QListWidgetItem*> selected = lstTickets_->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    QListWidgetItem* item = selected.first();
    // Deleted without a question; a failure is not reported.
    QFile::remove(TicketFolder(st_) + item->data(Qt::UserRole).toString());
    {
        const QSignalBlocker block(lstTickets_);
        delete lstTickets_->takeItem(lstTickets_->row(item));
    }
    if (lstTickets_->count() > 0) {
        {
            const QSignalBlocker block(lstTickets_);
            lstTickets_->setCurrentRow(0);
        }
        ShowTicket(0);
    } else {
        ClearPage();
        SetPaging(false, false, false, false);
    }
}

void TfrmTickets::btnPrintClick()
{
    const QStringList lines = Lines();
    txtZaPrint_->clear();
    txtZaPrint_->setPlainText(lines.join(QLatin1Char('\n')));
    printing_ = true;
    Guarded(this, [&] {
        PrintLines(this, lines.size(),
            [&lines](std::int64_t i) { return lines.at(static_cast<qsizetype>(i)); });
    });
    printing_ = false;
}

void TfrmTickets::btnCheckWClick()
{
    const tResultRow results = ResultRow();
    const QString path = SelectedTicketPath();
    if (path.isEmpty()) {
        return;
    }
    const int pairs = st_.CurrentPairs();
    tHitTable table{};
    const bool checked = Guarded(this, [&] {
        WaitCursor wait(BigFile(path));
        table = CheckTicket(path, results, pairs);
    });
    if (!checked || forms_.frmCheckW == nullptr) {
        return;
    }
    forms_.frmCheckW->ShowTable(HitTableLines(table, pairs));
    forms_.frmCheckW->exec();
}

void TfrmTickets::btnCloseClick()
{
    close();
}

tResultRow TfrmTickets::ResultRow() const
{
    static constexpr char kOutcome[3] = { '1', 'X', '2' };
    tResultRow row{};
    for (int i = 1; i <= MaxPairs; ++i) {
        const int chosen = cmb_[i - 1]->currentIndex();
        row[static_cast<std::size_t>(i)] = chosen >= 0 && chosen < 3 ? kOutcome[chosen] : ' ';
    }
    return row;
}

QStringList TfrmTickets::Lines() const
{
    return lines_->stringList();
}

QStringList TfrmTickets::TicketNames() const
{
    QStringList names;
    for (int i = 0; i < lstTickets_->count(); ++i) {
        names.append(lstTickets_->item(i)->text());
    }
    return names;
}

} // namespace rav
