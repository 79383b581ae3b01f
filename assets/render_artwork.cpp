// Draws every picture of the kit and writes it into a folder: PNG files, and numbered
// PNG frames for the GIF pictures, which make_artwork.sh joins into GIF files.
// The pictures are the kit's own: flags, a temple at dusk, a market, Thai letters.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <utility>

namespace {

const QString kThaiFont = QStringLiteral("Tlwg Typist");
const QString kSerif = QStringLiteral("Liberation Serif");

QString out;

void save(const QPixmap& pixmap, const QString& name) {
    if (!pixmap.save(out + QLatin1Char('/') + name))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
}

QFont thaiFont(int pixels) {
    QFont f(kThaiFont);
    f.setPixelSize(pixels);
    return f;
}

void drawFlag(QPainter& p, const QRectF& r, bool italy) {
    if (italy) {
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
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

void drawTemple(QPainter& p, const QRectF& r) {
    QPainterPath path;
    const double cx = r.center().x(), base = r.bottom();
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

// A temple at dusk; `phase` from 0 to 1 moves the sun and the stars' twinkle.
QPixmap dusk(QSize size, double phase, bool flags) {
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(25, 20, 80));
    sky.setColorAt(0.7, QColor(210, 90, 60));
    sky.setColorAt(1, QColor(250, 190, 90));
    p.fillRect(pixmap.rect(), sky);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 12; ++i) {
        const double twinkle = 0.5 + 0.5 * std::sin(phase * 6.283 + i);
        p.setBrush(QColor(255, 255, 230, int(80 + 170 * twinkle)));
        p.drawEllipse(QPointF((i * 37) % size.width(), 6 + (i * 23) % (size.height() / 3)), 1.3,
                      1.3);
    }
    p.setBrush(QColor(255, 240, 200));
    p.drawEllipse(QPointF(size.width() * 0.8, size.height() * (0.32 - 0.08 * phase)), 14, 14);
    drawTemple(p, QRectF(size.width() * 0.15, size.height() * 0.18, size.width() * 0.7,
                         size.height() * 0.62));
    p.fillRect(QRectF(0, size.height() * 0.8, size.width(), size.height() * 0.2),
               QColor(30, 20, 40));
    if (flags) {
        drawFlag(p, QRectF(8, size.height() - 30, 36, 22), true);
        drawFlag(p, QRectF(size.width() - 44, size.height() - 30, 36, 22), false);
        QFont font(kSerif);
        font.setPixelSize(15);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(0, size.height() - 30, size.width(), 22), Qt::AlignCenter,
                   QStringLiteral("Vocaboro"));
    }
    return pixmap;
}

QPixmap letterBackground(QSize size, QColor from, QColor letters, const QStringList& text,
                         int pixels, int columns) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::black);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient glow(QPointF(60, 60), 160);
    glow.setColorAt(0, from);
    glow.setColorAt(1, Qt::black);
    p.fillRect(pixmap.rect(), glow);
    p.setFont(thaiFont(pixels));
    p.setPen(letters);
    for (int i = 0; i < text.size(); ++i)
        p.drawText(
            QPointF(14 + (i % columns) * 62 + (columns == 1 ? 20 * i : 0), 70 + (i / columns) * 78),
            text[i]);
    return pixmap;
}

QPixmap icon(QColor back, QColor ink, const QString& letter) {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(back);
    p.setPen(QPen(ink, 2));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setFont(thaiFont(24));
    p.drawText(QRectF(0, 0, 32, 32), Qt::AlignCenter, letter);
    return pixmap;
}

// The programs' icons for the menus, drawn on a 32-unit square like the 32 x 32 icon above
// but as outlines, so that every size and the SVG file show the same shapes.
struct IconDesign {
    QColor back, ink;
    QString letter;
};

QPainterPath iconLetter(const QString& letter) {
    const QFont font = thaiFont(24);
    const QFontMetricsF metrics(font);
    QPainterPath path;
    path.addText((32 - metrics.horizontalAdvance(letter)) / 2,
                 (32 - metrics.height()) / 2 + metrics.ascent(), font, letter);
    return path;
}

QPixmap scalableIcon(const IconDesign& design, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setBrush(design.back);
    p.setPen(QPen(design.ink, 2));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 6, 6);
    p.setPen(Qt::NoPen);
    p.setBrush(design.ink);
    p.drawPath(iconLetter(design.letter));
    return pixmap;
}

QString svgNumber(double value) {
    return QString::number(value, 'f', 3);
}

