#pragma once
// The ledger's "Tilastot": its button, its menu item (Ctrl+Shift+S) and the
// statistics window, which follows the ledger live. Every change of the
// ledger's view (a fetch adding rows, a row removed, a list opened, a mark or
// the date range changed) asks for a new drawing; drawings are at most four
// a second, and none while the window is hidden. Closing the ledger closes
// the window too.
#include "ledger/statistics/salesstatistics.h"
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QTimer>

class LedgerControls;
class Prompts;
class StatisticsWindow;
class TForm8;

class LedgerStatistics final : public QObject {
    Q_OBJECT
public:
    static constexpr int RedrawIntervalMs = 250;

    LedgerStatistics(TForm8 &ledger, LedgerControls &controls, Prompts &prompts);

    // The window, once it has been opened.
    StatisticsWindow *window() const;
    // How many times the window has been drawn.
    int drawCount() const { return m_draws; }

    // "Tilastot": opens the window (or brings it up), drawn from the list now.
    void TilastotClick();
    // Selects the rows of a counterparty in the ledger's view; the first of
    // them becomes the current row, so the ledger shows their totals.
    void selectParty(const QString &key);

private:
    void ledgerChanged();
    void redraw();

    TForm8 &m_ledger;
    LedgerControls &m_ui;
    Prompts &m_prompts;
    QPointer<StatisticsWindow> m_window;
    QTimer m_timer;
    QElapsedTimer m_lastDrawn;
    int m_draws = 0;
};
