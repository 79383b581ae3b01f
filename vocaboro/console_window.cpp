#include "console_window.h"

#include "entry_panel.h"
#include "help_page.h"

#include "platform/enter_clicks.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/placement.h"
#include "platform/widget_look.h"
#include "platform/wrap_button.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <limits>

namespace vocaboro {
namespace {

using platform::place;

const QString kTitle = QStringLiteral(
    "Vocaboro Dictionary   1.0 Beta Release (10082000) - a kit for Italians learning Thai");

// The window's outer size is 9600 x 6800 twips; the client area is that less the frame.
constexpr int kClientWidthTwips = 9600 - 120;
constexpr int kClientHeightTwips = 6800 - 405;

QFont serif(double points, bool bold = false) {
    return platform::makeFont(platform::kSerifFont, points, bold);
}

// A picture button of the main screen: an icon above its caption, on a flat colour.
QPushButton* pictureButton(QWidget* parent, const char* name, const QString& caption,
                           platform::Twips at, const QColor& back, const char* icon) {
    auto* b = place(new platform::WrapButton(caption, parent), name, at,
                    platform::makeFont(platform::kSansFont, 8.25));
    b->setIconSize(QSize(40, 26));
    if (back.isValid())
        b->setStyleSheet(platform::flatColours(back));
    if (icon)
        b->setIcon(platform::loadIcon(icon));
    return b;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QColor& color,
              platform::Twips at) {
    auto* lab = place(new QLabel(text, parent), name, at, serif(9.75));
    lab->setStyleSheet(QStringLiteral("color: %1; background: transparent;").arg(color.name()));
    return lab;
}

} // namespace

Form1::Form1(platform::Dialogs& dialogs, platform::Speech& speech, ConsoleOptions options,
             QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), speech_(speech), options_(std::move(options)),
      paths_(options_.driveRoot) {
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
    lookup_ = std::make_unique<Lookup>(state_, dialogs_, *console_, static_cast<LookupHost&>(*this),
                                       paths_, options_.fileAccess);

    createConsoleControls();
    panel_ = new EntryPanel(this);
    helpPage_ = new HelpPage(this);
    console_->lower();
    connectHandlers();
    platform::EnterClicks::installOnAll(this);
    watchSpeech();
}

Form1::~Form1() {
    speech_.reportFailure = nullptr;
}

void Form1::createConsoleControls() {
    Command3D10 = pictureButton(this, "Command3D10", QStringLiteral("Italian-Thai"),
                                {6240, 2880, 975, 855}, QColor(0, 192, 0), "direction_it_th.png");
    Command3D11 = pictureButton(this, "Command3D11", QStringLiteral("Thai-Italian"),
                                {7320, 2880, 975, 855}, QColor(255, 0, 255), "direction_th_it.png");
    Command3D12 = pictureButton(this, "Command3D12", QStringLiteral("Thai"), {8400, 2880, 855, 855},
                                QColor(128, 0, 128), nullptr);
    Command3D12->setFont(platform::makeFont(platform::kThaiButtonFont, 15.75));
    Command3D1 = pictureButton(this, "Command3D1", QStringLiteral("Italian Pronunce"),
                               {6240, 5280, 975, 855}, QColor(), "speaker.png");
    Command3D2 = pictureButton(this, "Command3D2", QStringLiteral("Thai Pronunce"),
                               {7440, 5280, 975, 855}, QColor(), "speaker.png");

    Command5 = place(new platform::WrapButton(QStringLiteral("Insert a New Vocable"), this),
                     "Command5", {6240, 4920, 2175, 255}, serif(9.75, true));
    Command5->setStyleSheet(platform::flatColours(QColor(0x80, 0xc0, 0xff)));
    Command3 = place(new platform::WrapButton(QStringLiteral("About"), this), "Command3",
                     {8520, 4920, 735, 255});
    Command4 = place(new platform::WrapButton(QStringLiteral("End"), this), "Command4",
                     {8520, 5760, 735, 375}, serif(9.75, true));
    // Named apart from the entry panel's "End", which closes the panel.
    Command4->setAccessibleName(tr("End Vocaboro"));
    Command3d9 = place(new platform::WrapButton(QStringLiteral("Go !"), this), "Command3d9",
                       {8520, 3840, 735, 975});

    Label14 = label(this, "Label14", QString(), QColor(255, 140, 0), {1560, 3840, 4575, 375});
    Label14->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label8 = label(this, "Label8", QStringLiteral("Data file..."), QColor(255, 255, 192),
                   {6240, 4440, 2295, 375});
    Text8 = place(new QLineEdit(this), "Text8", {6240, 3840, 2175, 435}, serif(9.75));
    // Any length, like the entry boxes: a long entry written there can be looked up.
    Text8->setMaxLength(std::numeric_limits<int>::max());

    Picture1 = place(new QLabel(this), "Picture1", {6120, 120, 3255, 2535});
    platform::showPicture(Picture1, "console_main.png");
}

void Form1::connectHandlers() {
    const std::pair<QPushButton*, void (Form1::*)()> clicks[] = {
        {Command3D10, &Form1::Command3D10_Click},
        {Command3D11, &Form1::Command3D11_Click},
        {Command3D12, &Form1::Command3D12_Click},
        {Command3D1, &Form1::Command3D1_Click},
        {Command3D2, &Form1::Command3D2_Click},
        {Command3d9, &Form1::Command3d9_Click},
        {Command3, &Form1::Command3_Click},
        {Command4, &Form1::Command4_Click},
        {Command5, &Form1::Command5_Click},
        {helpPage_->Command1, &Form1::Command1_Click},
        {helpPage_->Command2, &Form1::Command2_Click},
        {panel_->Command3D3, &Form1::Command3D3_Click},
        {panel_->Command3D4, &Form1::Command3D4_Click},
        {panel_->Command3D5, &Form1::Command3D5_Click},
        {panel_->Command3D6, &Form1::Command3D6_Click},
        {panel_->Command3D7, &Form1::Command3D7_Click},
        {panel_->Command3D8, &Form1::Command3D8_Click},
    };
    for (const auto& [button, handler] : clicks)
        connect(button, &QPushButton::clicked, this, handler);
    connect(panel_->box(0), &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(panel_->box(3), &QLineEdit::textChanged, this, &Form1::Text4_Change);
    Text8->installEventFilter(this);
    for (int i = 0; i < 7; ++i)
        panel_->box(i)->installEventFilter(this);
}

void Form1::fitConsoleToControls() {
    // A caption on the bare background (the labels beside the console have none) shows only
    // where its text is: text may run beside it up to there.
    auto shownLeft = [this](const QWidget* control) {
        const int x = control->mapTo(this, QPoint()).x();
        const auto* caption = qobject_cast<const QLabel*>(control);
        if (!caption || !caption->pixmap().isNull() || caption->text().isEmpty())
            return x;
        const QRect inside = caption->contentsRect();
        const QSize text(caption->fontMetrics().horizontalAdvance(caption->text()),
                         inside.height());
        return x +
               QStyle::alignedRect(caption->layoutDirection(), caption->alignment(), text, inside)
                   .left();
    };
    int column = width();
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child == console_ || child->isHidden())
            continue;
        // The panel and the help page hold controls; they are none themselves.
        const bool holder = child == panel_ || child == helpPage_;
        const QList<QWidget*> controls =
            holder ? child->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)
                   : QList<QWidget*>{child};
        for (const QWidget* control : controls)
            if (!control->isHidden())
                column = std::min(column, shownLeft(control));
    }
    console_->setWrapColumn(platform::pixelsToTwips(column));
}

