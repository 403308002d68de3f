#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>

struct mosquitto;
struct mosquitto_message;

// An MQTT client over libmosquitto. The library runs its network loop on its own thread and
// reconnects by itself after a lost connection; every callback is handed to this object's
// thread as a queued call, so the signals arrive on the Qt event loop like any socket's.
// Publishing and subscribing may be called from this object's thread at any time.
class MqttClient : public QObject {
    Q_OBJECT
public:
    struct Options {
        QString host;
        quint16 port = 1883;
        QString clientId;
        QString user;
        QString password;
        QString caFile; // non-empty: TLS, the broker's certificate checked against this CA
        int keepAliveSeconds = 10;
        // Published retained by the broker when this client vanishes without closing.
        QString willTopic;
        QByteArray willPayload;
    };

    explicit MqttClient(QObject* parent = nullptr);
    ~MqttClient() override;

    // Starts connecting; false (with the reason) only for options the library refuses.
    bool open(const Options& options, QString* error);
    void close();
    bool isConnected() const { return m_connected; }

    bool subscribe(const QString& pattern, int qos);
    // Several patterns in one request, and their end.
    bool subscribe(const QStringList& patterns, int qos);
    bool unsubscribe(const QStringList& patterns);
    bool publish(const QString& topic, const QByteArray& payload, int qos, bool retain);

signals:
    void connected();
    // The broker refused the login (wrong user or password, not authorised): nothing is retried.
    void refused(const QString& reason);
    // No connection could be made or it was lost; the library keeps trying. `everConnected`
    // tells a broker that cannot be reached from one that went away.
    void connectionLost(const QString& reason, bool everConnected);
    void messageReceived(const QString& topic, const QByteArray& payload, bool retained);

private:
    static void onConnect(mosquitto* m, void* self, int rc);
    static void onDisconnect(mosquitto* m, void* self, int rc);
    static void onMessage(mosquitto* m, void* self, const mosquitto_message* msg);
    void handleConnect(int rc);
    void handleDisconnect(int rc);

    mosquitto* m_mosq = nullptr;
    bool m_connected = false;
    bool m_everConnected = false;
    bool m_threadRunning = false;
};
