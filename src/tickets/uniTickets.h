// The tickets browser: the tickets saved for the open game's number of pairs,
// a page of the chosen ticket's file, the row of results to check it against,
// printing the page and deleting tickets.
#pragma once

#include "mainwindow/uniForms.h"
#include "model/uniGlobal.h"
#include "tickets/uniTicketReader.h"

#include <QDialog>
#include <QStringList>

#include <array>

class QComboBox;
class QFrame;
class QLabel;
class QListView;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStringListModel;

namespace rav {

class TfrmTickets : public QDialog {
    Q_OBJECT
public:
    TfrmTickets(AppState& state, Forms& forms, QWidget* parent = nullptr);

    // The refresh run whenever the window becomes active: the ticket list from
    // the folder, the result row laid out for the open game, the first ticket's
    // first page.
    void FormActivate();
    // The first page of ticket `index` (counted from 0) of the list.
    void ShowTicket(int index);

    void lstTicketsClick();
    void btnStartClick();
    void btnForwardClick();
    void btnBackClick();
    void btnForwardEndClick();
    void btnDeleteClick();
    void btnPrintClick();
    void btnCheckWClick();
    void btnCloseClick();

    // The results chosen in the result row, entry k for pair k.
    tResultRow ResultRow() const;
    // The lines of the page shown, first to last.
    QStringList Lines() const;
    // The ticket names listed, in order.
    QStringList TicketNames() const;

protected:
    bool event(QEvent* e) override;

private:
    QString SelectedTicketPath() const;
    QString TicketPathAt(int index) const;
    void SetPage(const TicketPage& page);
    void ClearPage();
    void SetPaging(bool start, bool back, bool forward, bool forwardEnd);
    void LayoutResultRow();
    QByteArray LineBytes(const QString& text) const;

    AppState& st_;
    Forms& forms_;
    std::array<QComboBox*, MaxPairs> cmb_{};
    std::array<QLabel*, MaxPairs> lblN_{};
    QFrame* shpOkvir_ = nullptr;
    QListWidget* lstTickets_ = nullptr;
    QListView* lstLines_ = nullptr;
    QStringListModel* lines_ = nullptr;
    QPushButton* btnStart_ = nullptr;
    QPushButton* btnBack_ = nullptr;
    QPushButton* btnForward_ = nullptr;
    QPushButton* btnForwardEnd_ = nullptr;
    QPushButton* btnPrint_ = nullptr;
    QPushButton* btnDelete_ = nullptr;
    QPushButton* btnCheckW_ = nullptr;
    QPushButton* btnClose_ = nullptr;
    QPlainTextEdit* txtZaPrint_ = nullptr;
    bool printing_ = false; // the printer dialog is open
    bool deactivatedByPrint_ = false; // ... and took the focus from the browser
};

} // namespace rav
