// The combinations viewer: the last wheel a page of 10000 combinations at a
// time, with the buttons that save and print the whole wheel.
#pragma once

#include "model/uniGlobal.h"
#include "tickets/uniViewerPages.h"

#include <QDialog>
#include <QStringList>

class QLabel;
class QListView;
class QPushButton;
class QStringListModel;
class QTextEdit;

namespace rav {

class TfrmLines : public QDialog
{
    Q_OBJECT
public:
    explicit TfrmLines(AppState& state, QWidget* parent = nullptr);

    // The description line (lblDesc) that a generator composed for the wheel.
    void SetDescription(const QString& text);
    QString Description() const;

    // Fills the first page of the last wheel and sets the paging buttons.
    void ShowFirstPage();

    // The paging buttons ">", "<", ">>", "<<" and "Close".
    void btnForwardClick();
    void btnBackClick();
    void btnForwardEndClick();
    void btnStartClick();
    void btnCloseClick();

    // The lines of the page shown, first to last.
    QStringList Lines() const;

    QPushButton* SaveButton() const { return btnSaveNewTicket_; }
    QPushButton* PrintButton() const { return btnPrint_; }
    QPushButton* CloseButton() const { return btnClose_; }
    // The hidden print document.
    QTextEdit* PrintDocument() const { return txtZaPrint_; }

private:
    void ShowPage(const ViewerPage& page);

    AppState& st_;
    QLabel* lblDesc_ = nullptr;
    QListView* lstLines_ = nullptr;
    QStringListModel* lines_ = nullptr;
    QPushButton* btnSaveNewTicket_ = nullptr;
    QPushButton* btnPrint_ = nullptr;
    QPushButton* btnClose_ = nullptr;
    QPushButton* btnStart_ = nullptr;
    QPushButton* btnBack_ = nullptr;
    QPushButton* btnForward_ = nullptr;
    QPushButton* btnForwardEnd_ = nullptr;
    QTextEdit* txtZaPrint_ = nullptr;
};

} // namespace rav
