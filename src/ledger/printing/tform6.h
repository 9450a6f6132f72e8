#pragma once
// The print preview window "Esikatselu": a page of the ledger (list,
// counterparty labels, sender labels) in an embedded browser view, with the
// commands "Tulosta", "Tulostuksen esikatselu", "Sivun asetukset" and
// "Muokkaa osoitteita". The page is shown with its scripts disabled: its
// texts come from the marketplace.
//
// Printing goes through the engine's own PDF output, so the text of the
// pages stays text: a printer set to a PDF file gets that PDF, a printer of
// the system gets it through the print spooler.
#include <QPointer>
#include <QPrinter>
#include <QWidget>
#include <memory>

class Prompts;
class QPushButton;
class QTemporaryDir;
class QWebEngineProfile;
class QWebEngineView;

class TForm6 final : public QWidget {
    Q_OBJECT
public:
    explicit TForm6(Prompts &prompts, QWidget *parent = nullptr);
    ~TForm6() override;

    // Shows the page; an owner window is disabled until the preview closes.
    void tulosta(const QString &page, QWidget *owner);
    // Loads the page into the view; false when it did not finish in 5 s.
    bool WBLoadHTML(const QString &page);
    // "Muokkaa osoitteita" becomes available (counterparty labels shown).
    void enableAddressEditing();

    QWebEngineView *view() const { return m_wb1; }
    QPrinter &printer() { return m_printer; }

    // The page printed to the printer as it is set up; false on failure.
    bool printDocument();

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void XiButton4Click();
    void XiButton5Click();
    void XiButton6Click();
    void XiButton7Click();
    bool setDesignMode(bool on);
    QByteArray pdf();
    bool spool(const QByteArray &pdf);
    bool rasterPrint(QPrinter *printer);

    Prompts &m_prompts;
    QPrinter m_printer;
    QWebEngineProfile *m_profile = nullptr;
    QWebEngineView *m_wb1 = nullptr;
    QWidget *m_bar = nullptr;
    QPushButton *m_edit = nullptr;
    QPointer<QWidget> m_owner;
    std::unique_ptr<QTemporaryDir> m_largePages;
};
