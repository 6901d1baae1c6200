// The program's message boxes: the application's error box for run-time errors,
// and the boxes with a single OK button that the windows show.
#pragma once

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace rav {

// Shows a message box with the given icon, caption and text and a single OK
// button. While a box is open, and when it has just closed, the main window does
// not treat its own re-activation as a return from another window.
void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                 const QString& text);

// The application's error box: the text in a critical box titled "Ravolin".
void ShowErrorBox(QWidget* parent, const QString& text);

// Runs a handler; a run-time error (file or number) or a failed allocation it
// raises ends the handler and is reported in the error box. Returns false when
// the handler was ended by an error.
bool Guarded(QWidget* parent, const std::function<void()>& handler);

// True when the last message box closed over `window` (it was the active window,
// or the box's parent, when the box opened), and no check has consumed it yet.
// The main window asks this when it becomes active, to tell a closed message box
// from a return from another of the program's windows.
bool TakeMessageBoxClosedOver(const QWidget* window);

// Tests replace the boxes with a recorder; pass an empty function to restore.
using MessageHook = std::function<void(QMessageBox::Icon, const QString&, const QString&)>;
void SetMessageHook(MessageHook hook);

} // namespace rav
