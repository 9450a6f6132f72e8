#include "ledger/files/ledgerxls.h"
#include "core/cp1252.h"
#include "ledger/model/ledgercodec.h"
#include "ledger/files/ledgerfiles.h"
#include "ledger/model/ledgertable.h"
#include <QtEndian>
#include <cstring>

namespace {

class Writer {
public:
    QByteArray bytes;

    void u8(int v) { bytes.append(char(v & 0xff)); }
    void u16(int v) { u8(v); u8(v >> 8); }
    void raw(const QByteArray &b) { bytes.append(b); }
    void hex(const char *h) { raw(QByteArray::fromHex(h)); }
    void f64(double v)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        char le[8];
        qToLittleEndian(bits, le);
        bytes.append(le, 8);
    }
    void record(int type, const QByteArray &body)
    {
        u16(type);
        u16(body.size());
        raw(body);
    }
    void record16(int type, int value)
    {
        u16(type);
        u16(2);
        u16(value);
    }
    void recordDouble(int type, double value)
    {
        u16(type);
        u16(8);
        f64(value);
    }
};

const char *const kFormats[34] = {
    "General", "0", "0.00", "#,##0", "#,##0.00",
    "#,##0\\ _€;\\-#,##0\\ _€",
    "#,##0\\ _€;[Red]\\-#,##0\\ _€",
    "#,##0.00\\ _€;\\-#,##0.00\\ _€",
    "#,##0.00\\ _€;[Red]\\-#,##0.00\\ _€",
    "#,##0\\ \"€\";\\-#,##0\\ \"€\"",
    "#,##0\\ \"€\";[Red]\\-#,##0\\ \"€\"",
    "#,##0.00\\ \"€\";\\-#,##0.00\\ \"€\"",
    "#,##0.00\\ \"€\";[Red]\\-#,##0.00\\ \"€\"",
    "0\\ %", "0.00\\ %", "0.00E+00", "#\" \"?/?", "#\" \"?\?/??",
    "d/m/yyyy", "d/mmm/yy", "d/mmm", "mmm/yy", "h:mm\\ AM/PM", "h:mm:ss\\ AM/PM",
    "h:mm", "h:mm:ss", "d/m/yyyy\\ h:mm", "##0.0E+0", "mm:ss", "@",
    "_-* #,##0\\ \"€\"_-;\\-* #,##0\\ \"€\"_-;_-* \"-\"\\ \"€\"_-;_-@_-",
    "_-* #,##0\\ _€_-;\\-* #,##0\\ _€_-;_-* \"-\"\\ _€_-;_-@_-",
    "_-* #,##0.00\\ \"€\"_-;\\-* #,##0.00\\ \"€\"_-;_-* \"-\"??\\ \"€\"_-;_-@_-",
    "_-* #,##0.00\\ _€_-;\\-* #,##0.00\\ _€_-;_-* \"-\"??\\ _€_-;_-@_-"};

// First six bytes of each XF body; all end in 00 CE 00 00 00 00.
QByteArray xfHead(int i)
{
    if (i == 0) return QByteArray::fromHex("0000F5FF2000");
    if (i <= 2) return QByteArray::fromHex("0100F5FF20F4");
    if (i <= 4) return QByteArray::fromHex("0200F5FF20F4");
    if (i <= 14) return QByteArray::fromHex("0000F5FF20F4");
    static const char *const tail[7] = {"000001002000", "0121F5FF20F8", "011FF5FF20F8",
                                        "0120F5FF20F8", "011EF5FF20F8", "010DF5FF20F8",
                                        "050001002008"};
    return QByteArray::fromHex(tail[i - 15]);
}

