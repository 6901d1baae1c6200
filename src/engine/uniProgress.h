// The progress dialog: shown modally while a wheel is generated. As soon as it
// becomes the active window it runs the generator that WheelMode names, moves its
// bar on the generator's ticks, and then closes itself.
#pragma once

#include "engine/uniGenerators.h"
#include "model/uniGlobal.h"

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace rav {

class TfrmProgress : public QDialog, public ProgressSink
{
    Q_OBJECT
public:
    explicit TfrmProgress(AppState& state, QWidget* parent = nullptr);

    // What the conditioned and the abbreviated generator need besides the state:
    // the six bound texts and the guarantee level. Set by the command before
    // the dialog is shown.
    void SetConditions(const ConditionTexts& bounds) { conditions_ = bounds; }
    void SetGuaranteeLevel(int level) { level_ = level; }

    // Runs the generation: bar to 0, repaint, the generator of WheelMode, bar to
    // 100, then a close request posted to the dialog itself. Runs once per
    // showing of the dialog when it is activated.
    void FormActivate();

    // ProgressTick: raises the bar by 1 while it is below 100.
    void Tick() override;

    // True when the generator ran during the last showing, and what it returned.
    bool Generated() const { return generated_; }
    const GenerationResult& LastResult() const { return result_; }

    // Replaces the generators (for tests of failures): the function receives the
    // WheelMode and returns what a generator would.
    using GeneratorHook = std::function<GenerationResult(AppState&, int mode)>;
    void SetGeneratorHook(GeneratorHook hook) { hook_ = std::move(hook); }

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    GenerationResult RunGenerator();

    AppState& st_;
    QLabel* lblcalc_ = nullptr;
    QProgressBar* prBar_ = nullptr;
    QPushButton* btncancel_ = nullptr;
    ConditionTexts conditions_;
    int level_ = 1;
    bool armed_ = false;
    int showings_ = 0;
    bool generated_ = false;
    GenerationResult result_;
    GeneratorHook hook_;
};

} // namespace rav
