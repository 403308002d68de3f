#include "ui/ContactTableModel.h"

#include "log/ContactLog.h"

#include <QStringList>

ContactTableModel::ContactTableModel(const ContactLog& log, QObject* parent) : QAbstractTableModel(parent), m_log(log) {}

void ContactTableModel::setRecordNumbers(std::vector<int> recNos)
{
    beginResetModel();
    m_recNos = std::move(recNos);
    endResetModel();
}

int ContactTableModel::recordNumberAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_recNos.size()))
        return 0;
    return m_recNos[static_cast<size_t>(row)];
}

void ContactTableModel::setShowOperator(bool show)
{
    beginResetModel();
    m_showOperator = show;
    endResetModel();
}

int ContactTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_recNos.size());
}

int ContactTableModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : ColumnCount; }

QVariant ContactTableModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const int recNo = recordNumberAt(index.row());
    if (recNo < 1 || recNo > m_log.size())
        return {};
    const ContactRecord& r = m_log.record(recNo);
    switch (index.column()) {
    case RecNo: return QString::number(recNo);
    case Call: return r.call;
    case Class: return r.cls;
    case Sec: return r.section;
    case Date: return shortDate(r.date);
    case Time: return shortTime(r.time);
    case Band: return r.band;
    case Mode: return r.mode;
    case Operator: return m_showOperator ? r.op : QString();
    default: return {};
    }
}

QVariant ContactTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const QStringList headers{"Rec#", "Call", "Class", "Sec", "Date", "Time", "Bnd", "Mode", "Opr"};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= headers.size())
        return {};
    return headers[section];
}

QString ContactTableModel::shortDate(const QString& date)
{
    const QStringList p = date.split(QLatin1Char('/'));
    bool okMonth = false;
    bool okDay = false;
    if (p.size() != 3)
        return date;
    const int month = p[1].toInt(&okMonth);
    const int day = p[2].toInt(&okDay);
    if (!okMonth || !okDay)
        return date;
    return QStringLiteral("%1/%2").arg(month).arg(day, 2, 10, QLatin1Char('0'));
}

QString ContactTableModel::shortTime(const QString& time)
{
    const QStringList p = time.split(QLatin1Char(':'));
    bool okHour = false;
    bool okMinute = false;
    if (p.size() < 2)
        return time;
    const int hour = p[0].toInt(&okHour);
    const int minute = p[1].toInt(&okMinute);
    if (!okHour || !okMinute)
        return time;
    return QStringLiteral("%1:%2").arg(hour).arg(minute, 2, 10, QLatin1Char('0'));
}
