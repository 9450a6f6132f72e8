#include "buyer/resultpage/resultpagetools.h"
#include "buyer/resultpage/forumcolours.h"
#include "buyer/resultpage/picturepreview.h"
#include "buyer/resultpage/previewpanel.h"
#include "buyer/resultpage/smallpictures.h"
#include "browser/engine/document.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/pipeline/pipelinetab.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "client/apisession.h"
#include "client/httpapi.h"
#include "client/jsonscan.h"
#include "client/urlscheme.h"
#include "core/programclock.h"
#include <QFile>
#include <QLabel>

static void initResultPageResources()
{
    // The resource lives in a static library: make sure it is linked in.
    Q_INIT_RESOURCE(resultpage);
}

namespace {
QString itemLinksScript()
{
    static const QString text = [] {
        initResultPageResources();
        QFile f(QStringLiteral(":/buyer/js/itemlinks.js"));
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }();
    return text;
}
} // namespace

ResultPageTools::ResultPageTools(const Parts &parts, QObject *parent) : QObject(parent), m_parts(parts)
{
    // The labels show what the API answer says, never markup from it.
    for (const char *name : {"ek1", "ek3", "ek4", "ek5"})
        if (auto *label = m_parts.preview->findChild<QLabel *>(QLatin1String(name)))
            label->setTextFormat(Qt::PlainText);
    connect(m_parts.preview->WB_preview(), &VasaroPage::documentComplete, this,
            [this](VasaroPage *, const QUrl &url) { WB_previewDocumentComplete(url); });
}

// ---- The picture-click preview ---------------------------------------------

bool ResultPageTools::pikkukuva(TVasaroselain *browser, const QPointF &globalPos)
{
    PreviewPanel *panel = m_parts.preview;
    if (!browser || (panel->isVisible() && panel->rect().contains(panel->mapFromGlobal(globalPos).toPoint())))
        return false;
    const QPoint client = browser->mapFromGlobal(globalPos).toPoint();
    // The engine shows the page at its own factor (the tab's percent clamped
    // to what it accepts): map through what is shown.
    const PicturePreview::Hit hit =
        PicturePreview::pikkukuva(browser->document(), client, browser->size(), browser->zoomFactor() * 100);
    if (hit.hit && !hit.itemNumber.isEmpty()) {
        m_item = hit.itemNumber;
        m_parts.host->queueCommand(QStringLiteral("pikkukuva"));
    }
    return hit.hit;
}

void ResultPageTools::naytapikkukuva()
{
    if (m_item.isEmpty())
        return;
    const quint64 generation = ++m_generation;
    const QString item = m_item;
    const QString answer =
        m_parts.http->xmlhttpget(HttpApi::General, UrlScheme::apiItem(m_parts.apiBase, item), kItemTimeoutMs);
    if (generation != m_generation)
        return;
    // A click answered with nothing to show says so in the status line; the
    // bidder is asked only for a panel that opens.
    if (answer.isEmpty()) {
        m_parts.host->setStatusText(QStringLiteral("Kohteen ") + item + QStringLiteral(" tietoja ei saatu."));
        return;
    }
    const QString text = JsonScan::JsonUnescapeCp1252(answer);
    bool hasPicture = false;
    PicturePreview::pictureAddress(PicturePreview::renameSellerAddress(text), &hasPicture);
    const PicturePreview::Info info = PicturePreview::fromAnswer(text, [this, &item, hasPicture] {
        return hasPicture ? m_parts.api->latestBidder(item) : QStringLiteral("-");
    });
    if (!hasPicture)
        m_parts.host->setStatusText(QStringLiteral("Kohteella ") + item + QStringLiteral(" ei ole isoa kuvaa."));
    // The bidder lookup waited too: a newer click or a close wins.
    if (generation != m_generation)
        return;
    if (!info.pictureUrl.isEmpty()) {
        m_picture = QUrl(info.pictureUrl);
        m_parts.preview->WB_preview()->Navigate(m_picture);
    }
    showLabels(info.ek1, info.ek3, info.ek4, info.ek5);
    if (info.hasPicture)
        m_parts.preview->showCentred(true);
}

void ResultPageTools::showLabels(const QString &ek1, const QString &ek3, const QString &ek4, const QString &ek5)
{
    const std::pair<const char *, QString> texts[] = {{"ek1", ek1}, {"ek3", ek3}, {"ek4", ek4}, {"ek5", ek5}};
    for (const auto &[name, text] : texts)
        if (auto *label = m_parts.preview->findChild<QLabel *>(QLatin1String(name)))
            label->setText(text);
}

// The picture shows without scroll bars. Only the picture: the favourites
// overview in the same browser must stay scrollable.
void ResultPageTools::WB_previewDocumentComplete(const QUrl &url)
{
    if (m_picture.isEmpty() || url != m_picture)
        return;
    const Element body = m_parts.preview->WB_preview()->document().body();
    if (body.isNull())
        return;
    body.setStyle(QStringLiteral("overflowX"), QStringLiteral("hidden"));
    body.setStyle(QStringLiteral("overflowY"), QStringLiteral("hidden"));
}

bool ResultPageTools::previewVisible() const
{
    return m_parts.preview->isVisible();
}

void ResultPageTools::closePreview()
{
    ++m_generation;
    m_picture.clear();
    m_parts.preview->closePreview();
}

// ---- Listing pages and forum threads ---------------------------------------

bool ResultPageTools::osastolistanmuokkaus(PipelineTab &tab)
{
    return SmallPictures::osastolistanmuokkaus(tab.document());
}

void ResultPageTools::keskustelupalsta(PipelineTab &tab)
{
    // Today is the program clock's present day, not the day it was set: the
    // program may run past midnight.
    if (m_parts.clock)
        ForumColours::keskustelupalsta(tab.document(), m_parts.clock->kellonaika().date());
}

// ---- The item link list and "-> Seuraava kohde" ----------------------------

void ResultPageTools::linkit(PipelineTab &tab)
{
    if (m_parts.domain.isEmpty() || !m_parts.host->addressText().contains(m_parts.domain, Qt::CaseInsensitive))
        return;
    m_links.clear();
    const QVariant answer = tab.document().evaluate(itemLinksScript());
    m_links.linkit(answer.toStringList());
}

void ResultPageTools::selectNextItem(const QString &address)
{
    m_links.selectEqual(address);
}

void ResultPageTools::seuraava()
{
    const QString next = m_links.seuraava(m_parts.host->addressText());
    if (!next.isEmpty())
        m_parts.tabs->aktiivisivu_navigate(next);
}

