// Download decisions apart from the engine: safe file names from what a
// server suggests, the save format of a page, the dialog filter, the
// progress and failure texts and the folder remembered between downloads.
#include "browser/policy/downloadrules.h"
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include "testfiles.h"

class TstDownloadRules : public QObject {
    Q_OBJECT
private slots:
    void safeFileName_data();
    void safeFileName();
    void pageFileName_data();
    void pageFileName();
    void singleHtml_data();
    void singleHtml();
    void filter_data();
    void filter();
    void progress_data();
    void progress();
    void failureNamesTheFile();
    void folderRemembered();
    void missingInitialFolder();
    void moveIntoPlace_data();
    void moveIntoPlace();
    void moveFailureKeepsTarget();
};

void TstDownloadRules::safeFileName_data()
{
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "hinnasto.csv" << "hinnasto.csv";
    QTest::newRow("finnish letters") << "kesä äö.txt" << "kesä äö.txt";
    QTest::newRow("folders of a server") << "../../.bashrc" << "bashrc";
    QTest::newRow("windows folders") << "C:\\temp\\lasku.pdf" << "lasku.pdf";
    QTest::newRow("only dots") << ".." << "lataus";
    QTest::newRow("empty") << "" << "lataus";
    QTest::newRow("control characters") << QString("a\nb\tc.txt") << "a b c.txt";
    QTest::newRow("reserved characters") << "a*b?c<d>|e:\"f\".txt" << "a b c d e f .txt";
    QTest::newRow("long") << QString(300, QChar(u'x')) << QString(120, QChar(u'x'));
}

void TstDownloadRules::safeFileName()
{
    QFETCH(QString, suggested);
    QFETCH(QString, expected);
    const QString name = DownloadRules::safeFileName(suggested, QStringLiteral("lataus"));
    QCOMPARE(name, expected);
    QVERIFY(!name.contains(u'/'));
}

void TstDownloadRules::pageFileName_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("expected");
    QTest::newRow("title") << "Vasaro - Etusivu" << "Vasaro - Etusivu.mhtml";
    QTest::newRow("slashes stay in the name") << "Kohde 1/2" << "Kohde 1 2.mhtml";
    QTest::newRow("no title") << "" << "sivu.mhtml";
}

void TstDownloadRules::pageFileName()
{
    QFETCH(QString, title);
    QFETCH(QString, expected);
    QCOMPARE(DownloadRules::pageFileName(title), expected);
}

void TstDownloadRules::singleHtml_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("html");
    QTest::newRow("mhtml") << "/tmp/a.mhtml" << false;
    QTest::newRow("html") << "/tmp/a.html" << true;
    QTest::newRow("htm upper") << "/tmp/a.HTM" << true;
    QTest::newRow("no extension") << "/tmp/a" << false;
    QTest::newRow("html folder") << "/tmp/x.html/a.mht" << false;
}

void TstDownloadRules::singleHtml()
{
    QFETCH(QString, path);
    QFETCH(bool, html);
    QCOMPARE(DownloadRules::savesSingleHtml(path), html);
}

void TstDownloadRules::filter_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::newRow("csv") << "hinnasto.csv" << "CSV-tiedostot (*.csv);;Kaikki tiedostot (*)";
    QTest::newRow("no extension") << "README" << "Kaikki tiedostot (*)";
}

void TstDownloadRules::filter()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QCOMPARE(DownloadRules::fileFilter(name), expected);
}

void TstDownloadRules::progress_data()
{
    QTest::addColumn<qint64>("received");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<QString>("expected");
    QTest::newRow("start") << qint64(0) << qint64(1000) << "Ladataan: a.zip 0 %";
    QTest::newRow("half") << qint64(500) << qint64(1000) << "Ladataan: a.zip 50 %";
    QTest::newRow("done") << qint64(1000) << qint64(1000) << "Ladataan: a.zip 100 %";
    QTest::newRow("more than declared") << qint64(1500) << qint64(1000) << "Ladataan: a.zip 100 %";
    QTest::newRow("size unknown") << qint64(2048) << qint64(-1) << "Ladataan: a.zip 2 kt";
    QTest::newRow("large file") << qint64(3000000000LL) << qint64(6000000000LL) << "Ladataan: a.zip 50 %";
}

