#include "ledger/files/ledgerxlsx.h"
#include "ledger/files/ledgerfiles.h"
#include "ledger/model/ledgertable.h"
#include <QFile>
#include <QTemporaryDir>
#include <xlsxwriter.h>

namespace {

bool isHex(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'F') || (u >= 'a' && u <= 'f');
}

// "_xHHHH_" at i: the format's escape of one UTF-16 unit.
bool escapeAt(const QString &s, int i)
{
    if (i + 6 >= s.size() || s.at(i) != QLatin1Char('_') || s.at(i + 1) != QLatin1Char('x')
        || s.at(i + 6) != QLatin1Char('_'))
        return false;
    return isHex(s.at(i + 2)) && isHex(s.at(i + 3)) && isHex(s.at(i + 4)) && isHex(s.at(i + 5));
}

// "_xHHHH" at i: an underscore a reader could take for the start of an
// escape, whatever follows (an escape written next would complete it).
bool escapeStartAt(const QString &s, int i)
{
    if (i + 5 >= s.size() || s.at(i) != QLatin1Char('_') || s.at(i + 1) != QLatin1Char('x'))
        return false;
    return isHex(s.at(i + 2)) && isHex(s.at(i + 3)) && isHex(s.at(i + 4)) && isHex(s.at(i + 5));
}

// Characters XML 1.0 cannot carry (and CR, which XML turns into LF).
bool needsEscape(const QString &s, int i)
{
    const char16_t u = s.at(i).unicode();
    if (u < 0x20)
        return u != '\t' && u != '\n';
    if (u == 0xFFFE || u == 0xFFFF)
        return true;
    if (QChar::isHighSurrogate(u))
        return i + 1 >= s.size() || !s.at(i + 1).isLowSurrogate();
    if (QChar::isLowSurrogate(u))
        return i == 0 || !s.at(i - 1).isHighSurrogate();
    return false;
}

void appendEscape(QString &out, char16_t u)
{
    out += QLatin1String("_x");
    out += QString::number(uint(u), 16).rightJustified(4, QLatin1Char('0')).toUpper();
    out += QLatin1Char('_');
}

bool plain(const QString &text)
{
    for (int i = 0; i < text.size(); ++i) {
        const char16_t u = text.at(i).unicode();
        if (u < 0x20 || u == '_' || u >= 0xD800)
            return false;
    }
    return true;
}

QString cellError(int row, int column, const QString &header)
{
    return QStringLiteral("Listaa ei voitu tallentaa Excel-työkirjaksi: rivin %1 sarakkeessa "
                          "\"%2\" on yli %3 merkkiä, enemmän kuin työkirjan soluun mahtuu.")
        .arg(row).arg(header.isEmpty() ? QString::number(column + 1) : header)
        .arg(LedgerXlsx::MaxCellLength);
}

struct Formats {
    lxw_format *header;
    lxw_format *text;
    lxw_format *wrap;
};

Formats addFormats(lxw_workbook *wb)
{
    Formats f{workbook_add_format(wb), workbook_add_format(wb), workbook_add_format(wb)};
    format_set_bold(f.header);
    for (lxw_format *t : {f.header, f.text, f.wrap})
        format_set_num_format_index(t, 49);   // "@": the cell is text
    format_set_text_wrap(f.wrap);
    format_set_align(f.wrap, LXW_ALIGN_VERTICAL_TOP);
    return f;
}

// The sheet's cells; false with a message at the first cell that fails.
bool writeCells(lxw_worksheet *ws, const Formats &f, const LedgerTable &grid, QString *error)
{
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            const QString cell = grid.cell(c, r);
            if (cell.isEmpty())
                continue;
            const QString stored = LedgerXlsx::encodeText(cell);
            if (stored.size() > LedgerXlsx::MaxCellLength) {
                *error = cellError(r, c, grid.cell(c, 0));
                return false;
            }
            lxw_format *format = r == 0 ? f.header
                                 : stored.contains(QLatin1Char('\n')) ? f.wrap : f.text;
            const lxw_error e = worksheet_write_string(ws, lxw_row_t(r), lxw_col_t(c),
                                                       stored.toUtf8().constData(), format);
            if (e != LXW_NO_ERROR) {
                *error = QStringLiteral("Listaa ei voitu tallentaa Excel-työkirjaksi (%1).")
                             .arg(QString::fromUtf8(lxw_strerror(e)));
                return false;
            }
        }
    }
    // Trailing empty rows still count: the last row is written even when empty.
    if (grid.rowCount() > 0)
        worksheet_set_row(ws, lxw_row_t(grid.rowCount() - 1), LXW_DEF_ROW_HEIGHT, nullptr);
    return true;
}

