#include "core/cp1252.h"
#include "ledger/model/ledgercodec.h"
#include "ledger/files/ledgerfiles.h"
#include "ledger/files/ledgerlistcommands.h"
#include "ledger/model/ledgertable.h"
#include "ledger/files/ledgerxls.h"
#include "scriptedprompts.h"
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

namespace {
// A text of the given UTF-16 units (NULs and lone surrogates included).
QString chars(std::initializer_list<QChar> units)
{
    return QString(units.begin(), qsizetype(units.size()));
}

// The ledger window as the list commands see it.
class TestHost final : public LedgerListHost {
public:
    LedgerTable table;
    LedgerMode mode = LedgerMode::Sold;
    bool unsaved = false;
    QStringList calls;
    QVector<int> widths{24, 58, 280, 110, 60, 0, 50, 50, 95, 75};

    LedgerTable &masterList() override { return table; }
    LedgerMode listMode() const override { return mode; }
    void switchListMode(LedgerMode m) override
    {
        calls << QStringLiteral("switch %1").arg(int(m));
        mode = m;
        table.clearRows();
        table.setHeaders(m);
        unsaved = false;
    }
    void clearList() override
    {
        calls << QStringLiteral("clear");
        table.clearRows();
        unsaved = false;
    }
    void listLoaded() override { calls << QStringLiteral("loaded"); }
    void setUnsaved(bool u) override { unsaved = u; }
    bool isUnsaved() const override { return unsaved; }
    QVector<int> viewColumnWidths() const override { return widths; }
};

// Records the folders and filters the dialogs were given.
class DialogPrompts final : public Prompts {
public:
    ScriptedPrompts scripted;
    QStringList starts;
    QStringList filters;

    void information(const QString &t) override { scripted.information(t); }
    void message(const QString &t) override { scripted.message(t); }
    void error(const QString &t) override { scripted.error(t); }
    Answer confirm(const QString &t, bool c) override { return scripted.confirm(t, c); }
    std::optional<QString> input(const QString &a, const QString &b, const QString &c) override
    { return scripted.input(a, b, c); }
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override
    {
        starts << dir;
        filters << filter;
        return scripted.openFileName(caption, dir, filter);
    }
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override
    {
        starts << dir;
        filters << filter;
        return scripted.saveFileName(caption, dir, filter);
    }
    QString directory(const QString &a, const QString &b) override { return scripted.directory(a, b); }
};

QStringList item(const QString &number, const QString &buyer, const QString &price = QStringLiteral("12.50"))
{
    return {QString(), number, QStringLiteral("Tuoli ä € ") + number, QStringLiteral("05.03.2022 12:00:00"),
            price, QString(), QStringLiteral("x"), QString(),
            buyer + QStringLiteral(" Meikäläinen\r\nm@x.fi\r\nKatu 1\r\n00100 Helsinki\r\n040123\r\n"),
            buyer + QStringLiteral("/123")};
}

LedgerTable sample(LedgerMode mode)
{
    LedgerTable t(mode);
    t.setRow(1, item(QStringLiteral("3001"), QStringLiteral("matti")));
    t.appendRow(item(QStringLiteral("3002"), QStringLiteral("liisa"), QStringLiteral("0.05")));
    t.appendRow(item(QStringLiteral("3003"), QStringLiteral("matti")));
    t.setCell(5, 3, QStringLiteral("muistiinpano"));
    t.setCell(7, 2, QStringLiteral("5.3.2022"));
    return t;
}

QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

int u16(const QByteArray &b, int pos)
{
    return qFromLittleEndian<quint16>(b.constData() + pos);
}

}

