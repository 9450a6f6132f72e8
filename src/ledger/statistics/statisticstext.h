#pragma once
// The texts of the statistics window: Finnish month and weekday names, euro
// sums, the summary line, and the month table as tab-separated text.
#include "ledger/model/ledgertable.h"
#include "ledger/statistics/salesstatistics.h"
#include <QString>
#include <QStringList>

namespace StatisticsText {

// "tammi 2026", "joulu 2025".
QString monthLabel(int year, int month);
// "ma" … "su", Monday first (1-7).
QString weekdayLabel(int weekday);
QStringList weekdayLabels();
// "00" … "23".
QStringList hourLabels();

// Cents as the ledger writes sums, with a space before the sign: "1234.50 €".
QString euros(qint64 cents);
// Cents with a decimal comma and no sign, for a spreadsheet: "1234,50".
QString sheetNumber(qint64 cents);

// "3 riviä ohitettiin" ("1 rivi ohitettiin"); empty when none was.
QString skippedLine(int skipped);

// The top line: what the figures cover and their totals.
QString summaryLine(LedgerMode mode, const LedgerDateRange &range, const TradeSum &total);

// Captions that follow the list mode.
QString counterpartyCaption(LedgerMode mode);   // "Ostaja" / "Myyjä"
QString monthChartTitle(LedgerMode mode);   // "Myynti kuukausittain" / "Ostot kuukausittain"
QString settledCaption(LedgerMode mode);   // "Lähetys" / "Saapuminen"

// Header of the month table, then one line per month and a total line;
// cells separated by tabs, lines ended by CR LF. Numbers in the Finnish
// way (decimal comma) so that a spreadsheet takes them as numbers.
QString monthTable(const SalesSummary &summary);
QStringList monthTableHeader();

}   // namespace StatisticsText
