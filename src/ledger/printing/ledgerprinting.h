#pragma once
// The ledger's printing: "Tulosta.." opens the print panel; its buttons
// make the list page, the counterparty labels and the sender labels and show
// them in the preview window, which is made on first use and kept.
#include <QObject>
#include <memory>

class LedgerControls;
class PrintPanel;
class Prompts;
class TForm6;
class TForm8;
enum class LedgerMode;

class LedgerPrinting final : public QObject {
    Q_OBJECT
public:
    LedgerPrinting(TForm8 &window, LedgerControls &controls, Prompts &prompts);
    ~LedgerPrinting() override;

    PrintPanel *panel() const { return m_panel; }
    // The preview window, made when first needed.
    TForm6 *preview();

    // The mode switch: captions follow the headers, the choice stays; the
    // counterparty labels in sold mode only.
    void modeChanged(LedgerMode mode);

    void TulostusClick();
    void XiButton1Click();
    void XiButton6Click();
    void XiButton4Click();

private:
    TForm8 &m_window;
    LedgerControls &m_ui;
    Prompts &m_prompts;
    PrintPanel *m_panel = nullptr;
    std::unique_ptr<TForm6> m_preview;
};
