#pragma once

#include <QAbstractTableModel>

class LogList;

// The contact list (ListView1) as a Qt model over the entry rules' LogList, which decides which
// records are shown (the last 20, all, previous contacts, a find result) and how each cell reads.
class ContactTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { RecNo, Call, Class, Sec, Date, Time, Band, Mode, Operator, Freq, ColumnCount };

    explicit ContactTableModel(const LogList& list, QObject* parent = nullptr);

    // Resets the view when the list's rows changed since the last look.
    void syncWithList();
    // Record number shown in a row, 0 for an invalid row.
    int recordNumberAt(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const LogList& m_list;
    quint64 m_version = ~0ULL;
};
