#include "browser/policy/cookiefile.h"
#include "core/atomicfile.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace {
const QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

bool lasting(const QNetworkCookie &cookie, const QDateTime &now)
{
    return !cookie.isSessionCookie() && cookie.expirationDate() > now && !cookie.name().isEmpty();
}

// The Set-Cookie form loses the difference between a host-only cookie
// ("www.host") and a domain cookie (".host"); the line keeps the exact domain.
bool printable(const QByteArray &bytes)
{
    for (const char c : bytes) {
        if (uchar(c) <= 0x20 || uchar(c) == 0x7f)
            return false;
    }
    return !bytes.isEmpty();
}

// The exact domain is a host name, with a leading "." for a domain cookie.
// A cookie for anything else belongs to no site, and its Set-Cookie form
// could not be read back ("domain=.").
bool hostName(const QByteArray &domain)
{
    const QByteArray host = domain.startsWith('.') ? domain.mid(1) : domain;
    return !host.isEmpty() && !QUrl::toAce(QString::fromUtf8(host)).isEmpty();
}

// The file keeps expiry moments in whole seconds (the Set-Cookie date form).
// A line that gives a lifetime ("max-age") instead is counted from the
// moment of reading, in whole seconds too, so what is read is exactly what
// is written back.
QDateTime wholeSeconds(const QDateTime &moment)
{
    return QDateTime::fromSecsSinceEpoch(moment.toSecsSinceEpoch(), Qt::UTC);
}

bool parseLine(const QByteArray &line, QNetworkCookie *out)
{
    const int tab = line.indexOf('\t');
    if (tab <= 0 || !printable(line.left(tab)) || !hostName(line.left(tab)))
        return false;
    const QList<QNetworkCookie> parsed = QNetworkCookie::parseCookies(line.mid(tab + 1));
    if (parsed.size() != 1)
        return false;
    if (!printable(parsed.first().name()))
        return false;
    *out = parsed.first();
    out->setDomain(QString::fromUtf8(line.left(tab)));
    if (!out->isSessionCookie())
        out->setExpirationDate(wholeSeconds(out->expirationDate()));
    return true;
}
}

QList<QNetworkCookie> CookieFile::read(const QString &path, const QDateTime &now)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QList<QNetworkCookie> out;
    const QList<QByteArray> lines = f.readAll().split('\n');
    for (const QByteArray &line : lines) {
        QNetworkCookie cookie;
        if (parseLine(line.trimmed(), &cookie) && lasting(cookie, now))
            out << cookie;
    }
    return out;
}

bool CookieFile::write(const QString &path, const QList<QNetworkCookie> &cookies)
{
    const QDateTime now = QDateTime::currentDateTimeUtc();
    QByteArray bytes;
    for (const QNetworkCookie &cookie : cookies) {
        if (lasting(cookie, now) && !cookie.domain().contains(u'\t'))
            bytes += cookie.domain().toUtf8() + '\t' + cookie.toRawForm(QNetworkCookie::Full) + '\n';
    }
    // Created owner-only before the first write: the atomic writer keeps the
    // permissions of the file it replaces, so the login is never readable by
    // others, not even for a moment.
    if (!QFile::exists(path)) {
        const QString folder = QFileInfo(path).absolutePath();
        if (!QFileInfo::exists(folder))
            QDir().mkdir(folder, kOwnerOnly | QFileDevice::ExeOwner);
        QFile create(path);
        if (!create.open(QIODevice::WriteOnly, kOwnerOnly))
            return false;
    }
    if (!AtomicFile::write(path, bytes))
        return false;
    return QFile::setPermissions(path, kOwnerOnly);   // also for a file made by someone else
}
