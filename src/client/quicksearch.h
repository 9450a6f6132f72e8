#pragma once
// User-id lookup through the marketplace's own search form, and the quick
// searches by item number and by user name (menu, keyboard, search panel and
// legacy links). Each quick search returns the address the active tab should
// open, or "" when nothing is to be opened; the caller navigates.
#include "client/urlscheme.h"
#include <QString>

class HttpApi;
class Prompts;

class QuickSearch final {
public:
    explicit QuickSearch(const UrlScheme &urls, HttpApi &http);

    // The user id of a user name that is already in UTF-8 and URL-encoded:
    // posts a seller search and reads the digits (at most 8) after the first
    // "/haku/sellernro/" of the answer. "" when none is found; then
    // `connectionFailed` (when given) tells whether the marketplace could not
    // be reached at all.
    QString tunnuksestaid(const QString &encodedName, bool *connectionFailed = nullptr) const;
    // The same for a plain user name (encoded here).
    QString kayttajanId(const QString &name, bool *connectionFailed = nullptr) const;

    // Menu "Kohdenumerolla haku  Ctrl + H" and the deferred command "kohdehaku".
    QString KohdenumerollahakuClick(Prompts &prompts) const;
    // Menu "Käyttäjä haku  Ctrl + K" and the deferred command "kayttajahaku".
    QString Kyttjhaku1Click(Prompts &prompts) const;

    // Search panel: `haku_kohde` with `XiButton2`. Non-empty result: open it
    // and hide the search panel.
    QString XiButton2Click(const QString &haku_kohde) const;
    // Search panel: `haku_kayttaja` with `XiButton6`. Non-empty result: open
    // it and hide the search panel.
    QString XiButton6Click(const QString &haku_kayttaja, Prompts &prompts) const;

private:
    QString profileOf(const QString &name, Prompts &prompts) const;

    UrlScheme m_urls;
    HttpApi &m_http;
};
