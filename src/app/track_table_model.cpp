#include "app/track_table_model.h"

#include <QAbstractButton>
#include <QBrush>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QTableView>
#include <QTimer>

TrackTableModel::TrackTableModel(TrackTable& table, QObject* parent) : QAbstractTableModel(parent), table_(table)
{
    table_.onShapeChanged = [this] { shapeChanged(); };
    table_.onCellChanged = [this](int, int) {
        if (!editing_)
            scheduleRepaint();
    };
}

void TrackTableModel::attach(QTableView* view)
{
    view_ = view;
    view_->setModel(this);
    view_->setCornerButtonEnabled(false);
    corner_ = view_->findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
    applyWidths();
}

int TrackTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(0, table_.rowCount() - 1);
}

int TrackTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : std::max(0, table_.columnCount() - 1);
}

QVariant TrackTableModel::data(const QModelIndex& index, int role) const
{
    if (index.isValid() && role == Qt::ForegroundRole && leftOut(tableRow(index)))
        return QBrush(Qt::gray);
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return QString::fromStdString(table_.cell(tableColumn(index), tableRow(index)));
}

bool TrackTableModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    editing_ = true;
    table_.setCell(tableColumn(index), tableRow(index), value.toString().toStdString());
    editing_ = false;
    emit dataChanged(index, index);
    emit cellEdited();
    return true;
}

Qt::ItemFlags TrackTableModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

QVariant TrackTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::ForegroundRole && orientation == Qt::Vertical && leftOut(section + 1))
        return QBrush(Qt::gray);
    if (role != Qt::DisplayRole)
        return {};
    const std::string& text = orientation == Qt::Horizontal ? table_.cell(section + 1, 0) : table_.cell(0, section + 1);
    return QString::fromStdString(text);
}

void TrackTableModel::showKeptRows(std::vector<bool> kept)
{
    kept_ = std::move(kept);
    if (rowCount() == 0 || columnCount() == 0)
        return;
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::ForegroundRole});
    emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

bool TrackTableModel::leftOut(int tableRow) const
{
    return tableRow < static_cast<int>(kept_.size()) && !kept_[tableRow];
}

bool TrackTableModel::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != corner_ || event->type() != QEvent::Paint)
        return false;
    QPainter painter(corner_);
    QStyleOptionHeader option;
    option.initFrom(corner_);
    option.rect = corner_->rect();
    option.text = QString::fromStdString(table_.cell(0, 0));
    option.textAlignment = Qt::AlignCenter;
    corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
    return true;
}

void TrackTableModel::shapeChanged()
{
    beginResetModel();
    endResetModel();
    applyWidths();
    if (corner_)
        corner_->update();
}

void TrackTableModel::scheduleRepaint()
{
    // A decode writes thousands of cells; one repaint per pass of the event loop is plenty.
    if (repaintPending_ || !view_)
        return;
    repaintPending_ = true;
    QTimer::singleShot(0, this, [this] {
        repaintPending_ = false;
        emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
        view_->viewport()->update();
        view_->verticalHeader()->viewport()->update();
        if (corner_)
            corner_->update();
    });
}

void TrackTableModel::applyWidths()
{
    if (!view_)
        return;
    QHeaderView* header = view_->horizontalHeader();
    for (int column = 1; column < table_.columnCount(); ++column) {
        const int width = table_.columnWidth(column);
        header->resizeSection(column - 1, width > 0 ? width : header->defaultSectionSize());
    }
    const int indexWidth = table_.columnWidth(0);
    view_->verticalHeader()->setFixedWidth(indexWidth > 0 ? indexWidth : 64);
}
