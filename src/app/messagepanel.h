#pragma once
#include <QLabel>

// A centred notice hidden after a number of clock ticks (`paneeli`, and the
// smaller status notice `Xipanel6`).
class MessagePanel final : public QLabel {
    Q_OBJECT
public:
    MessagePanel(const QString &objectName, QWidget *parent);

    // Shows the text centred in the parent for the given number of ticks.
    void naytapaneeli(const QString &text, int ticks);
    // One clock tick: count down, hide when the count has run out.
    void tick();

private:
    int m_ticks = 0;
};
