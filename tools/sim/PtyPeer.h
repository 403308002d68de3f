#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QSocketNotifier;

// The far end of a pseudo-terminal: the program under test opens slavePath() as its serial
// port; this side reads what it sends and writes the device's answers.
class PtyPeer : public QObject {
    Q_OBJECT
public:
    explicit PtyPeer(QObject* parent = nullptr);
    ~PtyPeer() override;

    bool isValid() const { return m_master >= 0; }
    QString slavePath() const { return m_slavePath; }
    void write(const QByteArray& bytes);
    // The device disappears: both ends close, as when a USB adapter is pulled.
    void vanish();

signals:
    void received(const QByteArray& bytes);

private:
    void readMaster();

    int m_master = -1;
    int m_slaveKeep = -1; // keeps the pty alive while the program has its port closed
    QString m_slavePath;
    QSocketNotifier* m_notifier = nullptr;
};
