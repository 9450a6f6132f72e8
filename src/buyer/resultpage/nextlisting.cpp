#include "buyer/resultpage/nextlisting.h"
#include "client/urlscheme.h"
#include <QUrl>

namespace {
// The page's address and its link's address may spell the same address
// differently (a link gives "%C3%A4" where the page shows "ä").
bool sameAddress(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0
        || QUrl(a).toString().compare(QUrl(b).toString(), Qt::CaseInsensitive) == 0;
}
} // namespace

void NextListing::linkit(const QStringList &linkAddresses)
{
    clear();
    for (const QString &address : linkAddresses) {
        if (UrlScheme::isItemPage(address.toLower()))
            m_entries.append(address);
    }
}

void NextListing::clear()
{
    m_entries.clear();
    m_selected = -1;
}

void NextListing::selectEqual(const QString &address)
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (sameAddress(m_entries.at(i), address)) {
            m_selected = i;
            return;
        }
    }
}

QString NextListing::seuraava(const QString &addressBoxText)
{
    if (m_entries.isEmpty())
        return QString();
    // The next entry, past the copies of the selected one: even when the
    // address box matches no entry, the same listing is not opened again.
    const int from = m_selected;
    while (m_selected < m_entries.size() - 1) {
        ++m_selected;
        if (from < 0 || !sameAddress(m_entries.at(m_selected), m_entries.at(from)))
            break;
    }
    // The last match wins, so the selection moves past all copies of the
    // listing shown now.
    for (int i = 0; i + 1 < m_entries.size(); ++i) {
        if (sameAddress(m_entries.at(i), addressBoxText))
            m_selected = i + 1;
    }
    return m_entries.at(m_selected);
}
