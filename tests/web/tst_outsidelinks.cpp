// Addresses for outside programs (mailto: and the like) from a page of
// another site: asked about before anything starts, only for the user's own
// click, once per click; a page going there by itself starts nothing.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "browser/tabs/tabmanager.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "webinput.h"
#include "stillafter.h"
#include <QDesktopServices>
#include <QtTest>
#include <memory>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

}

// Stands in for the desktop's mail program: what reached the system.
class OutsideHandler : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestOutsideLinks : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    OutsideHandler m_handler;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;

    TVasaroselain *active() { return m_w->tabs().activeBrowser(); }
    bool openPage(const QString &address)
    {
        m_w->aktiivisivu_navigate(address);
        return waitFor([&] { return active()->title() == QLatin1String("Ulkoinen") && !active()->vasaroPage()->Busy(); },
                       15000);
    }
    // A click as the window system delivers it, on the element's middle.
    bool clickElement(const QString &id)
    {
        const QVariantList box = WebTest::evaluate(active()->page(),
            QStringLiteral("(function () { var r = document.getElementById('%1').getBoundingClientRect();"
                           " return [r.left + r.width / 2, r.top + r.height / 2]; })()").arg(id)).toList();
        if (box.size() != 2 || !active()->focusProxy())
            return false;
        QWidget *input = active()->focusProxy();
        // The engine drops input until the page's first frames are shown:
        // click an empty corner until the page notices, then the element once.
        const QPoint corner(input->width() - 5, input->height() - 5);
        const bool takesClicks = waitFor([&] {
            QTest::mouseClick(input, Qt::LeftButton, {}, corner);
            return WebTest::evaluate(active()->page(), QStringLiteral("document.body.dataset.hiiri")).toString()
                == QLatin1String("1");
        }, 10000);
        if (!takesClicks)
            return false;
        QTest::mouseClick(input, Qt::LeftButton, {}, QPoint(box.at(0).toInt(), box.at(1).toInt()));
        return true;
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_market.start());
        for (const char *scheme : {"mailto", "tel"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), &m_handler, "open");
    }

    void cleanupTestCase()
    {
        for (const char *scheme : {"mailto", "tel"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

    void init()
    {
        m_prompts = ScriptedPrompts();
        m_handler.opened.clear();
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        m_w->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_w.get()));
        QVERIFY(waitFor([&] { return active() && active()->title() == QLatin1String("Vasaro - etusivu"); }, 15000));
    }

    void cleanup()
    {
        m_w->close();
        m_w.reset();
    }

    void pageCannotStartAProgramByItself()
    {
        QVERIFY(openPage(QStringLiteral("http://hyokkaaja.test/ulkoinen?itse=1")));
        quietFor(kQuietPeriodMs);
        QCOMPARE(m_prompts.asked, QStringList());
        QCOMPARE(m_handler.opened, QList<QUrl>());
    }

    void clickAsksFirst_data()
    {
        QTest::addColumn<QString>("element");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("address");
        QTest::newRow("link, Kyllä") << "posti" << true << "mailto:myyja@hyokkaaja.test";
        QTest::newRow("link, Ei") << "posti" << false << "mailto:myyja@hyokkaaja.test";
        // Which of the three the engine passes on is its own affair.
        QTest::newRow("three at one click: one question") << "monta" << true << "mailto:";
    }
    void clickAsksFirst()
    {
        QFETCH(QString, element);
        QFETCH(bool, yes);
        QFETCH(QString, address);
        QVERIFY(openPage(QStringLiteral("http://hyokkaaja.test/ulkoinen")));
        m_prompts.answers.enqueue(yes ? Prompts::Answer::Yes : Prompts::Answer::No);
        QVERIFY(clickElement(element));
        QTRY_VERIFY_WITH_TIMEOUT(!m_prompts.asked.isEmpty(), 5000);
        quietFor(kQuietPeriodMs);
        QCOMPARE(m_prompts.asked.size(), 1);
        const QString question = QStringLiteral("confirm: Avataanko linkki ulkoisessa ohjelmassa?\r");
        QVERIFY2(m_prompts.asked.first().startsWith(question + address), qPrintable(m_prompts.asked.first()));
        QCOMPARE(m_handler.opened.size(), yes ? 1 : 0);
        if (yes)
            QCOMPARE(question + m_handler.opened.first().toDisplayString(), m_prompts.asked.first());
        // The page stays where it was.
        QCOMPARE(active()->title(), QStringLiteral("Ulkoinen"));
    }

    void downloadWithoutAClickAsksFirst()
    {
        m_prompts.answers.enqueue(Prompts::Answer::No);
        m_w->aktiivisivu_navigate(QStringLiteral("http://hyokkaaja.test/lataa"));
        QTRY_VERIFY_WITH_TIMEOUT(!m_prompts.asked.isEmpty(), 15000);
        quietFor(kQuietPeriodMs);
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral(
                                      "confirm: Sivu hyokkaaja.test haluaa ladata tiedoston hinnasto.csv.\r"
                                      "Ladataanko tiedosto?")});
    }
};

QTEST_MAIN(TestOutsideLinks)
#include "tst_outsidelinks.moc"
