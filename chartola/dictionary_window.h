#pragma once
// Chartola's working window: a drop-down of head words loaded one initial letter at a
// time, or the whole dictionary in either direction, and the entry the user picks.

#include "datafiles/file_io.h"
#include "datafiles/file_naming.h"
#include "platform/dialogs.h"
#include "thaitext/palette.h"

#include <QWidget>

#include <filesystem>
#include <functional>

class QLabel;
class QLineEdit;
class QListView;
class QComboBox;
class QProgressBar;

namespace platform {
class EditableCombo;
class WrapButton;
} // namespace platform

namespace chartola {

class EntryListModel;
class EntryStore;

// What the dictionary window uses: the questions and messages, the data files, and where
// its buttons lead.
struct DictionaryLinks {
    platform::Dialogs& dialogs;
    std::filesystem::path driveRoot; // where "C:" of a typed folder leads
    datafiles::FileAccess fileAccess;
    std::function<void()> showChart; // in place of the dictionary and the credits
    std::function<void()> showNotes; // in place of the dictionary
    std::function<void()> endProgram;
};

class Form3 : public QWidget {
    Q_OBJECT
public:
    explicit Form3(DictionaryLinks links, QWidget* parent = nullptr);

    void Form_Load();
    void Command1_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Combo1_KeyPress(int keyAscii);
    void Combo1_Click();
    // The 26 letter loaders, one operation: `letter` is 'a' ... 'z'. False when the file
    // could not be read whole (reported).
    bool loadit(char letter);
    // Whole-dictionary loaders: every file of the direction, appended to the lists.
    // False when a file could not be read whole; the load stops there (reported).
    bool LOADLEXFWD();
    bool LOADLEXREV();

    const QString& datapath() const { return datapath_; }
    const QString& loadedletter() const { return loadedletter_; }
    const QString& lastword() const { return lastword_; }
    const QString& direction() const { return direction_; }
    int fwdloaded() const { return fwdloaded_; }
    int revloaded() const { return revloaded_; }
    int filecount() const { return filecount_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct WholeLoad {
        datafiles::Direction files;
        platform::WrapButton* Form3::*button;
        platform::WrapButton* Form3::*other;
        int Form3::*loaded;
        int Form3::*otherLoaded;
        const char* direction;
        const char* caption;
        const char* loadingStatus;
        const char* doneStatus;
    };
    void placeBoxesAndLabels();
    void placeListsOnOneModel();
    void placeButtons();
    void describeForScreenReaders(); // and the order of Tab
    void wholeLoad(const WholeLoad& load);
    bool loadDirection(datafiles::Direction files);
    // Reads one letter file into `store`; reports a failure and returns false.
    bool readLetterFile(const QString& fileName, EntryStore& store);
    void clearLists();
    void setStatus(const QString& text);
    void setStatusColor(thaitext::Palette colour);
    void setTextColor(QLineEdit* box, thaitext::Palette colour);
    static void setButtonLook(platform::WrapButton* button, const QString& caption,
                              thaitext::Palette colour);

    DictionaryLinks links_;
    QString datapath_;
    QString loadedletter_;
    QString lastword_;
    QString direction_;
    int fwdloaded_ = 0;
    int revloaded_ = 0;
    int filecount_ = 0;

    platform::EditableCombo* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;
    QListView* List1 = nullptr;
    QListView* List2 = nullptr;
    // Behind all four lists: Combo1 shows its column 0, Combo2 column 1, List1 2, List2 3.
    EntryListModel* entries_ = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* Text2 = nullptr;
    QLineEdit* Text3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    platform::WrapButton* Command1 = nullptr;
    platform::WrapButton* Command4 = nullptr;
    platform::WrapButton* Command5 = nullptr;
    platform::WrapButton* Command6 = nullptr;
};

} // namespace chartola
