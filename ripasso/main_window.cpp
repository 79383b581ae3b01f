#include "main_window.h"

#include "anki_export.h"
#include "anki_package.h"
#include "drill_page.h"
#include "review_page.h"
#include "word_history.h"
#include "word_import.h"
#include "words_page.h"

#include "datafiles/journal.h"
#include "vocaboro/entry_messages.h"

#include "platform/espeak_voice.h"
#include "platform/fonts.h"
#include "platform/pictures.h"
#include "platform/spoken_message.h"
#include "platform/wrap_button.h"
#include "platform/wrapping_label.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace ripasso {
namespace {

constexpr char kWordsFolderSetting[] = "wordsFolder";
constexpr char kSoundFolderSetting[] = "soundFolder";
constexpr char kExportFileSetting[] = "exportFile";
constexpr char kImportFileSetting[] = "importFile";
constexpr char kExportDeckSetting[] = "exportDeckFile";
constexpr char kTypeAnswersSetting[] = "typeAnswers";
constexpr char kSayWordsSetting[] = "sayWords"; // "0" off; on when never set

platform::MessageStyle information() {
    return {platform::Buttons::Ok, platform::Icon::Information};
}
platform::MessageStyle stopped() {
    return {platform::Buttons::Ok, platform::Icon::Stop};
}

// A label of the start page that names files and folders: it wraps inside the window, a long
// name anywhere, and never widens it.
platform::WrappingLabel* wrappingLabel(QWidget* parent, const char* name,
                                       const QString& description) {
    auto* label = new platform::WrappingLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAccessibleDescription(description);
    label->setTextFormat(Qt::PlainText);
    label->setMargin(2);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return label;
}

// A check box that Enter ticks too, as it clicks every button of the kit, with the same
// focus mark.
class MarkedCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            event->modifiers() == Qt::NoModifier && !event->isAutoRepeat())
            click();
        else
            QCheckBox::keyPressEvent(event);
    }
    void paintEvent(QPaintEvent* event) override {
        QCheckBox::paintEvent(event);
        if (hasFocus()) {
            QPainter painter(this);
            platform::paintFocusMark(painter, this);
        }
    }
};

// The wait cursor while a long piece of work runs in the window's own thread.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The refused rows an import box lists; the others are counted.
constexpr std::size_t kRefusedRowsShown = 50;

QString lines(const std::vector<std::string>& sentences) {
    QStringList all;
    for (const std::string& s : sentences)
        all << QString::fromStdString(s);
    return all.join(QLatin1Char('\n'));
}

} // namespace

MainWindow::MainWindow(Links links, QWidget* parent)
    : QMainWindow(parent), links_(std::move(links)) {
    setObjectName(QStringLiteral("ripassoWindow"));
    setWindowTitle(kProgramTitle);
    setWindowIcon(platform::loadIcon("ripasso_icon.png"));
    setFont(platform::makeFont(platform::kSansFont, 10));
    pages_ = new QStackedWidget(this);
    pages_->setObjectName(QStringLiteral("pages"));
    setCentralWidget(pages_);
    homePage_ = new QWidget(pages_);
    homePage_->setObjectName(QStringLiteral("homePage"));
    buildHomePage(homePage_);
    drillPage_ = new DrillPage(links_, pages_);
    reviewPage_ = new ReviewPage(links_, pages_);
    wordsPage_ = new WordsPage(links_, pages_);
    for (QWidget* page : {homePage_, static_cast<QWidget*>(drillPage_),
                          static_cast<QWidget*>(reviewPage_), static_cast<QWidget*>(wordsPage_)})
        pages_->addWidget(page);
    // The words may have changed: their cards are read again.
    connect(wordsPage_, &WordsPage::closed, this, &MainWindow::readCards);
    connect(drillPage_, &DrillPage::closed, this, &MainWindow::showHome);
    connect(reviewPage_, &ReviewPage::closed, this, [this](std::size_t answered) {
        platform::setMessage(sessionNote_, answered == 0   ? QString()
                                           : answered == 1 ? tr("1 answer saved.")
                                                           : tr("%1 answers saved.").arg(answered));
        readCards();
    });
    buildMenu();
    // The Words page is opened from the start page, never from the middle of a round.
    // Words are imported there too, or from the Words page, which shows them at once.
    connect(pages_, &QStackedWidget::currentChanged, this, [this] {
        wordsAction_->setEnabled(pages_->currentWidget() == homePage_);
        importAction_->setEnabled(pages_->currentWidget() == homePage_ ||
                                  pages_->currentWidget() == wordsPage_);
    });
    // An audio device that cannot play is told once: on the card during a review, which goes
    // on, else in a box.
    // The speech outlives the window: the window is followed, not assumed.
    links_.speech.reportFailure = [window = QPointer<MainWindow>(this)](const QString& message) {
        if (!window)
            return;
        window->tellSpeechFailure(message);
    };
    resize(760, 620);
}

