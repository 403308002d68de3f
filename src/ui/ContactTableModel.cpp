#include "ui/ContactTableModel.h"

#include "entry/LogList.h"

ContactTableModel::ContactTableModel(const LogList& list, QObject* parent) : QAbstractTableModel(parent), m_list(list) {}

void ContactTableModel::syncWithList()
{
    if (m_version == m_list.version())
        return;
    beginResetModel();
    m_version = m_list.version();
    endResetModel();
}

int ContactTableModel::recordNumberAt(int row) const
{
    if (row < 0 || row >= m_list.rowCount())
        return 0;
    return m_list.recordAt(row);
}

int ContactTableModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : m_list.rowCount(); }

int ContactTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ContactTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= m_list.rowCount())
        return {};
    return m_list.cell(index.row(), index.column());
}

QVariant ContactTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    const QStringList& headers = LogList::headers();
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers.size())
        return {};
    return headers[section];
}
