#include "browser/engine/vasaropage.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/enginetexts.h"
#include "browser/engine/pagebridge.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/engine/webdocument.h"
#include "core/prompts.h"
#include "core/waitfor.h"
#include <QDesktopServices>
#include <QTimer>
#include <QWebEngineCertificateError>
#include <QWebChannel>
#include <QWebEngineHistory>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>

VasaroPage::VasaroPage(BrowserProfile *profile, Prompts *prompts, Role role, QObject *parent)
    : QWebEnginePage(profile->profile(), parent),
      m_profile(profile),
      m_prompts(prompts),
      m_role(role),
      m_channel(new QWebChannel(this)),
      m_bridge(new PageBridge(this)),
      m_document(std::make_unique<WebDocument>(this))
{
    m_channel->registerObject(QStringLiteral("vsBridge"), m_bridge);
    setWebChannel(m_channel, QWebEngineScript::ApplicationWorld);
    connect(m_bridge, &PageBridge::formData, this, &VasaroPage::onFormData);
    connect(m_bridge, &PageBridge::ready, this, [this](const QString &, const QStringList &frames) {
        afterEngineCallback([this, frames] {
            if (m_pipeline && m_tab)
                m_pipeline->domContentLoaded(*m_tab, frames);
        });
    });
    connect(this, &QWebEnginePage::loadStarted, this, &VasaroPage::onLoadStarted);
    connect(this, &QWebEnginePage::loadFinished, this, &VasaroPage::onLoadFinished);
    connect(this, &QWebEnginePage::certificateError, this, &VasaroPage::refuseCertificate);
    connect(this, &QWebEnginePage::linkHovered, this, [this](const QString &url) {
        if (m_pipeline && m_tab)
            m_pipeline->WBStatusTextChange(*m_tab, url);
    });
    EngineTexts::applyFinnish(this);
    // A page can never close its tab: windowCloseRequested is left unanswered.
    profile->addPage(this);
    profile->update_dloption(this);
}

VasaroPage::~VasaroPage() = default;

void VasaroPage::afterEngineCallback(const std::function<void()> &work)
{
    // The engine reports loads and channel messages from inside its own
    // tasks, where a script answer waited for never arrives. A queued call
    // (posted event) is not enough either: while a handler started from one
    // waits, the engine's answer is held back until it gives up. A timer
    // event is free of both. A zero-interval timer object gives a timer event
    // on the loop's next pass (QTimer::singleShot(0) would be a queued call),
    // without the wait for the clock a one-millisecond timer costs.
    auto *timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setInterval(0);
    connect(timer, &QTimer::timeout, this, [timer, work] {
        timer->deleteLater();
        work();
    });
    timer->start();
}

void VasaroPage::setPipeline(PagePipeline *pipeline, PipelineTab *tab)
{
    m_pipeline = pipeline;
    m_tab = tab;
}

void VasaroPage::applyDownloadOptions(const HostPolicy::DownloadOptions &options)
{
    m_options = options;
    QWebEngineSettings *s = settings();
    s->setAttribute(QWebEngineSettings::AutoLoadImages, options.images);
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, options.scripts);
    // The engine's PDF viewer is the one plugin it has left, and it shows only
    // with plugins on: a tab shows a PDF document whatever the ActiveX choice.
    const bool pdfViewer = !isAuxiliary();
    s->setAttribute(QWebEngineSettings::PluginsEnabled, options.plugins || pdfViewer);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, pdfViewer);
    // Script errors never interrupt and the engine's own error pages stay.
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, true);
    // Outside programs only after the user's click; the question is asked
    // in acceptNavigationRequest.
    s->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowUnknownUrlSchemesFromUserInteraction);
}

void VasaroPage::Copycutpaste(int item)
{
    switch (item) {
    case 5: triggerAction(QWebEnginePage::Copy); break;
    case 6: triggerAction(QWebEnginePage::Cut); break;
    case 7: triggerAction(QWebEnginePage::Paste); break;
    default: break;
    }
}

void VasaroPage::triggerAction(WebAction action, bool checked)
{
    if (action == QWebEnginePage::SavePage && !isAuxiliary()) {
        m_profile->requestPageSave(this);
        return;
    }
    QWebEnginePage::triggerAction(action, checked);
}

void VasaroPage::noteUserInput()
{
    ++m_inputSerial;
    m_lastInput.start();
}

namespace {
// How long a click or key counts as the user's wish (the engine's own
// window for a user's activation is five seconds as well).
constexpr qint64 kUserActionMs = 5000;
}

bool VasaroPage::userActedRecently() const
{
    return m_lastInput.isValid() && m_lastInput.elapsed() < kUserActionMs;
}

namespace {
// Schemes the engine shows itself; any other goes to an outside program.
bool isEngineScheme(const QString &scheme)
{
    static const QStringList own{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("file"),
                                 QStringLiteral("about"), QStringLiteral("data"), QStringLiteral("blob"),
                                 QStringLiteral("javascript"), QStringLiteral("qrc"), QStringLiteral("view-source"),
                                 QStringLiteral("chrome"), QStringLiteral("devtools"), QStringLiteral("ws"),
                                 QStringLiteral("wss"), QStringLiteral("ftp"), QStringLiteral("filesystem")};
    return own.contains(scheme) || scheme == HostPolicy::replacementScheme();
}
}