void MainWindow::tellSpeechFailure(const QString& message) {
    if (pages_->currentWidget() == reviewPage_)
        reviewPage_->tellSpeechFailure(message);
    else
        links_.dialogs.messageBox(message, information(), kProgramTitle);
}

void MainWindow::buildHomePage(QWidget* page) {
    auto* layout = new QVBoxLayout(page);
    auto* heading = makeLabel(page, "heading", QStringLiteral("Ripasso"));
    heading->setText(QStringLiteral("Ripasso"));
    heading->setFont(platform::makeFont(platform::kSansFont, 20, true));
    auto* subtitle = makeLabel(page, "subtitle", tr("What Ripasso does"));
    subtitle->setText(tr("Practice the Thai letters and your own words"));
    layout->addWidget(heading);
    layout->addWidget(subtitle);

    auto* letters = new QGroupBox(tr("Letters: rounds of 20 questions"), page);
    letters->setObjectName(QStringLiteral("lettersBox"));
    auto* lettersLayout = new QVBoxLayout(letters);
    const std::pair<const char*, QString> drills[] = {
        {"drillSoundButton", tr("&Hear a letter, pick it")},
        {"drillReadingButton", tr("See a letter, pick its r&eading")},
        {"drillClassButton", tr("See a letter, pick its &class")}};
    for (int i = 0; i < 3; ++i) {
        drillButtons_[i] = makeButton(letters, drills[i].first, drills[i].second);
        lettersLayout->addWidget(drillButtons_[i]);
        connect(drillButtons_[i], &QPushButton::clicked, this,
                [this, i] { startDrill(static_cast<DrillKind>(i)); });
    }
    // The two groups of drills side by side.
    auto* drillsRow = new QHBoxLayout;
    drillsRow->addWidget(letters, 1);
    layout->addLayout(drillsRow);

    auto* script = new QGroupBox(tr("The script"), page);
    script->setObjectName(QStringLiteral("scriptBox"));
    auto* scriptLayout = new QGridLayout(script);
    const std::pair<const char*, QString> scriptDrills[] = {
        {"drillVowelReadingButton", tr("See a &vowel, pick its reading")},
        {"drillVowelSoundButton", tr("Hear a v&owel, pick it")},
        {"drillVowelLengthButton", tr("See a vowel, &short or long")},
        {"drillToneMarkButton", tr("See a tone &mark, pick its name")},
        {"drillToneButton", tr("See a syllable, pick its to&ne")},
        {"drillFinalButton", tr("See a final, pick its so&und")},
        {"drillLookAlikeButton", tr("Letters that loo&k alike")}};
    for (int i = 0; i < 7; ++i) {
        auto* button = makeButton(script, scriptDrills[i].first, scriptDrills[i].second);
        scriptLayout->addWidget(button, i / 2, i % 2);
        const auto kind = static_cast<DrillKind>(static_cast<int>(DrillKind::VowelReading) + i);
        connect(button, &QPushButton::clicked, this, [this, kind] { startDrill(kind); });
    }
    drillsRow->addWidget(script, 2);

    auto* words = new QGroupBox(tr("Your words"), page);
    words->setObjectName(QStringLiteral("wordsBox"));
    auto* wordsLayout = new QVBoxLayout(words);
    folderLabel_ = wrappingLabel(words, "folderLabel", tr("Folder of your words"));
    wordsSummary_ = makeLabel(words, "wordsSummary", tr("Cards for today"));
    wordsSummary_->setWordWrap(true);
    reviewButton_ = makeButton(words, "reviewButton", tr("&Review your words"));
    typeAnswerCheck_ = new MarkedCheckBox(tr("T&ype the answers"), words);
    // Room for the focus mark around the box and the text.
    typeAnswerCheck_->setStyleSheet(QStringLiteral("QCheckBox { padding: 7px 9px; }"));
    typeAnswerCheck_->setObjectName(QStringLiteral("typeAnswerCheck"));
    typeAnswerCheck_->setAccessibleDescription(tr("Type each answer before it is shown"));
    typeAnswerCheck_->setChecked(links_.store.setting(kTypeAnswersSetting) == "1");
    connect(typeAnswerCheck_, &QCheckBox::toggled, this, [this](bool typed) {
        remember(kTypeAnswersSetting, typed ? QStringLiteral("1") : QStringLiteral("0"));
    });
    sayWordsCheck_ = new MarkedCheckBox(tr("Say the &Thai words"), words);
    sayWordsCheck_->setStyleSheet(QStringLiteral("QCheckBox { padding: 7px 9px; }"));
    sayWordsCheck_->setObjectName(QStringLiteral("sayWordsCheck"));
    sayWordsCheck_->setAccessibleDescription(
        tr("Each card's Thai word is said as it shows: your recording, else the voice"));
    sayWordsCheck_->setChecked(links_.store.setting(kSayWordsSetting) != "0");
    connect(sayWordsCheck_, &QCheckBox::toggled, this, [this](bool on) {
        remember(kSayWordsSetting, on ? QStringLiteral("1") : QStringLiteral("0"));
    });
    folderButton_ = makeButton(words, "folderButton", tr("Choose another fol&der…"),
                               tr("Choose another folder of words"));
    wordsButton_ = makeButton(words, "wordsButton", tr("Your &words: search, change, add…"),
                              tr("Your words: search, change, add"));
    sessionNote_ = makeLabel(words, "sessionNote", tr("Last review"));
    sessionNote_->setWordWrap(true);
    sessionNote_->hide(); // shown once a review has something to say
    readingNotes_ = wrappingLabel(words, "readingNotes", tr("What could not be read"));
    platform::markAsMessage(readingNotes_);
    readingNotes_->setStyleSheet(QStringLiteral("color: #8b0000;"));
    readingNotes_->hide();
    for (QWidget* w :
         {static_cast<QWidget*>(folderLabel_), static_cast<QWidget*>(wordsSummary_),
          static_cast<QWidget*>(reviewButton_), static_cast<QWidget*>(typeAnswerCheck_),
          static_cast<QWidget*>(sayWordsCheck_), static_cast<QWidget*>(wordsButton_),
          static_cast<QWidget*>(folderButton_), static_cast<QWidget*>(sessionNote_),
          static_cast<QWidget*>(readingNotes_)})
        wordsLayout->addWidget(w);
    layout->addWidget(words);
    layout->addStretch(1);
    connect(reviewButton_, &QPushButton::clicked, this, &MainWindow::startReview);
    connect(folderButton_, &QPushButton::clicked, this, &MainWindow::chooseFolder);
    connect(wordsButton_, &QPushButton::clicked, this, &MainWindow::showWords);
}

