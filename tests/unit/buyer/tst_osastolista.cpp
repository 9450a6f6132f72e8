// The category catalogue: how its lines become the tree, and the shipped
// catalogue file itself.
#include "buyer/searchform/osastolista.h"
#include <QtTest>

namespace {
// One line per node: depth in dots, number, name.
QStringList outline(const QList<CategoryNode> &nodes, int depth = 0)
{
    QStringList out;
    for (const CategoryNode &n : nodes) {
        out << QString(depth, u'.') + QString::number(n.number) + u' ' + n.name;
        out += outline(n.children, depth + 1);
    }
    return out;
}

QString shippedFile()
{
    return QStringLiteral(VS_SOURCE_DIR "/data/osastolista");
}

QByteArray shippedBytes()
{
    QFile f(shippedFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TestOsastolista : public QObject {
    Q_OBJECT
private slots:
    void tree_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("three levels") << QStringList{"m1=Ajoneuvot", "s2=Osat", "c3=Lisävarusteet", "c4=Hifi",
                                                     "s5=Renkaat", "c6=Talvi", "m27=Antiikki", "s28=Huonekalut"}
                                      << QStringList{"1 Ajoneuvot", ".2 Osat", "..3 Lisävarusteet", "..4 Hifi",
                                                     ".5 Renkaat", "..6 Talvi", "27 Antiikki", ".28 Huonekalut"};
        QTest::newRow("lines without = and the end line skipped")
            << QStringList{"m1=A", "", "otsikko", "s2=B", "xxx"} << QStringList{"1 A", ".2 B"};
        QTest::newRow("other letters skipped") << QStringList{"m1=A", "x9=B", "M3=C", "s2=D"}
                                               << QStringList{"1 A", ".2 D"};
        QTest::newRow("bad number is -1") << QStringList{"m1=A", "s2x=B", "c=C"}
                                          << QStringList{"1 A", ".-1 B", "..-1 C"};
        QTest::newRow("name after the first =") << QStringList{"m1=A=B", "s 7 =x"} << QStringList{"1 A=B", ".7 x"};
        QTest::newRow("orphans have no parent") << QStringList{"c3=ilman", "s2=ilman", "m1=A", "c4=ilman"}
                                                << QStringList{"1 A"};
        // A leaf belongs to the nearest sub-category above, even one of the
        // previous main category.
        QTest::newRow("leaf after a new main") << QStringList{"m1=A", "s2=B", "m3=C", "c4=D"}
                                               << QStringList{"1 A", ".2 B", "..4 D", "3 C"};
    }
    void tree()
    {
        QFETCH(QStringList, lines);
        QFETCH(QStringList, expected);
        QCOMPARE(outline(Osastolista::luo_puu(lines)), expected);
    }

    void linesOfAFile_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("CR LF, Windows-1252") << QByteArray("m1=P\xe4\xe4\r\nc2=\x80\r\n")
                                            << QStringList{"m1=Pää", "c2=€", ""};
        QTest::newRow("LF") << QByteArray("m1=a\nxxx") << QStringList{"m1=a", "xxx"};
    }
    void linesOfAFile()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QCOMPARE(Osastolista::lines(bytes), lines);
    }

    void fileBesideTheProgramFirst()
    {
        QTemporaryDir dir;
        QFile f(dir.filePath(QStringLiteral("osastolista")));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("m5=Oma\r\nxxx\r\n");
        f.close();
        QCOMPARE(Osastolista::lataa(dir.path() + u'/').first(), QStringLiteral("m5=Oma"));
    }

    void builtInCopyWhenTheFileIsMissing()
    {
        QTemporaryDir dir;
        const QStringList lines = Osastolista::lataa(dir.path() + u'/');
        QCOMPARE(lines, Osastolista::lines(shippedBytes()));
    }

    void shippedCatalogue()
    {
        const QByteArray bytes = shippedBytes();
        QVERIFY(!bytes.isEmpty());
        // Windows-1252: ä is one byte, no UTF-8 sequences, no undefined bytes.
        QVERIFY(bytes.contains("c3=Autojen lis\xe4varusteet\r\n"));
        QVERIFY(!bytes.contains("\xc3\xa4"));
        for (const char undefined : {'\x81', '\x8d', '\x8f', '\x90', '\x9d'})
            QVERIFY(!bytes.contains(undefined));
        QStringList lines = Osastolista::lines(bytes);
        QCOMPARE(lines.takeLast(), QString());   // the file ends with a line end
        QCOMPARE(lines.last(), QStringLiteral("xxx"));
        QCOMPARE(lines.mid(0, 4), (QStringList{"m1=Ajoneuvot", "s2=Autojen varusteet ja varaosat",
                                               "c3=Autojen lisävarusteet", "c4=Autostereot ja muu autohifi"}));
        static const QRegularExpression format(QStringLiteral("^[msc]([1-9][0-9]{0,3})=\\S.*\\S$"));
        QStringList mains;
        for (const QString &line : lines.mid(0, lines.size() - 1)) {
            const auto m = format.match(line);
            QVERIFY2(m.hasMatch(), qPrintable(line));
            QVERIFY2(m.captured(1).toInt() <= 1117, qPrintable(line));
            if (line.startsWith(u'm'))
                mains << line;
        }
        QCOMPARE(mains, (QStringList{
            "m1=Ajoneuvot", "m27=Antiikki", "m86=Elokuvat", "m127=Harrastukset", "m939=Kauneus ja terveys",
            "m184=Kellot ja korut", "m203=Keräily", "m262=Kirjat ja lehdet", "m324=Kodin elektroniikka",
            "m338=Koti", "m375=Lastentarvikkeet", "m929=Laukut", "m900=Matkat", "m403=Musiikki", "m448=Pelit",
            "m502=Puhelimet", "m397=Pääsyliput", "m519=Rakentaminen", "m525=Sekalaista", "m528=Taide ja design",
            "m51=Tietotekniikka", "m561=Vaatetus", "m610=K-18"}));
    }

    // Every sub-category and leaf has its place; a number names one category
    // (same name wherever it is listed), and every main category has
    // sub-categories with leaves.
    void shippedCatalogueIsConsistent()
    {
        const QStringList lines = Osastolista::lines(shippedBytes());
        const QList<CategoryNode> tree = Osastolista::luo_puu(lines);
        QHash<int, QString> names;
        int nodes = 0;
        int maxNumber = 0;
        const std::function<void(const CategoryNode &)> visit = [&](const CategoryNode &n) {
            ++nodes;
            maxNumber = qMax(maxNumber, n.number);
            QVERIFY2(n.number >= 1, qPrintable(n.name));
            const QString known = names.value(n.number, n.name);
            QVERIFY2(known == n.name, qPrintable(QString::number(n.number) + u' ' + known + u'/' + n.name));
            names.insert(n.number, n.name);
            for (const CategoryNode &c : n.children)
                visit(c);
        };
        for (const CategoryNode &main : tree) {
            QVERIFY2(!main.children.isEmpty(), qPrintable(main.name));
            for (const CategoryNode &sub : main.children)
                QVERIFY2(!sub.children.isEmpty(), qPrintable(sub.name));
            visit(main);
        }
        QCOMPARE(nodes, int(lines.filter(QStringLiteral("=")).size()));
        QCOMPARE(maxNumber, 1117);
        QVERIFY(names.size() < nodes);   // some leaves are listed under two parents
    }
};

QTEST_GUILESS_MAIN(TestOsastolista)
#include "tst_osastolista.moc"
