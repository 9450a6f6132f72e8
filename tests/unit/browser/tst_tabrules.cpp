// Caption, address-box, refresh, typed-text and zoom rules of the tab manager.
#include "browser/tabs/tabrules.h"
#include "browser/tools/zoomrule.h"
#include <QtTest>

class TstTabRules : public QObject {
    Q_OBJECT
private slots:
    void caption_data();
    void caption();
    void addressBox_data();
    void addressBox();
    void refresh_data();
    void refresh();
    void typedText_data();
    void typedText();
    void zoomStep_data();
    void zoomStep();
    void engineFactor_data();
    void engineFactor();
    void favouriteButton_data();
    void favouriteButton();
};

void TstTabRules::caption_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("caption");
    QTest::newRow("short") << "Vasaro" << "Vasaro";
    QTest::newRow("27 whole") << QString(27, u'a') << QString(27, u'a');
    QTest::newRow("28 cut") << QString(27, u'a') + u'b' << QString(25, u'a') + "..";
    QTest::newRow("new listing any case") << "Vasaro - ILMOITA uusi Kohde, vaihe 1 jolla on pitkä nimi"
                                          << "Uusi kohde..";
    QTest::newRow("empty") << "" << "Avataan..";
    QTest::newRow("about:blank") << "About:Blank" << "Avataan..";
    QTest::newRow("long about:blank") << "something about:blank that is long enough" << "Avataan..";
    QTest::newRow("25 chars cut keeps 25") << QString::fromUtf8("ääääääääääääääääääääääääääääää")
                                           << QString::fromUtf8("ääääääääääääääääääääääääää").left(25) + "..";
}

void TstTabRules::caption()
{
    QFETCH(QString, title);
    QFETCH(QString, caption);
    QCOMPARE(TabRules::captionFor(title), caption);
}

void TstTabRules::addressBox_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<bool>("shown");
    QTest::newRow("http") << "http://www.vasaro.fi/" << true;
    QTest::newRow("javascript") << "javascript:void(0)" << false;
    QTest::newRow("JavaScript upper") << "JavaScript:alert(1)" << false;
    QTest::newRow("javascript later") << "http://x.fi/?javascript" << true;
    QTest::newRow("empty") << "" << true;
}

void TstTabRules::addressBox()
{
    QFETCH(QString, url);
    QFETCH(bool, shown);
    QCOMPARE(TabRules::addressBoxAccepts(url), shown);
}

void TstTabRules::refresh_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("domain");
    QTest::addColumn<bool>("again");
    QTest::newRow("marketplace") << "http://www.Vasaro.fi/haku?q=1" << "vasaro.fi" << true;
    QTest::newRow("other") << "http://example.com/" << "vasaro.fi" << false;
    QTest::newRow("no domain") << "http://example.com/" << "" << false;
}

void TstTabRules::refresh()
{
    QFETCH(QString, address);
    QFETCH(QString, domain);
    QFETCH(bool, again);
    QCOMPARE(TabRules::refreshNavigatesAgain(address, domain), again);
}

void TstTabRules::typedText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("added");
    QTest::newRow("bare host") << "www.vasaro.fi" << 0 << true;
    QTest::newRow("scheme") << "http://www.vasaro.fi" << 0 << false;
    QTest::newRow("no dot") << "localhost" << 0 << false;
    QTest::newRow("24 in list") << "a.fi" << 24 << true;
    QTest::newRow("full list") << "a.fi" << 25 << false;
}

void TstTabRules::typedText()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(bool, added);
    QCOMPARE(TabRules::typedTextGoesToHistory(text, count), added);
}

void TstTabRules::zoomStep_data()
{
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("result");   // after the 10-1000 rule
    const int normal = int(ZoomRule::Step::Normal);
    const int larger = int(ZoomRule::Step::Larger);
    const int smaller = int(ZoomRule::Step::Smaller);
    QTest::newRow("normal") << 250 << normal << 100;
    QTest::newRow("larger") << 100 << larger << 110;
    QTest::newRow("smaller") << 100 << smaller << 90;
    QTest::newRow("larger at 1000 -> 1010 -> 100") << 1000 << larger << 100;
    QTest::newRow("larger at 990") << 990 << larger << 1000;
    QTest::newRow("smaller at 10 -> 0 -> 100") << 10 << smaller << 100;
    QTest::newRow("smaller at 20") << 20 << smaller << 10;
    QTest::newRow("stored 0 taken as 100") << 0 << larger << 110;
    QTest::newRow("stored negative") << -50 << smaller << 90;
}

void TstTabRules::zoomStep()
{
    QFETCH(int, stored);
    QFETCH(int, step);
    QFETCH(int, result);
    QCOMPARE(ZoomRule::normalised(ZoomRule::requested(stored, ZoomRule::Step(step))), result);
}

void TstTabRules::engineFactor_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<double>("factor");
    QTest::newRow("100") << 100 << 1.0;
    QTest::newRow("10 clamps") << 10 << 0.25;
    QTest::newRow("25") << 25 << 0.25;
    QTest::newRow("150") << 150 << 1.5;
    QTest::newRow("1000 clamps") << 1000 << 5.0;
}

void TstTabRules::engineFactor()
{
    QFETCH(int, percent);
    QFETCH(double, factor);
    QCOMPARE(ZoomRule::engineFactor(percent), factor);
}

void TstTabRules::favouriteButton_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("caption");
    QTest::newRow("item page") << "https://www.vasaro.fi/kohteet/lamppu/12345678" << "Lisää suosikkimyyjiin";
    QTest::newRow("search page") << "https://www.vasaro.fi/haku/sanat/lamppu" << "Lisää suosikkihakuihin";
    QTest::newRow("capitals") << "HTTPS://WWW.VASARO.FI/HAKU?X=1" << "Lisää suosikkihakuihin";
    QTest::newRow("search naming an item: search wins")
        << "https://www.vasaro.fi/haku/kohteet/lamppu/" << "Lisää suosikkihakuihin";
    QTest::newRow("category listing: hidden") << "https://www.vasaro.fi/osasto/koti/1/" << "";
    QTest::newRow("front page: hidden") << "https://www.vasaro.fi/" << "";
}

void TstTabRules::favouriteButton()
{
    QFETCH(QString, address);
    QFETCH(QString, caption);
    QCOMPARE(TabRules::favouriteButtonCaption(address), caption);
}

QTEST_GUILESS_MAIN(TstTabRules)
#include "tst_tabrules.moc"
