// The program's windows, created once at start-up after the main window and
// reused for every showing. The main window reaches the others through this table.
#pragma once

namespace rav {

struct AppState;
class TfrmMain;
class TfrmLines;
class TfrmProgress;
class TfrmAbout;
class TfrmNewGame;
class TfrmOpen;
class TfrmHelp;
class TfrmNewTicket;
class TfrmTickets;
class TfrmCheckW;

struct Forms {
    TfrmMain* frmMain = nullptr;
    TfrmLines* frmLines = nullptr;
    TfrmProgress* frmProgress = nullptr;
    TfrmAbout* frmAbout = nullptr;
    TfrmNewGame* frmNewGame = nullptr;
    TfrmOpen* frmOpen = nullptr;
    TfrmHelp* frmHelp = nullptr;
    TfrmNewTicket* frmNewTicket = nullptr;
    TfrmTickets* frmTickets = nullptr;
    TfrmCheckW* frmCheckW = nullptr;
};

// Creates the other windows in the program's order (viewer, progress dialog,
// About box, New Game, Open Game, help, New Ticket, tickets browser, check
// winnings), owned by the main window, and hands the table to the main window.
void CreateForms(TfrmMain& main, AppState& st);

} // namespace rav
