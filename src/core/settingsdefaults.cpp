#include "settingsdefaults.h"
#include "endpoints.h"
#include "paymenttemplates.h"
#include "settings.h"

namespace {
QString endpointOr(const Endpoints &e, const char *key, const QString &builtIn)
{
    const QString v = e.value(QString::fromLatin1(key));
    return v.isEmpty() ? builtIn : v;
}

const QLatin1String kCounterScript("laskuri.php");
const QLatin1String kRetiredCounterPath("/vsselain/laskuri.php");
}

QStringList SettingsDefaults::counterAddresses(const Endpoints &endpoints)
{
    QStringList out;
    for (int i = 1; i <= 3; ++i) {
        const QString key = QStringLiteral("counter%1").arg(i);
        const QString builtIn = QStringLiteral("http://laskuri%1.vsselain.test/laskuri.php").arg(i);
        out << endpointOr(endpoints, key.toLatin1().constData(), builtIn);
    }
    return out;
}

QString SettingsDefaults::ownServerHelpAddress(const Endpoints &endpoints)
{
    return endpointOr(endpoints, "own_server_help",
                      QStringLiteral("http://www.vsselain.test/omapalvelin.html"));
}

QString SettingsDefaults::vasarokuvaSiteAddress(const Endpoints &endpoints)
{
    return endpointOr(endpoints, "vasarokuva_site", QStringLiteral("http://www.vasarokuva.test/"));
}

Settings SettingsDefaults::builtIn(const Endpoints &endpoints, const QString &programFolder)
{
    Settings s;
    s.kotisivu = endpoints.webBase();
    s.serveri = counterAddresses(endpoints).value(0);
    s.ipohjat = programFolder;
    const PaymentTemplates t = builtInPaymentTemplates();
    s.myyd1 = t.myyd1;
    s.osto1 = t.osto1;
    s.myyd2 = t.myyd2;
    s.osto2 = t.osto2;
    return s;
}

void SettingsDefaults::applyStartupDefaults(Settings &s, const QString &programFolder)
{
    s.ipohjat = programFolder;
    s.PKK = false;
    s.muutakuva = true;
    s.poistamainokset = true;
    s.poistauutiset = true;
    s.poistafb = false;
    s.suljelehti = false;
    s.suodatinPath.clear();
    s.paivitysStored.clear();
    s.paivitysCurrent.clear();
}

void SettingsDefaults::restoreDefaults(Settings &s, const Endpoints &endpoints, const QString &dataFolder)
{
    s.Activex = false;
    s.skripti = true;
    s.PKK = false;
    s.pienet_kuvat = false;
    s.piilotapalkki = true;
    s.siirry = true;
    s.vasaroaika = true;
    s.tagit = 0;
    s.LS = true;
    s.muutakuva = true;
    s.Edit1 = QStringLiteral("800");
    s.Edit2 = QStringLiteral("600");
    s.Edit5 = QStringLiteral("60");
    s.Edit3 = QStringLiteral("1024");
    s.Edit4 = QStringLiteral("1500");
    s.omapalvelin.clear();
    s.hkts = false;
    s.aui = true;
    s.hktunnus.clear();
    s.hksalasana.clear();
    s.poistamainokset = true;
    s.poistauutiset = true;
    s.poistafb = false;
    s.suljelehti = false;
    s.Timer2 = true;
    s.muistutakirjanmerkeista = true;
    s.serveri = counterAddresses(endpoints).value(0);
    s.kotisivu = endpoints.webBase();
    s.ipohjat = dataFolder;
}

QString SettingsDefaults::counterAddressAtStartup(const QString &serveri, const QStringList &addresses,
                                                  int pick)
{
    if (addresses.isEmpty())
        return serveri;
    const QString lower = serveri.toLower();
    bool ours = lower.isEmpty() || lower.contains(kRetiredCounterPath);
    for (const QString &a : addresses) {
        QString folder = a.toLower();
        if (folder.endsWith(kCounterScript))
            folder.chop(kCounterScript.size());
        if (!folder.isEmpty() && lower.startsWith(folder))
            ours = true;
    }
    if (!ours)
        return serveri;
    const int n = int(addresses.size());
    return addresses[((pick % n) + n) % n];
}
