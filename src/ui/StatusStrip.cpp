#include "ui/StatusStrip.h"

#include "log/OperatingState.h"
#include "log/SectionTable.h"
#include "log/Station.h"
#include "reports/Score.h"
#include "rig/RigPoller.h"
#include "util/Clock.h"

#include <QLabel>
#include <QTimer>

StatusStrip::StatusStrip(Station& station, RigPoller& poller, QWidget* parent)
    : QStatusBar(parent), m_station(station), m_poller(poller)
{
    setObjectName(QStringLiteral("StatusStrip"));
    setSizeGripEnabled(false);
    m_contacts = addPart("lblStripContacts");
    m_sections = addPart("lblStripSections");
    m_score = addPart("lblStripScore");
    m_operator = addPart("lblStripOperator");
    m_rig = addPart("lblStripRig");
    connect(&poller, &RigPoller::pollingChanged, this, [this](bool polling) {
        m_polling = polling;
        refreshStation();
    });
    connect(&poller, &RigPoller::readingTaken, this, [this] {
        m_lastReadingMs = m_station.clock().monotonicMs();
        refreshStation();
    });
    connect(&station.state(), &OperatingState::frequencyChanged, this, &StatusStrip::refreshStation);
    auto* tick = new QTimer(this);
    connect(tick, &QTimer::timeout, this, &StatusStrip::refreshStation);
    tick->start(1000);
    refresh();
    refreshStation();
}

QLabel* StatusStrip::addPart(const char* name)
{
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setContentsMargins(6, 0, 6, 0);
    addWidget(l);
    return l;
}

void StatusStrip::refresh()
{
    const ContactLog& log = m_station.log();
    int worked = 0;
    const int sections = log.sections().size();
    for (int i = 0; i < sections; ++i)
        worked += log.isSectionWorked(i) ? 1 : 0;
    // The power class is chosen on the summary sheet; until then the strip counts the common
    // 150 W class.
    const PowerClass power = PowerClass::Low150;
    const Score s = computeScore(CountContactsByBandAndMode(log.records()), {}, power);
    m_contacts->setText(QStringLiteral("Contacts: %1").arg(log.size()));
    m_sections->setText(QStringLiteral("Sections: %1 of %2").arg(worked).arg(sections));
    m_score->setText(
        QStringLiteral("Score: %1 (%2 points x%3)").arg(s.claimed).arg(s.qsoPoints).arg(powerMultiplier(power)));
}

void StatusStrip::refreshStation()
{
    const QString op = m_station.state().operatorInitials();
    m_operator->setText(QStringLiteral("Operator: %1").arg(op.isEmpty() ? QStringLiteral("-") : op));
    if (!m_polling) {
        m_rig->setText(QStringLiteral("Rig: not connected"));
        return;
    }
    const bool answers = m_lastReadingMs >= 0 && m_station.clock().monotonicMs() - m_lastReadingMs < SilentMs;
    const QString freq = m_poller.lastFrequency().toMHzText();
    m_rig->setText(answers ? QStringLiteral("Rig: %1 MHz, answering").arg(freq) : QStringLiteral("Rig: not answering"));
}
