// Program entry: the application, its windows, and the message loop.
#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "model/uniGlobal.h"

#include <QApplication>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravolin"));

    rav::AppState state;
    state.ProgramFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');

    rav::TfrmMain frmMain(state);
    rav::CreateForms(frmMain, state);
    if (const QScreen* screen = frmMain.screen()) {
        const QRect area = screen->availableGeometry();
        frmMain.move(area.center() - frmMain.rect().center());
    }
    frmMain.show();
    return QApplication::exec();
}
