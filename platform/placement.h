#pragma once
// Places a control as the windows' designs give it: its designer name, its rectangle in
// twips and, where the design sets one, its font.
//     Label1 = platform::place(new QLabel(caption, this), "Label1", {240, 120, 1215, 255}, serif);

#include "geometry.h"

#include <QFont>
#include <QWidget>

#include <optional>

namespace platform {

struct Twips {
    int left;
    int top;
    int width;
    int height;
};

template <typename Control>
Control* place(Control* control, const char* name, Twips at,
               const std::optional<QFont>& font = std::nullopt) {
    control->setObjectName(QLatin1String(name));
    control->setGeometry(twipsRect(at.left, at.top, at.width, at.height));
    if (font)
        control->setFont(*font);
    return control;
}

} // namespace platform
