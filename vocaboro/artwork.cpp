#include "artwork.h"

#include "platform/fonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vocaboro::artwork {
namespace {

void drawFlag(QPainter& p, const QRectF& r, const char* country) {
    if (qstrcmp(country, "it") == 0) {
        const double w = r.width() / 3;
        p.fillRect(QRectF(r.left(), r.top(), w, r.height()), QColor(0, 146, 70));
        p.fillRect(QRectF(r.left() + w, r.top(), w, r.height()), QColor(244, 245, 240));
        p.fillRect(QRectF(r.left() + 2 * w, r.top(), w, r.height()), QColor(205, 33, 42));
    } else {
        const double h = r.height() / 6;
        const QColor red(165, 25, 49), white(244, 245, 248), blue(45, 42, 74);
        p.fillRect(QRectF(r.left(), r.top(), r.width(), h), red);
        p.fillRect(QRectF(r.left(), r.top() + h, r.width(), h), white);
        p.fillRect(QRectF(r.left(), r.top() + 2 * h, r.width(), 2 * h), blue);
        p.fillRect(QRectF(r.left(), r.top() + 4 * h, r.width(), h), white);
        p.fillRect(QRectF(r.left(), r.top() + 5 * h, r.width(), h), red);
    }
    p.setPen(QPen(QColor(40, 40, 40), 1));
    p.drawRect(r);
}

void drawTemple(QPainter& p, const QRectF& r) {
    // A stepped roof with a tall spire, in gold on the night.
    QPainterPath path;
    const double cx = r.center().x();
    const double base = r.bottom();
    path.moveTo(r.left(), base);
    path.lineTo(r.left() + r.width() * 0.12, base - r.height() * 0.25);
    path.lineTo(r.left() + r.width() * 0.28, base - r.height() * 0.30);
    path.lineTo(cx - r.width() * 0.12, base - r.height() * 0.55);
    path.lineTo(cx - r.width() * 0.03, base - r.height() * 0.62);
    path.lineTo(cx, r.top());
    path.lineTo(cx + r.width() * 0.03, base - r.height() * 0.62);
    path.lineTo(cx + r.width() * 0.12, base - r.height() * 0.55);
    path.lineTo(r.right() - r.width() * 0.28, base - r.height() * 0.30);
    path.lineTo(r.right() - r.width() * 0.12, base - r.height() * 0.25);
    path.lineTo(r.right(), base);
    path.closeSubpath();
    QLinearGradient gold(r.topLeft(), r.bottomLeft());
    gold.setColorAt(0, QColor(255, 224, 120));
    gold.setColorAt(1, QColor(170, 110, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(gold);
    p.drawPath(path);
}

} // namespace

QPixmap consoleBackground() {
    QPixmap pixmap(200, 257);
    pixmap.fill(Qt::black);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(60, 60), 160);
    glow.setColorAt(0, QColor(20, 30, 70));
    glow.setColorAt(1, Qt::black);
    p.fillRect(pixmap.rect(), glow);
    QFont thai(platform::kThaiFixedFont);
    thai.setPointSize(26);
    p.setFont(thai);
    p.setPen(QColor(40, 55, 110));
    const char16_t* letters[] = {u"ก", u"ข", u"ค", u"ง", u"จ", u"ฉ", u"ช", u"ซ", u"ญ"};
    for (int i = 0; i < 9; ++i)
        p.drawText(QPointF(14 + (i % 3) * 62, 70 + (i / 3) * 78),
                   QString::fromUtf16(letters[i]));
    return pixmap;
}

QPixmap mainPicture(QSize size) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(25, 20, 80));
    sky.setColorAt(0.7, QColor(210, 90, 60));
    sky.setColorAt(1, QColor(250, 190, 90));
    p.fillRect(pixmap.rect(), sky);
    p.setBrush(QColor(255, 240, 200));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(size.width() * 0.8, size.height() * 0.25), 14, 14);
    drawTemple(p, QRectF(size.width() * 0.15, size.height() * 0.18, size.width() * 0.7,
                         size.height() * 0.62));
    p.fillRect(QRectF(0, size.height() * 0.8, size.width(), size.height() * 0.2), QColor(30, 20, 40));
    drawFlag(p, QRectF(8, size.height() - 30, 36, 22), "it");
    drawFlag(p, QRectF(size.width() - 44, size.height() - 30, 36, 22), "th");
    p.setPen(Qt::white);
    QFont font(platform::kSerifFont);
    font.setPointSize(11);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(0, size.height() - 30, size.width(), 22), Qt::AlignCenter,
               QStringLiteral("Vocaboro"));
    return pixmap;
}

QPixmap helpPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(10, 10, 30));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawFlag(p, QRectF(6, 6, size.width() - 12, size.height() * 0.3), "th");
    QFont thai(platform::kThaiFixedFont);
    thai.setPointSize(30);
    p.setFont(thai);
    p.setPen(QColor(255, 220, 120));
    p.drawText(QRectF(0, size.height() * 0.35, size.width(), size.height() * 0.6), Qt::AlignCenter,
               QString::fromUtf16(u"ไทย"));
    return pixmap;
}

QIcon directionIcon(const char* from, const char* to) {
    QPixmap pixmap(44, 30);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawFlag(p, QRectF(1, 1, 24, 16), from);
    drawFlag(p, QRectF(19, 13, 24, 16), to);
    return QIcon(pixmap);
}

QIcon speakerIcon() {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(60, 60, 60));
    p.setPen(Qt::NoPen);
    QPolygonF cone;
    cone << QPointF(4, 12) << QPointF(10, 12) << QPointF(18, 5) << QPointF(18, 27)
         << QPointF(10, 20) << QPointF(4, 20);
    p.drawPolygon(cone);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.drawArc(QRectF(14, 9, 10, 14), -60 * 16, 120 * 16);
    p.drawArc(QRectF(14, 4, 16, 24), -60 * 16, 120 * 16);
    return QIcon(pixmap);
}

} // namespace vocaboro::artwork
