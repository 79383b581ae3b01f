#include "words_page.h"

#include "recordings.h"
#include "word_history.h"
#include "words_model.h"

#include "datafiles/entry_writer.h"
#include "datafiles/path_mapping.h"
#include "datafiles/record_writer.h"
#include "datafiles/sound_files.h"
#include "platform/error_text.h"
#include "platform/fonts.h"
#include "platform/spoken_message.h"
#include "platform/text.h"
#include "platform/word_speech.h"
#include "platform/wrap_button.h"
#include "platform/wrapping_label.h"
#include "vocaboro/entry_check.h"
#include "vocaboro/entry_messages.h"

#include <QAccessible>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QStackedWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace ripasso {
namespace {

using Problem = datafiles::EntryEditResult::Problem;

// The entry panel's boxes in the order of kEntryBoxes, and the record's field of each.
constexpr int kFieldOfBox[7] = {0, 2, 4, 1, 3, 5, 6};

QString wordName(const datafiles::DictionaryRecord& record) {
    return QStringLiteral("\"%1\" (%2)")
        .arg(platform::fromLatin(record.headword), platform::fromLatin(record.counterpart));
}

// The box a failure of vocaboro::checkEntry is about.
int boxOfFailure(const QString& failure) {
    for (std::size_t i = 0; i < vocaboro::kEntryBoxes.size(); ++i)
        if (failure.startsWith(vocaboro::boxName(vocaboro::kEntryBoxes[i]) + QLatin1Char(':')))
            return static_cast<int>(i);
    return failure.contains(QStringLiteral("Thai")) ? 3 : 0; // the pronunciation, or the word
}

void announce(QObject* object, QAccessible::Event kind) {
    QAccessibleEvent event(object, kind);
    QAccessible::updateAccessibility(&event);
}

bool isEnter(int key) {
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

} // namespace

WordsPage::WordsPage(Links links, QWidget* parent) : QWidget(parent), links_(std::move(links)) {
    setObjectName(QStringLiteral("wordsPage"));
    model_ = new WordsModel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    panels_ = new QStackedWidget(this);
    panels_->setObjectName(QStringLiteral("wordsPanels"));
    listPanel_ = new QWidget(panels_);
    listPanel_->setObjectName(QStringLiteral("wordsList"));
    formPanel_ = new QWidget(panels_);
    formPanel_->setObjectName(QStringLiteral("wordForm"));
    buildList(listPanel_);
    buildForm(formPanel_);
    panels_->addWidget(listPanel_);
    panels_->addWidget(formPanel_);
    layout->addWidget(panels_);
}

void WordsPage::buildList(QWidget* panel) {
    auto* layout = new QVBoxLayout(panel);
    auto* top = new QHBoxLayout;
    auto* heading = makeLabel(panel, "wordsHeading", tr("Your words"));
    heading->setText(tr("Your words"));
    heading->setFont(platform::makeFont(platform::kSansFont, 14, true));
    wordsCount_ = makeLabel(panel, "wordsCount", tr("How many words are listed"));
    top->addWidget(heading, 1);
    top->addWidget(wordsCount_);
    layout->addLayout(top);

    auto* searchRow = new QHBoxLayout;
    auto* searchLabel = makeLabel(panel, "searchLabel", tr("Search"));
    searchLabel->setText(tr("&Search:"));
    search_ = new QLineEdit(panel);
    search_->setObjectName(QStringLiteral("wordsSearch"));
    search_->setAccessibleName(tr("Search your words"));
    search_->setAccessibleDescription(
        tr("Any column that contains the text, accents and letter case aside. Down "
           "goes to the list."));
    search_->setClearButtonEnabled(true);
    searchLabel->setBuddy(search_);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search_, 1);
    layout->addLayout(searchRow);

    table_ = new QTableView(panel);
    table_->setObjectName(QStringLiteral("wordsTable"));
    table_->setAccessibleName(tr("Your words"));
    table_->setAccessibleDescription(
        tr("Enter or F2 changes the word, Delete removes it, Insert adds one, "
           "Control 1 to 5 sort by a column."));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setTabKeyNavigation(false);
    table_->setWordWrap(false);
    table_->setAlternatingRowColors(true);
    // Every row one height, never measured: a million of them cost nothing to lay out.
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(QFontMetrics(table_->font()).height() + 10);
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setStretchLastSection(true);
    header->setSectionsClickable(true);
    header->setSortIndicatorShown(false);
    header->setDefaultSectionSize(140);
    connect(header, &QHeaderView::sectionClicked, this, &WordsPage::sortBy);
    layout->addWidget(table_, 1);

