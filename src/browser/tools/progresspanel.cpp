#include "browser/tools/progresspanel.h"
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ProgressPanel::ProgressPanel(QWidget *parent)
    : QFrame(parent), m_label(new QLabel(this)), m_cancel(new QPushButton(QStringLiteral("Peruuta"), this))
{
    setObjectName(QStringLiteral("XiPanel8"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    m_label->setObjectName(QStringLiteral("Label2"));
    m_label->setAlignment(Qt::AlignCenter);
    m_cancel->setObjectName(QStringLiteral("Peruuta"));
    auto *col = new QVBoxLayout(this);
    col->addWidget(m_label);
    col->addWidget(m_cancel, 0, Qt::AlignHCenter);
    setFixedSize(240, 80);
    hide();
    connect(m_cancel, &QPushButton::clicked, this, &ProgressPanel::Panelsulje);
}

void ProgressPanel::setLabel(const QString &text)
{
    m_label->setText(text);
}

QString ProgressPanel::label() const
{
    return m_label->text();
}

void ProgressPanel::showCentred()
{
    if (QWidget *p = parentWidget())
        move(p->width() / 2 - width() / 2, p->height() / 2 - height() / 2);
    show();
    raise();
}

void ProgressPanel::Panelsulje()
{
    hide();
}
