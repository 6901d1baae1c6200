#include "engine/uniProgress.h"

#include "mainwindow/uniWidgets.h"
#include "model/uniIO.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

#include <new>

namespace rav {

namespace {

// How long a shown dialog waits for its activation before it starts anyway.
constexpr int kActivationWait = 500;

} // namespace

TfrmProgress::TfrmProgress(AppState& state, QWidget* parent)
    : QDialog(parent)
    , st_(state)
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(QStringLiteral("Please wait ..."));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(329, 120);

    lblcalc_ = new QLabel(QStringLiteral("Calculating . . ."), this);
    lblcalc_->setObjectName(QStringLiteral("lblcalc"));
    lblcalc_->setFont(VerdanaFont(13));
    lblcalc_->setGeometry(16, 12, 297, 20);

    prBar_ = new QProgressBar(this);
    prBar_->setObjectName(QStringLiteral("prBar"));
    prBar_->setRange(0, 100);
    prBar_->setValue(0);
    prBar_->setTextVisible(false);
    prBar_->setGeometry(16, 40, 297, 20);

    btncancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    btncancel_->setObjectName(QStringLiteral("btncancel"));
    btncancel_->setFont(VerdanaFont(13));
    btncancel_->setGeometry(120, 76, 89, 29);
    // The button has no action: a generation cannot be stopped.
    btncancel_->setAutoDefault(false);
}

void TfrmProgress::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (e->spontaneous()) {
        return; // a window restored by the system is not a new showing
    }
    // The next activation is the first of this showing: it runs the generator.
    armed_ = true;
    generated_ = false;
    result_ = GenerationResult();
    // Should the window system never make the dialog active, the generation
    // still starts, once, shortly after this showing.
    const int showing = ++showings_;
    QTimer::singleShot(kActivationWait, this, [this, showing] {
        if (armed_ && showing == showings_ && isVisible()) {
            armed_ = false;
            FormActivate();
        }
    });
}

bool TfrmProgress::event(QEvent* e)
{
    const bool handled = QDialog::event(e);
    if (e->type() == QEvent::WindowActivate && armed_) {
        armed_ = false;
        FormActivate();
    }
    return handled;
}

void TfrmProgress::Tick()
{
    if (prBar_->value() < 100) {
        prBar_->setValue(prBar_->value() + 1);
    }
}

GenerationResult TfrmProgress::RunGenerator()
{
    try {
        if (hook_) {
            return hook_(st_, st_.WheelMode);
        }
        switch (st_.WheelMode) {
        case 1:
            return MakeFullWheel(st_, this);
        case 2:
            return MakeConditionedWheel(st_, conditions_, this);
        case 3:
            return MakeAbbreviatedWheel(st_, level_);
        default:
            // Any other mode runs nothing; the list keeps what it holds.
            return GenerationResult();
        }
    } catch (const RunError& e) {
        GenerationResult r;
        r.Ok = false;
        r.Error = e.Text();
        return r;
    } catch (const std::bad_alloc&) {
        GenerationResult r;
        r.Ok = false;
        r.Error = QStringLiteral("Out of memory");
        return r;
    }
}

void TfrmProgress::FormActivate()
{
    prBar_->setValue(0);
    repaint();
    result_ = RunGenerator();
    if (!result_.Ok) {
        // A failed generation leaves no rows that could pass for the new wheel.
        st_.CombinationCount = 0;
    }
    generated_ = true;
    prBar_->setValue(100);
    QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

} // namespace rav
