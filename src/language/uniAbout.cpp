#include "uniAbout.h"

#include "language/uniLangWidgets.h"
#include "language/uniLinks.h"
#include "mainwindow/uniWidgets.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>

namespace rav {

namespace {

const QColor kBackground(236, 236, 221);
const QColor kNavy(0, 0, 128);
const QColor kTeal(64, 128, 128);
const QColor kMarked(248, 113, 113);

constexpr int kClientWidth = 398;
constexpr int kClientHeight = 283;

ClickLabel* MakeLink(QWidget* parent, const char* name, const QString& text, int top)
{
    auto* l = new ClickLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    QFont f = VerdanaFont(16);
    f.setUnderline(true);
    l->setFont(f);
    QPalette pal = l->palette();
    pal.setColor(QPalette::WindowText, kNavy);
    l->setPalette(pal);
    l->setCursor(Qt::PointingHandCursor);
    l->adjustSize();
    l->move((kClientWidth - l->width()) / 2, top);
    return l;
}

} // namespace

QPixmap DrawLogo()
{
    QPixmap pm(400, 96);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 96);
    sky.setColorAt(0, kTeal.lighter(130));
    sky.setColorAt(1, kTeal.darker(130));
    p.fillRect(pm.rect(), sky);

    // A strip of the coupon: one pair with its three outcomes, "X" marked.
    const char* const outcomes[3] = { "1", "X", "2" };
    QFont symbol = VerdanaFont(22, true);
    p.setFont(symbol);
    for (int o = 0; o < 3; ++o) {
        const QRect box(24 + o * 38, 26, 32, 44);
        p.setPen(QPen(QColor(117, 117, 117), 2));
        p.setBrush(o == 1 ? kMarked : QColor(Qt::white));
        p.drawRoundedRect(box, 4, 4);
        p.setPen(Qt::black);
        p.drawText(box, Qt::AlignCenter, QLatin1String(outcomes[o]));
    }

    // The name, and the line under it.
    QFont title = VerdanaFont(46, true);
    p.setFont(title);
    p.setPen(QColor(0, 0, 0, 70));
    p.drawText(
        QRect(152, 10, 240, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ravolin"));
    p.setPen(Qt::white);
    p.drawText(QRect(150, 8, 240, 60), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Ravolin"));
    p.setFont(VerdanaFont(13));
    p.drawText(QRect(152, 66, 240, 20), Qt::AlignLeft | Qt::AlignVCenter,
        QStringLiteral("wheels for the football pools"));
    return pm;
}

TfrmAbout::TfrmAbout(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    (void)state;
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Ravolin"));
    setFixedSize(kClientWidth, kClientHeight);
    SetBackground(this, kBackground);

    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("imgLogo"));
    logo->setPixmap(DrawLogo());
    logo->setGeometry(0, 0, 400, 96);

    auto* version = new QLabel(QStringLiteral("Ravolin ") + ProgramVersion(), this);
    version->setObjectName(QStringLiteral("lblVersion"));
    version->setFont(VerdanaFont(16, true));
    version->adjustSize();
    version->move((kClientWidth - version->width()) / 2, 112);

    ClickLabel* web = MakeLink(this, "lblWeb", QStringLiteral("Web: ") + ProgramWebPage(), 152);
    ClickLabel* mail
        = MakeLink(this, "lblEmail", QStringLiteral("Email: ") + ContactMailAddress(), 182);
    connect(web, &ClickLabel::clicked, this, &TfrmAbout::lblWebClick);
    connect(mail, &ClickLabel::clicked, this, &TfrmAbout::lblEmailClick);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("SCButton1"));
    ok->setFont(VerdanaFont(13));
    ok->setGeometry((kClientWidth - 65) / 2, 228, 65, 33);
    ok->setStyleSheet(QStringLiteral(
        "QPushButton { background: rgb(246,246,238); border: 1px solid rgb(117,117,117);"
        " border-radius: 8px; }"
        "QPushButton:pressed { background: rgb(216,210,194); }"
        "QPushButton:focus { border: 2px solid rgb(0,0,128); }"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TfrmAbout::SCButton1Click);
}

void TfrmAbout::SCButton1Click()
{
    accept();
}

void TfrmAbout::lblWebClick()
{
    OpenAddress(AboutWebLink());
}

void TfrmAbout::lblEmailClick()
{
    OpenAddress(AboutMailLink());
}

} // namespace rav
