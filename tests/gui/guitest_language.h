// Helpers of the language, game-dialog, help and About tests: a main window with
// all its windows over a temporary program folder, language files written from
// readable text, the shipped language files, and a caption reader that
// understands menus, buttons, labels, group boxes and window titles.
#pragma once

#include "guitest.h"

#include "language/uniLanguage.h"
#include "mainwindow/uniForms.h"
#include "mainwindow/uniMain.h"
#include "model/uniIO.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>

#include <functional>
#include <memory>
#include <tuple>
#include <utility>
#include <vector>

namespace langtest {

// The language files and help pages the program ships.
inline QString ShippedLanguages()
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath()
        + QStringLiteral("/../../dist/languages/");
}

inline QByteArray Shipped(const QString& file)
{
    QFile f(ShippedLanguages() + file);
    if (!f.open(QIODevice::ReadOnly)) {
        qFatal("missing shipped file %s", qPrintable(file));
    }
    return f.readAll();
}

// A language file from (key, text) pairs written in `cp`, each key behind "*".
inline QByteArray LanguageFile(const std::vector<std::pair<QString, QString>>& entries,
    rav::CodePage cp = rav::CodePage::Windows1252)
{
    QList<QByteArray> lines;
    for (const auto& [key, text] : entries) {
        lines.append("*" + rav::EncodeText(key, cp));
        lines.append(rav::EncodeText(text, cp));
    }
    return guitest::CrLf(lines);
}

// The caption an object shows: a menu's title, an entry's or button's or
// label's text, a group box's title; for a window with no name given, its title.
inline QString Caption(QObject* o)
{
    if (auto* m = qobject_cast<QMenu*>(o)) {
        return m->title();
    }
    if (auto* a = qobject_cast<QAction*>(o)) {
        return a->text();
    }
    if (auto* b = qobject_cast<QAbstractButton*>(o)) {
        return b->text();
    }
    if (auto* g = qobject_cast<QGroupBox*>(o)) {
        return g->title();
    }
    if (auto* l = qobject_cast<QLabel*>(o)) {
        return l->text();
    }
    if (auto* w = qobject_cast<QWidget*>(o)) {
        return w->windowTitle();
    }
    return o->property("text").toString();
}

// The main window with every window created, over a program folder that holds
// the given games (stem, name, pairs) and settings. Lay down further files, then
// Start().
struct MainFixture {
    MainFixture(const std::vector<std::tuple<QString, QString, int>>& games,
        const QString& openGame, const QString& language)
    {
        for (const auto& [stem, name, pairs] : games) {
            folder.AddGame(stem, name, pairs);
        }
        folder.WriteSettings(openGame, language);
    }

    void Start(bool createForms = true)
    {
        main.reset();
        st = std::make_unique<rav::AppState>();
        st->ProgramFolder = folder.Path();
        main = std::make_unique<rav::TfrmMain>(*st);
        if (createForms) {
            rav::CreateForms(*main, *st);
        }
    }

    rav::Forms& Forms() { return main->FormTable(); }

    void Activate()
    {
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(main.get(), &activate);
    }
    void Deactivate()
    {
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(main.get(), &deactivate);
    }

    QAction* LanguageEntry(int k)
    {
        return guitest::Find<QAction>(
            main.get(), QStringLiteral("mnuLang%1").arg(k, 2, 10, QLatin1Char('0')));
    }

    guitest::ProgramFolder folder;
    std::unique_ptr<rav::AppState> st;
    std::unique_ptr<rav::TfrmMain> main;
};

} // namespace langtest
