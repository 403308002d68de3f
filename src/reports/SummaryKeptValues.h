#pragma once

#include "reports/SummarySheet.h"

class SharedPreferences;
class UserSettingsStore;

// The five values kept between openings: per-user store first, then the shared file.
void loadKeptSummaryValues(const UserSettingsStore& store, SummaryValues& v);
void storeKeptSummaryValues(UserSettingsStore& store, SharedPreferences& shared, const SummaryValues& v);
