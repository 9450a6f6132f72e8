// The main window's side of the update check: the check itself, its menu
// item and the restart into the new program file.
#include "tform1.h"
#include "client/http.h"
#include "update/progresspanelview.h"
#include "update/updatecheck.h"
#include "update/updatesignature.h"
#include <QCoreApplication>

void TForm1::buildUpdateCheck()
{
    m_updatePanel = std::make_unique<ProgressPanelView>(m_progress);
    UpdateCheck::Parts parts;
    parts.http = m_http;
    parts.network = m_http->network();
    parts.prompts = m_prompts;
    parts.panel = m_updatePanel.get();
    parts.host = this;
    parts.makerWeb = m_endpoints.value(QStringLiteral("maker_web"));
    if (!parts.makerWeb.endsWith(u'/'))
        parts.makerWeb += u'/';
    parts.programFile = QCoreApplication::applicationFilePath();
    parts.publicKey = UpdateSignature::builtInKey();
    m_update = std::make_unique<UpdateCheck>(parts);
}

void TForm1::Paivita1Click()
{
    m_update->Paivita1Click(UpdateCheck::Sender::Paivita1);
}

void TForm1::restartIntoUpdate()
{
    m_restartAfterUpdate = true;
    close();
}
