// The assembled program against pages that try to misuse it: sign-in forms
// of other sites, legacy search links of other sites, markup named after the
// program's page helpers; and the privacy of the data folder after a run.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/document.h"
#include "browser/engine/element.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "client/apisession.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "webinput.h"
#include "stillafter.h"
#include <QAction>
#include <QWebEngineScript>
#include <QtTest>
#include <sys/stat.h>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);

TVasaroselain *active(TForm1 &w)
{
    return w.tabs().activeBrowser();
}

bool started(TForm1 &w)
{
    w.show();
    return QTest::qWaitFor([&] { return active(w) && active(w)->title() == QLatin1String("Vasaro - etusivu"); },
                           15000);
}

// Runs `action` and waits for the active tab's next completed document.
template <typename Action>
bool completes(TForm1 &w, Action action)
{
    QSignalSpy done(active(w)->vasaroPage(), &VasaroPage::documentComplete);
    action();
    return done.wait(15000);
}

bool open(TForm1 &w, const QString &url)
{
    return completes(w, [&] { w.aktiivisivu_navigate(url); });
}

// The permission bits of a path, as `stat` shows them.
int mode(const QString &path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 07777) : -1;
}
} // namespace

class TestPageSafety : public QObject {
    Q_OBJECT
private:
    FakeMarketplace m_market;

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_market.start());
    }

    void signInCapture_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("password");      // typed into the form; "" = the page's own values
        QTest::addColumn<bool>("captured");
        QTest::newRow("another host posting to a sign-in path naming the marketplace")
            << "http://vieras.test/kirjautuminen" << "" << false;
        QTest::newRow("a host that only begins with the marketplace's name")
            << "http://www.vasaro.test.vieras.test/kirjautuminen" << "" << false;
        QTest::newRow("another host posting to the marketplace's own sign-in")
            << "http://vieras.test/kirjautuminen?kohde=http://www.vasaro.test/kirjaudu" << "" << false;
        QTest::newRow("the marketplace's form, & in the password")
            << "http://www.vasaro.test/kirjaudu" << "sala&sana" << true;
        QTest::newRow("the marketplace's form, %26 in the password")
            << "http://www.vasaro.test/kirjaudu" << "sala%26sana" << true;
        QTest::newRow("the marketplace's form, + in the password")
            << "http://www.vasaro.test/kirjaudu" << "sala+sana" << true;
        QTest::newRow("a marketplace form with controls named action, method and enctype")
            << "http://www.vasaro.test/testit/kirjaudu-varjot" << "salasana" << true;
    }
    void signInCapture()
    {
        QFETCH(QString, page);
        QFETCH(QString, password);
        QFETCH(bool, captured);
        ScriptedPrompts prompts;
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        QVERIFY(started(w));
        QVERIFY(open(w, page));
        Document &doc = active(w)->document();
        QString button = QStringLiteral("laheta");
        if (!password.isEmpty()) {
            doc.getElementById(QStringLiteral("userid")).setValue(QStringLiteral("Matti Myyjä"));
            doc.getElementById(QStringLiteral("password")).setValue(password);
            button = QStringLiteral("kirjaudunappi");
        }
        QVERIFY(completes(w, [&] { doc.getElementById(button).click(); }));
        if (!captured) {
            QVERIFY(!w.api().signedIn());
            QCOMPARE(w.signedInUser(), QString());
            return;
        }
        QCOMPARE(w.signedInUser(), QStringLiteral("Matti Myyjä"));
        QCOMPARE(w.api().password(), password);
    }

    void legacyLinksOnlyFromTheMarketplace_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("dialog");
        QTest::newRow("another site's link") << "http://vieras.test/vanhatlinkit" << false;
        QTest::newRow("the marketplace's link") << "http://www.vasaro.test/vanhatlinkit/" << true;
    }
    void legacyLinksOnlyFromTheMarketplace()
    {
        QFETCH(QString, page);
        QFETCH(bool, dialog);
        ScriptedPrompts prompts;
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        QVERIFY(started(w));
        QVERIFY(open(w, page));
        active(w)->document().getElementById(QStringLiteral("kh")).click();
        const QStringList userSearch{QStringLiteral("input: Anna käyttäjän tunnus?")};
        if (dialog) {
            QTRY_COMPARE_WITH_TIMEOUT(prompts.asked, userSearch, 5000);
        } else {
            // The link is an ordinary link there: the tab follows it.
            QTRY_VERIFY_WITH_TIMEOUT(active(w)->locationUrl().contains(QLatin1String("kayttajahaku.php3")), 5000);
            // longer than the deferred command's timer
            QVERIFY(stillAfter(kQuietMs, [&] { return prompts.asked.isEmpty(); }));
        }
    }

    void helpersCannotBeShadowedByMarkup()
    {
        ScriptedPrompts prompts;
        TForm1 w(Endpoints::fromEnvironment(), &prompts);
        QVERIFY(started(w));
        QVERIFY(open(w, QStringLiteral("http://www.vasaro.test/testit/varjot")));
        // The document operations work on this page as on any other.
        Document &doc = active(w)->document();
        QVERIFY(!doc.body().isNull());
        QCOMPARE(doc.getElementsByTagName(QStringLiteral("p")).size(), 2);
        QCOMPARE(doc.getElementById(QStringLiteral("__vsdoc")).tagName().toLower(), QStringLiteral("div"));
        // A form whose controls are named after element properties is still
        // read and changed as a form.
        const Element form = doc.getElementById(QStringLiteral("lomake"),
            Document::Fields(Document::OuterHtml | Document::Id | Document::Name | Document::ClassName));
        QCOMPARE(form.tagName(), QStringLiteral("FORM"));
        QCOMPARE(form.data().id, QStringLiteral("lomake"));
        QCOMPARE(form.data().name, QStringLiteral("lomake"));
        QCOMPARE(form.data().className, QStringLiteral("luokka"));
        QVERIFY(form.data().outerHTML.startsWith(QLatin1String("<form id=\"lomake\"")));
        QCOMPARE(form.getAttribute(QStringLiteral("action")), QStringLiteral("/x"));
        form.setAttribute(QStringLiteral("data-merkki"), QStringLiteral("1"));
        QCOMPARE(form.getAttribute(QStringLiteral("data-merkki")), QStringLiteral("1"));
        form.setStyle(QStringLiteral("display"), QStringLiteral("none"));
        QCOMPARE(form.style(QStringLiteral("display")), QStringLiteral("none"));
        QVERIFY(form.innerHTML().startsWith(QLatin1String("<input")));
        // Find and highlight marks every occurrence.
        prompts.inputs.enqueue(QStringLiteral("vasara"));
        QAction *find = w.findChild<QAction *>(QStringLiteral("MenuItem8"));
        QVERIFY(find);
        find->trigger();
        const QVariantList marks = WebTest::evaluate(active(w)->page(),
            QStringLiteral("Array.prototype.map.call(Document.prototype.querySelectorAll.call(document, 'span'),"
                           " function (s) { return [s.textContent, s.style.backgroundColor]; })")).toList();
        QCOMPARE(marks.size(), 3);
        QCOMPARE(marks.at(0).toList(), (QVariantList{QStringLiteral("Vasara"), QStringLiteral("lime")}));
        QCOMPARE(marks.at(2).toList(), (QVariantList{QStringLiteral("VASARA"), QStringLiteral("lime")}));
    }

    // Last: it moves the program to a data folder of its own.
    void dataFolderIsPrivateAfterARun()
    {
        const QString data = m_market.dataDir() + QStringLiteral("/oma");
        qputenv("VSSELAIN_DATA_DIR", QFile::encodeName(data));
        {
            ScriptedPrompts prompts;
            TForm1 w(Endpoints::fromEnvironment(), &prompts);
            QVERIFY(started(w));
            w.settings().Suodatettavatnimimerkit = QStringList{QStringLiteral("myyja")};
            w.settings().hkts = true;
            w.settings().hksalasana = QStringLiteral("salasana");
            w.close();
        }
        QCOMPARE(QString::number(mode(data), 8), QStringLiteral("700"));
        const QFileInfoList files = QDir(data).entryInfoList(QDir::Files | QDir::Hidden);
        QStringList names;
        for (const QFileInfo &f : files) {
            names << f.fileName();
            QCOMPARE(f.fileName() + u' ' + QString::number(mode(f.filePath()), 8),
                     f.fileName() + QStringLiteral(" 600"));
        }
        QVERIFY2(names.contains(QStringLiteral("VSselain.dat")), qPrintable(names.join(u',')));
        QVERIFY2(names.contains(QStringLiteral("myyjasuodatin.txt")), qPrintable(names.join(u',')));
    }
};

QTEST_MAIN(TestPageSafety)
#include "tst_pagesafety.moc"
