#include "core/cp1252.h"
#include <QtTest>

namespace {
// A text of the given UTF-16 units (NULs and lone surrogates included).
QString chars(std::initializer_list<QChar> units)
{
    return QString(units.begin(), qsizetype(units.size()));
}
} // namespace

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
        QTest::newRow("lone high surrogate") << chars({QChar(0xD83D), QChar(u'X')}) << QByteArray("?X");
        QTest::newRow("lone low surrogate") << chars({QChar(0xDE00), QChar(u'X')}) << QByteArray("?X");
        QTest::newRow("high surrogate at the end") << chars({QChar(u'X'), QChar(0xD83D)}) << QByteArray("X?");
        QTest::newRow("two high surrogates, then a pair")
            << chars({QChar(0xD83D), QChar(0xD83D), QChar(0xDE00)}) << QByteArray("??");
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
