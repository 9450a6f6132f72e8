// The approval sequence of a re-listed listing: which page is sent on, which
// button is pressed, the approve mode, the notices, the tab closing, and a
// preview that never comes back.
#include "fakedocument.h"
#include "seller/automation/approvestep.h"
#include "core/settings.h"
#include "stillafter.h"
#include <QtTest>

namespace {
const QString kForm12 = QStringLiteral("http://www.vasaro.test/uusi-ilmoitus/92222222/republish/uudelleen/12");
const QString kForm1 = QStringLiteral("http://www.vasaro.test/uusi-ilmoitus/92222222/republish/uudelleen/1");
const QString kPreview = QStringLiteral("http://www.vasaro.test/uusi-ilmoitus/esikatsele/id/92222222");
const QString kPublished = QStringLiteral("http://www.vasaro.test/ilmoitus/published/id/95000001?vanha=92222222");
const QString kItem = QStringLiteral("http://www.vasaro.test/kohteet/kohde/91111111");

const QStringList kFormButtons{QStringLiteral("<button type=\"button\" id=\"delivery\">Esikatseluun ohje</button>"),
                               QStringLiteral("<button type=\"submit\" id=\"esikatseluun\">Esikatseluun</button>")};
const QStringList kPreviewButtons{
    QStringLiteral("<button type='button' id='peruuta'>Peruuta ja julkaise myöhemmin</button>"),
    QStringLiteral("<button type='submit' id='muokkaa' formaction='/uusi-ilmoitus/1/republish'>Muokkaa</button>"),
    QStringLiteral("<BUTTON TYPE='SUBMIT' ID='JULKAISE'>Julkaise</BUTTON>")};

class RecordingHost final : public ApprovalHost {
public:
    QStringList events;   // "mode on", "mode off", "notice <text> <s>", "close <index>"
    void setApproveMode(PipelineTab &, bool on) override
    {
        events << (on ? QStringLiteral("mode on") : QStringLiteral("mode off"));
    }
    void statusNotice(const QString &text, int seconds) override
    {
        events << QStringLiteral("notice %1 %2").arg(text).arg(seconds);
    }
    void closeTab(int pageIndex) override { events << QStringLiteral("close %1").arg(pageIndex); }
};
}

class TstApproveStep final : public QObject {
    Q_OBJECT
private slots:
    void step_data();
    void step();
    void wholeSequence();
    void previewNeverComesBack();
    void previewInTimeIsNotStopped();
    void itemNumber_data();
    void itemNumber();
};

void TstApproveStep::step_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("address");
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("closeTabs");
    QTest::addColumn<QStringList>("buttons");
    QTest::addColumn<bool>("stop");
    QTest::addColumn<QString>("newState");
    QTest::addColumn<QList<int>>("clicked");
    QTest::addColumn<QStringList>("events");

    QTest::newRow("re-list 12 in its own tab: sent, approve mode")
        << "" << kForm12 << 1 << false << kFormButtons << true << "Hyvaksy" << QList<int>{1}
        << QStringList{"mode on", "notice Lähetetään 92222222 30"};
    QTest::newRow("re-list 12 in the first tab: only sent")
        << "" << kForm12 << 0 << false << kFormButtons << true << "" << QList<int>{1} << QStringList{};
    QTest::newRow("re-list 1: only sent") << "" << kForm1 << 2 << false << kFormButtons << true << ""
                                          << QList<int>{1} << QStringList{};
    QTest::newRow("re-list form without a submit button: state kept")
        << "" << kForm12 << 1 << false << QStringList{kFormButtons.first()} << true << "Hyvaksy" << QList<int>{}
        << QStringList{"mode on", "notice Lähetetään 92222222 30"};
    QTest::newRow("preview: the submit button with julkaise")
        << "Hyvaksy" << kPreview << 1 << false << kPreviewButtons << true << "Hyvaksytty" << QList<int>{2}
        << QStringList{"mode off", "notice Hyväksytään 92222222 30"};
    QTest::newRow("another page instead of the preview goes on")
        << "Hyvaksy" << kItem << 1 << false << kPreviewButtons << false << "Hyvaksytty" << QList<int>{}
        << QStringList{"mode off"};
    QTest::newRow("published, closing on: tab closed")
        << "Hyvaksytty" << kPublished << 3 << true << QStringList{} << true << "" << QList<int>{}
        << QStringList{"mode off", "notice Hyväksytty 95000001 8", "close 3"};
    QTest::newRow("published in the first tab: never closed")
        << "Hyvaksytty" << kPublished << 0 << true << QStringList{} << false << "" << QList<int>{}
        << QStringList{"mode off", "notice Hyväksytty 95000001 8"};
    QTest::newRow("published, closing off: ordinary handling")
        << "Hyvaksytty" << kPublished << 3 << false << QStringList{} << false << "" << QList<int>{}
        << QStringList{"mode off", "notice Hyväksytty 95000001 8"};
    QTest::newRow("after the approval another page: stops")
        << "Hyvaksytty" << kItem << 3 << true << QStringList{} << true << "" << QList<int>{}
        << QStringList{"mode off"};
    QTest::newRow("ordinary page, no approval") << "" << kItem << 1 << true << kPreviewButtons << false << ""
                                                << QList<int>{} << QStringList{};
    QTest::newRow("a preview without approval is left alone")
        << "" << kPreview << 1 << true << kPreviewButtons << false << "" << QList<int>{} << QStringList{};
}

