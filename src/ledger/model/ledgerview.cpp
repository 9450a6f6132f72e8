#include "ledger/model/ledgerview.h"
#include <QRegularExpression>
#include <algorithm>

namespace {
constexpr int MasterColumns = LedgerTable::ColumnCount;

// A run of exactly `len` decimal digits at `pos`, or -1.
int digits(const QString &text, int pos, int len)
{
    if (pos + len > text.size())
        return -1;
    int value = 0;
    for (int i = pos; i < pos + len; ++i) {
        const QChar c = text.at(i);
        if (c < u'0' || c > u'9')
            return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// Day (chars 1-2), month (4-5) and year (7-10) joined as year, month, day.
int readDate(const QString &text)
{
    const int day = digits(text, 0, 2);
    const int month = digits(text, 3, 2);
    const int year = digits(text, 6, 4);
    if (day < 0 || month < 0 || year < 0)
        return -1;
    return year * 10000 + month * 100 + day;
}

QString firstLine(const QString &text)
{
    int cut = text.indexOf(u'\r');
    if (cut < 0)
        cut = text.indexOf(u'\n');
    return cut < 0 ? text : text.left(cut);
}
}

LedgerView::LedgerView()
{
    clear();
    m_rows[0].cells = LedgerTable::headers(LedgerMode::Sold);
}

void LedgerView::setHeaders(const QStringList &headers)
{
    QStringList h = headers.mid(0, MasterColumns);
    while (h.size() < MasterColumns)
        h.append(QString());
    m_rows[0].cells = h;
}

QString LedgerView::rowCell(const Row &r, int column)
{
    if (column == LinkColumn)
        return r.link < 0 ? QString() : QString::number(r.link);
    return column >= 0 && column < r.cells.size() ? r.cells.at(column) : QString();
}

QString LedgerView::cell(int column, int row) const
{
    if (row < 0 || row >= m_rows.size())
        return QString();
    return rowCell(m_rows.at(row), column);
}

void LedgerView::setCell(int column, int row, const QString &text)
{
    if (row < 0 || row >= m_rows.size() || column < 0 || column >= ColumnCount)
        return;
    Row &r = m_rows[row];
    if (column == LinkColumn) {
        bool ok = false;
        const int value = text.toInt(&ok);
        r.link = ok && value >= 0 ? value : -1;
        return;
    }
    if (r.cells.isEmpty()) {
        if (text.isEmpty())
            return;
        for (int i = 0; i < MasterColumns; ++i)
            r.cells.append(QString());
    }
    r.cells[column] = text;
}

int LedgerView::link(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.at(row).link : -1;
}

void LedgerView::clear()
{
    if (m_rows.isEmpty())
        m_rows.resize(1);
    m_rows.resize(1);
    m_rows.resize(LedgerTable::MinRows);
    m_rows[0].link = -1;
    m_rows[1].link = 1;
}

bool LedgerView::admits(LedgerShow show, const QString &paid, const QString &sent)
{
    switch (show) {
    case LedgerShow::All: return true;
    case LedgerShow::Unpaid: return !Ledger::merkittu(paid);
    case LedgerShow::Unsent: return !Ledger::merkittu(sent);
    case LedgerShow::PaidUnsent: return Ledger::merkittu(paid) && !Ledger::merkittu(sent);
    }
    return true;
}

int LedgerView::dateValue(const QString &closing)
{
    return closing.size() <= 10 ? -1 : readDate(closing);
}

bool LedgerView::aikavalilla(const QString &closing, const LedgerDateRange &range)
{
    const int value = dateValue(closing);
    return value >= 0 && value >= range.start && value <= range.end;
}

LedgerDateRange LedgerView::aikavali(const LedgerTable &sg, int currentYear)
{
    LedgerDateRange r;
    r.start = qMax(currentYear, 2022) * 10000 + 1231;
    r.end = 0;
    for (int row = 1; row < sg.rowCount(); ++row) {
        const QString closing = sg.cell(LedgerColumn::Sulkeutunut, row);
        if (closing.size() < 3 || closing.at(2) != u'.')
            continue;
        const int value = readDate(closing);
        if (value < 0)
            continue;
        r.start = qMin(r.start, value);
        r.end = qMax(r.end, value);
    }
    return r;
}

void LedgerView::suodatanakyma(const LedgerTable &sg, LedgerShow show, const LedgerDateRange &range)
{
    const Row header = m_rows.at(0);
    m_rows.clear();
    m_rows.reserve(sg.rowCount());
    m_rows.append(header);
    for (int row = 1; row < sg.rowCount(); ++row) {
        if (!admits(show, sg.cell(LedgerColumn::Maksettu, row), sg.cell(LedgerColumn::Lahetetty, row)))
            continue;
        if (!aikavalilla(sg.cell(LedgerColumn::Sulkeutunut, row), range))
            continue;
        Row r;
        r.cells = sg.row(row);
        r.link = row;
        m_rows.append(r);
    }
    if (m_rows.size() < LedgerTable::MinRows)
        m_rows.resize(LedgerTable::MinRows);
}

void LedgerView::paivita2(LedgerTable &sg) const
{
    for (int row = 1; row < m_rows.size(); ++row) {
        const Row &r = m_rows.at(row);
        if (r.link < 0 || r.link >= sg.rowCount())
            continue;
        // The header row is never a link target of a data row.
        if (r.link == 0)
            continue;
        sg.setRow(r.link, r.cells);
    }
}

LedgerTotals LedgerView::totals(int row) const
{
    LedgerTotals t;
    const QString own = cell(LedgerColumn::Tunnus, row);
    const QString key = Ledger::tunnusavain(own);
    for (int r = 1; r < m_rows.size(); ++r) {
        const QString price = cell(LedgerColumn::Hinta, r);
        const int cents = Ledger::kokonaisluvuksi(price);
        if (price.contains(u'.')) {
            ++t.count;
            t.sum += cents;
        }
        if (!own.isEmpty() && Ledger::tunnusavain(cell(LedgerColumn::Tunnus, r)) == key) {
            ++t.partyCount;
            t.partySum += cents;
        }
    }
    return t;
}

QVector<int> LedgerView::sameKeyRows(int row) const
{
    QVector<int> out;
    const QString key = Ledger::tunnusavain(cell(LedgerColumn::Tunnus, row));
    for (int r = 1; r < m_rows.size(); ++r) {
        if (Ledger::tunnusavain(cell(LedgerColumn::Tunnus, r)) == key)
            out.append(r);
    }
    return out;
}

QVector<int> LedgerView::counterpartyRows(int row) const
{
    QVector<int> out;
    for (int r : sameKeyRows(row)) {
        if (!cell(LedgerColumn::Kohde, r).isEmpty())
            out.append(r);
    }
    return out;
}

QString LedgerView::copyRowsText(int row) const
{
    QString out;
    for (int r : counterpartyRows(row)) {
        for (int c = LedgerColumn::Kohde; c <= LedgerColumn::Tunnus; ++c) {
            if (c == LedgerColumn::Maksettu || c == LedgerColumn::Lahetetty)
                continue;
            QString text = cell(c, r);
            text.replace(u'\r', u'\t');
            text.remove(u'\n');
            out += text;
            if (!out.endsWith(u'\t'))
                out += u'\t';
        }
        out += QStringLiteral("\r\n");
    }
    return out;
}

QStringList LedgerView::addressLines(const QString &counterparty)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = counterparty.split(lineBreak);
    // A text ending in a line break has no last line after it.
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [](const QString &l) { return l.size() < 2; }),
                lines.end());
    if (lines.isEmpty())
        return lines;
    QString joined;
    for (const QString &l : lines)
        joined += l + QStringLiteral("\r\n");
    QStringList capitals = Ledger::isoalkukirjaimet(joined).split(lineBreak);
    // The e-mail address keeps its own capitals.
    if (capitals.size() > 1)
        capitals[1] = lines.at(1);
    return capitals;
}

