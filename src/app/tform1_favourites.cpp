// The main window's favourite sellers and searches: the tool bar button
// `XiButton14`, the "Toiminnot" items for a seller by name, the menu bar item
// "Suosikki myyjät/haut" with its deferred command, and the preview panel
// that shows the overview page.
#include "tform1.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/favourites/favouritestool.h"
#include "buyer/resultpage/previewpanel.h"
#include "client/quicksearch.h"
#include <QAbstractButton>

void TForm1::buildFavourites()
{
    m_preview = new PreviewPanel(m_profile, m_prompts, this);
    registerControl(m_preview);
    FavouritesTool::Parts parts;
    parts.settings = &m_settings;
    parts.host = this;
    parts.tabs = m_tabs;
    parts.prompts = m_prompts;
    parts.preview = m_preview;
    parts.lookup = [this](const QString &name) { return m_quick->kayttajanId(name); };
    parts.webBase = m_endpoints.webBase();
    m_favourites = new FavouritesTool(parts, this);

    if (auto *button = qobject_cast<QAbstractButton *>(m_controls.value(QStringLiteral("XiButton14")))) {
        button->setEnabled(true);
        connect(button, &QAbstractButton::clicked, this, [this, button] { m_favourites->XiButton14Click(button->text()); });
    }
    onMenu(QStringLiteral("Lissuosikkimyyjiin1"), [this] { m_favourites->Lissuosikkimyyjiin1Click(); });
    onMenu(QStringLiteral("Poistasuosikkimyyjist1"), [this] { m_favourites->Poistasuosikkimyyjist1Click(); });
    onMenu(QStringLiteral("Suosikkimyyjthaut1"), [this] { m_favourites->Suosikkimyyjthaut1Click(); });
    m_commands.insert(QStringLiteral("suosikkihaut"), [this] { m_favourites->Suosikkimyyjthaut1Click(); });
    // The preview belongs to the tab it was opened over.
    connect(m_tabs->pageControl(), &QTabWidget::currentChanged, m_preview, [this] {
        if (m_preview->isVisible())
            m_preview->closePreview();
    });
}
