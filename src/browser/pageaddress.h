#pragma once
// Address tests of the page pipeline. All are substring tests on the
// lower-cased address.
#include <QString>

namespace PageAddress {
// "/haku" anywhere, or a category listing "/osasto/" + name + "/" + number + "/".
bool isListingPage(const QString &address);
bool isMarketplacePage(const QString &address, const QString &domain);
bool isItemPage(const QString &address);          // "/kohteet/"
bool isNewListingForm(const QString &address);    // "uusi-ilmoitus"
bool isEditListingForm(const QString &address);   // "muokkaa-ilmoitusta"
bool isPreview(const QString &address);           // "/esikatsele/"
bool isOwnPage(const QString &address);           // "/omasivu/"
bool isWatchList(const QString &address);         // "omasivu/muistilista"
bool isForumThread(const QString &address);       // "/keskustelu" and "/show/"
}
