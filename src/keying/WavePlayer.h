#pragma once

#include <QObject>
#include <QString>

// Plays one wave file at a time. Commands return at once; playing() stays true from play()
// until the sound has ended or been stopped, and finished() is emitted then (a keyer still
// polls playing(), so a backend that never signals cannot hold the transmitter keyed).
class WavePlayer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Loads the file; false when it cannot be read as a wave file.
    virtual bool open(const QString& path) = 0;
    virtual void play() = 0;
    virtual void stop() = 0;
    // Stops and forgets the file.
    virtual void close() = 0;
    virtual bool playing() const = 0;

signals:
    void finished();
};
