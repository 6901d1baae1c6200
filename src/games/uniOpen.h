// The Open Game dialog: the games of the data folder by display name; "Open"
// makes the chosen one the open game.
#pragma once

#include "model/uniGlobal.h"

#include <QDialog>

class QListWidget;

namespace rav {

class TfrmMain;

class TfrmOpen : public QDialog {
    Q_OBJECT
public:
    TfrmOpen(AppState& state, TfrmMain& main, QWidget* parent = nullptr);

    // What becoming the active window does: the list is built from the folder.
    void FormActivate();
    void btnOpenClick();
    void btncancelClick();

protected:
    bool event(QEvent* e) override;

private:
    AppState& st_;
    TfrmMain& main_;
    QListWidget* lstLutrije_;
};

} // namespace rav
