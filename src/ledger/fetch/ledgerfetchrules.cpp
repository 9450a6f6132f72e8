#include "ledger/fetch/ledgerfetchrules.h"
#include "client/jsonscan.h"
#include "client/strutil.h"
#include "client/urlscheme.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace LedgerFetchRules {

namespace {

const QString &tradeMarker()
{
    static const QString m = QStringLiteral(",{\"links\":");
    return m;
}

// A numeric member's text: the exact value, blanks trimmed; "null" counts
// as missing.
QString numberText(const QString &answer, const QString &marker, bool *found)
{
    QString value = exactValue(answer, marker, found).trimmed();
    if (*found && value == QLatin1String("null")) {
        *found = false;
        return QString();
    }
    return value;
}

bool isPrice(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{1,9}(\\.[0-9]{1,6})?$"));
    return re.match(text).hasMatch();
}

bool isQuantity(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^[0-9]{1,6}$"));
    return re.match(text).hasMatch() && text.toInt() > 0;
}

// A string value of an answer. An escaped double quote comes out of the
// unescaper as the placeholder; the ledger keeps the quote itself, not a
// control character in its cells and files.
QString textValue(const QString &answer, const QString &marker)
{
    QString value = JsonScan::JsonParse(answer, marker, QStringLiteral("\""));
    value.replace(JsonScan::kPlaceholder, u'"');
    return value;
}

QString counterparty(const QString &answer)
{
    return JsonScan::JsonParse(answer, QStringLiteral("/users/"), QStringLiteral("\""));
}

} // namespace

QString checkStart(const QString &text)
{
    return StrUtil::kokonaisluvuksi(text) < 0 ? QStringLiteral("0") : text;
}

QString checkCount(const QString &text)
{
    const int n = StrUtil::kokonaisluvuksi(text);
    if (n < 1)
        return QStringLiteral("10");
    if (n > 9999)
        return QStringLiteral("9999");
    return text;
}

QString listTemplate(const QString &apiBase, LedgerMode mode, const QString &userId,
                     const QString &noCache)
{
    const QString query = mode == LedgerMode::Bought
                              ? QStringLiteral("/purchases?won=1&status=closed")
                              : QStringLiteral("/sales?sold=1&status=closed");
    return UrlScheme::apiUser(apiBase, userId) + query
           + QStringLiteral("&limit=sivujenkoko&sort=closing-time&nocache=") + noCache
           + QStringLiteral("&page=sivuindeksi");
}

QString pageAddress(const QString &listTemplate, int pageSize, int page)
{
    QString address = listTemplate;
    const auto fill = [&address](const QString &word, int value) {
        const int at = address.indexOf(word);
        if (at >= 0)
            address.replace(at, word.size(), QString::number(value));
    };
    fill(QStringLiteral("sivujenkoko"), pageSize);
    fill(QStringLiteral("sivuindeksi"), page);
    return address;
}

Pages pagesFor(int start, int count, int pageSize)
{
    Pages p;
    p.first = start / pageSize + 1;
    const qint64 end = qint64(start) + count;
    p.last = int((end + pageSize - 1) / pageSize);
    return p;
}

bool hasListMarker(const QString &answer, const QString &marker)
{
    QString bare = marker;
    bare.remove(u'"');
    QString apostrophes = marker;
    apostrophes.replace(u'"', u'\'');
    return answer.contains(marker) || answer.contains(bare) || answer.contains(apostrophes);
}

