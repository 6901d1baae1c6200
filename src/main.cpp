// Program entry: the application, its windows, and the message loop.
#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "model/uniGlobal.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ravolin"));
    // Lets the desktop match the window to the menu entry that started it.
    QGuiApplication::setDesktopFileName(QStringLiteral("ravolin"));

    rav::AppState state;
    state.ProgramFolder = QCoreApplication::applicationDirPath() + QLatin1Char('/');
    const QString icon = state.ProgramFolder + QStringLiteral("ravolin.png");
    if (QFileInfo::exists(icon)) {
        QApplication::setWindowIcon(QIcon(icon));
    }

    rav::TfrmMain frmMain(state);
    rav::CreateForms(frmMain, state);
    if (const QScreen* screen = frmMain.screen()) {
        const QRect area = screen->availableGeometry();
        frmMain.move(area.center() - frmMain.rect().center());
    }
    frmMain.show();
    return QApplication::exec();
}
