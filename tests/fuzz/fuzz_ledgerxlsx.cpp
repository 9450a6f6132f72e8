// The ledger's Excel workbook reader, two ways. An input starting with an
// even byte (a zip starts with "P") is opened as a workbook through
// `luelista`: it is read only when it really is a zip holding a workbook
// part, and a refused file leaves the list as it was. An odd first byte makes
// the other pieces cell texts of a list that is written and read back.
#include "ledger/files/ledgerxlsx.h"
#include "ledger/files/xlsxzip.h"
#include "ledgerfuzz.h"

namespace {

// What a cell text becomes in a workbook: a LF without a CR before it is a
// ledger line break (CR LF) when read back.
QString afterRoundTrip(const QString &text)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\n') && (i == 0 || text.at(i - 1) != QLatin1Char('\r')))
            out += QLatin1Char('\r');
        out += text.at(i);
    }
    return out;
}

void openAsWorkbook(const QByteArray &bytes)
{
    const QString path = Fuzz::scratch() + QStringLiteral("in.xlsx");
    Fuzz::writeBytes(path, bytes);
    Fuzz::LedgerWindow window;
    Fuzz::fillSample(window);
    const LedgerTable before = window.table;
    LedgerListCommands commands(window, window, Fuzz::scratch());
    if (!commands.luelista(false, true, path)) {
        FUZZ_CHECK(window.shown == 1);
        FUZZ_CHECK(window.table == before && window.mode == LedgerMode::Sold);
        return;
    }
    FUZZ_CHECK(window.shown == 0);
    FUZZ_CHECK(XlsxZip(bytes).contains(QStringLiteral("xl/workbook.xml")));
}

void writeAndReadBack(const Fuzz::Input &in)
{
    LedgerTable written(LedgerMode::Sold);
    LedgerTable expected(LedgerMode::Sold);
    for (int i = 1; i < in.count() && i < 40; ++i) {
        // Each text may grow sevenfold in escapes; a cell holds 32767.
        const QString text = in.utf16(i).left(4000);
        const int column = 1 + (i - 1) % 9;
        const int row = 1 + (i - 1) / 9;
        if (row >= written.rowCount()) {
            written.setRowCount(row + 1);
            expected.setRowCount(row + 1);
        }
        written.setCell(column, row, text);
        expected.setCell(column, row, afterRoundTrip(text));
    }
    QString error;
    const QByteArray bytes = LedgerXlsx::workbookBytes(written, {}, &error);
    FUZZ_CHECK(!bytes.isEmpty());
    const LedgerReadResult read = LedgerXlsx::parseWorkbook(bytes);
    FUZZ_CHECK(read.status == LedgerReadResult::Status::Read);
    FUZZ_CHECK(read.sheet.matchColumns(LedgerTable::headers(LedgerMode::Sold)) == expected);
}

}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const Fuzz::Input in(data, size);
    if (in.mode() % 2 == 0)
        openAsWorkbook(Fuzz::raw(data, size));
    else
        writeAndReadBack(in);
    return 0;
}
