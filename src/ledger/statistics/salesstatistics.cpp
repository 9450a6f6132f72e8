#include "salesstatistics.h"
#include "partytally.h"
#include <QDate>
#include <map>

namespace {
// Digits of text[from, from + count) as a number; -1 when any is not a digit.
int digitsAt(QStringView text, int from, int count)
{
    if (from < 0 || from + count > text.size())
        return -1;
    int value = 0;
    for (int i = from; i < from + count; ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool hasText(const QStringList &cells)
{
    for (const QString &c : cells) {
        if (!c.isEmpty())
            return true;
    }
    return false;
}

// Month totals keyed by year * 12 + month - 1. Lists come sorted more often
// than not, so the month of the previous row is tried first.
class MonthTally final {
public:
    TradeSum &at(int year, int month)
    {
        const int key = year * 12 + month - 1;
        if (m_last == m_months.end() || m_last->first != key)
            m_last = m_months.try_emplace(key).first;
        return m_last->second;
    }
    QVector<MonthSum> months() const
    {
        QVector<MonthSum> out;
        if (m_months.empty())
            return out;
        const int first = m_months.begin()->first;
        const int last = m_months.rbegin()->first;
        out.reserve(last - first + 1);
        for (int key = first; key <= last; ++key) {
            const auto found = m_months.find(key);
            out.append(MonthSum {key / 12, key % 12 + 1, found == m_months.end() ? TradeSum() : found->second});
        }
        return out;
    }

private:
    std::map<int, TradeSum> m_months;
    std::map<int, TradeSum>::iterator m_last = m_months.end();
};

class Gatherer final {
public:
    Gatherer(const LedgerTable &table, const LedgerDateRange &range) : m_table(table), m_range(range) {}

    SalesSummary run()
    {
        // One shared copy of each row; its cells are then read in place.
        for (int row = 1; row < m_table.rowCount(); ++row)
            takeRow(m_table.row(row));
        m_summary.months = m_monthTally.months();
        m_summary.bestParties = m_parties.best(SalesStatistics::BestPartyCount);
        return std::move(m_summary);
    }

private:
    // `cells` holds LedgerTable::ColumnCount texts.
    void takeRow(const QStringList &cells)
    {
        const QString &item = cells.at(LedgerColumn::Kohde);
        const QString &closingText = cells.at(LedgerColumn::Sulkeutunut);
        const std::optional<SalesStatistics::Closing> closing = SalesStatistics::readClosing(closingText);
        if (closing && !LedgerView::aikavalilla(closingText, m_range))
            return;   // outside the date filter: not part of these figures
        if (item.isEmpty() && !hasText(cells))
            return;   // an empty row of the grid
        const std::optional<qint64> price = SalesStatistics::priceCents(cells.at(LedgerColumn::Hinta));
        if (item.isEmpty() || !closing || !price) {
            ++m_summary.skipped;
            return;
        }
        addTrade(cells, *closing, *price);
    }

    void addTrade(const QStringList &cells, const SalesStatistics::Closing &closing, qint64 price)
    {
        const qint64 pieces = SalesStatistics::quantity(cells.at(LedgerColumn::Nimi));
        m_summary.total.add(pieces, price);
        m_monthTally.at(closing.year, closing.month).add(pieces, price);
        if (closing.weekday > 0)
            m_summary.weekdays[size_t(closing.weekday - 1)].add(pieces, price);
        if (closing.hour >= 0)
            m_summary.hours[size_t(closing.hour)].add(pieces, price);
        const bool paid = Ledger::merkittu(cells.at(LedgerColumn::Maksettu));
        (paid ? m_summary.paid : m_summary.unpaid).add(pieces, price);
        const bool sent = Ledger::merkittu(cells.at(LedgerColumn::Lahetetty));
        (sent ? m_summary.sent : m_summary.unsent).add(pieces, price);
        m_parties.add(cells.at(LedgerColumn::Tunnus), price);
    }

    const LedgerTable &m_table;
    const LedgerDateRange m_range;
    SalesSummary m_summary;
    MonthTally m_monthTally;
    PartyTally m_parties;
};
}   // namespace

namespace SalesStatistics {

SalesSummary summarize(const LedgerTable &table, const LedgerDateRange &range)
{
    return Gatherer(table, range).run();
}

std::optional<qint64> priceCents(QStringView text)
{
    text = text.trimmed();
    const qsizetype point = text.indexOf(u'.');
    const QStringView whole = point < 0 ? text : text.left(point);
    const QStringView decimals = point < 0 ? QStringView() : text.mid(point + 1);
    // Nine digits of euros keep any sum of a list far inside 64 bits.
    if (whole.isEmpty() || whole.size() > 9 || (point >= 0 && (decimals.isEmpty() || decimals.size() > 2)))
        return std::nullopt;
    const int euros = digitsAt(whole, 0, int(whole.size()));
    const int fraction = decimals.isEmpty() ? 0 : digitsAt(decimals, 0, int(decimals.size()));
    if (euros < 0 || fraction < 0)
        return std::nullopt;
    return qint64(euros) * 100 + (decimals.size() == 1 ? fraction * 10 : fraction);
}

qint64 quantity(QStringView title)
{
    static constexpr QStringView tail = u" KPL)";
    if (!title.endsWith(tail))
        return 1;
    const qsizetype end = title.size() - tail.size();
    qsizetype start = end;
    while (start > 0 && title.at(start - 1).isDigit() && title.at(start - 1).unicode() < 128)
        --start;
    const qsizetype digits = end - start;
    if (digits == 0 || digits > 6 || start < 2 || title.mid(start - 2, 2) != u" (")
        return 1;
    const int n = digitsAt(title, int(start), int(digits));
    return n > 0 ? n : 1;
}

std::optional<Closing> readClosing(QStringView text)
{
    // Read like the ledger's date filter reads it: the separators are not
    // looked at.
    if (text.size() <= 10)
        return std::nullopt;
    Closing c;
    c.day = digitsAt(text, 0, 2);
    c.month = digitsAt(text, 3, 2);
    c.year = digitsAt(text, 6, 4);
    if (c.day < 1 || c.day > 31 || c.month < 1 || c.month > 12 || c.year < 0)
        return std::nullopt;
    c.weekday = QDate(c.year, c.month, c.day).dayOfWeek();
    const int hour = text.size() >= 13 && text.at(10) == u' ' ? digitsAt(text, 11, 2) : -1;
    c.hour = hour >= 0 && hour < 24 ? hour : -1;
    return c;
}

}   // namespace SalesStatistics
