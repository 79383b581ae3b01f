#pragma once
// The opened list of a drop-down whose items all have one height: the height of the first item
// stands for every row, so a list of a million items opens, scrolls and finds a row under the
// mouse without measuring or laying out each one (QListView walks every row on its first
// layout, even with uniform item sizes). It scrolls by whole items.
//
// Screen readers see it as a list whose children are the rows in sight, each made when it is
// asked for; the current row is focused and selected, and each move is announced.

#include <QAbstractItemView>
#include <QAccessible>
#include <QHash>

class QComboBox;

namespace platform {

class UniformListView : public QAbstractItemView {
    Q_OBJECT
public:
    // Shows the column of `combo`'s model that the combo box shows.
    explicit UniformListView(const QComboBox* combo);
    ~UniformListView() override;
    const QComboBox* combo() const { return combo_; }

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void reset() override;

    // The rows in sight, partly shown ones included: the first and how many.
    int firstRowInSight() const { return firstRow(); }
    int rowsInSight() const;
    // The item shown in `row`, or an invalid index outside the list.
    QModelIndex indexOf(int row) const;
    // The accessible row, made the first time it is asked for and kept until the rows
    // change or the list closes.
    QAccessibleInterface* accessibleRow(int row);
    // Tells screen readers the current row, once the opened list has the keyboard focus.
    void announceCurrent();

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex& index) const override;
    void setSelection(const QRect& rect, QItemSelectionModel::SelectionFlags flags) override;
    QRegion visualRegionForSelection(const QItemSelection& selection) const override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;
    void rowsInserted(const QModelIndex& parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex& parent, int start, int end) override;

private:
    int rows() const;
    int rowHeight() const;
    int firstRow() const;
    // Rows that fit whole in the viewport, at least one.
    int fullRows() const;
    int rowAt(int y) const; // may lie outside the list
    void announce(const QModelIndex& index, QAccessible::Event type);
    void forgetAccessibleRows();

    const QComboBox* combo_;
    mutable int rowHeight_ = 0; // 0 until measured
    QHash<int, QAccessible::Id> accessibleRows_;
};

} // namespace platform
