#include "update/progresspanelview.h"
#include "browser/tools/progresspanel.h"

void ProgressPanelView::centre()
{
    m_panel->centreIn();
}

void ProgressPanelView::showText(const QString &text)
{
    m_panel->setLabel(text);
    m_panel->showCentred();
}

void ProgressPanelView::hide()
{
    m_panel->Panelsulje();
}

bool ProgressPanelView::isShown() const
{
    return m_panel->isVisible();
}