void TstApproveStep::step()
{
    QFETCH(QString, state);
    QFETCH(QString, address);
    QFETCH(int, tab);
    QFETCH(bool, closeTabs);
    QFETCH(QStringList, buttons);
    Settings settings;
    settings.suljelehti = closeTabs;
    RecordingHost host;
    ApproveStep approval(settings, host);
    FakeTab page(tab);
    page.state.approval = state;
    page.doc.buttons = buttons;
    QTEST(approval.approve_step(page, address.toLower()), "stop");
    QTEST(page.state.approval, "newState");
    QTEST(page.doc.clicked, "clicked");
    QTEST(host.events, "events");
}

void TstApproveStep::wholeSequence()
{
    Settings settings;
    settings.suljelehti = true;
    RecordingHost host;
    ApproveStep approval(settings, host);
    FakeTab page(1);
    page.doc.buttons = kFormButtons;
    QVERIFY(approval.approve_step(page, kForm12));
    page.doc.buttons = kPreviewButtons;
    QVERIFY(approval.approve_step(page, kPreview));
    page.doc.buttons.clear();
    QVERIFY(approval.approve_step(page, kPublished));
    QCOMPARE(page.doc.clicked, (QList<int>{1, 2}));
    QCOMPARE(host.events.last(), QStringLiteral("close 1"));
    QVERIFY(page.state.approval.isEmpty());
    // The next page of the tab is handled as usual.
    QVERIFY(!approval.approve_step(page, kItem));
}

void TstApproveStep::previewNeverComesBack()
{
    Settings settings;
    RecordingHost host;
    ApproveStep approval(settings, host);
    approval.setPreviewLimitMs(50);
    FakeTab page(1);
    page.doc.buttons = kFormButtons;
    QVERIFY(approval.approve_step(page, kForm12));
    QCOMPARE(page.state.approval, QStringLiteral("Hyvaksy"));
    QTRY_COMPARE(host.events.last(), QStringLiteral("notice Hyväksyntä keskeytetty 92222222 8"));
    QCOMPARE(host.events.at(host.events.size() - 2), QStringLiteral("mode off"));
    QVERIFY(page.state.approval.isEmpty());
    // A preview that turns up later is not published.
    page.doc.buttons = kPreviewButtons;
    QVERIFY(!approval.approve_step(page, kPreview));
    QCOMPARE(page.doc.clicked, QList<int>{1});
}

void TstApproveStep::previewInTimeIsNotStopped()
{
    Settings settings;
    RecordingHost host;
    ApproveStep approval(settings, host);
    approval.setPreviewLimitMs(50);
    FakeTab page(1);
    page.doc.buttons = kFormButtons;
    approval.approve_step(page, kForm12);
    page.doc.buttons = kPreviewButtons;
    approval.approve_step(page, kPreview);
    // Well past the preview's time limit, the approval was not stopped.
    QVERIFY(stillAfter(150, [&] { return !host.events.join(u'|').contains(QLatin1String("keskeytetty")); }));
    QCOMPARE(page.state.approval, QStringLiteral("Hyvaksytty"));
}

void TstApproveStep::itemNumber_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("number");
    QTest::newRow("re-list form") << kForm12 << "92222222";
    QTest::newRow("re-list form without a number") << "http://www.vasaro.test/uusi-ilmoitus//republish" << "";
    QTest::newRow("preview with id") << kPreview << "92222222";
    QTest::newRow("published with query") << kPublished << "95000001";
    QTest::newRow("item page") << kItem << "91111111";
    QTest::newRow("nothing") << "http://www.vasaro.test/omasivu/myynnit" << "";
}

void TstApproveStep::itemNumber()
{
    QFETCH(QString, address);
    QTEST(ApproveStep::itemNumber(address), "number");
}

QTEST_MAIN(TstApproveStep)
#include "tst_approvestep.moc"
