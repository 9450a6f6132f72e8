#include "pageaddress.h"

namespace PageAddress {

namespace {
bool has(const QString &address, const char *part)
{
    return address.contains(QLatin1String(part), Qt::CaseInsensitive);
}
}

bool isListingPage(const QString &address)
{
    const QString a = address.toLower();
    if (a.contains(QLatin1String("/haku")))
        return true;
    const int at = a.indexOf(QLatin1String("/osasto/"));
    if (at < 0)
        return false;
    const QString rest = a.mid(at + 8);
    const int slash = rest.indexOf(u'/');
    return slash >= 0 && rest.indexOf(u'/', slash + 1) > slash;
}

bool isMarketplacePage(const QString &address, const QString &domain)
{
    return !domain.isEmpty() && address.toLower().contains(domain.toLower());
}

bool isItemPage(const QString &address) { return has(address, "/kohteet/"); }
bool isNewListingForm(const QString &address) { return has(address, "uusi-ilmoitus"); }
bool isEditListingForm(const QString &address) { return has(address, "muokkaa-ilmoitusta"); }
bool isPreview(const QString &address) { return has(address, "/esikatsele/"); }
bool isOwnPage(const QString &address) { return has(address, "/omasivu/"); }
bool isWatchList(const QString &address) { return has(address, "omasivu/muistilista"); }
bool isForumThread(const QString &address) { return has(address, "/keskustelu") && has(address, "/show/"); }

}
