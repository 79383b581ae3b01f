#pragma once
// The editable drop-down of the old toolkit, on QComboBox.
//
// When the edit field holds typed text (not the selected item), the first Up or Down key selects
// the first list item that begins with the typed text (letter case aside), shows it highlighted in
// the edit field and reports it like a click; later Up, Down, Page Up and Page Down move through
// the list, each new selection reported at once, in the edit field as in the opened list. A click
// on an item of the opened list picks it, and so does Enter there, on the highlighted item; Escape
// closes the list and keeps what was shown. Enter in the edit field is reported and does nothing
// else, and leaving the edit field does nothing: neither ever picks an item.
//
// Screen readers know it by its accessible name whatever it shows; the text in its edit field is
// its value.
//
// The items are one column of any model (QComboBox::setModel, setModelColumn); when the model is
// reset the edit field keeps its text. The search after typing goes through every item's text
// unless the owner gives a search of its own, for a list too long to decode item by item.

#include <QComboBox>
#include <QStringList>

#include <functional>

namespace platform {

class UniformListView;

class EditableCombo : public QComboBox {
    Q_OBJECT
public:
    explicit EditableCombo(QWidget* parent = nullptr);

    void setModel(QAbstractItemModel* model) override;
    void showPopup() override;
    // The first item that begins with the typed text, letter case aside, or -1.
    using PrefixSearch = std::function<int(const QString& typed)>;
    void setPrefixSearch(PrefixSearch search);
    // The text of every item, for tests.
    QStringList items() const;

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
    void pickHighlighted();
    int findPrefix(const QString& typed) const;
    void select(int index);
    // The edit field holds text of the user's rather than the selected item.
    bool textIsTyped() const;

    UniformListView* list_;
    PrefixSearch prefixSearch_;
    QString textBeforeReset_;
    bool typed_ = false; // the user typed since the last pick
};

} // namespace platform
