#include "wrap_button.h"

#include <QPainter>
#include <QPen>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace platform {

void WrapButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QRect area = style()
                     ->subElementRect(QStyle::SE_PushButtonContents, &option, this)
                     .adjusted(1, 1, -1, -1);
    if (isDown())
        area.translate(1, 1);
    if (!icon().isNull()) {
        const QSize size = iconSize();
        const QRect iconRect(area.center().x() - size.width() / 2, area.top() + 2, size.width(),
                             size.height());
        icon().paint(&painter, iconRect);
        area.setTop(iconRect.bottom() + 2);
    }
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    painter.drawText(area, Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, text());
    if (hasFocus())
        paintFocusMark(painter, this);
}

void MarkedButton::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    if (hasFocus()) {
        QPainter painter(this);
        paintFocusMark(painter, this);
    }
}

void paintFocusMark(QPainter& painter, const QWidget* widget) {
    // Dashes of black over white show on every back colour, the dark ones included.
    const QRect mark = widget->rect().adjusted(4, 4, -5, -5);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(mark);
    painter.setPen(QPen(Qt::black, 1, Qt::DashLine));
    painter.drawRect(mark);
    painter.restore();
}

} // namespace platform
