#include "client/logincapture.h"
#include <QtTest>

class TestLoginCapture : public QObject {
    Q_OBJECT
private slots:
    void capture_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("captured");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("password");
        QTest::newRow("form order") << QByteArray("userid=Testaaja&password=salasana&toiminto=kirjaudu")
                                    << true << QStringLiteral("Testaaja") << QStringLiteral("salasana");
        // The body comes without a string terminator: the last byte is the
        // password's own last letter and must stay.
        QTest::newRow("password last keeps final byte") << QByteArray("userid=matti&password=abc")
                                                        << true << QStringLiteral("matti") << QStringLiteral("abc");
        QTest::newRow("encoded ampersand survives") << QByteArray("userid=a&password=x%26y&toiminto=k")
                                                    << true << QStringLiteral("a") << QStringLiteral("x&y");
        QTest::newRow("literal ampersand ends password") << QByteArray("userid=a&password=x&y")
                                                         << true << QStringLiteral("a") << QStringLiteral("x");
        QTest::newRow("plus is space") << QByteArray("userid=Matti+M&password=a+b+c")
                                       << true << QStringLiteral("Matti M") << QStringLiteral("a b c");
        QTest::newRow("encoded plus stays plus") << QByteArray("userid=a%2Bb&password=1%2b2")
                                                 << true << QStringLiteral("a+b") << QStringLiteral("1+2");
        QTest::newRow("double percent") << QByteArray("userid=a&password=100%%")
                                        << true << QStringLiteral("a") << QStringLiteral("100%");
        QTest::newRow("percent without digits kept") << QByteArray("userid=a&password=5%zz%4")
                                                     << true << QStringLiteral("a") << QStringLiteral("5%zz%4");
        QTest::newRow("utf8 letters") << QByteArray("userid=M%C3%A4tti&password=%C3%B6%C3%B6")
                                      << true << QStringLiteral("Mätti") << QStringLiteral("öö");
        QTest::newRow("latin1 bytes kept as cp1252") << QByteArray("userid=M%E4tti&password=%80")
                                                     << true << QStringLiteral("Mätti") << QStringLiteral("€");
        QTest::newRow("letter outside cp1252") << QByteArray("userid=%D0%96x&password=p")
                                               << true << QStringLiteral("?x") << QStringLiteral("p");
        QTest::newRow("user name last is empty") << QByteArray("password=pw&userid=matti")
                                                 << true << QString() << QStringLiteral("pw");
        QTest::newRow("no password field") << QByteArray("userid=matti&pw=x") << false << QString() << QString();
        QTest::newRow("no user field") << QByteArray("user=matti&password=x") << false << QString() << QString();
        QTest::newRow("empty body") << QByteArray() << false << QString() << QString();
    }
    void capture()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, captured);
        QFETCH(QString, user);
        QFETCH(QString, password);
        const auto c = LoginCapture::parse(body);
        QCOMPARE(c.has_value(), captured);
        if (c) {
            QCOMPARE(c->userName, user);
            QCOMPARE(c->password, password);
        }
    }
};

QTEST_GUILESS_MAIN(TestLoginCapture)
#include "tst_logincapture.moc"
