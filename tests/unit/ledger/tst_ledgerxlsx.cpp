// The ledger's Excel workbook: written and read back cell for cell, read from
// workbooks of other writers, refused when damaged or hostile, and opened by
// LibreOffice when it is installed.
#include "ledger/files/ledgerlistcommands.h"
#include "ledger/model/ledgertable.h"
#include "ledger/files/ledgerxlsx.h"
#include "ledger/files/xlsxzip.h"
#include "cputime.h"
#include "scriptedprompts.h"
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>
#include <zlib.h>

// gcc 12 reports Qt's own list copy, inlined into the QVector built from a
// list of ints below, as maybe uninitialised.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif

namespace {

// The ledger window as the list commands see it.
class TestHost final : public LedgerListHost {
public:
    LedgerTable table;
    LedgerMode mode = LedgerMode::Sold;
    bool unsaved = false;
    QVector<int> widths{24, 58, 280, 110, 60, 0, 50, 50, 95, 75};

    LedgerTable &masterList() override { return table; }
    LedgerMode listMode() const override { return mode; }
    void switchListMode(LedgerMode m) override
    {
        mode = m;
        table.clearRows();
        table.setHeaders(m);
    }
    void clearList() override { table.clearRows(); }
    void listLoaded() override {}
    void setUnsaved(bool u) override { unsaved = u; }
    bool isUnsaved() const override { return unsaved; }
    QVector<int> viewColumnWidths() const override { return widths; }
};

QStringList item(const QString &number, const QString &buyer)
{
    return {QString(), number, QStringLiteral("Tuoli \"Åke\" ä ö € ") + number,
            QStringLiteral("05.03.2022 12:00:00"), QStringLiteral("12.50"), QString(),
            QStringLiteral("x"), QString(),
            buyer + QStringLiteral(" Meikäläinen\r\nKatu 1\r\n00100 Helsinki\r\n"),
            buyer + QStringLiteral("/123")};
}

LedgerTable threeRows()
{
    LedgerTable t(LedgerMode::Sold);
    t.setRow(1, item(QStringLiteral("3001"), QStringLiteral("Matti")));
    t.appendRow(item(QStringLiteral("3002"), QStringLiteral("Liisa")));
    t.appendRow(item(QStringLiteral("3003"), QStringLiteral("Pörrö")));
    t.setCell(5, 2, QStringLiteral("nouto<BR>lauantaina"));
    return t;
}

// The list read back as `luelista` would take it into a list of `mode`.
LedgerTable readBack(const QByteArray &bytes, LedgerMode mode = LedgerMode::Sold)
{
    const LedgerReadResult read = LedgerXlsx::parseWorkbook(bytes);
    if (read.status != LedgerReadResult::Status::Read)
        qWarning() << read.error;
    return read.sheet.matchColumns(LedgerTable::headers(mode));
}

// ---- A zip archive written by hand, for workbooks of other shapes.

void put16(QByteArray &b, quint32 v)
{
    b.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

void put32(QByteArray &b, quint32 v)
{
    put16(b, v & 0xffff);
    put16(b, v >> 16);
}

struct Entry {
    QByteArray name;
    QByteArray data;          // compressed already when `packed` is set
    quint32 crc = 0;
    quint32 size = 0;         // the size the archive claims
    bool packed = false;
    quint16 flags = 0;
};

QByteArray deflateRaw(const QByteArray &data)
{
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out(int(deflateBound(&z, uLong(data.size()))), Qt::Uninitialized);
    z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data.constData()));
    z.avail_in = uInt(data.size());
    z.next_out = reinterpret_cast<Bytef *>(out.data());
    z.avail_out = uInt(out.size());
    deflate(&z, Z_FINISH);
    out.resize(int(z.total_out));
    deflateEnd(&z);
    return out;
}

Entry part(const QByteArray &name, const QByteArray &text)
{
    const quint32 crc = quint32(crc32(0, reinterpret_cast<const Bytef *>(text.constData()), uInt(text.size())));
    return {name, deflateRaw(text), crc, quint32(text.size()), true, 0};
}

