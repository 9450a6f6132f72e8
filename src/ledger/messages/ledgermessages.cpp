#include "ledger/messages/ledgermessages.h"
#include "ledger/ledgercontrols.h"
#include "ledger/messages/paymentmessagepanel.h"
#include "ledger/tform8.h"
#include "ledger/messages/trademessages.h"
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

LedgerMessages::LedgerMessages(TForm8 &window, LedgerControls &controls, Settings &settings)
    : QObject(&window), m_window(window), m_ui(controls), m_settings(settings)
{
    m_panel = new PaymentMessagePanel(m_settings, &m_window);
    connect(m_ui.viestil, &QPushButton::clicked, this, &LedgerMessages::viestilClick);
    connect(m_ui.Kopioiviesti, &QAction::triggered, this, &LedgerMessages::viestilClick);
    connect(m_ui.osoitel, &QPushButton::clicked, this, &LedgerMessages::osoitelClick);
    connect(m_ui.Kopioiosoite, &QAction::triggered, this, &LedgerMessages::osoitelClick);
    connect(m_ui.viestinmuotoilu, &QPushButton::clicked, this, &LedgerMessages::viestinmuotoiluClick);
    connect(m_ui.Viestinmuotoilu1, &QAction::triggered, this, &LedgerMessages::viestinmuotoiluClick);
    for (QWidget *w : std::initializer_list<QWidget *>{m_ui.viestil, m_ui.osoitel, m_ui.viestinmuotoilu})
        w->setEnabled(true);
    for (QAction *a : {m_ui.Kopioiviesti, m_ui.Kopioiosoite, m_ui.Viestinmuotoilu1})
        a->setEnabled(true);
}

void LedgerMessages::viestilClick()
{
    const QString text = TradeMessages::viesti(m_settings, m_window.listMode(), m_window.view(),
                                               m_window.selectedRow(), m_ui.Memo1->toPlainText(),
                                               m_ui.Label1->text(), m_ui.Label2->text());
    QGuiApplication::clipboard()->setText(text);
}

void LedgerMessages::osoitelClick()
{
    QGuiApplication::clipboard()->setText(TradeMessages::osoiteLeikepoydalle(m_ui.Memo1->toPlainText()));
}

void LedgerMessages::viestinmuotoiluClick()
{
    m_panel->open();
}
