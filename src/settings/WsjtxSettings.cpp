#include "settings/WsjtxSettings.h"

#include "settings/UserSettingsStore.h"

namespace WsjtxSettings {
namespace {
const QString Enabled = QStringLiteral("WsjtxListen");
const QString Address = QStringLiteral("WsjtxAddress");
const QString Port = QStringLiteral("WsjtxPort");
const QString Group = QStringLiteral("WsjtxMulticastGroup");
} // namespace

WsjtxListener::Settings load(const UserSettingsStore& store)
{
    WsjtxListener::Settings s;
    const QString enabled = store.value(Enabled);
    if (enabled == QLatin1String("0") || enabled == QLatin1String("1"))
        s.enabled = enabled == QLatin1String("1");
    if (const QString a = store.value(Address).trimmed(); !a.isEmpty())
        s.address = a;
    bool ok = false;
    const uint port = store.value(Port).toUInt(&ok);
    if (ok && port >= 1 && port <= 65535)
        s.port = static_cast<quint16>(port);
    s.multicastGroup = store.value(Group).trimmed();
    return s;
}

void save(UserSettingsStore& store, const WsjtxListener::Settings& s)
{
    store.setValue(Enabled, s.enabled ? QStringLiteral("1") : QStringLiteral("0"));
    store.setValue(Address, s.address.trimmed());
    store.setValue(Port, QString::number(s.port));
    store.setValue(Group, s.multicastGroup.trimmed());
}

} // namespace WsjtxSettings
