#include "ui/StatusStrip.h"

#include "log/OperatingState.h"
#include "log/SectionTable.h"
#include "log/Station.h"
#include "reports/EntryClaims.h"
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
    m_contacts->setText(QStringLiteral("Contacts: %1").arg(log.size()));
    m_sections->setText(QStringLiteral("Sections: %1 of %2").arg(worked).arg(sections));
    const qint64 qsoPoints = computeScore(CountContactsByBandAndMode(log.records()), {}, PowerClass::None).qsoPoints;
    if (m_station.rules() != RulesEdition::FieldDay2025) {
        // The rules as written have no claims file; the strip counts the common 150 W class.
        const Score s = computeScore(CountContactsByBandAndMode(log.records()), {}, PowerClass::Low150);
        m_score->setText(QStringLiteral("Score: %1 (%2 points x%3)")
                             .arg(s.claimed)
                             .arg(s.qsoPoints)
                             .arg(powerMultiplier(PowerClass::Low150)));
        return;
    }
    // The power step, sources and bonuses the summary window keeps; read afresh each time, so
    // a change saved there shows as soon as the window closes.
    EntryClaims claims = EntryClaimsFile::read(m_station.paths().dataDir);
    const bool chosen = claims.level != PowerLevel::None;
    if (!chosen)
        claims.level = PowerLevel::Up100; // the usual step until the summary window names one
    const ClaimedScore c = scoreClaims(qsoPoints, claims, entryClassLetter(m_station.prefs().ownClass));
    m_score->setText(QStringLiteral("Score: %1 (%2 points x%3 + %4 bonus%5)")
                         .arg(c.claimed)
                         .arg(qsoPoints)
                         .arg(c.multiplier)
                         .arg(c.bonusPoints)
                         .arg(chosen ? QString() : QStringLiteral(", power step not chosen")));
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
