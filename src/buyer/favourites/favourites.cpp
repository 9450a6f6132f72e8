#include "buyer/favourites/favourites.h"
#include "core/settings.h"
#include <algorithm>

namespace {
bool before(const QString &a, const QString &b)
{
    const int c = QString::compare(a, b, Qt::CaseInsensitive);
    return c != 0 ? c < 0 : a < b;
}
}

Favourites::Favourites(Settings &settings)
    : m_sellers(settings.suosikkimyyjat), m_searches(settings.suosikkihaut)
{
}

void Favourites::sortList(QStringList &list)
{
    std::stable_sort(list.begin(), list.end(), before);
}

const QStringList &Favourites::sellers()
{
    sortList(m_sellers);
    return m_sellers;
}

const QStringList &Favourites::searches()
{
    sortList(m_searches);
    return m_searches;
}

bool Favourites::containsNoCase(const QStringList &list, const QString &text)
{
    return list.contains(text, Qt::CaseInsensitive);
}

void Favourites::insertSorted(QStringList &list, const QString &text)
{
    sortList(list);
    list.insert(std::upper_bound(list.begin(), list.end(), text, before), text);
}

bool Favourites::addSeller(const QString &name)
{
    if (containsNoCase(m_sellers, name))
        return false;
    insertSorted(m_sellers, name);
    return true;
}

bool Favourites::addSellerByName(const QString &name)
{
    for (const QString &seller : m_sellers) {
        if (seller.startsWith(name, Qt::CaseInsensitive))
            return false;
    }
    insertSorted(m_sellers, name);
    return true;
}

bool Favourites::removeSeller(const QString &name)
{
    sortList(m_sellers);
    for (int i = 0; i < m_sellers.size(); ++i) {
        if (QString::compare(m_sellers.at(i), name, Qt::CaseInsensitive) == 0) {
            m_sellers.removeAt(i);
            return true;
        }
    }
    return false;
}

bool Favourites::addSearch(const QString &address)
{
    if (containsNoCase(m_searches, address))
        return false;
    insertSorted(m_searches, address);
    return true;
}

bool Favourites::removeSearchAt(int position)
{
    sortList(m_searches);
    if (position < 0 || position >= m_searches.size())
        return false;
    m_searches.removeAt(position);
    return true;
}
