#include "buyer/watchlist/watchlistpage.h"
#include "client/strutil.h"

namespace WatchListPage {

namespace {
const QString kClosingMark = QStringLiteral("class=closing>");
const QString kTimeMarker = QStringLiteral("sulkeutumisaika");

// The mark sits on a heading cell (a "th", or anything inside "thead"):
// the table's heading row names the columns and holds no listing.
bool inHeading(const QString &page, int mark)
{
    const int tag = page.lastIndexOf(u'<', mark);
    if (tag >= 0 && page.mid(tag + 1, 3).compare(QLatin1String("th "), Qt::CaseInsensitive) == 0)
        return true;
    const int head = page.lastIndexOf(QLatin1String("<thead"), mark, Qt::CaseInsensitive);
    return head >= 0 && page.lastIndexOf(QLatin1String("</thead"), mark, Qt::CaseInsensitive) < head;
}

// The text of the element after the last time marker before `mark`.
QString timeBefore(const QString &page, int mark)
{
    const QString before = page.left(mark);
    const int marker = before.lastIndexOf(kTimeMarker);
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

bool hasDigit(const QString &text)
{
    for (const QChar c : text)
        if (c.isDigit())
            return true;
    return false;
}
} // namespace

// A closing time always has digits in it: a column heading ("Sulkeutumisaika")
// read in its place is no time, and the next mark is tried.
QString closingTime(const QString &html)
{
    const QString page = StrUtil::suodatamerkit(html, QStringLiteral("\"\r\n\t'"));
    for (int mark = page.indexOf(kClosingMark); mark >= 0; mark = page.indexOf(kClosingMark, mark + 1)) {
        if (inHeading(page, mark))
            continue;
        QString time = timeBefore(page, mark);
        if (hasDigit(time))
            return time;
    }
    return {};
}

QString alertText(const QString &closingTime)
{
    return QStringLiteral("Muistilistassa oleva kohde sulkeutuu ") + closingTime;
}

} // namespace WatchListPage
