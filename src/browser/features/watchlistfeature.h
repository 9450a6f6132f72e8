#pragma once
// Watch-list check: reminders of listings about to close.
#include <QString>

class WatchListFeature {
public:
    virtual ~WatchListFeature() = default;

    // Fetches the watch-list page over HTTP and checks it.
    virtual void ladataanmuistilista() = 0;
    // Checks the given watch-list page HTML.
    virtual void katsotaanmuistilista(const QString &pageHtml) = 0;
};