void setColumns(lxw_worksheet *ws, const Formats &f, const QVector<int> &viewWidths)
{
    for (int c = 0; c < LedgerTable::ColumnCount; ++c) {
        const int px = viewWidths.value(c) > 0 ? viewWidths.value(c) : 100;
        worksheet_set_column_pixels(ws, lxw_col_t(c), lxw_col_t(c), uint32_t(px),
                                    c == LedgerColumn::Osoite ? f.wrap : f.text);
    }
    worksheet_freeze_panes(ws, 1, 0);
}

QByteArray readBack(const QString &path, QString *error)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return file.readAll();
    *error = QStringLiteral("Excel-työkirjan kirjoittaminen epäonnistui.");
    return {};
}

}

namespace LedgerXlsx {

QString encodeText(const QString &text)
{
    if (plain(text))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n')) {
            out += QLatin1Char('\n');
            ++i;
        } else if (escapeStartAt(text, i)) {
            out += QLatin1String("_x005F_");   // a literal "_xHHHH" stays literal
        } else if (needsEscape(text, i)) {
            appendEscape(out, c.unicode());
        } else {
            out += c;
        }
    }
    return out;
}

QString decodeText(const QString &stored)
{
    if (!stored.contains(QLatin1Char('\n')) && !stored.contains(QLatin1String("_x")))
        return stored;
    QString out;
    out.reserve(stored.size() + 16);
    for (int i = 0; i < stored.size(); ++i) {
        const QChar c = stored.at(i);
        if (escapeAt(stored, i)) {
            out += QChar(char16_t(QStringView(stored).mid(i + 2, 4).toUShort(nullptr, 16)));
            i += 6;
        } else if (c == QLatin1Char('\n') && (i == 0 || stored.at(i - 1) != QLatin1Char('\r'))) {
            out += QLatin1String("\r\n");
        } else {
            out += c;
        }
    }
    return out;
}

QByteArray workbookBytes(const LedgerTable &grid, const QVector<int> &viewWidths, QString *error)
{
    if (grid.rowCount() > MaxRows) {
        *error = QStringLiteral("Listaa ei voitu tallentaa Excel-työkirjaksi: siinä on yli %1 riviä.")
                     .arg(MaxRows);
        return {};
    }
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path());
    const QString file = dir.filePath(QStringLiteral("lista.xlsx"));
    lxw_workbook_options options{};
    options.tmpdir = const_cast<char *>(folder.constData());
    // Rows go straight to the file with their texts inline: the ledger's texts
    // are mostly unique, and a shared-string table costs a third more time.
    options.constant_memory = LXW_TRUE;
    lxw_workbook *wb = dir.isValid() ? workbook_new_opt(QFile::encodeName(file).constData(), &options)
                                     : nullptr;
    if (!wb) {
        *error = QStringLiteral("Excel-työkirjaa ei voitu luoda.");
        return {};
    }
    lxw_worksheet *ws = workbook_add_worksheet(wb, "Lista");
    const Formats formats = addFormats(wb);
    setColumns(ws, formats, viewWidths);
    const bool cellsWritten = writeCells(ws, formats, grid, error);
    const lxw_error closed = workbook_close(wb);   // frees the workbook in any case
    if (!cellsWritten)
        return {};
    if (closed != LXW_NO_ERROR) {
        *error = QStringLiteral("Excel-työkirjan kirjoittaminen epäonnistui (%1).")
                     .arg(QString::fromUtf8(lxw_strerror(closed)));
        return {};
    }
    return readBack(file, error);
}

bool kirjoitaxlsx(const LedgerTable &grid, const QVector<int> &viewWidths, const QString &path,
                  QString *error)
{
    QString message;
    const QByteArray bytes = workbookBytes(grid, viewWidths, &message);
    if (bytes.isEmpty()) {
        if (error)
            *error = message;
        return false;
    }
    return LedgerFiles::writeFile(path, bytes, error);
}

LedgerReadResult lueXlsx(const QString &path)
{
    LedgerReadResult result;
    QByteArray bytes;
    if (!LedgerFiles::readFile(path, &bytes, &result.error))
        return result;
    return parseWorkbook(bytes);
}

}
