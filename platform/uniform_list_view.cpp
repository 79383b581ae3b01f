#include "uniform_list_view.h"

#include <QAccessibleWidget>
#include <QComboBox>
#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace platform {
namespace {

// One row for screen readers: its text is read from the model whenever it is asked for.
class RowAccessible : public QAccessibleInterface {
public:
    RowAccessible(UniformListView* view, int row) : view_(view), row_(row) {}

    const UniformListView* view() const { return view_; }
    int row() const { return row_; }
    QModelIndex index() const { return view_ ? view_->indexOf(row_) : QModelIndex(); }
    bool isValid() const override { return index().isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return view_ ? view_->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(view_.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? index().data().toString() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const QRect area = view_->visualRect(index());
        return {view_->viewport()->mapToGlobal(area.topLeft()), area.size()};
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        const QModelIndex item = index();
        if (!item.isValid())
            return state;
        state.selected = view_->selectionModel() && view_->selectionModel()->isSelected(item);
        state.focused = item == view_->currentIndex() && view_->hasFocus();
        const int first = view_->firstRowInSight();
        state.invisible = !view_->isVisible();
        state.offscreen = row_ < first || row_ >= first + view_->rowsInSight();
        return state;
    }

private:
    QPointer<UniformListView> view_;
    int row_;
};

// The list: its children are the rows in sight.
class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(UniformListView* view) : QAccessibleWidget(view, QAccessible::List) {}

    UniformListView* view() const { return static_cast<UniformListView*>(object()); }
    // Named after the drop-down it belongs to, unless it has a name of its own.
    QString text(QAccessible::Text kind) const override {
        const QString own = QAccessibleWidget::text(kind);
        return kind == QAccessible::Name && own.isEmpty() ? view()->combo()->accessibleName() : own;
    }
    int childCount() const override { return view()->rowsInSight(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        return view()->accessibleRow(view()->firstRowInSight() + index);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        const auto* row = dynamic_cast<const RowAccessible*>(child);
        if (!row || row->view() != view())
            return -1;
        const int index = row->row() - view()->firstRowInSight();
        return index < childCount() ? index : -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QWidget* viewport = view()->viewport();
        const QPoint at = viewport->mapFromGlobal(QPoint(x, y));
        const QModelIndex item = view()->indexAt(at);
        if (!viewport->rect().contains(at) || !item.isValid())
            return nullptr;
        return view()->accessibleRow(item.row());
    }
    QAccessibleInterface* focusChild() const override {
        const QModelIndex current = view()->currentIndex();
        if (!view()->hasFocus() || !current.isValid())
            return nullptr;
        return view()->accessibleRow(current.row());
    }
};

QAccessibleInterface* accessibleList(const QString&, QObject* object) {
    if (auto* view = qobject_cast<UniformListView*>(object))
        return new ListAccessible(view);
    return nullptr;
}

} // namespace

UniformListView::UniformListView(const QComboBox* combo) : combo_(combo) {
    static const bool accessible = (QAccessible::installFactory(accessibleList), true);
    Q_UNUSED(accessible);
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

UniformListView::~UniformListView() {
    forgetAccessibleRows();
}

int UniformListView::rows() const {
    return model() ? model()->rowCount(rootIndex()) : 0;
}

int UniformListView::rowHeight() const {
    if (rowHeight_ == 0) {
        int height = fontMetrics().height();
        if (rows() > 0) {
            QStyleOptionViewItem option;
            initViewItemOption(&option);
            height = itemDelegate()->sizeHint(option, indexOf(0)).height();
        }
        rowHeight_ = std::max(1, height);
    }
    return rowHeight_;
}

int UniformListView::firstRow() const {
    return verticalScrollBar()->value();
}

int UniformListView::fullRows() const {
    return std::max(1, viewport()->height() / rowHeight());
}

int UniformListView::rowsInSight() const {
    if (!isVisible())
        return 0;
    const int shown = (viewport()->height() + rowHeight() - 1) / rowHeight();
    return std::clamp(rows() - firstRow(), 0, shown);
}

int UniformListView::rowAt(int y) const {
    const int offset = y >= 0 ? y / rowHeight() : -1;
    return static_cast<int>(std::clamp<qint64>(qint64(firstRow()) + offset, -1, rows()));
}

QModelIndex UniformListView::indexOf(int row) const {
    if (!model() || row < 0 || row >= rows())
        return {};
    return model()->index(row, combo_->modelColumn(), rootIndex());
}

QRect UniformListView::visualRect(const QModelIndex& index) const {
    if (!index.isValid() || index.parent() != rootIndex())
        return {};
    const qint64 y = (qint64(index.row()) - firstRow()) * rowHeight();
    const int top = static_cast<int>(std::clamp<qint64>(y, -(1 << 28), 1 << 28));
    return QRect(0, top, viewport()->width(), rowHeight());
}

void UniformListView::scrollTo(const QModelIndex& index, ScrollHint hint) {
    if (!index.isValid())
        return;
    updateGeometries();
    const int row = index.row();
    const int shown = fullRows();
    int first = firstRow();
    switch (hint) {
    case EnsureVisible:
        if (row < first)
            first = row;
        else if (row >= first + shown)
            first = row - shown + 1;
        break;
    case PositionAtTop:
        first = row;
        break;
    case PositionAtBottom:
        first = row - shown + 1;
        break;
    case PositionAtCenter:
        first = row - shown / 2;
        break;
    }
    verticalScrollBar()->setValue(first);
}

QModelIndex UniformListView::indexAt(const QPoint& point) const {
    if (point.x() < 0 || point.x() >= viewport()->width())
        return {};
    return indexOf(rowAt(point.y()));
}

void UniformListView::reset() {
    rowHeight_ = 0;
    forgetAccessibleRows();
    QAbstractItemView::reset();
}

QModelIndex UniformListView::moveCursor(CursorAction action, Qt::KeyboardModifiers) {
    const int count = rows();
    if (count == 0)
        return {};
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    int next = current;
    switch (action) {
    case MoveUp:
    case MovePrevious:
        next = current - 1;
        break;
    case MoveDown:
    case MoveNext:
        next = current + 1;
        break;
    case MovePageUp:
        next = current - fullRows();
        break;
    case MovePageDown:
        next = current + fullRows();
        break;
    case MoveHome:
        next = 0;
        break;
    case MoveEnd:
        next = count - 1;
        break;
    default:
        break;
    }
    return indexOf(std::clamp(next, 0, count - 1));
}

int UniformListView::horizontalOffset() const {
    return 0;
}

int UniformListView::verticalOffset() const {
    return static_cast<int>(std::min<qint64>(qint64(firstRow()) * rowHeight(), INT_MAX));
}

bool UniformListView::isIndexHidden(const QModelIndex&) const {
    return false;
}

void UniformListView::setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) {
    const QRect r = rect.normalized();
    const int top = std::max(0, rowAt(r.top()));
    const int bottom = std::min(rows() - 1, rowAt(r.bottom()));
    if (top > bottom) {
        selectionModel()->select(QItemSelection(), flags);
        return;
    }
    selectionModel()->select(QItemSelection(indexOf(top), indexOf(bottom)), flags);
}

QRegion UniformListView::visualRegionForSelection(const QItemSelection& selection) const {
    QRegion region;
    const int first = firstRow();
    const int last = first + fullRows();
    for (const QItemSelectionRange& range : selection) {
        if (range.parent() != rootIndex())
            continue;
        const int top = std::max(range.top(), first);
        const int bottom = std::min(range.bottom(), last);
        if (top <= bottom)
            region += visualRect(indexOf(top)).united(visualRect(indexOf(bottom)));
    }
    return region;
}

void UniformListView::updateGeometries() {
    const int shown = fullRows();
    verticalScrollBar()->setRange(0, std::max(0, rows() - shown));
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->setPageStep(shown);
    QAbstractItemView::updateGeometries();
}

void UniformListView::scrollContentsBy(int, int) {
    viewport()->update(); // the scroll bar counts items, not pixels: paint anew
}

void UniformListView::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    QStyleOptionViewItem base;
    initViewItemOption(&base);
    const int height = rowHeight();
    const QModelIndex current = currentIndex();
    const QPoint mouse = viewport()->mapFromGlobal(QCursor::pos());
    const int last = std::min(rows() - 1, rowAt(event->rect().bottom()));
    for (int row = std::max(0, rowAt(event->rect().top())); row <= last; ++row) {
        const QModelIndex index = indexOf(row);
        QStyleOptionViewItem option = base;
        option.rect = QRect(0, (row - firstRow()) * height, viewport()->width(), height);
        if (selectionModel() && selectionModel()->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (index == current && hasFocus())
            option.state |= QStyle::State_HasFocus;
        if (option.rect.contains(mouse) && viewport()->underMouse())
            option.state |= QStyle::State_MouseOver;
        itemDelegate()->paint(&painter, option, index);
    }
}

void UniformListView::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        rowHeight_ = 0;
    QAbstractItemView::changeEvent(event);
}

