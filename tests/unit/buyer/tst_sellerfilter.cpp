// Seller filter logic: listing keys, the sorted filter list with its clean-up
// and expiry, and the hiding pass over a page of cards.
#include "scriptedprompts.h"
#include "buyer/sellerfilter/filterhost.h"
#include "buyer/sellerfilter/filterlist.h"
#include "buyer/sellerfilter/listingcards.h"
#include "buyer/sellerfilter/listingkey.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "core/programclock.h"
#include "core/settings.h"
#include <QtTest>

namespace {
// A card as the marketplace writes it (inner HTML of the card's div).
QString card(const QString &slug, const QString &number, const QString &priceHtml = QString(),
             const QString &picture = QStringLiteral("<img src=\"/kuvat/1-s.jpg\">"))
{
    return QStringLiteral("<a href=\"/kohteet/%1/%2\">%3</a><div class=\"grid-element-title\">%1</div>%4")
        .arg(slug, number, picture, priceHtml);
}
QString buyNow(const QString &price)
{
    return QStringLiteral("<span class=\"price-buyNow\">%1 &euro;</span>").arg(price);
}

class FakeCards final : public CardPage {
public:
    QStringList html;            // first to last, as in the document
    QList<bool> hidden;
    int reads = 0;
    QList<CardCandidate> read() override
    {
        ++reads;
        while (hidden.size() < html.size())
            hidden << false;
        QList<CardCandidate> out;
        m_order.clear();
        for (int i = int(html.size()) - 1; i >= 0; --i) {
            const QString lower = html.at(i).toLower();
            if (lower.contains(QLatin1String("grid-element-title"))
                && !lower.contains(QLatin1String("grid-element-container"))) {
                out.append({html.at(i), hidden.at(i)});
                m_order << i;
            }
        }
        return out;
    }
    int divCount() const override { return int(html.size()); }
    int hide(const QList<int> &positions) override
    {
        int n = 0;
        for (const int p : positions) {
            if (!hidden[m_order.at(p)]) {
                hidden[m_order.at(p)] = true;
                ++n;
            }
        }
        return n;
    }
    int hiddenCount() const { return int(hidden.count(true)); }

private:
    QList<int> m_order;
};

class FakeHost final : public FilterHost {
public:
    QStringList panel, status;
    int edit5Changes = 0;
    void naytapaneeli(const QString &text, int ticks) override { panel << text + u'/' + QString::number(ticks); }
    void statusNotice(const QString &text, int ticks) override
    {
        status << text + u'/' + QString::number(ticks);
    }
    void Edit5Changed() override { ++edit5Changes; }
};
}

class TestSellerFilter final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void listingKey_data();
    void listingKey();
    void cardRule_data();
    void cardRule();
    void listSortsWithoutCaseAndKeepsDuplicates();
    void cleanUp_data();
    void cleanUp();
    void expiry_data();
    void expiry();
    void lifetimeSetting_data();
    void lifetimeSetting();
    void passHidesFilteredAndRenewsStamp();
    void passEdgeCases_data();
    void passEdgeCases();
    void secondPassHidesNothingNew();
    void withoutPictures_data();
    void withoutPictures();
    void addFromPageTakesLastMatchingCard();
    void sellerPageCollectsUsableKeys();

private:
    // 2026-01-02 08:00 is day 46024.
    static QDateTime start() { return QDateTime(QDate(2026, 1, 2), QTime(8, 0)); }
    qint64 m_ticks = 0;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    FakeHost m_host;
    std::unique_ptr<ProgramClock> m_clock;
    std::unique_ptr<SellerFilter> m_filter;
};

void TestSellerFilter::init()
{
    m_ticks = 0;
    m_settings = Settings();
    m_prompts = ScriptedPrompts();
    m_host = FakeHost();
    m_clock = std::make_unique<ProgramClock>([this] { return m_ticks; }, start());
    m_filter = std::make_unique<SellerFilter>(m_settings, *m_clock, m_prompts, m_host);
}

