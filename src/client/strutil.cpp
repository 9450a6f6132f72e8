#include "strutil.h"
#include "urlscheme.h"
#include "core/wholenumber.h"
#include <QLocale>
#include <cmath>

namespace StrUtil {

namespace {
bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

QLocale cLocale()
{
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    return c;
}

// The address ends at the first "&", double quote, ">" or "?".
QString cutAtAddressEnd(const QString &text)
{
    int end = text.size();
    for (const QChar stop : {u'&', u'"', u'>', u'?'}) {
        const int at = text.indexOf(stop);
        if (at >= 0 && at < end)
            end = at;
    }
    return text.left(end);
}
} // namespace

QString copyfrom(const QString &text, int from)
{
    if (from < 1)
        from = 1;
    if (from > text.size())
        return QString();
    return text.mid(from - 1);
}

QString suodatamerkit(const QString &text, const QString &set)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (!set.contains(c))
            out.append(c);
    }
    return out;
}

int ansiposrev(const QString &sub, const QString &text)
{
    if (sub.isEmpty() || sub.size() > text.size())
        return 0;
    // Qt 6.4 matches a needle of one NUL against the terminating NUL, past
    // the last character: such a hit is no occurrence.
    const qsizetype at = text.lastIndexOf(sub, text.size() - sub.size());
    return at >= 0 && at + sub.size() <= text.size() ? int(at) + 1 : 0;
}

int kokonaisluvuksi(const QString &text)
{
    const std::optional<int> value = WholeNumber::read(QStringView(text).trimmed());
    return value ? *value : -1;
}

double desimaaliluvuksi(const QString &text)
{
    QString t = text.trimmed();
    if (t.contains(QChar(0)))
        return -1.0;    // Qt's conversion would stop there and report success
    t.replace(u',', u'.');
    bool ok = false;
    const double value = cLocale().toDouble(t, &ok);
    return ok && std::isfinite(value) ? value : -1.0;
}

QString palautaitemid(const QString &text)
{
    static const QString markers[] = {PathWord::kohdesivu, PathWord::kohdeId, PathWord::kohdeItemId};
    for (int m = 0; m < 3; ++m) {
        const int at = text.indexOf(markers[m], 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        QString rest = cutAtAddressEnd(text.mid(at + markers[m].size()));
        if (m == 0) {
            // "/kohteet/" + title slug + "/" + number; an address without a
            // slug has no further "/" and is the number itself.
            const int slash = rest.indexOf(u'/');
            if (slash >= 0)
                rest = rest.mid(slash + 1);
        }
        return rest;
    }
    return QString();
}

QString palauta_api_itemid(const QString &text)
{
    static const QString marker = QStringLiteral("/items/");
    const int at = text.indexOf(marker);
    if (at < 0)
        return QString();
    return leadingDigits(text.mid(at + marker.size()));
}

bool validitemid(const QString &text)
{
    return text.size() >= 8 && leadingDigits(text).size() == text.size();
}

QString leadingDigits(const QString &text)
{
    int n = 0;
    while (n < text.size() && isAsciiDigit(text.at(n)))
        ++n;
    return text.left(n);
}

} // namespace StrUtil
