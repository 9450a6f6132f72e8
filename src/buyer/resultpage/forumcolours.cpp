#include "buyer/resultpage/forumcolours.h"
#include "browser/engine/document.h"

namespace ForumColours {

namespace {
const QString kGreen = QStringLiteral("GREEN");
const QString kOlive = QStringLiteral("OLIVE");

QString dayText(const QDate &date)
{
    return date.toString(QStringLiteral("dd.MM"));
}

QString fontOpen(const QString &colour)
{
    return QStringLiteral("<font color=\"%1\">").arg(colour);
}
} // namespace

Days days(const QDate &today)
{
    return {dayText(today), dayText(today.addDays(-1))};
}

QString colouredHeader(const QString &innerHtml, const Days &days)
{
    if (!innerHtml.toLower().contains(QLatin1String("kirjoitettu:")))
        return QString();
    const QString close = QStringLiteral("</font>");
    if (innerHtml.contains(days.today))
        return fontOpen(kGreen) + innerHtml + close;
    if (innerHtml.contains(days.yesterday))
        return fontOpen(kOlive) + innerHtml + close;
    return QString();
}

QString colouredTime(const QString &outerHtml, const Days &days)
{
    if (!outerHtml.toLower().contains(QLatin1String("message-time")))
        return QString();
    for (const auto &[day, colour] : {std::pair{days.today, kGreen}, std::pair{days.yesterday, kOlive}}) {
        const int at = outerHtml.indexOf(day);
        if (at < 0)
            continue;
        QString html = outerHtml;
        html.replace(at, day.size(), QStringLiteral("<b>") + fontOpen(colour) + day + QStringLiteral("</font></b>"));
        return html;
    }
    return QString();
}

void keskustelupalsta(Document &document, const QDate &today)
{
    if (!document.isHtml() || !today.isValid())
        return;
    const Days d = days(today);
    const QList<Element> divs =
        document.getElementsByTagName(QStringLiteral("div"), Document::InnerHtml | Document::OuterHtml);
    for (int i = int(divs.size()) - 1; i >= 0; --i) {
        const Element &div = divs.at(i);
        const QString inner = div.data().innerHTML;
        if (inner.contains(QLatin1String("<div"), Qt::CaseInsensitive))
            continue;
        QString outer = div.data().outerHTML;
        const QString header = colouredHeader(inner, d);
        if (!header.isEmpty()) {
            div.setInnerHTML(header);
            outer = div.outerHTML();
        }
        const QString time = colouredTime(outer, d);
        if (!time.isEmpty())
            div.setOuterHTML(time);
    }
}

} // namespace ForumColours
