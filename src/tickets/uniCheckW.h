// The check-winnings dialog: how many combinations of a ticket reached each
// number of hits.
#pragma once

#include "model/uniGlobal.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;

namespace rav {

class TfrmCheckW : public QDialog {
    Q_OBJECT
public:
    // The table it shows is handed over whole; the state is not read.
    explicit TfrmCheckW(AppState& state, QWidget* parent = nullptr);

    // Fills lstWins with the lines of the hit table.
    void ShowTable(const QStringList& lines);
    QStringList Lines() const;

    void btnOKClick();

private:
    QListWidget* lstWins_ = nullptr;
};

} // namespace rav
