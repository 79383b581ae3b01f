#pragma once
// What the console's look-ups and help pages print on: a surface written like a terminal,
// with a print position in twips, a current font and a colour of the 16-colour palette.
// The window's ConsoleSurface is one; tests record what is printed with another.

#include "thaitext/palette.h"

#include <QString>

namespace platform {

using thaitext::Palette;

class ConsolePrinter {
public:
    virtual ~ConsolePrinter() = default;

    // Erases all printed text and moves the print position to the top-left corner.
    virtual void cls() = 0;
    virtual void setCurrentX(int twips) = 0;
    virtual void setCurrentY(int twips) = 0;
    virtual void setFontName(const QString& name) = 0;
    virtual void setFontSize(double points) = 0;
    virtual void setFontBold(bool on) = 0;
    virtual void setForeColor(Palette colour) = 0;
    // Prints `text` at the print position and advances it; with `endLine` the position then
    // moves to the start of the next line.
    virtual void print(const QString& text, bool endLine = false) = 0;

    // Ends the line without printing anything.
    void endLine() { print(QString(), true); }
    // A whole line in one colour.
    void printLine(Palette colour, const QString& text) {
        setForeColor(colour);
        print(text, true);
    }
    // Numbers print with one blank before and one after them: 1 gives " 1 ".
    static QString formatNumber(long long n) {
        return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n) + QStringLiteral(" ");
    }
};

} // namespace platform
