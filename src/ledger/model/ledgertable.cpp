#include "ledger/model/ledgertable.h"
#include <utility>

namespace {
const QStringList &soldHeaders()
{
    static const QStringList h{
        QStringLiteral("Nro"), QStringLiteral("Kohde"), QStringLiteral("Kohteen nimi"),
        QStringLiteral("Sulkeutunut"), QStringLiteral("Hinta"), QStringLiteral("Muuttiedot"),
        QStringLiteral("Maksettu"), QStringLiteral("Lähetetty"), QStringLiteral("Ostaja"),
        QStringLiteral("Tunnus")};
    return h;
}

const QStringList &boughtHeaders()
{
    static const QStringList h{
        QStringLiteral("Nro"), QStringLiteral("Kohde"), QStringLiteral("Kohteen nimi"),
        QStringLiteral("Sulkeutunut"), QStringLiteral("Hinta"), QStringLiteral("Muuttiedot"),
        QStringLiteral("Maksettu"), QStringLiteral("Saatu"), QStringLiteral("Myyjä"),
        QStringLiteral("Tunnus")};
    return h;
}

QStringList normalised(const QStringList &cells)
{
    QStringList out = cells.mid(0, LedgerTable::ColumnCount);
    while (out.size() < LedgerTable::ColumnCount)
        out.append(QString());
    for (const QString &c : std::as_const(out)) {
        if (!c.isEmpty())
            return out;
    }
    return {};
}

QStringList emptyRow()
{
    return QStringList(LedgerTable::ColumnCount);
}
}

LedgerTable::LedgerTable(LedgerMode mode)
{
    m_rows.resize(MinRows);
    setHeaders(mode);
}

QStringList LedgerTable::headers(LedgerMode mode)
{
    return mode == LedgerMode::Bought ? boughtHeaders() : soldHeaders();
}

void LedgerTable::setHeaders(LedgerMode mode)
{
    m_rows[0] = headers(mode);
}

void LedgerTable::setRowCount(int rows)
{
    m_rows.resize(qMax(rows, int(MinRows)));
}

QString LedgerTable::cell(int column, int row) const
{
    if (row < 0 || row >= m_rows.size())
        return QString();
    const QStringList &r = m_rows.at(row);
    return column >= 0 && column < r.size() ? r.at(column) : QString();
}

void LedgerTable::setCell(int column, int row, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= ColumnCount)
        return;
    QStringList &r = m_rows[row];
    if (r.isEmpty()) {
        if (text.isEmpty())
            return;
        r = emptyRow();
    }
    r[column] = text;
}

QStringList LedgerTable::row(int row) const
{
    if (row >= 0 && row < m_rows.size() && !m_rows.at(row).isEmpty())
        return m_rows.at(row);
    return emptyRow();
}

void LedgerTable::setRow(int row, const QStringList &cells)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row] = normalised(cells);
}

void LedgerTable::appendRow(const QStringList &cells)
{
    m_rows.append(normalised(cells));
}

void LedgerTable::moveRows(const QVector<int> &from)
{
    if (from.size() != m_rows.size())
        return;
    const QVector<QStringList> before = m_rows;
    for (int r = 1; r < m_rows.size(); ++r) {
        const int f = from.at(r);
        if (f == r || f < 1 || f >= before.size())
            continue;
        const QString first = cell(0, r);
        m_rows[r] = before.at(f);
        if (cell(0, r) != first) {
            if (m_rows[r].isEmpty())
                m_rows[r] = emptyRow();
            m_rows[r][0] = first;
            m_rows[r] = normalised(m_rows.at(r));
        }
    }
}

void LedgerTable::clearRows()
{
    m_rows.resize(1);
    m_rows.resize(MinRows);
}

bool LedgerTable::isEmpty() const
{
    for (int r = 1; r < m_rows.size(); ++r) {
        for (const QString &c : m_rows.at(r)) {
            if (!c.isEmpty())
                return false;
        }
    }
    return true;
}

bool LedgerTable::operator==(const LedgerTable &other) const
{
    if (m_rows.size() != other.m_rows.size())
        return false;
    for (int r = 0; r < m_rows.size(); ++r) {
        if (m_rows.at(r).isEmpty() != other.m_rows.at(r).isEmpty()) {
            if (row(r) != other.row(r))
                return false;
        } else if (m_rows.at(r) != other.m_rows.at(r)) {
            return false;
        }
    }
    return true;
}

namespace Ledger {

void DeleteRow(LedgerTable &grid, int index)
{
    const int rows = grid.rowCount();
    if (index < 1 || index >= rows)
        return;
    for (int r = index; r < rows - 1; ++r)
        grid.setRow(r, grid.row(r + 1));
    grid.setRow(rows - 1, QStringList());
    if (rows > LedgerTable::MinRows)
        grid.setRowCount(rows - 1);
}

bool onjolistalla(const LedgerTable &grid, const QString &itemNumber)
{
    for (int r = 0; r < grid.rowCount(); ++r) {
        if (grid.cell(LedgerColumn::Kohde, r) == itemNumber)
            return true;
    }
    return false;
}

QString tunnusavain(const QString &text)
{
    QString key;
    key.reserve(text.size());
    for (const QChar c : text) {
        if (c != QLatin1Char(' ') && c != QLatin1Char('\t'))
            key.append(c);
    }
    key = key.toLower();
    const int slash = key.indexOf(QLatin1Char('/'));
    return slash < 0 ? key : key.left(slash);
}

int kokonaisluvuksi(const QString &price)
{
    QString digits;
    const int dot = price.indexOf(QLatin1Char('.'));
    if (dot < 0) {
        digits = price;
    } else {
        QString decimals = price.mid(dot + 1, 2);
        while (decimals.size() < 2)
            decimals.append(QLatin1Char('0'));
        digits = price.left(dot) + decimals;
    }
    for (int i = 0; i < digits.size(); ++i) {
        const QChar c = digits.at(i);
        const bool sign = i == 0 && (c == QLatin1Char('-') || c == QLatin1Char('+'));
        if (!sign && !(c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            return 0;
    }
    bool ok = false;
    const int value = digits.toInt(&ok);
    return ok ? value : 0;
}

QString desimaalit(qint64 cents)
{
    const bool negative = cents < 0;
    QString s = QString::number(negative ? -cents : cents);
    while (s.size() < 3)
        s.prepend(QLatin1Char('0'));
    s.insert(s.size() - 2, QLatin1Char('.'));
    return negative ? QLatin1Char('-') + s : s;
}

QString isoalkukirjaimet(const QString &text)
{
    QString out;
    const int n = text.size() - 2;
    out.reserve(qMax(n, 0));
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        const bool start = i == 0 || text.at(i - 1) == QLatin1Char(' ')
                           || text.at(i - 1) == QLatin1Char('\n');
        out.append(start ? c.toUpper() : c);
    }
    out.replace(QStringLiteral("  "), QStringLiteral(" "));
    return out;
}

bool merkittu(const QString &mark)
{
    return !mark.isEmpty() && mark != QLatin1String(" ");
}

}
