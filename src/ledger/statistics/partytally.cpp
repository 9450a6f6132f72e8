#include "partytally.h"
#include <algorithm>

namespace {
bool ignored(QChar c)
{
    return c == u' ' || c == u'\t';
}

// Calls f for every character of the key: spaces and tabs dropped, lower
// case, up to the first "/".
template <typename F> void forKey(QStringView cell, F f)
{
    for (const QChar c : cell) {
        if (c == u'/')
            return;
        if (!ignored(c))
            f(c.toLower());
    }
}
}   // namespace

PartyTally::PartyTally() : m_slots(64) {}

size_t PartyTally::hashKey(QStringView cell, bool &empty)
{
    size_t h = 1469598103934665603ull;   // FNV-1a
    empty = true;
    forKey(cell, [&](QChar c) {
        empty = false;
        h = (h ^ c.unicode()) * 1099511628211ull;
    });
    return h;
}

bool PartyTally::sameKey(QStringView cell, const QString &key)
{
    int i = 0;
    bool same = true;
    forKey(cell, [&](QChar c) {
        if (same && (i >= key.size() || key.at(i) != c))
            same = false;
        ++i;
    });
    return same && i == key.size();
}

QString PartyTally::makeKey(QStringView cell)
{
    QString key;
    forKey(cell, [&](QChar c) { key.append(c); });
    return key;
}

void PartyTally::add(QStringView cell, qint64 cents)
{
    bool empty = false;
    const size_t hash = hashKey(cell, empty);
    if (empty)
        return;
    const size_t mask = m_slots.size() - 1;
    for (size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot &slot = m_slots[i];
        if (slot.sum.key.isEmpty()) {
            slot.hash = hash;
            slot.sum = PartySum {makeKey(cell), 1, cents};
            if (++m_used * 2 > int(m_slots.size()))
                grow();
            return;
        }
        if (slot.hash == hash && sameKey(cell, slot.sum.key)) {
            ++slot.sum.trades;
            slot.sum.cents += cents;
            return;
        }
    }
}

void PartyTally::grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (Slot &slot : old) {
        if (slot.sum.key.isEmpty())
            continue;
        size_t i = slot.hash & mask;
        while (!m_slots[i].sum.key.isEmpty())
            i = (i + 1) & mask;
        m_slots[i] = std::move(slot);
    }
}

QVector<PartySum> PartyTally::best(int count) const
{
    std::vector<const PartySum *> all;
    all.reserve(size_t(m_used));
    for (const Slot &slot : m_slots) {
        if (!slot.sum.key.isEmpty())
            all.push_back(&slot.sum);
    }
    const auto better = [](const PartySum *a, const PartySum *b) {
        if (a->cents != b->cents)
            return a->cents > b->cents;
        if (a->trades != b->trades)
            return a->trades > b->trades;
        return a->key < b->key;
    };
    const size_t n = std::min(all.size(), size_t(std::max(count, 0)));
    std::partial_sort(all.begin(), all.begin() + std::ptrdiff_t(n), all.end(), better);
    QVector<PartySum> out;
    out.reserve(int(n));
    for (size_t i = 0; i < n; ++i)
        out.append(*all[i]);
    return out;
}
