#include "statisticstext.h"

namespace {
QString rangeDate(int value)
{
    // year * 10000 + month * 100 + day, shown as the Finnish short date.
    return QStringLiteral("%1.%2.%3").arg(value % 100).arg(value / 100 % 100).arg(value / 10000);
}

QString centsText(qint64 cents, QChar point)
{
    const bool negative = cents < 0;
    const qint64 a = negative ? -cents : cents;
    return (negative ? QStringLiteral("-") : QString()) + QString::number(a / 100) + point
        + QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
}
}   // namespace

namespace StatisticsText {

QString monthLabel(int year, int month)
{
    static const char *const names[]
        = {"tammi", "helmi", "maalis", "huhti", "touko", "kesä", "heinä", "elo", "syys", "loka", "marras", "joulu"};
    if (month < 1 || month > 12)
        return QString::number(year);
    return QString::fromUtf8(names[month - 1]) + u' ' + QString::number(year);
}

QString weekdayLabel(int weekday)
{
    static const char *const names[] = {"ma", "ti", "ke", "to", "pe", "la", "su"};
    return weekday >= 1 && weekday <= 7 ? QString::fromLatin1(names[weekday - 1]) : QString();
}

QStringList weekdayLabels()
{
    QStringList out;
    for (int d = 1; d <= 7; ++d)
        out << weekdayLabel(d);
    return out;
}

QStringList hourLabels()
{
    QStringList out;
    for (int h = 0; h < 24; ++h)
        out << QStringLiteral("%1").arg(h, 2, 10, QLatin1Char('0'));
    return out;
}

QString euros(qint64 cents)
{
    return centsText(cents, u'.') + QStringLiteral(" €");
}

QString sheetNumber(qint64 cents)
{
    return centsText(cents, u',');
}

QString skippedLine(int skipped)
{
    if (skipped <= 0)
        return QString();
    return QString::number(skipped) + (skipped == 1 ? QStringLiteral(" rivi ohitettiin") : QStringLiteral(" riviä ohitettiin"));
}

QString summaryLine(LedgerMode mode, const LedgerDateRange &range, const TradeSum &total)
{
    const QString what = mode == LedgerMode::Bought ? QStringLiteral("Ostetut kohteet") : QStringLiteral("Myydyt kohteet");
    const QString trades
        = total.trades == 1 ? QStringLiteral("1 kauppa") : QString::number(total.trades) + QStringLiteral(" kauppaa");
    return what + u' ' + rangeDate(range.start) + QStringLiteral("–") + rangeDate(range.end) + QStringLiteral(": ") + trades
        + QStringLiteral(", ") + QString::number(total.pieces) + QStringLiteral(" kpl, yhteensä ") + euros(total.cents);
}

QString counterpartyCaption(LedgerMode mode)
{
    return mode == LedgerMode::Bought ? QStringLiteral("Myyjä") : QStringLiteral("Ostaja");
}

QString monthChartTitle(LedgerMode mode)
{
    return mode == LedgerMode::Bought ? QStringLiteral("Ostot kuukausittain") : QStringLiteral("Myynti kuukausittain");
}

QString settledCaption(LedgerMode mode)
{
    return mode == LedgerMode::Bought ? QStringLiteral("Saapuminen") : QStringLiteral("Lähetys");
}

QStringList monthTableHeader()
{
    return {QStringLiteral("Kuukausi"), QStringLiteral("Kauppoja"), QStringLiteral("Kpl"), QStringLiteral("Yhteensä €")};
}

QString monthTable(const SalesSummary &summary)
{
    const QString tab = QStringLiteral("\t");
    const QString end = QStringLiteral("\r\n");
    QString out = monthTableHeader().join(tab) + end;
    const auto line = [&](const QString &label, const TradeSum &sum) {
        out += label + tab + QString::number(sum.trades) + tab + QString::number(sum.pieces) + tab + sheetNumber(sum.cents) + end;
    };
    for (const MonthSum &m : summary.months)
        line(monthLabel(m.year, m.month), m.sum);
    line(QStringLiteral("Yhteensä"), summary.total);
    return out;
}

}   // namespace StatisticsText
