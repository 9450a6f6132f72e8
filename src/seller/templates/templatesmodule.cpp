#include "seller/templates/templatesmodule.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/features/featureregistry.h"
#include "browser/policy/contextmenus.h"
#include "browser/shellhost.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include "seller/automation/listingformfeature.h"
#include "seller/templates/templatepanel.h"
#include "seller/webeditcommands.h"

TemplatesModule::TemplatesModule(const ModuleContext &context, const QString &dataFolder,
                                 std::function<void()> openFolderSettings)
    : QObject(context.window),
      m_shell(context.shell),
      m_tabs(context.tabs),
      m_templates(new ListingTemplates(context.settings, context.prompts, *this, dataFolder, this)),
      // Over the pages' top right corner, below the toolbar and its
      // closing-time panel.
      m_panel(new TemplatePanel(m_templates, context.tabs.pageControl())),
      m_listingForm(std::make_unique<ListingFormFeature>(m_templates))
{
    m_panel->hide();
    plugIn(context, std::move(openFolderSettings));
}

TemplatesModule::~TemplatesModule() = default;

void TemplatesModule::plugIn(const ModuleContext &context, std::function<void()> openFolderSettings)
{
    context.registry.pipelineSteps().listingAutomation = m_listingForm.get();
    context.registry.addPageListener([this](const PageState &state) {
        if (const std::optional<bool> shown = PageControls::visible(PageControls::Control::Templates, state))
            m_panel->setVisible(*shown);
    });
    using Item = ContextMenus::PageItem;
    ContextMenus &menus = context.menus;
    menus.addPageCommand(Item::LoadTemplate, [this] { m_templates->lataailmClick(); });
    menus.addPageCommand(Item::SaveTemplate, [this] { m_templates->tallennapohjaClick(); });
    menus.addPageCommand(Item::TemplateFolder, std::move(openFolderSettings));
    menus.setTemplateSavedTest([this] { return m_templates->descriptionHeld(); });
}

Document *TemplatesModule::activeDocument()
{
    TVasaroselain *view = m_tabs.activeBrowser();
    return view ? &view->document() : nullptr;
}

EditCommands *TemplatesModule::activeEditCommands()
{
    TVasaroselain *view = m_tabs.activeBrowser();
    m_edit = std::make_unique<WebEditCommands>(view ? view->page() : nullptr);
    return m_edit.get();
}

void TemplatesModule::focusActivePage()
{
    if (TVasaroselain *view = m_tabs.activeBrowser())
        view->focusBrowser();
}