QByteArray zipOf(const QList<Entry> &entries)
{
    QByteArray out;
    QByteArray central;
    for (const Entry &e : entries) {
        const quint32 offset = quint32(out.size());
        QByteArray header;
        put16(header, 20);
        put16(header, e.flags);
        put16(header, 8);
        put16(header, 0);
        put16(header, 0x21);
        put32(header, e.crc);
        put32(header, quint32(e.data.size()));
        put32(header, e.size);
        put16(header, quint16(e.name.size()));
        put16(header, 0);
        put32(out, 0x04034b50);
        out += header + e.name + e.data;
        put32(central, 0x02014b50);
        put16(central, 20);
        central += header;
        put16(central, 0);      // comment
        put16(central, 0);      // disk
        put16(central, 0);      // internal attributes
        put32(central, 0);      // external attributes
        put32(central, offset);
        central += e.name;
    }
    const quint32 start = quint32(out.size());
    out += central;
    put32(out, 0x06054b50);
    put32(out, 0);
    put16(out, quint16(entries.size()));
    put16(out, quint16(entries.size()));
    put32(out, quint32(central.size()));
    put32(out, start);
    put16(out, 0);
    return out;
}

const QByteArray kMain = "xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"";

QList<Entry> workbookParts(const QByteArray &sheetData, const QByteArray &sharedStrings,
                           const QByteArray &sheetTarget = "worksheets/sheet1.xml")
{
    QByteArray rels = "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
                      "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                      "2006/relationships/worksheet\" Target=\"" + sheetTarget + "\"/>";
    if (!sharedStrings.isNull())
        rels += "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/"
                "2006/relationships/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    rels += "</Relationships>";
    QList<Entry> parts{
        part("xl/workbook.xml", "<?xml version=\"1.0\"?><workbook " + kMain + " xmlns:r=\"http://schemas."
             "openxmlformats.org/officeDocument/2006/relationships\"><sheets><sheet name=\"Lista\" "
             "sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>"),
        part("xl/_rels/workbook.xml.rels", rels),
        part("xl/worksheets/sheet1.xml", "<worksheet " + kMain + "><sheetData>" + sheetData
                                             + "</sheetData></worksheet>")};
    if (!sharedStrings.isNull())
        parts << part("xl/sharedStrings.xml", "<sst " + kMain + ">" + sharedStrings + "</sst>");
    return parts;
}

// The sold header row as inline strings.
QByteArray headerRow()
{
    QByteArray row = "<row r=\"1\">";
    const QStringList headers = LedgerTable::headers(LedgerMode::Sold);
    for (int c = 0; c < headers.size(); ++c)
        row += "<c r=\"" + QByteArray(1, char('A' + c)) + "1\" t=\"inlineStr\"><is><t>"
               + headers.at(c).toUtf8() + "</t></is></c>";
    return row + "</row>";
}

