#pragma once

#include "util/WsjtxListener.h"

class UserSettingsStore;

// The WSJT-X listener's settings in the per-user settings store. A missing or unreadable value
// keeps its default: listening on 127.0.0.1:2237 without a multicast group.
namespace WsjtxSettings {

WsjtxListener::Settings load(const UserSettingsStore& store);
void save(UserSettingsStore& store, const WsjtxListener::Settings& settings);

} // namespace WsjtxSettings
