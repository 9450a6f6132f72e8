#include "links.h"
#include <QHash>

QString Links::addressFor(const QString &caption)
{
    static const QHash<QString, QString> table = {
        {QStringLiteral("Tietoa selaimesta"), QStringLiteral("https://www.vsselain.fi/selain.html")},
        {QStringLiteral("Tietoa laskurista"), QStringLiteral("https://www.vsselain.fi/laskuri.html")},
        {QStringLiteral("Viimeisimmät muutokset"), QStringLiteral("https://www.vsselain.fi/muutokset.html")},
        {QStringLiteral("VSilmoittaja"), QStringLiteral("https://www.vsselain.fi/vsilmoittaja.html")},
        {QStringLiteral("Palautetta"), QStringLiteral("https://www.vsselain.fi/palaute.html")},
        {QStringLiteral("Postin hinnat"), QStringLiteral("https://www.posti.fi/fi/hinnat")},
        {QStringLiteral("Lähetysten seuranta"), QStringLiteral("https://www.posti.fi/fi/seuranta")},
        {QStringLiteral("Matkahuolto paketit"), QStringLiteral("https://www.matkahuolto.fi/yksityisasiakkaat")},
        {QStringLiteral("Myyjaosta"), QStringLiteral("https://www.myyjaosta.com/")},
        {QStringLiteral("Systeemi"), QStringLiteral("https://www.systeemi.fi/")},
        {QStringLiteral("Tradera"), QStringLiteral("https://www.tradera.com/")},
        {QStringLiteral("eBay"), QStringLiteral("https://www.ebay.de/")},
    };
    return table.value(caption);
}

QString Links::makerContact()
{
    return QStringLiteral("palaute@vsselain.fi");
}
