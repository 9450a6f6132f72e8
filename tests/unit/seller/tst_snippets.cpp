// The description snippets: the link to the seller's other listings, the
// visitor counter, and the seller number looked up once per sign-in.
#include "fakedocument.h"
#include "seller/automation/snippets.h"
#include "core/settings.h"
#include <QtTest>

namespace {
class RecordingHost final : public SnippetHost {
public:
    FakeDocument doc;
    QString user;
    QString userId = QStringLiteral("1234");
    QStringList lookups;
    QStringList inserted;
    QList<int> randoms{17, 29999, 5, 6};

    Document *activeDocument() override { return &doc; }
    QString signedInUser() const override { return user; }
    QString lookUpUserId(const QString &name) override
    {
        lookups << name;
        return userId;
    }
    void insert_into_description(const QString &snippet) override { inserted << snippet; }
    int random(int bound) override
    {
        Q_ASSERT(bound == 30000);
        return randoms.isEmpty() ? 0 : randoms.takeFirst();
    }
};
}

class TstSnippets final : public QObject {
    Q_OBJECT
private slots:
    void link_data();
    void link();
    void counter_data();
    void counter();
    void sellerNumberLookedUpOncePerSignIn();
    void counterOnANewListingGetsRandomDigits();
    void nobodySignedIn();
};

void TstSnippets::link_data()
{
    QTest::addColumn<QString>("seller");
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("html");
    QTest::newRow("all listings")
        << "1234" << ""
        << "<P>Muut kohteeni näet <a href=\"http://www.vasaro.test/haku/sellernro/1234\">"
           "<FONT COLOR=\"BLUE\">tästä linkistä!</FONT></a></P>";
    QTest::newRow("same category")
        << "1234" << "102030"
        << "<P>Muut kohteeni osastossa näet <a href=\"http://www.vasaro.test/haku/sellernro/1234/category/102030\">"
           "<FONT COLOR=\"BLUE\">tästä linkistä!</FONT></a></P>";
    QTest::newRow("no seller number")
        << "" << ""
        << "<P>Muut kohteeni näet <a href=\"http://www.vasaro.test/haku/sellernro/\">"
           "<FONT COLOR=\"BLUE\">tästä linkistä!</FONT></a></P>";
}

void TstSnippets::link()
{
    QFETCH(QString, seller);
    QFETCH(QString, category);
    QTEST(Snippets::link(QStringLiteral("http://www.vasaro.test/"), seller, category), "html");
}

void TstSnippets::counter_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<QString>("html");
    QTest::newRow("red, text counter")
        << 0 << QColor(255, 0, 0)
        << "<P><a href=\"https://www.vsselain.test/\" target=\"_blank\"><img "
           "src=\"http://laskuri1.vsselain.test/laskuri.php?nro=9123456&tyyppi=0&vari=FF0000\"></a></P>";
    QTest::newRow("dark teal, digits")
        << 1 << QColor(0x0a, 0x80, 0xbc)
        << "<P><a href=\"https://www.vsselain.test/\" target=\"_blank\"><img "
           "src=\"http://laskuri1.vsselain.test/laskuri.php?nro=9123456&tyyppi=1&vari=0A80BC\"></a></P>";
}

void TstSnippets::counter()
{
    QFETCH(int, type);
    QFETCH(QColor, colour);
    QTEST(Snippets::counter(QStringLiteral("https://www.vsselain.test/"),
                            QStringLiteral("http://laskuri1.vsselain.test/laskuri.php"), QStringLiteral("9123456"),
                            type, colour),
          "html");
}

void TstSnippets::sellerNumberLookedUpOncePerSignIn()
{
    Settings settings;
    RecordingHost host;
    host.user = QStringLiteral("Myyjä Ö");
    SnippetCommands commands(settings, QStringLiteral("http://www.vasaro.test/"), QString(), host);
    commands.muutkohteet1Click(false);
    commands.muutkohteet1Click(true);
    QCOMPARE(host.lookups, QStringList{QStringLiteral("Myyjä Ö")});
    QVERIFY(host.inserted.at(0).contains(QLatin1String("/haku/sellernro/1234\"")));
    // The form has no category: the plain link.
    QCOMPARE(host.inserted.at(1), host.inserted.at(0));
    // Another user signs in: looked up again.
    commands.forgetSellerNumber();
    host.user = QStringLiteral("toinen");
    host.userId = QStringLiteral("777");
    commands.muutkohteet1Click(false);
    QCOMPARE(host.lookups.size(), 2);
    QVERIFY(host.inserted.at(2).contains(QLatin1String("/haku/sellernro/777\"")));
}

void TstSnippets::counterOnANewListingGetsRandomDigits()
{
    Settings settings;
    settings.serveri = QStringLiteral("http://laskuri2.vsselain.test/laskuri.php");
    settings.rg = 1;
    RecordingHost host;
    host.user = QStringLiteral("myyja");
    SnippetCommands commands(settings, QString(), QStringLiteral("https://tuote.test/"), host);
    commands.lisaalaskuriClick();
    commands.lisaalaskuriClick();
    QCOMPARE(host.inserted.size(), 2);
    QVERIFY2(host.inserted.at(0).contains(QLatin1String("laskuri.php?nro=12341729999&tyyppi=1&vari=FF0000")),
             qPrintable(host.inserted.at(0)));
    QVERIFY2(host.inserted.at(1).contains(QLatin1String("?nro=123456&tyyppi=1")), qPrintable(host.inserted.at(1)));
}

void TstSnippets::nobodySignedIn()
{
    Settings settings;
    RecordingHost host;
    SnippetCommands commands(settings, QStringLiteral("http://www.vasaro.test/"), QString(), host);
    commands.muutkohteet1Click(false);
    QVERIFY(host.lookups.isEmpty());
    QVERIFY(host.inserted.at(0).contains(QLatin1String("/haku/sellernro/\"")));
}

QTEST_MAIN(TstSnippets)
#include "tst_snippets.moc"