QString svgPathData(const QPainterPath& path) {
    QStringList parts;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        const QString point = svgNumber(e.x) + QLatin1Char(' ') + svgNumber(e.y);
        if (e.isMoveTo())
            parts << QStringLiteral("M") + point;
        else if (e.isLineTo())
            parts << QStringLiteral("L") + point;
        else if (e.isCurveTo())
            parts << QStringLiteral("C") + point;
        else
            parts << point; // the curve's second control point and its end
    }
    return parts.join(QLatin1Char(' '));
}

void saveSvgIcon(const IconDesign& design, const QString& name) {
    const QString svg =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
            "viewBox=\"0 0 32 32\">\n"
            "  <rect x=\"1\" y=\"1\" width=\"30\" height=\"30\" rx=\"6\" ry=\"6\" fill=\"%1\" "
            "stroke=\"%2\" stroke-width=\"2\"/>\n"
            "  <path fill=\"%2\" d=\"%3\"/>\n"
            "</svg>\n")
            .arg(design.back.name(), design.ink.name(), svgPathData(iconLetter(design.letter)));
    QFile file(out + QLatin1Char('/') + name);
    if (!file.open(QIODevice::WriteOnly) || file.write(svg.toUtf8()) < 0)
        std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
}

QPixmap directionIcon(bool italyFirst) {
    QPixmap pixmap(44, 30);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawFlag(p, QRectF(1, 1, 24, 16), italyFirst);
    drawFlag(p, QRectF(19, 13, 24, 16), !italyFirst);
    return pixmap;
}

// A loudspeaker with two waves, drawn on a 32-unit square at `size` pixels.
QPixmap speaker(int size = 32) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
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
    return pixmap;
}

QPixmap helpPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(10, 10, 30));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawFlag(p, QRectF(6, 6, size.width() - 12, size.height() * 0.3), false);
    p.setFont(thaiFont(40));
    p.setPen(QColor(255, 220, 120));
    p.drawText(QRectF(0, size.height() * 0.35, size.width(), size.height() * 0.6), Qt::AlignCenter,
               QString::fromUtf16(u"ไทย"));
    return pixmap;
}

QPixmap market(QSize size) {
    // Fruit stalls under striped awnings.
    QPixmap pixmap(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(120, 190, 240));
    sky.setColorAt(1, QColor(230, 240, 250));
    p.fillRect(pixmap.rect(), sky);
    const int stalls = 3;
    const double w = size.width() / double(stalls);
    for (int s = 0; s < stalls; ++s) {
        const QRectF awning(s * w + 4, size.height() * 0.25, w - 8, 26);
        for (int k = 0; k < 6; ++k)
            p.fillRect(QRectF(awning.left() + k * awning.width() / 6, awning.top(),
                              awning.width() / 6, awning.height()),
                       k % 2 ? Qt::white : QColor(200 - 50 * s, 40 + 60 * s, 60));
        p.fillRect(QRectF(awning.left() + 4, awning.bottom(), 3, size.height() * 0.4),
                   QColor(90, 60, 30));
        p.fillRect(QRectF(awning.right() - 7, awning.bottom(), 3, size.height() * 0.4),
                   QColor(90, 60, 30));
        const QRectF table(awning.left(), size.height() * 0.62, awning.width(), 14);
        p.fillRect(table, QColor(140, 95, 45));
        const QColor fruit[] = {QColor(250, 200, 40), QColor(240, 120, 20), QColor(120, 180, 40),
                                QColor(200, 30, 60)};
        for (int f = 0; f < 5; ++f) {
            p.setBrush(fruit[(f + s) % 4]);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QPointF(table.left() + 8 + f * (table.width() - 16) / 4, table.top() - 6),
                          6, 6);
        }
    }
    p.fillRect(QRectF(0, size.height() * 0.8, size.width(), size.height() * 0.2),
               QColor(150, 140, 120));
    p.setFont(thaiFont(22));
    p.setPen(QColor(60, 30, 10));
    p.drawText(QRectF(0, size.height() * 0.05, size.width(), 30), Qt::AlignCenter,
               QString::fromUtf16(u"ตลาด"));
    return pixmap;
}

QPixmap flagPicture(bool italy) {
    QPixmap pixmap(68, 50);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    drawFlag(p, QRectF(4, 6, 60, 38), italy);
    return pixmap;
}

QPixmap banner() {
    QPixmap pixmap(208, 33);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 208, 0);
    g.setColorAt(0, QColor(0, 146, 70));
    g.setColorAt(0.5, QColor(244, 245, 240));
    g.setColorAt(1, QColor(45, 42, 74));
    p.fillRect(pixmap.rect(), g);
    QFont font(kSerif);
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(120, 0, 0));
    p.drawText(pixmap.rect(), Qt::AlignCenter,
               QStringLiteral("Italiano - ") + QString::fromUtf16(u"ไทย"));
    return pixmap;
}