void MainWindow::buildMenu() {
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    menuBar()->setObjectName(QStringLiteral("menuBar"));
    importAction_ = file->addAction(tr("&Import words…"), this, &MainWindow::importWords);
    importAction_->setObjectName(QStringLiteral("importAction"));
    importAction_->setShortcut(QKeySequence(QStringLiteral("Ctrl+I")));
    exportAction_ = file->addAction(tr("&Export for Anki…"), this, &MainWindow::exportWords);
    exportAction_->setObjectName(QStringLiteral("exportAction"));
    exportAction_->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
    exportDeckAction_ =
        file->addAction(tr("Export &deck for Anki…"), this, &MainWindow::exportDeck);
    exportDeckAction_->setObjectName(QStringLiteral("exportDeckAction"));
    file->addSeparator();
    folderAction_ =
        file->addAction(tr("Choose the words' &folder…"), this, &MainWindow::chooseFolder);
    folderAction_->setObjectName(QStringLiteral("folderAction"));
    folderAction_->setShortcut(QKeySequence(QStringLiteral("Ctrl+O")));
    wordsAction_ = file->addAction(tr("Your &words…"), this, &MainWindow::showWords);
    wordsAction_->setObjectName(QStringLiteral("wordsAction"));
    wordsAction_->setShortcut(QKeySequence(QStringLiteral("Ctrl+L")));
    file->addSeparator();
    quitAction_ = file->addAction(tr("&Quit"), this, &QWidget::close);
    quitAction_->setObjectName(QStringLiteral("quitAction"));
    quitAction_->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
}