// An address for an outside program (mailto: and the like) never leaves
// without a question, and the question comes only for the user's own click
// or typed address, once per click: a page cannot start programs by
// itself, nor ask again and again. The engine is never let open it itself.
bool VasaroPage::refuseOutsideScheme(const QUrl &url, NavigationType type)
{
    if (url.scheme().isEmpty() || isEngineScheme(url.scheme().toLower()))
        return false;
    const bool typed = type == NavigationTypeTyped;
    const bool clicked = m_inputSerial != m_askedSerial && userActedRecently();
    if (typed || clicked) {
        m_askedSerial = m_inputSerial;
        // Not from inside the engine's navigation callback.
        QTimer::singleShot(0, this, [this, url] { askOutsideProgram(url); });
    }
    return true;
}

void VasaroPage::askOutsideProgram(const QUrl &url)
{
    if (!m_prompts)
        return;
    const QString question = QStringLiteral("Avataanko linkki ulkoisessa ohjelmassa?\r") + url.toDisplayString();
    if (m_prompts->confirm(question) == Prompts::Answer::Yes)
        QDesktopServices::openUrl(url);
}

bool VasaroPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (refuseOutsideScheme(url, type))
        return false;
    NavigationArgs args;
    args.url = url;
    args.mainFrame = isMainFrame;
    args.kind = NavigationArgs::Kind(type);
    if (type == NavigationTypeFormSubmitted && !m_pendingFormBody.isEmpty()
        && m_pendingFormAction.adjusted(QUrl::RemoveFragment) == url.adjusted(QUrl::RemoveFragment)) {
        args.postData = m_pendingFormBody;
        args.headers = QStringLiteral("Content-Type: application/x-www-form-urlencoded\r\n");
        m_pendingFormBody.clear();
        m_pendingFormAction.clear();
    }
    if (m_pipeline && m_tab)
        m_pipeline->WBBeforeNavigate2(*m_tab, args);
    emit beforeNavigate2(this, &args);
    if (args.cancel && isMainFrame)
        ++m_cancelledLoads;     // the engine still reports this as a failed load
    else if (isMainFrame && m_loading)
        m_navigatedWhileLoading = url;
    return !args.cancel;
}

// The blocking of a page's dialogs lasts until another page has loaded: a
// navigation only started leaves the old document running (a loop of alerts
// goes on until the new page replaces it), and a page changing its own
// address (history.pushState) is still the same page.
void VasaroPage::newDocument()
{
    m_pageDialogs = 0;
    m_dialogsBlocked = false;
}

void VasaroPage::onFormData(const QString &action, const QString &body)
{
    m_pendingFormAction = QUrl(action);
    m_pendingFormBody = body.toUtf8();
}

void VasaroPage::onLoadStarted()
{
    if (m_unreportedLoad)
        m_unreportedLoad->stop();
    m_navigatedWhileLoading.clear();
    m_loading = true;
    if (m_readyState == 4 || m_readyState == 0)
        m_readyState = 1;
}

void VasaroPage::onLoadFinished(bool ok)
{
    m_loading = false;
    if (ok)
        newDocument();
    m_readyState = 4;
    if (!ok && m_cancelledLoads > 0) {
        --m_cancelledLoads;
        return;
    }
    m_cancelledLoads = 0;
    const QUrl location = url();
    if (m_unreportedLoad)
        m_unreportedLoad->stop();
    m_reportedUrl = location;
    if (!m_navigatedWhileLoading.isEmpty() && m_navigatedWhileLoading != location)
        watchUnreportedLoad();
    m_navigatedWhileLoading.clear();
    afterEngineCallback([this, location] {
        if (m_pipeline && m_tab)
            m_pipeline->WBDocumentComplete(*m_tab, location);
        emit documentComplete(this, location);
    });
}

// Qt WebEngine 6.4 gives no loadStarted or loadFinished for a page whose
// navigation began while the previous page was still loading: without this,
// such a page (an address typed while the home page loads) would never be
// processed. The page's document is asked until it is complete.
void VasaroPage::watchUnreportedLoad()
{
    if (!m_unreportedLoad) {
        m_unreportedLoad = new QTimer(this);
        m_unreportedLoad->setInterval(100);
        connect(m_unreportedLoad, &QTimer::timeout, this, &VasaroPage::checkUnreportedLoad);
    }
    m_unreportedChecks = 0;
    m_unreportedLoad->start();
}

void VasaroPage::checkUnreportedLoad()
{
    if (m_loading || ++m_unreportedChecks > 600) {   // a real load report, or a minute gone
        m_unreportedLoad->stop();
        return;
    }
    const QUrl watched = url();
    runJavaScript(QStringLiteral("document.readyState"), QWebEngineScript::ApplicationWorld,
                  [this, watched](const QVariant &state) {
                      if (!m_unreportedLoad->isActive() || m_loading || url() != watched
                          || watched == m_reportedUrl || state.toString() != QLatin1String("complete"))
                          return;
                      m_unreportedLoad->stop();
                      onLoadFinished(true);
                  });
}

