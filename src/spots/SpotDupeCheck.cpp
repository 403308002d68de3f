#include "spots/SpotDupeCheck.h"

#include "log/CallIndex.h"
#include "log/ContactLog.h"

bool SpotDupeCheck::worked(const QString& call, const QString& band, const QString& mode) const
{
    for (int recNo : m_index.recordsWithCall(call.toUpper())) {
        const ContactRecord& r = m_log.record(recNo);
        if (r.band == band && r.mode == mode)
            return true;
    }
    return false;
}
