#pragma once
// The charts of the statistics window, filled from a SalesSummary. Every fill
// replaces the chart's series and axes, so a chart always shows one summary.
#include "ledger/model/ledgertable.h"
#include "ledger/statistics/salesstatistics.h"
#include <QStringList>
#include <QVector>

class QChart;
class QChartView;
class QWidget;

namespace StatisticsCharts {

// A chart view without animations or margins to spare, named for tests.
QChartView *makeView(const char *objectName, QWidget *parent);

// Sums per month as bars (euros, left axis) and trade counts as a line
// (right axis), months labelled "tammi 2026".
void fillMonths(QChart *chart, const QVector<MonthSum> &months, LedgerMode mode);
// Trade counts per bucket (weekdays, hours) as bars, the labels turned by
// `labelAngle` degrees (-90: upright); more than twelve bars are labelled
// in groups of three.
void fillCounts(QChart *chart, const QString &title, const QStringList &labels, const QVector<int> &counts, int labelAngle);
// Paid/unpaid and sent/unsent sums in euros as stacked bars, one bar each.
void fillSettled(QChart *chart, const SalesSummary &summary, LedgerMode mode);

}   // namespace StatisticsCharts
