#include "browser/tabs/tabrules.h"
#include "client/urlscheme.h"

namespace {
const QString kOpening = QStringLiteral("Avataan..");
constexpr int kLongestWholeTitle = 27;
constexpr int kCutTitleLength = 25;
constexpr int kHistorySize = 25;
}

QString TabRules::captionFor(const QString &title)
{
    const QString lower = title.toLower();
    if (lower.contains(QStringLiteral("ilmoita uusi kohde")))
        return QStringLiteral("Uusi kohde..");
    if (title.isEmpty() || lower.contains(QStringLiteral("about:blank")))
        return kOpening;
    if (title.size() > kLongestWholeTitle)
        return title.left(kCutTitleLength) + QStringLiteral("..");
    return title;
}

bool TabRules::isBlank(const QString &url)
{
    return url.compare(QLatin1String("about:blank"), Qt::CaseInsensitive) == 0;
}

bool TabRules::addressBoxAccepts(const QString &url)
{
    return !url.toLower().startsWith(QStringLiteral("javascript"));
}

bool TabRules::refreshNavigatesAgain(const QString &addressText, const QString &domain)
{
    return !domain.isEmpty() && addressText.toLower().contains(domain.toLower());
}

QString TabRules::favouriteButtonCaption(const QString &address)
{
    if (UrlScheme::isSearchResult(address))
        return QStringLiteral("Lisää suosikkihakuihin");
    if (UrlScheme::isItemPage(address))
        return QStringLiteral("Lisää suosikkimyyjiin");
    return QString();
}

bool TabRules::typedTextGoesToHistory(const QString &text, int listCount)
{
    return listCount < kHistorySize && !text.contains(u':') && text.contains(u'.');
}
