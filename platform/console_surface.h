#pragma once
// A window surface printed on like a terminal: a print position in twips, a current font
// (name, size, bold, italic) and a colour from the 16-colour palette. Every printed piece
// is kept, so that it can be painted again and read back by tests and screen readers.
//
// A line that would run past the wrap column continues on the next row: at a place where a
// line may break, or, for a word longer than a whole row, anywhere between two characters.
// When the rows run past the bottom, the surface scrolls to the newest row; the wheel and a
// scroll bar at the wrap column bring the earlier rows back.

#include "console_printer.h"

#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QFontMetricsF;
class QKeyEvent;
class QScrollBar;

namespace platform {

struct PrintedPiece {
    QString text;
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    bool italic = false;
    Palette color = Palette::Black;
    int xTwips = 0;
    int yTwips = 0; // top of the row the piece is on, from the top of the printed text
    int line = 0;   // count of line ends printed before it since the last clear
    int row = 0;    // count of rows begun before it: a wrapped line takes more than one
};

class ConsoleSurface : public QWidget, public ConsolePrinter {
    Q_OBJECT
public:
    explicit ConsoleSurface(QWidget* parent = nullptr);

    void cls() override;
    void setCurrentX(int twips) override { x_ = twips; }
    void setCurrentY(int twips) override { y_ = twips; }
    int currentX() const { return x_; }
    int currentY() const { return y_; }

    void setFontName(const QString& name) override { fontName_ = name; }
    void setFontSize(double points) override { fontSize_ = points; }
    void setFontBold(bool on) override { bold_ = on; }
    void setFontItalic(bool on) { italic_ = on; }
    void setForeColor(Palette colour) override { color_ = colour; }
    QString fontName() const { return fontName_; }
    double fontSize() const { return fontSize_; }
    bool fontBold() const { return bold_; }
    bool fontItalic() const { return italic_; }
    Palette foreColor() const { return color_; }

    // Where rows end, in twips from the left: the controls beside the text begin there.
    // The scroll bar takes the last few pixels before it. 0: the surface's own width.
    void setWrapColumn(int twips);
    int wrapColumn() const { return wrapTwips_; }

    // Text that reaches the wrap column continues on the next row; each part is painted as
    // one run.
    void print(const QString& text, bool endLine = false) override;
    using ConsolePrinter::endLine;

    void setBackgroundPicture(const QPixmap& picture);

    const QList<PrintedPiece>& pieces() const { return pieces_; }
    // All printed text, one string per line (ended or begun), pieces joined; a wrapped line
    // is still one line.
    QStringList lines() const;
    // Where the piece is painted now, in the surface's pixels (scrolling included).
    QRectF area(const PrintedPiece& piece) const;
    // How far the text is scrolled up, in pixels.
    int scrollOffset() const;
    // Page Up and Page Down scroll by a page, Ctrl+Home and Ctrl+End to the first and the
    // last row; true when the key was one of them.
    bool scrollByKey(const QKeyEvent& key);
    QScrollBar* scrollBar() const { return scrollBar_; }

signals:
    // What screen readers are told of each print: `text` went in at `offset` of the text
    // they read back.
    void textInserted(int offset, const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QFont currentFont() const;
    static QFont fontOf(const PrintedPiece& piece);
    // What the painting needs of a row: where it is and the baseline its pieces share.
    struct Row {
        int topTwips = 0;
        double ascent = 0; // pixels
        double height = 0; // pixels
    };
    Row& currentRow();
    void noteRowFont(const QFontMetricsF& metrics);
    int rowEndTwips() const;
    void newRow();
    void place(const QString& text, double advancePixels);
    void updateScrolling();
    QString allText() const;

    QList<PrintedPiece> pieces_;
    QList<Row> rows_;
    QPixmap background_;
    QScrollBar* scrollBar_ = nullptr;
    QString fontName_ = QStringLiteral("MS Sans Serif");
    double fontSize_ = 8.25;
    bool bold_ = false;
    bool italic_ = false;
    Palette color_ = Palette::White;
    int x_ = 0;
    int y_ = 0;
    int line_ = 0;
    int row_ = 0;
    int rowHeight_ = 0; // tallest font printed on the current row, in twips
    int wrapTwips_ = 0;
    int inkBottomTwips_ = 0; // bottom of the lowest row with something visible on it
};

} // namespace platform
