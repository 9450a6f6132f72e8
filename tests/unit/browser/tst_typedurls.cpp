// The typed-address history file: reading with the de-duplication rule,
// writing the first 25 items, removing an address, bad files.
#include "browser/tabs/typedurls.h"
#include <QtTest>

class TstTypedUrls : public QObject {
    Q_OBJECT
private slots:
    void init();
    void readRule_data();
    void readRule();
    void writeFirst25();
    void writeKeepsValuesBeyondList();
    void removeEveryExactMatch();
    void missingOrJunkFile();
    void unwritableFolder();

private:
    QString m_path;
    std::unique_ptr<QTemporaryDir> m_dir;
    void writeRaw(const QByteArray &bytes);
};

void TstTypedUrls::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_path = m_dir->filePath(QStringLiteral("TypedURLs.txt"));
}

void TstTypedUrls::writeRaw(const QByteArray &bytes)
{
    QFile f(m_path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void TstTypedUrls::readRule_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("list");
    QTest::newRow("in number order") << QByteArray("Url2=b.fi\nUrl1=a.fi\n") << QStringList{"a.fi", "b.fi"};
    QTest::newRow("gaps") << QByteArray("Url1=a.fi\nUrl7=g.fi\nUrl25=y.fi\n")
                          << QStringList{"a.fi", "g.fi", "y.fi"};
    QTest::newRow("trimmed, blanks skipped") << QByteArray("Url1=  a.fi \r\nUrl2=   \nUrl3=c.fi\n")
                                             << QStringList{"a.fi", "c.fi"};
    QTest::newRow("exact duplicate") << QByteArray("Url1=a.fi\nUrl2=a.fi\n") << QStringList{"a.fi"};
    QTest::newRow("substring of earlier") << QByteArray("Url1=www.vasaro.fi\nUrl2=vasaro.fi\n")
                                          << QStringList{"www.vasaro.fi"};
    QTest::newRow("longer later kept") << QByteArray("Url1=vasaro.fi\nUrl2=www.vasaro.fi\n")
                                       << QStringList{"vasaro.fi", "www.vasaro.fi"};
    QTest::newRow("beyond 25 ignored") << QByteArray("Url26=z.fi\nUrl0=o.fi\nUrl1=a.fi\n") << QStringList{"a.fi"};
    QTest::newRow("NUL and junk after the number") << QByteArray("Url1\0junk=a.fi\nUrl2=b.fi\n", 25)
                                                   << QStringList{"b.fi"};
    QTest::newRow("CR line ends") << QByteArray("Url1=a.fi\rUrl2=b.fi\r") << QStringList{"a.fi", "b.fi"};
    QTest::newRow("lone CR ends a value") << QByteArray("Url1=a.fi\rU\nUrl2=b.fi\n") << QStringList{"a.fi", "b.fi"};
    QTest::newRow("signed number") << QByteArray("Url+1=a.fi\nUrl2=b.fi\n") << QStringList{"b.fi"};
    QTest::newRow("utf-8") << QByteArray("Url1=h\xc3\xa4m.fi\n") << QStringList{QString::fromUtf8("häm.fi")};
}

void TstTypedUrls::readRule()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, list);
    writeRaw(file);
    QCOMPARE(TypedUrls(m_path).list(), list);
}

void TstTypedUrls::writeFirst25()
{
    QStringList items;
    for (int i = 1; i <= 30; ++i)
        items << (i == 3 ? QString() : QStringLiteral("s%1.fi").arg(i));
    TypedUrls store(m_path);
    QVERIFY(store.write(items));
    const QMap<int, QString> v = store.values();
    QCOMPARE(v.size(), 25);
    QCOMPARE(v.value(1), QStringLiteral("s1.fi"));
    QCOMPARE(v.value(3), QStringLiteral("s4.fi"));     // the empty item takes no number
    QCOMPARE(v.value(25), QStringLiteral("s26.fi"));
    QCOMPARE(store.list().size(), 25);
}

void TstTypedUrls::writeKeepsValuesBeyondList()
{
    writeRaw("Url1=a.fi\nUrl2=b.fi\nUrl3=c.fi\n");
    TypedUrls store(m_path);
    QVERIFY(store.write({QStringLiteral("x.fi")}));
    QCOMPARE(store.list(), (QStringList{"x.fi", "b.fi", "c.fi"}));
}

void TstTypedUrls::removeEveryExactMatch()
{
    writeRaw("Url1=a.fi\nUrl2=www.a.fi\nUrl5=a.fi\nUrl6= a.fi\n");
    TypedUrls store(m_path);
    QVERIFY(store.remove(QStringLiteral("a.fi")));
    const QMap<int, QString> v = store.values();
    QCOMPARE(v.keys(), (QList<int>{2, 6}));
    QCOMPARE(store.list(), (QStringList{"www.a.fi"}));
    QVERIFY(store.remove(QStringLiteral("not there")));
    QCOMPARE(store.values().size(), 2);
}

void TstTypedUrls::missingOrJunkFile()
{
    QVERIFY(TypedUrls(m_path).list().isEmpty());
    writeRaw(QByteArray("garbage\n\0\xff\xfe=\nUrl=x\nUrlx=y\n=z\nUrl4=ok.fi", 39));
    QCOMPARE(TypedUrls(m_path).list(), QStringList{"ok.fi"});
}

void TstTypedUrls::unwritableFolder()
{
    TypedUrls store(m_dir->filePath(QStringLiteral("no/such/folder/TypedURLs.txt")));
    QVERIFY(!store.write({QStringLiteral("a.fi")}));
    QVERIFY(store.list().isEmpty());
}

QTEST_GUILESS_MAIN(TstTypedUrls)
#include "tst_typedurls.moc"