class TestLedgerFiles : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void listFileOfOneItem()
    {
        LedgerTable t(LedgerMode::Sold);
        t.setCell(1, 1, QStringLiteral("3001"));
        t.setCell(4, 1, QStringLiteral("12.50"));
        t.setCell(8, 1, QStringLiteral("Matti\r\nm@x.fi\r\n"));
        QByteArray expected("10,2\r\n0,0,Nro\r\n1,0,Kohde\r\n2,0,Kohteen nimi\r\n3,0,Sulkeutunut\r\n"
                            "4,0,Hinta\r\n5,0,Muuttiedot\r\n6,0,Maksettu\r\n7,0,L\xe4hetetty\r\n"
                            "8,0,Ostaja\r\n9,0,Tunnus\r\n1,1,3001\r\n4,1,12.50\r\n"
                            "8,1,Matti<BR>m@x.fi<BR>\r\n");
        QCOMPARE(LedgerFiles::listBytes(t), expected);
        QVERIFY(LedgerFiles::kirjoitalista(t, path("one.vss")));
        QCOMPARE(fileBytes(path("one.vss")), expected);
    }

    void roundTrip_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("mode");
        QTest::newRow("sold list") << "rt.vss" << int(LedgerMode::Sold);
        QTest::newRow("bought list") << "rt.vso" << int(LedgerMode::Bought);
        QTest::newRow("sold worksheet") << "rt.xls" << int(LedgerMode::Sold);
        QTest::newRow("bought worksheet") << "RT.XLS" << int(LedgerMode::Bought);
    }
    void roundTrip()
    {
        QFETCH(QString, name);
        QFETCH(int, mode);
        const bool excel = name.toLower().endsWith(QLatin1String(".xls"));
        LedgerTable written = sample(LedgerMode(mode));
        written.setCell(5, 1, QStringLiteral("\r\nalkaa rivinvaihdolla"));
        written.setCell(5, 2, QStringLiteral("\nvain LF alussa"));
        written.setCell(2, 2, QStringLiteral("yksi\nLF keskellä"));
        written.setCell(0, 3, QStringLiteral("0-sarake"));
        written.setCell(5, 3, QStringLiteral("muistiinpano<BR>toinen rivi"));
        written.appendRow(QStringList());   // an empty last row is kept
        QString error;
        const bool ok = excel ? LedgerXls::kirjoitaxls(written, {}, path(name), &error)
                              : LedgerFiles::kirjoitalista(written, path(name), &error);
        QVERIFY2(ok, qPrintable(error));

        TestHost host;
        host.mode = LedgerMode(mode);
        host.table = LedgerTable(host.mode);
        host.table.setRow(1, item(QStringLiteral("9999"), QStringLiteral("other")));
        DialogPrompts prompts;
        LedgerListCommands commands(host, prompts, m_dir.path());
        QVERIFY(commands.luelista(false, excel, path(name)));
        QCOMPARE(prompts.scripted.asked, QStringList());

        LedgerTable expected = written;
        if (!excel) {
            // a text's first line break is lost; other breaks read back as CR LF
            expected.setCell(5, 1, QStringLiteral("alkaa rivinvaihdolla"));
            expected.setCell(5, 2, QStringLiteral("vain LF alussa"));
            expected.setCell(2, 2, QStringLiteral("yksi\r\nLF keskellä"));
            // a note's stored "<BR>" is read as the line break it stands for
            expected.setCell(5, 3, QStringLiteral("muistiinpano\r\ntoinen rivi"));
        }
        for (int r = 0; r < expected.rowCount(); ++r)
            QCOMPARE(host.table.row(r), expected.row(r));
        QCOMPARE(host.table.rowCount(), expected.rowCount());
        QCOMPARE(host.mode, LedgerMode(mode));
    }

    void worksheetLayout()
    {
        const QByteArray pro = LedgerXls::prologue();
        const QByteArray epi = LedgerXls::epilogue();
        QCOMPARE(pro.size(), 1709);
        QCOMPARE(epi.size(), 89);

        LedgerTable t(LedgerMode::Sold);
        t.setCell(2, 1, QString(250, QLatin1Char('a')));
        t.setCell(4, 1, QStringLiteral("5€"));
        const QVector<int> widths{24, 58, 280, 110, 60, 0, 50, 50, 95, -3};
        const QByteArray x = LedgerXls::worksheetBytes(t, widths);
        QVERIFY(x.startsWith(pro));
        QVERIFY(x.endsWith(epi));

        // Every record where the layout puts it, and the records fill the file.
        const QMap<int, int> at{{0, 0x0409}, {10, 0x005C}, {126, 0x020B}, {146, 0x0042},
                                {152, 0x000D}, {218, 0x0082}, {224, 0x0080}, {236, 0x0225},
                                {244, 0x008C}, {252, 0x008D}, {264, 0x0231}, {344, 0x0014},
                                {352, 0x0083}, {364, 0x0026}, {412, 0x00A1}, {450, 0x0040},
                                {462, 0x041E}, {1297, 0x0019}, {1303, 0x0443}, {1655, 0x0293},
                                {1703, 0x0055}, {1709, 0x007D}, {1869, 0x0200}, {1883, 0x0208},
                                {1903, 0x0204}};
        QList<int> formatLengths;
        QList<int> columnWidths;
        int labels = 0;
        int pos = 0;
        while (pos < x.size()) {
            QVERIFY(pos + 4 <= x.size());
            const int type = u16(x, pos);
            const int len = u16(x, pos + 2);
            if (at.contains(pos))
                QCOMPARE(QString::number(type, 16), QString::number(at.value(pos), 16));
            if (type == 0x041E)
                formatLengths << quint8(x.at(pos + 6));
            if (type == 0x007D) {
                QCOMPARE(len, 12);
                QCOMPARE(u16(x, pos + 4), columnWidths.size());
                QCOMPARE(u16(x, pos + 10), 15);
                columnWidths << u16(x, pos + 8);
            }
            if (type == 0x0204) {
                const int row = u16(x, pos + 4);
                const int col = u16(x, pos + 6);
                QCOMPARE(row, labels / 10);
                QCOMPARE(col, labels % 10);
                QCOMPARE(u16(x, pos + 8), 21);
                QCOMPARE(len, u16(x, pos + 10) + 8);
                if (row == 1 && col == 2)
                    QCOMPARE(len, 258);
                if (row == 1 && col == 4)
                    QCOMPARE(x.mid(pos + 12, 2), QByteArray("5\x80"));
                ++labels;
            }
            pos += 4 + len;
        }
        QCOMPARE(pos, x.size());
        QCOMPARE(labels, 20);
        QCOMPARE(columnWidths, (QList<int>{960, 2320, 11200, 4400, 2400, 4000, 2000, 2000, 3800, 4000}));
        QCOMPARE(formatLengths, (QList<int>{7, 1, 4, 5, 8, 21, 26, 27, 32, 23, 28, 29, 34, 4, 7, 8, 7,
                                            9, 8, 8, 5, 6, 11, 14, 4, 7, 14, 8, 5, 1, 54, 51, 62, 59}));
        QCOMPARE(x.mid(146, 6), QByteArray::fromHex("42000200E404"));
        QCOMPARE(x.mid(10, 6), QByteArray::fromHex("5C0070000854"));
        const int headerBytes = 3 + 5 + 12 + 11 + 5 + 10 + 8 + 9 + 6 + 6;
        QCOMPARE(x.size(), 1709 + 10 * 16 + 34 + 20 * 12 + headerBytes + 250 + 2 + 89);
    }

    void worksheetOfAnotherLayoutIsNotRead()
    {
        QByteArray x = LedgerXls::worksheetBytes(sample(LedgerMode::Sold), {});
        x.insert(146, QByteArray::fromHex("42000200E404"));   // one more record in the prologue
        writeBytes(path("other.xls"), x);
        TestHost host;
        host.table = sample(LedgerMode::Sold);
        const LedgerTable before = host.table;
        DialogPrompts prompts;
        LedgerListCommands commands(host, prompts, m_dir.path());
        QVERIFY(!commands.luelista(false, true, path("other.xls")));
        QCOMPARE(prompts.scripted.asked.size(), 1);
        QVERIFY(prompts.scripted.asked.first().startsWith(QLatin1String("error: ")));
        QCOMPARE(host.table, before);
    }

    void badInput_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("first line not a size") << "a.vss" << QByteArray("Kohde;Hinta\r\n1,1,x\r\n");
        QTest::newRow("first line one number") << "a.vss" << QByteArray("10\r\n1,1,x\r\n");
        QTest::newRow("negative size") << "a.vss" << QByteArray("10,-2\r\n");
        QTest::newRow("millions of rows and columns")
            << "a.vss" << QByteArray("5000000,5000000\r\n1,4999999,x\r\n");
        QTest::newRow("count beyond integers") << "a.vss" << QByteArray("10,99999999999\r\n");
        QTest::newRow("line without commas") << "a.vso" << QByteArray("10,3\r\n1,0,Kohde\r\nroska\r\n");
        QTest::newRow("line with one comma") << "a.vso" << QByteArray("10,3\r\n1,0,Kohde\r\n1,2\r\n");
        QTest::newRow("row not a number") << "a.vss" << QByteArray("10,3\r\n1,0,Kohde\r\n1,x,3001\r\n");
        // Qt's own conversion stops at a NUL and reports success.
        QTest::newRow("size with a NUL and junk")
            << "a.vss" << QByteArray("10,2\0zz\r\n1\0junk,0\0zz,Kohde\r\n", 28);
        QTest::newRow("column with a NUL and junk") << "a.vso" << QByteArray("10,2\r\n1\0junk,0,Kohde\r\n", 22);
        QByteArray binary(5000, '\0');
        QRandomGenerator rng(7);
        for (char &b : binary)
            b = char(rng.bounded(256));
        QTest::newRow("binary list") << "a.vss" << binary;
        QTest::newRow("binary worksheet") << "a.xls" << binary;
        const QByteArray sheet = LedgerXls::worksheetBytes(sample(LedgerMode::Sold), {});
        QTest::newRow("worksheet cut inside a label") << "a.xls" << sheet.left(sheet.size() - 200);
        QTest::newRow("worksheet cut inside the columns") << "a.xls" << sheet.left(1709 + 16 * 9 + 8);
        QByteArray longLabel = sheet.left(1709 + 160 + 34);
        longLabel += QByteArray::fromHex("04026AEA00000100") + QByteArray::fromHex("1500") +
                     QByteArray::fromHex("62EA") + QByteArray(100, 'a');
        QTest::newRow("label longer than the file") << "a.xls" << longLabel;
        QTest::newRow("worksheet without cells") << "a.xls"
                                                 << sheet.left(1709 + 160 + 34) + LedgerXls::epilogue();
        QTest::newRow("unknown extension") << "a.txt" << LedgerFiles::listBytes(sample(LedgerMode::Sold));
    }
    void badInput()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        writeBytes(path(name), bytes);
        for (const bool add : {false, true}) {
            TestHost host;
            host.table = sample(LedgerMode::Bought);
            host.mode = LedgerMode::Bought;
            host.unsaved = true;
            const LedgerTable before = host.table;
            DialogPrompts prompts;
            prompts.scripted.files.enqueue(path(name));
            LedgerListCommands commands(host, prompts, m_dir.path());
            commands.setRememberedPath(path("shown.vso"));
            QVERIFY(!commands.avaaLista(add));
            const QStringList asked = prompts.scripted.asked;
            QCOMPARE(asked.size(), 2);
            QVERIFY2(asked.at(1).startsWith(QLatin1String("error: ")), qPrintable(asked.at(1)));
            QVERIFY(asked.at(1).contains(QStringLiteral("ei")));
            QCOMPARE(host.table, before);
            QCOMPARE(host.mode, LedgerMode::Bought);
            QVERIFY(host.unsaved);
            QCOMPARE(host.calls, QStringList());
            QCOMPARE(commands.rememberedPath(), path("shown.vso"));
        }
    }

    void codecWritesQuestionMarkForEveryMissingCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("lone high surrogate") << chars({QChar(0xD83D), QChar(u'X')}) << QByteArray("?X");
        QTest::newRow("lone low surrogate") << chars({QChar(0xDE00), QChar(u'X')}) << QByteArray("?X");
        QTest::newRow("pair") << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << QByteArray("a?b");
        QTest::newRow("Finnish and euro") << QStringLiteral("ä€") << QByteArray("\xe4\x80");
    }
    void codecWritesQuestionMarkForEveryMissingCharacter()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(LedgerCodec::cp1252(text), bytes);
    }

    void oversizedFileIsRefused()
    {
        QFile f(path("huge.vss"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("10,2\r\n");
        QVERIFY(f.resize(LedgerFiles::MaxFileSize + 1));   // sparse: nothing is written
        f.close();
        const LedgerReadResult read = LedgerFiles::lueListatiedosto(path("huge.vss"));
        QCOMPARE(read.status, LedgerReadResult::Status::Failed);
        QVERIFY(read.error.contains(QStringLiteral("liian suuri")));
        QFile::remove(path("huge.vss"));
    }

    void emptyFirstLineChangesNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty file") << "e.vss" << QByteArray();
        QTest::newRow("empty first line") << "e.vso" << QByteArray("\r\n1,1,3001\r\n");
        QTest::newRow("worksheet of no cells")
            << "e.xls" << LedgerXls::prologue() + QByteArray(34, '\0') + LedgerXls::epilogue();
    }
    void emptyFirstLineChangesNothing()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        writeBytes(path(name), bytes);
        const bool excel = name.endsWith(QLatin1String(".xls"));
        TestHost host;
        host.table = sample(LedgerMode::Sold);
        DialogPrompts prompts;
        LedgerListCommands commands(host, prompts, m_dir.path());
        QVERIFY(commands.luelista(true, excel, path(name)));
        QCOMPARE(host.table, sample(LedgerMode::Sold));
        // opening such a file shows an empty list
        QVERIFY(commands.luelista(false, excel, path(name)));
        QCOMPARE(host.table, LedgerTable(LedgerMode::Sold));
        QCOMPARE(host.calls, QStringList{"clear"});
        QCOMPARE(prompts.scripted.asked, QStringList());
    }

    void openingBoughtListSwitchesMode()
    {
        QVERIFY(LedgerFiles::kirjoitalista(sample(LedgerMode::Bought), path("b.vso")));
        TestHost host;
        host.table = sample(LedgerMode::Sold);
        DialogPrompts prompts;
        LedgerListCommands commands(host, prompts, m_dir.path());
        QVERIFY(commands.luelista(false, false, path("b.vso")));
        QCOMPARE(host.calls, (QStringList{"clear", "switch 1"}));
        QCOMPARE(host.mode, LedgerMode::Bought);
        QCOMPARE(host.table, sample(LedgerMode::Bought));
    }

    void unrecognisedHeadersLeaveNoMode()
    {
        writeBytes(path("u.vss"), "10,2\r\n1,0,Kohde\r\n1,1,3001\r\n");
        TestHost host;
        DialogPrompts prompts;
        LedgerListCommands commands(host, prompts, m_dir.path());
        QVERIFY(commands.luelista(false, false, path("u.vss")));
        QCOMPARE(host.mode, LedgerMode::None);
        QCOMPARE(host.table.cell(1, 1), QStringLiteral("3001"));
        QCOMPARE(host.table.cell(8, 0), QStringLiteral("Ostaja"));
        // nor can such a list be added
        QVERIFY(!commands.luelista(true, false, path("u.vss")));
        QCOMPARE(prompts.scripted.asked,
                 QStringList{"information: Lisättävä lista on väärää tyyppiä (myydyt / ostetut)"});
    }

    void mergeAddsOnlyNewRows()
    {
        LedgerTable other(LedgerMode::Sold);
        other.setRow(1, item(QStringLiteral("3001"), QStringLiteral("Matti ")));   // same key
        other.appendRow(item(QStringLiteral("3001"), QStringLiteral("pekka")));    // other buyer
        other.appendRow(item(QStringLiteral("4001"), QStringLiteral("pekka")));
        other.appendRow(item(QStringLiteral("4001"), QStringLiteral("PEKKA")));    // twice in file
        other.appendRow(item(QString(), QStringLiteral("nobody")));
        QVERIFY(LedgerFiles::kirjoitalista(other, path("m.vss")));
        TestHost host;
        host.table = sample(LedgerMode::Sold);
        DialogPrompts prompts;
        LedgerListCommands commands(host, prompts, m_dir.path());
        QVERIFY(commands.luelista(true, false, path("m.vss")));
        QCOMPARE(host.table.rowCount(), 4 + 2);
        QCOMPARE(host.table.row(4), other.row(2));
        QCOMPARE(host.table.row(5), other.row(3));
        QVERIFY(commands.luelista(true, false, path("m.vss")));
        QCOMPARE(host.table.rowCount(), 6);
        QCOMPARE(host.calls, QStringList());
        QCOMPARE(prompts.scripted.asked, QStringList());
        // a sold list does not go into the bought list
        host.mode = LedgerMode::Bought;
        host.table.setHeaders(LedgerMode::Bought);
        const LedgerTable before = host.table;
        QVERIFY(!commands.luelista(true, false, path("m.vss")));
        QCOMPARE(prompts.scripted.asked,
                 QStringList{"information: Lisättävä lista on väärää tyyppiä (myydyt / ostetut)"});
        QCOMPARE(host.table, before);
    }

    void columnsMatchByHeader()
    {
        // columns in another order, one unknown, no "Tunnus", one cell beyond the size
        writeBytes(path("h.vss"), Cp1252::encode(QStringLiteral(
            "4,3\r\n0,0,Ostaja\r\n1,0,Muu\r\n2,0,Kohde\r\n3,0,kohteen nimi\r\n"
            "0,1,Matti<BR>Katu 1<BR>\r\n1,1,roska\r\n2,1,3001\r\n3,1,pieni\r\n"
            "2,2,3002\r\n2,3,3003\r\n4,1,ulkona\r\n")));
        TestHost host;
        DialogPrompts prompts;
        LedgerListCommands commands(host, prompts, m_dir.path());
        QVERIFY(commands.luelista(false, false, path("h.vss")));
        QCOMPARE(host.table.rowCount(), 3);
        QCOMPARE(host.table.row(0), LedgerTable::headers(LedgerMode::Sold));
        QCOMPARE(host.table.row(1), (QStringList{"", "3001", "", "", "", "", "", "", "Matti\r\nKatu 1\r\n", ""}));
        QCOMPARE(host.table.cell(1, 2), QStringLiteral("3002"));
    }

    void openAndAddCommands()
    {
        QVERIFY(LedgerFiles::kirjoitalista(sample(LedgerMode::Sold), path("s1.vss")));
        LedgerTable second(LedgerMode::Sold);
        second.setRow(1, item(QStringLiteral("5001"), QStringLiteral("uusi")));
        QVERIFY(LedgerXls::kirjoitaxls(second, {}, path("s2.xls")));

        TestHost host;
        host.table.setRow(1, item(QStringLiteral("1"), QStringLiteral("vanha")));
        host.unsaved = true;
        DialogPrompts prompts;
        LedgerListCommands commands(host, prompts, QStringLiteral("/ohjelma"));
        prompts.scripted.files << QString() << path("puuttuu.vss") << path("s1.vss") << path("s2.xls");
        QVERIFY(!commands.avaaLista(false));                 // cancelled
        QVERIFY(!commands.avaaLista(false));                 // missing file
        QCOMPARE(prompts.scripted.asked.last(), QStringLiteral("information: Tiedostoa ei löytynyt!"));
        QVERIFY(host.unsaved);
        QCOMPARE(host.table.cell(1, 1), QStringLiteral("1"));
        QVERIFY(commands.avaaLista(false));                  // replaces
        QCOMPARE(host.table, sample(LedgerMode::Sold));
        QVERIFY(!host.unsaved);
        QCOMPARE(host.calls, (QStringList{"clear", "loaded"}));
        QVERIFY(commands.avaaLista(true));                   // adds
        QCOMPARE(host.table.rowCount(), 5);
        QCOMPARE(host.table.row(4), second.row(1));
        QCOMPARE(prompts.scripted.asked,
                 (QStringList{"open: Avaa lista", "open: Avaa lista",
                              "information: Tiedostoa ei löytynyt!", "open: Avaa lista",
                              "open: Lisää listaan"}));
        QCOMPARE(prompts.starts.first(), QStringLiteral("/ohjelma/"));
        QCOMPARE(prompts.starts.last(), path("s1.vss"));
        QCOMPARE(commands.rememberedPath(), path("s2.xls"));
        QCOMPARE(prompts.filters.first(), QStringLiteral("Myydyt kohteet (*.vss);;Ostetut kohteet "
                                                         "(*.vso);;Excel 2.1 Worksheet (*.xls);;Excel-työkirja (*.xlsx)"));
        commands.forgetFileName();
        QCOMPARE(commands.rememberedPath(), m_dir.path() + QLatin1Char('/'));
    }

    void saveCommand()
    {
        TestHost host;
        host.mode = LedgerMode::Bought;
        host.table = sample(LedgerMode::Bought);
        host.unsaved = true;
        DialogPrompts prompts;
        LedgerListCommands commands(host, prompts, m_dir.path());
        QFile::remove(path("tallennus.vso"));
        QFile::remove(path("taulukko.xls"));
        prompts.scripted.files << path("tallennus") << path("taulukko.xls") << path("tallennus.vso")
                               << path("tallennus.vso") << path("puuttuva/kansio.vso");
        prompts.scripted.answers << Prompts::Answer::No << Prompts::Answer::Yes;

        QVERIFY(commands.tallennaLista());                   // the mode's extension is added
        QCOMPARE(fileBytes(path("tallennus.vso")), LedgerFiles::listBytes(host.table));
        QVERIFY(!host.unsaved);
        QCOMPARE(commands.rememberedPath(), path("tallennus.vso"));

        QVERIFY(commands.tallennaLista());                   // ".xls" in bought mode: a worksheet
        QCOMPARE(fileBytes(path("taulukko.xls")), LedgerXls::worksheetBytes(host.table, host.widths));

        host.table.setCell(5, 1, QStringLiteral("muutos"));
        host.unsaved = true;
        QVERIFY(!commands.tallennaLista());                  // exists, answered No
        QVERIFY(host.unsaved);
        QVERIFY(fileBytes(path("tallennus.vso")) != LedgerFiles::listBytes(host.table));
        QVERIFY(commands.tallennaLista());                   // exists, answered Yes
        QCOMPARE(fileBytes(path("tallennus.vso")), LedgerFiles::listBytes(host.table));
        QVERIFY(!host.unsaved);

        host.unsaved = true;
        QVERIFY(!commands.tallennaLista());                  // cannot be written
        QVERIFY(host.unsaved);
        QVERIFY(prompts.scripted.asked.last().startsWith(QLatin1String("error: ")));
        QCOMPARE(commands.rememberedPath(), path("tallennus.vso"));

        const QString question = QStringLiteral("confirm: Tiedosto on jo olemassa!\r\rKorvataanko ")
                                 + path("tallennus.vso");
        QCOMPARE(prompts.scripted.asked.mid(0, 5),
                 (QStringList{"save: Tallenna lista", "save: Tallenna lista", "save: Tallenna lista",
                              question, "save: Tallenna lista"}));
        QCOMPARE(prompts.filters.first(),
                 QStringLiteral("Ostetut kohteet (*.vso);;Excel 2.1 Worksheet (*.xls);;Excel-työkirja (*.xlsx)"));
        QCOMPARE(LedgerListCommands::saveFilter(LedgerMode::Sold),
                 QStringLiteral("Myydyt kohteet (*.vss);;Excel 2.1 Worksheet (*.xls);;Excel-työkirja (*.xlsx)"));
    }

    void worksheetTooLargeIsRefused()
    {
        LedgerTable big;
        big.setRowCount(LedgerXls::MaxRows + 1);
        QString error;
        QVERIFY(!LedgerXls::kirjoitaxls(big, {}, path("big.xls"), &error));
        QVERIFY(error.contains(QStringLiteral("65536")));
        QVERIFY(!QFile::exists(path("big.xls")));
    }
};

QTEST_GUILESS_MAIN(TestLedgerFiles)
#include "tst_ledgerfiles.moc"
