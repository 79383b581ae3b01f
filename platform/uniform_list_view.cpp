#include "uniform_list_view.h"

#include <QComboBox>
#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <climits>

namespace platform {

UniformListView::UniformListView(const QComboBox* combo) : combo_(combo) {
    setVerticalScrollMode(ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
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

} // namespace platform
