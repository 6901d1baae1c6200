// Helpers of the ticket window tests: a main window with all its windows on a
// fixture program folder, wheels laid into the state, a watcher that acts
// inside a modal dialog, printing to PDF and reading the text back.
#pragma once

#include "guitest.h"

#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "tickets/uniTicketFile.h"
#include "tickets/uniTicketWidgets.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace ticketgui {

// A program folder with the given games (name, pairs), the first one open, the
// main window on it with every other window, and the English words.
struct Fixture {
    explicit Fixture(std::initializer_list<std::pair<const char*, int>> games = { { "Game", 10 } })
    {
        int n = 0;
        for (const auto& g : games) {
            folder.AddGame(QStringLiteral("g%1").arg(++n), QLatin1String(g.first), g.second);
        }
        folder.WriteSettings(QLatin1String(games.begin()->first), QStringLiteral("English"));
        st = std::make_unique<rav::AppState>();
        st->ProgramFolder = folder.Path();
        main = std::make_unique<rav::TfrmMain>(*st);
        rav::CreateForms(*main, *st);
        guitest::SetEnglishWords(*st);
    }

    rav::Forms& forms() { return main->FormTable(); }

    // A full wheel: pairs 1..triples triples, the others single "1"; pair 1
    // runs slowest, as the generators order it.
    void LayFullWheel(int triples, int mode = 1)
    {
        const int pairs = st->CurrentPairs();
        std::int32_t total = 1;
        for (int t = 0; t < triples; ++t) {
            total *= 3;
        }
        QVERIFY(st->CombinationList.Resize(static_cast<std::size_t>(total) + 10));
        static constexpr std::uint8_t order[3] = { 1, 0, 2 };
        for (std::int32_t i = 1; i <= total; ++i) {
            std::int32_t j = i - 1;
            for (int p = pairs; p >= 1; --p) {
                st->CombinationList[static_cast<std::size_t>(i)][static_cast<std::size_t>(p)]
                    = p <= triples ? order[j % 3] : 1;
                if (p <= triples) {
                    j /= 3;
                }
            }
        }
        st->CombinationCount = total;
        st->WheelMode = mode;
    }

    // A ticket of `count` numbered combinations saved in the open game's folder.
    QString SaveNumbered(const QString& name, int count)
    {
        const int pairs = st->CurrentPairs();
        if (!st->CombinationList.Resize(static_cast<std::size_t>(count) + 10)) {
            return QString();
        }
        static constexpr std::uint8_t order[3] = { 1, 0, 2 };
        for (int i = 1; i <= count; ++i) {
            int j = i - 1;
            for (int p = pairs; p >= 1; --p) {
                st->CombinationList[static_cast<std::size_t>(i)][static_cast<std::size_t>(p)]
                    = order[j % 3];
                j /= 3;
            }
        }
        st->CombinationCount = count;
        st->WheelMode = 2;
        rav::SaveTicket(
            *st, name, QStringLiteral("Conditioned Wheel (%1 combinations)").arg(count));
        return rav::TicketPath(*st, name);
    }

    void WriteTicket(const QString& name, const QByteArray& bytes)
    {
        folder.WriteFile(QStringLiteral("tickets/%1/").arg(st->CurrentPairs()) + name, bytes);
    }

    guitest::ProgramFolder folder;
    std::unique_ptr<rav::AppState> st;
    std::unique_ptr<rav::TfrmMain> main;
};

// Once `dialog` is shown, runs `action` inside its modal loop; the action is
// expected to close it. Any modal window still open after the time limit is
// closed, so a test that goes wrong fails instead of waiting for ever.
class ModalWatch {
public:
    ModalWatch(QWidget* dialog, std::function<void()> action, int limitMs = 30000)
        : dialog_(dialog)
        , action_(std::move(action))
        , limitMs_(limitMs)
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
        if (!seen_ && dialog_->isVisible() && QApplication::activeModalWidget() == dialog_) {
            seen_ = true;
            timer_.stop();
            action_();
            return;
        }
        if (clock_.elapsed() > limitMs_) {
            timedOut_ = true;
            timer_.stop();
            while (QWidget* modal = QApplication::activeModalWidget()) {
                modal->close();
                QApplication::processEvents();
            }
        }
    }

    QWidget* dialog_;
    std::function<void()> action_;
    int limitMs_;
    QTimer timer_;
    QElapsedTimer clock_;
    bool seen_ = false;
    bool timedOut_ = false;
};

// Prints go to a PDF file instead of a printer while alive.
class PdfPrinting {
public:
    explicit PdfPrinting(const QString& path, bool confirm = true)
    {
        rav::SetPrintDialogHook([path, confirm, this](QPrinter& printer) {
            ++dialogs;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(path);
            docName = printer.docName();
            return confirm;
        });
    }
    ~PdfPrinting() { rav::SetPrintDialogHook({}); }
    int dialogs = 0;
    QString docName;
};

// The output of a poppler tool on a file; fails the test when it is missing.
inline QString Poppler(const QString& tool, const QStringList& args)
{
    const QString exe = QStandardPaths::findExecutable(tool);
    if (exe.isEmpty()) {
        qWarning("%s (poppler-utils) is needed to read printouts back", qPrintable(tool));
        return QStringLiteral("<no %1>").arg(tool);
    }
    QProcess p;
    p.start(exe, args);
    p.waitForFinished(120000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text lines of a PDF, page breaks and trailing blanks removed, empty
// lines dropped.
inline QStringList PdfLines(const QString& pdf)
{
    const QString text = Poppler(
        QStringLiteral("pdftotext"), { QStringLiteral("-layout"), pdf, QStringLiteral("-") });
    QStringList lines;
    for (QString line : text.split(QLatin1Char('\n'))) {
        line.remove(QLatin1Char('\f'));
        while (line.endsWith(QLatin1Char(' '))) {
            line.chop(1);
        }
        if (!line.isEmpty()) {
            lines.append(line);
        }
    }
    return lines;
}

} // namespace ticketgui