    sortNote_ = makeLabel(panel, "sortNote", tr("Order of the list"));
    layout->addWidget(sortNote_);
    auto* keys = makeLabel(panel, "wordsKeys", tr("Keys of the list"));
    keys->setText(tr("Enter or F2: change · Delete: remove · Insert: add · "
                     "Ctrl+1 to Ctrl+5: sort by a column, Ctrl+0: the files' order"));
    keys->setAccessibleName(keys->text());
    keys->setWordWrap(true);
    layout->addWidget(keys);
    wordsProblems_ = new platform::WrappingLabel(panel);
    wordsProblems_->setObjectName(QStringLiteral("wordsProblems"));
    wordsProblems_->setAccessibleName(tr("What could not be read"));
    wordsProblems_->setTextFormat(Qt::PlainText);
    wordsProblems_->setStyleSheet(QStringLiteral("color: #8b0000;"));
    wordsProblems_->hide();
    layout->addWidget(wordsProblems_);

    auto* buttons = new QHBoxLayout;
    addButton_ = makeButton(panel, "addWordButton", tr("&Add a word…"), tr("Add a word"));
    changeButton_ =
        makeButton(panel, "changeWordButton", tr("C&hange…"), tr("Change the selected word"));
    removeButton_ =
        makeButton(panel, "removeWordButton", tr("&Delete…"), tr("Delete the selected word"));
    backButton_ =
        makeButton(panel, "wordsBackButton", tr("Back (Esc)"), tr("Back to the start page (Esc)"));
    recordButton_ = makeButton(panel, "recordButton", tr("Record (Alt+R)"),
                               tr("Record the selected word's Thai (Alt+R)"));
    listenButton_ = makeButton(panel, "listenButton", tr("Listen (Alt+L)"),
                               tr("Listen to the selected word (Alt+L)"));
    for (QWidget* b : {addButton_, changeButton_, removeButton_, recordButton_, listenButton_})
        buttons->addWidget(b);
    buttons->addStretch(1);
    buttons->addWidget(backButton_);
    layout->addLayout(buttons);
    connect(addButton_, &QPushButton::clicked, this, &WordsPage::addWord);
    connect(changeButton_, &QPushButton::clicked, this, &WordsPage::changeCurrent);
    connect(removeButton_, &QPushButton::clicked, this, &WordsPage::removeCurrent);
    connect(backButton_, &QPushButton::clicked, this, &WordsPage::closed);
    connect(recordButton_, &QPushButton::clicked, this, &WordsPage::toggleRecording);
    connect(listenButton_, &QPushButton::clicked, this, &WordsPage::listen);
    // Keys of their own rather than access keys: the caption changes while recording.
    const std::pair<QKeySequence, void (WordsPage::*)()> soundKeys[] = {
        {QKeySequence(Qt::ALT | Qt::Key_R), &WordsPage::toggleRecording},
        {QKeySequence(Qt::ALT | Qt::Key_L), &WordsPage::listen}};
    for (const auto& [sequence, slot] : soundKeys) {
        auto* shortcut = new QShortcut(sequence, panel);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, slot);
    }
    recordingLimit_ = new QTimer(this);
    recordingLimit_->setSingleShot(true);
    recordingLimit_->setInterval(kLongestRecordingSeconds * 1000);
    connect(recordingLimit_, &QTimer::timeout, this, [this] { finishRecording(true); });
    // A recording not stopped when the page is left is dropped.
    connect(this, &WordsPage::closed, this, [this] {
        if (recording_)
            finishRecording(false);
    });

    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        const std::optional<WordList::Row> row = currentRow();
        model_->setFilter(text);
        selectLine(row ? std::max(0, model_->lineOf(*row)) : 0);
        updateCount();
    });
    search_->installEventFilter(this);
    table_->installEventFilter(this);
    for (int column = 0; column <= WordList::kColumns; ++column) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_0 + column)), panel);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, column] { sortBy(column - 1); });
    }
}

