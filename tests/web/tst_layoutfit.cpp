// The main window's controls at the screen sizes a trader uses (1280×1024,
// 1024×768) and at the window's minimum size, on the fake marketplace's
// new-listing page with the watch-list alert showing: every caption of the
// toolbar, the features' row (closing-time panel, alert) and the template
// panel is whole and inside the window, and the address box keeps a usable
// width. The status notice sits at the top right.
#include "app/messagepanel.h"
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/tabs/tabmanager.h"
#include "buyer/watchlist/watchlistalert.h"
#include "buyer/watchlist/watchlistpage.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "layoutfit.h"
#include "scriptedprompts.h"
#include <QComboBox>
#include <QDir>
#include <QTemporaryFile>
#include <QtTest>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

// A 1280 × 1024 screen for the offscreen platform, set before the
// application starts.
const bool kScreen = [] {
    static QTemporaryFile config(QDir::tempPath() + QStringLiteral("/vss-screen-XXXXXX.json"));
    if (config.open()) {
        config.write(R"({"screens": [{"name": "s1", "x": 0, "y": 0, "width": 1280, "height": 1024,
                         "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        config.flush();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    }
    return true;
}();
const QString kWeb = QStringLiteral("http://www.vasaro.test");
}

class TestLayoutFit : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;

    TVasaroselain *active() { return m_w->tabs().activeBrowser(); }
    QWidget *named(const char *name) { return m_w->findChild<QWidget *>(QLatin1String(name)); }

    // The window at the size (an empty size: its minimum), laid out.
    void sizeWindow(QSize size)
    {
        if (size.isEmpty())
            size = m_w->minimumSize();
        m_w->resize(size);
        QVERIFY(waitFor([&] { return m_w->size() == size; }, 3000));
        QCoreApplication::processEvents();
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(kScreen);
        QVERIFY(m_market.start());
        m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        m_w->show();
        QApplication::setActiveWindow(m_w.get());
        QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
        QVERIFY(waitFor([&] { return active() && active()->focusProxy(); }, 15000));
        m_w->aktiivisivu_navigate(kWeb + QStringLiteral("/uusi-ilmoitus"));
        QVERIFY(waitFor([&] { return active()->title() == QLatin1String("Ilmoita uusi kohde"); }, 15000));
        QVERIFY(waitFor([&] { return named("aukiolopaneeli")->isVisible() && named("ppohjat")->isVisible(); }, 15000));
        m_w->findChild<WatchListAlert *>()->showAlert(WatchListPage::alertText(QStringLiteral("12.3.2022 klo 18:00")));
    }
    void cleanupTestCase()
    {
        if (m_w)
            m_w->close();
        m_w.reset();
    }

    void newListingPageFits_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("1280x1024") << QSize(1280, 1024);
        QTest::newRow("1024x768") << QSize(1024, 768);
        QTest::newRow("minimum") << QSize();
    }
    void newListingPageFits()
    {
        QFETCH(QSize, size);
        sizeWindow(size);
        QVERIFY(named("XiPanel3")->isVisible());
        QStringList faults;
        for (const char *name : {"XiPanel9", "ominaisuusrivi", "aukiolopaneeli", "XiPanel3", "ppohjat"})
            faults << LayoutFit::check(named(name));
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        // The closing-time check box has its caption; the address box keeps
        // a usable width, also while the alert shows.
        QCOMPARE(named("CheckBox1")->property("text").toString(), QStringLiteral("Automaattinen"));
        auto *address = named("XiPanel9")->findChild<QComboBox *>();
        QVERIFY(address);
        QVERIFY2(address->width() >= 300, qPrintable(QString::number(address->width())));
        // The alert's closing time is in view.
        auto *alert = static_cast<QLabel *>(named("XiPanel3"));
        QVERIFY(alert->fontMetrics().horizontalAdvance(alert->text()) <= alert->contentsRect().width());
    }

    void statusNoticeAtTheTopRight_data() { newListingPageFits_data(); }
    void statusNoticeAtTheTopRight()
    {
        QFETCH(QSize, size);
        sizeWindow(size);
        auto *notice = m_w->findChild<MessagePanel *>(QStringLiteral("Xipanel6"));
        notice->naytapaneeli(QStringLiteral("Suodatettu 3kpl"), 4);
        QVERIFY(notice->isVisible());
        const QRect shown(notice->mapTo(m_w.get(), QPoint()), notice->size());
        QVERIFY(m_w->rect().contains(shown));
        QVERIFY2(m_w->width() - shown.right() <= 12, qPrintable(QString::number(shown.right())));
        const QWidget *toolbar = named("XiPanel9");
        QVERIFY(shown.top() >= toolbar->mapTo(m_w.get(), QPoint(0, toolbar->height())).y());
        QVERIFY(shown.bottom() < m_w->height() / 3);
        QStringList faults = LayoutFit::check(notice);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(u'\n')));
        notice->hide();
    }
};

QTEST_MAIN(TestLayoutFit)
#include "tst_layoutfit.moc"
