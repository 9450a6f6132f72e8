#include "buyer/searchform/searchformcontrols.h"
#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>

RadioGroup::RadioGroup(const QString &objectName, const QString &caption, const QStringList &items,
                       QWidget *parent)
    : QGroupBox(caption, parent)
{
    setObjectName(objectName);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    auto *group = new QButtonGroup(this);
    for (int i = 0; i < items.size(); ++i) {
        auto *b = new QRadioButton(items.at(i), this);
        b->setObjectName(objectName + u'_' + QString::number(i));
        group->addButton(b, i);
        layout->addWidget(b);
        m_buttons << b;
    }
    layout->addStretch(1);
    setItemIndex(0);
}

int RadioGroup::itemIndex() const
{
    for (int i = 0; i < m_buttons.size(); ++i) {
        if (m_buttons.at(i)->isChecked())
            return i;
    }
    return -1;
}

void RadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < m_buttons.size())
        m_buttons.at(index)->setChecked(true);
}
