#include "ledger/files/ledgerfiles.h"
#include "core/atomicfile.h"
#include "core/cp1252.h"
#include "core/wholenumber.h"
#include "ledger/model/ledgercodec.h"
#include "ledger/model/ledgertable.h"
#include <QFile>

namespace {

const QString kBr = QStringLiteral("<BR>");

// Line breaks inside a cell become "<BR>". A lone CR or LF would otherwise
// split the cell's line and make the whole file unreadable.
QString encodeBreaks(const QString &text)
{
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
        return text;
    QString out;
    out.reserve(text.size() + 8);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r')) {
            out.append(kBr);
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else if (c == QLatin1Char('\n')) {
            out.append(kBr);
        } else {
            out.append(c);
        }
    }
    return out;
}

bool readInt(QStringView text, int *value)
{
    const std::optional<int> n = WholeNumber::read(text.trimmed());
    *value = n.value_or(0);
    return n.has_value();
}

QString lineError(int lineNumber)
{
    return QStringLiteral("Listatiedosto on viallinen: rivi %1 ei ole muotoa "
                          "sarake,rivi,teksti.\r\nListaa ei luettu.").arg(lineNumber);
}

// Splits like the line reader of the list's first writers: CR LF, CR or LF
// ends a line; a break at the very end does not start another line.
QVector<QStringView> splitLines(const QString &text)
{
    QVector<QStringView> lines;
    const int n = text.size();
    int start = 0;
    for (int i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines.append(QStringView(text).mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < n && text.at(i + 1) == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(QStringView(text).mid(start));
    return lines;
}

}

namespace LedgerFiles {

static_assert(LedgerTable::ColumnCount <= 10, "column numbers are written as one digit");

QByteArray listBytes(const LedgerTable &grid)
{
    QByteArray out;
    out.reserve(grid.rowCount() * 256);
    out += QByteArray::number(grid.columnCount()) + ',' + QByteArray::number(grid.rowCount()) + "\r\n";
    for (int r = 0; r < grid.rowCount(); ++r) {
        const QByteArray row = ',' + QByteArray::number(r) + ',';
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QString cell = grid.cell(c, r);
            if (cell.isEmpty())
                continue;
            out += char('0' + c);   // columns 0..9
            out += row;
            LedgerCodec::appendCp1252(out, encodeBreaks(cell));
            out += "\r\n";
        }
    }
    return out;
}

bool kirjoitalista(const LedgerTable &grid, const QString &path, QString *error)
{
    return writeFile(path, listBytes(grid), error);
}

LedgerReadResult parseList(const QByteArray &bytes)
{
    LedgerReadResult result;
    const QString text = Cp1252::decode(bytes);
    const QVector<QStringView> lines = splitLines(text);
    if (lines.isEmpty() || lines.first().isEmpty()) {
        result.status = LedgerReadResult::Status::Nothing;
        return result;
    }
    const QStringView first = lines.first();
    const int comma = first.indexOf(QLatin1Char(','));
    int columns = 0;
    int rows = 0;
    if (comma < 0 || !readInt(first.left(comma), &columns) || !readInt(first.mid(comma + 1), &rows)
        || columns < 0 || rows < 0) {
        result.error = QStringLiteral("Listatiedosto on viallinen: ensimmäinen rivi ei kerro "
                                      "listan kokoa.\r\nListaa ei luettu.");
        return result;
    }
    if (columns > MaxColumns || rows > MaxRows) {
        result.error = QStringLiteral("Listatiedosto on viallinen: siinä sanotaan olevan %1 "
                                      "saraketta ja %2 riviä.\r\nListaa ei luettu.")
                           .arg(columns).arg(rows);
        return result;
    }
    LedgerSheet sheet(columns, rows);
    for (int i = 1; i < lines.size(); ++i) {
        const QStringView line = lines.at(i);
        if (line.isEmpty())
            continue;
        const int c1 = line.indexOf(QLatin1Char(','));
        const int c2 = c1 < 0 ? -1 : line.indexOf(QLatin1Char(','), c1 + 1);
        int column = 0;
        int row = 0;
        if (c2 < 0 || !readInt(line.left(c1), &column)
            || !readInt(line.mid(c1 + 1, c2 - c1 - 1), &row)) {
            result.error = lineError(i + 1);
            return result;
        }
        QString cell = line.mid(c2 + 1).toString();
        cell.replace(kBr, QStringLiteral("\r\n"));
        if (cell.startsWith(QLatin1Char('\r')))
            cell.remove(0, 1);
        if (cell.startsWith(QLatin1Char('\n')))
            cell.remove(0, 1);
        if (!cell.isEmpty())
            sheet.setCell(column, row, cell);
    }
    result.status = LedgerReadResult::Status::Read;
    result.sheet = std::move(sheet);
    return result;
}

LedgerReadResult lueListatiedosto(const QString &path)
{
    LedgerReadResult result;
    QByteArray bytes;
    if (!readFile(path, &bytes, &result.error))
        return result;
    return parseList(bytes);
}

bool readFile(const QString &path, QByteArray *bytes, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("Tiedostoa %1 ei voitu avata.").arg(path);
        return false;
    }
    if (file.size() > MaxFileSize) {
        *error = QStringLiteral("Tiedosto %1 on liian suuri listaksi.").arg(path);
        return false;
    }
    *bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        *error = QStringLiteral("Tiedoston %1 lukeminen epäonnistui.").arg(path);
        return false;
    }
    return true;
}

bool writeFile(const QString &path, const QByteArray &bytes, QString *error)
{
    if (AtomicFile::write(path, bytes))
        return true;
    if (error)
        *error = QStringLiteral("Tiedostoa %1 ei voitu tallentaa.").arg(path);
    return false;
}

}
