#include "core/cp1252.h"
#include <QtTest>

class TestCp1252 : public QObject {
    Q_OBJECT
private slots:
    void roundTrip_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("ascii") << QStringLiteral("Vasaro") << QByteArray("Vasaro");
        QTest::newRow("finnish") << QStringLiteral("äöåÄÖÅ") << QByteArray("\xe4\xf6\xe5\xc4\xd6\xc5");
        QTest::newRow("euro and quotes") << QStringLiteral("€ “x” …") << QByteArray("\x80 \x93x\x94 \x85");
        QTest::newRow("unassigned byte") << QString(QChar(0x81)) << QByteArray("\x81");
    }
    void roundTrip()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Cp1252::encode(text), bytes);
        QCOMPARE(Cp1252::decode(bytes), text);
    }
    void unmappableBecomesQuestionMark_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("cyrillic") << QStringLiteral("aЖb") << QByteArray("a?b");
        QTest::newRow("emoji pair is one char") << QStringLiteral("a😀b") << QByteArray("a?b");
    }
    void unmappableBecomesQuestionMark()
    {
        QFETCH(QString, text);
        QFETCH(QByteArray, bytes);
        QCOMPARE(Cp1252::encode(text), bytes);
    }
};

QTEST_GUILESS_MAIN(TestCp1252)
#include "tst_cp1252.moc"