datafiles::PathMapper MainWindow::paths() const {
    return datafiles::PathMapper(links_.driveRoot);
}

PathOf MainWindow::folderFiles() const {
    return [mapper = paths(), folder = folder_](const std::string& name) {
        return mapper.map((folder + QString::fromStdString(name)).toStdString());
    };
}

QString MainWindow::rememberedFolder(const char* setting, const QString& fallback) {
    const std::optional<std::string> value = links_.store.setting(setting);
    return value && !value->empty() ? QString::fromStdString(*value) : fallback;
}

void MainWindow::remember(const char* setting, const QString& value) {
    if (!links_.store.setSetting(setting, value.toStdString()))
        links_.dialogs.messageBox(QString::fromStdString(links_.store.lastError().message),
                                  {platform::Buttons::Ok, platform::Icon::Exclamation},
                                  kProgramTitle);
}

void MainWindow::chooseFolder() {
    const QString proposed =
        folder_.isEmpty() ? rememberedFolder(kWordsFolderSetting, kDefaultFolder) : folder_;
    const QString answer =
        links_.dialogs.inputBox(tr("Folder of the data files (*.DAT) with your words"),
                                tr("Ripasso: your words"), proposed, 3000, 2000);
    if (answer.isEmpty() && !folder_.isEmpty())
        return; // cancelled: the folder stays
    folder_ = folderText(answer.isEmpty() ? proposed : answer);
    remember(kWordsFolderSetting, folder_);
    platform::setMessage(sessionNote_, QString());
    readCards();
}

void MainWindow::readCards() {
    std::vector<StoredCard> known;
    const int today = links_.today();
    const PathOf pathOf = folderFiles();
    // Before the cards are matched with the words: a move finished here changes them.
    settlePendingMoves(pathOf);
    const std::optional<int> firstToday = links_.store.cardsFirstAnsweredOn(today);
    const bool progressRead = firstToday && links_.store.loadCards(known);
    cards_ = {};
    if (progressRead) {
        const std::size_t allowance =
            static_cast<std::size_t>(std::max(0, static_cast<int>(kNewCardsPerDay) - *firstToday));
        cards_ = collectCards(pathOf, known, today, allowance, links_.fileAccess);
    } else {
        // Without the progress every card would look new: no review rather than a wrong one.
        links_.dialogs.messageBox(QString::fromStdString(links_.store.lastError().message) +
                                      tr(" Your words cannot be reviewed now."),
                                  stopped(), kProgramTitle);
    }
    folderLabel_->setText(tr("Words from %1").arg(folder_));
    const std::size_t due = cards_.due.size();
    const std::size_t fresh = cards_.fresh.size();
    if (!progressRead)
        wordsSummary_->setText(tr("Your progress could not be read."));
    else if (cards_.cards == 0)
        wordsSummary_->setText(tr("No word with a pronunciation was found here."));
    else if (due + fresh == 0)
        wordsSummary_->setText(tr("Nothing more to review today (%1 cards, %2 never "
                                  "answered).")
                                   .arg(cards_.cards)
                                   .arg(cards_.unseen));
    else
        wordsSummary_->setText(tr("For today: %1 cards due and %2 new (%3 cards, %4 "
                                  "never answered).")
                                   .arg(due)
                                   .arg(fresh)
                                   .arg(cards_.cards)
                                   .arg(cards_.unseen));
    reviewButton_->setEnabled(due + fresh > 0);
    platform::setMessage(readingNotes_, lines(cards_.problems));
    showHome();
}

