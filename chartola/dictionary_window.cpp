#include "dictionary_window.h"

#include "entry_list_model.h"

#include "datafiles/file_io.h"
#include "datafiles/path_mapping.h"
#include "datafiles/record_reader.h"
#include "platform/editable_combo.h"
#include "platform/enter_clicks.h"
#include "platform/fonts.h"
#include "platform/geometry.h"
#include "platform/pictures.h"
#include "platform/text.h"
#include "platform/widget_look.h"
#include "platform/wrap_button.h"
#include "program.h"
#include "thaitext/palette.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QProgressBar>

using platform::twipsRect;

namespace chartola {
namespace {

QString colorName(int paletteIndex) {
    const thaitext::Rgb c = thaitext::paletteColor(static_cast<thaitext::Palette>(paletteIndex));
    return QColor(c.red, c.green, c.blue).name();
}

// The initial-letter table of the Enter key: character, then its loader's letter.
struct Initial {
    char16_t character;
    char letter;
};
constexpr Initial kInitials[] = {
    {u'a', 'a'},      {u'\u00E1', 'a'}, {u'\u00E0', 'a'}, {u'b', 'b'},      {u'c', 'c'},
    {u'd', 'd'},      {u'e', 'e'},      {u'\u00E9', 'e'}, {u'\u00E8', 'e'}, {u'f', 'f'},
    {u'g', 'g'},      {u'h', 'h'},      {u'i', 'i'},      {u'\u00EC', 'i'}, {u'\u00ED', 'i'},
    {u'j', 'j'},      {u'k', 'k'},      {u'l', 'l'},      {u'm', 'm'},      {u'n', 'n'},
    {u'o', 'o'},      {u'\u00F2', 'o'}, {u'\u00F3', 'o'}, {u'p', 'p'},      {u'q', 'q'},
    {u'r', 'r'},      {u's', 's'},      {u't', 't'},      {u'u', 'u'},      {u'\u00F9', 'u'},
    {u'\u00FA', 'u'}, {u'v', 'v'},      {u'w', 'w'},      {u'x', 'x'},      {u'y', 'y'},
    {u'z', 'z'},
};

QString marker(char letter) {
    return QStringLiteral("i_") + QLatin1Char(letter);
}

// A new style sheet resets an inherited font to the application's: keep the window's.
void restyle(QWidget* widget, const QString& styleSheet) {
    widget->setStyleSheet(styleSheet);
    widget->setFont(widget->parentWidget()->font());
}

} // namespace

Form3::Form3(Program& program, QWidget* parent) : QWidget(parent), program_(program) {
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

    Combo1 = new platform::EditableCombo(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setGeometry(twipsRect(120, 120, 1935, 315));
    Combo1->setStyleSheet(QStringLiteral(
        "QComboBox, QComboBox QLineEdit { background-color: rgb(192, 255, 255); color: black; }"));

    auto box = [this](const char* name, const QString& text, int l, int t, int w, int h,
                      const QString& back) {
        auto* edit = new QLineEdit(text, this);
        edit->setObjectName(QLatin1String(name));
        edit->setGeometry(twipsRect(l, t, w, h));
        if (!back.isEmpty())
            edit->setStyleSheet(QStringLiteral("background-color: %1; color: black;").arg(back));
        return edit;
    };
    Text2 = box("Text2", QString(), 2160, 120, 3015, 375, {});
    Text1 = box("Text1", QStringLiteral("note :"), 120, 2040, 1935, 855,
                QStringLiteral("rgb(255, 255, 192)"));
    Text1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Text3 = box("Text3", QStringLiteral("Text3"), 3120, 2160, 855, 375, {});
    Text3->hide();

    auto label = [this](const char* name, const QString& text, int l, int t, int w, int h) {
        auto* lab = new QLabel(text, this);
        lab->setObjectName(QLatin1String(name));
        lab->setGeometry(twipsRect(l, t, w, h));
        lab->setAlignment(Qt::AlignCenter);
        return lab;
    };
    Label3 = label("Label3", QStringLiteral("..."), 120, 600, 1575, 375);
    Label3->setWordWrap(true);
    setStatusColor(12);
    Label1 = label("Label1", QStringLiteral("..."), 2880, 600, 1455, 255);
    Label1->setStyleSheet(
        QStringLiteral("background-color: rgb(64, 0, 64); color: rgb(255, 255, 192);"));
    Label1->setAutoFillBackground(true);
    Label2 = label("Label2", QStringLiteral("record"), 240, 2520, 615, 255);
    // The record number stands on Text1's light yellow: dark text reads there.
    Label2->setStyleSheet(QStringLiteral("color: black; background: transparent;"));

    ProgressBar1 = new QProgressBar(this);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(twipsRect(120, 840, 1935, 255));
    ProgressBar1->setRange(0, 26);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    // One model behind the four lists keeps item k of each on the same record. Combo2, List1
    // and List2 are hidden holders.
    entries_ = new EntryListModel(this);
    Combo1->setModel(entries_);
    Combo1->setModelColumn(EntryStore::Headword);
    Combo1->setPrefixSearch([this](const QString& typed) { return entries_->findPrefix(typed); });
    Combo2 = new QComboBox(this);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo2->setModel(entries_);
    Combo2->setModelColumn(EntryStore::Counterpart);
    Combo2->setGeometry(twipsRect(2040, 1680, 3255, 315));
    Combo2->hide();
    auto holder = [this](const char* name, int column, int top) {
        auto* view = new QListView(this);
        view->setObjectName(QLatin1String(name));
        view->setModel(entries_);
        view->setModelColumn(column);
        view->setUniformItemSizes(true);
        view->setGeometry(twipsRect(2160, top, 495, 255));
        view->hide();
        return view;
    };
    List1 = holder("List1", EntryStore::Attribute, 2160);
    List2 = holder("List2", EntryStore::Note, 2520);

    auto button = [this](const char* name, const QString& caption, int l, int t, int w, int h) {
        auto* b = new platform::WrapButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(twipsRect(l, t, w, h));
        return b;
    };
    Command1 = button("Command1", QStringLiteral("Alphabet"), 4200, 3000, 975, 615);
    Command1->setIcon(platform::loadIcon("alphabet_button.png"));
    Command1->setIconSize(QSize(32, 18));
    Command5 = button("Command5", QStringLiteral("Load all..."), 120, 3120, 855, 615);
    Command5->setIcon(platform::loadIcon("load_forward.png"));
    Command5->setIconSize(QSize(32, 18));
    setButtonLook(Command5, Command5->text(), 12);
    Command6 = button("Command6", QStringLiteral("Load all.."), 1200, 3120, 855, 615);
    Command6->setIcon(platform::loadIcon("load_reverse.png"));
    Command6->setIconSize(QSize(32, 18));
    setButtonLook(Command6, Command6->text(), 12);
    Command4 = button("Command4", QStringLiteral("Help"), 4200, 3720, 975, 255);
    Command4->setStyleSheet(platform::flatColours(QColor(0, 192, 0)));

    // What the user types, and which load is which, for screen readers: the captions alone
    // tell the two load buttons apart by their dots.
    Combo1->setAccessibleName(QStringLiteral("Word to look up"));
    Combo1->lineEdit()->setAccessibleName(Combo1->accessibleName());
    Command5->setAccessibleName(QStringLiteral("Load the whole Italian-Thai dictionary"));
    Command6->setAccessibleName(QStringLiteral("Load the whole Thai-Italian dictionary"));
    Text2->setAccessibleName(QStringLiteral("Pronunciation or translation"));
    Text1->setAccessibleName(QStringLiteral("Attribute and note"));
    Text3->setAccessibleName(QStringLiteral("Loaded letter"));

    setTabOrder(Command1, Combo1);
    setTabOrder(Combo1, Text1);
    setTabOrder(Text1, Text2);
    setTabOrder(Text2, Command4);
    setTabOrder(Command4, Command5);
    setTabOrder(Command5, Command6);

    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    connect(Command4, &QPushButton::clicked, this, &Form3::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &Form3::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &Form3::Command6_Click);
    connect(Combo1, &platform::EditableCombo::keyTyped, this, &Form3::Combo1_KeyPress);
    connect(Combo1, &platform::EditableCombo::picked, this, &Form3::Combo1_Click);
    platform::EnterClicks::installOnAll(this);
}

void Form3::setButtonLook(platform::WrapButton* button, const QString& caption, int paletteIndex) {
    button->setText(caption);
    restyle(button, platform::flatColours(QColor(colorName(paletteIndex))));
}

void Form3::setStatus(const QString& text) {
    Label3->setText(text);
    Label3->repaint();
}

void Form3::setStatusColor(int paletteIndex) {
    restyle(Label3,
            QStringLiteral("color: %1; background: transparent;").arg(colorName(paletteIndex)));
}

void Form3::setTextColor(QLineEdit* box, int paletteIndex) {
    restyle(box, QStringLiteral("color: %1;").arg(colorName(paletteIndex)));
}

void Form3::Form_Load() {
    fwdloaded_ = 0;
    revloaded_ = 0;
    ProgressBar1->hide();
    const QString answer = program_.dialogs().inputBox(
        QStringLiteral("Path Folder of locate DataBase File Library (*.DAT) "),
        QStringLiteral("Configure VOCABORO Dictionary"), QStringLiteral("C:\\THAI\\"), 3000, 2000);
    datapath_ = answer.isEmpty() ? QStringLiteral("c:\\thai\\") : answer;
    setStatusColor(direction_.isEmpty() ? 12 : 11);
    Label3->setText(QStringLiteral("Must loading database..."));
}

void Form3::Command1_Click() {
    program_.show(Window::Form1);
    program_.hide(Window::Form2);
    program_.hide(Window::Form3);
}

void Form3::Command4_Click() {
    program_.hide(Window::Form3);
    program_.show(Window::Form4);
}

// --- the entry lists

void Form3::clearLists() {
    entries_->clear(); // frees the bytes of the files loaded before
    Combo1->clearEditText();
}

bool Form3::readLetterFile(const QString& fileName, EntryStore& store) {
    const QString typed = datapath_ + fileName;
    const datafiles::PathMapper paths(program_.driveRoot());
    datafiles::ReadBytesResult file =
        datafiles::readWholeFileBytes(paths.map(typed.toStdString()), program_.fileAccess());
    auto report = [&](const QString& reason) {
        program_.dialogs().messageBox(
            QStringLiteral("The data file \"%1\" could not be read: %2.").arg(typed, reason),
            {platform::Buttons::Ok, platform::Icon::Stop}, QStringLiteral("Chartola"));
        return false;
    };
    if (!file.ok())
        return report(QString::fromStdString(datafiles::describeError(file.error)));
    const EntryStore::AddResult added = store.addFile(std::move(file.bytes));
    if (!added.whole)
        return report(
            QStringLiteral("it ends in the middle of a record (line %1)").arg(added.line));
    return true;
}

bool Form3::loadit(char letter) {
    clearLists();
    setStatus(QStringLiteral("loading...") + QLatin1Char(static_cast<char>(letter - 'a' + 'A')));
    loadedletter_ = marker(letter);
    EntryStore store;
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
    EntryStore store;
    bool ok = true;
    for (char letter = 'a'; letter <= 'z' && ok; ++letter) {
        ok = readLetterFile(QString::fromStdString(datafiles::letterLoaderFileName(files, letter)),
                            store);
        if (ok) {
            ++filecount_;
            ProgressBar1->setValue(filecount_);
            ProgressBar1->repaint();
        }
    }
    entries_->append(std::move(store)); // after what the lists held, in one reset
    setStatusColor(11);
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
    setButtonLook(this->*load.other, QStringLiteral("Load all..."), 12);
    program_.dialogs().messageBox(
        QStringLiteral("Premere OK ed attendere 30 secondi, per il caricamento del Database..."),
        {platform::Buttons::Ok, platform::Icon::None}, QStringLiteral("Chartola"));
    setStatusColor(15);
    clearLists();
    setStatus(QLatin1String(load.loadingStatus));
    setButtonLook(this->*load.button, QStringLiteral("Loading"), 14);
    (this->*load.button)->repaint();
    if (!loadDirection(load.files)) {
        // The load stopped at a file: nothing claims a full dictionary.
        setButtonLook(this->*load.button, QStringLiteral("Load all..."), 12);
        fwdloaded_ = 0;
        revloaded_ = 0;
        setStatusColor(12);
        setStatus(QStringLiteral("Must loading database..."));
        return;
    }
    setButtonLook(this->*load.button, QStringLiteral("full"), 10);
    setStatus(QLatin1String(load.doneStatus));
    this->*load.loaded = 1;
    this->*load.otherLoaded = 0;
}

void Form3::Command5_Click() {
    wholeLoad({datafiles::Direction::Forward, &Form3::Command5, &Form3::Command6,
               &Form3::fwdloaded_, &Form3::revloaded_, "I-T", "pronuncia in Thai",
               "loading all Vocaboro...", "insert your Italy word..."});
}

void Form3::Command6_Click() {
    wholeLoad({datafiles::Direction::Reverse, &Form3::Command6, &Form3::Command5,
               &Form3::revloaded_, &Form3::fwdloaded_, "T-I", "traduzione in italiano",
               "loading all Thai-Ital...", "insert your thai word..."});
}

// --- word search

void Form3::Combo1_KeyPress(int keyAscii) {
    setTextColor(Text2, 14);
    direction_ = QStringLiteral("I-T");
    platform::setFittedText(Label1, QStringLiteral("pronuncia in Thai"));
    Label1->repaint();
    if (keyAscii != 13)
        return;
    fwdloaded_ = 0;
    revloaded_ = 0;
    setButtonLook(Command5, QStringLiteral("Load all..."), 14);
    setButtonLook(Command6, QStringLiteral("Load all..."), 14);
    lastword_ = Combo1->currentText();
    for (const Initial& row : kInitials) {
        const QString text = Combo1->currentText();
        if (!text.isEmpty() && text.front() == QChar(row.character) &&
            loadedletter_ != marker(row.letter))
            loadit(row.letter);
    }
    Text3->setText(loadedletter_);
}

void Form3::Combo1_Click() {
    const int index = Combo1->currentIndex();
    if (index < 0)
        return;
    setTextColor(Text2, 0);
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
    program_.unloadAll();
    event->accept();
}

} // namespace chartola
