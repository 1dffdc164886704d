#include "app/qt_results_model.h"

namespace quorvane {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

ResultsListModel::ResultsListModel(ResultsList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
    list_.setObserver(this);
}

ResultsListModel::~ResultsListModel() {
    list_.setObserver(nullptr);
}

int ResultsListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(list_.shownCount());
}

int ResultsListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : list_.columnHeaderCount();
}

QVariant ResultsListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.column() != 0 ||
        static_cast<size_t>(index.row()) >= list_.shownCount())
        return {};
    return FromUtf8(list_.entries().path(static_cast<size_t>(index.row())));
}

QVariant ResultsListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= list_.columnHeaderCount())
        return {};
    return FromUtf8(list_.columnHeadings()[static_cast<size_t>(section)]);
}

Qt::ItemFlags ResultsListModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
}

void ResultsListModel::columnAdding(int column) {
    beginInsertColumns({}, column, column);
}
void ResultsListModel::columnAdded() {
    endInsertColumns();
}
void ResultsListModel::rowsAppending(size_t first, size_t last) {
    beginInsertRows({}, static_cast<int>(first), static_cast<int>(last));
}
void ResultsListModel::rowsAppended() {
    endInsertRows();
}
void ResultsListModel::rowRemoving(size_t row) {
    beginRemoveRows({}, static_cast<int>(row), static_cast<int>(row));
}
void ResultsListModel::rowRemoved() {
    endRemoveRows();
}
void ResultsListModel::resetting() {
    beginResetModel();
}
void ResultsListModel::reset() {
    endResetModel();
}

}  // namespace quorvane
