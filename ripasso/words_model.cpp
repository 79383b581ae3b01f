#include "words_model.h"

#include "platform/fonts.h"
#include "platform/text.h"

#include <algorithm>
#include <climits>

namespace ripasso {

WordsModel::WordsModel(QObject* parent) : QAbstractTableModel(parent) {}

QString WordsModel::columnName(int column) {
    static const char* const names[WordList::kColumns] = {
        QT_TR_NOOP("Italian"), QT_TR_NOOP("Pronunciation"), QT_TR_NOOP("Thai"),
        QT_TR_NOOP("Attribute"), QT_TR_NOOP("Note")};
    return column >= 0 && column < WordList::kColumns ? tr(names[column]) : QString();
}

int WordsModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    const std::size_t lines = all_ ? words_.size() : shown_.size();
    return static_cast<int>(std::min<std::size_t>(lines, INT_MAX));
}

int WordsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : WordList::kColumns;
}

WordList::Row WordsModel::rowAt(int line) const {
    return all_ ? static_cast<WordList::Row>(line) : shown_[static_cast<std::size_t>(line)];
}

int WordsModel::lineOf(WordList::Row row) const {
    if (all_)
        return row < words_.size() ? static_cast<int>(row) : -1;
    const auto found = std::find(shown_.begin(), shown_.end(), row);
    return found == shown_.end() ? -1 : static_cast<int>(found - shown_.begin());
}

QString WordsModel::sentence(WordList::Row row) const {
    QString text = platform::fromLatin(words_.shown(row, WordList::Italian));
    const QString pronunciation = platform::fromLatin(words_.shown(row, WordList::Pronunciation));
    const QString thai = platform::fromThai(words_.shown(row, WordList::Thai));
    const QString attribute = platform::fromLatin(words_.shown(row, WordList::Attribute));
    const QString note = platform::fromLatin(words_.shown(row, WordList::Note));
    if (!pronunciation.isEmpty())
        text += tr(", pronunciation ") + pronunciation;
    if (!thai.isEmpty())
        text += tr(", Thai ") + thai;
    if (!attribute.isEmpty())
        text += tr(", attribute ") + attribute;
    if (!note.isEmpty())
        text += tr(", note ") + note;
    return text;
}

QVariant WordsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= WordList::kColumns)
        return {};
    const WordList::Row row = rowAt(index.row());
    const auto column = static_cast<WordList::Column>(index.column());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole: {
        const std::string_view field = words_.shown(row, column);
        return column == WordList::Thai ? platform::fromThai(field) : platform::fromLatin(field);
    }
    case Qt::AccessibleTextRole:
        return sentence(row);
    case Qt::FontRole:
        if (column == WordList::Thai)
            return platform::makeFont(platform::kThaiButtonFont, 14);
        return {};
    default:
        return {};
    }
}

QVariant WordsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= WordList::kColumns)
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return columnName(section);
    return {};
}

void WordsModel::sort(int column, Qt::SortOrder order) {
    beginResetModel();
    sortColumn_ = column >= 0 && column < WordList::kColumns ? column : -1;
    sortOrder_ = order;
    if (sortColumn_ >= 0)
        order_ =
            words_.sorted(static_cast<WordList::Column>(sortColumn_), order == Qt::DescendingOrder);
    else
        order_.clear();
    rebuild();
    endResetModel();
}

std::vector<std::string> WordsModel::load(const PathOf& pathOf,
                                          const datafiles::FileAccess& access) {
    beginResetModel();
    shown_.clear();
    order_.clear();
    all_ = true;
    std::vector<std::string> problems = words_.load(pathOf, access);
    if (sortColumn_ >= 0)
        order_ = words_.sorted(static_cast<WordList::Column>(sortColumn_),
                               sortOrder_ == Qt::DescendingOrder);
    rebuild();
    endResetModel();
    return problems;
}

void WordsModel::setFilter(const QString& typed) {
    if (typed == filter_)
        return;
    beginResetModel();
    filter_ = typed;
    rebuild();
    endResetModel();
}

void WordsModel::rebuild() {
    shown_.clear();
    if (filter_.isEmpty()) {
        all_ = order_.empty();
        if (!all_)
            shown_ = order_;
        return;
    }
    all_ = false;
    std::vector<WordList::Row> found = words_.search(WordList::needleOf(filter_));
    if (order_.empty()) {
        shown_ = std::move(found);
        return;
    }
    // The sorted rows that the search found, in the sorted order.
    std::vector<bool> hit(words_.size());
    for (const WordList::Row row : found)
        hit[row] = true;
    shown_.reserve(found.size());
    for (const WordList::Row row : order_)
        if (hit[row])
            shown_.push_back(row);
}

} // namespace ripasso
