#include "keying/WaveFile.h"

#include <QFile>
#include <QtEndian>

namespace {

quint32 u32(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint32>(b.constData() + at);
}

quint16 u16(const QByteArray& b, qsizetype at)
{
    return qFromLittleEndian<quint16>(b.constData() + at);
}

void put32(QByteArray& b, quint32 v)
{
    char c[4];
    qToLittleEndian(v, c);
    b.append(c, 4);
}

void put16(QByteArray& b, quint16 v)
{
    char c[2];
    qToLittleEndian(v, c);
    b.append(c, 2);
}

} // namespace

std::optional<WaveFormat> WaveFile::readFormat(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    // The chunks in front of the samples are small; 64 KiB holds any real header.
    std::optional<WaveFormat> format = parseFormat(f.read(65536));
    if (format)
        format->dataBytes = qMin(format->dataBytes, f.size());
    return format;
}

std::optional<WaveFormat> WaveFile::parseFormat(const QByteArray& head)
{
    if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "WAVE")
        return std::nullopt;
    WaveFormat w;
    bool haveFormat = false;
    qsizetype at = 12;
    while (at + 8 <= head.size()) {
        const QByteArray id = head.mid(at, 4);
        const quint32 size = u32(head, at + 4);
        const qsizetype body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > head.size() || u16(head, body) != 1)
                return std::nullopt;
            w.channels = u16(head, body + 2);
            w.sampleRate = static_cast<int>(u32(head, body + 4));
            w.bitsPerSample = u16(head, body + 14);
            haveFormat = w.channels > 0 && w.sampleRate > 0 && w.bitsPerSample % 8 == 0 && w.bitsPerSample > 0;
        } else if (id == "data") {
            if (!haveFormat)
                return std::nullopt;
            w.dataBytes = size;
            return w;
        }
        at = body + size + (size & 1);
    }
    return std::nullopt;
}

QByteArray WaveFile::header(const WaveFormat& w)
{
    QByteArray b("RIFF");
    put32(b, static_cast<quint32>(36 + w.dataBytes));
    b += "WAVEfmt ";
    put32(b, 16);
    put16(b, 1);
    put16(b, static_cast<quint16>(w.channels));
    put32(b, static_cast<quint32>(w.sampleRate));
    put32(b, static_cast<quint32>(w.bytesPerSecond()));
    put16(b, static_cast<quint16>(w.channels * w.bitsPerSample / 8));
    put16(b, static_cast<quint16>(w.bitsPerSample));
    b += "data";
    put32(b, static_cast<quint32>(w.dataBytes));
    return b;
}
