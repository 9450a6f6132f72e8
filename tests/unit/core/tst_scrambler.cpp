#include "core/scrambler.h"
#include <QtTest>

class TestScrambler : public QObject {
    Q_OBJECT
private slots:
    void fixedVectors_data()
    {
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("hex");
        QTest::newRow("ascii") << QStringLiteral("salasana") << QStringLiteral("C815D12C7295B357");
        // Finnish letters and the euro sign go through Windows-1252 bytes.
        QTest::newRow("cp1252") << QStringLiteral("Pääsy€1") << QStringLiteral("EB106AF2D6D136");
        QTest::newRow("empty") << QString() << QString();
    }
    void fixedVectors()
    {
        QFETCH(QString, password);
        QFETCH(QString, hex);
        QCOMPARE(Scrambler::encodePassword(password), hex);
        const auto back = Scrambler::decodePassword(hex);
        QVERIFY(back.has_value());
        QCOMPARE(*back, password);
    }

    void stateFollowsScrambledBytes()
    {
        // Changing one plain byte changes every later scrambled byte (autokey),
        // and unscrambling still restores the text exactly.
        const QByteArray a = Scrambler::scramble("aaaaaaaa");
        const QByteArray b = Scrambler::scramble("abaaaaaa");
        QCOMPARE(a[0], b[0]);
        for (int i = 1; i < a.size(); ++i)
            QVERIFY2(a[i] != b[i], qPrintable(QString::number(i)));
        QByteArray all(256, Qt::Uninitialized);
        for (int i = 0; i < 256; ++i)
            all[i] = char(i);
        QCOMPARE(Scrambler::unscramble(Scrambler::scramble(all)), all);
    }

    void lowerCaseHexIsAccepted()
    {
        QCOMPARE(Scrambler::decodePassword(QStringLiteral("c815d12c7295b357")).value_or(QString()),
                 QStringLiteral("salasana"));
    }

    void badHexIsRefused_data()
    {
        QTest::addColumn<QString>("hex");
        QTest::newRow("odd length") << QStringLiteral("C815D");
        QTest::newRow("not hex") << QStringLiteral("C8ZZ");
        QTest::newRow("blank inside") << QStringLiteral("C8 15");
    }
    void badHexIsRefused()
    {
        QFETCH(QString, hex);
        QVERIFY(!Scrambler::decodePassword(hex).has_value());
    }
};

QTEST_GUILESS_MAIN(TestScrambler)
#include "tst_scrambler.moc"
