#pragma once
// The ledger's template panel `XiPanel4`: the four payment-message templates
// on the pages of `PageControl1`, the placeholder legend, the postage
// `Edit3`, the account number `Edit5` and the currency word `valuutta`.
// Every edit goes straight into the settings, which are saved when the
// program ends.
#include <QFrame>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
struct Settings;

class PaymentMessagePanel final : public QFrame {
    Q_OBJECT
public:
    PaymentMessagePanel(Settings &settings, QWidget *parent);

    // viestinmuotoiluClick: the settings into the boxes, the panel centred
    // horizontally in its window and 20 pixels above the vertical centre.
    void open();
    // The boxes show the settings again (after they were read from a file).
    void load();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildLegend();
    QWidget *buildFields();
    void Edit3Exit();
    void XiButton11Click();

    Settings &m_settings;
    QTabWidget *m_pages = nullptr;
    QPlainTextEdit *m_boxes[4] = {};
    QLineEdit *m_postage = nullptr;
    QLineEdit *m_account = nullptr;
    QComboBox *m_currency = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_close = nullptr;
};
