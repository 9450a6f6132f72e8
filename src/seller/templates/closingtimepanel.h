#pragma once
// The scheduled-opening panel `aukiolopaneeli` shown on the marketplace's
// new-listing form: the closing day `Cb` (today and the next 120 days), the
// closing hour `e1` and minute `e2`, the apply button `XiButton3` whose
// caption is the time until the closing in days, and `CheckBox1`
// ("Automaattinen"), which applies the closing by itself whenever the
// caption changes. The chosen closing is kept in the settings as day text +
// ":" + hour + ":" + minute.
#include "seller/automation/listingformfeature.h"
#include <QFrame>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QDateTime;
class QLineEdit;
struct Settings;

class ClosingTimePanel final : public QFrame, public ClosingTimeControls {
    Q_OBJECT
public:
    static constexpr int kDays = ClosingTimeRules::kLastDay;

    // `settings` must outlive the panel.
    explicit ClosingTimePanel(Settings *settings, QWidget *parent = nullptr);

    // Start-up: the days from `now` on, the fourth day chosen, the time
    // fields at the time of `now`, confirmed.
    void start(const QDateTime &now);
    // The stored closing choice picks its day (when still listed) and fills
    // the time fields, which then pass their check.
    void restoreStored();

    // The clock's refresh: a new day list once a day, the apply button's
    // caption and state; a changed caption applies the closing when
    // `CheckBox1` is checked.
    void paivita_aukiolo(const QDateTime &now);
    // Leaving or Enter in `e1` / `e2`: both fields checked and confirmed.
    void Tarkista1();

    // ClosingTimeControls
    bool automaticOpening() const override;
    bool openingButtonEnabled() const override;
    ClosingChoice closingChoice() const override;

    QComboBox *dayList() const { return m_cb; }
    QLineEdit *hourField() const { return m_e1; }
    QLineEdit *minuteField() const { return m_e2; }
    QAbstractButton *applyButton() const;
    bool timeConfirmed() const { return m_confirmed; }

signals:
    // `XiButton3` clicked: apply to the active tab's form.
    void applyClicked();
    // Apply without a click, when the active tab shows a new-listing form.
    void automaticApply();
    // The day changed since the day list was built.
    void dayChanged();
    // The time fields were checked: the clock ticks once.
    void timeChecked();

private:
    void fillDayList(const QDateTime &now);
    void rebuildClosingTime();
    void CheckBox1Click(bool checked);

    Settings *m_settings;
    QComboBox *m_cb;
    QLineEdit *m_e1;
    QLineEdit *m_e2;
    QAbstractButton *m_apply;
    QCheckBox *m_auto;
    bool m_confirmed = false;   // aukiolo_confirmed
    int m_day = 0;              // day of the month of the day list; 0 = none
};
