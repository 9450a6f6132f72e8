#pragma once
// Folder browser/policy: what the browser host allows.
//   hostpolicy.h, requestinterceptor.h    requests and addresses
//   substringmatcher.h                    the address lists' one-pass test
//   contextmenupolicy.h, contextmenus.h   which right-click menu opens
//   downloadrules.h, downloadmanager.h    download options and downloads
//   cookiebridge.h, cookiefile.h          cookies shared with own requests
//
// What the browser host decides about requests, addresses, script messages and
// download options. Pure logic over the settings, read at every call so a
// changed check box takes effect on the next request. The address lists are
// compiled once; a request's test is one pass over its address.
#include "browser/policy/substringmatcher.h"
#include <QString>
#include <QStringList>
#include <QUrl>

struct Settings;

class HostPolicy final {
public:
    // `domain` is the marketplace's domain ("vasaro.fi"), `wwwHost` its web
    // host ("www.vasaro.fi"); both are matched in lower case.
    HostPolicy(const Settings *settings, const QString &domain, const QString &wwwHost);

    // Request blocking: list A while `poistamainokset` is on, list B while
    // `poistafb` is on, list C always. Case-sensitive substring tests.
    bool blocks(const QString &url) const;
    // Address replacement ("about:-"): tested on the lower-cased address.
    bool replaces(const QString &url) const;

    // The empty page that stands for "about:-". Its address contains
    // "about:-", so the pipeline recognises a replaced frame by it.
    static QString replacementScheme();   // "vsabout"
    static QUrl replacementUrl();         // vsabout:-

    // Script messages: alerts carry the warning icon of the platform's
    // message box, confirmations and prompts do not.
    enum class MessageKind { Alert, Confirm, Prompt };
    static bool swallowsMessage(const QString &text, MessageKind kind);

    // Download control. `flags` is the platform's DLCTL value (0x10 images,
    // 0x4000 no cache, 0x60 videos and sounds, 0x600 no ActiveX, 0x80 no
    // scripts); the booleans are what the engine can apply.
    struct DownloadOptions {
        int flags = 0;
        bool images = true;
        bool scripts = true;
        bool plugins = false;
        bool cache = true;
    };
    static DownloadOptions downloadOptions(const Settings &settings, bool approveMode);
    static DownloadOptions auxiliaryOptions();   // 22400 for the hidden browsers


private:
    bool replacesByLowerCase(const QString &url) const;

    const Settings *m_settings;
    QString m_domain;
    QString m_wwwHost;
    SubstringMatcher m_blockLists;     // lists A, B and C
    SubstringMatcher m_replaceLists;   // the replacement entries, domain and web host
};
