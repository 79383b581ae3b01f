// The two help pages printed on the console.

#include "console_window.h"

#include "platform/fonts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vocaboro {
namespace {

QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}
QString hyphens(int n) {
    return QString(n, QLatin1Char('-'));
}

} // namespace

void Form1::help() {
    console_->cls();
    Picture2->show();
    Label15->show();
    Label8->hide();
    Command1->show();
    for (QWidget* w : std::initializer_list<QWidget*>{Picture1, Command3D1, Command3D2, Command3d9,
                                                      Command3D10, Command3D11, Command3D12,
                                                      Command3, Command4, Command5, Text8})
        w->hide();
    fitConsoleToControls();

    platform::ConsoleSurface& c = *console_;
    c.setFontName(platform::kSerifFont);
    c.setFontBold(true); // the emphasis of the title line
    c.setFontSize(12);
    c.printLine(15, {});
    c.printLine(15, blanks(8) + QStringLiteral("VOCABORO  DICTIONARY") + blanks(2) +
                        QStringLiteral("- made by the Thai kit team"));
    c.setFontBold(false);
    c.printLine(14, {});
    c.printLine(14, blanks(13) +
                        QStringLiteral("Chat: +39 000 000 0000   e-mail: vocaboro@example.org"));
    c.printLine(15, blanks(3) + hyphens(63));
    c.setFontSize(11);
    c.printLine(14, QStringLiteral("      This is a simply program but have big possibility:"));
    c.printLine(11, QStringLiteral("   - Implement many vocable (Thai and Italian)"));
    c.printLine(
        11, QStringLiteral("   - Translate Thailand writing(ThaiFonts) to Italian Vocable (#)"));
    c.printLine(11, QStringLiteral("   - Pronunciation whith Audio files (#)"));
    c.printLine(11, QStringLiteral("   - Upgrade program and vocable-files (DAT) with Internet !"));
    c.printLine(11, {});
    c.printLine(10, QStringLiteral("  example use..."));
    c.printLine(10, {});
    c.printLine(
        10, QStringLiteral("  Click Icon Translate and enter your Vocable...[and press ENTER]"));
    c.printLine(11, QStringLiteral("  or Utility... for example"));
    c.printLine(
        10, QStringLiteral("  a*   [ENTER]   for read list of all words with 'A' first letter.."));
    c.printLine(
        10, QStringLiteral("  b*   [ENTER]   for read list of all words with 'B' first letter.."));
    c.printLine(10, {});
    c.printLine(10, QStringLiteral(
                        "  'Click'on icon for change traduction: ITALIAN ->>- THAILAND or THAILAND "
                        "->>- ITALIAN"));
    c.printLine(10, blanks(25));
    c.printLine(7, QStringLiteral(
                       "  (#)  Sorry, this functions not Available... I working for complete this "
                       "programs... "));
    c.printLine(7,
                QStringLiteral(
                    "      When I have complete this program will possible Download from my web."));
    c.printLine(7, {});
    c.printLine(7, {});
}

void Form1::help2() {
    console_->cls();
    Command1->hide();
    Command2->show();
    Command2->setFocus();
    fitConsoleToControls();

    platform::ConsoleSurface& c = *console_;
    c.setFontName(platform::kSerifFont);
    c.setFontBold(false);
    c.setFontSize(11);
    c.printLine(14, {});
    c.printLine(14, blanks(8) + QStringLiteral("VOCABORO DICTIONARY") + blanks(1) +
                        QStringLiteral("- made by the Thai kit team"));
    c.printLine(14, {});
    c.printLine(14, blanks(32) + QStringLiteral("Internet URL :"));
    c.printLine(14, blanks(36) + QStringLiteral("https://vocaboro.example.org"));
    c.printLine(14, blanks(36) + QStringLiteral("https://thai-kit.example.net"));
    c.printLine(14, blanks(36) + QStringLiteral("https://example.com/vocaboro/files"));
    c.printLine(14, blanks(36) + QStringLiteral("https://example.org/chartola"));
    c.printLine(14, blanks(36) + QStringLiteral("Chat: +39 000 000 0000"));
    c.printLine(14, blanks(36) + QStringLiteral("e-mail: vocaboro@example.org"));
    c.printLine(10, blanks(3) + hyphens(82));
    c.printLine(11, {});
    c.printLine(11, QStringLiteral(
                        "    Use 'Pattachooti' or another keyboard for input Thai Character..."));
    c.printLine(11, QStringLiteral("    and use 'DB ThaiTextFixed' TTFonts..."));
    c.printLine(11, QStringLiteral("    Use program 'thaikbd.exe' Thai Language Switcher "));
    c.printLine(11,
                QStringLiteral("    for change Keyboard from English to Thailand caracter-set"));
    c.printLine(12, {});
    c.printLine(12,
                QStringLiteral("  CAUTION : for correct use Caps Lock ever in OFF position ! "));
}

} // namespace vocaboro
