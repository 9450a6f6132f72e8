#include "buyer/sellerfilter/sellerwalk.h"
#include "buyer/sellerfilter/filterhost.h"
#include "buyer/sellerfilter/listingcards.h"
#include "buyer/sellerfilter/sellerfilter.h"
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

SellerWalk::Outcome SellerWalk::suodatatunnus(const QString &name)
{
    QString cleaned = name;
    cleaned.remove(u'\r');
    cleaned.remove(u'\n');
    if (cleaned.size() <= 2)
        return Outcome::NotFound;
    const QString userId = m_lookup ? m_lookup(cleaned) : QString();
    if (userId.isEmpty())
        return Outcome::NotFound;
    m_filter.markChanged();
    m_view.showProgress();
    int listings = 0;
    for (int page = 1; !m_stop; ++page) {
        if (!loadPage(userId, cleaned, page))
            break;
        DocumentCards cards(m_browser.document());
        const int seen = m_filter.wbmustalista(cards);
        m_view.setProgress(cards.divCount(), cards.divCount());
        listings += seen;
        if (seen == 0)
            break;
    }
    return listings > 0 || m_stop ? Outcome::Added : Outcome::NoListings;
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
        QUrl(UrlScheme::myyjanKohteetSivu(m_webBase, userId, page)));
    m_browser.browser_wait(kPageLimitMs);
    return true;
}

// The notice tells what happened: "Lisätty suodattimeen!" only when
// listings were added.
void SellerWalk::naytajarjestasuodatin(Outcome outcome)
{
    m_view.setLabel8(QStringLiteral("Järjestetään.."));
    waitMs(0);
    m_filter.jarjestasuodatin();
    m_view.setLabel8(QString());
    m_view.hideProgress();
    m_host.naytapaneeli(notice(outcome), 3);
    m_browser.Navigate(QUrl(QStringLiteral("about:blank")));
    m_browser.browser_wait(3000);
}

QString SellerWalk::notice(Outcome outcome)
{
    switch (outcome) {
    case Outcome::NotFound: return QStringLiteral("Käyttäjää ei löytynyt!");
    case Outcome::NoListings: return QStringLiteral("Myyjällä ei ole kohteita.");
    case Outcome::Added: break;
    }
    return QStringLiteral("Lisätty suodattimeen!");
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
    naytajarjestasuodatin(suodatatunnus(*name));
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
    // Of several names, any one that added listings makes the whole an
    // addition; otherwise the last name's outcome is told.
    Outcome outcome = Outcome::NotFound;
    for (const QString &name : names) {
        if (m_stop)
            break;
        const Outcome one = suodatatunnus(name);
        if (outcome != Outcome::Added)
            outcome = one;
    }
    naytajarjestasuodatin(outcome);
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
