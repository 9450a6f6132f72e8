#include "ledgerstatistics.h"
#include "ledger/ledgercontrols.h"
#include "ledger/ledgergrid.h"
#include "ledger/tform8.h"
#include "statisticswindow.h"
#include <QAction>
#include <QItemSelection>
#include <QPushButton>

LedgerStatistics::LedgerStatistics(TForm8 &ledger, LedgerControls &controls, Prompts &prompts)
    : QObject(&ledger), m_ledger(ledger), m_ui(controls), m_prompts(prompts)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &LedgerStatistics::redraw);
    connect(m_ui.Tilastot, &QPushButton::clicked, this, &LedgerStatistics::TilastotClick);
    connect(m_ui.Tilastot1, &QAction::triggered, this, &LedgerStatistics::TilastotClick);
    // The view model reports every change of the list the ledger shows.
    const QAbstractItemModel *model = m_ui.sg2->model();
    connect(model, &QAbstractItemModel::modelReset, this, &LedgerStatistics::ledgerChanged);
    connect(model, &QAbstractItemModel::dataChanged, this, &LedgerStatistics::ledgerChanged);
    connect(model, &QAbstractItemModel::rowsInserted, this, &LedgerStatistics::ledgerChanged);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &LedgerStatistics::ledgerChanged);
    connect(model, &QAbstractItemModel::headerDataChanged, this, &LedgerStatistics::ledgerChanged);
}

StatisticsWindow *LedgerStatistics::window() const
{
    return m_window;
}

void LedgerStatistics::TilastotClick()
{
    if (!m_window) {
        m_window = new StatisticsWindow(m_prompts, &m_ledger);
        connect(m_window, &StatisticsWindow::partyChosen, this, &LedgerStatistics::selectParty);
        connect(&m_ledger, &TForm8::formClosed, m_window, &QWidget::close);
    }
    m_timer.stop();
    redraw();
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

void LedgerStatistics::ledgerChanged()
{
    // A hidden window is drawn afresh when it is opened again.
    if (!m_window || !m_window->isVisible() || m_timer.isActive())
        return;
    // At most one drawing per interval; a change long after the last one is
    // drawn as soon as the event loop is free.
    const qint64 since = m_lastDrawn.isValid() ? m_lastDrawn.elapsed() : RedrawIntervalMs;
    m_timer.start(int(qMax<qint64>(0, RedrawIntervalMs - since)));
}

void LedgerStatistics::redraw()
{
    if (!m_window)
        return;
    const LedgerDateRange range = m_ledger.dateRange();
    m_window->showSummary(SalesStatistics::summarize(m_ledger.masterList(), range), m_ledger.listMode(), range);
    m_lastDrawn.start();
    ++m_draws;
}

void LedgerStatistics::selectParty(const QString &key)
{
    const LedgerView &view = m_ledger.view();
    QVector<int> rows;
    for (int r = 1; r < view.rowCount(); ++r) {
        if (!view.cell(LedgerColumn::Kohde, r).isEmpty() && Ledger::tunnusavain(view.cell(LedgerColumn::Tunnus, r)) == key)
            rows << r;
    }
    if (rows.isEmpty())
        return;
    m_ledger.selectRow(rows.first());
    QAbstractItemModel *model = m_ui.sg2->model();
    const int last = model->columnCount() - 1;
    QItemSelection selection;
    for (int r : rows)
        selection.select(model->index(r - 1, 0), model->index(r - 1, last));
    m_ui.sg2->selectionModel()->select(selection, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_ui.sg2->scrollTo(model->index(rows.first() - 1, LedgerColumn::Kohde));
}
