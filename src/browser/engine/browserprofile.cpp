#include "browser/engine/browserprofile.h"
#include "browser/engine/emptypagehandler.h"
#include "browser/engine/processmodel.h"
#include "browser/policy/requestinterceptor.h"
#include "browser/engine/scriptsource.h"
#include "browser/engine/vasaropage.h"
#include "core/endpoints.h"
#include "core/paths.h"
#include "core/privatestorage.h"
#include "core/settings.h"
#include <QNetworkProxy>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineUrlScheme>

namespace {
const char kVersion[] = VS_VERSION;

void applyProxy(const Endpoints &endpoints)
{
    // Qt WebEngine follows the application proxy (also when it is set after
    // the engine has started); the program's own HTTP uses the same one.
    const QUrl proxy(endpoints.proxy());
    if (proxy.isValid() && !proxy.host().isEmpty())
        QNetworkProxy::setApplicationProxy(
            QNetworkProxy(QNetworkProxy::HttpProxy, proxy.host(), quint16(proxy.port(8080))));
}

QString wwwHost(const Endpoints &endpoints)
{
    return QUrl(endpoints.webBase()).host();
}

// The marketplace's web and API origins, for the engine's process model.
QByteArray marketplaceOrigins(const Endpoints &endpoints)
{
    QList<QByteArray> origins;
    for (const QString &address : {endpoints.webBase(), endpoints.apiBase()}) {
        const QUrl url(address);
        if (url.isValid() && !url.host().isEmpty() && !url.host().contains(u','))
            origins << url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment
                                    | QUrl::RemoveUserInfo).toString(QUrl::FullyEncoded).toLatin1();
    }
    return origins.join(',');
}
}

void BrowserProfile::registerSchemes()
{
    if (QWebEngineUrlScheme::schemeByName(HostPolicy::replacementScheme().toLatin1()).name().isEmpty()) {
        QWebEngineUrlScheme scheme(HostPolicy::replacementScheme().toLatin1());
        scheme.setSyntax(QWebEngineUrlScheme::Syntax::Path);
        scheme.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::CorsEnabled);
        QWebEngineUrlScheme::registerScheme(scheme);
    }
}

QString BrowserProfile::agentWithVersion(const QString &engineAgent)
{
    QString agent = engineAgent;
    const int paren = agent.indexOf(u')');
    if (paren >= 0)
        agent.replace(paren, 1, QStringLiteral("; VSselain") + QLatin1String(kVersion) + u')');
    return agent;
}

BrowserProfile::BrowserProfile(Settings *settings, const Endpoints &endpoints, QObject *parent)
    : QObject(parent),
      m_settings(settings),
      m_policy(settings, endpoints.domain(), wwwHost(endpoints))
{
    applyProxy(endpoints);
    ProcessModel::apply(marketplaceOrigins(endpoints));
    const QString data = Paths::dataFolder();
    {
        // The engine creates a profile's first folders, and those of its
        // default profile (made even when unused), from the XDG folders
        // under HOME: they point into the data folder meanwhile, and the
        // default profile gets folders of its own there.
        const PrivateStorage::XdgRedirect redirect(data);
        QWebEngineProfile *unused = QWebEngineProfile::defaultProfile();
        unused->setPersistentStoragePath(data + QStringLiteral("selain/oletus"));
        unused->setCachePath(data + QStringLiteral("selain/oletus/valimuisti"));
        m_profile = new QWebEngineProfile(QStringLiteral("VSselain"), this);
        ProcessModel::engineStarted();
    }
    m_profile->setPersistentStoragePath(data + QStringLiteral("selain"));
    m_profile->setCachePath(data + QStringLiteral("selain/valimuisti"));
    m_profile->setHttpCacheType(QWebEngineProfile::DiskHttpCache);
    m_profile->setPersistentCookiesPolicy(QWebEngineProfile::AllowPersistentCookies);

    m_userAgent = agentWithVersion(m_profile->httpUserAgent());
    m_profile->setHttpUserAgent(m_userAgent);

    m_schemeHandler = std::make_unique<EmptyPageHandler>();
    m_profile->installUrlSchemeHandler(HostPolicy::replacementScheme().toLatin1(), m_schemeHandler.get());
    m_interceptor = std::make_unique<RequestInterceptor>(&m_policy);
    m_profile->setUrlRequestInterceptor(m_interceptor.get());
    installScripts();
}

BrowserProfile::~BrowserProfile()
{
    // Pages must go before their profile.
    for (const QPointer<VasaroPage> &page : std::as_const(m_pages))
        delete page.data();
    m_profile->setUrlRequestInterceptor(nullptr);
    m_profile->removeAllUrlSchemeHandlers();
    delete m_profile;
    m_profile = nullptr;
}

void BrowserProfile::installScripts()
{
    // Every script is built from scratch: a copied script would collide.
    QWebEngineScript capture;
    capture.setName(QStringLiteral("vs-bridge"));
    capture.setInjectionPoint(QWebEngineScript::DocumentCreation);
    capture.setWorldId(QWebEngineScript::ApplicationWorld);
    capture.setRunsOnSubFrames(true);
    capture.setSourceCode(ScriptSource::channelLibrary() + ScriptSource::load(QStringLiteral("bridge.js"))
                          + ScriptSource::load(QStringLiteral("formcapture.js")));
    m_profile->scripts()->insert(capture);

    QWebEngineScript ready;
    ready.setName(QStringLiteral("vs-ready"));
    ready.setInjectionPoint(QWebEngineScript::DocumentReady);
    ready.setWorldId(QWebEngineScript::ApplicationWorld);
    ready.setRunsOnSubFrames(false);
    ready.setSourceCode(ScriptSource::load(QStringLiteral("pageready.js")));
    m_profile->scripts()->insert(ready);
}

HostPolicy::DownloadOptions BrowserProfile::takeDownloadAnswer()
{
    const HostPolicy::DownloadOptions answer = HostPolicy::downloadOptions(*m_settings, m_approveMode);
    m_approveMode = false;
    return answer;
}

void BrowserProfile::updatedloptions()
{
    for (const QPointer<VasaroPage> &page : std::as_const(m_pages))
        if (page)
            update_dloption(page);
}

void BrowserProfile::update_dloption(VasaroPage *page)
{
    if (page)
        page->applyDownloadOptions(page->isAuxiliary() ? HostPolicy::auxiliaryOptions() : takeDownloadAnswer());
}

void BrowserProfile::addPage(VasaroPage *page)
{
    m_pages.removeAll(nullptr);
    m_pages << page;
}
