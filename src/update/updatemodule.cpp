#include "update/updatemodule.h"
#include "browser/features/featureregistry.h"
#include "client/http.h"
#include "update/progresspanelview.h"
#include "update/updatecheck.h"
#include "update/updatesignature.h"
#include <QCoreApplication>

UpdateModule::UpdateModule(const ModuleContext &context, Http &http, ProgressPanel *progress,
                           std::function<void()> restart)
    : m_restart(std::move(restart)), m_panel(std::make_unique<ProgressPanelView>(progress))
{
    UpdateCheck::Parts parts;
    parts.http = &http;
    parts.network = http.network();
    parts.prompts = &context.prompts;
    parts.panel = m_panel.get();
    parts.host = this;
    parts.makerWeb = context.endpoints.value(QStringLiteral("maker_web"));
    if (!parts.makerWeb.endsWith(u'/'))
        parts.makerWeb += u'/';
    parts.programFile = QCoreApplication::applicationFilePath();
    parts.publicKey = UpdateSignature::builtInKey();
    m_check = std::make_unique<UpdateCheck>(parts);
    context.registry.pipelineSteps().updateCheck = m_check.get();
    context.registry.addMenuItem(QStringLiteral("Paivita1"),
                                 [this] { m_check->Paivita1Click(UpdateCheck::Sender::Paivita1); });
}

UpdateModule::~UpdateModule() = default;
