// The main window's result-page tools: the button "-> Seuraava kohde" with
// its item link list, the deferred command "pikkukuva", and the
// mouse rule that opens the picture preview instead of the listing.
#include "tform1.h"
#include "widgets/featurerow.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/tabs/navigationbar.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/resultpage/resultpagetools.h"
#include "client/http.h"
#include "client/urlscheme.h"
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>

void TForm1::buildResultPageTools()
{
    auto *next = new QToolButton(m_toolbar);
    next->setObjectName(QStringLiteral("seur"));
    next->setText(QStringLiteral("-> Seuraava kohde"));
    next->setToolTip(QStringLiteral("Selaa sivun kohteet läpi"));
    m_featureRow->addFeature(next);
    registerControl(next);
    next->hide();

    ResultPageTools::Parts parts;
    parts.host = this;
    parts.tabs = m_tabs;
    parts.preview = m_preview;
    parts.http = m_http;
    parts.api = m_api;
    parts.clock = &m_clock;
    parts.apiBase = m_endpoints.apiBase();
    parts.domain = m_endpoints.domain();
    m_resultTools = new ResultPageTools(parts, this);
    m_pipeline->features().resultPageTools = m_resultTools;
    m_tabs->features().resultPageTools = m_resultTools;
    m_commands.insert(QStringLiteral("pikkukuva"), [this] { m_resultTools->naytapikkukuva(); });
    connect(next, &QToolButton::clicked, m_resultTools, &ResultPageTools::seuraava);
}

// A left button press on the active tab's listing page: a press on a
// listing's picture opens the preview and goes no further. Finding the
// element under the mouse waits for the page, and the button's release may
// arrive meanwhile: it is held back and handed on after the press, so the
// page never sees a release before its press.
bool TForm1::pikkukuvaPress(QObject *target, QEvent *event)
{
    if (m_replayedMouse.remove(event) || !m_resultTools || !target->isWidgetType())
        return false;
    TVasaroselain *browser = m_tabs->activeBrowser();
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
    if (!press || mouse->button() != Qt::LeftButton || !UrlScheme::isListingPage(m_tabs->aktiivisivu_locationurl()))
        return false;
    m_pictureHitTest = true;
    const bool picture = m_resultTools->pikkukuva(browser, mouse->globalPosition());
    m_pictureHitTest = false;
    const auto held = std::exchange(m_heldMouse, {});
    if (!picture && !held.isEmpty()) {
        QTimer::singleShot(0, this, [this, held] {
            for (const auto &[to, e] : held) {
                if (!to)
                    continue;
                QEvent *copy = static_cast<QMouseEvent *>(e.get())->clone();
                m_replayedMouse.insert(copy);
                QCoreApplication::postEvent(to, copy);
            }
        });
    }
    return picture;
}
