#include "editable_combo.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QWheelEvent>
#include <algorithm>

namespace platform {

EditableCombo::EditableCombo(QWidget* parent)
    : QComboBox(parent), model_(new QStringListModel(this)) {
    setEditable(true);
    setModel(model_);
    setCompleter(nullptr);                // no inline completion of its own
    setInsertPolicy(QComboBox::NoInsert); // typing never adds items
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    if (auto* list = qobject_cast<QListView*>(view()))
        list->setUniformItemSizes(true); // long lists open without measuring every item
    lineEdit()->installEventFilter(this);
    // Qt selects the item that matches the typed text when the edit field loses the focus or
    // gets Enter, and reports it as activated: here neither may pick.
    disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
    disconnect(lineEdit(), &QLineEdit::returnPressed, this, nullptr);
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { typed_ = true; });
    // What remains of activated is a click on an item of the opened list.
    connect(this, &QComboBox::activated, this, [this](int index) {
        typed_ = false;
        lineEdit()->selectAll();
        emit picked(index);
    });
    // The opened list's keys are filtered before the list's own handling moves the highlight.
    view()->installEventFilter(this);
}

void EditableCombo::setItems(const QStringList& items) {
    const QString text = currentText();
    model_->setStringList(items);
    setCurrentIndex(-1);
    setEditText(text);
}

bool EditableCombo::textIsTyped() const {
    const int current = currentIndex();
    return typed_ || current < 0 || lineEdit()->text() != model_->stringList().at(current);
}

QStringList EditableCombo::items() const {
    return model_->stringList();
}

void EditableCombo::clearAll() {
    model_->setStringList({});
    setCurrentIndex(-1);
    clearEditText();
}

void EditableCombo::select(int index) {
    typed_ = false;
    setCurrentIndex(index);
    lineEdit()->selectAll();
    if (view()->isVisible()) {
        view()->setCurrentIndex(model_->index(index));
        view()->scrollTo(view()->currentIndex());
    }
    emit picked(index);
}

bool EditableCombo::moveSelection(int key) {
    const int count = model_->rowCount();
    if (count == 0)
        return true;
    const bool typed = textIsTyped();
    if (typed && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        const QString text = lineEdit()->text();
        const QStringList& all = model_->stringList();
        for (int i = 0; i < count; ++i) {
            if (all[i].startsWith(text, Qt::CaseInsensitive)) {
                select(i);
                return true;
            }
        }
    }
    const int current = currentIndex();
    int next = current;
    switch (key) {
    case Qt::Key_Up:
        next = current <= 0 ? 0 : current - 1;
        break;
    case Qt::Key_Down:
        next = current + 1;
        break;
    case Qt::Key_PageUp:
        next = current - kPageSize;
        break;
    case Qt::Key_PageDown:
        next = current < 0 ? kPageSize - 1 : current + kPageSize;
        break;
    }
    next = std::clamp(next, 0, count - 1);
    if (next != current || typed)
        select(next);
    return true;
}

bool EditableCombo::handleKey(QKeyEvent* key) {
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        emit keyTyped(13);
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (key->modifiers() & Qt::AltModifier)
            return false; // Alt+Down opens the list
        return moveSelection(key->key());
    default:
        if (!key->text().isEmpty())
            emit keyTyped(key->text().at(0).unicode());
        return false;
    }
}

// In the opened list the movement keys pick at once, as in the edit field; Enter closes the
// list without picking. Both the shortcut check and the key press itself are caught, because
// the list's container acts on Enter already at the shortcut check.
bool EditableCombo::handleListKey(QKeyEvent* key) {
    if (key->modifiers() & Qt::AltModifier)
        return false; // Alt+Up and Alt+Down close the list
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (key->type() == QEvent::KeyPress)
            hidePopup();
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (key->type() == QEvent::KeyPress)
            moveSelection(key->key());
        return true;
    default:
        return false;
    }
}

void EditableCombo::wheelEvent(QWheelEvent* event) {
    event->ignore(); // the wheel never changes the selection of the closed drop-down
}

// Keys reach the combo box, which hands them to its edit field; keys sent to the edit
// field itself come through the filter.
void EditableCombo::keyPressEvent(QKeyEvent* event) {
    if (handleKey(event))
        event->accept();
    else
        QComboBox::keyPressEvent(event);
}

bool EditableCombo::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lineEdit() && event->type() == QEvent::KeyPress &&
        handleKey(static_cast<QKeyEvent*>(event)))
        return true;
    if (watched == view() &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        handleListKey(static_cast<QKeyEvent*>(event)))
        return true;
    return QComboBox::eventFilter(watched, event);
}

} // namespace platform
