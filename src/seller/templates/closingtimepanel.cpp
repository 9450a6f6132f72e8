#include "seller/templates/closingtimepanel.h"
#include "core/clockformat.h"
#include "core/closingtime.h"
#include "core/settings.h"
#include "core/wholenumber.h"
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
int fieldNumber(const QLineEdit *field)
{
    return WholeNumber::read(QStringView(field->text()).trimmed()).value_or(0);
}
}

ClosingTimePanel::ClosingTimePanel(Settings *settings, QWidget *parent)
    : QFrame(parent),
      m_settings(settings),
      m_cb(new QComboBox(this)),
      m_e1(new QLineEdit(this)),
      m_e2(new QLineEdit(this)),
      m_apply(new QPushButton(this)),
      m_auto(new QCheckBox(this))
{
    setObjectName(QStringLiteral("aukiolopaneeli"));
    setToolTip(QStringLiteral("Vain vasaroplus!"));
    m_cb->setObjectName(QStringLiteral("Cb"));
    for (QLineEdit *field : {m_e1, m_e2}) {
        field->setMaxLength(2);
        field->setText(QStringLiteral("00"));
        field->setFixedWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("000")) + 8);
        connect(field, &QLineEdit::textEdited, this, [this] { m_confirmed = false; });   // poista
        connect(field, &QLineEdit::editingFinished, this, &ClosingTimePanel::Tarkista1);
    }
    m_e1->setObjectName(QStringLiteral("e1"));
    m_e2->setObjectName(QStringLiteral("e2"));
    m_apply->setObjectName(QStringLiteral("XiButton3"));
    m_auto->setObjectName(QStringLiteral("CheckBox1"));
    m_auto->setText(QStringLiteral("Automaattinen"));
    m_auto->setToolTip(QStringLiteral("Automaattinen"));
    m_apply->setToolTip(QStringLiteral("Kohteen kesto vuorokausina: aseta sulkeutumisaika lomakkeelle"));
    connect(m_cb, &QComboBox::currentIndexChanged, this, &ClosingTimePanel::rebuildClosingTime);   // CbChange
    connect(m_apply, &QAbstractButton::clicked, this, &ClosingTimePanel::applyClicked);
    connect(m_auto, &QAbstractButton::clicked, this, &ClosingTimePanel::CheckBox1Click);
    // The button's caption is a bare number of days: the labels around it
    // say what it is.
    auto *closes = new QLabel(QStringLiteral("Sulkeutuu:"), this);
    closes->setBuddy(m_cb);
    auto *days = new QLabel(QStringLiteral("vrk"), this);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(closes);
    row->addWidget(m_cb);
    row->addWidget(m_e1);
    row->addWidget(new QLabel(QStringLiteral(":"), this));
    row->addWidget(m_e2);
    row->addWidget(m_apply);
    row->addWidget(days);
    row->addWidget(m_auto);
}

QAbstractButton *ClosingTimePanel::applyButton() const
{
    return m_apply;
}

void ClosingTimePanel::start(const QDateTime &now)
{
    fillDayList(now);
    m_cb->setCurrentIndex(ClosingTimeRules::kAfterToday);
    m_e1->setText(ClockFormat::twoDigits(now.time().hour()));
    m_e2->setText(ClockFormat::twoDigits(now.time().minute()));
    rebuildClosingTime();
    m_confirmed = true;
    m_day = now.date().day();
    paivita_aukiolo(now);
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
    m_settings->sulkeutumisaika = ClosingTime::text(m_cb->currentText(), m_e1->text(), m_e2->text());
}

void ClosingTimePanel::restoreStored()
{
    QStringList items;
    for (int i = 0; i < m_cb->count(); ++i)
        items << m_cb->itemText(i);
    const ClosingTime::Choice choice = ClosingTime::parse(m_settings->sulkeutumisaika, items);
    if (choice.dayIndex >= 0)
        m_cb->setCurrentIndex(choice.dayIndex);
    m_e1->setText(choice.hour);
    m_e2->setText(choice.minute);
    Tarkista1();
}

void ClosingTimePanel::Tarkista1()
{
    m_e1->setText(ClosingTime::checkField(m_e1->text(), 23));
    m_e2->setText(ClosingTime::checkField(m_e2->text(), 59));
    m_confirmed = true;
    rebuildClosingTime();
    emit timeChecked();
}

void ClosingTimePanel::paivita_aukiolo(const QDateTime &now)
{
    if (now.date().day() != m_day) {
        emit dayChanged();
        m_day = now.date().day();
        const int selection = ClosingTimeRules::selectionAfterDayChange(m_cb->currentIndex());
        fillDayList(now);
        m_cb->setCurrentIndex(selection);
    }
    if (m_cb->currentIndex() < 0 || !m_confirmed)
        return;
    const double days = ClosingTimeRules::days(now, closingChoice());
    const bool enabled = ClosingTimeRules::inReach(days);
    m_apply->setEnabled(enabled);
    const QString caption = ClosingTimeRules::caption(days);
    if (caption == m_apply->text())
        return;
    m_apply->setText(caption);
    if (enabled && m_auto->isChecked())
        emit automaticApply();
}

void ClosingTimePanel::CheckBox1Click(bool checked)
{
    if (checked && m_apply->isEnabled())
        emit automaticApply();
}

bool ClosingTimePanel::automaticOpening() const
{
    return m_auto->isChecked();
}

bool ClosingTimePanel::openingButtonEnabled() const
{
    return m_apply->isEnabled();
}

ClosingChoice ClosingTimePanel::closingChoice() const
{
    return {m_cb->currentIndex(), fieldNumber(m_e1), fieldNumber(m_e2)};
}
