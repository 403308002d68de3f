#include "spots/AgwFrame.h"

#include <QtEndian>

namespace {

void putCall(QByteArray& out, int offset, const QString& call)
{
    const QByteArray c = call.toLatin1().left(AgwFrame::kCallSize - 1);
    std::copy(c.begin(), c.end(), out.begin() + offset);
}

QString takeCall(const char* p)
{
    qsizetype n = 0;
    while (n < AgwFrame::kCallSize && p[n] != '\0')
        ++n;
    return QString::fromLatin1(p, n).trimmed();
}

// The notice text without its trailing NUL and line end.
QString noticeText(const AgwFrame& frame)
{
    QByteArray d = frame.data;
    if (const qsizetype nul = d.indexOf('\0'); nul >= 0)
        d.truncate(nul);
    return QString::fromLatin1(d).trimmed();
}

std::optional<QString> callAfter(const QString& text, std::initializer_list<const char*> leads)
{
    for (const char* lead : leads) {
        if (text.startsWith(QLatin1String(lead), Qt::CaseInsensitive)) {
            const QString call = text.mid(qsizetype(qstrlen(lead))).trimmed().section(QLatin1Char(' '), 0, 0);
            if (!call.isEmpty())
                return call;
        }
    }
    return std::nullopt;
}

} // namespace

QByteArray AgwFrame::encode() const
{
    QByteArray out(kHeaderSize, '\0');
    out[0] = static_cast<char>(port);
    out[4] = kind;
    out[6] = static_cast<char>(pid);
    putCall(out, 8, callFrom);
    putCall(out, 18, callTo);
    qToLittleEndian<quint32>(static_cast<quint32>(data.size()), out.data() + 28);
    return out + data;
}

std::vector<AgwFrame> AgwFrameReader::feed(const QByteArray& bytes)
{
    std::vector<AgwFrame> frames;
    if (m_broken)
        return frames;
    m_buffer += bytes;
    qsizetype at = 0;
    while (m_buffer.size() - at >= AgwFrame::kHeaderSize) {
        const char* h = m_buffer.constData() + at;
        const quint32 length = qFromLittleEndian<quint32>(h + 28);
        if (length > kMaxData) {
            m_broken = true;
            m_buffer.clear();
            return frames;
        }
        if (m_buffer.size() - at < AgwFrame::kHeaderSize + qsizetype(length))
            break;
        AgwFrame f;
        f.port = static_cast<quint8>(h[0]);
        f.kind = h[4];
        f.pid = static_cast<quint8>(h[6]);
        f.callFrom = takeCall(h + 8);
        f.callTo = takeCall(h + 18);
        f.data = QByteArray(h + AgwFrame::kHeaderSize, qsizetype(length));
        frames.push_back(std::move(f));
        at += AgwFrame::kHeaderSize + qsizetype(length);
    }
    m_buffer.remove(0, at);
    return frames;
}

void AgwFrameReader::clear()
{
    m_buffer.clear();
    m_broken = false;
}

std::optional<QString> agwConnectedCall(const AgwFrame& frame)
{
    if (frame.kind != 'C')
        return std::nullopt;
    return callAfter(noticeText(frame), {"*** CONNECTED With Station", "*** CONNECTED To Station"});
}

std::optional<QString> agwDisconnectedCall(const AgwFrame& frame)
{
    if (frame.kind != 'd')
        return std::nullopt;
    return callAfter(noticeText(frame), {"*** DISCONNECTED From Station", "*** DISCONNECTED RETRYOUT With"});
}
