// The string helpers of marketplace parsing, the URL helpers of the transport
// and the address scheme, each against a plain reading of what it promises.
#include "client/httputil.h"
#include "client/strutil.h"
#include "client/urlscheme.h"
#include "fuzzsupport.h"
#include <QStringDecoder>
#include <QUrl>
#include <climits>
#include <cmath>

namespace {
bool allDigits(const QString &text)
{
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

int lastPosition(const QString &sub, const QString &text)
{
    if (sub.isEmpty())
        return 0;
    for (qsizetype i = text.size() - sub.size(); i >= 0; --i) {
        if (QStringView(text).mid(i, sub.size()) == sub)
            return int(i) + 1;
    }
    return 0;
}

int wholeNumber(const QString &text)
{
    const QString t = text.trimmed();
    qsizetype i = t.startsWith(u'+') || t.startsWith(u'-') ? 1 : 0;
    if (i == t.size())
        return -1;
    qint64 value = 0;
    for (; i < t.size(); ++i) {
        if (t.at(i) < u'0' || t.at(i) > u'9')
            return -1;
        value = value * 10 + (t.at(i).unicode() - u'0');
        if (value > qint64(INT_MAX) + 1)
            return -1;
    }
    value = t.startsWith(u'-') ? -value : value;
    return value >= INT_MIN && value <= INT_MAX ? int(value) : -1;
}

void checkStrings(const QString &a, const QString &b, int from)
{
    FUZZ_CHECK(StrUtil::copyfrom(a, from) == a.mid(qMax(from, 1) - 1));
    const QString kept = StrUtil::suodatamerkit(a, b);
    for (const QChar c : kept)
        FUZZ_CHECK(!b.contains(c));
    FUZZ_CHECK(StrUtil::ansiposrev(b, a) == lastPosition(b, a));
    FUZZ_CHECK(StrUtil::kokonaisluvuksi(a) == wholeNumber(a));
    const double d = StrUtil::desimaaliluvuksi(a);
    FUZZ_CHECK(d == -1.0 || std::isfinite(d));
    FUZZ_CHECK(StrUtil::validitemid(a) == (a.size() >= 8 && allDigits(a)));
    const QString lead = StrUtil::leadingDigits(a);
    FUZZ_CHECK(allDigits(lead) && a.startsWith(lead));
    FUZZ_CHECK(lead.size() == a.size() || !allDigits(a.mid(lead.size(), 1)));
    StrUtil::palautaitemid(a);
    const QString digits = StrUtil::leadingDigits(b);
    FUZZ_CHECK(allDigits(StrUtil::palauta_api_itemid(a)));
    // Without other slashes the marker is the one written.
    QString unslashed = a;
    unslashed.remove(u'/');
    FUZZ_CHECK(StrUtil::palauta_api_itemid(unslashed + QStringLiteral("/items/") + digits + QStringLiteral("/bids"))
               == digits);
}

void checkTransport(const QByteArray &bytes)
{
    const QString encoded = HttpUtil::HTTPEncodeBytes(bytes);
    for (const QChar c : encoded)
        FUZZ_CHECK(c.unicode() > 0x20 && c.unicode() < 0x7F);
    QByteArray plus = encoded.toLatin1();
    plus.replace('+', ' ');
    FUZZ_CHECK(QByteArray::fromPercentEncoding(plus) == bytes);
    HttpUtil::korjaautf8(bytes);
    HttpUtil::korjaaaakkoset(bytes);
    const QString text = HttpUtil::marketplaceText(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString strict = utf8.decode(bytes);
    if (!utf8.hasError() && !bytes.contains('\xC2'))
        FUZZ_CHECK(text == strict);
}

void checkAddresses(const QString &address)
{
    static const QString domain = QStringLiteral("vasaro.test");
    const QUrl url(address);
    if (UrlScheme::isMarketplaceHost(url, domain)) {
        QString host = url.host().toLower();
        if (host.endsWith(u'.'))
            host.chop(1);
        FUZZ_CHECK(host == domain || host.endsWith(QStringLiteral(".vasaro.test")));
    }
    if (UrlScheme::isSignInTarget(url, domain) || !UrlScheme::legacyQuickSearchCommand(url, domain).isEmpty())
        FUZZ_CHECK(UrlScheme::isMarketplaceHost(url, domain));
    const QString item = UrlScheme::fromItemWord(address);
    FUZZ_CHECK(item.isEmpty() || item.startsWith(QLatin1String("kohteet/"), Qt::CaseInsensitive));
    UrlScheme::isListingPage(address);
    UrlScheme::isNewListingFormShown(address);
    UrlScheme::isForumThread(address);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Fuzz::Input in(data, size);
    const bool raw16 = in.mode() & 1;
    const QString a = raw16 ? in.utf16(1) : in.utf8(1);
    const QString b = raw16 ? in.utf16(2) : in.utf8(2);
    checkStrings(a, b, int(qint8(in.mode())));
    checkTransport(in.bytes(1));
    checkAddresses(a);
    return 0;
}
