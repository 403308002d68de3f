#include "sim/SimulatedRig.h"

#include <QTimer>
#include <algorithm>

namespace {
QByteArray bcd(qint64 value, int bytes, bool leastFirst)
{
    QByteArray d = QByteArray::number(value).rightJustified(bytes * 2, '0');
    QByteArray out = QByteArray::fromHex(d);
    if (leastFirst)
        std::reverse(out.begin(), out.end());
    return out;
}
qint64 fromBcd(QByteArray b, bool leastFirst)
{
    if (leastFirst)
        std::reverse(b.begin(), b.end());
    return b.toHex().toLongLong();
}
} // namespace

SimulatedRig::SimulatedRig(Kind kind, QObject* parent) : QObject(parent), m_kind(kind)
{
    connect(&m_pty, &PtyPeer::received, this, &SimulatedRig::onBytes);
    m_chunkTimer.setInterval(15);
    connect(&m_chunkTimer, &QTimer::timeout, this, &SimulatedRig::sendChunk);
    m_dribbleTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_dribbleTimer, &QTimer::timeout, this, [this] {
        // Four characters per tick: what the line carries in the tick's time at `baud`.
        m_pty.write(m_dribble.left(4));
        m_dribble.remove(0, 4);
        if (m_dribble.isEmpty())
            m_dribbleTimer.stop();
    });
}

void SimulatedRig::dribble(const QByteArray& bytes)
{
    if (silent)
        return;
    ++answers;
    emit answered();
    m_dribble += garbage + bytes;
    if (!m_dribbleTimer.isActive()) {
        // 11 bits a character (start, 8 data, 2 stop).
        m_dribbleTimer.start(std::max(1, 4 * 11 * 1000 / baud));
    }
}

void SimulatedRig::reply(const QByteArray& bytes)
{
    if (silent)
        return;
    ++answers;
    emit answered();
    const QByteArray all = garbage + bytes;
    if (!splitReplies || all.size() < 2) {
        if (m_chunks.empty())
            m_pty.write(all);
        else
            m_chunks.push_back(all);
        return;
    }
    // A real rig sends its answers one after the other; only the pieces are spaced out.
    const qsizetype half = all.size() / 2;
    m_chunks.push_back(all.left(half));
    m_chunks.push_back(all.mid(half));
    if (!m_chunkTimer.isActive()) {
        sendChunk();
        m_chunkTimer.start();
    }
}

void SimulatedRig::sendChunk()
{
    if (m_chunks.empty()) {
        m_chunkTimer.stop();
        return;
    }
    m_pty.write(m_chunks.front());
    m_chunks.pop_front();
}

QByteArray SimulatedRig::icomFrequency() const
{
    // The 735 has room for eight digits of hertz, the later radios ten.
    return bcd(hz, m_kind == Kind::Icom735 ? 4 : 5, true);
}

void SimulatedRig::onBytes(const QByteArray& bytes)
{
    received += bytes;
    if (!babble.isEmpty()) {
        reply(babble);
        return;
    }
    m_pending += bytes;
    for (;;) {
        qsizetype len = 0;
        switch (m_kind) {
        case Kind::Kenwood:
        case Kind::KenwoodIF:
        case Kind::Ftdx9000:
            len = m_pending.indexOf(';') + 1;
            break;
        case Kind::Orion:
            len = m_pending.indexOf('\r') + 1;
            break;
        case Kind::Icom:
        case Kind::Icom735:
        case Kind::OmniVI:
            len = m_pending.indexOf('\xFD') + 1;
            break;
        case Kind::Yaesu:
        case Kind::Yaesu757:
        case Kind::Yaesu890:
        case Kind::Yaesu920:
        case Kind::Yaesu990:
        case Kind::Yaesu1000:
            len = m_pending.size() >= 5 ? 5 : 0;
            break;
        case Kind::FrontPanel:
            if (!m_pending.isEmpty())
                len = m_pending[0] == '*' ? 7 : 3;
            if (len > m_pending.size())
                len = 0;
            break;
        }
        if (len <= 0)
            return;
        const QByteArray command = m_pending.left(len);
        m_pending.remove(0, len);
        handle(command);
    }
}

