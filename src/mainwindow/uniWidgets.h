// Small widgets and look helpers shared by the program's windows.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QWidget>

class QToolButton;

namespace rav {

// "Verdana", falling back to a sans face fontconfig has.
QFont VerdanaFont(int pixelSize, bool bold = false);
// "Courier New" / "Courier": a fixed-pitch face.
QFont FixedFont(int pixelSize);

// Fills a widget's background with a solid colour.
void SetBackground(QWidget* w, const QColor& color);

// A picture or label that reports a click of the left mouse button. It keeps the
// click to itself, so a label on a clickable panel does not click the panel as well.
class ClickLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* e) override;
};

// A pair of up and down arrows beside a box, not bound to it: the owner decides
// what a click does. The arrows are child buttons named "up" and "down".
class TUpDown : public QWidget {
    Q_OBJECT
public:
    explicit TUpDown(QWidget* parent = nullptr);
    QToolButton* UpButton() const { return up_; }
    QToolButton* DownButton() const { return down_; }
signals:
    void upClicked();
    void downClicked();

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    QToolButton* up_;
    QToolButton* down_;
};

} // namespace rav
