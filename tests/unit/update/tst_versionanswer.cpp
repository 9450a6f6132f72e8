// The version file's answer: what counts as an answer, which version it
// names, where the program file comes from, and whether it is newer.
#include "update/updatecheck.h"
#include "update/versionanswer.h"
#include <QtTest>

class TestVersionAnswer : public QObject {
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("base");
        QTest::newRow("same version, CR LF") << "4.05\r\n" << true << "4.05" << "";
        QTest::newRow("newer with base") << "4.10http://lataus.example/uusin/\r\n" << true << "4.10"
                                         << "http://lataus.example/uusin/";
        QTest::newRow("base without final slash is ignored") << "4.10http://lataus.example/uusin" << true
                                                             << "4.10" << "";
        QTest::newRow("spaces and breaks anywhere") << " 4 .1\n0 http://a.example/ b/\r" << true << "4.10"
                                                    << "http://a.example/b/";
        QTest::newRow("error page") << "<html><body>404</body></html>" << false << "" << "";
        QTest::newRow("empty") << "" << false << "" << "";
        QTest::newRow("one character") << "4" << false << "" << "";
        QTest::newRow("just the point") << "4." << true << "4." << "";
        QTest::newRow("five characters ending in slash") << "4.10/" << true << "4.10" << "/";
        QTest::newRow("exactly four ending in slash") << "4.1/" << true << "4.1/" << "";
        QTest::newRow("leading space before the point") << " 4.06" << true << "4.06" << "";
        QTest::newRow("second character not a point") << "45.0" << false << "" << "";
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(QString, version);
        QFETCH(QString, base);
        const VersionAnswer a = VersionAnswer::parse(text);
        QCOMPARE(a.valid, valid);
        QCOMPARE(a.version, version);
        QCOMPARE(a.downloadBase, base);
    }

    void newer_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<bool>("newer");
        QTest::newRow("same") << "4.05" << false;
        QTest::newRow("next") << "4.06" << true;
        QTest::newRow("4.10 after 4.05") << "4.10" << true;
        QTest::newRow("older") << "4.04" << false;
        QTest::newRow("major") << "5.00" << true;
        QTest::newRow("shorter prefix") << "4.0" << false;
        QTest::newRow("4.1 counts as newer") << "4.1" << true;
        QTest::newRow("letters sort after digits") << "4.0a" << true;
    }
    void newer()
    {
        QFETCH(QString, version);
        QFETCH(bool, newer);
        QCOMPARE(VersionAnswer::isNewer(version, QStringLiteral("4.05")), newer);
    }

    void signatureAddress_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("signature");
        QTest::newRow("with query") << "http://m.example/vsselain?nocache=123" << "http://m.example/vsselain.sig?nocache=123";
        QTest::newRow("without query") << "http://m.example/vsselain" << "http://m.example/vsselain.sig";
    }
    void signatureAddress()
    {
        QFETCH(QString, address);
        QFETCH(QString, signature);
        QCOMPARE(UpdateCheck::signatureAddress(address), signature);
    }
};

QTEST_GUILESS_MAIN(TestVersionAnswer)
#include "tst_versionanswer.moc"