void WordsPage::buildForm(QWidget* panel) {
    auto* layout = new QVBoxLayout(panel);
    formHeading_ = makeLabel(panel, "formHeading", tr("What the form does"));
    formHeading_->setFont(platform::makeFont(platform::kSansFont, 14, true));
    layout->addWidget(formHeading_);
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const vocaboro::EntryBox& box = vocaboro::kEntryBoxes[i];
        auto* caption = makeLabel(panel, qPrintable(QStringLiteral("caption%1").arg(i + 1)),
                                  vocaboro::boxName(box));
        caption->setText(QString::fromLatin1(box.caption));
        boxes_[i] = new QLineEdit(panel);
        boxes_[i]->setObjectName(QStringLiteral("Text%1").arg(i + 1));
        boxes_[i]->setAccessibleName(vocaboro::boxName(box));
        if (box.thai)
            boxes_[i]->setFont(platform::makeFont(platform::kThaiButtonFont, 14));
        boxes_[i]->installEventFilter(this);
        caption->setBuddy(boxes_[i]);
        grid->addWidget(caption, static_cast<int>(i), 0);
        grid->addWidget(boxes_[i], static_cast<int>(i), 1);
    }
    layout->addLayout(grid);
    formError_ = new platform::WrappingLabel(panel);
    formError_->setObjectName(QStringLiteral("formError"));
    platform::markAsMessage(formError_); // an alert: read out as it shows
    formError_->setAccessibleName(tr("Error"));
    formError_->setTextFormat(Qt::PlainText);
    formError_->setStyleSheet(QStringLiteral("color: #ff0000; font-weight: bold;"));
    formError_->hide();
    layout->addWidget(formError_);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    saveButton_ =
        makeButton(panel, "saveWordButton", tr("&Save (Enter)"), tr("Save the word (Enter)"));
    cancelButton_ = makeButton(panel, "cancelWordButton", tr("Cancel (Esc)"),
                               tr("Cancel, nothing is written (Esc)"));
    buttons->addWidget(saveButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    connect(saveButton_, &QPushButton::clicked, this, &WordsPage::saveForm);
    connect(cancelButton_, &QPushButton::clicked, this, &WordsPage::closeForm);
}

std::filesystem::path WordsPage::mapped(const QString& typed) const {
    return datafiles::PathMapper(links_.driveRoot).map(typed.toStdString());
}

QString WordsPage::typedPath(const std::filesystem::path& file) const {
    return folder_ + QString::fromStdString(file.filename().string());
}

void WordsPage::open(const QString& folder) {
    folder_ = folder;
    panels_->setCurrentWidget(listPanel_);
    reloadSelecting(std::nullopt, 0, 0);
    search_->setFocus(Qt::OtherFocusReason);
    search_->selectAll();
}

void WordsPage::reload() {
    const std::optional<WordList::Row> row = currentRow();
    const int line = table_->currentIndex().isValid() ? table_->currentIndex().row() : 0;
    std::optional<datafiles::DictionaryRecord> record;
    char letter = 0;
    if (row) {
        record.emplace();
        model_->words().record(*row).copyTo(*record);
        letter = model_->words().fileLetter(*row);
    }
    reloadSelecting(record, letter, line);
}

void WordsPage::reloadSelecting(const std::optional<datafiles::DictionaryRecord>& record,
                                char letter, int line) {
    const datafiles::PathMapper paths(links_.driveRoot);
    const std::vector<std::string> problems = model_->load(
        [this, &paths](const std::string& name) {
            return paths.map((folder_ + QString::fromStdString(name)).toStdString());
        },
        links_.fileAccess);
    QStringList told;
    for (const std::string& problem : problems)
        told << QString::fromStdString(problem);
    wordsProblems_->setText(told.join(QLatin1Char('\n')));
    wordsProblems_->setVisible(!told.isEmpty());
    int target = -1;
    if (record) {
        if (const auto row = model_->words().find(*record, letter)) {
            target = model_->lineOf(*row);
            if (target < 0 && !search_->text().isEmpty()) {
                // The word just written is shown, not hidden by a search it does not match.
                search_->clear();
                target = model_->lineOf(*row);
            }
        }
    }
    selectLine(target >= 0 ? target : std::min(line, model_->rowCount() - 1));
    updateCount();
}

