#include "uniOpen.h"

#include "games/uniGameFiles.h"
#include "games/uniGameList.h"
#include "mainwindow/uniMain.h"
#include "mainwindow/uniMessages.h"
#include "mainwindow/uniWidgets.h"

#include <QEvent>
#include <QListWidget>
#include <QPushButton>

namespace rav {

TfrmOpen::TfrmOpen(AppState& state, TfrmMain& main, QWidget* parent)
    : QDialog(parent)
    , st_(state)
    , main_(main)
{
    setObjectName(QStringLiteral("frmOpen"));
    setWindowTitle(QStringLiteral("Open Game"));
    setFixedSize(337, 354);
    SetBackground(this, QColor(236, 236, 221));
    setFont(VerdanaFont(13));

    lstLutrije_ = new QListWidget(this);
    lstLutrije_->setObjectName(QStringLiteral("lstLutrije"));
    // Kept in alphabetical order: the list is filled sorted each time.
    lstLutrije_->setSelectionMode(QAbstractItemView::SingleSelection);
    lstLutrije_->setGeometry(16, 16, 305, 282);

    auto* open = new QPushButton(QStringLiteral("Open"), this);
    open->setObjectName(QStringLiteral("btnOpen"));
    open->setGeometry(142, 312, 86, 28);
    open->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("btncancel"));
    cancel->setGeometry(235, 312, 86, 28);
    connect(open, &QPushButton::clicked, this, &TfrmOpen::btnOpenClick);
    connect(cancel, &QPushButton::clicked, this, &TfrmOpen::btncancelClick);
    connect(lstLutrije_, &QListWidget::itemDoubleClicked, this, &TfrmOpen::btnOpenClick);
}

bool TfrmOpen::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QDialog::event(e);
}

void TfrmOpen::FormActivate()
{
    lstLutrije_->clear();
    lstLutrije_->addItems(SortedForList(ListGameNames(st_)));
    if (lstLutrije_->count() > 0) {
        lstLutrije_->setCurrentRow(0);
    }
}

void TfrmOpen::btnOpenClick()
{
    Guarded(this, [&] {
        const QList<QListWidgetItem*> selected = lstLutrije_->selectedItems();
        if (!selected.isEmpty()) {
            const QString name = selected.first()->text();
            // The table is read again, so a game file added since start-up opens too.
            const bool openGameChanged = ReloadGamesKeepingOpenGame(st_);
            if (SelectGameByName(st_, name)) {
                main_.RefreshWheelList();
                main_.SetCaptionFromGame();
                main_.LayoutRows();
                main_.Recount();
                accept();
            } else {
                // The file went away meanwhile: the list shows what is there now.
                if (openGameChanged) {
                    main_.RefreshWheelList();
                    main_.SetCaptionFromGame();
                    main_.LayoutRows();
                    main_.Recount();
                }
                FormActivate();
            }
        }
        main_.SetGuaranteeCaptions();
        WriteSettingsReportedOnce(st_);
    });
}

void TfrmOpen::btncancelClick()
{
    reject();
}

} // namespace rav