// --- screen readers

QAccessibleInterface* UniformListView::accessibleRow(int row) {
    if (!indexOf(row).isValid())
        return nullptr;
    if (const auto known = accessibleRows_.constFind(row); known != accessibleRows_.cend())
        return QAccessible::accessibleInterface(*known);
    auto* made = new RowAccessible(this, row);
    accessibleRows_.insert(row, QAccessible::registerAccessibleInterface(made));
    return made;
}

// A row's interface stands for its row number: when the rows move, every one is made anew.
void UniformListView::forgetAccessibleRows() {
    for (const QAccessible::Id id : std::as_const(accessibleRows_))
        QAccessible::deleteAccessibleInterface(id);
    accessibleRows_.clear();
}

void UniformListView::announce(const QModelIndex& index, QAccessible::Event type) {
    if (!QAccessible::isActive() || !isVisible() || !index.isValid())
        return;
    QAccessibleEvent event(accessibleRow(index.row()), type);
    QAccessible::updateAccessibility(&event);
}

void UniformListView::announceCurrent() {
    if (hasFocus())
        announce(currentIndex(), QAccessible::Focus);
}

void UniformListView::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QAbstractItemView::currentChanged(current, previous); // scrolls the row into sight
    announceCurrent();
}

void UniformListView::selectionChanged(const QItemSelection& selected,
                                       const QItemSelection& deselected) {
    QAbstractItemView::selectionChanged(selected, deselected);
    if (!selected.isEmpty())
        announce(selected.first().topLeft(), QAccessible::Selection);
}

void UniformListView::rowsInserted(const QModelIndex& parent, int start, int end) {
    forgetAccessibleRows();
    QAbstractItemView::rowsInserted(parent, start, end);
}

void UniformListView::rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) {
    forgetAccessibleRows();
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end);
}

void UniformListView::hideEvent(QHideEvent* event) {
    forgetAccessibleRows();
    QAbstractItemView::hideEvent(event);
}

} // namespace platform
