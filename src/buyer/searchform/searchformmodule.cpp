#include "buyer/searchform/searchformmodule.h"
#include "browser/features/featureregistry.h"
#include "buyer/searchform/searchformhost.h"
#include "buyer/searchform/searchformpanel.h"
#include "core/paths.h"
#include <QMouseEvent>

SearchFormModule::SearchFormModule(const ModuleContext &context, const UrlScheme &urls, QuickSearch &quick)
    : QObject(context.window),
      m_tabs(std::make_unique<SearchFormTabs>(context.shell, context.tabs)),
      m_panel(new SearchFormPanel(*m_tabs, urls, quick, context.prompts, Paths::shippedDataFolder(), context.window))
{
    FeatureRegistry &registry = context.registry;
    registry.pipelineSteps().searchForm = m_panel;
    registry.addMenuItem(QStringLiteral("Haku"), [this] { m_panel->HakuClick(); });
    // Delete in the form's fields edits the text there.
    registry.addTextFields(m_panel);
    registry.addMouseHandler(FeatureRegistry::InputOrder::SearchForm, [this](QObject *target, QEvent *event) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton)
            m_panel->closeOnOutsideClick(target, mouse->globalPosition());
        return false;
    });
}

SearchFormModule::~SearchFormModule() = default;
