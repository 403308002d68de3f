#pragma once

#include <QString>

class CallIndex;
class ContactLog;

// Whether a spotted call is already in the log on a band and mode: the spot lists colour it so
// the operator skips it.
class SpotDupeCheck {
public:
    SpotDupeCheck(const ContactLog& log, const CallIndex& index) : m_log(log), m_index(index) {}
    bool worked(const QString& call, const QString& band, const QString& mode) const;

private:
    const ContactLog& m_log;
    const CallIndex& m_index;
};