void TstDownloadRules::progress()
{
    QFETCH(qint64, received);
    QFETCH(qint64, total);
    QFETCH(QString, expected);
    QCOMPARE(DownloadRules::progressText(QStringLiteral("a.zip"), received, total), expected);
}

void TstDownloadRules::failureNamesTheFile()
{
    const QString disk = DownloadRules::failureText(QStringLiteral("a.zip"), DownloadRules::Failure::Disk);
    QCOMPARE(disk, QStringLiteral("Tiedoston a.zip lataaminen ei onnistunut!\n"
                                  "Tiedostoa ei voitu kirjoittaa valittuun kansioon."));
    const QString net = DownloadRules::failureText(QStringLiteral("a.zip"), DownloadRules::Failure::Network);
    QVERIFY(net.startsWith(QStringLiteral("Tiedoston a.zip lataaminen ei onnistunut!")));
    QVERIFY(net != disk);
}

void TstDownloadRules::folderRemembered()
{
    QTemporaryDir first;
    QTemporaryDir second;
    DownloadFolder folder(first.path());
    QCOMPARE(folder.suggestedPath(QStringLiteral("a.csv")), QDir(first.path()).filePath("a.csv"));
    folder.remember(QDir(second.path()).filePath("b.csv"));
    QCOMPARE(folder.suggestedPath(QStringLiteral("c.csv")), QDir(second.path()).filePath("c.csv"));
    // A cancelled dialog keeps the folder.
    folder.remember(QString());
    QCOMPARE(folder.folder(), second.path());
}

void TstDownloadRules::missingInitialFolder()
{
    QCOMPARE(DownloadFolder(QStringLiteral("/ei/ole/tallainen")).folder(), QDir::homePath());
    QCOMPARE(DownloadFolder(QString()).folder(), QDir::homePath());
}

void TstDownloadRules::moveIntoPlace_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<bool>("otherFileSystem");
    QTest::newRow("new file") << false << false;
    QTest::newRow("replaces a file") << true << false;
    QTest::newRow("from another file system") << true << true;
}

void TstDownloadRules::moveIntoPlace()
{
    QFETCH(bool, existing);
    QFETCH(bool, otherFileSystem);
    // /dev/shm is a file system of its own on Linux.
    if (otherFileSystem && !QFileInfo(QStringLiteral("/dev/shm")).isWritable())
        QSKIP("no second file system to move from");
    QTemporaryDir from(otherFileSystem ? QStringLiteral("/dev/shm/vsselain-XXXXXX") : QString());
    QTemporaryDir to;
    const QString source = from.filePath("lataus.bin");
    const QString target = to.filePath("oma.bin");
    QByteArray bytes(3 * 1024 * 1024 + 7, 'x');
    bytes[5] = 'y';
    QVERIFY(writeFile(source, bytes));
    if (existing)
        QVERIFY(writeFile(target, "vanha"));
    QVERIFY(DownloadRules::moveIntoPlace(source, target));
    QCOMPARE(readFile(target), bytes);
    QVERIFY(!QFile::exists(source));
    QCOMPARE(QDir(to.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"oma.bin"});
}

void TstDownloadRules::moveFailureKeepsTarget()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("oma.bin");
    QVERIFY(writeFile(target, "vanha"));
    QVERIFY(!DownloadRules::moveIntoPlace(dir.filePath("eiole.bin"), target));
    QCOMPARE(readFile(target), QByteArray("vanha"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"oma.bin"});
}

QTEST_GUILESS_MAIN(TstDownloadRules)
#include "tst_downloadrules.moc"
