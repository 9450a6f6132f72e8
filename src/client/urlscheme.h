#pragma once
// The marketplace's address scheme: base addresses, path words, the address
// builders and the tests that tell what kind of page an address is.
// Every test works on the lower-cased address.
#include "core/endpoints.h"
#include <QList>
#include <QString>
#include <QUrl>

// Path words of the marketplace. Those without a leading "/" are appended to
// the web base address; those with one are searched for in addresses.
namespace PathWord {
inline constexpr QLatin1String kohteet("kohteet/");                // + item number: an item page
inline constexpr QLatin1String kohdesivu("/kohteet/");             // item pages and item links in result cards
inline constexpr QLatin1String kayttaja("kayttaja/");              // + user id: a profile page
inline constexpr QLatin1String kayttajalinkki("/kayttaja/");       // a link to a profile inside a page
inline constexpr QLatin1String haku("haku");                       // target of the search form (POST)
inline constexpr QLatin1String myyjanKohteet("/haku/sellernro/");  // + user id: one seller's open listings
inline constexpr QLatin1String myyjanKohteetOsoite("haku/sellernro/");
inline constexpr QLatin1String sivu("/page/");                     // + n (from 1): a page of that list
inline constexpr QLatin1String hakutulos("/haku");                 // a search result page
inline constexpr QLatin1String rakenteinenHaku("haku/");           // + segments: a structured search
inline constexpr QLatin1String tarkennettuHaku("/haku/advanced/"); // the marketplace's advanced search
inline constexpr QLatin1String luettavaHakutulos("hakutulos");     // results the search form can read back
inline constexpr QLatin1String osasto("/osasto/");                 // a category listing page
inline constexpr QLatin1String uusiIlmoitus("uusi-ilmoitus");      // the new-listing form
inline constexpr QLatin1String muokkaaIlmoitusta("muokkaa-ilmoitusta"); // the edit-listing form
inline constexpr QLatin1String uudelleen("uudelleen/1");           // with "uusi-ilmoitus": a re-list form
inline constexpr QLatin1String uudelleen12("uudelleen/12");        // a re-list step early processing leaves alone
inline constexpr QLatin1String esikatselu("/esikatsele/");         // a listing's preview page
inline constexpr QLatin1String muistilista("omasivu/muistilista"); // the watch list
inline constexpr QLatin1String muistilistaanLisays("omasivu/muistilista/add-ajax/item/"); // + item number
inline constexpr QLatin1String omasivu("/omasivu/");               // the user's own pages
inline constexpr QLatin1String omasivuOsoite("omasivu");           // the own pages' front page
inline constexpr QLatin1String omatMyynnit("omasivu/myynnit");     // the user's own sales
inline constexpr QLatin1String kirjaudu("/kirjaudu");              // login form target
inline constexpr QLatin1String kirjauduUlos("kirjaudu-ulos");      // logout
inline constexpr QLatin1String keskustelu("/keskustelu");          // with "/show/": a forum thread
inline constexpr QLatin1String keskusteluketju("/show/");
inline constexpr QLatin1String vanhaKohdehaku("kohdenumerollahaku.php3"); // legacy quick item search link
inline constexpr QLatin1String vanhaKayttajahaku("kayttajahaku.php3");    // legacy quick user search link
inline constexpr QLatin1String kohdeId("/id/");                    // + item number: older item addresses
inline constexpr QLatin1String kohdeItemId("/itemid/");            // + item number: older item addresses
inline constexpr QLatin1String kayttajatunnus("kayttajatunnus/");  // + name: a seller link of the favourites overview
inline constexpr QLatin1String poistahauista("poistahauista/");    // + position: a search's remove link there
inline constexpr QLatin1String uudelleenlistaus("/republish");     // after "uusi-ilmoitus/" + item number: re-list
// Below the API base address.
inline constexpr QLatin1String apiKohde("items/");                 // + item number
inline constexpr QLatin1String apiKayttaja("users/");              // + user id
} // namespace PathWord

class UrlScheme final {
public:
    explicit UrlScheme(const Endpoints &endpoints);

    // Base addresses (from the endpoints keys web_base, domain and api_base).
    QString webBase() const { return m_webBase; }      // "https://www.<host>/"
    QString domain() const { return m_domain; }        // host without "www."
    QString apiBase() const { return m_apiBase; }      // ends in "/1.1/"
    // The looser test word: any marketplace host contains it.
    static QString marketplaceWord() { return QStringLiteral("vasaro"); }

