#include "browser/tools/progresspanel.h"
#include <QPushButton>

ProgressPanel::ProgressPanel(QWidget *parent)
    : ProgressFrame({QStringLiteral("XiPanel8"), QStringLiteral("Label2"), QString(), QStringLiteral("Peruuta"),
                     QStringLiteral("Peruuta"), QSize(240, 80)},
                    parent)
{
    connect(button(), &QPushButton::clicked, this, &ProgressPanel::Panelsulje);
}

void ProgressPanel::Panelsulje()
{
    hide();
}
