#include "dictionary_window.h"

#include "entry_list_model.h"

#include "datafiles/file_io.h"
#include "datafiles/path_mapping.h"
#include "platform/editable_combo.h"
#include "platform/enter_clicks.h"
#include "platform/error_text.h"
#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/pictures.h"
#include "platform/placement.h"
#include "platform/text.h"
#include "platform/widget_look.h"
#include "platform/wrap_button.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QProgressBar>

#include <optional>
#include <string>

using platform::place;
using thaitext::Palette;

namespace chartola {
namespace {

struct DictionaryText {
    Q_DECLARE_TR_FUNCTIONS(chartola::DictionaryText)
};

QString colorName(Palette colour) {
    const thaitext::Rgb c = thaitext::paletteColor(colour);
    return QColor(c.red, c.green, c.blue).name();
}

QString marker(char letter) {
    return QStringLiteral("i_") + QLatin1Char(letter);
}

// A hidden holder of one field: it keeps the picked row, and tells screen readers nothing (a list
// view announces its current row as focused, which would pull a reader away from Combo1).
class HolderList : public QListView {
public:
    using QListView::QListView;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override {
        QAbstractItemView::currentChanged(current, previous);
    }
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override {
        QAbstractItemView::selectionChanged(selected, deselected);
    }
};

// A new style sheet resets an inherited font to the application's: keep the window's.
void restyle(QWidget* widget, const QString& styleSheet) {
    widget->setStyleSheet(styleSheet);
    widget->setFont(widget->parentWidget()->font());
}

} // namespace

Form3::Form3(DictionaryLinks links, QWidget* parent) : QWidget(parent), links_(std::move(links)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Vocaboro Dictionary v.2.0"));
    setWindowIcon(platform::loadIcon("chartola_icon.png"));
    setFixedSize(platform::twipsToPixels(5310), platform::twipsToPixels(4110));
    // No control sets a font of its own: the whole window uses the old default font.
    setFont(platform::makeFont(platform::kSansFont, 8.25));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    auto* background = new QLabel(this);
    background->setObjectName(QStringLiteral("background"));
    platform::showPicture(background, "dictionary_background.gif");
    background->setGeometry(0, 0, 200, 257);
    background->lower();

    placeBoxesAndLabels();
    placeListsOnOneModel();
    placeButtons();
    describeForScreenReaders();

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &Form3::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form3::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form3::Command6_Click);
    connect(Combo1, &platform::EditableCombo::keyTyped, this, &Form3::Combo1_KeyPress);
    connect(Combo1, &platform::EditableCombo::picked, this, &Form3::Combo1_Click);
    platform::EnterClicks::installOnAll(this);
}

void Form3::placeBoxesAndLabels() {
    Combo1 = place(new platform::EditableCombo(this), "Combo1", {120, 120, 1935, 315});
    Combo1->setStyleSheet(QStringLiteral(
        "QComboBox, QComboBox QLineEdit { background-color: rgb(192, 255, 255); color: black; }"));

    Text2 = place(new QLineEdit(this), "Text2", {2160, 120, 3015, 375});
    Text1 = place(new QLineEdit(QStringLiteral("note :"), this), "Text1", {120, 2040, 1935, 855});
    Text1->setStyleSheet(QStringLiteral("background-color: rgb(255, 255, 192); color: black;"));
    Text1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text3 = place(new QLineEdit(QStringLiteral("Text3"), this), "Text3", {3120, 2160, 855, 375});
    Text3->hide();

    Label3 = place(new QLabel(QStringLiteral("..."), this), "Label3", {120, 600, 1575, 375});
    Label3->setWordWrap(true);
    setStatusColor(Palette::LightRed);
    Label1 = place(new QLabel(QStringLiteral("..."), this), "Label1", {2880, 600, 1455, 255});
    Label1->setStyleSheet(
        QStringLiteral("background-color: rgb(64, 0, 64); color: rgb(255, 255, 192);"));
    Label1->setAutoFillBackground(true);
    Label2 = place(new QLabel(QStringLiteral("record"), this), "Label2", {240, 2520, 615, 255});
    // The record number stands on Text1's light yellow: dark text reads there.
    Label2->setStyleSheet(QStringLiteral("color: black; background: transparent;"));
    for (QLabel* label : {Label1, Label2, Label3})
        label->setAlignment(Qt::AlignCenter);

    ProgressBar1 = place(new QProgressBar(this), "ProgressBar1", {120, 840, 1935, 255});
    ProgressBar1->setRange(0, 26);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
}

