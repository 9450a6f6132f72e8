#include "statisticscharts.h"
#include "statisticstext.h"
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QHorizontalStackedBarSeries>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>

namespace {
const QColor kBar(0x4A, 0x6F, 0xA5);
const QColor kLine(0xE0, 0x7B, 0x20);
const QColor kDone(0x3C, 0x9A, 0x4A);
const QColor kOpen(0xE0, 0xA0, 0x30);

void clear(QChart *chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

void setTitle(QChart *chart, const QString &title)
{
    QFont font = chart->titleFont();
    font.setPointSize(9);
    font.setBold(true);
    chart->setTitleFont(font);
    chart->setTitle(title);
}

// `format` is a printf format of plain ASCII: the axis does not carry other
// characters through (a "€" is drawn as "?").
QValueAxis *valueAxis(qreal max, const QString &format, int ticks = 5)
{
    auto *axis = new QValueAxis;
    axis->setRange(0, max > 0 ? max * 1.1 : 1);
    axis->setLabelFormat(format);
    axis->setTickCount(ticks);
    axis->applyNiceNumbers();
    QFont font = axis->labelsFont();
    font.setPointSize(7);
    axis->setLabelsFont(font);
    return axis;
}

QBarCategoryAxis *categoryAxis(const QStringList &labels, int angle)
{
    auto *axis = new QBarCategoryAxis;
    axis->append(labels);
    axis->setLabelsAngle(angle);
    QFont font = axis->labelsFont();
    font.setPointSize(7);
    axis->setLabelsFont(font);
    return axis;
}

// Many narrow bars: the axis would cut every label short, so they are
// labelled by groups of three ("00–02" under the bars of 0, 1 and 2).
QAbstractAxis *groupedAxis(const QStringList &labels)
{
    auto *axis = new QCategoryAxis;
    axis->setStartValue(-0.5);
    for (int i = 0; i < labels.size(); i += 3) {
        const int last = qMin(i + 2, int(labels.size()) - 1);
        axis->append(labels.at(i) + QStringLiteral("–") + labels.at(last), last + 0.5);
    }
    axis->setRange(-0.5, labels.size() - 0.5);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionCenter);
    axis->setGridLineVisible(false);
    QFont font = axis->labelsFont();
    font.setPointSize(7);
    axis->setLabelsFont(font);
    return axis;
}

QBarSet *barSet(const QString &name, const QColor &colour)
{
    auto *set = new QBarSet(name);
    set->setColor(colour);
    set->setBorderColor(colour.darker(120));
    return set;
}
}   // namespace

namespace StatisticsCharts {

QChartView *makeView(const char *objectName, QWidget *parent)
{
    auto *chart = new QChart;
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->setBackgroundRoundness(0);
    chart->legend()->hide();
    auto *view = new QChartView(chart, parent);
    view->setObjectName(QString::fromLatin1(objectName));
    view->setRenderHint(QPainter::Antialiasing, false);
    return view;
}

void fillMonths(QChart *chart, const QVector<MonthSum> &months, LedgerMode mode)
{
    clear(chart);
    setTitle(chart, StatisticsText::monthChartTitle(mode));
    QStringList labels;
    QList<qreal> euros;
    auto *counts = new QLineSeries;
    counts->setName(QStringLiteral("Kauppoja"));
    counts->setColor(kLine);
    qreal maxEuros = 0;
    int maxCount = 0;
    for (int i = 0; i < months.size(); ++i) {
        const MonthSum &m = months.at(i);
        labels << StatisticsText::monthLabel(m.year, m.month);
        euros << m.sum.cents / 100.0;
        counts->append(i, m.sum.trades);
        maxEuros = std::max(maxEuros, euros.last());
        maxCount = std::max(maxCount, m.sum.trades);
    }
    QBarSet *sums = barSet(QStringLiteral("Yhteensä €"), kBar);
    sums->append(euros);
    auto *bars = new QBarSeries;
    bars->append(sums);
    chart->addSeries(bars);
    chart->addSeries(counts);
    QBarCategoryAxis *x = categoryAxis(labels, months.size() > 12 ? -90 : 0);
    QValueAxis *left = valueAxis(maxEuros, QStringLiteral("%.0f"));
    QValueAxis *right = valueAxis(maxCount, QStringLiteral("%d"));
    right->setLabelsColor(kLine);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(left, Qt::AlignLeft);
    chart->addAxis(right, Qt::AlignRight);
    bars->attachAxis(x);
    bars->attachAxis(left);
    counts->attachAxis(x);
    counts->attachAxis(right);
    chart->legend()->show();
    chart->legend()->setAlignment(Qt::AlignTop);
}

void fillCounts(QChart *chart, const QString &title, const QStringList &labels, const QVector<int> &counts, int labelAngle)
{
    clear(chart);
    setTitle(chart, title);
    QBarSet *set = barSet(QStringLiteral("Kauppoja"), kBar);
    int max = 0;
    for (int n : counts) {
        set->append(n);
        max = std::max(max, n);
    }
    auto *bars = new QBarSeries;
    bars->setBarWidth(0.8);
    bars->append(set);
    chart->addSeries(bars);
    QAbstractAxis *x = labels.size() > 12 ? groupedAxis(labels) : categoryAxis(labels, labelAngle);
    QValueAxis *y = valueAxis(max, QStringLiteral("%d"));
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    bars->attachAxis(x);
    bars->attachAxis(y);
}

void fillSettled(QChart *chart, const SalesSummary &summary, LedgerMode mode)
{
    clear(chart);
    setTitle(chart, QStringLiteral("Maksut ja toimitukset"));
    QBarSet *done = barSet(QStringLiteral("Valmis"), kDone);
    QBarSet *open = barSet(QStringLiteral("Kesken"), kOpen);
    done->append({summary.paid.cents / 100.0, summary.sent.cents / 100.0});
    open->append({summary.unpaid.cents / 100.0, summary.unsent.cents / 100.0});
    auto *bars = new QHorizontalStackedBarSeries;
    bars->append(done);
    bars->append(open);
    bars->setBarWidth(0.6);
    chart->addSeries(bars);
    QBarCategoryAxis *y = categoryAxis({QStringLiteral("Maksu"), StatisticsText::settledCaption(mode)}, 0);
    QValueAxis *x
        = valueAxis(std::max(summary.paid.cents + summary.unpaid.cents, summary.sent.cents + summary.unsent.cents) / 100.0,
            QStringLiteral("%.0f"));
    chart->addAxis(y, Qt::AlignLeft);
    chart->addAxis(x, Qt::AlignBottom);
    bars->attachAxis(y);
    bars->attachAxis(x);
    chart->legend()->show();
    chart->legend()->setAlignment(Qt::AlignRight);
}

}   // namespace StatisticsCharts
