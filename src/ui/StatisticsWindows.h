#pragma once

#include "reports/StationStats.h"

#include <QColor>
#include <QDialog>
#include <functional>

class ContactLog;
class Dialogs;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
struct Preferences;

// The operator view: contacts per operator's initials, and the band bucket counts.
class OperatorViewWindow : public QDialog {
    Q_OBJECT
public:
    OperatorViewWindow(const ContactLog& log, QWidget* parent = nullptr);
    void fill();

private:
    const ContactLog& m_log;
    QTreeWidget* m_list;
    std::vector<QLabel*> m_bandLabels; // lblBand0..6
    QLabel* m_total;
};

// " Activity Graph - ...": the contact rate of every contact over the event, one colour per band.
class ActivityGraphWindow : public QDialog {
    Q_OBJECT
public:
    ActivityGraphWindow(const ContactLog& log, Dialogs& dialogs, QWidget* parent = nullptr);
    // Recomputes the graph; with too few contacts tells the operator and shows no curve.
    void fill();
    const StationStats::RateGraph& graph() const { return m_graph; }
    bool blackBackground() const { return m_black; }
    void toggleBackground();
    static QColor bandColour(const QString& band);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ContactLog& m_log;
    Dialogs& m_dialogs;
    StationStats::RateGraph m_graph;
    QPushButton* m_background;
    bool m_black = true;
};

// " Modify Multiplier Color Selections": the remaining and worked section colours.
class SectionColoursWindow : public QDialog {
    Q_OBJECT
public:
    using Chooser = std::function<QColor(const QColor& start)>; // invalid colour: cancelled
    SectionColoursWindow(Preferences& prefs, Chooser chooser, QWidget* parent = nullptr);
    void changeRemaining();
    void changeWorked();

signals:
    void coloursChanged();

private:
    void showSamples();

    Preferences& m_prefs;
    Chooser m_chooser;
    QLabel* m_remainingSample;
    QLabel* m_workedSample;
};

// "Field Day Logging Program Help Page": readfd.txt from the data folder, or the text built in.
class HelpWindow : public QDialog {
    Q_OBJECT
public:
    HelpWindow(const QString& dataDir, QWidget* parent = nullptr);
    QString text() const;

private:
    QPlainTextEdit* m_text;
};

// Colour values are kept blue-green-red, as the preferences file holds them.
QColor colourFromPreference(quint32 bgr);
quint32 preferenceFromColour(const QColor& c);