void Form3::placeListsOnOneModel() {
    // One model behind the four lists keeps item k of each on the same record. Combo2, List1
    // and List2 are hidden holders.
    entries_ = new EntryListModel(this);
    Combo1->setModel(entries_);
    Combo1->setModelColumn(EntryStore::Headword);
    Combo1->setPrefixSearch([this](const QString& typed) { return entries_->findPrefix(typed); });
    Combo2 = place(new QComboBox(this), "Combo2", {2040, 1680, 3255, 315});
    Combo2->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo2->setModel(entries_);
    Combo2->setModelColumn(EntryStore::Counterpart);
    Combo2->hide();
    List1 = place(new HolderList(this), "List1", {2160, 2160, 495, 255});
    List2 = place(new HolderList(this), "List2", {2160, 2520, 495, 255});
    for (QListView* list : {List1, List2}) {
        list->setModel(entries_);
        list->setUniformItemSizes(true);
        list->hide();
    }
    List1->setModelColumn(EntryStore::Attribute);
    List2->setModelColumn(EntryStore::Note);
}

void Form3::placeButtons() {
    Command1 = place(new platform::WrapButton(QStringLiteral("Alphabet"), this), "Command1",
                     {4200, 3000, 975, 615});
    Command1->setIcon(platform::loadIcon("alphabet_button.png"));
    Command5 = place(new platform::WrapButton(QString(), this), "Command5", {120, 3120, 855, 615});
    Command5->setIcon(platform::loadIcon("load_forward.png"));
    setButtonLook(Command5, QStringLiteral("Load all..."), Palette::LightRed);
    Command6 = place(new platform::WrapButton(QString(), this), "Command6", {1200, 3120, 855, 615});
    Command6->setIcon(platform::loadIcon("load_reverse.png"));
    setButtonLook(Command6, QStringLiteral("Load all.."), Palette::LightRed);
    for (platform::WrapButton* pictured : {Command1, Command5, Command6})
        pictured->setIconSize(QSize(32, 18));
    Command4 = place(new platform::WrapButton(QStringLiteral("Help"), this), "Command4",
                     {4200, 3720, 975, 255});
    Command4->setStyleSheet(platform::flatColours(QColor(0, 192, 0)));
}

void Form3::describeForScreenReaders() {
    // What the user types, and which load is which, for screen readers: the captions alone
    // tell the two load buttons apart by their dots.
    Combo1->setAccessibleName(DictionaryText::tr("Word to look up"));
    Combo1->lineEdit()->setAccessibleName(Combo1->accessibleName());
    Command5->setAccessibleName(DictionaryText::tr("Load the whole Italian-Thai dictionary"));
    Command6->setAccessibleName(DictionaryText::tr("Load the whole Thai-Italian dictionary"));
    Text2->setAccessibleName(DictionaryText::tr("Pronunciation or translation"));
    Text1->setAccessibleName(DictionaryText::tr("Attribute and note"));
    Text3->setAccessibleName(DictionaryText::tr("Loaded letter"));

    setTabOrder(Command1, Combo1);
    setTabOrder(Combo1, Text1);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command4);
    setTabOrder(Command4, Command5);
    setTabOrder(Command5, Command6);
}

void Form3::setButtonLook(platform::WrapButton* button, const QString& caption, Palette colour) {
    button->setText(caption);
    restyle(button, platform::flatColours(QColor(colorName(colour))));
}

void Form3::setStatus(const QString& text) {
    Label3->setText(text);
    Label3->repaint();
}

void Form3::setStatusColor(Palette colour) {
    restyle(Label3, QStringLiteral("color: %1; background: transparent;").arg(colorName(colour)));
}

void Form3::setTextColor(QLineEdit* box, Palette colour) {
    restyle(box, QStringLiteral("color: %1;").arg(colorName(colour)));
}

