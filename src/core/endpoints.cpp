#include "endpoints.h"
#include <QFile>
#include <QTextStream>

Endpoints::Endpoints()
{
    m_values = {
        {QStringLiteral("web_base"), QStringLiteral("https://www.vasaro.fi/")},
        {QStringLiteral("domain"), QStringLiteral("vasaro.fi")},
        {QStringLiteral("api_base"), QStringLiteral("https://api.vasaro.fi/1.1/")},
        {QStringLiteral("proxy"), QString()},
        {QStringLiteral("maker_web"), QStringLiteral("https://www.vsselain.fi/")},
        {QStringLiteral("reminder_service"), QStringLiteral("https://www.vsselain.fi/ajastus/add.php")},
        {QStringLiteral("posti_prices"), QStringLiteral("https://www.posti.fi/fi/hinnat")},
        {QStringLiteral("posti_tracking"), QStringLiteral("https://www.posti.fi/fi/seuranta")},
        {QStringLiteral("matkahuolto"), QStringLiteral("https://www.matkahuolto.fi/yksityisasiakkaat")},
        {QStringLiteral("auction_myyjaosta"), QStringLiteral("https://www.myyjaosta.com/")},
        {QStringLiteral("auction_systeemi"), QStringLiteral("https://www.systeemi.fi/")},
        {QStringLiteral("auction_tradera"), QStringLiteral("https://www.tradera.com/")},
        {QStringLiteral("auction_ebay"), QStringLiteral("https://www.ebay.de/")},
        {QStringLiteral("imgur_root"), QStringLiteral("https://imgur.com/")},
        {QStringLiteral("imgur_image_root"), QStringLiteral("https://i.imgur.com/")},
        {QStringLiteral("aijaa_root"), QStringLiteral("https://aijaa.com/")},
        {QStringLiteral("vasarokuva_root"), QStringLiteral("https://www.vasarokuva.fi/")},
    };
}

Endpoints Endpoints::fromEnvironment()
{
    Endpoints e;
    const QString path = qEnvironmentVariable("VSSELAIN_ENDPOINTS");
    if (!path.isEmpty())
        e.loadOverrides(path);
    return e;
}

void Endpoints::loadOverrides(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#') || line.startsWith(u';') || line.startsWith(u'['))
            continue;
        const int eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        m_values.insert(line.left(eq).trimmed(), line.mid(eq + 1).trimmed());
    }
}

QString Endpoints::value(const QString &key) const
{
    return m_values.value(key);
}

void Endpoints::set(const QString &key, const QString &value)
{
    m_values.insert(key, value);
}
