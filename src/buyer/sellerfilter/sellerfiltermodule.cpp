#include "buyer/sellerfilter/sellerfiltermodule.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/features/featureregistry.h"
#include "browser/policy/contextmenus.h"
#include "browser/shellhost.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "buyer/sellerfilter/sellerfiltertool.h"
#include "client/quicksearch.h"

SellerFilterModule::SellerFilterModule(const ModuleContext &context, BrowserProfile *profile, QuickSearch &quick,
                                       const QString &dataFolder, std::function<void()> lifetimeReset)
    : QObject(context.window), m_shell(context.shell), m_lifetimeReset(std::move(lifetimeReset))
{
    SellerFilterTool::Parts parts;
    parts.settings = &context.settings;
    parts.clock = &context.clock;
    parts.prompts = &context.prompts;
    parts.host = this;
    parts.profile = profile;
    parts.lookup = [&quick](const QString &name) { return quick.kayttajanId(name); };
    parts.webBase = context.endpoints.webBase();
    parts.dataFolder = dataFolder;
    m_tool = new SellerFilterTool(parts, context.window);
    plugIn(context);
}

void SellerFilterModule::plugIn(const ModuleContext &context)
{
    FeatureRegistry &registry = context.registry;
    registry.pipelineSteps().sellerFilter = &m_tool->filter();
    // "Lisää myyjän kohteet suodattimeen", "Lataa suodatin levyltä", "Tallenna suodatin levylle"
    registry.addMenuItem(QStringLiteral("MenuItem35"), [this] { m_tool->MenuItem35Click(); });
    registry.addMenuItem(QStringLiteral("MenuItem36"), [this] { m_tool->MenuItem36Click(); });
    registry.addMenuItem(QStringLiteral("MenuItem37"), [this] { m_tool->MenuItem37Click(); });
    registry.addMenuItem(QStringLiteral("yhjennsuodatin1"), [this] { m_tool->yhjennsuodatin1Click(); });
    registry.addMenuItem(QStringLiteral("Suodatavalitutmyyjt1"), [this] { m_tool->Suodatavalitutmyyjt1Click(); });
    TabManager &tabs = context.tabs;
    context.menus.addLinkCommand(ContextMenus::LinkItem::AddToFilter, [this, &tabs](const QString &address) {
        if (TVasaroselain *active = tabs.activeBrowser())
            m_tool->filter().Lissuodattimeen1Click(*active, address);
    });
    registry.addCommand(QStringLiteral("suodatakohde"), [this, &tabs] {
        if (TVasaroselain *active = tabs.activeBrowser())
            m_tool->filter().suodatakohde(*active);
    });
}
