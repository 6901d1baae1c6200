// The New Game dialog: a display name and a pair count, written as a game file.
#pragma once

#include "model/uniGlobal.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace rav {

class TfrmMain;

class TfrmNewGame : public QDialog {
    Q_OBJECT
public:
    TfrmNewGame(AppState& state, TfrmMain& main, QWidget* parent = nullptr);

    // Writes the game file and reloads the game table, keeping the open game.
    // A name with no letter or digit does nothing and leaves the dialog open.
    void btnOKClick();
    void btnCancelClick();

private:
    AppState& st_;
    TfrmMain& main_;
    QLineEdit* txtName_;
    QComboBox* cmbPairs_;
};

} // namespace rav
