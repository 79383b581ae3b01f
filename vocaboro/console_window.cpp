#include "console_window.h"

#include "datafiles/file_io.h"
#include "platform/enter_clicks.h"
#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/pictures.h"
#include "platform/widget_look.h"
#include "platform/wrap_button.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <limits>

using platform::twipsRect;

namespace vocaboro {
namespace {

const QString kTitle = QStringLiteral(
    "Vocaboro Dictionary   1.0 Beta Release (10082000) - a kit for Italians learning Thai");
const QString kNotAvailable = QStringLiteral(
    "Sorry, this function no Available... I working for complete this programs... When i have "
    "complete this program, update in my web.");
const QString kDataLabel = QStringLiteral("Datafile : ");

// The window's outer size is 9600 x 6800 twips; the client area is that less the frame.
constexpr int kClientWidthTwips = 9600 - 120;
constexpr int kClientHeightTwips = 6800 - 405;

} // namespace

Form1::Form1(platform::Dialogs& dialogs, ConsoleOptions options, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), options_(std::move(options)), paths_(options_.driveRoot) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(kTitle);
    setWindowIcon(platform::loadIcon("vocaboro_icon.png"));
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setFixedSize(platform::twipsToPixels(kClientWidthTwips),
                 platform::twipsToPixels(kClientHeightTwips));

    console_ = new platform::ConsoleSurface(this);
    console_->setObjectName(QStringLiteral("console"));
    console_->setGeometry(rect());
    console_->setBackgroundPicture(platform::loadPicture("console_background.png"));
    console_->lower();

    createConsoleControls();
    createEntryPanel();
    platform::EnterClicks::installOnAll(this);
}

Form1::~Form1() = default;

