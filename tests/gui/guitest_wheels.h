// Helpers of the window tests of the wheel commands: a main window on a fixture
// game, marking pairs, and a watcher that acts inside the modal viewer.
#pragma once

#include "guitest.h"

#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "tickets/uniLines.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace wheelgui {

// A program folder with one game of `pairs` pairs, the main window on it with
// all other windows, shown and active, with the English words.
struct MainFixture {
    explicit MainFixture(int pairs)
    {
        folder.AddGame(QStringLiteral("game"), QStringLiteral("Game"), pairs);
        folder.WriteSettings(QStringLiteral("Game"), QStringLiteral("English"));
        st = std::make_unique<rav::AppState>();
        st->ProgramFolder = folder.Path();
        main = std::make_unique<rav::TfrmMain>(*st);
        rav::CreateForms(*main, *st);
        main->show();
        main->activateWindow();
        QApplication::processEvents();
        guitest::SetEnglishWords(*st);
    }

    // Clicks the outcomes of each pair: texts such as "1", "1X2", "X2".
    void Mark(std::initializer_list<const char*> pairs) { guitest::Mark(main.get(), pairs); }

    guitest::ProgramFolder folder;
    std::unique_ptr<rav::AppState> st;
    std::unique_ptr<rav::TfrmMain> main;
};

// Watches for the viewer: once it is shown, runs `onShown` and closes it. Any
// modal window still open after the time limit is closed, so a test that goes
// wrong fails instead of waiting for ever.
class ViewerWatch
{
public:
    ViewerWatch(rav::TfrmLines* viewer, std::function<void()> onShown)
        : viewer_(viewer)
        , onShown_(std::move(onShown))
    {
        clock_.start();
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    bool Seen() const { return seen_; }
    bool TimedOut() const { return timedOut_; }

private:
    void Poll()
    {
        if (!seen_ && viewer_->isVisible()) {
            seen_ = true;
            onShown_();
            viewer_->close();
        }
        if (clock_.elapsed() > 20000) {
            timedOut_ = true;
            if (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
            }
        }
    }

    rav::TfrmLines* viewer_;
    std::function<void()> onShown_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool seen_ = false;
    bool timedOut_ = false;
};

} // namespace wheelgui