void writePrologue(Writer &w)
{
    w.record(0x0409, QByteArray::fromHex("000010004618"));
    w.record(0x005C, char(8) + QByteArray("Taulukko") + QByteArray(103, ' '));
    w.record(0x020B, QByteArray::fromHex("110500000000010017050000DB060000"));
    w.record16(0x0042, 1252);
    w.record16(0x000D, 1);
    w.record16(0x000C, 100);
    w.record16(0x000F, 1);
    w.record16(0x0011, 0);
    w.recordDouble(0x0010, 0.001);
    w.record16(0x005F, 1);
    w.record16(0x000E, 1);
    w.record16(0x0022, 0);
    w.record16(0x002A, 0);
    w.record16(0x002B, 0);
    w.record16(0x0082, 1);
    w.record(0x0080, QByteArray(8, '\0'));
    w.record(0x0225, QByteArray::fromHex("0000FF00"));
    w.record(0x008C, QByteArray::fromHex("01006601"));
    w.record16(0x008D, 0);
    w.record(0x0081, QByteArray::fromHex("C104"));
    for (int i = 0; i < 5; ++i) {
        Writer font;
        font.u16(i < 4 ? 200 : 240);
        font.hex("0000FF7F05");
        font.raw("Arial");
        w.record(0x0231, font.bytes);
    }
    w.record(0x0014, QByteArray());
    w.record(0x0015, QByteArray());
    w.record16(0x0083, 0);
    w.record16(0x0084, 0);
    w.recordDouble(0x0026, 0.75);
    w.recordDouble(0x0027, 0.75);
    w.recordDouble(0x0028, 1.0);
    w.recordDouble(0x0029, 1.0);
    Writer setup;
    setup.hex("00006601010001000100040020202020");
    setup.f64(0.5);
    setup.f64(0.5);
    setup.hex("2020");
    w.record(0x00A1, setup.bytes);
    w.record16(0x0040, 0);
    w.record16(0x0056, 27);
    for (const char *format : kFormats) {
        const QByteArray text = Cp1252::encode(QString::fromUtf8(format));
        Writer body;
        body.u16(0);
        body.u8(text.size());
        body.raw(text);
        w.record(0x041E, body.bytes);
    }
    w.record16(0x0019, 0);
    for (int i = 0; i < 22; ++i)
        w.record(0x0443, xfHead(i) + QByteArray::fromHex("00CE00000000"));
    for (const char *style : {"108003FF", "118006FF", "128004FF", "138007FF", "008000FF",
                              "148005FF"})
        w.record(0x0293, QByteArray::fromHex(style));
    w.record16(0x0055, 8);
}

void writeEpilogue(Writer &w)
{
    w.record(0x003D, QByteArray::fromHex("68010F008C2882230000"));
    w.record(0x023E, QByteArray::fromHex("B600") + QByteArray(8, '\0'));
    w.record(0x001D, QByteArray::fromHex("03") + QByteArray(6, '\0') + QByteArray::fromHex("01")
                         + QByteArray(7, '\0'));
    w.record(0x00AB, QByteArray::fromHex("200000") + QByteArray(31, '\xff'));
    w.record(0x000A, QByteArray());
}

// A LABEL text must fit the record's 16-bit length.
constexpr int kMaxLabelBytes = 0xffff - 8;

class Reader {
public:
    explicit Reader(const QByteArray &bytes) : m_bytes(bytes) {}
    int pos = 0;
    bool has(int n) const { return pos + n <= m_bytes.size() && n >= 0; }
    int peek16() const { return qFromLittleEndian<quint16>(m_bytes.constData() + pos); }
    int take16()
    {
        const int v = peek16();
        pos += 2;
        return v;
    }
    QByteArray take(int n)
    {
        QByteArray b = m_bytes.mid(pos, n);
        pos += n;
        return b;
    }

private:
    const QByteArray &m_bytes;
};

QString truncatedError()
{
    return QStringLiteral("Excel-taulukko on vajaa: tiedosto loppuu kesken tietueen.\r\n"
                          "Listaa ei luettu.");
}

}

