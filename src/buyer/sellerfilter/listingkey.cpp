#include "buyer/sellerfilter/listingkey.h"
#include "client/urlscheme.h"

namespace ListingKey {

bool isCard(const QString &lowerHtml)
{
    return lowerHtml.contains(QLatin1String("grid-element-title"))
        && lowerHtml.contains(PathWord::kohdesivu)
        && !lowerHtml.contains(QLatin1String("grid-element-container"));
}

static QString cleaned(const QString &html)
{
    QString out;
    out.reserve(html.size());
    for (const QChar c : html) {
        if (c != u'\r' && c != u'\n' && c != u'\t' && c != u'"')
            out.append(c);
    }
    return out;
}

static QString slugOf(const QString &text)
{
    const QString marker = PathWord::kohdesivu;
    const int at = text.indexOf(marker);
    if (at < 0)
        return QString();
    const int from = at + marker.size();
    const int end = text.indexOf(u'/', from);
    return end < 0 ? QString() : text.mid(from, end - from);
}

static QString priceOf(const QString &text)
{
    static const QString buyNow = QStringLiteral("price-buyNow>");
    static const QString auction = QStringLiteral("price-auction>");
    int at = text.indexOf(buyNow);
    int from = at + buyNow.size();
    if (at < 0) {
        at = text.indexOf(auction);
        from = at + auction.size();
    }
    if (at < 0)
        return QString();
    const int comma = text.indexOf(u',', from);
    return comma < 0 ? text.mid(from, 2) : text.mid(from, comma - from + 3);
}

QString avain(const QString &innerHtml)
{
    const QString text = cleaned(innerHtml);
    return slugOf(text) + priceOf(text);
}

bool isUsable(const QString &key)
{
    return key.size() >= kMinUsableLength;
}

QString withoutStamp(const QString &entry)
{
    const int at = entry.lastIndexOf(QLatin1String(":4"));
    return at < 0 ? entry : entry.left(at);
}

}
