// The kept-cookie file. Any file gives only lasting cookies, and the cookies
// written back read again the same.
#include "browser/policy/cookiefile.h"
#include "fuzzsupport.h"
#include "ledgerfuzz.h"

namespace {
bool same(const QNetworkCookie &a, const QNetworkCookie &b)
{
    return a.domain() == b.domain() && a.name() == b.name() && a.value() == b.value() && a.path() == b.path()
        && a.expirationDate() == b.expirationDate() && a.isSecure() == b.isSecure()
        && a.isHttpOnly() == b.isHttpOnly();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = Fuzz::scratch() + QStringLiteral("cookies");
    QFile::remove(path);
    Fuzz::writeBytes(path, Fuzz::raw(data, size));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    const QList<QNetworkCookie> read = CookieFile::read(path, now);
    for (const QNetworkCookie &c : read)
        FUZZ_CHECK(!c.isSessionCookie() && c.expirationDate() > now && !c.name().isEmpty() && !c.domain().isEmpty());

    FUZZ_CHECK(CookieFile::write(path, read));
    const QList<QNetworkCookie> again = CookieFile::read(path, now);
    // A cookie whose lifetime ends while the harness runs is rightly not
    // written; every other one comes back the same.
    const QDateTime later = now.addSecs(5);
    QList<QNetworkCookie> lasting, lastingAgain;
    for (const QNetworkCookie &c : read)
        if (c.expirationDate() > later)
            lasting << c;
    for (const QNetworkCookie &c : again)
        if (c.expirationDate() > later)
            lastingAgain << c;
    FUZZ_CHECK(again.size() <= read.size());
    FUZZ_CHECK(lastingAgain.size() == lasting.size());
    for (qsizetype i = 0; i < lasting.size(); ++i)
        FUZZ_CHECK(same(lastingAgain.at(i), lasting.at(i)));
    return 0;
}
