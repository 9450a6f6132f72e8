#include "closingtimepanel.h"
#include "core/clockformat.h"
#include "core/closingtime.h"
#include "core/settings.h"
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLineEdit>

ClosingTimePanel::ClosingTimePanel(Settings *settings, QWidget *parent)
    : QFrame(parent),
      m_settings(settings),
      m_cb(new QComboBox(this)),
      m_e1(new QLineEdit(this)),
      m_e2(new QLineEdit(this))
{
    setObjectName(QStringLiteral("aukiolopaneeli"));
    setToolTip(QStringLiteral("Vain vasaroplus!"));
    m_cb->setObjectName(QStringLiteral("Cb"));
    m_e1->setObjectName(QStringLiteral("e1"));
    m_e1->setMaxLength(2);
    m_e2->setObjectName(QStringLiteral("e2"));
    m_e2->setMaxLength(2);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_cb);
    row->addWidget(m_e1);
    row->addWidget(m_e2);
}

void ClosingTimePanel::start(const QDateTime &now)
{
    fillDayList(now);
    m_cb->setCurrentIndex(3);
    m_e1->setText(ClockFormat::twoDigits(now.time().hour()));
    m_e2->setText(ClockFormat::twoDigits(now.time().minute()));
    rebuildClosingTime();
}

void ClosingTimePanel::fillDayList(const QDateTime &now)
{
    const QDate today = now.date();
    m_cb->clear();
    for (int i = 0; i <= kDays; ++i)
        m_cb->addItem(ClockFormat::dayItem(today.addDays(i)));
}

void ClosingTimePanel::rebuildClosingTime()
{
    m_settings->sulkeutumisaika = m_cb->currentText() + u':' + m_e1->text() + u':' + m_e2->text();
}

void ClosingTimePanel::restoreStored()
{
    QStringList items;
    for (int i = 0; i < m_cb->count(); ++i)
        items << m_cb->itemText(i);
    const ClosingTime::Choice choice = ClosingTime::parse(m_settings->sulkeutumisaika, items);
    if (choice.dayIndex >= 0)
        m_cb->setCurrentIndex(choice.dayIndex);
    m_e1->setText(ClosingTime::checkField(choice.hour, 23));
    m_e2->setText(ClosingTime::checkField(choice.minute, 59));
    rebuildClosingTime();
}
