// The two help pages printed on the console, and what shows beside them.

#include "help_page.h"
#include "console_window.h"

#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/placement.h"
#include "platform/wrap_button.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace vocaboro {
namespace {

using platform::Palette;

QString blanks(int n) {
    return QString(n, QLatin1Char(' '));
}
QString hyphens(int n) {
    return QString(n, QLatin1Char('-'));
}

} // namespace

HelpPage::HelpPage(QWidget* parent) : QWidget(parent) {
    using platform::place;
    setObjectName(QStringLiteral("helpPage"));
    // The right column of the window, where the main screen's controls are while no page shows.
    setGeometry(platform::twipsRect(6120, 0, 3360, 6300));
    auto at = [](int left, int top, int width, int height) {
        return platform::Twips{left - 6120, top, width, height};
    };
    Picture2 = place(new QLabel(this), "Picture2", at(7320, 480, 1335, 1560));
    platform::showPicture(Picture2, "console_help.png");
    Label15 = place(new QLabel(tr("Drawn for the kit"), this), "Label15", at(6600, 2280, 2655, 375),
                    platform::makeFont(platform::kSerifFont, 9.75));
    Label15->setStyleSheet(QStringLiteral("color: #c0c0c0; background: transparent;"));
    Label15->setAlignment(Qt::AlignCenter);
    const QFont bold = platform::makeFont(platform::kSerifFont, 9.75, true);
    Command1 = place(new platform::WrapButton(QStringLiteral("Next... >>"), this), "Command1",
                     at(7800, 5760, 1455, 375), bold);
    Command2 = place(new platform::WrapButton(QStringLiteral("Next... >>"), this), "Command2",
                     at(7800, 5760, 1455, 375), bold);
    showPage(Page::None);
}

void HelpPage::showPage(Page page) {
    Picture2->setVisible(page != Page::None);
    Label15->setVisible(page != Page::None);
    Command1->setVisible(page == Page::First);
    Command2->setVisible(page == Page::Second);
    setVisible(page != Page::None);
}

void HelpPage::hideNextButtons() {
    Command1->hide();
    Command2->hide();
}

void Form1::help() {
    console_->cls();
    helpPage_->showPage(HelpPage::Page::First);
    Label8->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{Picture1, Command3D1, Command3D2, Command3d9,
                                                      Command3D10, Command3D11, Command3D12,
                                                      Command3, Command4, Command5, Text8})
        w->hide();
    fitConsoleToControls();

    platform::ConsoleSurface& c = *console_;
    c.setFontName(platform::kSerifFont);
    c.setFontBold(true); // the emphasis of the title line
    c.setFontSize(12);
    c.printLine(Palette::White, {});
    c.printLine(Palette::White, blanks(8) + QStringLiteral("VOCABORO  DICTIONARY") + blanks(2) +
                                    QStringLiteral("- made by the Thai kit team"));
    c.setFontBold(false);
    c.printLine(Palette::Yellow, {});
    c.printLine(Palette::Yellow,
                blanks(13) +
                    QStringLiteral("Chat: +39 000 000 0000   e-mail: vocaboro@example.org"));
    c.printLine(Palette::White, blanks(3) + hyphens(63));
    c.setFontSize(11);
    c.printLine(Palette::Yellow,
                QStringLiteral("      This is a simply program but have big possibility:"));
    c.printLine(Palette::LightCyan,
                QStringLiteral("   - Implement many vocable (Thai and Italian)"));
    c.printLine(
        Palette::LightCyan,
        QStringLiteral("   - Translate Thailand writing(ThaiFonts) to Italian Vocable (#)"));
    c.printLine(Palette::LightCyan, QStringLiteral("   - Pronunciation whith Audio files (#)"));
    c.printLine(Palette::LightCyan,
                QStringLiteral("   - Upgrade program and vocable-files (DAT) with Internet !"));
    c.printLine(Palette::LightCyan, {});
    c.printLine(Palette::LightGreen, QStringLiteral("  example use..."));
    c.printLine(Palette::LightGreen, {});
    c.printLine(
        Palette::LightGreen,
        QStringLiteral("  Click Icon Translate and enter your Vocable...[and press ENTER]"));
    c.printLine(Palette::LightCyan, QStringLiteral("  or Utility... for example"));
    c.printLine(
        Palette::LightGreen,
        QStringLiteral("  a*   [ENTER]   for read list of all words with 'A' first letter.."));
    c.printLine(
        Palette::LightGreen,
        QStringLiteral("  b*   [ENTER]   for read list of all words with 'B' first letter.."));
    c.printLine(Palette::LightGreen, {});
    c.printLine(
        Palette::LightGreen,
        QStringLiteral("  'Click'on icon for change traduction: ITALIAN ->>- THAILAND or THAILAND "
                       "->>- ITALIAN"));
    c.printLine(Palette::LightGreen, blanks(25));
    c.printLine(
        Palette::LightGrey,
        QStringLiteral("  (#)  Sorry, this functions not Available... I working for complete this "
                       "programs... "));
    c.printLine(Palette::LightGrey,
                QStringLiteral(
                    "      When I have complete this program will possible Download from my web."));
    c.printLine(Palette::LightGrey, {});
    c.printLine(Palette::LightGrey, {});
}

void Form1::help2() {
    console_->cls();
    helpPage_->showPage(HelpPage::Page::Second);
    helpPage_->Command2->setFocus();
    fitConsoleToControls();

    platform::ConsoleSurface& c = *console_;
    c.setFontName(platform::kSerifFont);
    c.setFontBold(false);
    c.setFontSize(11);
    c.printLine(Palette::Yellow, {});
    c.printLine(Palette::Yellow, blanks(8) + QStringLiteral("VOCABORO DICTIONARY") + blanks(1) +
                                     QStringLiteral("- made by the Thai kit team"));
    c.printLine(Palette::Yellow, {});
    c.printLine(Palette::Yellow, blanks(32) + QStringLiteral("Internet URL :"));
    c.printLine(Palette::Yellow, blanks(36) + QStringLiteral("https://vocaboro.example.org"));
    c.printLine(Palette::Yellow, blanks(36) + QStringLiteral("https://thai-kit.example.net"));
    c.printLine(Palette::Yellow, blanks(36) + QStringLiteral("https://example.com/vocaboro/files"));
    c.printLine(Palette::Yellow, blanks(36) + QStringLiteral("https://example.org/chartola"));
    c.printLine(Palette::Yellow, blanks(36) + QStringLiteral("Chat: +39 000 000 0000"));
    c.printLine(Palette::Yellow, blanks(36) + QStringLiteral("e-mail: vocaboro@example.org"));
    c.printLine(Palette::LightGreen, blanks(3) + hyphens(82));
    c.printLine(Palette::LightCyan, {});
    c.printLine(
        Palette::LightCyan,
        QStringLiteral("    Use 'Pattachooti' or another keyboard for input Thai Character..."));
    c.printLine(Palette::LightCyan, QStringLiteral("    and use 'DB ThaiTextFixed' TTFonts..."));
    c.printLine(Palette::LightCyan,
                QStringLiteral("    Use program 'thaikbd.exe' Thai Language Switcher "));
    c.printLine(Palette::LightCyan,
                QStringLiteral("    for change Keyboard from English to Thailand caracter-set"));
    c.printLine(Palette::LightRed, {});
    c.printLine(Palette::LightRed,
                QStringLiteral("  CAUTION : for correct use Caps Lock ever in OFF position ! "));
}

} // namespace vocaboro
