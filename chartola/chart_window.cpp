#include "chart_window.h"

#include "alphabet/consonant_table.h"
#include "platform/enter_clicks.h"
#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/pictures.h"
#include "platform/placement.h"
#include "platform/text.h"
#include "platform/widget_look.h"
#include "platform/wrap_button.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

using alphabet::Consonant;
using alphabet::consonant;
using alphabet::ConsonantClass;
using alphabet::consonantTable;
using platform::place;

namespace chartola {
namespace {

struct ChartText {
    Q_DECLARE_TR_FUNCTIONS(chartola::ChartText)
};

const QString kTitle =
    QStringLiteral("Learning Alphabet THAI      by   https://chartola.example.org");

QString classText(const Consonant& c) {
    switch (c.letterClass) {
    case ConsonantClass::Mid:
        return ChartText::tr("mid class consonant");
    case ConsonantClass::High:
        return ChartText::tr("high class consonant");
    case ConsonantClass::Low:
        return ChartText::tr("low class consonant");
    case ConsonantClass::VowelLetter:
        return ChartText::tr("vowel letter");
    }
    return {};
}

} // namespace

QString letterTooltip(const Consonant& c) {
    QString tip = QStringLiteral("THAI CHARACTER ") + QLatin1String(c.standardName) +
                  QStringLiteral("\n") + classText(c);
    if (c.obsolete)
        tip += ChartText::tr("\nno longer used");
    return tip;
}

Form1::Form1(ChartLinks links, QWidget* parent) : QWidget(parent), links_(std::move(links)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kTitle);
    setWindowIcon(platform::loadIcon("chartola_icon.png"));
    setFixedSize(platform::twipsToPixels(7230), platform::twipsToPixels(6105));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(64, 0, 64));
    setPalette(pal);
    setAutoFillBackground(true);
    setFont(platform::makeFont(platform::kSansFont, 8.25)); // the old default font

    Label1 = place(new QLabel(QStringLiteral("Le 46 consonanti Thai"), this), "Label1",
                   {2160, 0, 3015, 255}, platform::makeFont(platform::kSansFont, 12));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setStyleSheet(QStringLiteral("color: %1; background: transparent;")
                              .arg(palette().color(QPalette::HighlightedText).name()));

    for (const Consonant& c : consonantTable()) {
        const QByteArray name = "Command" + QByteArray::number(c.number);
        auto* button =
            place(new platform::MarkedButton(QString::number(c.number), this), name.constData(),
                  {360 + 840 * c.column(), 480 + 840 * c.row(), 735, 735},
                  platform::makeFont(platform::kThaiFixedFont, 36));
        button->setStyleSheet(
            QStringLiteral("QPushButton { background-color: rgb(%1, %2, %3); color: "
                           "black; border: 2px outset #e0e0e0; padding: 0; }"
                           "QPushButton:pressed { border-style: inset; }")
                .arg(c.background.red)
                .arg(c.background.green)
                .arg(c.background.blue));
        button->setToolTip(letterTooltip(c));
        connect(button, &QPushButton::clicked, this, [this, n = c.number] { CommandN_Click(n); });
        letterButtons_[static_cast<std::size_t>(c.number - 1)] = button;
    }

    Text2 = place(new QLineEdit(this), "Text2", {5400, 4680, 1575, 285});
    Text2->setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 192);"));
    Text2->setAlignment(Qt::AlignCenter);
    Text1 = place(new QLineEdit(this), "Text1", {5400, 5040, 1575, 285});
    Text1->setAlignment(Qt::AlignCenter);
    Text3 = place(new QLineEdit(this), "Text3", {1200, 5640, 4095, 285});
    Text3->setStyleSheet(QStringLiteral("background-color: rgb(255, 192, 255);"));
    Text2->setAccessibleName(ChartText::tr("Name of the letter"));
    Text1->setAccessibleName(ChartText::tr("Reading of the letter"));
    Text3->setAccessibleName(ChartText::tr("Your notes"));

    // The picture stands above the caption, so that both fit the button.
    Command48 = place(new platform::WrapButton(QStringLiteral("Dictionary"), this), "Command48",
                      {5400, 5400, 1575, 615});
    Command48->setIcon(platform::loadIcon("dictionary_button.png"));
    Command48->setIconSize(QSize(49, 19));
    Command47 = place(new platform::WrapButton(QStringLiteral("About"), this), "Command47",
                      {360, 5640, 615, 255});
    connect(Command47, &QPushButton::clicked, this, &Form1::Command47_Click);
    connect(Command48, &QPushButton::clicked, this, &Form1::Command48_Click);
    platform::EnterClicks::installOnAll(this);
}

void Form1::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    static const QPixmap strip = platform::loadPicture("chart_strip.png");
    painter.drawPixmap(0, 0, strip);
}

void Form1::Form_Load() {
    SoundPath = links_.dialogs.inputBox(
        QStringLiteral("Path Folder of locate Sound File(*.wav) "),
        QStringLiteral("Configure Chartola : location of file sound *.wav "),
        QStringLiteral("C:\\THAI\\"), 3000, 2000);
    main();
}

void Form1::CommandN_Click(int number) {
    const Consonant& c = consonant(number);
    platform::setWholeText(Text1, QString::fromUtf8(c.reading));
    platform::setWholeText(Text2, QString::fromUtf8(c.nameLine));
    SoundFile = QString::fromUtf8(c.soundFile);
    int& toggle = toggles_[static_cast<std::size_t>(number - 1)];
    toggle = toggle == 0 ? 1 : 0;
    main();
}

void Form1::main() {
    for (const Consonant& c : consonantTable())
        if (toggles_[static_cast<std::size_t>(c.number - 1)] == 0)
            letterButtons_[static_cast<std::size_t>(c.number - 1)]->setText(
                platform::fromThai(std::string(1, static_cast<char>(c.code))));
    links_.player.setFileName(SoundPath + SoundFile);
    links_.player.setAutoStart(true);
}

void Form1::Command47_Click() {
    links_.showAbout();
}

void Form1::Command48_Click() {
    links_.showDictionary();
}

void Form1::Form_Unload() {
    links_.endProgram();
}

void Form1::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

} // namespace chartola