void TestSellerFilter::listingKey_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<QString>("key");
    QTest::newRow("slug and buy-now price") << card("vanha-tuoli", "12345678", buyNow("12,50")) << "vanha-tuoli12,50";
    QTest::newRow("auction price") << card("lamppu", "12345678", "<b class=\"price-auction\">7,00 &euro;</b>")
                                   << "lamppu7,00";
    QTest::newRow("buy-now wins over auction")
        << card("lamppu", "1", "<b class='x price-auction'>1,00</b><b class=\"price-buyNow\">9,90</b>")
        << "lamppu9,90";
    QTest::newRow("no price: slug alone") << card("kirja-hyva", "12345678") << "kirja-hyva";
    QTest::newRow("price without comma: two characters") << card("pyora", "1", buyNow("150 &euro;")) << "pyora15";
    QTest::newRow("line breaks, tabs and quotes removed")
        << QStringLiteral("<a href=\"/kohteet/vanha-\r\ntuo\tli/1\">x</a><span class=\"price-buyNow\">\r\n12,\n50</span>")
        << "vanha-tuoli12,50";
    QTest::newRow("first kohteet link gives the slug")
        << QStringLiteral("<a href='/kohteet/eka/1'></a><a href='/kohteet/toka/2'></a>") << "eka";
    QTest::newRow("no slash after the slug") << QStringLiteral("x /kohteet/loppu") << "";
    QTest::newRow("case kept, two characters after the comma")
        << card("Iso-Kello", "1", buyNow("3,5")) << "Iso-Kello3,5 ";
}

void TestSellerFilter::listingKey()
{
    QFETCH(QString, html);
    QFETCH(QString, key);
    QCOMPARE(ListingKey::avain(html), key);
}

void TestSellerFilter::cardRule_data()
{
    QTest::addColumn<QString>("html");
    QTest::addColumn<bool>("isCard");
    QTest::newRow("card") << card("a", "1") << true;
    QTest::newRow("upper-case markers") << QStringLiteral("<DIV CLASS=GRID-ELEMENT-TITLE><A HREF=/KOHTEET/A/1>") << true;
    QTest::newRow("wrapper of a grid entry") << "<div class='grid-element-container'>" + card("a", "1") << false;
    QTest::newRow("no item link") << QStringLiteral("<div class='grid-element-title'>x</div>") << false;
}

void TestSellerFilter::cardRule()
{
    QFETCH(QString, html);
    QFETCH(bool, isCard);
    QCOMPARE(ListingKey::isCard(html.toLower()), isCard);
}

void TestSellerFilter::listSortsWithoutCaseAndKeepsDuplicates()
{
    FilterList list;
    for (const char *e : {"tuoli1,00:46000", "Lamppu2,00:46001", "tuoli1,00:45990", "lamppu2,00:46000", "Aapinen"})
        list.add(QLatin1String(e));
    QCOMPARE(list.entries(), (QStringList{"Aapinen", "lamppu2,00:46000", "Lamppu2,00:46001", "tuoli1,00:45990",
                                          "tuoli1,00:46000"}));
    QCOMPARE(list.joined(), list.entries().join(u'\n'));
}

void TestSellerFilter::cleanUp_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("kept");
    QTest::newRow("newest stamp of a key stays")
        << QStringList{"tuoli1,00:45990", "tuoli1,00:46010", "tuoli1,00:46000"} << QStringList{"tuoli1,00:46010"};
    QTest::newRow("keys differing in case both stay")
        << QStringList{"Tuoli1,00:46000", "tuoli1,00:46000"} << QStringList{"Tuoli1,00:46000", "tuoli1,00:46000"};
    QTest::newRow("short keys go, the last one too")
        << QStringList{"abcde:46000", "abcdef:46000", "zzzzz:46000"} << QStringList{"abcdef:46000"};
    QTest::newRow("unstamped twin of a stamped entry goes")
        << QStringList{"kello-vanha", "kello-vanha:46000"} << QStringList{"kello-vanha:46000"};
    QTest::newRow("key ending another key is different")
        << QStringList{"tuoli5,00:46000", "vanha-tuoli5,00:46000"}
        << QStringList{"tuoli5,00:46000", "vanha-tuoli5,00:46000"};
}

void TestSellerFilter::cleanUp()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, kept);
    FilterList list;
    list.replace(entries);
    list.removeDuplicates();
    QCOMPARE(list.entries(), kept);
}

