#pragma once
// The ledger's fetch progress panel `progress` (241 x 81): the title
// `progresstitle`, the bar `prog` and the stop button `progressstop`
// "Pysäytä". Hidden until a fetch shows it.
#include <QFrame>

class QLabel;
class QProgressBar;
class QPushButton;

class LedgerProgress final : public QFrame {
    Q_OBJECT
public:
    explicit LedgerProgress(QWidget *parent);

    // Bar at 0 with the maximum, the stop button enabled or not, the panel
    // centred in `window` with the title, shown.
    void naytapaneeli(QWidget *window, const QString &title, bool stopEnabled, int maximum);
    // Hidden, the stop button enabled, the bar at 0.
    void piilotapaneeli();
    void setProgress(int position, int maximum);

signals:
    // "Pysäytä" was pressed (the bar is already back at 0).
    void stopPressed();

private:
    void progressstopClick();

    QLabel *m_title;
    QProgressBar *m_bar;
    QPushButton *m_stop;
};
