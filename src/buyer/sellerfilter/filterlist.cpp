#include "buyer/sellerfilter/filterlist.h"
#include "buyer/sellerfilter/listingkey.h"
#include <algorithm>
#include <cstring>

bool FilterList::lessThan(const QString &a, const QString &b)
{
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

void FilterList::add(const QString &entry)
{
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), entry, &FilterList::lessThan);
    m_entries.insert(at, entry);
}

// Sorting a whole file compares each entry many times: fold the case once
// per entry and compare the folded texts (the same order as lessThan).
static void sortWithoutCase(QStringList &entries)
{
    std::vector<std::pair<QString, qsizetype>> keyed;
    keyed.reserve(size_t(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i)
        keyed.emplace_back(entries.at(i).toCaseFolded(), i);
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QStringList sorted;
    sorted.reserve(entries.size());
    for (const auto &k : keyed)
        sorted.append(std::move(entries[k.second]));
    entries = std::move(sorted);
}

void FilterList::replace(QStringList entries)
{
    sortWithoutCase(entries);
    m_entries = std::move(entries);
}

QString FilterList::joined() const
{
    return m_entries.join(u'\n');
}

QByteArray FilterList::joinedUtf8() const
{
    QByteArray out;
    for (const QString &entry : m_entries) {
        out += entry.toUtf8();
        out += '\n';
    }
    return out;
}

bool FilterList::occursIn(const QByteArray &joinedUtf8, const QString &text)
{
    const QByteArray needle = text.toUtf8();
    return memmem(joinedUtf8.constData(), size_t(joinedUtf8.size()), needle.constData(), size_t(needle.size()))
        != nullptr;
}

int FilterList::removeDuplicates()
{
    const qsizetype n = m_entries.size();
    if (n == 0)
        return 0;
    // Mark first, then compact: deleting one by one would move the tail of a
    // long list each time. An entry is compared with the next one still kept.
    std::vector<bool> drop(size_t(n), false);
    QString next = ListingKey::withoutStamp(m_entries.at(n - 1));
    for (qsizetype i = n - 2; i >= 0; --i) {
        QString key = ListingKey::withoutStamp(m_entries.at(i));
        drop[size_t(i)] = key == next || !ListingKey::isUsable(key);
        if (!drop[size_t(i)])
            next = std::move(key);
    }
    // The walk leaves the last entry to itself; a short key is dropped there
    // too, so that no short key outlives a clean-up.
    drop[size_t(n - 1)] = !ListingKey::isUsable(ListingKey::withoutStamp(m_entries.at(n - 1)));
    QStringList kept;
    kept.reserve(n);
    for (qsizetype i = 0; i < n; ++i) {
        if (!drop[size_t(i)])
            kept.append(m_entries.at(i));
    }
    const int removed = int(n - kept.size());
    m_entries = std::move(kept);
    return removed;
}

// The digits of a stamp; -1 unless the text is a whole number.
static qint64 stampDay(const QString &digits)
{
    if (digits.isEmpty() || digits.size() > 12)
        return -1;
    qint64 value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

int FilterList::expire(int today, const QString &stamp, int lifetimeDays)
{
    QStringList kept;
    kept.reserve(m_entries.size());
    bool stamped = false;
    for (const QString &entry : std::as_const(m_entries)) {
        const int at = entry.indexOf(QLatin1String(":4"));
        if (at < 0) {
            kept.append(entry + stamp);
            stamped = true;
            continue;
        }
        const qint64 day = stampDay(entry.mid(at + 1));
        if (day < 0 || qint64(today) - day <= lifetimeDays)
            kept.append(entry);
    }
    const int removed = int(m_entries.size() - kept.size());
    // A stamp added to a key can move it past keys that extend it.
    if (stamped)
        sortWithoutCase(kept);
    m_entries = std::move(kept);
    return removed;
}