bool pageIsSound(const QString &answer, const QString &marker, int pageSize)
{
    if (!hasListMarker(answer, marker))
        return false;
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(answer.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonObject page = doc.object();
    for (auto it = page.begin(); it != page.end(); ++it) {
        if (it.key().compare(QLatin1String("items"), Qt::CaseInsensitive) == 0)
            return it->isArray() && it->toArray().size() <= pageSize;
    }
    return true;
}

TradeWalk::TradeWalk(const QString &joined, int start, int count)
    : m_text(joined), m_skip(start % kPageSize), m_left(count)
{
    m_text.replace(QStringLiteral("\"items\":["), QStringLiteral("\"items\":,"), Qt::CaseInsensitive);
    m_at = m_text.indexOf(tradeMarker());
}

bool TradeWalk::next(QString *trade)
{
    while (m_at >= 0 && m_left > 0) {
        const int begin = m_at + tradeMarker().size();
        const int after = m_text.indexOf(tradeMarker(), begin);
        const bool counts = m_skip <= 0;
        if (counts) {
            // The last trade runs to the end of the text but its last character.
            *trade = after >= 0 ? m_text.mid(begin, after - begin)
                                : m_text.mid(begin, qMax(0, m_text.size() - begin - 1));
            --m_left;
        }
        --m_skip;
        m_at = after;
        if (counts)
            return true;
    }
    return false;
}

QString exactValue(const QString &answer, const QString &marker, bool *found)
{
    const int at = answer.indexOf(marker);
    if (found)
        *found = at >= 0;
    if (at < 0)
        return QString();
    QStringView value = QStringView(answer).mid(at + marker.size());
    const int comma = value.indexOf(u',');
    if (comma >= 0)
        value = value.left(comma);
    const int brace = value.indexOf(u'}');
    if (brace >= 0)
        value = value.left(brace);
    return value.toString();
}

Reading readTrade(const QString &answer, LedgerMode mode, TradeFields *fields)
{
    if (mode != LedgerMode::Bought)
        fields->counterpartyId = counterparty(answer);
    bool found = false;
    const QString quantity = numberText(answer, QStringLiteral("\"quantity\":"), &found);
    fields->quantity = found ? quantity : QStringLiteral("1");
    fields->price = numberText(answer, QStringLiteral("\"price\":"), &found);
    if (!isQuantity(fields->quantity))
        return Reading::Faulty;
    if (!found)
        return Reading::NoPrice;
    return isPrice(fields->price) ? Reading::Ok : Reading::Faulty;
}

Reading readItem(const QString &answer, LedgerMode mode, TradeFields *fields)
{
    if (mode == LedgerMode::Bought)
        fields->counterpartyId = counterparty(answer);
    fields->title = textValue(answer, QStringLiteral("\"title\":\""));
    fields->closingTime = textValue(answer, QStringLiteral("\"closingtime\":\""));
    bool found = false;
    fields->deliveryPrice = numberText(answer, QStringLiteral("\"deliveryPrice\":"), &found);
    if (found && !isPrice(fields->deliveryPrice))
        return Reading::Faulty;
    return Reading::Ok;
}

void readUser(const QString &answer, TradeFields *fields)
{
    fields->fullName = textValue(answer, QStringLiteral("\"fullname\":\""));
    fields->userName = textValue(answer, QStringLiteral("\"username\":\""));
    fields->email = textValue(answer, QStringLiteral("\"email\":\""));
    fields->street = textValue(answer, QStringLiteral("\"street\":\""));
    fields->zip = textValue(answer, QStringLiteral("\"zip\":\""));
    fields->town = textValue(answer, QStringLiteral("\"town\":\""));
    fields->mobile = textValue(answer, QStringLiteral("\"mobile\":\""));
}

bool textFieldsOk(const QJsonObject &answer, const QStringList &lowerKeys)
{
    for (auto it = answer.begin(); it != answer.end(); ++it) {
        if (lowerKeys.contains(it.key().toLower()) && !it->isString() && !it->isNull())
            return false;
    }
    return true;
}

bool isUserId(const QString &id)
{
    return !id.isEmpty() && id.size() <= 12 && StrUtil::leadingDigits(id).size() == id.size();
}

QString closingCell(const QString &isoTime)
{
    return isoTime.mid(8, 2) + u'.' + isoTime.mid(5, 2) + u'.' + isoTime.left(4) + u' '
           + isoTime.mid(11, 8);
}

QStringList rowOf(const TradeFields &f)
{
    QString title = f.title;
    if (f.quantity != QLatin1String("1"))
        title += QStringLiteral(" (") + f.quantity + QStringLiteral(" KPL)");
    const QString crlf = QStringLiteral("\r\n");
    const QString address = f.fullName + crlf + f.email + crlf + f.street + crlf + f.zip + u' '
                            + f.town + crlf + f.mobile + crlf;
    QStringList row;
    row << QString() << f.itemNumber << title << closingCell(f.closingTime)
        << JsonScan::lisaa_desimaalit(f.price)
        << QStringLiteral("Toimituskulut:") + JsonScan::lisaa_desimaalit(f.deliveryPrice)
        << QString() << QString() << address << f.userName + u'/' + f.counterpartyId;
    return row;
}

}
