#include "sellerwalk.h"
#include "filterhost.h"
#include "listingcards.h"
#include "sellerfilter.h"
#include "browser/engine/browser.h"
#include "client/urlscheme.h"
#include "core/prompts.h"
#include "core/waitfor.h"
#include <QUrl>

SellerWalk::SellerWalk(SellerFilter &filter, Browser &WB_suodatin, SellerWalkView &view, FilterHost &host,
                       UserIdLookup lookup, QString webBase)
    : m_filter(filter), m_browser(WB_suodatin), m_view(view), m_host(host), m_lookup(std::move(lookup)),
      m_webBase(std::move(webBase))
{
}

bool SellerWalk::suodatatunnus(const QString &name)
{
    QString cleaned = name;
    cleaned.remove(u'\r');
    cleaned.remove(u'\n');
    if (cleaned.size() <= 2)
        return false;
    const QString userId = m_lookup ? m_lookup(cleaned) : QString();
    if (userId.isEmpty())
        return false;
    m_filter.markChanged();
    m_view.showProgress();
    for (int page = 1; !m_stop; ++page) {
        if (!loadPage(userId, cleaned, page))
            break;
        DocumentCards cards(m_browser.document());
        const int seen = m_filter.wbmustalista(cards);
        m_view.setProgress(cards.divCount(), cards.divCount());
        if (seen == 0)
            break;
    }
    return true;
}

// A page that does not load in time is read as it is.
bool SellerWalk::loadPage(const QString &userId, const QString &name, int page)
{
    m_view.setProgress(0, 100);
    m_view.setLabel8(name + QStringLiteral(" sivu ") + QString::number(page));
    waitMs(0);
    if (m_stop)
        return false;
    m_browser.Navigate(
        QUrl(m_webBase + PathWord::myyjanKohteetOsoite + userId + PathWord::sivu + QString::number(page)));
    m_browser.browser_wait(kPageLimitMs);
    return true;
}

void SellerWalk::naytajarjestasuodatin()
{
    m_view.setLabel8(QStringLiteral("Järjestetään.."));
    waitMs(0);
    m_filter.jarjestasuodatin();
    m_view.setLabel8(QString());
    m_view.hideProgress();
    m_host.naytapaneeli(QStringLiteral("Lisätty suodattimeen!"), 3);
    m_browser.Navigate(QUrl(QStringLiteral("about:blank")));
    m_browser.browser_wait(3000);
}

void SellerWalk::MenuItem35Click(Prompts &prompts)
{
    if (m_running)
        return;
    m_stop = false;
    const auto name = prompts.input(QStringLiteral("Suodatin"), QStringLiteral("Anna käyttäjän tunnus?"));
    if (!name || name->isEmpty())
        return;
    m_running = true;
    suodatatunnus(*name);
    naytajarjestasuodatin();
    m_running = false;
}

bool SellerWalk::XiButton12Click(const QStringList &names, Prompts &prompts)
{
    if (names.isEmpty()) {
        prompts.information(QStringLiteral("Lista on tyhjä!"));
        return false;
    }
    if (m_running)
        return true;
    m_running = true;
    m_stop = false;
    for (const QString &name : names) {
        if (m_stop)
            break;
        suodatatunnus(name);
    }
    naytajarjestasuodatin();
    m_running = false;
    return true;
}

void SellerWalk::XiButton11Click()
{
    m_stop = true;
    m_view.hideProgress();
}

void SellerWalk::WB_suodatinProgressChange(int progress, int maximum)
{
    if (maximum > 0)
        m_view.setProgress(progress, maximum);
}
