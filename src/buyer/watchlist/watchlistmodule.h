#pragma once
// The watch list and the e-mail reminder as a feature module: the alert
// `XiPanel3` in the toolbar row with its desktop notification, the
// ten-minute check of `Timer2`, the link menu item "Lisää muistilistaan", the
// button `postia` and the watch-list step of the page pipeline.
#include "browser/features/modulecontext.h"
#include "buyer/watchlist/watchlisttool.h"
#include <QObject>
#include <memory>

class ApiSession;
class Http;
class QTimer;
class QToolButton;
class WatchListAlert;
class WatchListNotice;

class WatchListModule final : public QObject, public WatchListHost {
public:
    // `timer2` is the main window's `Timer2`, switched on and off by the
    // settings.
    WatchListModule(const ModuleContext &context, Http &http, ApiSession &api, QTimer &timer2);
    ~WatchListModule() override;

    WatchListTool &tool() const { return *m_tool; }

    // WatchListHost
    void naytapaneeli(const QString &text, int ticks) override { m_shell.naytapaneeli(text, ticks); }
    // An alert that is new also goes to the desktop.
    void showWatchListAlert(const QString &text) override;

private:
    void plugIn(const ModuleContext &context);

    ShellHost &m_shell;
    QToolButton *m_mail;   // postia
    WatchListAlert *m_alert;
    WatchListNotice *m_notice;
    std::unique_ptr<WatchListTool> m_tool;
};
