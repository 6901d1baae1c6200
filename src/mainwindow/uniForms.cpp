#include "uniForms.h"

#include "engine/uniProgress.h"
#include "games/uniNewGame.h"
#include "games/uniOpen.h"
#include "language/uniAbout.h"
#include "language/uniHelp.h"
#include "tickets/uniCheckW.h"
#include "tickets/uniLines.h"
#include "tickets/uniNewTicket.h"
#include "tickets/uniTicketWidgets.h"
#include "tickets/uniTickets.h"
#include "uniMain.h"
#include "uniMessages.h"

#include <QPushButton>

namespace rav {

void CreateForms(TfrmMain& main, AppState& st)
{
    Forms& f = main.FormTable();
    f.frmMain = &main;
    (void)st;
    // Each window is created here, in the program's order, with the main window as owner.
    f.frmLines = new TfrmLines(st, &main);
    f.frmProgress = new TfrmProgress(st, &main);
    f.frmAbout = new TfrmAbout(st, &main);
    f.frmNewGame = new TfrmNewGame(st, main, &main);
    f.frmOpen = new TfrmOpen(st, main, &main);
    f.frmHelp = new TfrmHelp(st, &main);
    f.frmNewTicket = new TfrmNewTicket(st, f, &main);
    f.frmTickets = new TfrmTickets(st, f, &main);
    f.frmCheckW = new TfrmCheckW(st, &main);
    // The viewer's "Save" asks for a ticket name; its "Print" prints the whole wheel.
    QObject::connect(f.frmLines->SaveButton(), &QPushButton::clicked, f.frmLines,
                     [&f] { f.frmNewTicket->exec(); });
    QObject::connect(f.frmLines->PrintButton(), &QPushButton::clicked, f.frmLines,
                     [&f, &st] { Guarded(f.frmLines, [&] { PrintWheel(f.frmLines, st); }); });
}

} // namespace rav
