#include "wrapping_label.h"

#include <QPainter>
#include <QStyleOption>

namespace platform {

int WrappingLabel::flags() const {
    return static_cast<int>(alignment() | Qt::TextWrapAnywhere);
}

int WrappingLabel::heightForWidth(int width) const {
    const int frame = height() - contentsRect().height();
    const int inner = width - (this->width() - contentsRect().width()) - 2 * margin();
    return fontMetrics()
               .boundingRect(QRect(0, 0, std::max(1, inner), 1 << 20), flags(), text())
               .height() +
           frame + 2 * margin();
}

void WrappingLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this); // the back colour
    drawFrame(&painter);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect().adjusted(margin(), margin(), -margin(), -margin()), flags(),
                     text());
}

} // namespace platform