void Form1::createConsoleControls() {
    auto pictureButton = [this](const char* name, const QString& caption, const QColor& back, int l,
                                int t, int w, int h) {
        auto* b = new platform::WrapButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(twipsRect(l, t, w, h));
        b->setIconSize(QSize(40, 26));
        b->setFont(platform::makeFont(platform::kSansFont, 8.25));
        if (back.isValid())
            b->setStyleSheet(platform::flatColours(back));
        return b;
    };
    auto button = [this](const char* name, const QString& caption, int l, int t, int w, int h,
                         bool bold = true) {
        auto* b = new platform::WrapButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(twipsRect(l, t, w, h));
        if (bold)
            b->setFont(platform::makeFont(platform::kSerifFont, 9.75, true));
        return b;
    };
    auto label = [this](const char* name, const QString& text, const QColor& color, int l, int t,
                        int w, int h) {
        auto* lab = new QLabel(text, this);
        lab->setObjectName(QLatin1String(name));
        lab->setGeometry(twipsRect(l, t, w, h));
        lab->setFont(platform::makeFont(platform::kSerifFont, 9.75));
        lab->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(color.name()));
        return lab;
    };

    Command3D10 = pictureButton("Command3D10", QStringLiteral("Italian-Thai"), QColor(0, 192, 0),
                                6240, 2880, 975, 855);
    Command3D10->setIcon(platform::loadIcon("direction_it_th.png"));
    Command3D11 = pictureButton("Command3D11", QStringLiteral("Thai-Italian"), QColor(255, 0, 255),
                                7320, 2880, 975, 855);
    Command3D11->setIcon(platform::loadIcon("direction_th_it.png"));
    Command3D12 = pictureButton("Command3D12", QStringLiteral("Thai"), QColor(128, 0, 128), 8400,
                                2880, 855, 855);
    Command3D12->setFont(platform::makeFont(platform::kThaiButtonFont, 15.75));
    Command3D1 = pictureButton("Command3D1", QStringLiteral("Italian Pronunce"), QColor(), 6240,
                               5280, 975, 855);
    Command3D1->setIcon(platform::loadIcon("speaker.png"));
    Command3D2 = pictureButton("Command3D2", QStringLiteral("Thai Pronunce"), QColor(), 7440, 5280,
                               975, 855);
    Command3D2->setIcon(platform::loadIcon("speaker.png"));

    Command5 = button("Command5", QStringLiteral("Insert a New Vocable"), 6240, 4920, 2175, 255);
    Command5->setStyleSheet(platform::flatColours(QColor(0x80, 0xc0, 0xff)));
    Command3 = button("Command3", QStringLiteral("About"), 8520, 4920, 735, 255, false);
    Command4 = button("Command4", QStringLiteral("End"), 8520, 5760, 735, 375);
    Command1 = button("Command1", QStringLiteral("Next... >>"), 7800, 5760, 1455, 375);
    Command2 = button("Command2", QStringLiteral("Next... >>"), 7800, 5760, 1455, 375);
    Command3d9 = button("Command3d9", QStringLiteral("Go !"), 8520, 3840, 735, 975, false);

    Label14 = label("Label14", QString(), QColor(255, 140, 0), 1560, 3840, 4575, 375);
    Label14->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label8 = label("Label8", QStringLiteral("Data file..."), QColor(255, 255, 192), 6240, 4440,
                   2295, 375);
    Text8 = new QLineEdit(this);
    Text8->setObjectName(QStringLiteral("Text8"));
    Text8->setGeometry(twipsRect(6240, 3840, 2175, 435));
    Text8->setFont(platform::makeFont(platform::kSerifFont, 9.75));
    // Any length, like the entry boxes: a long entry written there can be looked up.
    Text8->setMaxLength(std::numeric_limits<int>::max());
    Text8->installEventFilter(this);

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twipsRect(6120, 120, 3255, 2535));
    platform::showPicture(Picture1, "console_main.png");
    Picture2 = new QLabel(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twipsRect(7320, 480, 1335, 1560));
    platform::showPicture(Picture2, "console_help.png");
    Label15 = label("Label15", QStringLiteral("Drawn for the kit"), QColor(192, 192, 192), 6600,
                    2280, 2655, 375);
    Label15->setAlignment(Qt::AlignCenter);

    connect(Command3D10, &QPushButton::clicked, this, &Form1::Command3D10_Click);
    connect(Command3D11, &QPushButton::clicked, this, &Form1::Command3D11_Click);
    connect(Command3D12, &QPushButton::clicked, this, &Form1::Command3D12_Click);
    connect(Command3D1, &QPushButton::clicked, this, &Form1::Command3D1_Click);
    connect(Command3D2, &QPushButton::clicked, this, &Form1::Command3D2_Click);
    connect(Command3d9, &QPushButton::clicked, this, &Form1::Command3d9_Click);
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(Command4, &QPushButton::clicked, this, &Form1::Command4_Click);
}

void Form1::fitConsoleToControls() {
    // A caption on the bare background (the labels beside the console have none) shows only
    // where its text is: text may run beside it up to there.
    auto shownLeft = [](const QWidget* control) {
        const auto* label = qobject_cast<const QLabel*>(control);
        if (!label || !label->pixmap().isNull() || label->text().isEmpty())
            return control->x();
        const QRect inside = label->contentsRect();
        const QSize text(label->fontMetrics().horizontalAdvance(label->text()), inside.height());
        return control->x() +
               QStyle::alignedRect(label->layoutDirection(), label->alignment(), text, inside)
                   .left();
    };
    int column = width();
    for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control != console_ && !control->isHidden())
            column = std::min(column, shownLeft(control));
    console_->setWrapColumn(platform::pixelsToTwips(column));
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == Text8) {
                Text8_KeyPress(13);
                return true;
            }
            const QLineEdit* boxes[] = {Text1, Text2, Text3, Text4, Text5, Text6, Text7};
            for (int i = 0; i < 7; ++i)
                if (watched == boxes[i])
                    entryKeyPress(i, 13); // the key still reaches the box
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::Form_Load() {
    if (options_.unloadCredits)
        options_.unloadCredits();
    move(0, 0);
    console_->setFontName(platform::kSerifFont);
    console_->setFontBold(false);
    console_->setFontItalic(false);
    console_->setFontSize(10);
    for (QWidget* w : std::initializer_list<QWidget*>{
             Label1,     Label2,     Label3,     Label4,     Label5,     Label6,
             Label7,     Label8,     Label9,     Label10,    Label11,    Label12,
             Label13,    Label15,    Text1,      Text2,      Text3,      Text4,
             Text5,      Text6,      Text7,      Command3D3, Command3D4, Command3D5,
             Command3D6, Command3D7, Command3D8, Command1,   Command2,   Picture2})
        w->hide();
    console_->cls();

    const QString answer = dialogs_.inputBox(
        QStringLiteral("Path Folder of locate Data File Library (*.DAT) "),
        QStringLiteral("Configure VOCABORO Dictionary"), QStringLiteral("C:\\THAI\\"), 3000, 2000);
    datapath_ = answer.isEmpty() ? QStringLiteral("c:\\thai\\") : answer;
    // An entry whose write was interrupted (the program killed, the power gone) is in one
    // file only, or torn: undo it before anything reads or writes the folder.
    reportRecovery(datafiles::recoverUnfinishedWrite(dataFolder(), options_.fileAccess));

    for (QWidget* w : {static_cast<QWidget*>(Command3D10), static_cast<QWidget*>(Command3D11),
                       static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command4),
                       static_cast<QWidget*>(Command5)})
        w->show();
    Label14->hide();
    Text8->hide();
    Command3d9->hide();
}

