#include "reports/SummaryKeptValues.h"

#include "settings/SharedPreferences.h"
#include "settings/UserSettingsStore.h"

#include <QStringList>

void loadKeptSummaryValues(const UserSettingsStore& store, SummaryValues& v)
{
    v.yourName = store.value(QStringLiteral("UserAddressName"));
    v.address1 = store.value(QStringLiteral("UserAddressLine1"));
    v.address2 = store.value(QStringLiteral("UserAddressLine2"));
    v.email = store.value(QStringLiteral("UserEMail"));
    v.clubName = store.value(QStringLiteral("UserClubName"));
}

void storeKeptSummaryValues(UserSettingsStore& store, SharedPreferences& shared, const SummaryValues& v)
{
    const QString name = v.yourName.trimmed(), a1 = v.address1.trimmed(), a2 = v.address2.trimmed(),
                  mail = v.email.trimmed(), club = v.clubName.trimmed();
    store.setValue(QStringLiteral("UserAddressName"), name);
    store.setValue(QStringLiteral("UserAddressLine1"), a1);
    store.setValue(QStringLiteral("UserAddressLine2"), a2);
    store.setValue(QStringLiteral("UserEMail"), mail);
    store.setValue(QStringLiteral("UserClubName"), club);
    shared.SetSharedPreference(QStringLiteral("OWN_ADDRESS_NAME"), name, false);
    shared.SetSharedPreference(QStringLiteral("OWN_ADDRESS_Line1"), a1, false);
    shared.SetSharedPreference(QStringLiteral("OWN_ADDRESS_Line2"), a2, false);
    shared.SetSharedPreference(QStringLiteral("OWN_EMAIL"), mail, false);
    shared.SetSharedPreference(QStringLiteral("OWN_CLUB_NAME"), club, true);
}
