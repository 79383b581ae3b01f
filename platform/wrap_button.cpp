#include "wrap_button.h"

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
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

} // namespace platform
