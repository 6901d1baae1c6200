#include "uniCheckW.h"

#include "mainwindow/uniWidgets.h"
#include "tickets/uniTicketWidgets.h"

#include <QListWidget>
#include <QPushButton>

namespace rav {

namespace {

constexpr int kItemHeight = 21;

} // namespace

TfrmCheckW::TfrmCheckW(AppState& /*state*/, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmCheckW"));
    setWindowTitle(QStringLiteral("Ravolin"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(288, 373);
    SetBackground(this, kTicketWindowColor);

    MakeNavyLabel(this, "lblComb", QStringLiteral("Combinations"), 16, 8);
    MakeNavyLabel(this, "lblWins", QStringLiteral("Hits"), 144, 8);
    lstWins_ = new QListWidget(this);
    lstWins_->setObjectName(QStringLiteral("lstWins"));
    lstWins_->setFont(FixedFont(19));
    lstWins_->setUniformItemSizes(true);
    lstWins_->setGeometry(16, 24, 257, 305);
    QPushButton* ok = MakeTicketButton(this, "btnOK", QStringLiteral("OK"), 88, 340, 113, 27);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TfrmCheckW::btnOKClick);
}

void TfrmCheckW::ShowTable(const QStringList& lines)
{
    lstWins_->clear();
    for (const QString& line : lines) {
        auto* item = new QListWidgetItem(line, lstWins_);
        item->setSizeHint(QSize(0, kItemHeight));
    }
}

QStringList TfrmCheckW::Lines() const
{
    QStringList lines;
    for (int i = 0; i < lstWins_->count(); ++i) {
        lines.append(lstWins_->item(i)->text());
    }
    return lines;
}

void TfrmCheckW::btnOKClick()
{
    accept();
}

} // namespace rav