void TestSellerFilter::expiry_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("kept");
    // Today is 46024, lifetime 60 days.
    QTest::newRow("within the lifetime") << QStringList{"tuoli1,00:45964"} << QStringList{"tuoli1,00:45964"};
    QTest::newRow("one day too old") << QStringList{"tuoli1,00:45963"} << QStringList{};
    QTest::newRow("unstamped gets today's stamp") << QStringList{"tuoli1,00"} << QStringList{"tuoli1,00:46024"};
    QTest::newRow("stamp that is no number stays for ever")
        << QStringList{"tuoli1,00:4x", "kello2,00:4 1"} << QStringList{"kello2,00:4 1", "tuoli1,00:4x"};
    QTest::newRow("stamp read after the first :4")
        << QStringList{"a:4b-tuoli1,00:46000"} << QStringList{"a:4b-tuoli1,00:46000"};
    QTest::newRow("new stamp keeps the order")
        << QStringList{"tuoli", "tuoli-vanha:46000"} << QStringList{"tuoli-vanha:46000", "tuoli:46024"};
}

void TestSellerFilter::expiry()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, kept);
    FilterList list;
    list.replace(entries);
    list.expire(46024, QStringLiteral(":46024"), 60);
    QCOMPARE(list.entries(), kept);
}

void TestSellerFilter::lifetimeSetting_data()
{
    QTest::addColumn<QString>("edit5");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("kept");   // an entry 30 days old
    QTest::newRow("valid") << "31" << "31" << true;
    QTest::newRow("too short") << "29" << "29" << false;
    QTest::newRow("below two counts as 60") << "1" << "60" << true;
    QTest::newRow("empty counts as 60") << "" << "60" << true;
    QTest::newRow("not a number counts as 60") << "kk" << "60" << true;
}

void TestSellerFilter::lifetimeSetting()
{
    QFETCH(QString, edit5);
    QFETCH(QString, after);
    QFETCH(bool, kept);
    QTemporaryDir dir;
    const QString path = dir.filePath("suodatin1.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("tuoli1,00:45994\r\n");
    f.close();
    m_settings.Edit5 = edit5;
    QVERIFY(m_filter->lataasuodatin(path));
    QCOMPARE(m_settings.Edit5, after);
    QCOMPARE(m_host.edit5Changes, after != edit5 ? 1 : 0);
    QCOMPARE(m_filter->list().size(), kept ? 1 : 0);
}

void TestSellerFilter::passHidesFilteredAndRenewsStamp()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("vanha-tuoli12,50:46000\r\nlamppu7,00:46001\r\n");
    f.close();
    QVERIFY(m_filter->lataasuodatin(path));
    QVERIFY(m_filter->unchanged());
    FakeCards page;
    page.html = {card("vanha-tuoli", "11111111", buyNow("12,50")), card("lamppu", "22222222", buyNow("8,00")),
                 card("kirja", "33333333", buyNow("1,00"))};
    QCOMPARE(m_filter->WBsuodata(page), 1);
    QCOMPARE(page.hidden, (QList<bool>{true, false, false}));
    QCOMPARE(m_host.status, QStringList{"Suodatettu 1kpl/4"});
    // The match renewed the stamp; the clean-up left one entry per key.
    QCOMPARE(m_filter->list().entries(), (QStringList{"lamppu7,00:46001", "vanha-tuoli12,50:46024"}));
    QVERIFY(!m_filter->unchanged());
    QCOMPARE(page.reads, 1);
}

void TestSellerFilter::passEdgeCases_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("cards");
    QTest::addColumn<int>("hidden");
    QTest::newRow("page without cards") << QStringList{"tuoli1,00:46000"} << QStringList{"<p>tyhjä</p>"} << 0;
    QTest::newRow("five-character key never hides")
        << QStringList{"kello:46000", "kello"} << QStringList{card("kello", "1")} << 0;
    QTest::newRow("six-character key hides") << QStringList{"kellot:46000"} << QStringList{card("kellot", "1")} << 1;
    QTest::newRow("listing without price keyed by slug")
        << QStringList{"kirja-hyva:46000"} << QStringList{card("kirja-hyva", "1")} << 1;
    QTest::newRow("key inside a longer entry hides")
        << QStringList{"vanha-tuoli5,00:46000"} << QStringList{card("tuoli", "1", buyNow("5,00"))} << 1;
    QTest::newRow("search is case-sensitive")
        << QStringList{"Tuoli5,00:46000"} << QStringList{card("tuoli", "1", buyNow("5,00"))} << 0;
    QTest::newRow("wrapper div is not a card")
        << QStringList{"tuoli5,00:46000"}
        << QStringList{"<div class='grid-element-container'>" + card("tuoli", "1", buyNow("5,00")) + "</div>"} << 0;
}