void WordsPage::selectLine(int line) {
    if (line < 0 || line >= model_->rowCount()) {
        table_->selectionModel()->clear();
        return;
    }
    const QModelIndex index = model_->index(line, 0);
    table_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                         QItemSelectionModel::Rows);
    table_->scrollTo(index);
}

void WordsPage::updateCount() {
    const int shown = model_->rowCount();
    const std::size_t all = model_->words().size();
    if (model_->filter().isEmpty())
        wordsCount_->setText(all == 1 ? tr("1 word") : tr("%1 words").arg(all));
    else if (shown == 0)
        wordsCount_->setText(tr("No word of %1 matches").arg(all));
    else
        wordsCount_->setText(tr("%1 of %2 words match").arg(shown).arg(all));
    changeButton_->setEnabled(shown > 0);
    removeButton_->setEnabled(shown > 0);
    // Screen readers hear a label's name: what it says now.
    wordsCount_->setAccessibleName(wordsCount_->text());
    const int column = model_->sortColumn();
    sortNote_->setText(
        column < 0
            ? tr("In the files' order.")
            : tr("Sorted by %1, %2.")
                  .arg(WordsModel::columnName(column),
                       model_->sortOrder() == Qt::AscendingOrder ? tr("A to Z") : tr("Z to A")));
    sortNote_->setAccessibleName(sortNote_->text());
}

std::optional<WordList::Row> WordsPage::currentRow() const {
    const QModelIndex index = table_->currentIndex();
    if (!index.isValid() || index.row() >= model_->rowCount())
        return std::nullopt;
    return model_->rowAt(index.row());
}

bool WordsPage::formShown() const {
    return panels_->currentWidget() == formPanel_;
}

void WordsPage::sortBy(int column) {
    const std::optional<WordList::Row> row = currentRow();
    const Qt::SortOrder order =
        column == model_->sortColumn() && model_->sortOrder() == Qt::AscendingOrder
            ? Qt::DescendingOrder
            : Qt::AscendingOrder;
    model_->sort(column, order);
    QHeaderView* header = table_->horizontalHeader();
    header->setSortIndicatorShown(model_->sortColumn() >= 0);
    header->setSortIndicator(model_->sortColumn(), order);
    selectLine(row ? std::max(0, model_->lineOf(*row)) : 0);
    updateCount();
    announce(sortNote_, QAccessible::NameChanged);
}

// --- the form

void WordsPage::showForm(const std::optional<datafiles::DictionaryRecord>& record) {
    editing_ = record;
    editedLine_ = table_->currentIndex().isValid() ? table_->currentIndex().row() : 0;
    formHeading_->setText(record ? tr("Change the word %1").arg(wordName(*record))
                                 : tr("Add a word"));
    formHeading_->setAccessibleName(formHeading_->text());
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const vocaboro::EntryBox& box = vocaboro::kEntryBoxes[i];
        QString text;
        if (record) {
            const std::string& field = record->field(kFieldOfBox[i]);
            if (!(box.marker && field == box.marker))
                text = box.thai ? platform::fromThai(field) : platform::fromLatin(field);
        }
        boxes_[i]->setText(text);
    }
    hideFormError();
    panels_->setCurrentWidget(formPanel_);
    boxes_[0]->setFocus(Qt::OtherFocusReason);
    boxes_[0]->selectAll();
}

void WordsPage::addWord() {
    occurrence_ = 0;
    showForm(std::nullopt);
}

void WordsPage::changeCurrent() {
    const std::optional<WordList::Row> row = currentRow();
    if (!row)
        return;
    datafiles::DictionaryRecord record;
    model_->words().record(*row).copyTo(record);
    occurrence_ = model_->words().occurrence(*row);
    showForm(record);
}

void WordsPage::closeForm() {
    hideFormError();
    editing_.reset();
    panels_->setCurrentWidget(listPanel_);
    table_->setFocus(Qt::OtherFocusReason);
}

void WordsPage::showFormError(const QString& failure) {
    hideFormError();
    formError_->setText(failure);
    formError_->setAccessibleDescription(failure);
    formError_->show();
    // Told to screen readers at once, and again with the box it is about when that box takes
    // the focus.
    QLineEdit* box = boxes_[static_cast<std::size_t>(boxOfFailure(failure))];
    box->setAccessibleDescription(failure);
    announce(formError_, QAccessible::DescriptionChanged);
    announce(box, QAccessible::DescriptionChanged);
    announce(formError_, QAccessible::Alert);
    box->setFocus(Qt::OtherFocusReason);
}

