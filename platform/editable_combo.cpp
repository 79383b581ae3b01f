#include "editable_combo.h"

#include "uniform_list_view.h"

#include <QAbstractItemView>
#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWheelEvent>
#include <algorithm>

namespace platform {
namespace {

// The drop-down for screen readers: the list and the edit field as its children, as Qt has it,
// but its name stays the one it was given (Qt's own names it after its text on Linux).
class ComboAccessible : public QAccessibleWidget {
public:
    explicit ComboAccessible(QComboBox* combo) : QAccessibleWidget(combo, QAccessible::ComboBox) {}

    QComboBox* combo() const { return static_cast<QComboBox*>(object()); }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Value ? combo()->lineEdit()->text()
                                          : QAccessibleWidget::text(kind);
    }
    int childCount() const override { return 2; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0)
            return QAccessible::queryAccessibleInterface(combo()->view());
        if (index == 1)
            return QAccessible::queryAccessibleInterface(combo()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (child && child->object() == combo()->view())
            return 0;
        if (child && child->object() == combo()->lineEdit())
            return 1;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QLineEdit* edit = combo()->lineEdit();
        return edit->rect().contains(edit->mapFromGlobal(QPoint(x, y))) ? child(1) : nullptr;
    }
    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction())
            return;
        if (combo()->view()->isVisible())
            combo()->hidePopup();
        else
            combo()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

QAccessibleInterface* accessibleCombo(const QString&, QObject* object) {
    if (auto* combo = qobject_cast<EditableCombo*>(object))
        return new ComboAccessible(combo);
    return nullptr;
}

} // namespace

EditableCombo::EditableCombo(QWidget* parent)
    : QComboBox(parent), list_(new UniformListView(this)) {
    static const bool accessible = (QAccessible::installFactory(accessibleCombo), true);
    Q_UNUSED(accessible);
    setEditable(true);
    setModel(model());                    // the default model, watched like any other
    setCompleter(nullptr);                // no inline completion of its own
    setInsertPolicy(QComboBox::NoInsert); // typing never adds items
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setView(list_); // long lists open without laying out every item
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

// A reset replaces every item: nothing is selected afterwards, and the edit field keeps the text
// that Qt would clear (or replace with the first item).
void EditableCombo::setModel(QAbstractItemModel* model) {
    if (QAbstractItemModel* old = this->model(); old && old != model)
        disconnect(old, nullptr, this, nullptr);
    QComboBox::setModel(model);
    connect(model, &QAbstractItemModel::modelAboutToBeReset, this,
            [this] { textBeforeReset_ = lineEdit()->text(); });
    connect(model, &QAbstractItemModel::modelReset, this, [this] {
        setCurrentIndex(-1);
        setEditText(textBeforeReset_);
    });
}

// The list takes the keyboard focus as it opens; its current row is told to screen readers
// after that, so that they read the row rather than the list.
void EditableCombo::showPopup() {
    QComboBox::showPopup();
    list_->announceCurrent();
}

void EditableCombo::setPrefixSearch(PrefixSearch search) {
    prefixSearch_ = std::move(search);
}

int EditableCombo::findPrefix(const QString& typed) const {
    if (prefixSearch_)
        return prefixSearch_(typed);
    for (int i = 0, count = this->count(); i < count; ++i)
        if (itemText(i).startsWith(typed, Qt::CaseInsensitive))
            return i;
    return -1;
}

bool EditableCombo::textIsTyped() const {
    const int current = currentIndex();
    return typed_ || current < 0 || lineEdit()->text() != itemText(current);
}

QStringList EditableCombo::items() const {
    QStringList texts;
    for (int i = 0, count = this->count(); i < count; ++i)
        texts.append(itemText(i));
    return texts;
}

void EditableCombo::select(int index) {
    typed_ = false;
    setCurrentIndex(index);
    lineEdit()->selectAll();
    if (view()->isVisible()) {
        view()->setCurrentIndex(model()->index(index, modelColumn(), rootModelIndex()));
        view()->scrollTo(view()->currentIndex());
    }
    emit picked(index);
}

bool EditableCombo::moveSelection(int key) {
    const int count = this->count();
    if (count == 0)
        return true;
    const bool typed = textIsTyped();
    if (typed && (key == Qt::Key_Up || key == Qt::Key_Down)) {
        const int found = findPrefix(lineEdit()->text());
        if (found >= 0) {
            select(found);
            return true;
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

// Enter in the opened list does what a click on the highlighted item does: the list closes and
// the item is picked, its text put back in the edit field even when it was the selected one.
void EditableCombo::pickHighlighted() {
    const QModelIndex highlighted = view()->currentIndex();
    hidePopup();
    if (!highlighted.isValid())
        return;
    const int index = highlighted.row();
    setCurrentIndex(index);
    setEditText(itemText(index));
    emit activated(index);
    emit textActivated(itemText(index));
}

// In the opened list the movement keys pick at once, as in the edit field, and Enter picks the
// highlighted item (which the mouse may have moved). Both the shortcut check and the key press
// itself are caught, because the list's container acts on Enter already at the shortcut check.
bool EditableCombo::handleListKey(QKeyEvent* key) {
    if (key->modifiers() & Qt::AltModifier)
        return false; // Alt+Up and Alt+Down close the list
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (key->type() == QEvent::KeyPress)
            pickHighlighted();
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
