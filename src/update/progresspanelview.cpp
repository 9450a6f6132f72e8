#include "update/progresspanelview.h"
#include "browser/tools/progresspanel.h"

void ProgressPanelView::centre()
{
    if (QWidget *p = m_panel->parentWidget())
        m_panel->move(p->width() / 2 - m_panel->width() / 2, p->height() / 2 - m_panel->height() / 2);
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