void WordsPage::hideFormError() {
    formError_->clear();
    formError_->setAccessibleDescription(QString());
    formError_->hide();
    for (QLineEdit* box : boxes_)
        box->setAccessibleDescription(QString());
}

void WordsPage::tell(const QString& text, platform::Icon icon) {
    links_.dialogs.messageBox(text, {platform::Buttons::Ok, icon}, kProgramTitle);
}

void WordsPage::tellRecovery(const datafiles::RecoveryResult& recovery) {
    const QString text = vocaboro::recoveryText(
        recovery, false, [this](const std::filesystem::path& file) { return typedPath(file); },
        kProgramTitle);
    if (!text.isEmpty())
        tell(text, recovery.settled() && recovery.error == 0 ? platform::Icon::Information
                                                             : platform::Icon::Stop);
}

std::optional<datafiles::EntryEditResult> WordsPage::change(datafiles::EntryChange change) {
    const std::filesystem::path folder = mapped(folder_);
    datafiles::EntryEditResult result = datafiles::changeEntry(folder, change, links_.fileAccess);
    tellRecovery(result.recovered);
    if (result.problem != Problem::CounterpartMissing &&
        result.problem != Problem::CounterpartNotSingle)
        return result;
    const QString word = wordName(change.forward);
    const QString found =
        result.problem == Problem::CounterpartMissing
            ? tr("The Thai-Italian file holds no record that goes with %1.").arg(word)
            : tr("The Thai-Italian file holds %1 records that go with %2, not one "
                 "for each time the Italian-Thai file holds it.")
                  .arg(result.counterparts)
                  .arg(word);
    const QString question = change.replacement ? tr(" Change the Italian-Thai record alone?")
                                                : tr(" Remove the Italian-Thai record alone?");
    if (links_.dialogs.messageBox(
            found + question,
            {platform::Buttons::YesNo, platform::Icon::Question, platform::DefaultButton::Second},
            kProgramTitle) != platform::Answer::Yes)
        return std::nullopt;
    change.forwardAlone = true;
    result = datafiles::changeEntry(folder, change, links_.fileAccess);
    tellRecovery(result.recovered);
    return result;
}

void WordsPage::saveForm() {
    vocaboro::EntryTexts texts;
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        texts[i] = boxes_[i]->text();
    const vocaboro::CheckResult check = vocaboro::checkEntry(texts);
    if (!check.passed()) {
        showFormError(check.failure);
        return;
    }
    hideFormError();
    const datafiles::DictionaryRecord& record = check.record;
    // "LEXFWD_C.DAT": the letter of the file the word goes to.
    const char letter = check.forwardFile.size() > 7 ? check.forwardFile.at(7).toLatin1() : 0;
    const vocaboro::TypedPath typed = [this](const std::filesystem::path& file) {
        return typedPath(file);
    };

    if (!editing_) {
        const QString forwardTyped = folder_ + check.forwardFile;
        const QString reverseTyped = folder_ + check.reverseFile;
        const datafiles::EntryWriteResult result = datafiles::appendEntry(
            mapped(forwardTyped), datafiles::formatRecordLine(record), mapped(reverseTyped),
            datafiles::formatRecordLine(datafiles::reverseOf(record)), links_.fileAccess);
        tellRecovery(result.recovered);
        if (!result.ok()) {
            tell(vocaboro::writeFailureText(result, forwardTyped, reverseTyped, typed,
                                            kProgramTitle),
                 platform::Icon::Stop);
            return; // the form stays, for another try
        }
        closeForm();
        reloadSelecting(record, letter, editedLine_);
        return;
    }

    const datafiles::DictionaryRecord old = *editing_;
    if (record == old) {
        closeForm();
        return;
    }
    // The cards go by the head word and the pronunciation: a change of either is announced to
    // the progress before the files change, so that no answer is lost if Ripasso is killed.
    std::optional<std::int64_t> move;
    if (record.headword != old.headword || record.counterpart != old.counterpart) {
        const std::optional<bool> answered = links_.store.hasCards(old.headword, old.counterpart);
        if (answered && *answered)
            move =
                links_.store.announceMove({0, folder_.toStdString(), old.headword, old.counterpart,
                                           record.headword, record.counterpart});
        if (!answered || (*answered && !move)) {
            tell(QString::fromStdString(links_.store.lastError().message) +
                     tr(" The word was not changed, so that its review answers "
                        "stay with it."),
                 platform::Icon::Stop);
            return;
        }
    }
    const std::optional<datafiles::EntryEditResult> result =
        change({old, occurrence_, record, false});
    if (!result || !result->ok()) {
        const bool sealed = result && result->problem == Problem::NotFinished;
        // A sealed change is made by the next write: its move stays pending until then.
        if (move && !sealed)
            links_.store.dropMove(*move);
        if (!result)
            return; // the user kept the word as it is
        tell(vocaboro::changeFailureText(*result, typed), platform::Icon::Stop);
        if (sealed || result->problem == Problem::NotFound) {
            closeForm();
            reloadSelecting(record, letter, editedLine_);
        }
        return;
    }
    if (move) {
        const std::optional<MoveResult> moved = links_.store.finishMove(*move);
        if (!moved)
            tell(QString::fromStdString(links_.store.lastError().message) +
                     tr(" The word was changed; its review answers follow it the "
                        "next time Ripasso reads this folder."),
                 platform::Icon::Exclamation);
        else if (const QString text = moveText({*move,
                                                {},
                                                old.headword,
                                                old.counterpart,
                                                record.headword,
                                                record.counterpart},
                                               *moved);
                 !text.isEmpty())
            tell(text, platform::Icon::Information);
    }
    closeForm();
    reloadSelecting(record, letter, editedLine_);
}

