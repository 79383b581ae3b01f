#pragma once
// The Words page's table: every forward record of the folder (cross-references left out),
// columns Italian, pronunciation, Thai, attribute and note, the "none" markers shown empty.
// The search (accents and letter case aside, on any shown column) and the sort keep a list
// of row numbers, four bytes a row; nothing else is held per row.

#include "word_list.h"

#include <QAbstractTableModel>

#include <vector>

namespace ripasso {

class WordsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit WordsModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    // DisplayRole: the field; Qt::AccessibleTextRole: the whole row as a sentence; FontRole:
    // the Thai font for the Thai column.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    // Sorts by the column's folded text, ties in the files' order; a column of -1 goes back to
    // the files' order.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

    // Reads the folder's forward files again, keeping the search and the sort; what could not
    // be read, one sentence each.
    std::vector<std::string> load(const PathOf& pathOf, const datafiles::FileAccess& access = {});
    // Shows only the rows of which a column contains `typed`, accents and letter case aside.
    void setFilter(const QString& typed);

    const QString& filter() const { return filter_; }
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }
    const WordList& words() const { return words_; }
    // The record shown on a line of the table, and the line of a record (-1: not shown).
    WordList::Row rowAt(int line) const;
    int lineOf(WordList::Row row) const;
    // The row as one sentence: "casa, pronunciation baan, Thai บ้าน, attribute s.f.".
    QString sentence(WordList::Row row) const;

    static QString columnName(int column);

private:
    void rebuild();

    WordList words_;
    QString filter_;
    int sortColumn_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    std::vector<WordList::Row> order_; // the sorted rows; empty: the files' order
    std::vector<WordList::Row> shown_; // the rows shown, when a search or a sort chose them
    bool all_ = true;                  // every row in the files' order: shown_ is not used
};

} // namespace ripasso
