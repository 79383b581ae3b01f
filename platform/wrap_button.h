#pragma once
// A push button whose caption wraps onto more lines when it is wider than the button,
// with an optional picture above it, as the old picture buttons drew them.

#include <QPushButton>

class QPainter;

namespace platform {

class WrapButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A push button drawn by the style, with the same focus mark as WrapButton: a dashed frame of
// black over white that shows on every back colour.
class MarkedButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// Draws that focus mark inside the widget's edge.
void paintFocusMark(QPainter& painter, const QWidget* widget);

} // namespace platform