void WordsPage::removeCurrent() {
    const std::optional<WordList::Row> row = currentRow();
    if (!row)
        return;
    datafiles::DictionaryRecord record;
    model_->words().record(*row).copyTo(record);
    const int line = table_->currentIndex().row();
    if (links_.dialogs.messageBox(
            tr("Delete %1 from the dictionary, in both directions? Its review "
               "answers are kept.")
                .arg(wordName(record)),
            {platform::Buttons::YesNo, platform::Icon::Question, platform::DefaultButton::Second},
            kProgramTitle) != platform::Answer::Yes)
        return;
    const std::optional<datafiles::EntryEditResult> result =
        change({record, model_->words().occurrence(*row), std::nullopt, false});
    if (!result)
        return;
    if (!result->ok())
        tell(vocaboro::changeFailureText(
                 *result, [this](const std::filesystem::path& file) { return typedPath(file); }),
             platform::Icon::Stop);
    reloadSelecting(std::nullopt, 0, line);
    table_->setFocus(Qt::OtherFocusReason);
}

// --- the voice

void WordsPage::toggleRecording() {
    if (recording_) {
        finishRecording(true);
        return;
    }
    const std::optional<WordList::Row> row = currentRow();
    if (!row || formShown())
        return;
    const QString noMicrophone = tr("No microphone was found: nothing was recorded.");
    if (!links_.recorder.available()) {
        tell(noMicrophone, platform::Icon::Exclamation);
        return;
    }
    // Told after the recorder's own call has returned, and only to a page still there: the
    // recorder outlives the window.
    links_.recorder.reportError = [page = QPointer<WordsPage>(this)](const QString& message) {
        if (page)
            QTimer::singleShot(0, page, [page, message] {
                if (!page || !page->recording_)
                    return;
                page->finishRecording(false);
                page->tell(message, platform::Icon::Exclamation);
            });
    };
    if (!links_.recorder.start()) {
        tell(tr("The microphone could not be started: nothing was recorded."),
             platform::Icon::Exclamation);
        return;
    }
    recording_.emplace();
    model_->words().record(*row).copyTo(*recording_);
    recordingOccurrence_ = model_->words().occurrence(*row);
    recordingLetter_ = model_->words().fileLetter(*row);
    recordingLine_ = table_->currentIndex().isValid() ? table_->currentIndex().row() : 0;
    recordButton_->setText(tr("Stop (Alt+R)"));
    recordButton_->setAccessibleName(tr("Stop the recording and keep it (Alt+R)"));
    recordingLimit_->start();
}

