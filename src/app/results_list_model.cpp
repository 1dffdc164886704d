#include "app/results_list_model.h"

#include "engine/run_time_error.h"

namespace quorvane {

ResultsListModel::ResultsListModel(QObject* parent) : QAbstractTableModel(parent) {}

void ResultsListModel::addColumn(const QString& heading) {
    const int column = columnHeaderCount();
    beginInsertColumns({}, column, column);
    headings_.append(heading);
    endInsertColumns();
}

QString ResultsListModel::columnHeading(int column) const {
    if (column < 1 || column > columnHeaderCount()) throw RunTimeError::indexOutOfBounds();
    return headings_.at(column - 1);
}

QString ResultsListModel::subText(std::int64_t index, int column) const {
    static_cast<void>(paths_.at(index));  // fails for a missing entry
    if (column < 2 || column > columnHeaderCount()) throw RunTimeError::indexOutOfBounds();
    return {};
}

QString ResultsListModel::displayText(std::int64_t index) const {
    const std::string_view path = text(index);
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

void ResultsListModel::append(std::string_view path) {
    paths_.append(path);
}

void ResultsListModel::publishAppended() {
    if (shown_ == paths_.size()) return;
    beginInsertRows({}, static_cast<int>(shown_), static_cast<int>(paths_.size() - 1));
    shown_ = paths_.size();
    endInsertRows();
}

void ResultsListModel::clear() {
    beginResetModel();
    paths_.clear();
    shown_ = 0;
    endResetModel();
}

void ResultsListModel::removeAt(std::int64_t index) {
    static_cast<void>(paths_.at(index));  // fails for a missing entry
    publishAppended();
    const int row = static_cast<int>(index - 1);
    beginRemoveRows({}, row, row);
    paths_.removeAt(static_cast<size_t>(row));
    shown_ = paths_.size();
    endRemoveRows();
}

size_t ResultsListModel::removeIf(const std::function<bool(size_t)>& remove) {
    beginResetModel();
    const size_t removed = paths_.removeIf(remove);
    shown_ = paths_.size();
    endResetModel();
    return removed;
}

int ResultsListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_);
}

int ResultsListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : columnHeaderCount();
}

QVariant ResultsListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.column() != 0 ||
        static_cast<size_t>(index.row()) >= shown_)
        return {};
    const std::string_view path = paths_[static_cast<size_t>(index.row())];
    return QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
}

QVariant ResultsListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= columnHeaderCount())
        return {};
    return headings_.at(section);
}

Qt::ItemFlags ResultsListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

}  // namespace quorvane
