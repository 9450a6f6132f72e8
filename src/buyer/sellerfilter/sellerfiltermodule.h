#pragma once
// The seller filter as a feature module: its "Toiminnot" menu items, the
// link menu item "Lisää suodattimeen", the Delete command "suodatakohde" of
// result pages, the filtering step of the page pipeline, and the notices it
// shows in the main window.
#include "browser/features/modulecontext.h"
#include "buyer/sellerfilter/filterhost.h"
#include <QObject>
#include <functional>

class BrowserProfile;
class QuickSearch;
class SellerFilterTool;

class SellerFilterModule final : public QObject, public FilterHost {
public:
    // `lifetimeReset` runs when the filter has reset the lifetime setting,
    // so the settings dialog can show the new value.
    SellerFilterModule(const ModuleContext &context, BrowserProfile *profile, QuickSearch &quick,
                       const QString &dataFolder, std::function<void()> lifetimeReset);

    SellerFilterTool &tool() const { return *m_tool; }

    // FilterHost
    void naytapaneeli(const QString &text, int ticks) override { m_shell.naytapaneeli(text, ticks); }
    void statusNotice(const QString &text, int ticks) override { m_shell.statusNotice(text, ticks); }
    void Edit5Changed() override { m_lifetimeReset(); }

private:
    void plugIn(const ModuleContext &context);

    ShellHost &m_shell;
    std::function<void()> m_lifetimeReset;
    SellerFilterTool *m_tool = nullptr;
};
