#include "uniHelp.h"

#include "language/uniLanguage.h"
#include "model/uniIO.h"

#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <QVBoxLayout>

namespace rav {

QVariant THelpBrowser::loadResource(int type, const QUrl& name)
{
    if (type != QTextDocument::HtmlResource || !name.isLocalFile()) {
        return QTextBrowser::loadResource(type, name);
    }
    QFile f(name.toLocalFile());
    if (!f.open(QIODevice::ReadOnly)) {
        return QVariant();
    }
    const QByteArray bytes = f.readAll();
    const QString charset = DeclaredCharset(bytes);
    if (charset == QLatin1String("utf-8") || charset == QLatin1String("utf8")) {
        return QString::fromUtf8(bytes);
    }
    return DecodeBytes(bytes,
        charset == QLatin1String("windows-1250") ? CodePage::Windows1250 : CodePage::Windows1252);
}

TfrmHelp::TfrmHelp(AppState& state, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , st_(state)
    , WebBrowser1_(new THelpBrowser(this))
{
    setObjectName(QStringLiteral("frmHelp"));
    setWindowTitle(QStringLiteral("Help"));
    WebBrowser1_->setObjectName(QStringLiteral("WebBrowser1"));
    WebBrowser1_->setOpenLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(WebBrowser1_);
    resize(736, 491);
}

void TfrmHelp::FormActivate()
{
    const QString path = HelpPagePath(st_);
    const QUrl url = QUrl::fromLocalFile(path);
    if (!QFileInfo(path).isFile()) {
        // No page for this language: an empty viewer, no message.
        WebBrowser1_->clear();
        WebBrowser1_->setSource(QUrl());
        return;
    }
    if (WebBrowser1_->source() == url) {
        WebBrowser1_->reload();
    } else {
        WebBrowser1_->setSource(url);
    }
}

void TfrmHelp::ShowHelp()
{
    if (!placed_ && parentWidget() != nullptr) {
        const QWidget* owner = parentWidget()->window();
        move(owner->geometry().center() - QPoint(width() / 2, height() / 2));
        placed_ = true;
    }
    show();
    raise();
    activateWindow();
}

bool TfrmHelp::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate) {
        FormActivate();
    }
    return QWidget::event(e);
}

} // namespace rav