bool Form1::focusNextPrevChild(bool next) {
    if (panel_->isHidden())
        return QWidget::focusNextPrevChild(next);
    QWidget* const start = focusWidget() ? focusWidget() : panel_;
    for (QWidget* w = start;;) {
        w = next ? w->nextInFocusChain() : w->previousInFocusChain();
        if (w == start)
            return true;
        if (panel_->isAncestorOf(w) && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
}

void Form1::keyPressEvent(QKeyEvent* event) {
    if (!console_->scrollByKey(*event))
        QWidget::keyPressEvent(event);
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        // The look-up box keeps Ctrl+Home and Ctrl+End for itself otherwise.
        if (watched == Text8 && console_->scrollByKey(*static_cast<QKeyEvent*>(event)))
            return true;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == Text8) {
                Text8_KeyPress(13);
                return true;
            }
            using KeyPress = void (Form1::*)(int);
            static constexpr KeyPress kBoxKeys[] = {&Form1::Text1_KeyPress, &Form1::Text2_KeyPress,
                                                    &Form1::Text3_KeyPress, &Form1::Text4_KeyPress,
                                                    &Form1::Text5_KeyPress, &Form1::Text6_KeyPress,
                                                    &Form1::Text7_KeyPress};
            int index = 0;
            for (const KeyPress keyPress : kBoxKeys) {
                if (watched == panel_->box(index++)) {
                    (this->*keyPress)(13); // the key still reaches the box
                    break;
                }
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

// --- start-up and the main screen

void Form1::Form_Load() {
    if (options_.unloadCredits)
        options_.unloadCredits();
    move(0, 0);
    console_->setFontName(platform::kSerifFont);
    console_->setFontBold(false);
    console_->setFontItalic(false);
    console_->setFontSize(10);
    panel_->setState(EntryPanel::State::Closed);
    helpPage_->showPage(HelpPage::Page::None);
    Label8->hide();
    console_->cls();

    const QString answer = dialogs_.inputBox(
        QStringLiteral("Path Folder of locate Data File Library (*.DAT) "),
        QStringLiteral("Configure VOCABORO Dictionary"), QStringLiteral("C:\\THAI\\"), 3000, 2000);
    // A folder that exists, typed without its final separator, gets one: its files' names are
    // joined to it.
    state_.datapath =
        answer.isEmpty() ? QStringLiteral("c:\\thai\\")
                         : QString::fromStdString(paths_.folderWithSeparator(answer.toStdString()));
    // An entry whose write was interrupted (the program killed, the power gone) is in one
    // file only, or torn: undo it before anything reads or writes the folder.
    reportRecovery(datafiles::recoverUnfinishedWrite(dataFolder(), options_.fileAccess), true);

    for (QWidget* w :
         std::initializer_list<QWidget*>{Command3D10, Command3D11, Command3, Command4, Command5})
        w->show();
    Label14->hide();
    Text8->hide();
    Command3d9->hide();
}

void Form1::setDirectionInput(const QString& direction, const QString& prompt,
                              const QString& fontName, double size, const QString& spokenName) {
    console_->cls();
    helpPage_->hideNextButtons();
    state_.direction = direction;
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
                      platform::kSerifFont, 10, tr("Italian word to look up"));
}

void Form1::Command3D11_Click() {
    setDirectionInput(QStringLiteral("T-I"),
                      QStringLiteral("Please, Insert a Thailand Word --->>>"), platform::kSerifFont,
                      10, tr("Thai word in Latin letters to look up"));
}

void Form1::Command3D12_Click() {
    setDirectionInput(QStringLiteral("TX-I"),
                      QStringLiteral("Please, Insert a Original Thailand Word --->>>"),
                      platform::kThaiFixedFont, 20, tr("Thai word in Thai script to look up"));
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
    const struct {
        const char* direction;
        QPushButton* button;
        void (Form1::*lookup)();
    } directions[] = {{"I-T", Command3D10, &Form1::vocaboro},
                      {"T-I", Command3D11, &Form1::lexrev},
                      {"TX-I", Command3D12, &Form1::LEXREV2}};
    for (const auto& d : directions) {
        if (Text8->text().isEmpty() || state_.direction != QLatin1String(d.direction))
            continue;
        d.button->setFocus();
        (this->*d.lookup)();
        if (ended_)
            return;
    }
    for (const auto& d : directions)
        if (!d.button->isHidden() && state_.direction == QLatin1String(d.direction))
            d.button->setFocus();
}

void Form1::Command3d9_Click() {
    helpPage_->hideNextButtons();
    Label14->hide();
    Text8->hide();
    if (!Text8->text().isEmpty() && state_.direction == QLatin1String("I-T"))
        vocaboro();
    if (ended_)
        return;
    if (!Text8->text().isEmpty() && state_.direction == QLatin1String("T-I"))
        lexrev();
    if (ended_)
        return;
    if (!Text8->text().isEmpty() && state_.direction == QLatin1String("TX-I"))
        LEXREV2();
    Command3d9->hide();
}

void Form1::Command3_Click() {
    // The whole panel goes, the record labels and "End" and "Next..." of a write included.
    panel_->setState(EntryPanel::State::Closed);
    Label14->hide();
    helpPage_->Label15->hide();
    Command5->show();
    console_->cls();
    help();
}

void Form1::Command1_Click() {
    help2();
}

void Form1::Command2_Click() {
    console_->cls();
    helpPage_->showPage(HelpPage::Page::None);
    Picture1->show();
    Command3D1->show();
    Command3D2->show();
    showConsoleButtons();
    // The page's button is gone: the focus goes where the next look-up starts.
    Command3D10->setFocus();
}

// The buttons of the main screen that the entry panel and the help pages hide.
void Form1::showConsoleButtons() {
    for (QWidget* w : std::initializer_list<QWidget*>{Command3D10, Command3D11, Command3D12,
                                                      Command3, Command4, Command5})
        w->show();
}

// --- the look-ups

void Form1::vocaboro() {
    lookup_->italianThai(Text8->text());
}

void Form1::lexrev() {
    lookup_->thaiItalian(Text8->text());
}

void Form1::LEXREV2() {
    lookup_->thaiScript(Text8->text());
}

void Form1::clearConsole() {
    console_->cls();
    fitConsoleToControls();
}

void Form1::setDataLabel(const QString& caption) {
    Label8->setText(caption);
}

void Form1::showDataLabel(bool shown) {
    Label8->setVisible(shown);
}

void Form1::hideGoButton() {
    Command3d9->hide();
}

void Form1::openEntryPanel(LookupDirection from) {
    if (from == LookupDirection::ThaiScript)
        openPanel(PanelOpener::ScriptLookup);
    else
        from == LookupDirection::ItalianThai ? neww() : newwt();
}

void Form1::finishLookup(LookupDirection direction, bool hideDataLabel) {
    Label14->hide();
    Text8->hide();
    Command3d9->hide();
    if (hideDataLabel)
        Label8->hide();
    QPushButton* button = direction == LookupDirection::ItalianThai   ? Command3D10
                          : direction == LookupDirection::ThaiItalian ? Command3D11
                                                                      : Command3D12;
    if (!button->isHidden())
        button->setFocus();
}

// --- the end

void Form1::Command4_Click() {
    hide();
    if (options_.showCredits)
        options_.showCredits();
    // Files 1 and 2 are closed already: no file stays open between two events.
    if (options_.unloadCredits)
        options_.unloadCredits();
    endProgram();
}

void Form1::Form_Terminate() {
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
    ended_ = true;
    if (options_.endProgram)
        options_.endProgram();
}

std::filesystem::path Form1::dataFolder() const {
    // The folder text is joined to the file names as it stands, so the folder is what a
    // joined name leads into.
    return paths_.map(typedPath(QStringLiteral("LEXFWD_A.DAT")).toStdString()).parent_path();
}

} // namespace vocaboro