QString LedgerView::notesPlaceholder()
{
    return QStringLiteral("Lisätiedot, kirjoita tähän");
}

QString LedgerView::notesText(const QString &notes)
{
    if (notes.isEmpty() || notes == QStringLiteral(" "))
        return notesPlaceholder();
    QString text = notes;
    return text.replace(QStringLiteral("<BR>"), QStringLiteral("\r\n"));
}

QString LedgerView::notesCell(const QString &boxText)
{
    if (boxText == notesPlaceholder())
        return QString();
    QString text = boxText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("<BR>"));
    return text;
}

int LedgerView::headerSortChoice(int column, int currentItem)
{
    switch (column) {
    case LedgerColumn::Kohde: return 7;
    case LedgerColumn::Nimi: return currentItem == 5 ? 6 : 5;
    case LedgerColumn::Sulkeutunut: return 2;
    case LedgerColumn::Osoite: return currentItem == 0 ? 1 : 0;
    case LedgerColumn::Hinta: return currentItem == 3 ? 4 : 3;
    default: return -1;
    }
}

QString LedgerView::displayText(int column, int row) const
{
    QString text = cell(column, row);
    if (row < 1)
        return text;
    switch (column) {
    case LedgerColumn::Nro:
        return cell(LedgerColumn::Kohde, row).isEmpty() ? text : QString::number(row);
    case LedgerColumn::Osoite:
        return firstLine(text);
    case LedgerColumn::Tunnus:
        return Ledger::tunnusavain(text);
    default:
        return text;
    }
}

LedgerCellStyle LedgerView::cellStyle(int column, int row, bool rowHasItem, bool sameParty)
{
    LedgerCellStyle s;
    s.text = QColor(0, 0, 0);
    if (row == 0) {
        s.background = QColor(0xA2, 0xB3, 0xCB);
        return s;
    }
    if (rowHasItem && sameParty)
        s.background = QColor(0xA6, 0xCA, 0xF0);
    else
        s.background = row % 2 ? QColor(0xEC, 0xF3, 0xFF) : QColor(0xFE, 0xFE, 0xFE);
    if (column == LedgerColumn::Maksettu || column == LedgerColumn::Lahetetty) {
        s.text = QColor(0x00, 0x80, 0x00);
        s.bold = true;
    }
    return s;
}

LedgerCellStyle LedgerView::cellStyle(int column, int row, int selectedRow) const
{
    const bool hasItem = !cell(LedgerColumn::Kohde, row).isEmpty();
    const bool same = hasItem && selectedRow >= 0 && selectedRow < m_rows.size()
                      && Ledger::tunnusavain(cell(LedgerColumn::Tunnus, row))
                             == Ledger::tunnusavain(cell(LedgerColumn::Tunnus, selectedRow));
    return cellStyle(column, row, hasItem, same);
}
