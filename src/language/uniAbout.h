// The About box: the logo, the version and the two links of the program.
#pragma once

#include "model/uniGlobal.h"

#include <QDialog>
#include <QPixmap>

namespace rav {

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfrmAbout(AppState& state, QWidget* parent = nullptr);

    void SCButton1Click();
    void lblWebClick();
    void lblEmailClick();
};

// The program's logo, 400 x 96 pixels.
QPixmap DrawLogo();

} // namespace rav
