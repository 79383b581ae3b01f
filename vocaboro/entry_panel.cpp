// The new-word entry panel on the left of the console window.

#include "console_window.h"

#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/widget_look.h"
#include "platform/wrap_button.h"

#include <limits>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using platform::twipsRect;

namespace vocaboro {
void Form1::createEntryPanel() {
    auto label = [this](const char* name, const QString& caption, int l, int t, int w, int h,
                        const QString& style) {
        auto* lab = new QLabel(caption, this);
        lab->setObjectName(QLatin1String(name));
        lab->setGeometry(twipsRect(l, t, w, h));
        lab->setFont(platform::makeFont(platform::kSerifFont, 9.75));
        lab->setStyleSheet(style);
        lab->hide();
        return lab;
    };
    auto box = [this](const char* name, int l, int t, int w, int h) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setGeometry(twipsRect(l, t, w, h));
        edit->setFont(platform::makeFont(platform::kSerifFont, 9.75));
        edit->setMaxLength(std::numeric_limits<int>::max()); // never cut what the user pastes
        edit->hide();
        return edit;
    };
    auto button = [this](const char* name, const QString& caption, int l, int t, int w, int h,
                         const QString& style) {
        auto* b = new platform::WrapButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(twipsRect(l, t, w, h));
        b->setFont(platform::makeFont(platform::kSerifFont, 9.75, true));
        if (!style.isEmpty())
            b->setStyleSheet(style);
        b->hide();
        return b;
    };

    const QString rowLabel = QStringLiteral("color: white; background: transparent;");
    Label1 = label("Label1", QStringLiteral("Italy Word :"), 240, 120, 1215, 255, rowLabel);
    Label2 = label("Label2", QStringLiteral("attribute :"), 240, 480, 1215, 255, rowLabel);
    Label3 = label("Label3", QStringLiteral("THAI :"), 240, 960, 1215, 255, rowLabel);
    Label4 = label("Label4", QStringLiteral("pronunciation :"), 240, 1440, 1215, 255, rowLabel);
    Label5 = label("Label5", QStringLiteral("notes :"), 240, 1920, 1215, 255, rowLabel);
    Label6 = label("Label6", QStringLiteral("file waw Thai :"), 240, 2400, 1215, 255, rowLabel);
    Label7 = label("Label7", QStringLiteral("file wav Italy :"), 240, 2880, 1215, 255, rowLabel);

    Text1 = box("Text1", 1560, 120, 2295, 315);
    Text2 = box("Text2", 1560, 480, 2295, 315);
    Text3 = box("Text3", 1560, 840, 4215, 495);
    Text3->setFont(platform::makeFont(platform::kThaiFixedFont, 20.25));
    Text4 = box("Text4", 1560, 1440, 2295, 315);
    Text5 = box("Text5", 1560, 1920, 2295, 315);
    Text6 = box("Text6", 1560, 2400, 2295, 315);
    Text7 = box("Text7", 1560, 2880, 2295, 315);

    // The file labels grow to fit the file names (platform::setFittedText); the error box lies
    // over them while it is shown.
    Label9 = label("Label9", QStringLiteral("file DAT Italy"), 120, 3360, 1575, 255,
                   platform::flatColours(QColor(0, 255, 0)));
    Label10 = label("Label10", QStringLiteral("file DAT Thai"), 120, 3840, 1575, 255,
                    platform::flatColours(QColor(0, 255, 255)));
    Label12 = label("Label12", QString(), 1800, 3360, 2055, 735,
                    QStringLiteral("color: white; background-color: #ff0000;"));
    Label12->setFont(platform::makeFont(platform::kSerifFont, 14.25, true));
    Label12->setAlignment(Qt::AlignCenter);
    Label12->setWordWrap(true);