QWebEnginePage *VasaroPage::createWindow(WebWindowType type)
{
    return m_windowFactory ? m_windowFactory(type) : nullptr;
}

void VasaroPage::javaScriptAlert(const QUrl &securityOrigin, const QString &msg)
{
    if (HostPolicy::swallowsMessage(msg, HostPolicy::MessageKind::Alert))
        return;
    askPage(Prompts::PageDialog::Kind::Alert, securityOrigin, msg);
}

bool VasaroPage::javaScriptConfirm(const QUrl &securityOrigin, const QString &msg)
{
    // The engine asks its leave-page question here too, in English.
    if (EngineTexts::isLeavePageQuestion(msg))
        return !m_prompts || m_prompts->confirm(EngineTexts::leavePageQuestion()) == Prompts::Answer::Yes;
    if (HostPolicy::swallowsMessage(msg, HostPolicy::MessageKind::Confirm))
        return true;
    return askPage(Prompts::PageDialog::Kind::Confirm, securityOrigin, msg).accepted;
}

bool VasaroPage::javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                                  QString *result)
{
    if (HostPolicy::swallowsMessage(msg, HostPolicy::MessageKind::Prompt))
        return false;
    const Prompts::PageAnswer answer = askPage(Prompts::PageDialog::Kind::Prompt, securityOrigin, msg, defaultValue);
    if (answer.accepted && result)
        *result = answer.value;
    return answer.accepted;
}

// A page's dialog names the page's host. From the page's second dialog on
// the user may block the rest (a page looping alerts would otherwise hold
// the program); blocked dialogs are answered at once as cancelled, until
// the page loads another document.
Prompts::PageAnswer VasaroPage::askPage(Prompts::PageDialog::Kind kind, const QUrl &origin, const QString &text,
                                        const QString &value)
{
    if (!m_prompts || m_dialogsBlocked)
        return {};
    Prompts::PageDialog dialog;
    dialog.kind = kind;
    dialog.host = origin.host().isEmpty() ? url().host() : origin.host();
    if (dialog.host.isEmpty())
        dialog.host = (origin.isEmpty() ? url() : origin).toDisplayString();
    dialog.text = text;
    dialog.value = value;
    dialog.offerBlock = ++m_pageDialogs > 1;
    Prompts::PageAnswer answer = m_prompts->pageDialog(dialog);
    if (answer.blockFurther)
        m_dialogsBlocked = true;
    return answer;
}

void VasaroPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int, const QString &)
{
    // Script errors of pages are never shown or logged.
}

// Browser

void VasaroPage::Navigate(const QUrl &url, bool noHistory)
{
    wakeUp();
    // Busy at once, so a wait right after this call waits for the new page.
    m_loading = true;
    m_readyState = 1;
    if (noHistory) {
        // No history entry: the history is cleared after the load starts.
        load(url);
        history()->clear();
        return;
    }
    load(url);
}

void VasaroPage::GoBack() { triggerAction(QWebEnginePage::Back); }
void VasaroPage::GoForward() { triggerAction(QWebEnginePage::Forward); }
void VasaroPage::Refresh() { triggerAction(QWebEnginePage::Reload); }
void VasaroPage::Stop() { triggerAction(QWebEnginePage::Stop); }
QString VasaroPage::LocationURL() const { return url().toString(); }
QString VasaroPage::LocationName() const { return title(); }

// The engine reloads a discarded page's last page when it becomes active; a
// navigation started before that reload ends is merged into it and never
// reported as loaded.
void VasaroPage::wakeUp(int limitMs)
{
    if (lifecycleState() != LifecycleState::Discarded)
        return;
    bool settled = false;
    const QMetaObject::Connection complete =
        connect(this, &VasaroPage::documentComplete, this, [&settled] { settled = true; });
    const QMetaObject::Connection failed =
        connect(this, &QWebEnginePage::loadFinished, this, [&settled](bool ok) { settled = settled || !ok; });
    setLifecycleState(LifecycleState::Active);
    waitFor([&settled] { return settled; }, limitMs);
    disconnect(complete);
    disconnect(failed);
}

bool VasaroPage::browser_wait(int limitMs)
{
    return waitFor([this] { return !m_loading && m_readyState == 4; }, limitMs);
}

bool VasaroPage::browser_wait2(int limitMs)
{
    return browser_wait(limitMs);
}

void VasaroPage::WBLoadHTML(const QString &html)
{
    Navigate(QUrl(QStringLiteral("about:blank")), true);
    browser_wait(5000);
    m_document->write(html);
    m_document->close();
}

Document &VasaroPage::document()
{
    return *m_document;
}

// The engine never asks the user about a certificate: a page whose
// certificate is not valid is refused outright, and the tab says so.
void VasaroPage::refuseCertificate(const QWebEngineCertificateError &error)
{
    QWebEngineCertificateError refused = error;
    refused.rejectCertificate();
    emit certificateRefused(error.url());
}
