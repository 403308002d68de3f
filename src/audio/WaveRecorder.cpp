#include "audio/WaveRecorder.h"

#include "keying/WaveFile.h"

#include <QAudioSource>
#include <QMediaDevices>
#include <QSaveFile>

WaveRecorder::WaveRecorder(QObject* parent) : QObject(parent) {}

WaveRecorder::~WaveRecorder()
{
    if (m_source)
        m_source->stop();
}

bool WaveRecorder::start(const QString& path)
{
    const QAudioDevice input = QMediaDevices::defaultAudioInput();
    if (input.isNull()) {
        emit failed(QStringLiteral("There is no sound input to record from."));
        return false;
    }
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!input.isFormatSupported(format)) {
        format = input.preferredFormat();
        format.setSampleFormat(QAudioFormat::Int16);
    }
    m_channels = format.channelCount();
    m_rate = format.sampleRate();
    m_path = path;
    m_buffer.close();
    m_buffer.setData(QByteArray());
    m_buffer.open(QIODevice::WriteOnly);
    m_source = std::make_unique<QAudioSource>(input, format);
    m_source->start(&m_buffer);
    if (m_source->error() != QAudio::NoError) {
        m_source.reset();
        emit failed(QStringLiteral("The sound input %1 cannot be opened.").arg(input.description()));
        return false;
    }
    return true;
}

bool WaveRecorder::stop()
{
    if (!m_source)
        return false;
    m_source->stop();
    m_source.reset();
    m_buffer.close();
    const WaveFormat w{m_channels, m_rate, 16, m_buffer.size()};
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly) || f.write(WaveFile::header(w) + m_buffer.data()) < 0 || !f.commit()) {
        emit failed(QStringLiteral("%1 could not be written.").arg(m_path));
        return false;
    }
    return true;
}
