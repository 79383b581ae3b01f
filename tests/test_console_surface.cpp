// The console's printing surface on its own: rows that end at the wrap column, pieces that
// keep their order, fonts and colours across a wrap, scrolling, and the text screen readers get.

#include "platform/console_surface.h"
#include "platform/fonts.h"
#include "platform/geometry.h"

#include <QAccessible>
#include <QApplication>
#include <QFontMetricsF>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

using platform::ConsoleSurface;
using platform::Palette;
using platform::PrintedPiece;

namespace {

struct Printed {
    QString text;
    QString font;
    double size;
    Palette color;
};

// Prints each piece in its own font and colour; the last one ends the line.
void printAll(ConsoleSurface& console, const QList<Printed>& pieces) {
    for (int i = 0; i < pieces.size(); ++i) {
        console.setFontName(pieces[i].font);
        console.setFontSize(pieces[i].size);
        console.setForeColor(pieces[i].color);
        console.print(pieces[i].text, i == pieces.size() - 1);
    }
}

// How far the visible part of the piece reaches: a blank at the end of a row shows nothing.
double inkRight(const ConsoleSurface& console, const PrintedPiece& piece) {
    QFont font(piece.fontName);
    font.setPointSizeF(piece.fontSize);
    const QString shown = QStringView(piece.text).trimmed().isEmpty() ? QString() : piece.text;
    QString trimmed = shown;
    while (trimmed.endsWith(QLatin1Char(' ')))
        trimmed.chop(1);
    return console.area(piece).left() + QFontMetricsF(font).horizontalAdvance(trimmed);
}

// Turns the mouse wheel over the widget, one notch at a time (up for positive counts).
void wheel(QWidget* widget, int notches) {
    for (int i = 0; i < std::abs(notches); ++i) {
        QWheelEvent event(QPointF(10, 10), widget->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, notches > 0 ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(widget, &event);
    }
}

} // namespace

class TestConsoleSurface : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { platform::installFontSubstitutes(); }
    void rowsEndAtTheWrapColumnAndPiecesStayWhole();
    void scrollsToTheNewestRowAndBack();
    void screenReadersGetTheLines();
};

void TestConsoleSurface::rowsEndAtTheWrapColumnAndPiecesStayWhole() {
    ConsoleSurface console;
    console.resize(600, 400);
    console.setWrapColumn(platform::pixelsToTwips(260));
    const double rowEnd = 260 - console.scrollBar()->sizeHint().width();
    const QString serif = platform::kSerifFont;
    const QString thai = platform::kThaiFixedFont;
    const QList<Printed> printed = {
        {QStringLiteral(" 1 "), serif, 12, Palette::LightGreen},
        {QStringLiteral("> "), serif, 12, Palette::LightGreen},
        {QStringLiteral("precipitevolissimevolmente"), serif, 12, Palette::White},
        {QStringLiteral(" = "), serif, 12, Palette::DarkGrey},
        // Thai words run together without blanks; a row may end only between clusters.
        {QString::fromUtf16(u" บ้านเรือนที่อยู่อาศัยของครอบครัวใหญ่ที่น่ารัก"), thai, 30, Palette::White},
        {QStringLiteral("  [ baan ruean thii yuu aasai ]"), serif, 12, Palette::LightMagenta},
        {QStringLiteral("  (una parola lunghissima: ") + QString(80, QLatin1Char('x')) +
             QStringLiteral(")"),
         serif, 12, Palette::LightGrey},
    };
    printAll(console, printed);

    const QList<PrintedPiece>& pieces = console.pieces();
    QVERIFY(pieces.size() > printed.size()); // some pieces went on over two rows
    QVERIFY(pieces.last().row >= 3);
    // In order, each printed text is its parts joined, every part in the text's font and colour.
    int at = 0;
    for (const Printed& p : printed) {
        QString joined;
        while (at < pieces.size() && joined.size() < p.text.size()) {
            const PrintedPiece& piece = pieces[at++];
            QCOMPARE(piece.fontName, p.font);
            QCOMPARE(piece.fontSize, p.size);
            QCOMPARE(piece.color, p.color);
            QCOMPARE(piece.line, 0);
            QVERIFY2(piece.text.isEmpty() || !piece.text.front().isMark(),
                     qPrintable(QStringLiteral("a part begins with a mark: ") + piece.text));
            joined += piece.text;
        }
        QCOMPARE(joined, p.text);
    }
    QCOMPARE(at, pieces.size());
    // Still one line for whoever reads the text.
    QStringList expected{QString()};
    for (const Printed& p : printed)
        expected.first() += p.text;
    QCOMPARE(console.lines(), expected);
    // No part shows past the row's end; the parts of a row share its top; rows go down.
    int lastRow = -1;
    int lastTop = -1;
    for (const PrintedPiece& piece : pieces) {
        QVERIFY2(inkRight(console, piece) <= rowEnd + 0.5, qPrintable(piece.text));
        if (piece.row != lastRow) {
            QVERIFY(piece.yTwips > lastTop);
            QCOMPARE(piece.xTwips, 0); // a new row starts at the left
            lastRow = piece.row;
            lastTop = piece.yTwips;
        }
        QCOMPARE(piece.yTwips, lastTop);
    }
    // Without a column the surface's own width counts.
    ConsoleSurface wide;
    wide.resize(2000, 400);
    printAll(wide, printed.mid(0, 6));
    QCOMPARE(wide.pieces().size(), 6);
}

