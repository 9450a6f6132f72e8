#pragma once
// The search form's logic: the marketplace search address built from the
// form's values (segments in a fixed order), and the way back, from a search
// result address and its page to the form's values.
#include "buyer/searchform/searchcriteria.h"
#include "client/urlscheme.h"
#include <QString>

class Document;
class QuickSearch;

class SearchForm final {
public:
    SearchForm(const UrlScheme &urls, const QuickSearch &quick);

    // "HAE": the seller's and bidder's user ids are looked up (only for names
    // that are given; a name without an id is left out of the search), and the
    // search address is returned. "" when no criterion is set: nothing opens.
    QString tee_hakuClick(const SearchCriteria &criteria) const;

    // The path after "haku/", with the user ids already known ("" = none).
    static QString segments(const SearchCriteria &criteria, const QString &sellerId, const QString &bidderId);

    // The value of one parameter of a search address, from either the path
    // form (".../words/abc/") or the query form ("?words=abc&"), percent- and
    // UTF-8-decoded. The name is matched without regard to case and only as a
    // whole word, so "words" is not read out of "wordsfrom". "" when absent.
    static QString parameter(const QString &address, const QString &name);

    // Fills the values an address carries; values it does not recognise leave
    // their control unchanged. Seller and bidder are not in the address (it
    // holds only their ids); `categories` becomes the parts of "category"
    // (empty when there is none).
    static void lue_osoitteesta(const QString &address, SearchCriteria &criteria);

    // The value of the first form field (INPUT, SELECT or TEXTAREA) of the
    // given name in the page; "" when there is none.
    static QString formField(Document &document, const QString &name);

    // "Tyhjennä lomake": everything but `wordsfrom` back to its default.
    static void tyhjenna_lomake(SearchCriteria &criteria);

private:
    UrlScheme m_urls;
    const QuickSearch &m_quick;
};