void Form3::Form_Load() {
    fwdloaded_ = 0;
    revloaded_ = 0;
    ProgressBar1->hide();
    const QString answer = links_.dialogs.inputBox(
        QStringLiteral("Path Folder of locate DataBase File Library (*.DAT) "),
        QStringLiteral("Configure VOCABORO Dictionary"), QStringLiteral("C:\\THAI\\"), 3000, 2000);
    datapath_ = answer.isEmpty() ? QStringLiteral("c:\\thai\\") : answer;
    setStatusColor(direction_.isEmpty() ? Palette::LightRed : Palette::LightCyan);
    Label3->setText(QStringLiteral("Must loading database..."));
}

void Form3::Command1_Click() {
    links_.showChart();
}

void Form3::Command4_Click() {
    links_.showNotes();
}

// --- the entry lists

void Form3::clearLists() {
    entries_->clear(); // frees the bytes of the files loaded before
    Combo1->clearEditText();
}

bool Form3::readLetterFile(const QString& fileName, EntryStore& store) {
    const QString typed = datapath_ + fileName;
    const datafiles::PathMapper paths(links_.driveRoot);
    int error = 0;
    const EntryStore::AddResult added =
        store.readFile(paths.map(typed.toStdString()), links_.fileAccess, error);
    auto report = [&](const QString& reason) {
        links_.dialogs.messageBox(
            DictionaryText::tr("The data file \"%1\" could not be read: %2.").arg(typed, reason),
            {platform::Buttons::Ok, platform::Icon::Stop}, QStringLiteral("Chartola"));
        return false;
    };
    if (error != 0)
        return report(platform::errorText(error));
    if (!added.whole)
        return report((added.tooLong ? DictionaryText::tr("it holds a record longer than 4 MiB")
                                     : DictionaryText::tr("it ends in the middle of a record")) +
                      DictionaryText::tr(" (line %1)").arg(added.line));
    return true;
}

bool Form3::loadit(char letter) {
    clearLists();
    setStatus(QStringLiteral("loading...") + QLatin1Char(static_cast<char>(letter - 'a' + 'A')));
    loadedletter_ = marker(letter);
    EntryStore store = entries_->spareStore();
    const bool ok = readLetterFile(QString::fromStdString(datafiles::letterLoaderFileName(
                                       datafiles::Direction::Forward, letter)),
                                   store);
    entries_->append(std::move(store)); // what was read before a failure stays
    setStatus(QString());
    Combo1->setEditText(lastword_);
    Combo1->setFocus();
    return ok;
}

bool Form3::loadDirection(datafiles::Direction files) {
    filecount_ = 0;
    ProgressBar1->setValue(0);
    ProgressBar1->show();
    // The bar is painted when it shows and then at most once a frame: a whole load takes a
    // few frames, and painting it after each of the 26 files took a tenth of the load.
    constexpr qint64 kFrameMs = 16;
    ProgressBar1->repaint();
    QElapsedTimer sincePainted;
    sincePainted.start();
    EntryStore store = entries_->spareStore(); // reads into the pages of the lists emptied
    bool ok = true;
    for (char letter = 'a'; letter <= 'z' && ok; ++letter) {
        ok = readLetterFile(QString::fromStdString(datafiles::letterLoaderFileName(files, letter)),
                            store);
        if (ok) {
            ++filecount_;
            ProgressBar1->setValue(filecount_);
            if (sincePainted.elapsed() >= kFrameMs) {
                ProgressBar1->repaint();
                sincePainted.start();
            }
        }
    }
    entries_->append(std::move(store)); // after what the lists held, in one reset
    setStatusColor(Palette::LightCyan);
    Combo1->setFocus();
    ProgressBar1->hide();
    return ok;
}

bool Form3::LOADLEXFWD() {
    return loadDirection(datafiles::Direction::Forward);
}
bool Form3::LOADLEXREV() {
    return loadDirection(datafiles::Direction::Reverse);
}

