#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A PCM wave file's format: RIFF "WAVE" with a "fmt " chunk (format 1, channels, sample rate,
// bits per sample) and a "data" chunk; other chunks are skipped. All numbers little-endian.
struct WaveFormat {
    int channels = 1;
    int sampleRate = 22050;
    int bitsPerSample = 16;
    qint64 dataBytes = 0;

    qint64 bytesPerSecond() const { return qint64(channels) * sampleRate * (bitsPerSample / 8); }
    qint64 lengthMs() const { return bytesPerSecond() > 0 ? dataBytes * 1000 / bytesPerSecond() : 0; }
};

namespace WaveFile {
// The format of a PCM wave file; nullopt when it is none (or cannot be read).
std::optional<WaveFormat> readFormat(const QString& path);
std::optional<WaveFormat> parseFormat(const QByteArray& head);
// The 44-byte header in front of `format.dataBytes` of samples.
QByteArray header(const WaveFormat& format);
} // namespace WaveFile
