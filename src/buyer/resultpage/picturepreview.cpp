#include "buyer/resultpage/picturepreview.h"
#include "browser/engine/document.h"
#include "client/jsonscan.h"
#include "client/strutil.h"
#include "client/urlscheme.h"

namespace PicturePreview {

namespace {
const QString kMedium = QStringLiteral("-m.jpg");
const QString kPictureHost = QStringLiteral("://kuvat");
const QString kSellerMember = QStringLiteral("\"seller\":");
constexpr int kScrollBar = 20;
// The listing's link sits at most three levels above its picture.
constexpr int kLinkLevels = 3;

QString lower(const Element &element)
{
    return element.outerHTML().toLower();
}
} // namespace

bool isListingPicture(const QString &outerHtml)
{
    const QString html = outerHtml.toLower();
    return (html.contains(QLatin1String("eikuvaa_140")) || html.contains(QLatin1String("-s.jpg")))
        && !html.contains(QLatin1String("row-fluid item")) && !html.contains(QLatin1String("<div"));
}

bool onPage(const QPoint &client, const QSize &browserSize)
{
    return client.x() >= 0 && client.x() + kScrollBar <= browserSize.width() && client.y() >= 0
        && client.y() < browserSize.height();
}

QPoint pagePoint(const QPoint &client, double zoomPercent)
{
    if (zoomPercent < 1)
        zoomPercent = 100;
    return QPoint(int(client.x() * 100 / zoomPercent), int(client.y() * 100 / zoomPercent));
}

Hit pikkukuva(Document &document, const QPoint &client, const QSize &browserSize, double zoomPercent)
{
    Hit result;
    if (!onPage(client, browserSize) || !document.isHtml())
        return result;
    const QPoint at = pagePoint(client, zoomPercent);
    const Element picture = document.elementFromPoint(at.x(), at.y(), Document::OuterHtml);
    if (picture.isNull() || !isListingPicture(picture.data().outerHTML))
        return result;
    result.hit = true;
    Element link = picture.parentElement();
    QString html = lower(link);
    for (int level = 1; level < kLinkLevels && !UrlScheme::isItemPage(html); ++level) {
        link = link.parentElement();
        html = lower(link);
    }
    // Only digits go into the API address built from it.
    const QString number = StrUtil::palautaitemid(html);
    if (!number.isEmpty() && StrUtil::leadingDigits(number) == number)
        result.itemNumber = number;
    return result;
}

QString renameSellerAddress(const QString &answer)
{
    const int first = answer.indexOf(kSellerMember, 0, Qt::CaseInsensitive);
    if (first < 0 || answer.indexOf(kSellerMember, first + 1, Qt::CaseInsensitive) < 0)
        return answer;
    QString renamed = answer;
    renamed.replace(first, kSellerMember.size(), QStringLiteral("\"sellerurl\":"));
    return renamed;
}

QString pictureAddress(const QString &answer, bool *hasPicture)
{
    const int medium = answer.lastIndexOf(kMedium);
    if (hasPicture)
        *hasPicture = medium >= 0;
    if (medium < 0)
        return QString();
    // The name's closing quote goes with it; an answer cut right after the
    // name still names the whole picture.
    QString text = answer.left(medium + kMedium.size() + 1);
    if (text.size() == medium + kMedium.size())
        text += u'"';
    const int host = text.lastIndexOf(kPictureHost);
    if (host >= 0)
        text = text.mid(host, text.size() - 1 - host);
    return text.startsWith(u':') ? QStringLiteral("http") + text : QString();
}

Info fromAnswer(const QString &answer, const std::function<QString()> &latestBidder)
{
    using JsonScan::avaajson;
    const QString text = renameSellerAddress(answer);
    Info info;
    info.pictureUrl = pictureAddress(text, &info.hasPicture);
    info.ek1 = QStringLiteral("Myyjä: ") + avaajson(text, QStringLiteral("seller")) + QStringLiteral("   ")
        + avaajson(text, QStringLiteral("postalCode")) + u' ' + avaajson(text, QStringLiteral("location"));
    info.ek4 = QStringLiteral("Osasto: ")
        + avaajson(avaajson(text, QStringLiteral("subCategory")), QStringLiteral("name"));
    // A count that closes its object reads as "0}" and still means no bids.
    const QString bids = StrUtil::leadingDigits(avaajson(text, QStringLiteral("bidderCount")));
    info.ek5 = QStringLiteral("Huutaja: ") + (bids == QLatin1String("0") ? QStringLiteral("-") : latestBidder());
    const QString delivery = avaajson(text, QStringLiteral("deliveryPrice"));
    info.ek3 = QStringLiteral("Toimituskulut: ")
        + (delivery.isEmpty() ? QStringLiteral("-") : JsonScan::lisaa_desimaalit(delivery));
    return info;
}

} // namespace PicturePreview