void WordsPage::finishRecording(bool keep) {
    recordingLimit_->stop();
    const platform::VoiceRecorder::Take take = links_.recorder.stop();
    recordButton_->setText(tr("Record (Alt+R)"));
    recordButton_->setAccessibleName(tr("Record the selected word's Thai (Alt+R)"));
    if (!recording_ || !keep) {
        recording_.reset();
        return;
    }
    const qint64 samples = take.pcm.size() / 2;
    if (take.sampleRate <= 0 ||
        samples * 1000 < qint64(kShortestRecordingMilliseconds) * take.sampleRate) {
        recording_.reset();
        tell(tr("The recording was too short (under a third of a second): nothing was written."),
             platform::Icon::Information);
        return;
    }
    saveTake(take.pcm, take.sampleRate);
    recording_.reset();
}

void WordsPage::saveTake(const QByteArray& pcm, int sampleRate) {
    const datafiles::DictionaryRecord old = *recording_;
    const std::filesystem::path folder = mapped(folder_);
    removeTemporaryRecordings(folder); // those of a recording cut short by a kill
    const std::string name = recordingName(old.counterpart, folder);
    if (const int error = saveRecording(folder, name, waveFile(pcm, sampleRate)); error != 0) {
        tell(tr("The recording could not be written as %1: %2")
                 .arg(folder_ + QString::fromStdString(name), platform::errorText(error)),
             platform::Icon::Stop);
        return;
    }
    // The file is whole and in place: only now does the record name it.
    datafiles::DictionaryRecord record = old;
    record.thaiSound = name;
    const std::optional<datafiles::EntryEditResult> result =
        change({old, recordingOccurrence_, record, false});
    if (!result || !result->ok()) {
        // A sealed change is made by the next write: the record will name the file.
        if (!result || result->problem != Problem::NotFinished) {
            std::error_code ignored;
            std::filesystem::remove(folder / name, ignored);
        }
        if (result)
            tell(
                vocaboro::changeFailureText(
                    *result, [this](const std::filesystem::path& file) { return typedPath(file); }),
                platform::Icon::Stop);
        reloadSelecting(old, recordingLetter_, recordingLine_);
        return;
    }
    // The kit's own recording that the record named before is no longer needed.
    std::string_view before;
    if (datafiles::soundField(old.thaiSound, &before) == datafiles::SoundField::Name &&
        before != name && isOwnRecording(before)) {
        std::error_code ignored;
        std::filesystem::remove(folder / std::string(before), ignored);
    }
    reloadSelecting(record, recordingLetter_, recordingLine_);
}

void WordsPage::listen() {
    const std::optional<WordList::Row> row = currentRow();
    if (!row || formShown() || recording_)
        return;
    datafiles::DictionaryRecord record;
    model_->words().record(*row).copyTo(record);
    const platform::WordSaid said =
        platform::sayThaiWord(links_.speech, datafiles::PathMapper(links_.driveRoot), folder_,
                              record.thaiSound, record.thai);
    if (const QStringList told = platform::problemsOf(said); !told.isEmpty())
        tell(told.join(QStringLiteral("\n\n")), platform::Icon::Information);
}

// --- keys

bool WordsPage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool plain = key->modifiers() == Qt::NoModifier || key->modifiers() == Qt::KeypadModifier;
    if (watched == table_ && plain) {
        if (isEnter(key->key()) || key->key() == Qt::Key_F2) {
            changeCurrent();
            return true;
        }
        if (key->key() == Qt::Key_Delete) {
            removeCurrent();
            return true;
        }
        if (key->key() == Qt::Key_Insert) {
            addWord();
            return true;
        }
    } else if (watched == search_ && plain && key->key() == Qt::Key_Insert) {
        addWord(); // as from the list: the search box takes no Insert of its own
        return true;
    } else if (watched == search_ && plain && key->key() == Qt::Key_F2) {
        if (!table_->currentIndex().isValid())
            selectLine(0);
        changeCurrent();
        return true;
    } else if (watched == search_ && plain && (key->key() == Qt::Key_Down || isEnter(key->key()))) {
        if (!table_->currentIndex().isValid())
            selectLine(0);
        table_->setFocus(Qt::OtherFocusReason);
        return true;
    } else if (plain && isEnter(key->key()) &&
               std::find(boxes_.begin(), boxes_.end(), watched) != boxes_.end()) {
        saveForm();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void WordsPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        if (formShown())
            closeForm();
        else
            emit closed();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace ripasso
