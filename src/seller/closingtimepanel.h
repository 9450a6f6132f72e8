#pragma once
// The scheduled-opening panel `aukiolopaneeli` shown on the marketplace's
// new-listing form: the closing day `Cb` (today and the next 120 days) and
// the closing hour `e1` and minute `e2`. The chosen closing is kept in the
// settings as day text + ":" + hour + ":" + minute.
#include <QFrame>

class QComboBox;
class QDateTime;
class QLineEdit;
struct Settings;

class ClosingTimePanel final : public QFrame {
    Q_OBJECT
public:
    static constexpr int kDays = 120;

    // `settings` must outlive the panel.
    explicit ClosingTimePanel(Settings *settings, QWidget *parent = nullptr);

    // Start-up: the days from `now` on, the fourth day chosen, the time
    // fields at the time of `now`.
    void start(const QDateTime &now);
    // The stored closing choice picks its day (when still listed) and fills
    // the time fields, which pass their check.
    void restoreStored();

    QComboBox *dayList() const { return m_cb; }
    QLineEdit *hourField() const { return m_e1; }
    QLineEdit *minuteField() const { return m_e2; }

private:
    void fillDayList(const QDateTime &now);
    void rebuildClosingTime();

    Settings *m_settings;
    QComboBox *m_cb;
    QLineEdit *m_e1;
    QLineEdit *m_e2;
};