void TestConsoleSurface::scrollsToTheNewestRowAndBack() {
    ConsoleSurface console;
    console.resize(400, 200);
    console.setWrapColumn(platform::pixelsToTwips(300));
    console.show();
    console.setFontName(platform::kSerifFont);
    console.setFontSize(12);
    console.printLine(Palette::White, QStringLiteral("first"));
    QVERIFY(!console.scrollBar()->isVisible());
    for (int i = 2; i <= 30; ++i)
        console.printLine(Palette::White, QStringLiteral("line %1").arg(i));
    // Blank lines at the end do not scroll the text.
    const int offset = console.scrollOffset();
    console.printLine(Palette::White, QString());
    console.printLine(Palette::White, QStringLiteral("   "));
    QCOMPARE(console.scrollOffset(), offset);

    QVERIFY(console.scrollBar()->isVisible());
    QCOMPARE(console.scrollBar()->x() + console.scrollBar()->width(), 300);
    const QList<PrintedPiece>& pieces = console.pieces();
    const PrintedPiece& last =
        pieces.last().text == QLatin1String("   ") ? pieces[pieces.size() - 2] : pieces.last();
    QCOMPARE(last.text, QStringLiteral("line 30"));
    // The newest row is in sight at the bottom; the first went out of sight at the top.
    QVERIFY(console.area(last).bottom() <= console.height() + 0.5);
    QVERIFY(console.area(last).bottom() > console.height() - 30);
    QVERIFY(console.area(pieces.first()).top() < 0);
    // The wheel brings the first rows back, and goes no further than the text.
    wheel(&console, 50);
    QCOMPARE(console.scrollOffset(), 0);
    QVERIFY(console.area(pieces.first()).top() >= 0);
    wheel(&console, -50);
    QCOMPARE(console.scrollOffset(), offset);
    // A clear starts again at the top, with nothing to scroll.
    console.cls();
    QCOMPARE(console.scrollOffset(), 0);
    QVERIFY(!console.scrollBar()->isVisible());
}

void TestConsoleSurface::screenReadersGetTheLines() {
    ConsoleSurface console;
    console.resize(300, 300);
    console.setWrapColumn(platform::pixelsToTwips(150));
    console.setFontName(platform::kSerifFont);
    console.setFontSize(12);
    console.setForeColor(Palette::LightGreen);
    console.print(QStringLiteral(" 1 > "));
    console.setForeColor(Palette::White);
    console.print(QStringLiteral("casa = [ baan ] (una casa grande con giardino)"), true);
    console.printLine(Palette::White, QStringLiteral(" 2 > casa = [ ruean ]"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&console);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::Terminal);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("Console"));
    QAccessibleTextInterface* text = accessible->textInterface();
    QVERIFY(text);
    const QString first = QStringLiteral(" 1 > casa = [ baan ] (una casa grande con giardino)");
    const QString second = QStringLiteral(" 2 > casa = [ ruean ]");
    const QString all = first + QLatin1Char('\n') + second;
    QCOMPARE(text->characterCount(), all.size());
    QCOMPARE(text->text(0, text->characterCount()), all);
    // Line by line: a wrapped line is read whole.
    int start = 0;
    int end = 0;
    QCOMPARE(text->textAtOffset(30, QAccessible::LineBoundary, &start, &end),
             first + QLatin1Char('\n'));
    QCOMPARE(start, 0);
    QCOMPARE(text->textAfterOffset(30, QAccessible::LineBoundary, &start, &end), second);
    QCOMPARE(text->textBeforeOffset(static_cast<int>(first.size()) + 3, QAccessible::LineBoundary,
                                    &start, &end),
             first + QLatin1Char('\n'));
    QCOMPARE(text->textAtOffset(6, QAccessible::WordBoundary, &start, &end),
             QStringLiteral("casa"));
    console.cls();
    QCOMPARE(text->characterCount(), 0);
    // What a screen reader keeps of the text, built from the insertions it is told of, is the
    // text it reads back: each insertion at its right offset, line ends and blank lines too.
    QString heard;
    QObject::connect(
        &console, &ConsoleSurface::textInserted,
        [&heard](int offset, const QString& inserted) { heard.insert(offset, inserted); });
    console.print(QStringLiteral(" 1 > "));
    console.print(QStringLiteral("gatto = [ maeu ]"), true);
    console.endLine();
    console.print(QStringLiteral(" 2 > cane"), true);
    console.print(QStringLiteral(" 3 > "));
    QCOMPARE(heard, text->text(0, text->characterCount()));
}

QTEST_MAIN(TestConsoleSurface)
#include "test_console_surface.moc"
