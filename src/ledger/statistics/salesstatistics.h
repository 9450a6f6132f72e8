#pragma once
// The numbers of the ledger's "Tilastot" window, gathered from the master
// list in one pass: sales (or purchases) per month, per weekday and per hour
// of closing, paid/unpaid and sent/unsent sums, and the best counterparties.
// Money is counted in whole cents, never in floating point.
//
// Related files of this folder:
//   partytally.h         the counterparty totals, keyed without copying texts
//   statisticstext.h     Finnish labels, euro texts, the month table as text
//   statisticswindow.h   the window with its charts and tables
//   ledgerstatistics.h   the ledger's button, menu item and live updates
#include "ledger/model/ledgertable.h"
#include "ledger/model/ledgerview.h"
#include <QString>
#include <QStringView>
#include <QVector>
#include <array>
#include <optional>

struct TradeSum {
    int trades = 0;
    qint64 pieces = 0;   // quantities of the titles' " (N KPL)", 1 without
    qint64 cents = 0;

    void add(qint64 quantity, qint64 price)
    {
        ++trades;
        pieces += quantity;
        cents += price;
    }
};

struct MonthSum {
    int year = 0;
    int month = 0;   // 1-12
    TradeSum sum;
};

struct PartySum {
    QString key;   // the counterparty key, as the ledger shows it
    int trades = 0;
    qint64 cents = 0;
};

struct SalesSummary {
    TradeSum total;
    // Every month from the first to the last month with a trade, empty
    // months included, in time order.
    QVector<MonthSum> months;
    std::array<TradeSum, 7> weekdays {};   // Monday first
    std::array<TradeSum, 24> hours {};
    TradeSum paid, unpaid;   // paid mark set / clear
    TradeSum sent, unsent;   // sent (received) mark set / clear
    QVector<PartySum> bestParties;   // at most BestPartyCount, best first
    // Rows left out: no item number, an unreadable price or closing time.
    int skipped = 0;
};

namespace SalesStatistics {

constexpr int BestPartyCount = 10;

// Rows of `table` whose closing date lies in `range` (the ledger's date
// filter). Rows that hold no text at all are passed over without a count.
SalesSummary summarize(const LedgerTable &table, const LedgerDateRange &range);

// A price cell in cents: digits, optionally a "." and one or two decimals
// ("12.5" is 12.50), spaces around allowed. Empty when it cannot be read.
std::optional<qint64> priceCents(QStringView text);

// The quantity of a title ending in " (N KPL)"; 1 for any other title.
qint64 quantity(QStringView title);

struct Closing {
    int year = 0, month = 0, day = 0;
    int weekday = 0;   // 1 = Monday … 7 = Sunday; 0 when the date does not exist
    int hour = -1;   // -1 when the time cannot be read
};
// A closing time "dd.mm.yyyy hh:mm:ss"; empty when its date cannot be read.
std::optional<Closing> readClosing(QStringView text);

}   // namespace SalesStatistics
