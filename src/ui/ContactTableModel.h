#pragma once

#include <QAbstractTableModel>
#include <vector>

class ContactLog;

// The contact list (ListView1): shows chosen records of the log, by record number, in the
// columns "Rec#", "Call", "Class", "Sec", "Date", "Time", "Bnd", "Mode", "Opr". Which records
// are shown (the last 20, all, a find result) is decided by the caller.
class ContactTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { RecNo, Call, Class, Sec, Date, Time, Band, Mode, Operator, ColumnCount };

    explicit ContactTableModel(const ContactLog& log, QObject* parent = nullptr);

    // Replaces the shown records (1-based record numbers, in display order).
    void setRecordNumbers(std::vector<int> recNos);
    // Record number shown in a row, 0 for an invalid row.
    int recordNumberAt(int row) const;
    // Shows record recNo's cells without the operator column's value.
    void setShowOperator(bool show);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // "yyyy/mm/dd" shown as "M/DD", "hh:mm:ss" as "h:mm"; anything else as stored.
    static QString shortDate(const QString& date);
    static QString shortTime(const QString& time);

private:
    const ContactLog& m_log;
    std::vector<int> m_recNos;
    bool m_showOperator = true;
};
