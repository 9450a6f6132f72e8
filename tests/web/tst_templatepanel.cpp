// The template panel and the editor menu's template entries in the assembled
// main window on the fake new-listing form.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "browser/policy/contextmenus.h"
#include "browser/engine/document.h"
#include "browser/tabs/tabmanager.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/engine/vasaropage.h"
#include "core/endpoints.h"
#include "core/waitfor.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "seller/pageaccess.h"
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <QtTest>
#include "testfiles.h"

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
}

class TestTemplatePanel final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void panelOnTheListingForm();

private:
    bool open(TForm1 &w, const QString &path, const QString &title);
    FakeMarketplace m_market;
};

void TestTemplatePanel::initTestCase()
{
    Q_UNUSED(kSchemes);
    QVERIFY(m_market.start());
}

bool TestTemplatePanel::open(TForm1 &w, const QString &path, const QString &title)
{
    TVasaroselain *view = w.tabs().activeBrowser();
    if (!view)
        return false;
    w.aktiivisivu_navigate(QStringLiteral("http://www.vasaro.test") + path);
    return waitFor([&] {
        return view->title() == title
            && view->vasaroPage()->document().evaluate(QStringLiteral("document.readyState")).toString()
                   == QLatin1String("complete");
    }, 15000);
}

void TestTemplatePanel::panelOnTheListingForm()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("Kamera.ilm"), "Title:Zenit E\r\nQuantity:3\r\nSellstyle:2\r\n"));
    QVERIFY(writeFile(dir.filePath("Lasit.ILM"), "Title:Iittala\r\n"));
    ScriptedPrompts prompts;
    TForm1 w(Endpoints::fromEnvironment(), &prompts);
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
    // After the start-up has read the settings.
    w.settings().ipohjat = dir.path() + u'/';
    QVERIFY(open(w, QStringLiteral("/uusi-ilmoitus"), QStringLiteral("Ilmoita uusi kohde")));
    auto *panel = w.findChild<QWidget *>(QStringLiteral("ppohjat"));
    QVERIFY(panel);
    QTRY_VERIFY(panel->isVisible());
    auto *list = panel->findChild<QListWidget *>(QStringLiteral("ListBox3"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Kamera"));
    QCOMPARE(list->item(1)->text(), QStringLiteral("Lasit"));

    // A click on a name fills the form.
    const QPoint at = list->viewport()->mapTo(&w, list->visualItemRect(list->item(0)).center());
    QWidget *target = w.childAt(at);
    QCOMPARE(target, list->viewport());
    QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&w, at));
    PageAccess page(w.tabs().activeBrowser()->document(), nullptr);
    QTRY_COMPARE(page.get_field_value(QStringLiteral("title")), QStringLiteral("Zenit E"));
    QCOMPARE(page.get_field_value(QStringLiteral("quantity")), QStringLiteral("3"));
    QVERIFY(page.is_checked(QStringLiteral("sellstyle3")));

    // Delete in the list asks, then deletes the file and refreshes the list.
    list->setFocus();
    QTRY_COMPARE(QApplication::focusWidget(), list);
    prompts.answers << Prompts::Answer::Yes;
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
    QCOMPARE(prompts.asked.last(), QStringLiteral("confirm: Poista ilmoituspohja?\r\rKamera.ilm"));
    QVERIFY(!QFile::exists(dir.filePath("Kamera.ilm")));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Lasit"));

    // The editor menu's save entry writes the form into a template.
    ContextMenus *menus = w.tabs().contextMenus();
    QCOMPARE(menus->pageItem(2)->text(), QStringLiteral("Tallenna ilmoituspohja"));
    prompts.files << dir.filePath("Uusi");
    menus->pageItem(2)->trigger();
    QVERIFY(QFile::exists(dir.filePath("Uusi.ilm")));
    QFile saved(dir.filePath("Uusi.ilm"));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().contains("\r\nTitle:Zenit E\r\n"));
    QCOMPARE(list->count(), 2);

    // Leaving the form hides the panel.
    QVERIFY(open(w, QStringLiteral("/testit/lomake"), QStringLiteral("Lomake")));
    QTRY_VERIFY(!panel->isVisible());
}

QTEST_MAIN(TestTemplatePanel)
#include "tst_templatepanel.moc"
