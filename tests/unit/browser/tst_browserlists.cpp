// The downloads list's texts and the history store: newest first, a page
// visited again moved up, words searched in titles and addresses, the file
// read back as written, damaged lines skipped.
#include "browser/downloads/downloadlist.h"
#include "browser/history/historystore.h"
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestBrowserLists : public QObject {
    Q_OBJECT
private slots:
    void sizeText_data()
    {
        QTest::addColumn<qint64>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("unknown") << qint64(-1) << "";
        QTest::newRow("bytes") << qint64(1023) << "1023 t";
        QTest::newRow("kilobytes") << qint64(1536) << "2 kt";
        QTest::newRow("megabytes") << qint64(3565158) << "3,4 Mt";
        QTest::newRow("just under a megabyte") << qint64(1048575) << "1024 kt";
    }
    void sizeText()
    {
        QFETCH(qint64, bytes);
        QFETCH(QString, text);
        QCOMPARE(DownloadList::sizeText(bytes), text);
    }

    void downloadStates()
    {
        DownloadList list;
        list.add(1, QStringLiteral("/tmp/a.csv"), 200);
        list.add(2, QStringLiteral("/tmp/b.bin"), -1);
        QCOMPARE(list.rowCount(), 2);
        QCOMPARE(list.index(0, DownloadList::FileColumn).data().toString(), QStringLiteral("b.bin"));
        list.progress(1, 50, 200);
        QCOMPARE(list.index(1, DownloadList::ProgressColumn).data().toString(), QStringLiteral("25 %"));
        QCOMPARE(list.index(1, DownloadList::StateColumn).data().toString(), QStringLiteral("käynnissä"));
        list.finish(1, DownloadList::State::Done);
        list.finish(2, DownloadList::State::Cancelled);
        list.progress(2, 999, 1000);   // too late: it stays as it ended
        QCOMPARE(list.index(1, DownloadList::StateColumn).data().toString(), QStringLiteral("valmis"));
        QCOMPARE(list.index(1, DownloadList::ProgressColumn).data().toString(), QStringLiteral("100 %"));
        QCOMPARE(list.index(0, DownloadList::StateColumn).data().toString(), QStringLiteral("keskeytetty"));
        QCOMPARE(DownloadList::stateText(DownloadList::State::Failed), QStringLiteral("epäonnistui"));
    }

    void historyOrderAndSearch()
    {
        QTemporaryDir dir;
        qputenv("VSSELAIN_DATA_DIR", dir.path().toUtf8());   // the file is private to the user there
        const QDateTime t0(QDate(2026, 3, 1), QTime(12, 0), Qt::UTC);
        {
            HistoryStore store(dir.path());
            store.visited(QStringLiteral("http://www.vasaro.test/a"), QStringLiteral("Vasara punainen"), t0);
            store.visited(QStringLiteral("http://www.vasaro.test/b"), QStringLiteral("Naula"), t0.addSecs(60));
            store.visited(QStringLiteral("about:blank"), QString(), t0.addSecs(90));
            store.visited(QStringLiteral("file:///etc/passwd"), QString(), t0.addSecs(95));
            store.visited(QStringLiteral("http://www.vasaro.test/a"), QStringLiteral("Vasara\tsininen\n"),
                          t0.addSecs(120));
            QCOMPARE(store.pages().size(), 2);
            QCOMPARE(store.pages().first().url, QStringLiteral("http://www.vasaro.test/a"));
            QCOMPARE(store.matching(QStringLiteral("VASARA")).size(), 1);
            QCOMPARE(store.matching(QStringLiteral("test/b")).size(), 1);
            QCOMPARE(store.matching(QStringLiteral("vasara naula")).size(), 0);
            QCOMPARE(store.matching(QString()).size(), 2);
        }
        // Written on the way out, one page a line, and read back.
        HistoryStore again(dir.path());
        QCOMPARE(again.pages().size(), 2);
        QCOMPARE(again.pages().first().title, QStringLiteral("Vasara sininen "));
        QCOMPARE(again.pages().first().visited, t0.addSecs(120));
        QFile file(again.path());
        QCOMPARE(file.permissions() & (QFileDevice::ReadOther | QFileDevice::ReadGroup), QFileDevice::Permissions());
        again.clear();
        QCOMPARE(HistoryStore(dir.path()).pages().size(), 0);
    }

    void historyDamagedLines()
    {
        const QList<HistoryStore::Page> pages = HistoryStore::decode(
            "2026-03-01T12:00:00Z\thttp://www.vasaro.test/x\tX\n"
            "ei aikaa\thttp://www.vasaro.test/y\tY\n"
            "2026-03-01T12:00:00Z\tjavascript:alert(1)\tZ\n"
            "liian\tvähän\n");
        QCOMPARE(pages.size(), 1);
        QCOMPARE(pages.first().title, QStringLiteral("X"));
    }
};

QTEST_GUILESS_MAIN(TestBrowserLists)
#include "tst_browserlists.moc"