namespace LedgerXls {

QByteArray prologue()
{
    Writer w;
    writePrologue(w);
    return w.bytes;
}

QByteArray epilogue()
{
    Writer w;
    writeEpilogue(w);
    return w.bytes;
}

QByteArray worksheetBytes(const LedgerTable &grid, const QVector<int> &viewWidths)
{
    if (grid.rowCount() > MaxRows)
        return QByteArray();
    Writer w;
    w.bytes.reserve(PrologueSize + grid.rowCount() * grid.columnCount() * 40);
    writePrologue(w);
    for (int c = 0; c < grid.columnCount(); ++c) {
        const int px = c < viewWidths.size() && viewWidths.at(c) > 0 ? viewWidths.at(c) : 100;
        w.u16(0x007D);
        w.u16(12);
        w.u16(c);
        w.u16(c);
        w.u16(qMin(px * 40, 0xffff));
        w.u16(15);
        w.u16(0);
        w.u16(0);
    }
    w.hex("00020A0000000100000002000000");
    w.hex("08021000000000000200FF0000000000" "40010F00");
    QByteArray text;
    for (int r = 0; r < grid.rowCount(); ++r) {
        for (int c = 0; c < grid.columnCount(); ++c) {
            text.clear();
            LedgerCodec::appendCp1252(text, grid.cell(c, r));
            if (text.size() > kMaxLabelBytes)
                text.truncate(kMaxLabelBytes);
            char head[12];
            qToLittleEndian<quint16>(0x0204, head);
            qToLittleEndian<quint16>(quint16(text.size() + 8), head + 2);
            qToLittleEndian<quint16>(quint16(r), head + 4);
            qToLittleEndian<quint16>(quint16(c), head + 6);
            qToLittleEndian<quint16>(21, head + 8);
            qToLittleEndian<quint16>(quint16(text.size()), head + 10);
            w.bytes.append(head, 12);
            w.bytes.append(text);
        }
    }
    writeEpilogue(w);
    return w.bytes;
}

bool kirjoitaxls(const LedgerTable &grid, const QVector<int> &viewWidths, const QString &path,
                 QString *error)
{
    if (grid.rowCount() > MaxRows) {
        if (error)
            *error = QStringLiteral("Listassa on %1 riviä, mutta Excel-taulukkoon mahtuu "
                                    "enintään %2.\r\nTaulukkoa ei tallennettu.")
                         .arg(grid.rowCount()).arg(MaxRows);
        return false;
    }
    return LedgerFiles::writeFile(path, worksheetBytes(grid, viewWidths), error);
}

LedgerReadResult parseWorksheet(const QByteArray &bytes)
{
    LedgerReadResult result;
    if (bytes.size() <= PrologueSize + FixedBlockSize + EpilogueSize) {
        result.status = LedgerReadResult::Status::Nothing;
        return result;
    }
    Reader in(bytes);
    in.pos = PrologueSize;
    while (in.has(2) && in.peek16() == 0x007D) {
        if (!in.has(16)) {
            result.error = truncatedError();
            return result;
        }
        in.pos += 16;
    }
    // The value that ended the loop and the rest of the fixed block.
    if (!in.has(34)) {
        result.error = truncatedError();
        return result;
    }
    in.pos += 34;
    LedgerSheet sheet(ReadColumns, 0);
    int labels = 0;
    while (in.has(2) && in.peek16() == 0x0204) {
        if (!in.has(12)) {
            result.error = truncatedError();
            return result;
        }
        in.pos += 4;   // type and record length
        const int row = in.take16();
        const int column = in.take16();
        in.pos += 2;   // format index
        const int n = in.take16();
        if (!in.has(n)) {
            result.error = truncatedError();
            return result;
        }
        if (row + 1 > sheet.rowCount())
            sheet.setRowCount(row + 1);
        sheet.appendToCell(column, row, Cp1252::decode(in.take(n)));
        ++labels;
    }
    if (labels == 0) {
        result.error = QStringLiteral("Excel-taulukosta ei löytynyt listan soluja. Vain tällä "
                                      "ohjelmalla tallennetut taulukot voi avata.\r\n"
                                      "Listaa ei luettu.");
        return result;
    }
    result.status = LedgerReadResult::Status::Read;
    result.sheet = std::move(sheet);
    return result;
}

LedgerReadResult lueXls(const QString &path)
{
    LedgerReadResult result;
    QByteArray bytes;
    if (!LedgerFiles::readFile(path, &bytes, &result.error))
        return result;
    return parseWorksheet(bytes);
}

}
