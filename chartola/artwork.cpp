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

QPixmap dictionaryBackground() {
    QPixmap pixmap(200, 257);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 200, 257);
    g.setColorAt(0, QColor(30, 10, 50));
    g.setColorAt(1, Qt::black);
    p.fillRect(pixmap.rect(), g);
    QFont thai(platform::kThaiFixedFont);
    thai.setPixelSize(40);
    p.setFont(thai);
    p.setPen(QColor(70, 40, 90));
    const char16_t* words[] = {u"คำ", u"ภาษา", u"ไทย"};
    for (int i = 0; i < 3; ++i)
        p.drawText(QPointF(20 + 30 * i, 140 + 50 * i), QString::fromUtf16(words[i]));
    return pixmap;
}

QPixmap alphabetPicture() {
    QPixmap pixmap(32, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QFont thai(platform::kThaiFixedFont);
    thai.setPixelSize(16);
    p.setFont(thai);
    p.setPen(QColor(120, 0, 120));
    p.drawText(QRectF(0, 0, 32, 18), Qt::AlignCenter, QString::fromUtf16(u"กขค"));
    return pixmap;
}

QPixmap loadPicture(bool thaiFirst) {
    QPixmap pixmap(32, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    // Two stacked pages with an arrow from the first language to the second.
    const QColor first = thaiFirst ? QColor(45, 42, 74) : QColor(0, 146, 70);
    const QColor second = thaiFirst ? QColor(0, 146, 70) : QColor(45, 42, 74);
    p.fillRect(QRectF(1, 3, 11, 12), first);
    p.fillRect(QRectF(20, 3, 11, 12), second);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(13, 9), QPointF(19, 9));
    p.drawLine(QPointF(16, 6), QPointF(19, 9));
    p.drawLine(QPointF(16, 12), QPointF(19, 9));
    return pixmap;
}

} // namespace chartola::artwork
