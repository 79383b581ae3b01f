#pragma once
// A push button whose caption wraps onto more lines when it is wider than the button,
// with an optional picture above it, as the old picture buttons drew them.

#include <QPushButton>

namespace platform {

class WrapButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace platform