// A sheet part inflating to `size` bytes: a long run of spaces, made in
// pieces so that the test never holds it whole.
Entry bombPart(qint64 size, quint32 claimed)
{
    const QByteArray chunk(1 << 20, ' ');
    z_stream z{};
    deflateInit2(&z, 9, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
    QByteArray out;
    QByteArray buffer(1 << 16, Qt::Uninitialized);
    uLong crc = crc32(0, nullptr, 0);
    for (qint64 done = 0; done < size;) {
        const int n = int(qMin<qint64>(chunk.size(), size - done));
        done += n;
        crc = crc32(crc, reinterpret_cast<const Bytef *>(chunk.constData()), uInt(n));
        z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(chunk.constData()));
        z.avail_in = uInt(n);
        do {
            z.next_out = reinterpret_cast<Bytef *>(buffer.data());
            z.avail_out = uInt(buffer.size());
            deflate(&z, done == size ? Z_FINISH : Z_NO_FLUSH);
            out.append(buffer.constData(), buffer.size() - int(z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    return {"xl/worksheets/sheet1.xml", out, quint32(crc), claimed, true, 0};
}

}

class TestLedgerXlsx : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void writtenCellsReadBackEqual_data()
    {
        QTest::addColumn<QStringList>("cells");
        const QString n = QStringLiteral("3001");
        auto row = [&](int column, const QString &text) {
            QStringList r = item(n, QStringLiteral("Matti"));
            r[column] = text;
            return r;
        };
        QTest::newRow("Finnish letters and euro") << row(2, QStringLiteral("Äänilevy, öljy ja Åland € 5"));
        QTest::newRow("quotes") << row(2, QStringLiteral("\"Tuoli\" 'vanha' ”lainaus”"));
        QTest::newRow("markup-looking text") << row(2, QStringLiteral("<b>Tuoli</b> & pöytä &amp; ]]>"));
        QTest::newRow("address line breaks") << row(8, QStringLiteral("Matti\r\nKatu 1\r\n\r\n00100 HKI\r\n"));
        QTest::newRow("address beginning with a break") << row(8, QStringLiteral("\r\nMatti\r\n"));
        QTest::newRow("lone CR and control characters") << row(5, QStringLiteral("a\rb\x01\x1f\tc"));
        QTest::newRow("the format's own escape as text") << row(2, QStringLiteral("_x0041_ ja _x005F_"));
        QTest::newRow("escape-like text before an escape")
            << row(2, QStringLiteral("_x0041") + QChar(0xFFFF) + QStringLiteral(" _x00e4\r"));
        QTest::newRow("surrogates, paired and lone")
            << row(2, QStringLiteral("😀 ") + QChar(0xD800) + QStringLiteral(" ") + QChar(0xDC00) + QChar(0xFFFF));
        QTest::newRow("spaces kept") << row(2, QStringLiteral("  kaksi  välilyöntiä  "));
        QTest::newRow("numbers stay text") << row(4, QStringLiteral("0012.50"));
        QTest::newRow("long text") << row(2, QString(32000, QChar(0xE4)));
        QTest::newRow("empty cells") << QStringList{QString(), n, QString(), QString(), QString(),
                                                      QString(), QString(), QString(), QString(), QString()};
    }
    void writtenCellsReadBackEqual()
    {
        QFETCH(QStringList, cells);
        LedgerTable t(LedgerMode::Sold);
        t.setRow(1, item(QStringLiteral("2000"), QStringLiteral("Liisa")));
        t.appendRow(cells);
        t.appendRow(QStringList(LedgerTable::ColumnCount, QString()));   // trailing empty row kept
        QString error;
        const QByteArray bytes = LedgerXlsx::workbookBytes(t, {}, &error);
        QVERIFY2(!bytes.isEmpty(), qPrintable(error));
        const LedgerTable back = readBack(bytes);
        QCOMPARE(back.rowCount(), t.rowCount());
        for (int c = 0; c < LedgerTable::ColumnCount; ++c)
            QCOMPARE(back.cell(c, 2), t.cell(c, 2));
        QVERIFY(back == t);
    }

    void loneLineFeedComesBackAsLedgerBreak()
    {
        QCOMPARE(LedgerXlsx::decodeText(LedgerXlsx::encodeText(QStringLiteral("a\nb\r\nc"))),
                 QStringLiteral("a\r\nb\r\nc"));
    }

    void overlongCellIsRefused()
    {
        LedgerTable t = threeRows();
        t.setCell(2, 3, QString(LedgerXlsx::MaxCellLength + 1, QLatin1Char('a')));
        QString error;
        QVERIFY(!LedgerXlsx::kirjoitaxlsx(t, {}, path("pitka.xlsx"), &error));
        QVERIFY2(error.contains(QStringLiteral("rivin 3 sarakkeessa \"Kohteen nimi\"")), qPrintable(error));
        QVERIFY(!QFile::exists(path("pitka.xlsx")));
    }

    void workbooksOfOtherWriters_data()
    {
        QTest::addColumn<QByteArray>("sheetData");
        QTest::addColumn<QByteArray>("sharedStrings");
        QTest::addColumn<QByteArray>("sheetTarget");
        QTest::addColumn<QStringList>("row1");
        const QStringList empty(LedgerTable::ColumnCount, QString());
        auto with = [&](std::initializer_list<std::pair<int, const char *>> cells) {
            QStringList r = empty;
            for (const auto &c : cells)
                r[c.first] = QString::fromUtf8(c.second);
            return r;
        };
        QTest::newRow("numbers") << QByteArray("<row r=\"2\"><c r=\"B2\"><v>12345678</v></c>"
                                              "<c r=\"E2\" t=\"n\"><v>0.10000000000000001</v></c></row>")
                                 << QByteArray() << QByteArray("worksheets/sheet1.xml")
                                 << with({{1, "12345678"}, {4, "0.1"}});
        QTest::newRow("shared strings with runs and reading aids")
            << QByteArray("<row r=\"2\"><c r=\"C2\" t=\"s\"><v>1</v></c><c r=\"I2\" t=\"s\"><v>0</v></c></row>")
            << QByteArray("<si><t>Matti\nKatu 1</t></si><si><r><t>Tuo</t></r><r><t xml:space=\"preserve\">li ä</t>"
                          "</r><rPh><t>x</t></rPh></si>")
            << QByteArray("/xl/worksheets/sheet1.xml") << with({{2, "Tuoli ä"}, {8, "Matti\r\nKatu 1"}});
        QTest::newRow("cells without references")
            << QByteArray("<row><c t=\"inlineStr\"><is><t>a</t></is></c><c t=\"str\"><v>b_x000D_</v></c></row>")
            << QByteArray() << QByteArray("worksheets/sheet1.xml") << with({{0, "a"}, {1, "b\r"}});
    }
    void workbooksOfOtherWriters()
    {
        QFETCH(QByteArray, sheetData);
        QFETCH(QByteArray, sharedStrings);
        QFETCH(QByteArray, sheetTarget);
        QFETCH(QStringList, row1);
        const QByteArray bytes = zipOf(workbookParts(headerRow() + sheetData, sharedStrings, sheetTarget));
        const LedgerTable back = readBack(bytes);
        QCOMPARE(back.rowCount(), 2);
        QCOMPARE(back.row(1), row1);
    }

    void badFilesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        const QByteArray good = LedgerXlsx::workbookBytes(threeRows(), {}, nullptr);
        const QString notWorkbook = QStringLiteral("ei ole Excel-työkirja");
        QTest::newRow("not a zip") << QByteArray("Kohde;Ostaja\r\n3001;Matti\r\n") << notWorkbook;
        QTest::newRow("empty") << QByteArray() << notWorkbook;
        QTest::newRow("legacy worksheet") << QByteArray::fromHex("0904060000001000") << notWorkbook;
        QTest::newRow("truncated") << good.left(good.size() / 2) << notWorkbook;
        QTest::newRow("end record cut off") << good.left(good.size() - 30) << notWorkbook;
        QByteArray flipped = good;
        flipped[good.indexOf("xl/worksheets/sheet1.xml") + 40] = char(flipped[good.indexOf("xl/worksheets/sheet1.xml") + 40] ^ 0x55);
        QTest::newRow("damaged sheet data") << flipped << QStringLiteral("viallinen");
        QTest::newRow("zip of something else")
            << zipOf({part("word/document.xml", "<document/>")}) << notWorkbook;
        QTest::newRow("missing shared strings")
            << zipOf(workbookParts(headerRow() + "<row r=\"2\"><c r=\"B2\" t=\"s\"><v>0</v></c></row>", QByteArray()))
            << QStringLiteral("jaettuun tekstiin 0, jota ei ole");
        QTest::newRow("huge row index")
            << zipOf(workbookParts(headerRow() + "<row r=\"5000000\"><c t=\"inlineStr\"><is><t>a</t></is></c></row>",
                                   QByteArray()))
            << QStringLiteral("liikaa rivejä listaksi (yli 1000000)");
        QTest::newRow("huge cell reference")
            << zipOf(workbookParts(headerRow() + "<row><c r=\"A99999999999\"><v>1</v></c></row>", QByteArray()))
            << QStringLiteral("liikaa rivejä");
        QByteArray rows = headerRow();
        rows.reserve(20 * 1000 * 1000);
        for (int r = 2; r <= LedgerXlsx::MaxRows + 1; ++r)
            rows += "<row><c><v>1</v></c></row>";
        QTest::newRow("a million rows and one") << zipOf(workbookParts(rows, QByteArray()))
                                                << QStringLiteral("liikaa rivejä");
        QTest::newRow("sheet not XML") << zipOf(workbookParts("<row><c>", QByteArray()))
                                       << QStringLiteral("ei ole kelvollista XML:ää");
        QList<Entry> noSheet = workbookParts(headerRow(), QByteArray());
        noSheet.removeLast();
        QTest::newRow("sheet part missing") << zipOf(noSheet) << QStringLiteral("puuttuu osa xl/worksheets/sheet1.xml");
        QList<Entry> encrypted = workbookParts(headerRow(), QByteArray());
        encrypted[2].flags = 1;
        QTest::newRow("encrypted") << zipOf(encrypted) << QStringLiteral("salattu");
        const qint64 past = XlsxZip::MaxPartSize + 1024 * 1024;
        QList<Entry> bomb = workbookParts(QByteArray(), QByteArray());
        bomb[2] = bombPart(past, quint32(past));
        QTest::newRow("zip bomb") << zipOf(bomb) << QStringLiteral("purkautuu yli 200 megatavun");
        bomb[2].size = 4096;
        QTest::newRow("zip bomb claiming a small size") << zipOf(bomb) << QStringLiteral("viallinen");
    }
    void badFilesAreRefused()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString file = path(QStringLiteral("huono.xlsx"));
        QFile::remove(file);
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        TestHost host;
        host.table = threeRows();
        host.unsaved = true;
        ScriptedPrompts prompts;
        prompts.files << file;
        LedgerListCommands commands(host, prompts, m_dir.path());
        // Processor time of this thread, not wall time: a busy machine must
        // not make a quick refusal look slow.
        const qint64 started = threadCpuMs();
        QVERIFY(!commands.avaaLista(false));
        QVERIFY2(threadCpuMs() - started < 10000, "a hostile file is refused quickly");
        QCOMPARE(prompts.asked.size(), 2);
        QVERIFY2(prompts.asked.last().startsWith(QLatin1String("error: ")), qPrintable(prompts.asked.last()));
        QVERIFY2(prompts.asked.last().contains(message), qPrintable(prompts.asked.last()));
        QVERIFY(prompts.asked.last().endsWith(QStringLiteral("Listaa ei luettu.")));
        QVERIFY(host.table == threeRows());
        QVERIFY(host.unsaved);
    }

    void savedFromTheCommandAndOpenedAgain()
    {
        TestHost host;
        host.mode = LedgerMode::Bought;
        host.table = threeRows();
        host.table.setHeaders(LedgerMode::Bought);
        host.unsaved = true;
        ScriptedPrompts prompts;
        LedgerListCommands commands(host, prompts, m_dir.path());
        QCOMPARE(LedgerListCommands::saveFilter(LedgerMode::Bought),
                 QStringLiteral("Ostetut kohteet (*.vso);;Excel 2.1 Worksheet (*.xls);;Excel-työkirja (*.xlsx)"));
        prompts.files << path(QStringLiteral("ostetut"));
        prompts.filters << LedgerListCommands::workbookFilter();
        QVERIFY(commands.tallennaLista());
        QVERIFY(QFile::exists(path(QStringLiteral("ostetut.xlsx"))));
        QVERIFY(!host.unsaved);
        const LedgerTable saved = host.table;

        TestHost other;   // a sold list: opening the file switches to bought
        other.table = threeRows();
        ScriptedPrompts prompts2;
        LedgerListCommands commands2(other, prompts2, m_dir.path());
        prompts2.files << path(QStringLiteral("ostetut.xlsx")) << path(QStringLiteral("ostetut.xlsx"));
        QVERIFY(commands2.avaaLista(false));
        QCOMPARE(other.mode, LedgerMode::Bought);
        QVERIFY(other.table == saved);
        QVERIFY(commands2.avaaLista(true));   // adding the same list adds nothing
        QVERIFY(other.table == saved);
        QVERIFY(prompts2.asked.filter(QStringLiteral("error")).isEmpty());
    }

    void columnWidthsFollowTheView()
    {
        TestHost host;
        QString error;
        const QByteArray bytes = LedgerXlsx::workbookBytes(threeRows(), host.widths, &error);
        XlsxZip zip(bytes);
        QByteArray sheet;
        QVERIFY(zip.readAll(QStringLiteral("xl/worksheets/sheet1.xml"), &sheet, &error));
        // 280 pixels in the view; a hidden column (0) is given 100 pixels.
        QVERIFY(sheet.contains("<col min=\"3\" max=\"3\" width=\"40\""));
        QVERIFY(sheet.contains("<col min=\"6\" max=\"6\" width=\"14.28515625\""));
        // The address column wraps its lines; the header row stays in view.
        const QRegularExpressionMatch col = QRegularExpression(
            QStringLiteral("<col min=\"9\" max=\"9\" width=\"13.5703125\" style=\"(\\d+)\"")).match(
            QString::fromUtf8(sheet));
        QVERIFY(col.hasMatch());
        QByteArray styles;
        QVERIFY(zip.readAll(QStringLiteral("xl/styles.xml"), &styles, &error));
        const QString xfs = QString::fromUtf8(styles.mid(styles.indexOf("<cellXfs")));
        QStringList xf;   // the cell formats in order, each with its alignment
        auto it = QRegularExpression(QStringLiteral("<xf [^>]*?(/>|>.*?</xf>)")).globalMatch(
            xfs.left(xfs.indexOf(QLatin1String("</cellXfs>"))));
        while (it.hasNext())
            xf << it.next().captured(0);
        QVERIFY(xf.value(col.captured(1).toInt()).contains(QLatin1String("wrapText=\"1\"")));
        QVERIFY(sheet.contains("state=\"frozen\""));
    }

    void libreOfficeOpensTheSameCells()
    {
        const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
        if (soffice.isEmpty())
            QSKIP("LibreOffice (soffice) is not installed");
        const LedgerTable t = threeRows();
        QVERIFY(LedgerXlsx::kirjoitaxlsx(t, {}, path(QStringLiteral("kolme.xlsx"))));
        QProcess lo;
        QTemporaryDir profile;
        lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + profile.path(),
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1"),
                           QStringLiteral("--outdir"), m_dir.path(), path(QStringLiteral("kolme.xlsx"))});
        QVERIFY(lo.waitForFinished(120000));
        QFile csv(path(QStringLiteral("kolme.csv")));
        QVERIFY2(csv.open(QIODevice::ReadOnly), lo.readAllStandardError().constData());
        const QList<QStringList> rows = parseCsv(QString::fromUtf8(csv.readAll()));
        QCOMPARE(rows.size(), t.rowCount());
        for (int r = 0; r < t.rowCount(); ++r) {
            QStringList expected = t.row(r);
            while (!expected.isEmpty() && expected.last().isEmpty())
                expected.removeLast();
            QStringList got = rows.at(r);
            for (QString &cell : got)
                cell.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
            while (!got.isEmpty() && got.last().isEmpty())
                got.removeLast();
            QCOMPARE(got, expected);
        }

        // The same list saved by LibreOffice as a workbook of its own reads
        // back into the ledger equal.
        QDir(m_dir.path()).mkdir(QStringLiteral("lo"));
        lo.start(soffice, {QStringLiteral("-env:UserInstallation=file://") + profile.path(),
                           QStringLiteral("--headless"), QStringLiteral("--convert-to"),
                           QStringLiteral("xlsx:Calc MS Excel 2007 XML"), QStringLiteral("--outdir"),
                           path(QStringLiteral("lo")), path(QStringLiteral("kolme.xlsx"))});
        QVERIFY(lo.waitForFinished(120000));
        const LedgerReadResult read = LedgerXlsx::lueXlsx(path(QStringLiteral("lo/kolme.xlsx")));
        QVERIFY2(read.status == LedgerReadResult::Status::Read, qPrintable(read.error));
        QVERIFY(read.sheet.matchColumns(LedgerTable::headers(LedgerMode::Sold)) == t);
    }

private:
    // Comma separated, quoted fields with doubled quotes and line breaks.
    static QList<QStringList> parseCsv(const QString &text)
    {
        QList<QStringList> rows;
        QStringList row;
        QString field;
        bool quoted = false;
        for (int i = 0; i < text.size(); ++i) {
            const QChar c = text.at(i);
            if (quoted) {
                if (c == QLatin1Char('"') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('"'))
                    field += c, ++i;
                else if (c == QLatin1Char('"'))
                    quoted = false;
                else
                    field += c;
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                row << field;
                field.clear();
            } else if (c == QLatin1Char('\n')) {
                row << field;
                field.clear();
                rows << row;
                row.clear();
            } else if (c != QLatin1Char('\r')) {
                field += c;
            }
        }
        if (!field.isEmpty() || !row.isEmpty())
            rows << (row << field);
        return rows;
    }
};

QTEST_GUILESS_MAIN(TestLedgerXlsx)
#include "tst_ledgerxlsx.moc"
