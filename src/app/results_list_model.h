#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string_view>

#include "results/path_list.h"

namespace quorvane {

// The results list behind `ListView1`: the folder paths a run found, kept byte for byte in a
// PathList, with the list control's operations addressed from 1 as the commands use them.
//
// Views learn of new entries in batches. append() adds to the list at once (count() and
// text() see the entry), but the views only hear of it at the next publishAppended(), with
// one notification for the whole batch; a run calls it before each pass of the event loop.
// Removals that touch many entries compact the list in one pass and reset the views once.
class ResultsListModel : public QAbstractTableModel {
    Q_OBJECT

  public:
    explicit ResultsListModel(QObject* parent = nullptr);

    // Column headers: the new one becomes the last column.
    void addColumn(const QString& heading);
    int columnHeaderCount() const { return static_cast<int>(headings_.size()); }
    // Heading of column `column`, counted from 1. Throws "Index out of bounds" past the end.
    QString columnHeading(int column) const;

    std::int64_t count() const { return static_cast<std::int64_t>(paths_.size()); }
    // Text of entry `index`, counted from 1: the bytes the file system gave. Throws "Index out
    // of bounds" for an index outside 1 to count().
    std::string_view text(std::int64_t index) const { return paths_.at(index); }
    // Sub-text of column `column` (2 or more) of entry `index`: the entries carry none, so it
    // is empty. Throws like text() for a missing entry or column.
    QString subText(std::int64_t index, int column) const;
    // How an entry is shown: its bytes read as UTF-8, with replacement characters for bytes
    // that are not.
    QString displayText(std::int64_t index) const;
    const PathList& paths() const { return paths_; }

    // Appends an entry at the end; views see it at the next publishAppended().
    void append(std::string_view path);
    // Tells the views of every entry appended since the last call, in one notification.
    void publishAppended();
    // Removes every entry.
    void clear();
    // Removes entry `index`, counted from 1; later entries move down by one. Throws "Index
    // out of bounds" for an index outside 1 to count().
    void removeAt(std::int64_t index);
    // Removes every entry whose 0-based position `remove` accepts, in one pass that keeps the
    // order of the rest. Returns how many went.
    size_t removeIf(const std::function<bool(size_t)>& remove);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    PathList paths_;
    size_t shown_ = 0;  // entries the views have been told of
    QStringList headings_;
};

}  // namespace quorvane
