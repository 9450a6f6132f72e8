#include "ledger/model/ledgersort.h"
#include "ledger/model/ledgercodec.h"
#include "ledger/model/ledgertable.h"
#include <algorithm>
#include <charconv>
#include <vector>

namespace {

// Sort column and order of each item of `huutaja`.
constexpr int kItemColumn[8] = {8, 8, 3, 4, 4, 2, 2, 1};

struct Key {
    QByteArray text;
    double number = 0;
    bool fixed = false;   // never swapped: empty text or unreadable price
};

// Reads a number the way the ledger always has: optional blanks around it,
// a sign, digits with an optional "." part and exponent. Anything else
// (including "nan", "inf" and numbers out of range) is unreadable.
bool readNumber(const QString &text, double *value)
{
    const QByteArray s = text.trimmed().toLatin1();
    int i = 0;
    const int n = s.size();
    QByteArray plain;
    if (i < n && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            plain.append('-');
        ++i;
    }
    int digits = 0;
    const int mantissaStart = i;
    while (i < n && s[i] >= '0' && s[i] <= '9') { ++i; ++digits; }
    if (i < n && s[i] == '.') {
        ++i;
        while (i < n && s[i] >= '0' && s[i] <= '9') { ++i; ++digits; }
    }
    if (digits == 0)
        return false;
    QByteArray mantissa = s.mid(mantissaStart, i - mantissaStart);
    if (mantissa.startsWith('.'))
        mantissa.prepend('0');
    if (mantissa.endsWith('.'))
        mantissa.chop(1);
    plain.append(mantissa);
    if (i < n && (s[i] == 'e' || s[i] == 'E')) {
        plain.append('e');
        ++i;
        if (i < n && (s[i] == '+' || s[i] == '-'))
            plain.append(s[i++]);
        int expDigits = 0;
        while (i < n && s[i] >= '0' && s[i] <= '9') { plain.append(s[i++]); ++expDigits; }
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    double v = 0;
    const auto res = std::from_chars(plain.constData(), plain.constData() + plain.size(), v);
    if (res.ec != std::errc() || res.ptr != plain.constData() + plain.size())
        return false;
    *value = v;
    return true;
}

// Two characters from a 1-based position, as Copy(text, pos, 2).
QString two(const QString &text, int pos)
{
    return text.mid(pos - 1, 2);
}

Key keyOf(const QString &cell, int column)
{
    Key k;
    if (column == LedgerColumn::Hinta) {
        k.fixed = !readNumber(cell.left(qMax(cell.size() - 1, 0)), &k.number);
        return k;
    }
    if (column == LedgerColumn::Sulkeutunut) {
        // yy mm dd hh mm ss from "dd.mm.yyyy hh:mm:ss"
        k.text = LedgerCodec::cp1252(two(cell, 9) + two(cell, 4) + two(cell, 1) + two(cell, 12)
                                     + two(cell, 15) + two(cell, 18));
    } else {
        k.text = LedgerCodec::cp1252(cell.toLower());
    }
    k.fixed = k.text.isEmpty();
    return k;
}

}

namespace LedgerSort {

int columnOfItem(int item)
{
    return item >= 0 && item < 8 ? kItemColumn[item] : -1;
}

bool ascendingItem(int item)
{
    return item == 0 || item == 4 || item == 5;
}

void lajittele(LedgerTable &grid, int column, bool ascending)
{
    const int rows = grid.rowCount();
    if (column < 0 || column >= LedgerTable::ColumnCount || rows < 3)
        return;
    std::vector<Key> keys(rows);
    std::vector<int> order(rows);
    for (int r = 1; r < rows; ++r) {
        keys[r] = keyOf(grid.cell(column, r), column);
        order[r] = r;
    }
    const bool numeric = column == LedgerColumn::Hinta;
    auto less = [&](int a, int b) {
        const Key &x = keys[a];
        const Key &y = keys[b];
        if (numeric)
            return ascending ? x.number < y.number : x.number > y.number;
        return ascending ? x.text < y.text : y.text < x.text;
    };
    // A fixed row never swaps, so no row passes it: each run between fixed
    // rows is ordered on its own, stably, as the bubble sort leaves it.
    int start = 1;
    while (start < rows) {
        if (keys[start].fixed) {
            ++start;
            continue;
        }
        int end = start;
        while (end < rows && !keys[end].fixed)
            ++end;
        std::stable_sort(order.begin() + start, order.begin() + end, less);
        start = end;
    }
    QVector<int> from(rows);
    for (int r = 1; r < rows; ++r)
        from[r] = order[r];
    grid.moveRows(from);
}

void lajitteleValinnalla(LedgerTable &grid, int item)
{
    const int column = columnOfItem(item);
    if (column >= 0)
        lajittele(grid, column, ascendingItem(item));
}

}