void Form3::wholeLoad(const WholeLoad& load) {
    if (this->*load.loaded == 1)
        return;
    direction_ = QLatin1String(load.direction);
    platform::setFittedText(Label1, QLatin1String(load.caption));
    Label1->repaint();
    setButtonLook(this->*load.other, QStringLiteral("Load all..."), Palette::LightRed);
    links_.dialogs.messageBox(
        QStringLiteral("Premere OK ed attendere 30 secondi, per il caricamento del Database..."),
        {platform::Buttons::Ok, platform::Icon::None}, QStringLiteral("Chartola"));
    setStatusColor(Palette::White);
    clearLists();
    setStatus(QLatin1String(load.loadingStatus));
    setButtonLook(this->*load.button, QStringLiteral("Loading"), Palette::Yellow);
    (this->*load.button)->repaint();
    if (!loadDirection(load.files)) {
        // The load stopped at a file: nothing claims a full dictionary.
        setButtonLook(this->*load.button, QStringLiteral("Load all..."), Palette::LightRed);
        fwdloaded_ = 0;
        revloaded_ = 0;
        setStatusColor(Palette::LightRed);
        setStatus(QStringLiteral("Must loading database..."));
        return;
    }
    setButtonLook(this->*load.button, QStringLiteral("full"), Palette::LightGreen);
    setStatus(QLatin1String(load.doneStatus));
    this->*load.loaded = 1;
    this->*load.otherLoaded = 0;
}

void Form3::Command5_Click() {
    static constexpr WholeLoad kItalianThai{
        .files = datafiles::Direction::Forward,
        .button = &Form3::Command5,
        .other = &Form3::Command6,
        .loaded = &Form3::fwdloaded_,
        .otherLoaded = &Form3::revloaded_,
        .direction = "I-T",
        .caption = "pronuncia in Thai",
        .loadingStatus = "loading all Vocaboro...",
        .doneStatus = "insert your Italy word...",
    };
    wholeLoad(kItalianThai);
}

void Form3::Command6_Click() {
    static constexpr WholeLoad kThaiItalian{
        .files = datafiles::Direction::Reverse,
        .button = &Form3::Command6,
        .other = &Form3::Command5,
        .loaded = &Form3::revloaded_,
        .otherLoaded = &Form3::fwdloaded_,
        .direction = "T-I",
        .caption = "traduzione in italiano",
        .loadingStatus = "loading all Thai-Ital...",
        .doneStatus = "insert your thai word...",
    };
    wholeLoad(kThaiItalian);
}

// --- word search

void Form3::Combo1_KeyPress(int keyAscii) {
    setTextColor(Text2, Palette::Yellow);
    direction_ = QStringLiteral("I-T");
    platform::setFittedText(Label1, QStringLiteral("pronuncia in Thai"));
    Label1->repaint();
    if (keyAscii != 13)
        return;
    fwdloaded_ = 0;
    revloaded_ = 0;
    setButtonLook(Command5, QStringLiteral("Load all..."), Palette::Yellow);
    setButtonLook(Command6, QStringLiteral("Load all..."), Palette::Yellow);
    lastword_ = Combo1->currentText();
    // The letter file of the word's initial, as the console's look-up chooses it: a to z
    // and the accented vowels.
    const std::optional<std::string> initial = platform::toLatin(lastword_.left(1));
    const std::optional<char> capital =
        initial ? datafiles::forwardLetterForLookup(*initial) : std::nullopt;
    if (capital) {
        const char letter = static_cast<char>(*capital - 'A' + 'a');
        if (loadedletter_ != marker(letter))
            loadit(letter);
    }
    Text3->setText(loadedletter_);
}

void Form3::Combo1_Click() {
    const int index = Combo1->currentIndex();
    if (index < 0)
        return;
    setTextColor(Text2, Palette::Black);
    platform::setFittedText(Label2, QString::number(index));
    Combo2->setCurrentIndex(index);
    platform::setTextFromStart(Text2, Combo2->currentText());
    const QModelIndex attribute = entries_->index(index, EntryStore::Attribute);
    const QModelIndex note = entries_->index(index, EntryStore::Note);
    List1->setCurrentIndex(attribute);
    List2->setCurrentIndex(note);
    platform::setTextFromStart(Text1, QStringLiteral("(") + attribute.data().toString() +
                                          QStringLiteral(") ") + note.data().toString());
}

void Form3::closeEvent(QCloseEvent* event) {
    links_.endProgram();
    event->accept();
}

} // namespace chartola