    Command3D4 = button("Command3D4", QStringLiteral("delete ALL field"), 120, 4200, 3735, 255, {});
    Command3D5 = button("Command3D5", QStringLiteral("CHECK Before Write Files..."), 840, 4560,
                        2295, 855, platform::flatColours(QColor(0x40, 0x60, 0xff), Qt::white));
    Command3D3 = button("Command3D3", QString(), 840, 4560, 2295, 855,
                        platform::flatColours(QColor(0xff, 0x30, 0x30), Qt::white));
    Label11 = label("Label11", QStringLiteral("file 1"), 120, 4560, 3735, 375,
                    QStringLiteral("color: white; background-color: #c00000;"));
    Label13 = label("Label13", QStringLiteral("file 2"), 120, 5040, 3735, 375,
                    QStringLiteral("color: white; background-color: #c00000;"));
    Command3D6 = button("Command3D6", QStringLiteral("End"), 360, 5520, 1455, 735, {});
    Command3D8 = button("Command3D8", QStringLiteral("Abort"), 1200, 5520, 1455, 735, {});
    Command3D7 = button("Command3D7", QStringLiteral("Next..."), 2040, 5520, 1455, 735, {});

    Label12->raise();
    const std::pair<QLabel*, QLineEdit*> rows[] = {
        {Label1, Text1}, {Label2, Text2}, {Label3, Text3}, {Label4, Text4},
        {Label5, Text5}, {Label6, Text6}, {Label7, Text7}};
    for (const auto& [caption, box] : rows) {
        box->installEventFilter(this);
        caption->setBuddy(box);
        box->setAccessibleName(caption->text().remove(QLatin1Char(':')).trimmed());
        connect(box, &QLineEdit::textEdited, this, &Form1::entryEdited);
    }
    connect(Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(Text4, &QLineEdit::textChanged, this, &Form1::Text4_Change);
    connect(Command5, &QPushButton::clicked, this, &Form1::Command5_Click);
    connect(Command3D4, &QPushButton::clicked, this, &Form1::Command3D4_Click);
    connect(Command3D5, &QPushButton::clicked, this, &Form1::Command3D5_Click);
    connect(Command3D3, &QPushButton::clicked, this, &Form1::Command3D3_Click);
    connect(Command3D6, &QPushButton::clicked, this, &Form1::Command3D6_Click);
    connect(Command3D7, &QPushButton::clicked, this, &Form1::Command3D7_Click);
    connect(Command3D8, &QPushButton::clicked, this, &Form1::Command3D8_Click);

    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Text3);
    setTabOrder(Text3, Text4);
    setTabOrder(Text4, Text5);
    setTabOrder(Text5, Text6);
    setTabOrder(Text6, Text7);
}

QList<QWidget*> Form1::entryPanel() const {
    return {Label1,     Label2,     Label3,     Label4,    Label5,  Label6,     Label7,
            Label9,     Label10,    Label11,    Label12,   Label13, Text1,      Text2,
            Text3,      Text4,      Text5,      Text6,     Text7,   Command3D3, Command3D4,
            Command3D5, Command3D6, Command3D7, Command3D8};
}

void Form1::entryEdited() {
    Command3D3->hide();
}

} // namespace vocaboro

namespace vocaboro {

void Form1::openPanel(PanelOpener opener) {
    console_->cls();
    if (opener == PanelOpener::Button) {
        Command1->hide();
        Command2->hide();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{
             Label1, Label2, Label3, Label4, Label5, Label6, Label7, Label9, Label10, Text1, Text2,
             Text3, Text4, Text5, Text6, Text7, Command3D4, Command3D5, Command3D8})
        w->show();
    for (QWidget* w : std::initializer_list<QWidget*>{Label11, Label13, Label12, Command3D3,
                                                      Command3D6, Command3D7})
        w->hide();
    if (opener == PanelOpener::Button) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{Command3d9, Command3D10, Command3D11, Command5})
            w->hide();
        Command3->show();
    } else {
        for (QWidget* w : std::initializer_list<QWidget*>{Command3D10, Command3D11, Command3D12,
                                                          Command3, Command5})
            w->hide();
    }
    Label8->hide();
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7})
        box->clear();
    if (opener == PanelOpener::ItalianLookup)
        Text1->setText(lookupWord_);
    else if (opener == PanelOpener::ThaiLookup)
        Text4->setText(lookupPronunciation_);
    platform::setFittedText(Label9, QStringLiteral("file DAT Italy"));
    platform::setFittedText(Label10, QStringLiteral("file DAT Thai"));
    Label11->clear();
    Label12->clear();
    Label13->clear();
    if (opener == PanelOpener::Button) {
        Label14->hide();
        Text8->hide();
        Command3D12->hide();
    }
    (opener == PanelOpener::ItalianLookup ? Text2 : Text1)->setFocus();
}

