#include "core/hexdigit.h"
#include "jsonscan.h"
#include "client/strutil.h"
#include "core/cp1252.h"

namespace JsonScan {

namespace {

bool readHex4(const QString &text, int at, char16_t *out)
{
    char16_t value = 0;
    for (int i = 0; i < 4; ++i) {
        const int digit = hexDigit(text.at(at + i));
        if (digit < 0)
            return false;
        value = char16_t(value * 16 + digit);
    }
    *out = value;
    return true;
}
} // namespace

QString JsonUnescape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    const int n = int(text.size());
    int i = 0;
    while (i < n) {
        const QChar c = text.at(i);
        if (c != u'\\' || i + 1 >= n) {
            out += c;
            ++i;
            continue;
        }
        const QChar next = text.at(i + 1);
        char16_t code = 0;
        if (next == u'\\' || next == u'/') {
            out += next;
        } else if (next == u'"') {
            out += kPlaceholder;
        } else if (next == u'r') {
            out += u'\r';
        } else if (next == u'n') {
            out += u'\n';
        } else if (next == u't') {
            out += u'\t';
        } else if (next == u'u' && i + 5 < n && readHex4(text, i + 2, &code)) {
            out += QChar(code);
            i += 6;
            continue;
        } else {
            out += c;          // a lone backslash; the next character is read normally
            ++i;
            continue;
        }
        i += 2;
    }
    return out;
}

QString JsonUnescapeCp1252(const QString &text)
{
    return Cp1252::decode(Cp1252::encode(JsonUnescape(text)));
}

QString JsonParse(const QString &text, const QString &start, const QString &end)
{
    const int s = int(text.indexOf(start, 0, Qt::CaseInsensitive));
    if (s < 0)
        return {};
    const QString rest = text.mid(s + start.size());
    const int e = int(rest.indexOf(end, 0, Qt::CaseInsensitive));
    if (e < 0)
        return {};
    return rest.left(e);
}

QString avaajson(const QString &text, const QString &key)
{
    const QString marker = u'"' + key + QStringLiteral("\":");
    const int at = int(text.indexOf(marker));
    if (at < 0)
        return {};
    QString rest = text.mid(at + marker.size());
    if (rest.isEmpty())
        return {};
    const QChar first = rest.at(0);
    QChar terminator = u',';
    if (first == u'{')
        terminator = u'}';
    else if (first == u'"')
        terminator = u'"';
    else if (first == u'[')
        terminator = u']';
    if (terminator != u',')
        rest.remove(0, 1);
    const int end = int(rest.indexOf(terminator));
    QString value = end >= 0 ? rest.left(end) : rest.left(1);
    if (value == QLatin1String("null"))
        value.clear();
    if ((key == QLatin1String("minimumIncrease") || key == QLatin1String("buyNowPrice"))
        && !(StrUtil::desimaaliluvuksi(value) > 0))
        value.clear();
    value.replace(kPlaceholder, u'"');
    return value;
}

QString lisaa_desimaalit(const QString &text)
{
    if (text.isEmpty())
        return text;
    QString out = text;
    if (out.startsWith(u'.'))
        out.prepend(u'0');
    if (!out.contains(u'.'))
        out += QStringLiteral(".00");
    if (out.size() >= 2 && out.at(out.size() - 2) == u'.')
        out += u'0';
    return out;
}

} // namespace JsonScan
