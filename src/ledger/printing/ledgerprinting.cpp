#include "ledger/printing/ledgerprinting.h"
#include "ledger/ledgercontrols.h"
#include "ledger/printing/printpages.h"
#include "ledger/printing/printpanel.h"
#include "ledger/printing/tform6.h"
#include "ledger/tform8.h"
#include <QAction>
#include <QPushButton>

LedgerPrinting::LedgerPrinting(TForm8 &window, LedgerControls &controls, Prompts &prompts)
    : QObject(&window), m_window(window), m_ui(controls), m_prompts(prompts)
{
    m_panel = new PrintPanel(&m_window);
    m_panel->asetavalinnat(m_window.masterList().row(0), true);
    m_panel->setSoldMode(m_window.listMode() == LedgerMode::Sold);
    connect(m_ui.Tulostus, &QPushButton::clicked, this, &LedgerPrinting::TulostusClick);
    connect(m_ui.ulosta1, &QAction::triggered, this, &LedgerPrinting::TulostusClick);
    connect(m_panel, &PrintPanel::listRequested, this, &LedgerPrinting::XiButton1Click);
    connect(m_panel, &PrintPanel::partyLabelsRequested, this, &LedgerPrinting::XiButton6Click);
    connect(m_panel, &PrintPanel::senderLabelsRequested, this, &LedgerPrinting::XiButton4Click);
    m_ui.Tulostus->setEnabled(true);
    m_ui.ulosta1->setEnabled(true);
}

LedgerPrinting::~LedgerPrinting() = default;

TForm6 *LedgerPrinting::preview()
{
    if (!m_preview)
        m_preview = std::make_unique<TForm6>(m_prompts);
    return m_preview.get();
}

void LedgerPrinting::modeChanged(LedgerMode mode)
{
    m_panel->asetavalinnat(m_window.masterList().row(0), false);
    m_panel->setSoldMode(mode == LedgerMode::Sold);
}

void LedgerPrinting::TulostusClick()
{
    m_panel->open();
}

void LedgerPrinting::XiButton1Click()
{
    const QString page = PrintPages::CreateHTML(PrintPages::valitutSarakkeet(m_window.view(), m_panel->choice()));
    preview()->tulosta(page, &m_window);
}

void LedgerPrinting::XiButton6Click()
{
    preview()->tulosta(PrintPages::ostajienlaput(m_window.view(), m_window.masterList()), &m_window);
    preview()->enableAddressEditing();
}

void LedgerPrinting::XiButton4Click()
{
    preview()->tulosta(PrintPages::lahettajanlaput(m_panel->omaosoite()), &m_window);
}
