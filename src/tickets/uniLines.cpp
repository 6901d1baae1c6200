#include "tickets/uniLines.h"

#include "mainwindow/uniWidgets.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QStyledItemDelegate>
#include <QTextEdit>

namespace rav {

namespace {

const QColor kViewerColor(236, 236, 221);
const QColor kNavy(0, 0, 128);
constexpr int kItemHeight = 16;

// Every line of the list is one fixed-pitch row of 16 pixels.
class FixedRowDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize s = QStyledItemDelegate::sizeHint(option, index);
        s.setHeight(kItemHeight);
        return s;
    }
};

QPushButton* MakeButton(
    QWidget* parent, const char* name, const QString& text, QRect geometry, int fontPixels)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QLatin1String(name));
    b->setFont(VerdanaFont(fontPixels));
    b->setGeometry(geometry);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TfrmLines::TfrmLines(AppState& state, QWidget* parent)
    : QDialog(parent)
    , st_(state)
{
    setObjectName(QStringLiteral("frmLines"));
    setWindowTitle(QStringLiteral("Combinations"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(590, 425);
    SetBackground(this, kViewerColor);

    lblDesc_ = new QLabel(this);
    lblDesc_->setObjectName(QStringLiteral("lblDesc"));
    lblDesc_->setFont(VerdanaFont(16));
    QPalette pal = lblDesc_->palette();
    pal.setColor(QPalette::WindowText, kNavy);
    lblDesc_->setPalette(pal);
    lblDesc_->move(16, 8);

    lines_ = new QStringListModel(this);
    lstLines_ = new QListView(this);
    lstLines_->setObjectName(QStringLiteral("lstLines"));
    lstLines_->setFont(FixedFont(16));
    lstLines_->setUniformItemSizes(true);
    lstLines_->setItemDelegate(new FixedRowDelegate(lstLines_));
    lstLines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstLines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstLines_->setModel(lines_);
    lstLines_->setGeometry(16, 32, 393, 345);

    btnSaveNewTicket_
        = MakeButton(this, "btnSaveNewTicket", QStringLiteral("Save"), QRect(423, 32, 153, 33), 13);
    btnPrint_ = MakeButton(this, "btnPrint", QStringLiteral("Print"), QRect(423, 88, 153, 33), 13);
    btnClose_ = MakeButton(this, "btnClose", QStringLiteral("Close"), QRect(423, 384, 153, 33), 13);
    btnStart_ = MakeButton(this, "btnStart", QStringLiteral("<<"), QRect(64, 384, 33, 33), 16);
    btnBack_ = MakeButton(this, "btnBack", QStringLiteral("<"), QRect(120, 384, 33, 33), 16);
    btnForward_ = MakeButton(this, "btnForward", QStringLiteral(">"), QRect(272, 384, 33, 33), 16);
    btnForwardEnd_
        = MakeButton(this, "btnForwardEnd", QStringLiteral(">>"), QRect(328, 384, 33, 33), 16);
    QPushButton* add = MakeButton(
        this, "btnAddToTicket", QStringLiteral("Add To Ticket"), QRect(423, 168, 153, 33), 13);
    add->hide();

    txtZaPrint_ = new QTextEdit(this);
    txtZaPrint_->setObjectName(QStringLiteral("txtZaPrint"));
    txtZaPrint_->hide();

    connect(btnStart_, &QPushButton::clicked, this, &TfrmLines::btnStartClick);
    connect(btnBack_, &QPushButton::clicked, this, &TfrmLines::btnBackClick);
    connect(btnForward_, &QPushButton::clicked, this, &TfrmLines::btnForwardClick);
    connect(btnForwardEnd_, &QPushButton::clicked, this, &TfrmLines::btnForwardEndClick);
    connect(btnClose_, &QPushButton::clicked, this, &TfrmLines::btnCloseClick);

    ShowPage(FirstViewerPage(0));
}

void TfrmLines::SetDescription(const QString& text)
{
    lblDesc_->setText(text);
    lblDesc_->adjustSize();
}

QString TfrmLines::Description() const
{
    return lblDesc_->text();
}

QStringList TfrmLines::Lines() const
{
    return lines_->stringList();
}

void TfrmLines::ShowPage(const ViewerPage& page)
{
    lines_->setStringList(ViewerLines(st_, page.First, page.Last));
    btnStart_->setEnabled(page.StartEnabled);
    btnBack_->setEnabled(page.BackEnabled);
    btnForward_->setEnabled(page.ForwardEnabled);
    btnForwardEnd_->setEnabled(page.EndEnabled);
}

void TfrmLines::ShowFirstPage()
{
    ShowPage(FirstViewerPage(st_.CombinationCount));
    lstLines_->scrollToTop();
}

void TfrmLines::btnStartClick()
{
    ShowFirstPage();
}

void TfrmLines::btnForwardClick()
{
    const int rows = lines_->rowCount();
    std::int64_t last = 0;
    // A list without a numbered line is no page to step from.
    if (rows == 0 || !ViewerLineNumber(lines_->index(rows - 1).data().toString(), &last)) {
        return;
    }
    ShowPage(NextViewerPage(st_.CombinationCount, last));
    lstLines_->scrollToTop();
}

void TfrmLines::btnBackClick()
{
    std::int64_t first = 0;
    if (lines_->rowCount() == 0 || !ViewerLineNumber(lines_->index(0).data().toString(), &first)) {
        return;
    }
    ShowPage(PreviousViewerPage(st_.CombinationCount, first));
    lstLines_->scrollToTop();
}

void TfrmLines::btnForwardEndClick()
{
    ShowPage(LastViewerPage(st_.CombinationCount));
    lstLines_->scrollToTop();
}

void TfrmLines::btnCloseClick()
{
    close();
}

} // namespace rav
