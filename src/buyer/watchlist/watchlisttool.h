#pragma once
// The watch list ("muistilista") and the e-mail reminder: the background
// check of the watch list (after a sign-in, every ten minutes and on the
// watch-list page itself) with its alert, adding a listing from the link
// menu, and ordering a reminder for the item page shown.
//
//   watchlistpage.h    reading the watch-list page
//   reminderrules.h    the reminder's hours, fields and user number
//   reminder.h         ordering the reminder (`postiaClick`)
//   watchlistalert.h   the alert panel `XiPanel3`
//   watchlistnotice.h  the desktop notification of an alert
#include "browser/features/watchlistfeature.h"
#include "buyer/watchlist/reminder.h"
#include <QString>

class ApiSession;
class HttpApi;
class ProgramClock;
class Prompts;

// What the tool needs of the main window.
class WatchListHost {
public:
    virtual ~WatchListHost() = default;
    // The message panel `paneeli`.
    virtual void naytapaneeli(const QString &text, int ticks) = 0;
    // Shows the watch-list alert `XiPanel3` with the text.
    virtual void showWatchListAlert(const QString &text) = 0;
};

class WatchListTool final : public WatchListFeature {
public:
    // The reminder's parts and the watch list's own.
    struct Parts : EmailReminder::Parts {
        WatchListHost *host = nullptr;
        QString webBase;          // "https://www.<host>/"
    };
    explicit WatchListTool(const Parts &parts);

    static constexpr int kTimeoutMs = 20000;

    // Reads the watch list over HTTP and checks it.
    void ladataanmuistilista() override;
    // Shows the alert when the page marks a listing as closing.
    void katsotaanmuistilista(const QString &pageHtml) override;
    // The ten-minute check: only while a user is signed in.
    void Timer2Timer();
    // "Lisää muistilistaan": the listing of the link command's address.
    void Liskirjanmerkkeihin1Click(const QString &linkAddress);
    // The e-mail reminder, see EmailReminder.
    void postiaClick(const QString &addressText, const QString &tabAddress);

private:
    Parts m_parts;
    EmailReminder m_reminder;
};
