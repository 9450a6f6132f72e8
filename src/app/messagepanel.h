#pragma once
#include <QLabel>

// A notice hidden after a number of clock ticks: the message panel
// `paneeli`, centred, and the smaller status notice `Xipanel6`, at the top
// right of the window just below a given widget (the toolbar).
class MessagePanel final : public QLabel {
    Q_OBJECT
public:
    MessagePanel(const QString &objectName, QWidget *parent);

    // From now on the notice is one line at the top right, just below
    // `anchor` (a widget of the same window).
    void placeTopRightBelow(QWidget *anchor);

    // Shows the text for the given number of ticks.
    void naytapaneeli(const QString &text, int ticks);
    // One clock tick: count down, hide when the count has run out.
    void tick();

private:
    int m_ticks = 0;
    QWidget *m_anchor = nullptr;
};
