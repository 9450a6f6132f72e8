// The JSON scanners of the API answers. Text escaped as JSON unescapes to
// itself (a double quote as the placeholder); the Windows-1252 variant gives
// only characters the code page holds; a scanned value is a piece of the
// answer and a written member's value is found again; prices get two
// decimals without changing their value.
#include "client/jsonscan.h"
#include "core/cp1252.h"
#include "fuzzsupport.h"
#include <QRegularExpression>

namespace {
QString escaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'"': out += QLatin1String("\\\""); break;
        case u'/': out += QLatin1String("\\/"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default:
            if (c.unicode() < 0x20 || c.unicode() > 0x7E)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    return out;
}

bool isPrice(const QString &text)
{
    // Anchored as a whole: "$" alone also matches before a final line feed.
    static const QRegularExpression price(
        QRegularExpression::anchoredPattern(QStringLiteral("[0-9]{1,9}(\\.[0-9]{1,2})?")));
    return price.match(text).hasMatch();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Fuzz::Input in(data, size);
    const QString text = in.mode() & 1 ? in.utf16(1) : in.utf8(1);
    const QString other = in.utf8(2);

    QString expected = text;
    expected.replace(u'"', JsonScan::kPlaceholder);
    FUZZ_CHECK(JsonScan::JsonUnescape(escaped(text)) == expected);
    FUZZ_CHECK(JsonScan::JsonUnescape(text).size() <= text.size());
    const QString narrow = JsonScan::JsonUnescapeCp1252(text);
    FUZZ_CHECK(Cp1252::decode(Cp1252::encode(narrow)) == narrow);

    const QString between = JsonScan::JsonParse(text, QStringLiteral("\"updated\":\""), other.left(3));
    FUZZ_CHECK(between.isEmpty() || text.contains(between));

    // A member written with a string value free of quotes and escapes.
    const QString key = other.left(12);
    QString value = text;
    value.remove(u'"').remove(u'\\').remove(JsonScan::kPlaceholder);
    if (!key.contains(u'"') && value != QLatin1String("null") && key != QLatin1String("minimumIncrease")
        && key != QLatin1String("buyNowPrice")) {
        const QString answer = QStringLiteral("{\"") + key + QStringLiteral("\":\"") + value + QStringLiteral("\"}");
        FUZZ_CHECK(JsonScan::avaajson(answer, key) == value);
    }
    JsonScan::avaajson(text, key);

    if (isPrice(other)) {
        const QString price = JsonScan::lisaa_desimaalit(other);
        FUZZ_CHECK(price.size() >= 4 && price.at(price.size() - 3) == u'.');
        FUZZ_CHECK(QStringView(price).left(other.size()) == other);
    }
    JsonScan::lisaa_desimaalit(text);
    return 0;
}
