#pragma once
// The own-sales page's link menu commands on a listing: re-list it in three
// strengths (open the re-list form; open and send it to preview; open it in
// a background tab that sends, approves and publishes it) and close it.
#include <QString>

class HttpApi;
class Prompts;
class UrlScheme;
struct Settings;

// What the commands need of the main window.
class RelistHost {
public:
    virtual ~RelistHost() = default;
    // The link the menu was opened on: the status-bar text when it holds a
    // "/", else the remembered link address, which is cleared.
    virtual QString takeLink() = 0;
    virtual int activeTabIndex() const = 0;
    // Opens the address in a new tab, which becomes the active one.
    virtual void openInNewTab(const QString &address) = 0;
    // Makes the tab active again and shows its address in the address bar.
    virtual void restoreTab(int index) = 0;
    // The status notice `Xipanel6` and the centred notice, in seconds.
    virtual void statusNotice(const QString &text, int seconds) = 0;
    virtual void naytapaneeli(const QString &text, int seconds) = 0;
    // The closing-time panel's refresh (`paivita_aukiolo`).
    virtual void refreshClosingTime() = 0;
};

class Relisting final {
public:
    enum class Kind {
        Open,          // "Huutokauppaa uudelleen"
        Send,          // "Huutokauppaa uudelleen + lähetä"
        SendApprove,   // "HK uudelleen + lähetä + hyväksy"
    };
    static constexpr int kCloseTimeoutMs = 50000;

    Relisting(const Settings &settings, const UrlScheme &urls, HttpApi &http, Prompts &prompts, RelistHost &host);

    void huutouudelleenClick(Kind kind);
    void lopetahuutoClick();

    // web base + "uusi-ilmoitus/" + item number + "/republish", with
    // "/uudelleen/1" (send) or "/uudelleen/12" (send and approve).
    static QString relistAddress(const QString &webBase, const QString &itemNumber, Kind kind);

private:
    const Settings &m_settings;
    const UrlScheme &m_urls;
    HttpApi &m_http;
    Prompts &m_prompts;
    RelistHost &m_host;
};
