// The help window: the help page of the current language in an HTML viewer. It
// is not modal and reloads the page each time it becomes the active window.
#pragma once

#include "model/uniGlobal.h"

#include <QTextBrowser>
#include <QWidget>

namespace rav {

// The viewer of the help window. It reads a local page itself, in the
// character set its meta tag declares (windows-1250, windows-1252 or utf-8).
class THelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl& name) override;
};

class TfrmHelp : public QWidget {
    Q_OBJECT
public:
    explicit TfrmHelp(AppState& state, QWidget* parent = nullptr);

    // What becoming the active window does: navigates to the current page.
    void FormActivate();
    // Shows the window and brings it to the front (the Contents command).
    void ShowHelp();
    QTextBrowser* Browser() const { return WebBrowser1_; }

protected:
    bool event(QEvent* e) override;

private:
    AppState& st_;
    QTextBrowser* WebBrowser1_;
    bool placed_ = false;
};

} // namespace rav