void TestSellerFilter::passEdgeCases()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, cards);
    QFETCH(int, hidden);
    FakeCards page;
    page.html = cards;
    // Entries go in through a file, as the user's filter does.
    QTemporaryDir dir;
    const QString path = dir.filePath("s.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write((entries.join("\r\n") + "\r\n").toLatin1());
    f.close();
    QVERIFY(m_filter->lataasuodatin(path));
    QCOMPARE(m_filter->WBsuodata(page), hidden);
    QCOMPARE(page.hiddenCount(), hidden);
    QCOMPARE(m_host.status.isEmpty(), hidden == 0);
}

void TestSellerFilter::secondPassHidesNothingNew()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("s.txt");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("vanha-tuoli12,50:46000\r\n");
    f.close();
    QVERIFY(m_filter->lataasuodatin(path));
    FakeCards page;
    page.html = {card("vanha-tuoli", "1", buyNow("12,50")), card("vanha-tuoli", "1", buyNow("12,50"))};
    QCOMPARE(m_filter->WBsuodata(page), 2);
    QCOMPARE(m_filter->WBsuodata(page), 0);
    QCOMPARE(m_host.status, QStringList{"Suodatettu 2kpl/4"});
    QCOMPARE(m_filter->list().entries(), QStringList{"vanha-tuoli12,50:46024"});
}

void TestSellerFilter::withoutPictures_data()
{
    QTest::addColumn<bool>("pkk");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<bool>("hidden");
    const QString placeholder = QStringLiteral("<img src='/img/EIKUVAA_140.png'>");
    QTest::newRow("placeholder hidden") << true << placeholder << true;
    QTest::newRow("placeholder with a picture stays") << true << placeholder + "<img src='/k/1-s.jpg'>" << false;
    QTest::newRow("picture stays") << true << QStringLiteral("<img src='/k/1-s.jpg'>") << false;
    QTest::newRow("setting off") << false << placeholder << false;
}

void TestSellerFilter::withoutPictures()
{
    QFETCH(bool, pkk);
    QFETCH(QString, picture);
    QFETCH(bool, hidden);
    m_settings.PKK = pkk;
    FakeCards page;
    page.html = {card("tuoli", "1", buyNow("1,00"), picture)};
    QCOMPARE(m_filter->WBsuodata(page), hidden ? 1 : 0);
    QVERIFY(m_filter->list().isEmpty());
    QVERIFY(m_filter->unchanged());
}

void TestSellerFilter::addFromPageTakesLastMatchingCard()
{
    FakeCards page;
    page.html = {card("eka", "12345678", buyNow("1,00")), "<div>12345678</div>",
                 card("toka", "12345678", buyNow("2,00")), card("muu", "87654321", buyNow("3,00"))};
    QVERIFY(m_filter->Lisaasuodattimeen(page, QStringLiteral("12345678")));
    QCOMPARE(m_filter->list().entries(), QStringList{"toka2,00:46024"});
    QVERIFY(!m_filter->unchanged());
    QVERIFY(!m_filter->Lisaasuodattimeen(page, QStringLiteral("99999999")));
    // An empty text would match any card.
    QVERIFY(!m_filter->Lisaasuodattimeen(page, QString()));
    QCOMPARE(m_filter->list().size(), 1);
}

void TestSellerFilter::sellerPageCollectsUsableKeys()
{
    FakeCards page;
    page.html = {card("pitka-nimi", "1", buyNow("1,00")), card("abc", "2"),
                 "<div class='grid-element-container'>" + card("pitka-nimi", "1") + "</div>"};
    QCOMPARE(m_filter->wbmustalista(page), 2);
    QCOMPARE(m_filter->list().entries(), QStringList{"pitka-nimi1,00:46024"});
}

QTEST_GUILESS_MAIN(TestSellerFilter)
#include "tst_sellerfilter.moc"
