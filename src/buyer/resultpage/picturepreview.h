#pragma once
// The picture-click preview of a result page: which press hits a listing's
// picture, which listing it is, and what the item's API answer puts into the
// preview panel. No widgets here; ResultPageTools shows the result.
#include <QPoint>
#include <QSize>
#include <QString>
#include <functional>

class Document;

namespace PicturePreview {

// A listing picture of a result page: its outer HTML names the small picture
// ("-s.jpg") or the no-picture image ("eikuvaa_140") and is not a whole card
// (no "row-fluid item", no "<div").
bool isListingPicture(const QString &outerHtml);

// Whether a point in the browser's client coordinates lies on the page: not
// left of or below it, and not on the 20-pixel scroll bar at the right.
bool onPage(const QPoint &client, const QSize &browserSize);

// The page point (CSS pixels) under a client point at the zoom the page is
// shown with, in percent; below 1 counts as 100.
QPoint pagePoint(const QPoint &client, double zoomPercent);

// The listing under a press: `hit` is false when the press is not on a
// listing picture; `itemNumber` is empty when the picture's link names no
// item (the press is still the preview's).
struct Hit {
    bool hit = false;
    QString itemNumber;
};
Hit pikkukuva(Document &document, const QPoint &client, const QSize &browserSize, double zoomPercent);

// What one item's API answer (already unescaped) puts into the panel.
struct Info {
    bool hasPicture = false;   // "-m.jpg" occurred: the panel opens
    QString pictureUrl;        // "" when no address could be made
    QString ek1;               // seller, postal code, location
    QString ek3;               // delivery price
    QString ek4;               // category
    QString ek5;               // latest bidder
};
// `latestBidder` is asked only when the item has bids.
Info fromAnswer(const QString &answer, const std::function<QString()> &latestBidder);

// The member "seller" names the seller's API address before it names the
// seller: when it occurs twice, the first becomes "sellerurl".
QString renameSellerAddress(const QString &answer);
// The medium-size picture's address, "" when there is none.
QString pictureAddress(const QString &answer, bool *hasPicture);

} // namespace PicturePreview
