#include "uniNewGame.h"

#include "games/uniGameFiles.h"
#include "games/uniGameList.h"
#include "mainwindow/uniMain.h"
#include "mainwindow/uniMessages.h"
#include "mainwindow/uniWidgets.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace rav {

TfrmNewGame::TfrmNewGame(AppState& state, TfrmMain& main, QWidget* parent)
    : QDialog(parent)
    , st_(state)
    , main_(main)
{
    setObjectName(QStringLiteral("frmNewGame"));
    setWindowTitle(QStringLiteral("New Game"));
    setFixedSize(403, 128);
    SetBackground(this, QColor(236, 236, 221));
    setFont(VerdanaFont(13));

    auto* lblName = new QLabel(QStringLiteral("Name:"), this);
    lblName->setObjectName(QStringLiteral("lblName"));
    lblName->move(16, 20);
    lblName->adjustSize();
    txtName_ = new QLineEdit(this);
    txtName_->setObjectName(QStringLiteral("txtName"));
    txtName_->setMaxLength(30);
    txtName_->setGeometry(88, 16, 299, 24);

    auto* lblPairs = new QLabel(QStringLiteral("Pairs:"), this);
    lblPairs->setObjectName(QStringLiteral("lblPairs"));
    lblPairs->move(16, 54);
    lblPairs->adjustSize();
    cmbPairs_ = new QComboBox(this);
    cmbPairs_->setObjectName(QStringLiteral("cmbPairs"));
    cmbPairs_->setEditable(false);
    for (int n = MinPairs; n <= MaxPairs; ++n) {
        cmbPairs_->addItem(QString::number(n));
    }
    cmbPairs_->setCurrentIndex(1);
    cmbPairs_->setGeometry(88, 50, 61, 24);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("btnOK"));
    ok->setGeometry(208, 88, 86, 28);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btnCancel"));
    cancel->setGeometry(301, 88, 86, 28);
    connect(ok, &QPushButton::clicked, this, &TfrmNewGame::btnOKClick);
    connect(cancel, &QPushButton::clicked, this, &TfrmNewGame::btnCancelClick);
}

void TfrmNewGame::btnOKClick()
{
    const QString name = txtName_->text();
    if (GameFileStem(name).isEmpty()) {
        return;
    }
    Guarded(this, [&] {
        WriteGameFile(st_, name, MinPairs + cmbPairs_->currentIndex());
        accept();
        // The new game is not opened. Should its file have replaced the open
        // game's own file with another pair count, the coupon follows it.
        if (ReloadGamesKeepingOpenGame(st_)) {
            main_.RefreshWheelList();
            main_.SetCaptionFromGame();
            main_.LayoutRows();
            main_.Recount();
        }
    });
}

void TfrmNewGame::btnCancelClick()
{
    reject();
}

} // namespace rav
