#include "featurerow.h"
#include "flowlayout.h"
#include <QEvent>

FeatureRow::FeatureRow(QWidget *parent) : QFrame(parent), m_flow(new FlowLayout(this, 4))
{
    setObjectName(QStringLiteral("ominaisuusrivi"));
    m_flow->setContentsMargins(2, 2, 2, 2);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    hide();
}

void FeatureRow::addFeature(QWidget *control)
{
    control->setParent(this);
    m_flow->addWidget(control);
    control->installEventFilter(this);
    followControls();
}

// A control's own show() and hide() arrive as these events also while the
// row itself is hidden.
bool FeatureRow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent)
        followControls();
    return QFrame::eventFilter(watched, event);
}

void FeatureRow::followControls()
{
    bool any = false;
    for (int i = 0; i < m_flow->count(); ++i) {
        const QWidget *w = m_flow->itemAt(i)->widget();
        any = any || (w && !w->isHidden());
    }
    if (isHidden() == any)
        setVisible(any);
    m_flow->invalidate();
}
