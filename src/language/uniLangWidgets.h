// The window side of languages and outside links: putting a language's captions
// on the controls of every window that exists, the Language menu, the Help
// menu's links and the sponsor banner.
#pragma once

#include "language/uniLanguage.h"

#include <QLabel>
#include <QString>

class QMenu;
class QWidget;

namespace rav {

class TfrmMain;

// The window of the program that `form` names, or nullptr when it has not been
// created yet.
QWidget* FormWindow(TfrmMain& main, FormId form);

// Sets the caption of every object named `control` in `window` (the window's
// own title when `control` is empty). Menus, menu entries, buttons, labels and
// group boxes are understood; the windows a window owns are not searched.
void SetControlCaption(QWidget* window, const QString& control, const QString& text);

// Applies language `name` to every window that exists. A file that cannot be
// read is reported in the error box; returns false then.
bool ApplyLanguageToForms(TfrmMain& main, AppState& st, const QString& name);

// The Language menu: up to ten languages from the languages folder, and the
// check mark on the stored language. At start-up a stored language without a
// file falls back to English when English.lng exists.
void FillLanguageMenu(TfrmMain& main, AppState& st);

// The k-th entry (1..10) of the Language menu was chosen.
void LanguageMenuClick(TfrmMain& main, int k);

// Hands an address to the desktop's default program for it.
void OpenAddress(const QString& address);

// The three outside links of the Help menu, appended to `help`.
void AddOutsideLinks(QMenu* help);

// The sponsor banner along the bottom edge of the status panel.
void BuildSponsorBanner(QWidget* statusPanel);

} // namespace rav
