#pragma once

#include <QBuffer>
#include <QObject>
#include <QString>
#include <memory>

class QAudioSource;

// Records a voice message from the default input into a 16-bit PCM wave file. Nothing is
// written until stop(), and then in one go, so a take that fails leaves the old file whole.
class WaveRecorder : public QObject {
    Q_OBJECT
public:
    explicit WaveRecorder(QObject* parent = nullptr);
    ~WaveRecorder() override;

    // False (after failed) when there is no input to record from.
    bool start(const QString& path);
    // Ends the take and writes the file; false (after failed) when it cannot be written.
    bool stop();
    bool recording() const { return m_source != nullptr; }
    QString path() const { return m_path; }
    qint64 recordedBytes() const { return m_buffer.size(); }

signals:
    void failed(const QString& why);

private:
    std::unique_ptr<QAudioSource> m_source;
    QBuffer m_buffer;
    QString m_path;
    int m_channels = 1;
    int m_rate = 22050;
};
