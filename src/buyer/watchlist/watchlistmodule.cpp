#include "buyer/watchlist/watchlistmodule.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/features/featureregistry.h"
#include "browser/policy/contextmenus.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/watchlist/watchlistalert.h"
#include "buyer/watchlist/watchlistnotice.h"
#include "client/apisession.h"
#include "client/http.h"
#include <QTimer>
#include <QToolButton>

WatchListModule::WatchListModule(const ModuleContext &context, Http &http, ApiSession &api, QTimer &timer2)
    : QObject(context.window),
      m_shell(context.shell),
      m_mail(new QToolButton(context.toolbar)),
      m_alert(new WatchListAlert(context.toolbar))
{
    m_mail->setObjectName(QStringLiteral("postia"));
    m_mail->setText(QStringLiteral("Muistuta sähköpostilla"));
    // The reminder works only for a signed-in user.
    m_mail->setEnabled(api.signedIn());
    m_mail->hide();
    connect(&api, &ApiSession::signedInChanged, m_mail, &QWidget::setEnabled);
    TabManager &tabs = context.tabs;
    m_notice = new WatchListNotice(context.window, [&tabs] { tabs.Selain_kirjanmerkitClick(); });

    WatchListTool::Parts parts;
    parts.http = &http;
    parts.api = &api;
    parts.clock = &context.clock;
    parts.prompts = &context.prompts;
    parts.host = this;
    parts.webBase = context.endpoints.webBase();
    parts.apiBase = context.endpoints.apiBase();
    parts.reminderService = context.endpoints.reminderService();
    m_tool = std::make_unique<WatchListTool>(parts);
    connect(&timer2, &QTimer::timeout, this, [this] { m_tool->Timer2Timer(); });
    connect(m_mail, &QToolButton::clicked, this, [this, &tabs] {
        const TVasaroselain *active = tabs.activeBrowser();
        m_tool->postiaClick(m_shell.addressText(), active ? active->locationUrl() : QString());
    });
    plugIn(context);
}

WatchListModule::~WatchListModule() = default;

void WatchListModule::plugIn(const ModuleContext &context)
{
    FeatureRegistry &registry = context.registry;
    registry.pipelineSteps().watchList = m_tool.get();
    registry.addToolbarControl(FeatureRegistry::ToolbarSlot::MailReminder, m_mail);
    registry.addToolbarControl(FeatureRegistry::ToolbarSlot::WatchListAlert, m_alert);
    context.menus.addLinkCommand(ContextMenus::LinkItem::AddToWatchList,
                                 [this](const QString &address) { m_tool->Liskirjanmerkkeihin1Click(address); });
    registry.addPageListener([this](const PageState &state) {
        if (const std::optional<bool> shown = PageControls::visible(PageControls::Control::MailReminder, state))
            m_mail->setVisible(*shown);
    });
}

void WatchListModule::showWatchListAlert(const QString &text)
{
    if (m_alert->showAlert(text))
        m_notice->notify(text);
}
