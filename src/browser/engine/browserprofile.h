#pragma once
// The browser profile shared by every tab: storage and cache inside the data
// folder, the proxy, the user-agent string, the "about:-" replacement page,
// the request interceptor of the host policy, the scripts every page gets
// (login-form capture, DOM-ready report) and the download-control answers.
#include "browser/policy/hostpolicy.h"
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <memory>

class Endpoints;
class QWebEngineProfile;
class QWebEngineUrlRequestInterceptor;
class QWebEngineUrlSchemeHandler;
class VasaroPage;
struct Settings;

class BrowserProfile final : public QObject {
    Q_OBJECT
public:
    // Registers the replacement page's scheme. Must run before the
    // QApplication is created (main and web tests call it first).
    static void registerSchemes();
    // The engine's own agent with "; VSselain4.05" before its first ")";
    // a text without ")" is returned unchanged.
    static QString agentWithVersion(const QString &engineAgent);

    // `settings` is read on every request; it must outlive the profile. The
    // first profile starts the engine with its process model (ProcessModel).
    BrowserProfile(Settings *settings, const Endpoints &endpoints, QObject *parent = nullptr);
    ~BrowserProfile() override;

    QWebEngineProfile *profile() const { return m_profile; }
    Settings *settings() const { return m_settings; }
    const HostPolicy &hostPolicy() const { return m_policy; }
    // The user-agent text, also for the program's own HTTP requests.
    QString userAgent() const { return m_userAgent; }

    // Approve mode (listing automation): the next download-control answer is
    // the lean one (no images, scripts or plug-ins), then the mode switches off.
    void setApproveMode(bool on) { m_approveMode = on; }
    bool approveMode() const { return m_approveMode; }
    HostPolicy::DownloadOptions takeDownloadAnswer();

    // Re-send the download-control settings to every tab page (after the
    // settings dialog closes) or to one page.
    void updatedloptions();
    void update_dloption(VasaroPage *page);

    // Pages register themselves so updatedloptions reaches them.
    void addPage(VasaroPage *page);

    // The engine menu's "Tallenna sivu..." of a page: the program saves the
    // page itself (asking where) instead of the engine.
    void requestPageSave(VasaroPage *page) { emit pageSaveRequested(page); }

signals:
    void pageSaveRequested(VasaroPage *page);

private:
    void installScripts();

    Settings *m_settings;
    HostPolicy m_policy;
    QWebEngineProfile *m_profile = nullptr;
    std::unique_ptr<QWebEngineUrlRequestInterceptor> m_interceptor;
    std::unique_ptr<QWebEngineUrlSchemeHandler> m_schemeHandler;
    QString m_userAgent;
    bool m_approveMode = false;
    QList<QPointer<VasaroPage>> m_pages;
};