void Form1::neww() {
    openPanel(PanelOpener::ItalianLookup);
}
void Form1::newwt() {
    openPanel(PanelOpener::ThaiLookup);
}
void Form1::Command5_Click() {
    openPanel(PanelOpener::Button);
}

void Form1::entryKeyPress(int box, int keyAscii) {
    if (keyAscii != 13)
        return;
    // Enter moves on, refuses to leave an empty key word, and marks an empty optional box.
    struct Row {
        QLineEdit* Form1::*box;
        QWidget* next;
        const char* marker; // nullptr: a required box
    };
    const Row rows[] = {
        {&Form1::Text1, Text2, nullptr},
        {&Form1::Text2, Text3, datafiles::kNoAttribute},
        {&Form1::Text3, Text4, datafiles::kNoThai},
        {&Form1::Text4, Text5, nullptr},
        {&Form1::Text5, Text6, datafiles::kNoNote},
        {&Form1::Text6, Text7, datafiles::kNoSound},
        {&Form1::Text7, Command3D5, datafiles::kNoSound},
    };
    const Row& row = rows[box];
    QLineEdit* edit = this->*row.box;
    if (!row.next->isHidden())
        row.next->setFocus();
    if (!edit->text().isEmpty())
        return;
    if (row.marker)
        edit->setText(QLatin1String(row.marker));
    else
        edit->setFocus();
}

void Form1::Text1_Change() {
    Label12->hide();
}
void Form1::Text4_Change() {
    Label12->hide();
}

void Form1::Command3D4_Click() {
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7})
        box->clear();
    platform::setFittedText(Label9, QString());
    platform::setFittedText(Label10, QString());
    Label12->hide();
    Command3D3->hide();
    Text1->setFocus();
}

void Form1::Command3D7_Click() {
    for (QLineEdit* box : {Text1, Text2, Text3, Text4, Text5, Text6, Text7})
        box->clear();
    platform::setFittedText(Label9, QString());
    platform::setFittedText(Label10, QString());
    for (QWidget* w : std::initializer_list<QWidget*>{Label12, Label11, Label13, Command3D3,
                                                      Command3D6, Command3D7})
        w->hide();
    Command3D5->show();
    Command3D8->show();
}

void Form1::Command3D6_Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             Label1,  Label2,  Label3,  Label4,     Label5,     Label6,     Label7,     Label9,
             Label10, Label11, Label12, Label13,    Text1,      Text2,      Text3,      Text4,
             Text5,   Text6,   Text7,   Command3D3, Command3D4, Command3D5, Command3D6, Command3D7})
        w->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{Command3D10, Command3D11, Command3D12,
                                                      Command3, Command4, Command5, Label8})
        w->show();
}

void Form1::Command3D8_Click() {
    for (QWidget* w : std::initializer_list<QWidget*>{
             Label1,     Label2,     Label3,     Label4,     Label5,    Label6,  Label7,
             Label8,     Label9,     Label10,    Label11,    Label12,   Label13, Text1,
             Text2,      Text3,      Text4,      Text5,      Text6,     Text7,   Command3D3,
             Command3D4, Command3D5, Command3D6, Command3D7, Command3D8})
        w->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{Command3D10, Command3D11, Command3D12,
                                                      Command3, Command4, Command5})
        w->show();
}

} // namespace vocaboro
