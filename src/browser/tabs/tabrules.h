#pragma once
// Small rules of the tab manager and the toolbar, kept apart from the widgets
// so they can be tested without a browser.
#include <QString>

namespace TabRules {
// Caption of a tab for its page title: "Uusi kohde.." on the marketplace's
// new-listing form, long titles cut to 25 characters + "..", "Avataan.." for
// an empty or blank page.
QString captionFor(const QString &title);
// A blank tab ("about:blank"): captioned "Uusi välilehti", its address box
// left empty for the user's address.
bool isBlank(const QString &url);
// The address box never shows "javascript:" addresses.
bool addressBoxAccepts(const QString &url);
// Refresh re-navigates to the address-box text when it is a marketplace
// address (so a posted page is fetched again with GET), else reloads.
bool refreshNavigatesAgain(const QString &addressText, const QString &domain);
// The address box adds a typed text to its history when the list has room and
// the text looks like a bare host name ("www.vasaro.fi"): no ":" but a ".".
bool typedTextGoesToHistory(const QString &text, int listCount);
// Caption of the favourites button `XiButton14` for the active page:
// "Lisää suosikkihakuihin" on a search page, "Lisää suosikkimyyjiin" on an
// item page, "" (button hidden) elsewhere.
QString favouriteButtonCaption(const QString &address);
}