void Form1::setDirectionInput(const QString& direction, const QString& prompt,
                              const QString& fontName, double size, const QString& spokenName) {
    console_->cls();
    Command1->hide();
    Command2->hide();
    direction_ = direction;
    Label14->show();
    Text8->show();
    Command3d9->show();
    Label14->setText(prompt);
    Text8->clear();
    Text8->setFont(platform::makeFont(fontName, size));
    Text8->setAccessibleName(spokenName);
    Text8->setFocus();
}

void Form1::Command3D10_Click() {
    setDirectionInput(QStringLiteral("I-T"), QStringLiteral("Please, Insert a Italian Word --->>>"),
                      platform::kSerifFont, 10, QStringLiteral("Italian word to look up"));
}

void Form1::Command3D11_Click() {
    setDirectionInput(QStringLiteral("T-I"),
                      QStringLiteral("Please, Insert a Thailand Word --->>>"), platform::kSerifFont,
                      10, QStringLiteral("Thai word in Latin letters to look up"));
}

void Form1::Command3D12_Click() {
    setDirectionInput(
        QStringLiteral("TX-I"), QStringLiteral("Please, Insert a Original Thailand Word --->>>"),
        platform::kThaiFixedFont, 20, QStringLiteral("Thai word in Thai script to look up"));
    ask(kNotAvailable, {platform::Buttons::Ok, platform::Icon::Information},
        QStringLiteral("vocaboro"));
}

void Form1::Text8_KeyPress(int keyAscii) {
    if (keyAscii != 13)
        return;
    if (Text8->text().isEmpty()) {
        Label8->hide();
        Command3d9->hide();
    }
    Label14->hide();
    Text8->hide();
    // Each test reads the direction afresh: "#" switches it, so the next test runs too.
    if (!Text8->text().isEmpty() && direction_ == QLatin1String("I-T")) {
        Command3D10->setFocus();
        vocaboro();
    }
    if (ended_)
        return;
    if (!Text8->text().isEmpty() && direction_ == QLatin1String("T-I")) {
        Command3D11->setFocus();
        lexrev();
    }
    if (ended_)
        return;
    if (!Text8->text().isEmpty() && direction_ == QLatin1String("TX-I")) {
        Command3D12->setFocus();
        LEXREV2();
    }
    if (!Command3D10->isHidden() && direction_ == QLatin1String("I-T"))
        Command3D10->setFocus();
    if (!Command3D11->isHidden() && direction_ == QLatin1String("T-I"))
        Command3D11->setFocus();
    if (!Command3D12->isHidden() && direction_ == QLatin1String("TX-I"))
        Command3D12->setFocus();
}

