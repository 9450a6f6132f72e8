// The main window's listing templates: the template panel `ppohjat`, the
// editor menu's "Lataa ilmoituspohja", "Tallenna ilmoituspohja" and
// "Ilmoituspohjien hakemisto", and the
// template-list step of the page pipeline and the tab change.
#include "tform1.h"
#include "browser/policy/contextmenus.h"
#include "browser/pipeline/pagepipeline.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "seller/automation/listingformfeature.h"
#include "seller/templates/listingtemplates.h"
#include "seller/templates/templatepanel.h"
#include "seller/webeditcommands.h"
#include <QAction>
#include <memory>

namespace {
// PopupMenu1 items 1 and 2, and item 3, which opens the settings page that
// names the template folder ("VS asetukset", as the menu's VSasetukset1).
constexpr int kLoadTemplateItem = 1;
constexpr int kSaveTemplateItem = 2;
constexpr int kTemplateFolderItem = 3;
constexpr int kTemplateFolderPage = 1;

// The active tab for the template operations; also keeps the pipeline's
// listing-form feature alive as long as the window.
class MainWindowTemplateHost final : public QObject, public TemplateHost {
public:
    explicit MainWindowTemplateHost(TForm1 *window) : QObject(window), m_window(window) {}

    Document *activeDocument() override
    {
        TVasaroselain *view = m_window->tabs().activeBrowser();
        return view ? &view->document() : nullptr;
    }
    EditCommands *activeEditCommands() override
    {
        TVasaroselain *view = m_window->tabs().activeBrowser();
        m_edit = std::make_unique<WebEditCommands>(view ? view->page() : nullptr);
        return m_edit.get();
    }
    void naytapaneeli(const QString &text, int ticks) override { m_window->naytapaneeli(text, ticks); }
    void focusActivePage() override
    {
        if (TVasaroselain *view = m_window->tabs().activeBrowser())
            view->focusBrowser();
    }

    std::unique_ptr<ListingFormFeature> feature;

private:
    TForm1 *m_window;
    std::unique_ptr<WebEditCommands> m_edit;
};
}

void TForm1::buildListingTemplates()
{
    auto *host = new MainWindowTemplateHost(this);
    m_templates = new ListingTemplates(m_settings, prompts(), *host, m_dataFolder, this);
    // Over the pages' top right corner, below the toolbar and its
    // closing-time panel.
    auto *panel = new TemplatePanel(m_templates, m_tabs->pageControl());
    registerControl(panel);
    panel->hide();

    host->feature = std::make_unique<ListingFormFeature>(m_templates);
    m_pipeline->features().listingAutomation = host->feature.get();
    m_tabs->features().listingAutomation = host->feature.get();

    ContextMenus *menus = m_tabs->contextMenus();
    connect(menus->pageItem(kLoadTemplateItem), &QAction::triggered, m_templates, &ListingTemplates::lataailmClick);
    connect(menus->pageItem(kSaveTemplateItem), &QAction::triggered, m_templates,
            &ListingTemplates::tallennapohjaClick);
    connect(menus->pageItem(kTemplateFolderItem), &QAction::triggered, this,
            [this] { openSettingsPage(kTemplateFolderPage); });
    menus->setPageItemAvailable(kLoadTemplateItem, true);
    menus->setPageItemAvailable(kSaveTemplateItem, true);
    menus->setPageItemAvailable(kTemplateFolderItem, true);
    menus->setTemplateSavedTest([this] { return m_templates->descriptionHeld(); });
}