void MainWindow::settlePendingMoves(const PathOf& pathOf) {
    std::vector<PendingMove> moves;
    if (!links_.store.pendingMoves(folder_.toStdString(), moves) || moves.empty())
        return;
    // A change sealed in the journal but not yet made is made first, so that the files say
    // whether the word was changed.
    const datafiles::RecoveryResult recovery = datafiles::recoverUnfinishedWrite(
        pathOf(datafiles::kJournalFileName).parent_path(), links_.fileAccess);
    const QString recovered = vocaboro::recoveryText(
        recovery, true,
        [this](const std::filesystem::path& file) {
            return folder_ + QString::fromStdString(file.filename().string());
        },
        kProgramTitle);
    if (!recovered.isEmpty())
        links_.dialogs.messageBox(recovered, recovery.ok() ? information() : stopped(),
                                  kProgramTitle);
    bool failed = false;
    QStringList told;
    for (const QString& text :
         ripasso::settlePendingMoves(links_.store, folder_, pathOf, links_.fileAccess, failed))
        told << text;
    if (failed)
        told << QString::fromStdString(links_.store.lastError().message);
    if (!told.isEmpty())
        links_.dialogs.messageBox(told.join(QStringLiteral("\n\n")),
                                  failed ? stopped() : information(), kProgramTitle);
}

void MainWindow::showWords() {
    if (folder_.isEmpty())
        return;
    pages_->setCurrentWidget(wordsPage_);
    wordsPage_->open(folder_);
}

void MainWindow::showHome() {
    pages_->setCurrentWidget(homePage_);
    (reviewButton_->isEnabled() ? reviewButton_ : drillButtons_[0])->setFocus(Qt::OtherFocusReason);
}

void MainWindow::startDrill(DrillKind kind) {
    if (soundFolder_.isEmpty() && drillPlaysSounds(kind)) {
        const QString proposed = rememberedFolder(kSoundFolderSetting, kDefaultFolder);
        const QString answer =
            links_.dialogs.inputBox(tr("Folder of the letter sounds (*.wav)"),
                                    tr("Ripasso: letter sounds"), proposed, 3000, 2000);
        soundFolder_ = folderText(answer.isEmpty() ? proposed : answer);
        remember(kSoundFolderSetting, soundFolder_);
    }
    pages_->setCurrentWidget(drillPage_);
    // The tone drill asks the syllables of the words, in the folder the review reads.
    drillPage_->start(kind, soundFolder_,
                      folder_.isEmpty() ? std::filesystem::path()
                                        : paths().map(folder_.toStdString()));
}

void MainWindow::startReview() {
    std::vector<WordCard> session = cards_.due;
    session.insert(session.end(), cards_.fresh.begin(), cards_.fresh.end());
    if (session.empty())
        return;
    pages_->setCurrentWidget(reviewPage_);
    reviewPage_->setTypedAnswers(typeAnswerCheck_->isChecked());
    reviewPage_->setSayWords(sayWordsCheck_->isChecked());
    reviewPage_->setSoundFolder(folder_);
    reviewPage_->setFolder(folderFiles());
    reviewPage_->start(std::move(session));
}

void MainWindow::exportWords() {
    const QString proposed =
        rememberedFolder(kExportFileSetting, QStringLiteral("~/ripasso-anki.txt"));
    const QString answer =
        links_.dialogs.inputBox(tr("File to write your words to, for Anki (File, Import)"),
                                tr("Ripasso: export for Anki"), proposed, 3000, 2000);
    if (answer.isEmpty())
        return;
    remember(kExportFileSetting, answer);
    const datafiles::PathMapper mapper = paths();
    const ExportResult result = ripasso::exportForAnki(
        folderFiles(), mapper.map(answer.toStdString()), kDefaultDeck, links_.fileAccess);
    if (!result.written) {
        links_.dialogs.messageBox(
            tr("The export was not written: %1.").arg(QString::fromStdString(result.error)),
            stopped(), kProgramTitle);
        return;
    }
    QString text = tr("%1 notes were written to \"%2\". In Anki, File, Import "
                      "takes them into the deck \"%3\".")
                       .arg(result.notes)
                       .arg(answer, QLatin1String(kDefaultDeck));
    if (!result.problems.empty())
        text += QStringLiteral("\n\n") + lines(result.problems);
    links_.dialogs.messageBox(text, information(), kProgramTitle);
}

