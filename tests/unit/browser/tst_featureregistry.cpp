// The registry the feature modules plug into, and the one rule of the
// controls that follow the page: which of them a page shows, hides or
// leaves alone.
#include "browser/features/featureregistry.h"
#include "browser/features/pagestate.h"
#include "browser/policy/contextmenupolicy.h"
#include <QMouseEvent>
#include <QtTest>

using Control = PageControls::Control;
using Moment = PageState::Moment;
using Kind = PageState::Kind;
// Expected: 1 shown, 0 hidden, -1 left as it is.
using Expected = QList<int>;
Q_DECLARE_METATYPE(Moment)
Q_DECLARE_METATYPE(Kind)

class TestFeatureRegistry final : public QObject {
    Q_OBJECT
private slots:
    void pageControls_data();
    void pageControls();
    void favouriteCaption();
    void mouseHandlersRunInOrderUntilOneClaims();
    void commandWords();
    void linkCommandAddress_data();
    void linkCommandAddress();
};

void TestFeatureRegistry::pageControls_data()
{
    QTest::addColumn<Moment>("moment");
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<bool>("activeTab");
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<int>("nextItems");
    // ClosingTime, Templates, MailReminder, NextListing
    QTest::addColumn<Expected>("expected");
    QTest::newRow("leaving hides, next stays") << Moment::Leaving << Kind::ItemPage << true << true << 3
                                               << Expected{0, 0, 0, -1};
    QTest::newRow("outside hides all") << Moment::Completed << Kind::Outside << true << true << 3
                                       << Expected{0, 0, 0, 0};
    QTest::newRow("outside in the background") << Moment::Completed << Kind::Outside << false << true << 3
                                               << Expected{-1, -1, -1, -1};
    QTest::newRow("listing form shows its panels") << Moment::Completed << Kind::NewListingForm << true << false << 0
                                                   << Expected{1, 1, -1, 0};
    QTest::newRow("item page, signed in") << Moment::Completed << Kind::ItemPage << true << true << 2
                                          << Expected{-1, -1, 1, 1};
    QTest::newRow("item page, not signed in") << Moment::Completed << Kind::ItemPage << true << false << 0
                                              << Expected{-1, -1, -1, 0};
    QTest::newRow("background page keeps all but next")
        << Moment::Completed << Kind::ItemPage << false << true << 1 << Expected{-1, -1, -1, 1};
    QTest::newRow("tab change to a listing form") << Moment::TabChanged << Kind::NewListingForm << true << true << 5
                                                  << Expected{1, 1, 0, -1};
    QTest::newRow("tab change to an item page") << Moment::TabChanged << Kind::ItemPage << true << true << 5
                                                << Expected{0, 0, 1, -1};
}

void TestFeatureRegistry::pageControls()
{
    QFETCH(Moment, moment);
    QFETCH(Kind, kind);
    QFETCH(bool, activeTab);
    QFETCH(bool, signedIn);
    QFETCH(int, nextItems);
    QFETCH(Expected, expected);
    PageState state;
    state.moment = moment;
    state.kind = kind;
    state.activeTab = activeTab;
    state.signedIn = signedIn;
    state.nextItems = nextItems;
    const Control controls[] = {Control::ClosingTime, Control::Templates, Control::MailReminder, Control::NextListing};
    for (int i = 0; i < 4; ++i) {
        const std::optional<bool> shown = PageControls::visible(controls[i], state);
        QCOMPARE(shown ? int(*shown) : -1, expected.at(i));
    }
}

void TestFeatureRegistry::favouriteCaption()
{
    PageState state;
    state.address = QStringLiteral("http://www.vasaro.test/kohteet/lamppu/12345678");
    state.kind = PageState::kindOf(state.address);
    QCOMPARE(state.kind, Kind::ItemPage);
    QCOMPARE(PageControls::favouriteCaption(state), QStringLiteral("Lisää suosikkimyyjiin"));
    QCOMPARE(PageControls::visible(Control::Favourite, state), std::optional<bool>(true));
    // The same path on another site: nothing to add there.
    state.kind = Kind::Outside;
    QVERIFY(PageControls::favouriteCaption(state).isEmpty());
    QCOMPARE(PageControls::visible(Control::Favourite, state), std::optional<bool>(false));
    // A background tab's page leaves the button and its caption alone.
    state.kind = Kind::ItemPage;
    state.activeTab = false;
    QVERIFY(PageControls::favouriteCaption(state).isEmpty());
    QCOMPARE(PageControls::visible(Control::Favourite, state), std::nullopt);
    state.moment = Moment::Leaving;
    state.activeTab = true;
    QCOMPARE(PageControls::visible(Control::Favourite, state), std::optional<bool>(false));
}

void TestFeatureRegistry::mouseHandlersRunInOrderUntilOneClaims()
{
    FeatureRegistry registry;
    QStringList calls;
    using Order = FeatureRegistry::InputOrder;
    // Registered out of order: the order decides, not the registration.
    registry.addMouseHandler(Order::PicturePreview, [&calls](QObject *, QEvent *) {
        calls << QStringLiteral("picture");
        return true;
    });
    registry.addMouseHandler(Order::SearchForm, [&calls](QObject *, QEvent *) {
        calls << QStringLiteral("search");
        return false;
    });
    registry.addMouseHandler(Order::EditorMenu, [&calls](QObject *, QEvent *) {
        calls << QStringLiteral("editor");
        return false;
    });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(), QPointF(), Qt::LeftButton, Qt::LeftButton, {});
    QVERIFY(registry.mouseEvent(nullptr, &press));
    QCOMPARE(calls, (QStringList{"editor", "search", "picture"}));
    // Nothing registered: nothing claims.
    QVERIFY(!FeatureRegistry().mouseEvent(nullptr, &press));
}

void TestFeatureRegistry::commandWords()
{
    FeatureRegistry registry;
    int runs = 0;
    registry.addCommand(QStringLiteral("pikkukuva"), [&runs] { ++runs; });
    QVERIFY(registry.runCommand(QStringLiteral("pikkukuva")));
    QVERIFY(!registry.runCommand(QStringLiteral("suodatakohde")));
    QCOMPARE(runs, 1);
    QVERIFY(!registry.ownsFocus(nullptr));
}

void TestFeatureRegistry::linkCommandAddress_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("remembered");
    QTest::addColumn<QString>("expected");
    const QString link = QStringLiteral("http://www.vasaro.test/kohteet/Tuoli/12345678");
    QTest::newRow("status shows the link") << link << QStringLiteral("http://x.test/a") << link;
    QTest::newRow("status is no address") << QStringLiteral("Valmis") << link << link;
    QTest::newRow("nothing") << QString() << QString() << QString();
}

void TestFeatureRegistry::linkCommandAddress()
{
    QFETCH(QString, status);
    QFETCH(QString, remembered);
    QFETCH(QString, expected);
    // Case kept: the page's path is case sensitive.
    QCOMPARE(ContextMenuPolicy::linkCommandAddress(status, remembered), expected);
}

QTEST_MAIN(TestFeatureRegistry)
#include "tst_featureregistry.moc"
