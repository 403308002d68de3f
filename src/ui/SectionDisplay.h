#pragma once

#include <QWidget>
#include <vector>

class ContactLog;
class QLabel;
class SectionTable;

// The grid of section labels: each shows its abbreviation, its full name as tool tip, and the
// worked or not-worked colour. Clicking a label offers its abbreviation to the entry; the pointer
// resting on one asks for its totals.
class SectionDisplay : public QWidget {
    Q_OBJECT
public:
    explicit SectionDisplay(const SectionTable& table, QWidget* parent = nullptr);

    // Repaints every label from the log's worked counts. Colours in blue-green-red layout.
    void refresh(const ContactLog& log, quint32 workedColour, quint32 notWorkedColour);

    QLabel* label(int index) const { return m_labels[static_cast<size_t>(index)]; }
    int count() const { return static_cast<int>(m_labels.size()); }

signals:
    void sectionClicked(const QString& abbr);
    void sectionPointedAt(const QString& abbr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QLabel*> m_labels;
};

// A colour stored in the blue-green-red layout of the preferences file.
QColor colourFromBgr(quint32 bgr);
