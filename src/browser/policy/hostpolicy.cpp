#include "browser/policy/hostpolicy.h"
#include "core/settings.h"

namespace {
// Advertising, analytics and tracking services. The eight path-like entries
// catch the marketplace's own ad and tracking scripts and ad folders anywhere.
const QStringList kListA = {
    QStringLiteral("doubleclick.net"),
    QStringLiteral("googlesyndication.com"),
    QStringLiteral("googleadservices.com"),
    QStringLiteral("adnxs.com"),
    QStringLiteral("adform.net"),
    QStringLiteral("rubiconproject.com"),
    QStringLiteral("googletagmanager.com"),
    QStringLiteral("tagcommander.com"),
    QStringLiteral("google-analytics.com"),
    QStringLiteral("scorecardresearch.com"),
    QStringLiteral("optimizely.com"),
    QStringLiteral("hotjar.com"),
    QStringLiteral("s3.amazonaws.com"),
    QStringLiteral("vasaro/tmv11.js"),
    QStringLiteral("/fi/js/zig.js"),
    QStringLiteral("/js/hise.js"),
    QStringLiteral("/js/lazyad.js"),
    QStringLiteral("/analytic/spring.js"),
    QStringLiteral("/static."),
    QStringLiteral("/adsense/"),
    QStringLiteral("/ads/"),
};
// Social plug-in scripts.
const QStringList kListB = {
    QStringLiteral("connect.facebook.net"),
};
// Always blocked: advertising, tracking, survey, recommendation,
// content-delivery and social-widget services.
const QStringList kListC = {
    QStringLiteral("adsrvr.org"),
    QStringLiteral("quantserve.com"),
    QStringLiteral("surveymonkey.com"),
    QStringLiteral("outbrain.com"),
    QStringLiteral("taboola.com"),
    QStringLiteral("cdn.viglink.com"),
    QStringLiteral("addthis.com"),
    QStringLiteral("sharethis.com"),
};
// Replaced by the empty page (lower-case tests).
const QStringList kNewsReplace = {QStringLiteral("static.ilcdn.fi"), QStringLiteral("promobox")};
const QStringList kAdReplace = {
    QStringLiteral("hintaopas.fi/affiliate/"),
    QStringLiteral(".admeta"),
    QStringLiteral("emediate."),
    QStringLiteral("adtech."),
};

const QLatin1String kFbPlugins("facebook.com/plugins/");
const QLatin1String kPlusOne("plusone.google.com");
const QLatin1String kTwitterWidgets("platform.twitter.com/widgets");

bool containsAny(const QString &text, const QStringList &list)
{
    for (const QString &entry : list)
        if (text.contains(entry))
            return true;
    return false;
}

// Bits of the lists in a matcher built from them one after another.
std::uint64_t bits(int from, qsizetype count)
{
    return ((std::uint64_t(1) << count) - 1) << from;
}

const std::uint64_t kBitsA = bits(0, kListA.size());
const std::uint64_t kBitsB = bits(int(kListA.size()), kListB.size());
const std::uint64_t kBitsC = bits(int(kListA.size() + kListB.size()), kListC.size());

enum ReplaceEntry { FbPlugins, PlusOne, TwitterWidgets, Domain, WwwHost, FirstNews };
const std::uint64_t kBitsNews = bits(FirstNews, kNewsReplace.size());
const std::uint64_t kBitsAd = bits(int(FirstNews + kNewsReplace.size()), kAdReplace.size());

QStringList replaceEntries(const QString &domain, const QString &wwwHost)
{
    return QStringList{kFbPlugins, kPlusOne, kTwitterWidgets, domain, wwwHost} + kNewsReplace + kAdReplace;
}

bool has(std::uint64_t hits, int entry)
{
    return hits & (std::uint64_t(1) << entry);
}
}

HostPolicy::HostPolicy(const Settings *settings, const QString &domain, const QString &wwwHost)
    : m_settings(settings),
      m_domain(domain.toLower()),
      m_wwwHost(wwwHost.toLower()),
      m_blockLists(kListA + kListB + kListC, SubstringMatcher::Case::Sensitive),
      m_replaceLists(replaceEntries(m_domain, m_wwwHost), SubstringMatcher::Case::AsciiInsensitive)
{
}

bool HostPolicy::blocks(const QString &url) const
{
    const std::uint64_t hits = m_blockLists.find(url);
    if (hits & kBitsC)
        return true;
    if (m_settings->poistamainokset && (hits & kBitsA))
        return true;
    return m_settings->poistafb && (hits & kBitsB);
}

bool HostPolicy::replaces(const QString &url) const
{
    // Lower-casing a character beyond ASCII can give an ASCII letter (the
    // Kelvin sign gives "k"): such an address takes the long way.
    if (!m_replaceLists.usable() || !SubstringMatcher::isAscii(url))
        return replacesByLowerCase(url);
    const std::uint64_t hits = m_replaceLists.find(url);
    if (m_settings->poistauutiset && (hits & kBitsNews))
        return true;
    if (m_settings->poistafb) {
        if (has(hits, FbPlugins) && !m_domain.isEmpty() && has(hits, Domain))
            return true;
        if (has(hits, PlusOne) && !m_wwwHost.isEmpty() && has(hits, WwwHost))
            return true;
        if (has(hits, TwitterWidgets))
            return true;
    }
    return m_settings->poistamainokset && (hits & kBitsAd);
}

bool HostPolicy::replacesByLowerCase(const QString &url) const
{
    const QString u = url.toLower();
    if (m_settings->poistauutiset && containsAny(u, kNewsReplace))
        return true;
    if (m_settings->poistafb) {
        if (u.contains(kFbPlugins) && !m_domain.isEmpty() && u.contains(m_domain))
            return true;
        if (u.contains(kPlusOne) && !m_wwwHost.isEmpty() && u.contains(m_wwwHost))
            return true;
        if (u.contains(kTwitterWidgets))
            return true;
    }
    return m_settings->poistamainokset && containsAny(u, kAdReplace);
}

QString HostPolicy::replacementScheme() { return QStringLiteral("vsabout"); }

QUrl HostPolicy::replacementUrl() { return QUrl(QStringLiteral("vsabout:-")); }

bool HostPolicy::swallowsMessage(const QString &text, MessageKind kind)
{
    const QString t = text.toLower();
    if (t.contains(QLatin1String("julkaistavaksi")))
        return true;
    return kind == MessageKind::Alert && t.contains(QLatin1String("activex"));
}

HostPolicy::DownloadOptions HostPolicy::downloadOptions(const Settings &settings, bool approveMode)
{
    DownloadOptions o;
    const bool images = settings.naytakuvat && !approveMode;
    o.flags |= images ? 0x10 : 0x4000;
    const bool activex = settings.Activex && !approveMode;
    o.flags |= activex ? 0x60 : 0x660;
    const bool scripts = settings.skripti && !approveMode;
    if (!scripts)
        o.flags |= 0x80;
    o.images = images;
    o.cache = images;
    o.plugins = activex;
    o.scripts = scripts;
    return o;
}

HostPolicy::DownloadOptions HostPolicy::auxiliaryOptions()
{
    DownloadOptions o;
    o.flags = 22400;
    o.images = false;
    o.scripts = false;
    o.plugins = false;
    o.cache = false;
    return o;
}

