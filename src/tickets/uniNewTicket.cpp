#include "uniNewTicket.h"

#include "mainwindow/uniMessages.h"
#include "mainwindow/uniWidgets.h"
#include "tickets/uniLines.h"
#include "tickets/uniTicketFile.h"
#include "tickets/uniTicketWidgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace rav {

TfrmNewTicket::TfrmNewTicket(AppState& state, Forms& forms, QWidget* parent)
    : QDialog(parent)
    , st_(state)
    , forms_(forms)
{
    setObjectName(QStringLiteral("frmNewTicket"));
    setWindowTitle(QStringLiteral("New Ticket"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
        | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(313, 102);
    SetBackground(this, kTicketWindowColor);

    lblEnterName_
        = MakeNavyLabel(this, "lblEnterName", QStringLiteral("Enter ticket name"), 16, 14);
    txtTicketName_ = new QLineEdit(this);
    txtTicketName_->setObjectName(QStringLiteral("txtTicketName"));
    txtTicketName_->setFont(VerdanaFont(13));
    txtTicketName_->setGeometry(16, 32, 281, 24);
    // No length limit of the program's own: the file system judges the name.
    txtTicketName_->setMaxLength(32767);
    btnSave_ = MakeTicketButton(this, "btnSave", QStringLiteral("Save"), 16, 64, 97, 25);
    btnCancel_ = MakeTicketButton(this, "btnCancel", QStringLiteral("Cancel"), 200, 64, 97, 25);
    btnSave_->setDefault(true);
    connect(btnSave_, &QPushButton::clicked, this, &TfrmNewTicket::btnSaveClick);
    connect(btnCancel_, &QPushButton::clicked, this, &TfrmNewTicket::btnCancelClick);
}

QString TfrmNewTicket::Description() const
{
    if (forms_.frmLines == nullptr) {
        return QString();
    }
    return forms_.frmLines->Description();
}

void TfrmNewTicket::btnSaveClick()
{
    const QString name = txtTicketName_->text();
    if (name.isEmpty()) {
        return;
    }
    const bool saved = Guarded(this, [&] {
        WaitCursor wait(st_.CombinationCount > kBusyLines);
        SaveTicket(st_, name, Description());
    });
    if (!saved) {
        return;
    }
    ShowMessage(this, QMessageBox::Question, QStringLiteral("Confirm"), st_.Words.LangTicketSaved);
    accept();
}

void TfrmNewTicket::btnCancelClick()
{
    reject();
}

} // namespace rav
