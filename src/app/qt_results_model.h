#pragma once

#include <QAbstractTableModel>

#include "results/results_list.h"
#include "results/results_list_observer.h"

namespace quorvane {

// The form's results list as a Qt model for the results view: it shows the entries the list has
// published, their bytes read as UTF-8 (with replacement characters for bytes that are not),
// and passes each change of the list on as the matching model notification.
class ResultsListModel : public QAbstractTableModel, public ResultsListObserver {
    Q_OBJECT

  public:
    // Observes `list` until the model goes.
    explicit ResultsListModel(ResultsList& list, QObject* parent = nullptr);
    ~ResultsListModel() override;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // ResultsListObserver
    void columnAdding(int column) override;
    void columnAdded() override;
    void rowsAppending(size_t first, size_t last) override;
    void rowsAppended() override;
    void rowRemoving(size_t row) override;
    void rowRemoved() override;
    void resetting() override;
    void reset() override;

  private:
    ResultsList& list_;
};

}  // namespace quorvane
