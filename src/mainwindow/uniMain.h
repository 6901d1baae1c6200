// The main window: the coupon grid, the three wheel panels, the status line, the
// main menu, the start-up routine and the activation handler.
#pragma once

#include "engine/uniGenerators.h"
#include "model/uniGlobal.h"
#include "uniForms.h"

#include <QMainWindow>

#include <array>

class QAction;
class QButtonGroup;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWidget;

namespace rav {

class ClickLabel;
class TUpDown;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // Builds the window and runs the start-up routine on `state`, whose
    // ProgramFolder names the program folder (with its trailing "/").
    explicit TfrmMain(AppState& state, QWidget* parent = nullptr);

    AppState& State() { return st_; }
    // The other windows of the program (filled by CreateForms).
    Forms& FormTable() { return forms_; }

    // The coupon.
    void LayoutRows();
    void Recount();
    void WriteStatusLine();
    void SelectAll();
    void ClearAll();
    void ClearTeams();
    void ToggleOutcome(int pair, int outcome); // outcome 0 "1", 1 "X", 2 "2"
    bool IsMarked(int pair, int outcome) const;

    // The guarantee level of the button that is on (1..3).
    int GuaranteeLevel() const;
    // Refills the wheel list with the wheels of the chosen guarantee that fit the
    // open game's pairs (no line is selected until the next recount).
    void RefreshWheelList();
    void SetGuaranteeCaptions();
    void SetCaptionFromGame();

    // What becoming the active window does: applies the current language.
    void FormActivate();
    void ApplyLanguage(const QString& name);

    // The wheel commands of the three panels.
    void btnFullWheelClick();
    void btnMakeConditionedClick();
    void btnMakeAbbWheelClick();
    // Runs a wheel: disables the window, sets WheelMode (1 full, 2 conditioned,
    // 3 abbreviated), lets the progress dialog generate it, shows the first page
    // in the viewer, and enables the window again. A failed generation is
    // reported in the error box and shows no viewer.
    void RunWheel(int mode);
    // The six bound texts in the order Min1, MinX, Min2, Max1, MaxX, Max2.
    ConditionTexts BoundTexts() const;
    // What an up-down arrow of a bound box does to that box.
    void StepBoundBox(QLineEdit* box, bool up);

    // The panel in front: 0 menu, 1 conditions, 2 abbreviated wheel.
    void ShowPanel(int index);
    int CurrentPanel() const;

protected:
    bool event(QEvent* e) override;

private:
    void BuildMenu();
    void BuildGrid(QWidget* parent);
    void BuildPanels(QWidget* parent);
    void BuildStatus(QWidget* parent);
    void StartUp();
    void CreateTicketFolders();
    void HighlightWheel();

    AppState& st_;
    Forms forms_;

    // Control tables of the grid, indexed by pair - 1 (and outcome 0..2).
    std::array<std::array<ClickLabel*, 3>, MaxPairs> imgUnmarked_{};
    std::array<std::array<ClickLabel*, 3>, MaxPairs> imgMarked_{};
    std::array<std::array<QLineEdit*, 2>, MaxPairs> edtTeams_{};
    std::array<QFrame*, MaxPairs> shpBand_{};
    std::array<QLabel*, MaxPairs> lblBroj_{};
    std::array<QFrame*, MaxPairs> shpDash_{};

    QWidget* pnlNumbers_ = nullptr;
    QStackedWidget* panels_ = nullptr;
    QLabel* lblStatus_ = nullptr;
    QPushButton* btnFullWheel_ = nullptr;
    QPushButton* btnMakeConditioned_ = nullptr;
    QPushButton* btnMakeAbbWheel_ = nullptr;
    QListWidget* lstWheels_ = nullptr;
    std::array<QRadioButton*, 3> rad_{};
    // The bound boxes in the order Min1, MinX, Min2, Max1, MaxX, Max2.
    std::array<QLineEdit*, 6> edtBounds_{};
    std::array<QAction*, 10> mnuLang_{};
};

} // namespace rav
