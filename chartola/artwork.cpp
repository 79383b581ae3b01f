#include "artwork.h"

#include "platform/fonts.h"

#include <QLinearGradient>
#include <QPainter>

namespace chartola::artwork {

QIcon chartIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(255, 255, 0));
    p.setPen(QPen(QColor(64, 0, 64), 2));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    QFont thai(platform::kThaiFixedFont);
    thai.setPixelSize(24);
    p.setFont(thai);
    p.setPen(QColor(64, 0, 64));
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, QString::fromUtf16(u"ก"));
    return QIcon(pixmap);
}

QPixmap chartStrip() {
    QPixmap pixmap(625, 12);
    QPainter p(&pixmap);
    QLinearGradient g(0, 0, 625, 0);
    // Dark gold fading into the window's purple, so the title above stays readable.
    g.setColorAt(0, QColor(120, 80, 0));
    g.setColorAt(0.5, QColor(64, 0, 64));
    g.setColorAt(1, QColor(120, 80, 0));
    p.fillRect(pixmap.rect(), g);
    return pixmap;
}

QPixmap dictionaryPicture() {
    QPixmap pixmap(49, 19);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // An open book: two pages and a spine.
    p.setPen(QPen(QColor(60, 30, 10), 1));
    p.setBrush(QColor(250, 240, 210));
    p.drawRect(QRectF(4.5, 2.5, 19, 14));
    p.drawRect(QRectF(24.5, 2.5, 19, 14));
    p.setPen(QColor(120, 90, 60));
    for (int y = 6; y <= 14; y += 3) {
        p.drawLine(QPointF(7, y), QPointF(21, y));
        p.drawLine(QPointF(27, y), QPointF(41, y));
    }
    return pixmap;
}

} // namespace chartola::artwork
