#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class ContactLog;
struct ContactRecord;

// What the contact list (ListView1) shows: a list of record numbers and how to draw each
// column. The window's table model reads rows and cells from here and redraws whenever
// version() changes; 14 000 rows cost one vector of ints, the texts are made on demand.
class LogList {
public:
    enum Column { RecNo, Call, Class, Sec, Date, Time, Bnd, Mode, Opr, Freq, ColumnCount };
    // Which contacts the list holds.
    enum class Content { Latest, All, Previous, Found };

    explicit LogList(const ContactLog& log);

    static const QStringList& headers();

    // RefreshLogList: the last 20 records, or every record when show-all is on.
    void RefreshLogList();
    // The list button: toggles show-all and refreshes.
    void toggleShowAll();
    bool showAll() const { return m_showAll; }
    // cmdList's caption: the view in force, "All" or "Last 20".
    QString cmdListCaption() const;

    // The previous-contacts list built by the dupe test: emptied, then filled row by row.
    void beginPrevious();
    void addPrevious(int recNo);

    // Every record whose call equals `text` (or contains it, with partial matches). An empty
    // text leaves the list empty.
    void find(const QString& text, bool partial);

    // Sorts the rows by one column's text, ascending (a click on its header).
    void sortByColumn(int column);

    int rowCount() const { return static_cast<int>(m_rows.size()); }
    int recordAt(int row) const { return m_rows[static_cast<size_t>(row)]; }
    const std::vector<int>& rows() const { return m_rows; }
    Content content() const { return m_content; }
    // Increases with every change of the rows.
    quint64 version() const { return m_version; }

    QString cell(int row, int column) const;
    // A record's column text: dates as "YYYY/MM/DD", so an imported or older year reads
    // apart; times as "h:mm".
    static QString columnText(const ContactRecord& r, int recNo, int column);

private:
    void changed(Content c);

    const ContactLog& m_log;
    std::vector<int> m_rows;
    Content m_content = Content::Latest;
    bool m_showAll = false;
    quint64 m_version = 0;
};
