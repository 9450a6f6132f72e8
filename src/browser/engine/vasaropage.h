#pragma once
// Folder browser/engine: the embedded engine and the document seam.
//   browser.h, vasaropage.h    a tab's browser over Qt WebEngine
//   tvasaroselain.h            the tab's browser widget
//   browserprofile.h           the shared profile, schemes and scripts
//   document.h, element.h,     the Document/Element seam the features use,
//   webdocument.h              and its engine implementation
//   scriptsource.h, pagebridge.h  injected scripts and their channel object
//   enginetexts.h              Finnish texts of the engine's own actions
//   emptypagehandler.h         the empty page served for blocked addresses
//
// The engine policy of one tab's browser (and of the hidden auxiliary
// browsers): navigation events with cancel, completed top-level documents,
// new-window requests through the tab manager's factory, refused window
// closing, script dialogs filtered by the host policy, quiet script errors,
// invalid certificates refused without a question,
// download-control settings and the Document of the page.
#include "browser/engine/browser.h"
#include "browser/policy/hostpolicy.h"
#include "browser/pipeline/navigationargs.h"
#include "core/prompts.h"
#include <QElapsedTimer>
#include <QWebEnginePage>

class QTimer;
#include <functional>
#include <memory>

class BrowserProfile;
class PageBridge;
class PagePipeline;
class PipelineTab;
class QWebChannel;
class WebDocument;

class VasaroPage final : public QWebEnginePage, public Browser {
    Q_OBJECT
public:
    enum class Role { Tab, Auxiliary };
    // Creates the page's web channel and applies the current download-control
    // answer. `prompts` shows the script messages that are not swallowed.
    VasaroPage(BrowserProfile *profile, Prompts *prompts, Role role = Role::Tab, QObject *parent = nullptr);
    ~VasaroPage() override;

    BrowserProfile *browserProfile() const { return m_profile; }
    bool isAuxiliary() const { return m_role == Role::Auxiliary; }

    // NewWindow2: the tab manager returns the page that takes the new window
    // (a new or reused tab), or nullptr to refuse it.
    using WindowFactory = std::function<QWebEnginePage *(QWebEnginePage::WebWindowType)>;
    void setWindowFactory(WindowFactory factory) { m_windowFactory = std::move(factory); }

    // Routes this page's events to the page pipeline as the given tab.
    void setPipeline(PagePipeline *pipeline, PipelineTab *tab);

    void applyDownloadOptions(const HostPolicy::DownloadOptions &options);
    const HostPolicy::DownloadOptions &downloadOptions() const { return m_options; }

    // The user clicked or typed in the page: an outside program may be
    // asked for once (see acceptNavigationRequest).
    void noteUserInput();
    // The user clicked or typed in the page a moment ago.
    bool userActedRecently() const;

    // Items 5-7 of the page menu: copy, cut, paste in the focused page field.
    void Copycutpaste(int item);
    // The engine's actions; its "save page" goes to the program's own.
    void triggerAction(WebAction action, bool checked = false) override;

    // Browser
    void Navigate(const QUrl &url, bool noHistory = false) override;
    void GoBack() override;
    void GoForward() override;
    void Refresh() override;
    void Stop() override;
    QString LocationURL() const override;
    QString LocationName() const override;
    bool Busy() const override { return m_loading; }
    int ReadyState() const override { return m_readyState; }
    bool browser_wait(int limitMs) override;
    bool browser_wait2(int limitMs) override;
    void WBLoadHTML(const QString &html) override;
    // A discarded page (a closed tab's) is made active again and its reload
    // of the last page is let finish, at most `limitMs`; nothing otherwise.
    void wakeUp(int limitMs = 3000);
    Document &document() override;

signals:
    // BeforeNavigate2 for the page and its frames; set args->cancel to refuse.
    void beforeNavigate2(VasaroPage *page, NavigationArgs *args);
    // DocumentComplete of the top-level document (never for frames, never for
    // a cancelled navigation).
    void documentComplete(VasaroPage *page, const QUrl &url);
    // A page's certificate was not valid: the page was refused, nobody asked.
    void certificateRefused(const QUrl &url);

protected:
    bool acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame) override;
    QWebEnginePage *createWindow(WebWindowType type) override;
    void javaScriptAlert(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptConfirm(const QUrl &securityOrigin, const QString &msg) override;
    bool javaScriptPrompt(const QUrl &securityOrigin, const QString &msg, const QString &defaultValue,
                          QString *result) override;
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString &message,
                                  int lineNumber, const QString &sourceID) override;

private:
    void onLoadStarted();
    void onLoadFinished(bool ok);
    void refuseCertificate(const QWebEngineCertificateError &error);
    void onFormData(const QString &action, const QString &body);
    void afterEngineCallback(const std::function<void()> &work);
    void watchUnreportedLoad();
    void checkUnreportedLoad();
    void newDocument();
    bool refuseOutsideScheme(const QUrl &url, NavigationType type);
    void askOutsideProgram(const QUrl &url);
    Prompts::PageAnswer askPage(Prompts::PageDialog::Kind kind, const QUrl &origin, const QString &text,
                                const QString &value = QString());

    BrowserProfile *m_profile;
    Prompts *m_prompts;
    Role m_role;
    QWebChannel *m_channel;
    PageBridge *m_bridge;
    std::unique_ptr<WebDocument> m_document;
    WindowFactory m_windowFactory;
    PagePipeline *m_pipeline = nullptr;
    PipelineTab *m_tab = nullptr;
    HostPolicy::DownloadOptions m_options;

    bool m_loading = false;
    int m_readyState = 0;
    int m_cancelledLoads = 0;          // loadFinished(false) of refused navigations to skip
    // A page loaded while another was still loading: the engine reports one
    // finished load only, for the first page. The later page is watched for
    // until its document is complete and then reported as finished.
    QUrl m_navigatedWhileLoading;
    QUrl m_reportedUrl;                // the page the last finished load was for
    QTimer *m_unreportedLoad = nullptr;
    int m_unreportedChecks = 0;
    QUrl m_pendingFormAction;          // body captured for the next form navigation
    QByteArray m_pendingFormBody;
    int m_pageDialogs = 0;             // script dialogs of the current document
    bool m_dialogsBlocked = false;     // the user blocked this document's further dialogs
    quint64 m_inputSerial = 0;         // the user's clicks and keys in the page
    quint64 m_askedSerial = 0;         // the click an outside program was last asked for
    QElapsedTimer m_lastInput;
};
