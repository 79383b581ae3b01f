#pragma once
// Ripasso's window: the start page (the three letter drills, the seven drills of the script,
// the review of the user's words and what the words' folder holds), the drill page and the review
// page, and the File menu (words imported from a file, the export for Anki as a text file or as
// a deck, another folder, quit). A failure of the audio device is told once: on the card during
// a review, else in a box.

#include "links.h"
#include "word_cards.h"

#include "datafiles/path_mapping.h"

#include <QMainWindow>

class QAction;
class QCheckBox;
class QLabel;
class QStackedWidget;

namespace platform {
class MarkedButton;
class WrappingLabel;
} // namespace platform

namespace ripasso {

class DrillPage;
class ReviewPage;
class WordsPage;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Links links, QWidget* parent = nullptr);

    // Asks for the words' folder, proposing the one chosen last (else "C:\THAI\"), keeps
    // the answer in the progress, and reads the folder's cards.
    void chooseFolder();
    // Reads the folder's cards again and shows the start page.
    void readCards();
    void startDrill(DrillKind kind);
    void startReview();
    // Asks for the file and writes the words there for Anki.
    void exportWords();
    // Asks for a file of words (CSV, TSV, Anki's text or package), adds them to the folder and
    // tells what became of every row.
    void importWords();
    // Asks for the .apkg file, and whether the voice says the words without a recording, and
    // writes the words there as an Anki deck with their progress.
    void exportDeck();
    // The Words page: the folder's words, to search, sort, change, remove and add.
    void showWords();

    const QString& folder() const { return folder_; }
    const FolderCards& cards() const { return cards_; }
    DrillPage& drillPage() const { return *drillPage_; }
    ReviewPage& reviewPage() const { return *reviewPage_; }
    WordsPage& wordsPage() const { return *wordsPage_; }

private:
    void buildHomePage(QWidget* page);
    void buildMenu();
    void showHome();
    datafiles::PathMapper paths() const;
    // Where a file of the words' folder is, by its name; the folder as it is now.
    PathOf folderFiles() const;
    QString rememberedFolder(const char* setting, const QString& fallback);
    // Finishes or drops the moves of review history left pending in this folder, and says so.
    void settlePendingMoves(const PathOf& pathOf);
    void remember(const char* setting, const QString& value);
    void tellSpeechFailure(const QString& message);
    // The folder's words read again by whatever shows them.
    void wordsChanged();

    Links links_;
    QString folder_;
    QString soundFolder_;
    FolderCards cards_;

    QStackedWidget* pages_ = nullptr;
    QWidget* homePage_ = nullptr;
    DrillPage* drillPage_ = nullptr;
    ReviewPage* reviewPage_ = nullptr;
    WordsPage* wordsPage_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QLabel* wordsSummary_ = nullptr;
    QLabel* sessionNote_ = nullptr;
    platform::WrappingLabel* readingNotes_ = nullptr;
    platform::MarkedButton* reviewButton_ = nullptr;
    QCheckBox* typeAnswerCheck_ = nullptr; // the review's answers typed, remembered
    QCheckBox* sayWordsCheck_ = nullptr;   // the review's Thai words said, remembered
    platform::MarkedButton* folderButton_ = nullptr;
    platform::MarkedButton* wordsButton_ = nullptr;
    platform::MarkedButton* drillButtons_[3] = {};
    QAction* importAction_ = nullptr;
    QAction* exportAction_ = nullptr;
    QAction* exportDeckAction_ = nullptr;
    QAction* folderAction_ = nullptr;
    QAction* wordsAction_ = nullptr;
    QAction* quitAction_ = nullptr;
};

} // namespace ripasso
