#include "links.h"
#include "core/endpoints.h"
#include <QHash>

namespace {
struct Target {
    const char *key;
    const char *page;   // appended to the key's address; "" = the address itself
};

QString joined(QString base, const char *page)
{
    if (!*page)
        return base;
    if (!base.endsWith(u'/'))
        base += u'/';
    return base + QLatin1String(page);
}
}

QString Links::addressFor(const QString &caption, const Endpoints &endpoints)
{
    static const QHash<QString, Target> table = {
        {QStringLiteral("Tietoa selaimesta"), {"maker_web", "selain.html"}},
        {QStringLiteral("Tietoa laskurista"), {"maker_web", "laskuri.html"}},
        {QStringLiteral("Viimeisimmät muutokset"), {"maker_web", "muutokset.html"}},
        {QStringLiteral("VSilmoittaja"), {"maker_web", "vsilmoittaja.html"}},
        {QStringLiteral("Palautetta"), {"maker_web", "palaute.html"}},
        {QStringLiteral("Postin hinnat"), {"posti_prices", ""}},
        {QStringLiteral("Lähetysten seuranta"), {"posti_tracking", ""}},
        {QStringLiteral("Matkahuolto paketit"), {"matkahuolto", ""}},
        {QStringLiteral("Myyjaosta"), {"auction_myyjaosta", ""}},
        {QStringLiteral("Systeemi"), {"auction_systeemi", ""}},
        {QStringLiteral("Tradera"), {"auction_tradera", ""}},
        {QStringLiteral("eBay"), {"auction_ebay", ""}},
    };
    const auto it = table.constFind(caption);
    if (it == table.cend())
        return {};
    const QString base = endpoints.value(QLatin1String(it->key)).trimmed();
    return base.isEmpty() ? QString() : joined(base, it->page);
}

QString Links::makerContact()
{
    return QStringLiteral("palaute@vsselain.fi");
}