void SimulatedRig::handle(const QByteArray& c)
{
    switch (m_kind) {
    case Kind::Kenwood:
    case Kind::KenwoodIF:
        if (c == "FA;")
            reply("FA" + QByteArray::number(hz).rightJustified(11, '0') + ';');
        else if (c == "MD;")
            reply("MD" + QByteArray::number(mode) + ';');
        else if (c == "DA;")
            reply(dataMode ? "DA1;" : "DA0;");
        else if (c == "IF;")
            reply("IF" + QByteArray::number(hz).rightJustified(11, '0') + "00000+000000000" + "0" +
                  QByteArray::number(mode) + QByteArray::number(vfo) + "000000;");
        else if ((c.startsWith("FA") || c.startsWith("FB")) && c.size() == 14)
            hz = c.mid(2, 11).toLongLong();
        else if (c.startsWith("MD") && c.size() == 4)
            mode = c[2] - '0';
        break;
    case Kind::Ftdx9000:
        if (c == "FA;")
            reply("FA" + QByteArray::number(hz).rightJustified(8, '0') + ';');
        else if (c == "MD0;")
            reply("MD0" + QByteArray::number(mode) + ';');
        else if (c.startsWith("FA"))
            hz = c.mid(2, c.size() - 3).toLongLong();
        else if (c.startsWith("MD0") && c.size() == 5)
            mode = c[3] - '0';
        break;
    case Kind::Orion:
        if (c == "?AF\r")
            reply("@AF" + QByteArray::number(hz) + '\r');
        else if (c == "?RMM\r")
            reply("@RMM" + QByteArray::number(mode) + '\r');
        else if (c.startsWith("*AF"))
            hz = c.mid(3, c.size() - 4).toLongLong(); // whole hertz, as it reports them
        break;
    case Kind::FrontPanel:
        if (c == QByteArray("?A\r")) {
            QByteArray f(4, '\0');
            for (int i = 0; i < 4; ++i)
                f[i] = static_cast<char>((hz >> (24 - 8 * i)) & 0xFF);
            reply('A' + f + '\r');
        } else if (c == QByteArray("?M\r")) {
            reply("M" + QByteArray::number(mode) + QByteArray::number(mode) + '\r');
        } else if (c.startsWith("*A")) {
            hz = 0;
            for (int i = 2; i < 6; ++i)
                hz = hz * 256 + static_cast<quint8>(c[i]);
        }
        break;
    case Kind::Icom:
    case Kind::Icom735:
    case Kind::OmniVI: {
        if (echo)
            m_pty.write(c);
        if (c.size() < 6 || c[0] != '\xFE' || c[1] != '\xFE')
            break;
        const char rigAddress = c[2];
        const QByteArray head = QByteArray("\xFE\xFE\xE0", 3) + rigAddress;
        const auto cmd = static_cast<quint8>(c[4]);
        if (cmd == 0x03)
            reply(head + '\x03' + icomFrequency() + '\xFD');
        else if (cmd == 0x04)
            reply(head + '\x04' + static_cast<char>(mode) + (filter ? QByteArray(1, char(filter)) : QByteArray()) +
                  '\xFD');
        else if (cmd == 0x05 && c.size() == (m_kind == Kind::Icom735 ? 10 : 11))
            hz = fromBcd(c.mid(5, c.size() - 6), true);
        else if (cmd == 0x06 && c.size() == 7)
            mode = c[5];
        break;
    }
    case Kind::Yaesu:
    case Kind::Yaesu757:
    case Kind::Yaesu890:
    case Kind::Yaesu920:
    case Kind::Yaesu990:
    case Kind::Yaesu1000: {
        const auto op = static_cast<quint8>(c[4]);
        auto answer = [&](const QByteArray& b) { baud > 0 ? dribble(b) : reply(b); };
        if (m_kind == Kind::Yaesu && op == 0x03) {
            answer(bcd(hz / 10, 4, false) + static_cast<char>(mode));
        } else if (m_kind == Kind::Yaesu757 && op == 0x10) {
            // 75-byte status block: BCD 10-Hz count least significant first at 5-8, mode at 9.
            QByteArray block(75, '\0');
            block.replace(5, 4, bcd(hz / 10, 4, true));
            block[9] = static_cast<char>(mode);
            // The rest holds memory records in the same form (7.040 MHz CW here): a reader that
            // takes the middle of the block for a reply of its own reads one of them.
            for (int i = 10; i + 5 <= 75; i += 5)
                block.replace(i, 5, QByteArray::fromHex("0040700002"));
            answer(block);
        } else if (m_kind == Kind::Yaesu && op == 0x01) {
            hz = fromBcd(c.left(4), false) * 10;
        } else if (m_kind == Kind::Yaesu && op == 0x07) {
            mode = static_cast<quint8>(c[0]);
        } else if (m_kind == Kind::Yaesu920 && op == 0x10) {
            // VFO record: band, the frequency in hertz as a big-endian 32-bit number, mode byte 8.
            QByteArray block(28, '\0');
            for (int i = 0; i < 4; ++i)
                block[1 + i] = static_cast<char>((hz >> (24 - 8 * i)) & 0xFF);
            block[7] = static_cast<char>(mode);
            answer(block);
        } else if (m_kind == Kind::Yaesu1000 && op == 0x10) {
            // 10-Hz count in six hex digits starting at the low half of byte 2.
            QByteArray block(16, '\0');
            const qint64 tens = hz / 10;
            block[1] = static_cast<char>((tens >> 20) & 0x0F);
            block[2] = static_cast<char>((tens >> 12) & 0xFF);
            block[3] = static_cast<char>((tens >> 4) & 0xFF);
            block[4] = static_cast<char>((tens & 0x0F) << 4);
            block[7] = static_cast<char>(mode);
            answer(block);
        } else if (m_kind == Kind::Yaesu920 && op == 0x0C) {
            // Set codes LSB, USB, CW, CW-R, AM, -, FM, -, RTTY, -, PKT as the status byte shows them.
            static const char status[] = {0x00, 0x40, 0x41, 0x01, 0x02, 0x02, 0x03, 0x03, 0x04, 0x04, 0x44};
            const auto code = static_cast<quint8>(c[3]);
            if (code < sizeof status)
                mode = status[code];
        } else if (op == 0x10) {
            // Status block: binary 10-Hz count in bytes 3-5 (890) or 2-4 (990), mode in byte 8.
            QByteArray block(18, '\0');
            const qint64 tens = hz / 10;
            const int at = m_kind == Kind::Yaesu890 ? 2 : 1;
            block[at] = static_cast<char>((tens >> 16) & 0xFF);
            block[at + 1] = static_cast<char>((tens >> 8) & 0xFF);
            block[at + 2] = static_cast<char>(tens & 0xFF);
            block[7] = static_cast<char>(mode);
            answer(block);
        } else if (op == 0x0A) {
            hz = fromBcd(c.left(4), true) * 10;
        } else if (op == 0x0C) {
            mode = static_cast<quint8>(c[3]);
        }
        break;
    }
    }
}
