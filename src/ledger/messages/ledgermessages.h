#pragma once
// The ledger's payment-message commands: "Kopioi viesti", "Kopioi osoite"
// and "Viestien muotoilu" with its template panel.
#include <QObject>

class LedgerControls;
class PaymentMessagePanel;
class TForm8;
struct Settings;

class LedgerMessages final : public QObject {
    Q_OBJECT
public:
    LedgerMessages(TForm8 &window, LedgerControls &controls, Settings &settings);

    PaymentMessagePanel *panel() const { return m_panel; }

    void viestilClick();
    void osoitelClick();
    void viestinmuotoiluClick();

private:
    TForm8 &m_window;
    LedgerControls &m_ui;
    Settings &m_settings;
    PaymentMessagePanel *m_panel = nullptr;
};
