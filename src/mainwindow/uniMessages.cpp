#include "uniMessages.h"

#include "model/uniIO.h"

#include <QApplication>
#include <QPointer>
#include <QWidget>

#include <new>

namespace rav {

namespace {

MessageHook& Hook()
{
    static MessageHook hook;
    return hook;
}

QPointer<QWidget> g_closedOver;
bool g_boxClosed = false;

} // namespace

void SetMessageHook(MessageHook hook)
{
    Hook() = std::move(hook);
}

void ShowMessage(QWidget* parent, QMessageBox::Icon icon, const QString& caption,
                 const QString& text)
{
    QWidget* over = QApplication::activeWindow();
    if (over == nullptr && parent != nullptr) {
        over = parent->window();
    }
    if (Hook()) {
        Hook()(icon, caption, text);
    } else {
        QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
        box.exec();
    }
    g_closedOver = over;
    g_boxClosed = true;
}

void ShowErrorBox(QWidget* parent, const QString& text)
{
    ShowMessage(parent, QMessageBox::Critical, QStringLiteral("Ravolin"), text);
}

bool Guarded(QWidget* parent, const std::function<void()>& handler)
{
    try {
        handler();
        return true;
    } catch (const RunError& e) {
        ShowErrorBox(parent, e.Text());
    } catch (const std::bad_alloc&) {
        ShowErrorBox(parent, QStringLiteral("Out of memory"));
    }
    return false;
}

bool TakeMessageBoxClosedOver(const QWidget* window)
{
    const bool closed = g_boxClosed && g_closedOver == window;
    g_boxClosed = false;
    g_closedOver = nullptr;
    return closed;
}

} // namespace rav
