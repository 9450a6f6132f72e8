#include "browser/policy/contextmenupolicy.h"
#include "client/urlscheme.h"

namespace ContextMenuPolicy {

namespace {
quint32 bits(std::initializer_list<int> items)
{
    quint32 mask = 0;
    for (int i : items)
        mask |= 1u << i;
    return mask;
}

quint32 range(int from, int to)
{
    quint32 mask = 0;
    for (int i = from; i <= to; ++i)
        mask |= 1u << i;
    return mask;
}

QString squeezed(const QString &html)
{
    QString out;
    out.reserve(html.size());
    for (const QChar c : html.toLower())
        if (c != u' ' && c != u'\r' && c != u'\n' && c != u'\t')
            out += c;
    return out;
}

Decision ownSalesMenu(const Input &in, const QString &s)
{
    Decision d;
    d.menu = Menu::Link;
    const LinkUnderMouse link = in.linkUnderMouse ? in.linkUnderMouse() : LinkUnderMouse();
    d.linkAddress = link.href.isEmpty() ? s : link.href;
    const QString html = squeezed(link.parentHtml);
    d.visible = bits({0, 1});
    if (html.contains(QLatin1String(">julkaistu")))
        d.visible |= bits({4});
    if (html.contains(QLatin1String(">eimyyty")) || html.contains(QLatin1String(">myyty")))
        d.visible |= bits({2, 5, 6});
    return d;
}
}

Decision decide(const Input &in)
{
    const QString s = in.statusText.toLower();
    const QString a = in.addressText.toLower();
    Decision d;
    // 1. A field of the user's own item page.
    // (the page links to its own edit-listing form)
    if (in.kind == KindControl && UrlScheme::isItemPage(a) && in.bodyHtml
        && UrlScheme::isEditListingForm(in.bodyHtml())) {
        d.menu = Menu::Page;
        d.visible = range(6, 16) & in.pageItemsAvailable;
        d.restoreAfter = true;
        return d;
    }
    const bool form = UrlScheme::isNewListingForm(a) || UrlScheme::isEditListingForm(a);
    if (!form) {
        // 2.1 Only item links get the program's link menu.
        if (!(in.kind == KindLink && UrlScheme::isItemPage(s)))
            return d;
        if (UrlScheme::isOwnSales(a)) {
            d = ownSalesMenu(in, s);
        } else {
            d.menu = Menu::Link;
            d.linkAddress = in.statusText;
            d.visible = bits({0, 1});
            if (UrlScheme::isListingPage(a))
                d.visible |= bits({3});
            if (in.signedIn)
                d.visible |= bits({8});
        }
        d.visible &= in.linkItemsAvailable;
        return d;
    }
    // 3. The new-listing and edit-listing forms.
    d.menu = Menu::Page;
    d.visible = listingFormItems(in.templateSaved, in.pageItemsAvailable);
    d.restoreAfter = true;
    return d;
}

quint32 listingFormItems(bool templateSaved, quint32 available)
{
    quint32 visible = range(1, 3) | range(5, 16);
    if (templateSaved)
        visible |= bits({4});
    return visible & available;
}

bool isListingEditor(const QString &outerHtml)
{
    const QString html = outerHtml.toLower();
    return html.contains(QLatin1String("iframe")) && html.contains(QLatin1String("tekstieditori"))
        && !html.contains(QLatin1String("<td"));
}

QPoint pagePoint(const QPoint &viewPos, int zoomPercent)
{
    if (zoomPercent <= 0)
        return viewPos;
    return QPoint(viewPos.x() * 100 / zoomPercent, viewPos.y() * 100 / zoomPercent);
}

QString linkCommandAddress(const QString &statusText, const QString &menuAddress)
{
    return statusText.contains(u'/') ? statusText : menuAddress;
}

}
