#pragma once
// An embedded browser as the features drive it: navigation, its state and
// the waits. VasaroPage implements it over Qt WebEngine.
#include <QString>
#include <QUrl>

class Document;

class Browser {
public:
    virtual ~Browser() = default;

    // Navigate; noHistory (flag 2) leaves no history entry.
    virtual void Navigate(const QUrl &url, bool noHistory = false) = 0;
    virtual void GoBack() = 0;
    virtual void GoForward() = 0;
    virtual void Refresh() = 0;
    virtual void Stop() = 0;

    virtual QString LocationURL() const = 0;
    virtual QString LocationName() const = 0;     // the page title
    virtual bool Busy() const = 0;
    virtual int ReadyState() const = 0;           // 4 = complete, 0 before the first page

    // Waits while Busy or ReadyState is not 4, keeping the window responsive;
    // true when ready, false once the limit (ms) has passed.
    virtual bool browser_wait(int limitMs) = 0;
    virtual bool browser_wait2(int limitMs) = 0;
    // Preview browser: a blank page without history, then the HTML written
    // into it.
    virtual void WBLoadHTML(const QString &html) = 0;

    virtual Document &document() = 0;
};