    // Address builders.
    QString web(const QString &path) const { return m_webBase + path; }
    QString api(const QString &path) const { return m_apiBase + path; }
    QString kohde(const QString &itemNumber) const;              // item page
    QString kayttaja(const QString &userId) const;               // profile page
    QString hakulomake() const;                                  // search form POST target
    QString myyjanKohteet(const QString &userId) const;          // one seller's open listings
    QString myyjanKohteetSivu(const QString &userId, int page) const;
    QString haku(const QString &segments) const;                 // structured search
    QString muistilista() const;
    QString omasivu() const;
    QString muistilistaanLisays(const QString &itemNumber) const;

    // The same builders for features given only a base address (the web
    // base "https://www.<host>/" or the API base ending in "/1.1/").
    static QString kohde(const QString &webBase, const QString &itemNumber);
    static QString myyjanKohteet(const QString &webBase, const QString &userId);
    static QString myyjanKohteetSivu(const QString &webBase, const QString &userId, int page);
    static QString muistilista(const QString &webBase);
    static QString muistilistaanLisays(const QString &webBase, const QString &itemNumber);
    // The re-list form of an item: "uusi-ilmoitus/<item>/republish".
    static QString relistForm(const QString &webBase, const QString &itemNumber);
    static QString apiItem(const QString &apiBase, const QString &itemNumber);          // items/<item>
    static QString apiItemPurchases(const QString &apiBase, const QString &itemNumber); // .../purchases
    static QString apiLatestBid(const QString &apiBase, const QString &itemNumber);     // .../bids?&num=1
    static QString apiUser(const QString &apiBase, const QString &userId);              // users/<id>

    // What an address is.
    bool isMarketplace(const QString &url) const;                // contains the domain
    static bool mentionsMarketplace(const QString &url);         // contains "vasaro"
    static bool isItemPage(const QString &url);                  // "/kohteet/"
    static bool isSearchResult(const QString &url);              // "/haku"
    static bool isAdvancedSearch(const QString &url);            // "/haku/advanced/"
    static bool isReadableSearchResult(const QString &url);      // "hakutulos"
    static bool isCategoryPage(const QString &url);              // "/osasto/"
    // A page of listings the seller filter and the result-page tools work
    // on: "/haku" anywhere, or a category listing "/osasto/" + name + "/" +
    // number + "/" (other "/osasto/" addresses are not).
    static bool isListingPage(const QString &url);
    static bool isNewListingForm(const QString &url);            // "uusi-ilmoitus"
    // The new-listing form itself, not its preview.
    static bool isNewListingFormShown(const QString &url);
    static bool isRelistForm(const QString &url);                // "uudelleen/1" and "uusi-ilmoitus"
    static bool isRelistStep12(const QString &url);              // "uudelleen/12"
    static bool isEditListingForm(const QString &url);           // "muokkaa-ilmoitusta"
    static bool isPreviewPage(const QString &url);               // "/esikatsele/"
    static bool isWatchList(const QString &url);                 // "omasivu/muistilista"
    static bool isOwnPage(const QString &url);                   // "/omasivu/"
    static bool isOwnSales(const QString &url);                  // "omasivu/myynnit"
    static bool isLogin(const QString &url);                     // "/kirjaudu"
    static bool isLogout(const QString &url);                    // "kirjaudu-ulos"
    static bool isForumThread(const QString &url);               // "/keskustelu" and "/show/"
    // The part of a text from the item-page word on ("kohteet/12345678"), or
    // "" when the text holds no item-page address.
    static QString fromItemWord(const QString &text);
    // The deferred command a legacy quick-search link stands for:
    // "kayttajahaku", "kohdehaku", or "" for any other address.
    static QString legacyQuickSearchCommand(const QString &url);
    // The same, only for links to a marketplace host (no other site may open
    // the program's dialogs).
    static QString legacyQuickSearchCommand(const QUrl &url, const QString &domain);

    // An http or https address whose host is the marketplace domain or one of
    // its subdomains; an address that merely mentions the domain elsewhere
    // ("evil.test/vasaro.fi/", "vasaro.fi.evil.test") is not.
    static bool isMarketplaceHost(const QUrl &url, const QString &domain);
    // Where the marketplace's sign-in form posts: a marketplace host with
    // "/kirjaudu" in the path.
    static bool isSignInTarget(const QUrl &url, const QString &domain);

    // One "A" element of a page: its outer HTML and inner text.
    struct Link {
        QString outerHtml;
        QString innerText;
    };
    // The seller's user name on an item page, from the page's links in
    // document order: the text of the first link to a profile ("/kayttaja/"),
    // one leading space removed. "" when there is none.
    static QString palauta_tunnus(const QList<Link> &links);

private:
    QString m_webBase;
    QString m_domain;
    QString m_apiBase;
};
