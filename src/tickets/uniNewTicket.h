// The New Ticket dialog: asks for a name and saves the last wheel under it.
#pragma once

#include "mainwindow/uniForms.h"
#include "model/uniGlobal.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace rav {

class TfrmNewTicket : public QDialog {
    Q_OBJECT
public:
    TfrmNewTicket(AppState& state, Forms& forms, QWidget* parent = nullptr);

    // Writes the ticket under the typed name. An empty name does nothing; a
    // refused name or a failed write shows the error box and keeps the dialog
    // open; on success "Ticket Saved" is confirmed and the dialog closes.
    void btnSaveClick();
    void btnCancelClick();

    // Line 2 of the ticket: the description the combinations viewer shows.
    QString Description() const;

private:
    AppState& st_;
    Forms& forms_;
    QLabel* lblEnterName_ = nullptr;
    QLineEdit* txtTicketName_ = nullptr;
    QPushButton* btnSave_ = nullptr;
    QPushButton* btnCancel_ = nullptr;
};

} // namespace rav
