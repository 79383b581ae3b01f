#pragma once
// The editable drop-down of the old toolkit, on QComboBox.
//
// When the edit field holds typed text (not the selected item), the first Up or Down key selects
// the first list item that begins with the typed text (letter case aside), shows it highlighted in
// the edit field and reports it like a click; later Up, Down, Page Up and Page Down move through
// the list, each new selection reported at once, in the edit field as in the opened list. A click
// on an item of the opened list picks it. Enter is reported and does nothing else, and leaving the
// edit field does nothing: neither ever picks an item. Items are set in bulk, so a list of 100,000
// words fills at once.

#include <QComboBox>
#include <QStringList>

class QStringListModel;

namespace platform {

class EditableCombo : public QComboBox {
    Q_OBJECT
public:
    explicit EditableCombo(QWidget* parent = nullptr);

    // Replaces every item; the edit field keeps its text.
    void setItems(const QStringList& items);
    QStringList items() const;
    // Empties the list and the edit field.
    void clearAll();

    static constexpr int kPageSize = 8;

signals:
    // Every character key typed in the edit field, and Enter as 13, before it is handled.
    void keyTyped(int characterCode);
    // An item became the selected one: by the search after typing, by a movement key or
    // by a click in the opened list.
    void picked(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    bool handleKey(QKeyEvent* key); // true when the key is used up here
    bool handleListKey(QKeyEvent* key);
    bool moveSelection(int key);
    void select(int index);
    // The edit field holds text of the user's rather than the selected item.
    bool textIsTyped() const;

    QStringListModel* model_;
    bool typed_ = false; // the user typed since the last pick
};

} // namespace platform