void MainWindow::importWords() {
    if (folder_.isEmpty())
        return;
    const QString proposed = rememberedFolder(kImportFileSetting, QStringLiteral("~/words.csv"));
    const QString answer = links_.dialogs.inputBox(
        tr("File of words to add (CSV or TSV with a header line, Anki's text export or an Anki "
           "package)"),
        tr("Ripasso: import words"), proposed, 3000, 2000);
    if (answer.isEmpty())
        return;
    remember(kImportFileSetting, answer);
    const datafiles::PathMapper mapper = paths();
    const vocaboro::TypedPath typed = [this](const std::filesystem::path& file) {
        return folder_ + QString::fromStdString(file.filename().string());
    };
    QStringList refusedRows;
    std::size_t notShown = 0;
    ImportReport report;
    {
        const WaitCursor waiting;
        report = ripasso::importWords(
            mapper.map(answer.toStdString()), mapper.map(folder_.toStdString()), typed, {},
            [&](std::size_t line, const QString& message) {
                if (static_cast<std::size_t>(refusedRows.size()) < kRefusedRowsShown)
                    refusedRows << tr("Line %1: %2").arg(QString::number(line), message);
                else
                    ++notShown;
            },
            links_.fileAccess);
    }
    if (report.added > 0)
        wordsChanged();
    QStringList told;
    const QString recovered = vocaboro::recoveryText(report.recovered, false, typed, kProgramTitle);
    if (!recovered.isEmpty())
        told << recovered;
    // A file that could not be read at all has nothing to count.
    if (report.added + report.already + report.refused > 0 || report.finished()) {
        QStringList counted{importSummary(report)};
        counted << report.notes << refusedRows;
        if (notShown > 0)
            counted << tr("… and %1 more").arg(notShown);
        told << counted.join(QLatin1Char('\n'));
    }
    if (!report.finished())
        told << report.error;
    links_.dialogs.messageBox(told.join(QStringLiteral("\n\n")),
                              report.finished() ? information() : stopped(), kProgramTitle);
}

void MainWindow::wordsChanged() {
    // The Words page reads its folder again, keeping the search and the selected word; the
    // cards are read when it closes. The start page reads the cards now.
    if (pages_->currentWidget() == wordsPage_)
        wordsPage_->reload();
    else
        readCards();
}

void MainWindow::exportDeck() {
    const QString proposed = rememberedFolder(kExportDeckSetting, QStringLiteral("~/ripasso.apkg"));
    const QString answer = links_.dialogs.inputBox(
        tr("File to write your words to as an Anki deck (.apkg, File, Import in Anki)"),
        tr("Ripasso: export deck for Anki"), proposed, 3000, 2000);
    if (answer.isEmpty())
        return;
    remember(kExportDeckSetting, answer);
    PackageOptions options;
    options.deck = kDefaultDeck;
    options.progress = &links_.store;
    options.today = links_.today();
    options.withSpeech =
        platform::voiceInstalled() &&
        links_.dialogs.messageBox(tr("Put the synthetic voice on the words without a recording?"),
                                  {platform::Buttons::YesNo, platform::Icon::Question},
                                  kProgramTitle) == platform::Answer::Yes;
    const datafiles::PathMapper mapper = paths();
    PackageResult result;
    {
        const WaitCursor waiting;
        result = ripasso::exportAnkiPackage(folderFiles(), mapper.map(answer.toStdString()),
                                            options, links_.fileAccess);
    }
    if (!result.written) {
        links_.dialogs.messageBox(
            tr("The deck was not written: %1.").arg(QString::fromStdString(result.error)),
            stopped(), kProgramTitle);
        return;
    }
    QString text = tr("%1 notes and %2 sound files were written to \"%3\". In Anki, File, Import "
                      "takes them into the deck \"%4\".")
                       .arg(result.notes)
                       .arg(result.media)
                       .arg(answer, QLatin1String(kDefaultDeck));
    if (!result.problems.empty())
        text += QStringLiteral("\n\n") + lines(result.problems);
    links_.dialogs.messageBox(text, information(), kProgramTitle);
}

} // namespace ripasso
