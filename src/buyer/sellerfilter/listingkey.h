#pragma once
// Listing cards of the marketplace's result and category pages, and the key
// the seller filter keeps for a listing: its title slug followed by its price
// as displayed. Cards carry no seller name, so the key is all there is.
#include <QString>

namespace ListingKey {

// Shorter keys never hide anything and are not kept.
constexpr int kMinUsableLength = 6;

// A card: lower-cased inner HTML with "grid-element-title" and "/kohteet/",
// without "grid-element-container" (the wrapper of a whole grid entry).
bool isCard(const QString &lowerHtml);

// The key of a card, from its inner HTML (case unchanged): line breaks, tabs
// and double quotes removed, then the slug after the first "/kohteet/" up to
// the next "/", then the price after "price-buyNow>" (else "price-auction>")
// up to and including the first "," and two more characters (the first two
// characters when no "," follows).
QString avain(const QString &innerHtml);

bool isUsable(const QString &key);

// The part of a filter entry before its last ":4" (the day stamp); the whole
// entry when it has none.
QString withoutStamp(const QString &entry);

}
