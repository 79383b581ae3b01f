#pragma once
// A window surface printed on like a terminal: a print position in twips, a current font
// (name, size, bold, italic) and a colour from the 16-colour palette. Every printed piece
// is kept, so that it can be painted again and read back by tests.

#include <QList>
#include <QPixmap>
#include <QString>
#include <QWidget>

namespace platform {

struct PrintedPiece {
    QString text;
    QString fontName;
    double fontSize = 0;
    bool bold = false;
    bool italic = false;
    int color = 0; // palette index
    int xTwips = 0;
    int yTwips = 0; // top of the line the piece is on
    int line = 0;   // count of line ends printed before it since the last clear
};

class ConsoleSurface : public QWidget {
    Q_OBJECT
public:
    explicit ConsoleSurface(QWidget* parent = nullptr);

    // Erases all printed text and moves the print position to the top-left corner.
    void cls();

    void setCurrentX(int twips) { x_ = twips; }
    void setCurrentY(int twips) { y_ = twips; }
    int currentX() const { return x_; }
    int currentY() const { return y_; }

    void setFontName(const QString& name) { fontName_ = name; }
    void setFontSize(double points) { fontSize_ = points; }
    void setFontBold(bool on) { bold_ = on; }
    void setFontItalic(bool on) { italic_ = on; }
    void setForeColor(int paletteIndex) { color_ = paletteIndex; }
    QString fontName() const { return fontName_; }
    double fontSize() const { return fontSize_; }
    bool fontBold() const { return bold_; }
    bool fontItalic() const { return italic_; }
    int foreColor() const { return color_; }

    // Prints `text` as one run at the print position and advances it; with `endLine`
    // the position then moves to the start of the next line.
    void print(const QString& text, bool endLine = false);
    // Ends the line without printing anything.
    void endLine() { print(QString(), true); }
    // A whole line in one colour.
    void printLine(int paletteIndex, const QString& text) {
        setForeColor(paletteIndex);
        print(text, true);
    }
    // Numbers print with one blank before and one after them: 1 gives " 1 ".
    static QString formatNumber(long long n);

    void setBackgroundPicture(const QPixmap& picture);

    const QList<PrintedPiece>& pieces() const { return pieces_; }
    // All printed text, one string per line (ended or begun), pieces joined.
    QStringList lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QFont currentFont() const;
    static QFont fontOf(const PrintedPiece& piece);

    QList<PrintedPiece> pieces_;
    QPixmap background_;
    QString fontName_ = QStringLiteral("MS Sans Serif");
    double fontSize_ = 8.25;
    bool bold_ = false;
    bool italic_ = false;
    int color_ = 15;
    int x_ = 0;
    int y_ = 0;
    int line_ = 0;
    int lineHeight_ = 0; // tallest font printed on the current line, in twips
};

} // namespace platform
