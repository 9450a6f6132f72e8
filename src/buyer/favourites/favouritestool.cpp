#include "buyer/favourites/favouritestool.h"
#include "buyer/favourites/favouritesoverview.h"
#include "buyer/resultpage/previewpanel.h"
#include "browser/engine/document.h"
#include "browser/pipeline/navigationargs.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "client/urlscheme.h"
#include "core/prompts.h"
#include <QTimer>

namespace {
const QString kSellerCaption = QStringLiteral("Lisää suosikkimyyjiin");
const QString kSearchCaption = QStringLiteral("Lisää suosikkihakuihin");
constexpr int kTicks = 3;
}

FavouritesTool::FavouritesTool(const Parts &parts, QObject *parent)
    : QObject(parent), m_parts(parts), m_favourites(*parts.settings)
{
    connect(m_parts.preview, &PreviewPanel::WB_previewBeforeNavigate2, this,
            &FavouritesTool::WB_previewBeforeNavigate2);
}

void FavouritesTool::XiButton14Click(const QString &caption)
{
    if (caption == kSellerCaption)
        addSellerOfActivePage();
    else if (caption == kSearchCaption)
        addActiveSearch();
}

// An item page without a link to its seller's profile adds nothing: an
// empty favourite would only open some other seller's listings.
void FavouritesTool::addSellerOfActivePage()
{
    TVasaroselain *active = m_parts.tabs->activeBrowser();
    if (!active || !active->document().isHtml())
        return;
    QList<UrlScheme::Link> links;
    const QList<Element> anchors =
        active->document().getElementsByTagName(QStringLiteral("a"), Document::OuterHtml | Document::InnerText);
    for (const Element &a : anchors)
        links.append({a.data().outerHTML, a.data().innerText});
    const QString seller = UrlScheme::palauta_tunnus(links);
    if (seller.trimmed().isEmpty())
        return;
    m_favourites.addSeller(seller);
    m_parts.host->naytapaneeli(QStringLiteral("Lisätty suosikkimyyjiin!"), kTicks);
}

void FavouritesTool::addActiveSearch()
{
    const QString address = FavouritesOverview::percentDecode(m_parts.tabs->aktiivisivu_locationurl());
    if (!address.contains(PathWord::hakutulos))
        return;
    m_favourites.addSearch(address);
    m_parts.host->naytapaneeli(QStringLiteral("Lisätty suosikkihakuihin!"), kTicks);
}

void FavouritesTool::Lissuosikkimyyjiin1Click()
{
    const auto name = m_parts.prompts->input(kSellerCaption, QStringLiteral("Anna tunnus?"));
    if (!name || name->isEmpty())
        return;
    // A favourite that begins with the name counts as that seller: saying
    // "Lisätty!" then would claim an addition that never happened.
    const bool added = m_favourites.addSellerByName(*name);
    m_parts.host->naytapaneeli(added ? QStringLiteral("Lisätty!")
                                     : QStringLiteral("Suosikkimyyjissä on jo vastaava tunnus!"),
                               kTicks);
}

void FavouritesTool::Poistasuosikkimyyjist1Click()
{
    const auto name = m_parts.prompts->input(QStringLiteral("Poista suosikkimyyjistä"), QStringLiteral("Anna tunnus?"));
    if (!name || name->isEmpty())
        return;
    const bool removed = m_favourites.removeSeller(*name);
    m_parts.host->naytapaneeli(removed ? QStringLiteral("Poistettu!") : QStringLiteral("Ei löytynyt!"), kTicks);
}

void FavouritesTool::Suosikkimyyjthaut1Click()
{
    const QStringList &sellers = m_favourites.sellers();
    const QStringList &searches = m_favourites.searches();
    if (sellers.isEmpty() && searches.isEmpty()) {
        m_parts.prompts->information(FavouritesOverview::emptyMessage());
        return;
    }
    m_parts.preview->showCentred(false);
    m_parts.preview->WBLoadHTML(FavouritesOverview::html(sellers, searches, m_parts.webBase),
                                QUrl(m_parts.webBase));
}

// Called inside the engine's navigation callback: the refused link's work
// (a user-id lookup that waits, a navigation of the active tab) runs after
// it has returned.
void FavouritesTool::WB_previewBeforeNavigate2(NavigationArgs *args)
{
    if (!args->mainFrame)
        return;
    const QString target = args->url.toString();
    const FavouritesOverview::Link link = FavouritesOverview::link(target);
    switch (link.kind) {
    case FavouritesOverview::Link::Kind::Other:
        return;
    case FavouritesOverview::Link::Kind::Seller:
        QTimer::singleShot(0, this, [this, name = link.name] { openSeller(name); });
        break;
    case FavouritesOverview::Link::Kind::DeleteSearch:
        // The question waits: it is asked after the engine's callback.
        QTimer::singleShot(0, this, [this, position = link.position] { deleteSearch(position); });
        break;
    case FavouritesOverview::Link::Kind::Search:
        QTimer::singleShot(0, this, [this, target] {
            m_parts.preview->closePreview();
            m_parts.tabs->aktiivisivu_navigate(target);
        });
        break;
    }
    args->cancel = true;
}

void FavouritesTool::deleteSearch(int position)
{
    if (m_parts.prompts->confirm(QStringLiteral("Poistetaanko tallennettu haku?")) != Prompts::Answer::Yes)
        return;
    m_favourites.removeSearchAt(position);
    m_parts.host->queueCommand(QStringLiteral("suosikkihaut"));
}

// A name the marketplace does not know leaves the active tab as it is.
void FavouritesTool::openSeller(const QString &name)
{
    if (name.trimmed().isEmpty())
        return;
    const QString userId = m_parts.lookup(name);
    if (userId.isEmpty())
        return;
    m_parts.preview->closePreview();
    m_parts.tabs->aktiivisivu_navigate(UrlScheme::myyjanKohteet(m_parts.webBase, userId));
}
