#pragma once
// The opened list of a drop-down whose items all have one height: the height of the first item
// stands for every row, so a list of a million items opens, scrolls and finds a row under the
// mouse without measuring or laying out each one (QListView walks every row on its first
// layout, even with uniform item sizes). It scrolls by whole items.

#include <QAbstractItemView>

class QComboBox;

namespace platform {

class UniformListView : public QAbstractItemView {
    Q_OBJECT
public:
    // Shows the column of `combo`'s model that the combo box shows.
    explicit UniformListView(const QComboBox* combo);

    QRect visualRect(const QModelIndex& index) const override;
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint& point) const override;
    void reset() override;

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

private:
    int rows() const;
    int rowHeight() const;
    int firstRow() const;
    // Rows that fit whole in the viewport, at least one.
    int fullRows() const;
    int rowAt(int y) const; // may lie outside the list
    QModelIndex indexOf(int row) const;

    const QComboBox* combo_;
    mutable int rowHeight_ = 0; // 0 until measured
};

} // namespace platform
