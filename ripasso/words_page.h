#pragma once
// The Words page: every word of the folder's forward files in a table that a search narrows
// (accents and letter case aside, on any column) and a header or Ctrl+1 to Ctrl+5 sorts; Enter
// or F2 changes the word in a form with the seven boxes of Vocaboro's entry panel and its
// checks, Delete removes it after a question, Insert (or the Add button) adds one. Each write
// goes through the data files' journal: a new word is appended as Vocaboro appends it, a
// change or removal made in both directions by datafiles::changeEntry. A change of the head
// word or the pronunciation takes the word's review history along (word_history.h).

#include "links.h"
#include "word_list.h"

#include "datafiles/dictionary_record.h"
#include "datafiles/entry_editor.h"

#include <QWidget>

#include <array>
#include <filesystem>
#include <optional>

class QLabel;
class QLineEdit;
class QStackedWidget;
class QTableView;
class QTimer;

namespace platform {
class MarkedButton;
class WrappingLabel;
} // namespace platform

namespace ripasso {

class WordsModel;

class WordsPage : public QWidget {
    Q_OBJECT
public:
    explicit WordsPage(Links links, QWidget* parent = nullptr);

    // Reads the folder (typed, with a separator at its end) and shows its words, the search
    // box focused.
    void open(const QString& folder);
    // Reads the folder again, keeping the search, the sort and the selected word.
    void reload();
    void sortBy(int column);
    void addWord();
    void changeCurrent();
    void removeCurrent();
    // Checks the form and writes what it holds.
    void saveForm();
    void closeForm();
    // Starts recording the selected word, or stops and keeps the recording.
    void toggleRecording();
    void listen();

    WordsModel& model() const { return *model_; }
    QTableView* table() const { return table_; }
    bool formShown() const;
    // The record of the selected line, if any.
    std::optional<WordList::Row> currentRow() const;

signals:
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildList(QWidget* panel);
    void buildForm(QWidget* panel);
    void showForm(const std::optional<datafiles::DictionaryRecord>& record);
    void showFormError(const QString& failure);
    void hideFormError();
    void selectLine(int line);
    void updateCount();
    // Reads the folder again and selects the record (or else the line `line`).
    void reloadSelecting(const std::optional<datafiles::DictionaryRecord>& record, char letter,
                         int line);
    // changeEntry, asking before a forward-alone change; nullopt when the user said No.
    std::optional<datafiles::EntryEditResult> change(datafiles::EntryChange change);
    void tellRecovery(const datafiles::RecoveryResult& recovery);
    void tell(const QString& text, platform::Icon icon);
    QString typedPath(const std::filesystem::path& file) const;
    std::filesystem::path mapped(const QString& typed) const;
    // Stops the microphone; the take is written and named by the record when `keep`.
    void finishRecording(bool keep);
    void saveTake(const QByteArray& pcm, int sampleRate);

    Links links_;
    QString folder_;
    WordsModel* model_ = nullptr;
    // The word the form changes (none: a new word), and which of its equal records it is.
    std::optional<datafiles::DictionaryRecord> editing_;
    std::size_t occurrence_ = 0;
    int editedLine_ = 0;
    // The word being recorded, which of its equal records, its file's letter and its line.
    std::optional<datafiles::DictionaryRecord> recording_;
    std::size_t recordingOccurrence_ = 0;
    char recordingLetter_ = 0;
    int recordingLine_ = 0;
    QTimer* recordingLimit_ = nullptr;

    QStackedWidget* panels_ = nullptr;
    QWidget* listPanel_ = nullptr;
    QWidget* formPanel_ = nullptr;
    QLabel* wordsCount_ = nullptr;
    QLabel* sortNote_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTableView* table_ = nullptr;
    platform::WrappingLabel* wordsProblems_ = nullptr;
    platform::MarkedButton* addButton_ = nullptr;
    platform::MarkedButton* changeButton_ = nullptr;
    platform::MarkedButton* removeButton_ = nullptr;
    platform::MarkedButton* recordButton_ = nullptr;
    platform::MarkedButton* listenButton_ = nullptr;
    platform::MarkedButton* backButton_ = nullptr;
    QLabel* formHeading_ = nullptr;
    std::array<QLineEdit*, 7> boxes_{};
    platform::WrappingLabel* formError_ = nullptr;
    platform::MarkedButton* saveButton_ = nullptr;
    platform::MarkedButton* cancelButton_ = nullptr;
};

} // namespace ripasso
