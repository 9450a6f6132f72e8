#include "buyer/resultpage/resultpagemodule.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/features/featureregistry.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/resultpage/resultpagetools.h"
#include "client/apisession.h"
#include "client/http.h"
#include "client/urlscheme.h"
#include <QCoreApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

ResultPageModule::ResultPageModule(const ModuleContext &context, Http &http, ApiSession &api, PreviewPanel *preview)
    : QObject(context.window), m_tabs(context.tabs), m_next(new QToolButton(context.toolbar))
{
    m_next->setObjectName(QStringLiteral("seur"));
    m_next->setText(QStringLiteral("-> Seuraava kohde"));
    m_next->setToolTip(QStringLiteral("Selaa sivun kohteet läpi"));
    m_next->hide();

    ResultPageTools::Parts parts;
    parts.host = &context.shell;
    parts.tabs = &context.tabs;
    parts.preview = preview;
    parts.http = &http;
    parts.api = &api;
    parts.clock = &context.clock;
    parts.apiBase = context.endpoints.apiBase();
    parts.domain = context.endpoints.domain();
    m_tools = new ResultPageTools(parts, this);
    connect(m_next, &QToolButton::clicked, m_tools, &ResultPageTools::seuraava);

    FeatureRegistry &registry = context.registry;
    registry.pipelineSteps().resultPageTools = m_tools;
    registry.addToolbarControl(FeatureRegistry::ToolbarSlot::NextListing, m_next);
    registry.addCommand(QStringLiteral("pikkukuva"), [this] { m_tools->naytapikkukuva(); });
    registry.addMouseHandler(FeatureRegistry::InputOrder::PicturePreview,
                             [this](QObject *target, QEvent *event) { return pikkukuvaPress(target, event); });
    registry.addPageListener([this](const PageState &state) {
        if (const std::optional<bool> shown = PageControls::visible(PageControls::Control::NextListing, state))
            m_next->setVisible(*shown);
    });
}

// A left button press on the active tab's listing page: a press on a
// listing's picture opens the preview and goes no further. Finding the
// element under the mouse waits for the page, and the button's release may
// arrive meanwhile: it is held back and handed on after the press, so the
// page never sees a release before its press.
bool ResultPageModule::pikkukuvaPress(QObject *target, QEvent *event)
{
    if (m_replayedMouse.remove(event) || !target->isWidgetType())
        return false;
    TVasaroselain *browser = m_tabs.activeBrowser();
    auto *widget = static_cast<QWidget *>(target);
    if (!browser || (widget != browser && !browser->isAncestorOf(widget)))
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    if (m_pictureHitTest) {
        if (mouse->button() == Qt::LeftButton)
            m_heldMouse.append({QPointer<QObject>(target), std::shared_ptr<QEvent>(mouse->clone())});
        return mouse->button() == Qt::LeftButton;
    }
    // The second press of a double click arrives as a double click: on a
    // picture it must not open the listing either.
    const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
    if (!press || mouse->button() != Qt::LeftButton || !UrlScheme::isListingPage(m_tabs.aktiivisivu_locationurl()))
        return false;
    m_pictureHitTest = true;
    const bool picture = m_tools->pikkukuva(browser, mouse->globalPosition());
    m_pictureHitTest = false;
    const auto held = std::exchange(m_heldMouse, {});
    if (!picture && !held.isEmpty())
        QTimer::singleShot(0, this, [this, held] { replay(held); });
    return picture;
}

void ResultPageModule::replay(const QList<std::pair<QPointer<QObject>, std::shared_ptr<QEvent>>> &held)
{
    for (const auto &[to, e] : held) {
        if (!to)
            continue;
        QEvent *copy = static_cast<QMouseEvent *>(e.get())->clone();
        m_replayedMouse.insert(copy);
        QCoreApplication::postEvent(to, copy);
    }
}
