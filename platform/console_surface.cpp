#include "console_surface.h"

#include "geometry.h"
#include "thaitext/palette.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <map>

namespace platform {

ConsoleSurface::ConsoleSurface(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::NoFocus);
}

QFont ConsoleSurface::fontOf(const PrintedPiece& piece) {
    QFont font(piece.fontName);
    font.setPointSizeF(piece.fontSize);
    font.setBold(piece.bold);
    font.setItalic(piece.italic);
    return font;
}

QFont ConsoleSurface::currentFont() const {
    PrintedPiece probe;
    probe.fontName = fontName_;
    probe.fontSize = fontSize_;
    probe.bold = bold_;
    probe.italic = italic_;
    return fontOf(probe);
}

void ConsoleSurface::cls() {
    pieces_.clear();
    x_ = 0;
    y_ = 0;
    line_ = 0;
    lineHeight_ = 0;
    update();
}

QString ConsoleSurface::formatNumber(long long n) {
    return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n) + QStringLiteral(" ");
}

void ConsoleSurface::print(const QString& text, bool endLine) {
    const QFontMetricsF metrics(currentFont());
    lineHeight_ =
        std::max(lineHeight_, static_cast<int>(std::ceil(metrics.height() * kTwipsPerPixel)));
    if (!text.isEmpty()) {
        pieces_.append({text, fontName_, fontSize_, bold_, italic_, color_, x_, y_, line_});
        x_ += static_cast<int>(std::lround(metrics.horizontalAdvance(text) * kTwipsPerPixel));
        update();
    }
    if (endLine) {
        x_ = 0;
        y_ += lineHeight_;
        lineHeight_ = 0;
        ++line_;
    }
}

void ConsoleSurface::setBackgroundPicture(const QPixmap& picture) {
    background_ = picture;
    update();
}

QStringList ConsoleSurface::lines() const {
    QStringList out;
    for (int i = 0; i < line_; ++i)
        out.append(QString());
    for (const PrintedPiece& piece : pieces_) {
        while (out.size() <= piece.line)
            out.append(QString());
        out[piece.line] += piece.text;
    }
    return out;
}

void ConsoleSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!background_.isNull())
        painter.drawPixmap(0, 0, background_);

    // Pieces of one line share a baseline: the largest ascent among them.
    std::map<int, double> ascentOfLine;
    for (const PrintedPiece& piece : pieces_) {
        double& ascent = ascentOfLine[piece.line];
        ascent = std::max(ascent, QFontMetricsF(fontOf(piece)).ascent());
    }
    for (const PrintedPiece& piece : pieces_) {
        const QFont font = fontOf(piece);
        const thaitext::Rgb rgb = thaitext::paletteColor(piece.color);
        painter.setFont(font);
        painter.setPen(QColor(rgb.red, rgb.green, rgb.blue));
        const double baseline = piece.yTwips / double(kTwipsPerPixel) + ascentOfLine[piece.line];
        // One run per piece, so that Thai tone marks and vowels compose.
        painter.drawText(QPointF(piece.xTwips / double(kTwipsPerPixel), baseline), piece.text);
    }
}

} // namespace platform
