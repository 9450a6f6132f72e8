// The own-sales page's re-list and close commands: the re-list addresses,
// which tab ends up in front, and the close question and request.
#include "seller/automation/relisting.h"
#include "client/urlscheme.h"
#include "core/endpoints.h"
#include "core/settings.h"
#include "fakehttp.h"
#include "scriptedprompts.h"
#include <QtTest>

namespace {
class RecordingHost final : public RelistHost {
public:
    QString status;
    QString linkAddress;
    int active = 2;
    QStringList events;

    QString takeLink() override
    {
        const QString link = status.contains(u'/') ? status : linkAddress;
        linkAddress.clear();
        return link;
    }
    int activeTabIndex() const override { return active; }
    void openInNewTab(const QString &address) override
    {
        events << QStringLiteral("open ") + address;
        active = 5;
    }
    void restoreTab(int index) override
    {
        events << QStringLiteral("restore %1").arg(index);
        active = index;
    }
    void statusNotice(const QString &text, int seconds) override
    {
        events << QStringLiteral("notice %1 %2").arg(text).arg(seconds);
    }
    void naytapaneeli(const QString &text, int seconds) override
    {
        events << QStringLiteral("paneeli %1 %2").arg(text).arg(seconds);
    }
    void refreshClosingTime() override { events << QStringLiteral("aukiolo"); }
};

Endpoints endpoints()
{
    Endpoints e;
    e.set(QStringLiteral("web_base"), QStringLiteral("http://www.vasaro.test/"));
    e.set(QStringLiteral("domain"), QStringLiteral("vasaro.test"));
    return e;
}

const QString kLink = QStringLiteral("http://www.vasaro.test/kohteet/kohde/92222222");
}

class TstRelisting final : public QObject {
    Q_OBJECT
private slots:
    void relist_data();
    void relist();
    void close_data();
    void close();
};

void TstRelisting::relist_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("siirry");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QStringList>("events");
    const QString base = QStringLiteral("open http://www.vasaro.test/uusi-ilmoitus/92222222/republish");
    QTest::newRow("open, stay in the new tab") << int(Relisting::Kind::Open) << true << "" << QStringList{base};
    QTest::newRow("open, back to the sales page")
        << int(Relisting::Kind::Open) << false << "" << QStringList{base, "restore 2"};
    QTest::newRow("send") << int(Relisting::Kind::Send) << true << ""
                          << QStringList{"aukiolo", base + "/uudelleen/1"};
    QTest::newRow("send and approve: the sales page stays in front")
        << int(Relisting::Kind::SendApprove) << true << ""
        << QStringList{"aukiolo", base + "/uudelleen/12", "notice Avataan 92222222 30", "restore 2"};
    QTest::newRow("the status bar's link goes first")
        << int(Relisting::Kind::Open) << true << "http://www.vasaro.test/kohteet/toinen/93333333"
        << QStringList{"open http://www.vasaro.test/uusi-ilmoitus/93333333/republish"};
    QTest::newRow("a status text without a slash is no link")
        << int(Relisting::Kind::Open) << true << "Valmis" << QStringList{base};
}

void TstRelisting::relist()
{
    QFETCH(int, kind);
    QFETCH(bool, siirry);
    QFETCH(QString, status);
    Settings settings;
    settings.siirry = siirry;
    const UrlScheme urls(endpoints());
    FakeHttp http;
    ScriptedPrompts prompts;
    RecordingHost host;
    host.status = status;
    host.linkAddress = kLink;
    Relisting relisting(settings, urls, http, prompts, host);
    relisting.huutouudelleenClick(Relisting::Kind(kind));
    QTEST(host.events, "events");
    QVERIFY(host.linkAddress.isEmpty());
    QVERIFY(http.calls.isEmpty());
}

void TstRelisting::close_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<QStringList>("events");
    const QStringList question{QStringLiteral("confirm: Suljetaan kohde 92222222")};
    const QStringList request{kLink + QStringLiteral("/close")};
    QTest::newRow("yes, closed") << kLink << int(Prompts::Answer::Yes) << "<p>ok</p>" << question << request
                                 << QStringList{"paneeli Kohde on suljettu! 3"};
    QTest::newRow("yes, no answer") << kLink << int(Prompts::Answer::Yes) << "" << question << request
                                    << QStringList{};
    QTest::newRow("no") << kLink << int(Prompts::Answer::No) << "ok" << question << QStringList{} << QStringList{};
    QTest::newRow("cancel") << kLink << int(Prompts::Answer::Cancel) << "ok" << question << QStringList{}
                            << QStringList{};
    QTest::newRow("short item number: nothing")
        << "http://www.vasaro.test/kohteet/kohde/1234567" << int(Prompts::Answer::Yes) << "ok" << QStringList{}
        << QStringList{} << QStringList{};
    QTest::newRow("not an item link: nothing") << "http://www.vasaro.test/omasivu/myynnit"
                                               << int(Prompts::Answer::Yes) << "ok" << QStringList{}
                                               << QStringList{} << QStringList{};
}

void TstRelisting::close()
{
    QFETCH(QString, link);
    QFETCH(int, answer);
    QFETCH(QString, reply);
    Settings settings;
    const UrlScheme urls(endpoints());
    FakeHttp http;
    http.getAnswer = reply;
    ScriptedPrompts prompts;
    prompts.answers << Prompts::Answer(answer);
    RecordingHost host;
    host.linkAddress = link;
    Relisting relisting(settings, urls, http, prompts, host);
    relisting.lopetahuutoClick();
    QTEST(prompts.asked, "asked");
    QStringList requests;
    for (const FakeHttp::Call &call : http.calls) {
        QCOMPARE(call.object, HttpApi::Closing);
        QCOMPARE(call.timeoutMs, 50000);
        requests << call.url;
    }
    QTEST(requests, "requests");
    QTEST(host.events, "events");
}

QTEST_MAIN(TstRelisting)
#include "tst_relisting.moc"