void Form1::Command3d9_Click() {
    Command1->hide();
    Command2->hide();
    Label14->hide();
    Text8->hide();
    if (!Text8->text().isEmpty() && direction_ == QLatin1String("I-T"))
        vocaboro();
    if (ended_)
        return;
    if (!Text8->text().isEmpty() && direction_ == QLatin1String("T-I"))
        lexrev();
    if (ended_)
        return;
    if (!Text8->text().isEmpty() && direction_ == QLatin1String("TX-I"))
        LEXREV2();
    Command3d9->hide();
}

void Form1::Command3D1_Click() {
    Command1->hide();
    Command2->hide();
    Text7->setText(QStringLiteral("SORRY! NO AVAILABLE"));
    ask(kNotAvailable, {platform::Buttons::Ok, platform::Icon::Information},
        QStringLiteral("vocaboro"));
}

void Form1::Command3D2_Click() {
    Command1->hide();
    Command2->hide();
    Text6->setText(QStringLiteral("SORRY! NO AVAILABLE"));
    ask(kNotAvailable, {platform::Buttons::Ok, platform::Icon::Information},
        QStringLiteral("vocaboro"));
}

void Form1::Command3_Click() {
    // The whole panel goes, the record labels and "End" and "Next..." of a write included.
    for (QWidget* w : entryPanel())
        w->hide();
    Label14->hide();
    Label15->hide();
    Command5->show();
    console_->cls();
    help();
}

void Form1::Command1_Click() {
    help2();
}

void Form1::Command2_Click() {
    console_->cls();
    Command1->hide();
    Command2->hide();
    Picture1->show();
    Picture2->hide();
    Label15->hide();
    for (QWidget* w :
         std::initializer_list<QWidget*>{Command3D1, Command3D2, Command3D10, Command3D11,
                                         Command3D12, Command3, Command4, Command5})
        w->show();
}

void Form1::Command4_Click() {
    hide();
    if (options_.showCredits)
        options_.showCredits();
    closeFile1();
    if (options_.unloadCredits)
        options_.unloadCredits();
    endProgram();
}

void Form1::Form_Terminate() {
    closeFile1();
    if (options_.unloadCredits)
        options_.unloadCredits();
    endProgram();
}

void Form1::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!ended_)
        Form_Terminate(); // closing the console by its frame ends the program
}

void Form1::endProgram() {
    closeFile1();
    ended_ = true;
    if (options_.endProgram)
        options_.endProgram();
}

platform::Answer Form1::ask(const QString& text, platform::MessageStyle style,
                            const QString& title) {
    const platform::Answer answer = dialogs_.messageBox(text, style, title);
    answerCode_ = static_cast<int>(answer);
    return answer;
}

void Form1::reportFileProblem(const QString& path, const QString& reason) {
    dialogs_.messageBox(
        QStringLiteral("The data file \"%1\" could not be read: %2.").arg(path, reason),
        {platform::Buttons::Ok, platform::Icon::Stop}, QStringLiteral("vocaboro"));
}

bool Form1::openFile1() {
    closeFile1();
    const QString typed = typedPath(lookupFile_);
    const std::filesystem::path native = paths_.map(typed.toStdString());
    datafiles::ReadFileResult read = datafiles::readWholeFile(native, options_.fileAccess);
    if (!read.ok()) {
        reportFileProblem(typed, QString::fromStdString(datafiles::describeError(read.error)));
        return false;
    }
    file1_.emplace();
    file1_->bytes = std::move(read.bytes);
    file1_->reader.emplace(file1_->bytes);
    return true;
}

std::filesystem::path Form1::dataFolder() const {
    // The folder text is joined to the file names as it stands, so the folder is what a
    // joined name leads into.
    return paths_.map(typedPath(QStringLiteral("LEXFWD_A.DAT")).toStdString()).parent_path();
}

void Form1::closeFile1() {
    file1_.reset();
}

bool Form1::readRecord1() {
    if (file1_->reader->next(record_) == datafiles::ReadStatus::Truncated) {
        reportFileProblem(typedPath(lookupFile_),
                          QStringLiteral("it ends in the middle of a record (line %1)")
                              .arg(file1_->reader->line()));
        return false;
    }
    file1_->readAny = true;
    return true;
}

} // namespace vocaboro
