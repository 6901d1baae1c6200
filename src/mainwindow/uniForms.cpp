#include "uniForms.h"

#include "uniMain.h"

namespace rav {

void CreateForms(TfrmMain& main, AppState& st)
{
    Forms& f = main.FormTable();
    f.frmMain = &main;
    (void)st;
    // Each window is created here, in the program's order, with the main window as owner.
}

} // namespace rav
