#include "buyer/searchform/searchform.h"
#include "browser/engine/document.h"
#include "client/httputil.h"
#include "client/quicksearch.h"
#include "core/percentdecode.h"
#include <array>

namespace {
// Condition words of kunto1 ... kunto5.
const std::array<const char *, 5> kKunto = {"new", "like-new", "good", "acceptable", "weak"};
const std::array<const char *, 4> kAddTime = {"past-day", "past-2days", "past-5days", "past-week"};
const std::array<const char *, 4> kClosingTime = {"next-day", "next-2days", "next-5days", "next-week"};

void segment(QString &path, const char *name, const QString &value)
{
    path += QLatin1String(name) + u'/' + value + u'/';
}

// A typed text as a segment value. The address reader ends a value at a
// single quote (it also reads addresses out of page markup), so the quote,
// which URL encoding leaves as it is, is written "%27": "rock'n'roll" reads
// back whole.
QString textValue(const QString &text)
{
    return HttpUtil::HTTPEncode(text).replace(u'\'', QLatin1String("%27"));
}

QString conditions(const SearchCriteria &c)
{
    QStringList ticked;
    for (size_t i = 0; i < kKunto.size(); ++i) {
        if (c.kunto[i])
            ticked << QLatin1String(kKunto[i]);
    }
    return ticked.join(u'|');
}

// Index of the value among the words (1-based), 0 when it is none of them.
template <size_t N>
int wordIndex(const QString &value, const std::array<const char *, N> &words)
{
    for (size_t i = 0; i < N; ++i) {
        if (value == QLatin1String(words[i]))
            return int(i) + 1;
    }
    return 0;
}

// "%" + two hex digits is that byte, "%%" is "%", "+" is a space; the bytes
// are then read as UTF-8.
QString percentDecode(const QString &text)
{
    return QString::fromUtf8(percentDecoded(text.toUtf8()));
}

// Radio-group values: the listed words give their index, an empty value or
// `neutral` gives 0, anything else leaves the control as it was.
void readChoice(int &control, const QString &value, const char *neutral, const char *one, const char *two = nullptr)
{
    if (value.isEmpty() || value == QLatin1String(neutral))
        control = 0;
    else if (value == QLatin1String(one))
        control = 1;
    else if (two && value == QLatin1String(two))
        control = 2;
}
} // namespace

SearchForm::SearchForm(const UrlScheme &urls, const QuickSearch &quick) : m_urls(urls), m_quick(quick) {}

QString SearchForm::segments(const SearchCriteria &c, const QString &sellerId, const QString &bidderId)
{
    QString path;
    if (!c.words.isEmpty())
        segment(path, "words", textValue(c.words));
    if (c.status == 1)
        path += QLatin1String("status/closed/");
    if (!c.area.isEmpty())
        segment(path, "area", textValue(c.area));
    if (c.wordsfrom == 1)
        path += QLatin1String("wordsfrom/title/");
    const QString kunto = conditions(c);
    if (!kunto.isEmpty())
        segment(path, "classification", kunto);
    if (c.sellstyle == 1)
        path += QLatin1String("sellstyle/auction/");
    else if (c.sellstyle == 2)
        path += QLatin1String("sellstyle/buy-now/");
    if (c.seller_user_type == 1)
        path += QLatin1String("seller_type/company/");
    else if (c.seller_user_type == 2)
        path += QLatin1String("seller_type/user/");
    if (!c.price_min.isEmpty())
        segment(path, "price_min", c.price_min);
    if (!c.price_max.isEmpty())
        segment(path, "price_max", c.price_max);
    if (!sellerId.isEmpty())
        segment(path, "sellernro", sellerId);
    if (!bidderId.isEmpty())
        segment(path, "biddernro", bidderId);
    if (!c.categories.isEmpty())
        segment(path, "category", c.categories.join(u'-'));
    if (c.addtime >= 1 && c.addtime <= 4)
        segment(path, "addtime", QLatin1String(kAddTime[c.addtime - 1]));
    if (c.closingtime >= 1 && c.closingtime <= 4)
        segment(path, "closingtime", QLatin1String(kClosingTime[c.closingtime - 1]));
    return path;
}

QString SearchForm::tee_hakuClick(const SearchCriteria &criteria) const
{
    const QString sellerId = criteria.seller.isEmpty() ? QString() : m_quick.kayttajanId(criteria.seller);
    const QString bidderId = criteria.bidder.isEmpty() ? QString() : m_quick.kayttajanId(criteria.bidder);
    const QString path = segments(criteria, sellerId, bidderId);
    return path.isEmpty() ? QString() : m_urls.haku(path);
}

QString SearchForm::parameter(const QString &address, const QString &name)
{
    QString text = address;
    for (const QChar c : {u'?', u'&', u'=', u'"', u'\'', u'>'})
        text.replace(c, u'/');
    const QString marker = u'/' + name + u'/';
    const int at = text.indexOf(marker, 0, Qt::CaseInsensitive);
    if (at < 0)
        return QString();
    const int from = at + marker.size();
    const int end = text.indexOf(u'/', from);
    return percentDecode(text.mid(from, end < 0 ? -1 : end - from));
}

void SearchForm::lue_osoitteesta(const QString &address, SearchCriteria &c)
{
    const auto value = [&address](const char *name) { return parameter(address, QLatin1String(name)); };
    c.words = value("words");
    c.area = value("area");
    c.price_max = value("price_max");
    c.price_min = value("price_min");
    readChoice(c.status, value("status"), "open", "closed");
    readChoice(c.sellstyle, value("sellstyle"), "all", "auction", "buy-now");
    readChoice(c.seller_user_type, value("seller_type"), "all", "company", "user");
    // "like-new" holds "new": it is taken out before "new" is looked for.
    QString kunto = value("classification");
    c.kunto[1] = kunto.contains(QLatin1String("like-new"));
    if (c.kunto[1])
        kunto.remove(kunto.indexOf(QLatin1String("like-new")), 8);
    c.kunto[0] = kunto.contains(QLatin1String("new"));
    c.kunto[2] = kunto.contains(QLatin1String("good"));
    c.kunto[3] = kunto.contains(QLatin1String("acceptable"));
    c.kunto[4] = kunto.contains(QLatin1String("weak"));
    c.wordsfrom = value("wordsfrom").contains(QLatin1String("title")) ? 1 : 0;
    c.addtime = wordIndex(value("addtime"), kAddTime);
    c.closingtime = wordIndex(value("closingtime"), kClosingTime);
    const QString category = value("category");
    c.categories = category.isEmpty() ? QStringList() : category.split(u'-');
}

QString SearchForm::formField(Document &document, const QString &name)
{
    const QList<Element> found = document.getElementsByName(name, Document::Value);
    for (const Element &e : found) {
        const QString tag = e.tagName();
        if (tag == QLatin1String("INPUT") || tag == QLatin1String("SELECT") || tag == QLatin1String("TEXTAREA"))
            return e.data().value;
    }
    return QString();
}

void SearchForm::tyhjenna_lomake(SearchCriteria &c)
{
    const int wordsfrom = c.wordsfrom;
    c = SearchCriteria();
    c.wordsfrom = wordsfrom;
}
