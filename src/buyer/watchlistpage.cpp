#include "buyer/watchlistpage.h"
#include "client/strutil.h"

namespace WatchListPage {

QString closingTime(const QString &html)
{
    const QString page = StrUtil::suodatamerkit(html, QStringLiteral("\"\r\n\t'"));
    const int closing = page.indexOf(QLatin1String("class=closing>"));
    if (closing < 0)
        return {};
    const QString before = page.left(closing);
    const int marker = before.lastIndexOf(QLatin1String("sulkeutumisaika"));
    if (marker < 0)
        return {};
    const int open = before.indexOf(u'<', marker);
    if (open < 0)
        return {};
    const int close = before.indexOf(u'>', open);
    if (close < 0)
        return {};
    const int end = before.indexOf(u'<', close);
    // The time's own element ends before the closing mark, or the mark's
    // tag itself ends the text.
    return end < 0 ? before.mid(close + 1) : before.mid(close + 1, end - close - 1);
}

QString alertText(const QString &closingTime)
{
    return QStringLiteral("Muistilistassa oleva kohde sulkeutuu ") + closingTime;
}

} // namespace WatchListPage
