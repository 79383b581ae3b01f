#pragma once
// The new-word entry panel on the left of the console window: seven labelled boxes, the red
// error box, the two file labels, the two record labels and six buttons. Its state is the
// visibility of those controls, set in one call; the window's handlers drive it.

#include "entry_check.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vocaboro {

class EntryPanel : public QWidget {
    Q_OBJECT
public:
    enum class State {
        Closed,       // nothing of the panel shows
        Typing,       // the boxes, "delete ALL field", the check and "Abort"
        ReadyToWrite, // as Typing, with the write button over the check button
        Written,      // the boxes, the record labels, "delete ALL field", "End" and "Next..."
    };

    explicit EntryPanel(QWidget* parent);

    void setState(State state);
    State state() const { return state_; }

    // Text1 ... Text7 by index 0 ... 6.
    QLineEdit* box(int index) const { return boxes_[static_cast<std::size_t>(index)]; }
    EntryTexts texts() const;
    // Sets every box; an edit by the program is no edit of the user's.
    void setTexts(const EntryTexts& texts);
    void clearBoxes() { setTexts({}); }

    void showError(const QString& message);
    void hideError();
    void setFileLabels(const QString& italy, const QString& thai);
    void setRecordLabels(const QString& forward, const QString& reverse);

    // Enter in a box moves the focus on; it refuses to leave an empty key word, and marks an
    // empty optional box.
    void enterPressed(int index);

    // The controls, under their designer names.
    QLabel* Label9;
    QLabel* Label10;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;
    QPushButton* Command3D3; // write
    QPushButton* Command3D4; // delete all
    QPushButton* Command3D5; // check
    QPushButton* Command3D6; // End
    QPushButton* Command3D7; // Next
    QPushButton* Command3D8; // Abort

signals:
    // The user changed a box.
    void edited();

private:
    std::array<QLabel*, 7> captions_{};
    std::array<QLineEdit*, 7> boxes_{};
    State state_ = State::Closed;
};

} // namespace vocaboro
