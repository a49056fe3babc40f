// The log page grid's view of the track table: row 0 and column 0 are the
// fixed heading cells, shown as the view's headers so they stay in sight.
#pragma once

#include "decode/track_table.h"

#include <QAbstractTableModel>

#include <vector>

class QTableView;

class TrackTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    TrackTableModel(TrackTable& table, QObject* parent);
    // Keeps the view's column widths in step with the table's hints.
    void attach(QTableView* view);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Greys the rows a save would leave out: kept[row] false (by table row);
    // empty greys none.
    void showKeptRows(std::vector<bool> kept);

    // Grid cell (column, row) of a model index.
    static int tableColumn(const QModelIndex& index) { return index.column() + 1; }
    static int tableRow(const QModelIndex& index) { return index.row() + 1; }

signals:
    // The user changed a cell in the grid.
    void cellEdited();

private:
    bool leftOut(int tableRow) const;
    void shapeChanged();
    void scheduleRepaint();
    void applyWidths();
    bool eventFilter(QObject* watched, QEvent* event) override;

    TrackTable& table_;
    QTableView* view_ = nullptr;
    QWidget* corner_ = nullptr; // shows the heading of column 0
    bool repaintPending_ = false;
    bool editing_ = false;
    std::vector<bool> kept_;
};
