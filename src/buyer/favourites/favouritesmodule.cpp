#include "buyer/favourites/favouritesmodule.h"
#include "browser/features/featureregistry.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/favourites/favouritestool.h"
#include "buyer/resultpage/previewpanel.h"
#include "client/quicksearch.h"
#include <QMouseEvent>
#include <QToolButton>

FavouritesModule::FavouritesModule(const ModuleContext &context, BrowserProfile *profile, QuickSearch &quick)
    : QObject(context.window),
      m_preview(new PreviewPanel(profile, &context.prompts, context.window)),
      m_button(new QToolButton(context.toolbar))
{
    m_button->setObjectName(QStringLiteral("XiButton14"));
    m_button->hide();
    FavouritesTool::Parts parts;
    parts.settings = &context.settings;
    parts.host = &context.shell;
    parts.tabs = &context.tabs;
    parts.prompts = &context.prompts;
    parts.preview = m_preview;
    parts.lookup = [&quick](const QString &name) { return quick.kayttajanId(name); };
    parts.webBase = context.endpoints.webBase();
    m_tool = new FavouritesTool(parts, this);
    connect(m_button, &QToolButton::clicked, this, [this] { m_tool->XiButton14Click(m_button->text()); });
    // The preview belongs to the tab it was opened over.
    connect(context.tabs.pageControl(), &QTabWidget::currentChanged, m_preview, [this] {
        if (m_preview->isVisible())
            m_preview->closePreview();
    });
    plugIn(context.registry);
}

void FavouritesModule::plugIn(FeatureRegistry &registry)
{
    registry.addToolbarControl(FeatureRegistry::ToolbarSlot::Favourite, m_button);
    registry.addMenuItem(QStringLiteral("Lissuosikkimyyjiin1"), [this] { m_tool->Lissuosikkimyyjiin1Click(); });
    registry.addMenuItem(QStringLiteral("Poistasuosikkimyyjist1"), [this] { m_tool->Poistasuosikkimyyjist1Click(); });
    registry.addMenuItem(QStringLiteral("Suosikkimyyjthaut1"), [this] { m_tool->Suosikkimyyjthaut1Click(); });
    registry.addCommand(QStringLiteral("suosikkihaut"), [this] { m_tool->Suosikkimyyjthaut1Click(); });
    registry.addMouseHandler(FeatureRegistry::InputOrder::PreviewPanel, [this](QObject *target, QEvent *event) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
            m_preview->closeOnOutsideClick(target, mouse->globalPosition());
        return false;
    });
    registry.addPageListener([this](const PageState &state) {
        const QString caption = PageControls::favouriteCaption(state);
        if (!caption.isEmpty())
            m_button->setText(caption);
        if (const std::optional<bool> shown = PageControls::visible(PageControls::Control::Favourite, state))
            m_button->setVisible(*shown);
    });
}
