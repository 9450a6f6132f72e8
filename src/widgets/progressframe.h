#pragma once
// The pop-up progress panel of a long operation: a label, a progress bar
// when the panel has one, and one button, centred on a window while the
// operation runs. The browser's `XiPanel8`, the seller fetch's
// `suodatinpaneeli` and the ledger's `progress` are this panel; each owner
// gives its parts the names its window uses and decides what the button does.
#include <QFrame>
#include <QSize>

class QLabel;
class QProgressBar;
class QPushButton;

class ProgressFrame : public QFrame {
    Q_OBJECT
public:
    struct Parts {
        QString panel;       // object names
        QString label;
        QString bar;         // "" = no progress bar
        QString button;
        QString caption;     // the button's text
        QSize size;          // fixed
        bool narrow = false; // narrow margins: three rows in a low panel
    };
    // Hidden until shown.
    ProgressFrame(const Parts &parts, QWidget *parent);

    void setLabel(const QString &text);
    QString label() const;
    // The bar at `position` of 0 to `maximum` (a maximum below 1 counts as 1).
    void setProgress(int position, int maximum);
    // The bar back at 0, its maximum kept.
    void resetProgress();
    // Places the panel at the centre of `window` (top = half the window's
    // height less half the panel's, left likewise); null means the parent.
    void centreIn(QWidget *window = nullptr);
    // Centred, shown and raised above its siblings.
    void showCentred(QWidget *window = nullptr);
    QPushButton *button() const { return m_button; }

private:
    QLabel *m_label;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_button;
};
