#include "sync/MqttClient.h"

#include <QFile>
#include <QMetaObject>
#include <mosquitto.h>
#include <mutex>
#include <vector>

namespace {

void initLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

} // namespace

MqttClient::MqttClient(QObject* parent) : QObject(parent)
{
    initLibrary();
}

MqttClient::~MqttClient()
{
    close();
}

bool MqttClient::open(const Options& o, QString* error)
{
    close();
    const QByteArray id = o.clientId.toUtf8();
    m_mosq = mosquitto_new(id.isEmpty() ? nullptr : id.constData(), true, this);
    if (!m_mosq) {
        *error = QStringLiteral("the MQTT client could not be made");
        return false;
    }
    mosquitto_connect_callback_set(m_mosq, &MqttClient::onConnect);
    mosquitto_disconnect_callback_set(m_mosq, &MqttClient::onDisconnect);
    mosquitto_message_callback_set(m_mosq, &MqttClient::onMessage);
    mosquitto_reconnect_delay_set(m_mosq, 1, 4, false);
    // A returning station's catch-up goes up without waiting for an acknowledgement every 20.
    mosquitto_int_option(m_mosq, MOSQ_OPT_SEND_MAXIMUM, 65535);
    // A contact is one small packet: Nagle's algorithm would hold it for the broker's delayed ACK.
    mosquitto_int_option(m_mosq, MOSQ_OPT_TCP_NODELAY, 1);
    int rc = mosquitto_username_pw_set(m_mosq, o.user.isEmpty() ? nullptr : o.user.toUtf8().constData(),
                                       o.password.isEmpty() ? nullptr : o.password.toUtf8().constData());
    if (rc == MOSQ_ERR_SUCCESS && !o.willTopic.isEmpty())
        rc = mosquitto_will_set(m_mosq, o.willTopic.toUtf8().constData(), static_cast<int>(o.willPayload.size()),
                                o.willPayload.constData(), 1, true);
    if (rc == MOSQ_ERR_SUCCESS && !o.caFile.isEmpty())
        rc = mosquitto_tls_set(m_mosq, QFile::encodeName(o.caFile).constData(), nullptr, nullptr, nullptr, nullptr);
    if (rc != MOSQ_ERR_SUCCESS) {
        *error = QString::fromUtf8(mosquitto_strerror(rc));
        close();
        return false;
    }
    rc = mosquitto_connect_async(m_mosq, o.host.toUtf8().constData(), o.port, o.keepAliveSeconds);
    if (rc == MOSQ_ERR_INVAL) {
        *error = QString::fromUtf8(mosquitto_strerror(rc));
        close();
        return false;
    }
    // A first attempt that failed at once is retried by the loop like a lost connection.
    if (rc != MOSQ_ERR_SUCCESS)
        QMetaObject::invokeMethod(
            this, [this, rc] { handleDisconnect(rc); }, Qt::QueuedConnection);
    m_threadRunning = mosquitto_loop_start(m_mosq) == MOSQ_ERR_SUCCESS;
    return true;
}

void MqttClient::close()
{
    if (!m_mosq)
        return;
    mosquitto_disconnect(m_mosq);
    if (m_threadRunning)
        mosquitto_loop_stop(m_mosq, false);
    m_threadRunning = false;
    mosquitto_destroy(m_mosq);
    m_mosq = nullptr;
    m_connected = false;
    m_everConnected = false;
}

bool MqttClient::subscribe(const QString& pattern, int qos)
{
    return m_mosq && mosquitto_subscribe(m_mosq, nullptr, pattern.toUtf8().constData(), qos) == MOSQ_ERR_SUCCESS;
}

namespace {

// The patterns as the C strings the library takes, alive as long as this is.
struct CStrings {
    explicit CStrings(const QStringList& list)
    {
        for (const QString& s : list)
            bytes.push_back(s.toUtf8());
        for (QByteArray& b : bytes)
            pointers.push_back(b.data());
    }
    std::vector<QByteArray> bytes;
    std::vector<char*> pointers;
};

} // namespace

bool MqttClient::subscribe(const QStringList& patterns, int qos)
{
    const CStrings c(patterns);
    return m_mosq && mosquitto_subscribe_multiple(m_mosq, nullptr, static_cast<int>(c.pointers.size()),
                                                  c.pointers.data(), qos, 0, nullptr) == MOSQ_ERR_SUCCESS;
}

bool MqttClient::unsubscribe(const QStringList& patterns)
{
    const CStrings c(patterns);
    return m_mosq && mosquitto_unsubscribe_multiple(m_mosq, nullptr, static_cast<int>(c.pointers.size()),
                                                    c.pointers.data(), nullptr) == MOSQ_ERR_SUCCESS;
}

bool MqttClient::publish(const QString& topic, const QByteArray& payload, int qos, bool retain)
{
    return m_mosq && mosquitto_publish(m_mosq, nullptr, topic.toUtf8().constData(), static_cast<int>(payload.size()),
                                       payload.constData(), qos, retain) == MOSQ_ERR_SUCCESS;
}

void MqttClient::onConnect(mosquitto* m, void* self, int rc)
{
    // A refused login would be retried for ever: stop the loop here, in its own thread.
    if (rc != 0)
        mosquitto_disconnect(m);
    auto* c = static_cast<MqttClient*>(self);
    QMetaObject::invokeMethod(
        c, [c, rc] { c->handleConnect(rc); }, Qt::QueuedConnection);
}

void MqttClient::onDisconnect(mosquitto*, void* self, int rc)
{
    auto* c = static_cast<MqttClient*>(self);
    QMetaObject::invokeMethod(
        c, [c, rc] { c->handleDisconnect(rc); }, Qt::QueuedConnection);
}

void MqttClient::onMessage(mosquitto*, void* self, const mosquitto_message* msg)
{
    auto* c = static_cast<MqttClient*>(self);
    const QString topic = QString::fromUtf8(msg->topic);
    const QByteArray payload(static_cast<const char*>(msg->payload), msg->payloadlen);
    const bool retained = msg->retain;
    QMetaObject::invokeMethod(
        c, [c, topic, payload, retained] { emit c->messageReceived(topic, payload, retained); }, Qt::QueuedConnection);
}

void MqttClient::handleConnect(int rc)
{
    if (rc != 0) {
        m_connected = false;
        emit refused(QString::fromUtf8(mosquitto_connack_string(rc)));
        return;
    }
    m_connected = true;
    m_everConnected = true;
    emit connected();
}

void MqttClient::handleDisconnect(int rc)
{
    const bool wasConnected = m_connected;
    m_connected = false;
    if (rc == 0)
        return; // our own close()
    if (wasConnected || !m_everConnected)
        emit connectionLost(QString::fromUtf8(mosquitto_strerror(rc)), m_everConnected);
}