QPixmap chartStrip() {
    QPixmap pixmap(625, 12);
    QPainter p(&pixmap);
    QLinearGradient g(0, 0, 625, 0);
    g.setColorAt(0, QColor(120, 80, 0));
    g.setColorAt(0.5, QColor(64, 0, 64));
    g.setColorAt(1, QColor(120, 80, 0));
    p.fillRect(pixmap.rect(), g);
    return pixmap;
}

QPixmap book() {
    QPixmap pixmap(49, 19);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
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

QPixmap alphabet() {
    QPixmap pixmap(32, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setFont(thaiFont(16));
    p.setPen(QColor(120, 0, 120));
    p.drawText(QRectF(0, 0, 32, 18), Qt::AlignCenter, QString::fromUtf16(u"กขค"));
    return pixmap;
}

QPixmap loadButton(bool thaiFirst) {
    QPixmap pixmap(32, 18);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor italy(0, 146, 70), thai(45, 42, 74);
    p.fillRect(QRectF(1, 3, 11, 12), thaiFirst ? thai : italy);
    p.fillRect(QRectF(20, 3, 11, 12), thaiFirst ? italy : thai);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(13, 9), QPointF(19, 9));
    p.drawLine(QPointF(16, 6), QPointF(19, 9));
    p.drawLine(QPointF(16, 12), QPointF(19, 9));
    return pixmap;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: render_artwork FOLDER\n");
        return 2;
    }
    out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out);

    const QStringList consonants = {
        QString::fromUtf16(u"ก"), QString::fromUtf16(u"ข"), QString::fromUtf16(u"ค"),
        QString::fromUtf16(u"ง"), QString::fromUtf16(u"จ"), QString::fromUtf16(u"ฉ"),
        QString::fromUtf16(u"ช"), QString::fromUtf16(u"ซ"), QString::fromUtf16(u"ญ")};
    save(letterBackground({200, 257}, QColor(20, 30, 70), QColor(40, 55, 110), consonants, 34, 3),
         "console_background.png");
    save(dusk({217, 169}, 0.0, true), "console_main.png");
    save(helpPicture({89, 104}), "console_help.png");
    save(directionIcon(true), "direction_it_th.png");
    save(directionIcon(false), "direction_th_it.png");
    save(speaker(), "speaker.png");
    save(speaker(96), "listen.png"); // Ripasso's sound drill
    const IconDesign chartola{QColor(255, 255, 0), QColor(64, 0, 64), QString::fromUtf16(u"ก")};
    const IconDesign vocaboro{QColor(0, 200, 0), QColor(0, 0, 0), QString::fromUtf16(u"ค")};
    const IconDesign ripasso{QColor(150, 205, 255), QColor(0, 40, 110), QString::fromUtf16(u"ร")};
    save(icon(chartola.back, chartola.ink, chartola.letter), "chartola_icon.png");
    save(icon(vocaboro.back, vocaboro.ink, vocaboro.letter), "vocaboro_icon.png");
    save(icon(ripasso.back, ripasso.ink, ripasso.letter), "ripasso_icon.png");
    QDir(out).mkpath(QStringLiteral("icons"));
    const std::pair<IconDesign, QString> programs[] = {{chartola, QStringLiteral("chartola")},
                                                       {vocaboro, QStringLiteral("vocaboro")},
                                                       {ripasso, QStringLiteral("ripasso")}};
    for (const auto& [design, program] : programs) {
        for (int size : {48, 64, 128, 256})
            save(scalableIcon(design, size),
                 QStringLiteral("icons/%1-%2.png").arg(program).arg(size));
        saveSvgIcon(design, QStringLiteral("icons/%1.svg").arg(program));
    }
    save(chartStrip(), "chart_strip.png");
    save(book(), "dictionary_button.png");
    save(alphabet(), "alphabet_button.png");
    save(loadButton(false), "load_forward.png");
    save(loadButton(true), "load_reverse.png");
    const QStringList words = {QString::fromUtf16(u"คำ"), QString::fromUtf16(u"ภาษา"),
                               QString::fromUtf16(u"ไทย")};
    save(letterBackground({200, 257}, QColor(50, 10, 70), QColor(80, 45, 100), words, 36, 1),
         "frames/dictionary_background-0.png");
    for (int f = 0; f < 6; ++f)
        save(dusk({200, 262}, f / 6.0, false),
             QStringLiteral("frames/credits_temple-%1.png").arg(f));
    save(market({198, 226}), "credits_market.png");
    save(flagPicture(true), "credits_flag_it.png");
    save(flagPicture(false), "credits_flag_th.png");
    save(banner(), "credits_banner.png");
    return 0;
}
