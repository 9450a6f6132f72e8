// Listing templates on the fake marketplace's new-listing form with the real
// rich-text editor: save a filled form, clear it, load it back; snippets into
// the editor at its caret and into the description addition field.
#include "browsertestkit.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "webinput.h"
#include "core/endpoints.h"
#include "core/settings.h"
#include "core/waitfor.h"
#include "seller/templates/listingtemplates.h"
#include "seller/pageaccess.h"
#include "seller/webeditcommands.h"
#include <QClipboard>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QWebEngineScript>
#include <QtTest>
#include <memory>

namespace {
class TabHost final : public TemplateHost {
public:
    explicit TabHost(TestTab *tab) : m_tab(tab), m_edit(tab->page) {}
    QStringList notices;
    Document *activeDocument() override { return &m_tab->document(); }
    EditCommands *activeEditCommands() override { return &m_edit; }
    void naytapaneeli(const QString &text, int) override { notices << text; }
    void focusActivePage() override { m_tab->focusBrowser(); }

private:
    TestTab *m_tab;
    WebEditCommands m_edit;
};
}

class TestListingTemplatesWeb final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void saveClearLoad();
    void pageOperations_data();
    void pageOperations();
    void snippetIntoEditor_data();
    void snippetIntoEditor();
    void snippetIntoAdditionField();

private:
    QVariant mainWorld(const QString &expression);
    bool loadForm();
    void fillAsUser();

    FakeMarketplace m_market;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<TestTab> m_tab;
    std::unique_ptr<TabHost> m_host;
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestListingTemplatesWeb::initTestCase()
{
    QVERIFY(m_market.start());
    m_profile = std::make_unique<BrowserProfile>(&m_settings, Endpoints::fromEnvironment());
    m_tab = std::make_unique<TestTab>(m_profile.get(), &m_prompts);
    m_host = std::make_unique<TabHost>(m_tab.get());
}

void TestListingTemplatesWeb::cleanupTestCase()
{
    m_host.reset();
    m_tab.reset();
    m_profile.reset();
}

void TestListingTemplatesWeb::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings.ipohjat = m_dir->path() + u'/';
    m_settings.skripti = true;
    m_prompts = ScriptedPrompts();
}

QVariant TestListingTemplatesWeb::mainWorld(const QString &expression)
{
    return WebTest::evaluate(m_tab->page, expression, QWebEngineScript::MainWorld);
}

bool TestListingTemplatesWeb::loadForm()
{
    if (!m_tab->load(QStringLiteral("http://www.vasaro.test/uusi-ilmoitus")))
        return false;
    return waitFor([this] {
        return mainWorld(QStringLiteral("window.CKEDITOR && CKEDITOR.instances.description"
                                        " && CKEDITOR.instances.description.status === 'ready'")).toBool();
    }, 15000);
}

// What a seller types and ticks on the form.
void TestListingTemplatesWeb::fillAsUser()
{
    mainWorld(QStringLiteral(R"(
        function v(id, x) { document.getElementById(id).value = x; }
        function c(id) { document.getElementById(id).checked = true; }
        c('sellstyle3');
        v('quantity', '2'); v('title', 'Kamera "Zenit" äöå'); v('mainCategoryId', '10');
        v('sectionCategoryId', '1020'); v('subCategoryId', '102030'); v('zipcode', '00100');
        c('foreign'); c('classification4'); document.getElementById('feedback_toggle').click();
        v('minimum_feedback', '5'); v('startprice', '12.50'); v('price', '40'); v('increase', '0.50');
        c('allow_offers'); v('vat', '14'); c('marginal_tax'); v('delivery_price', '6,90');
        v('delivery_terms', 'Posti\r\nMatkahuolto'); v('payment_terms', 'Tilisiirto');
        c('payment_methods1'); c('payment_methods3'); c('delivery_methods2'); c('republish');
        CKEDITOR.instances.description.setData('<p>Hyvä "kamera"</p>\n<p>Toinen</p>');
        true)"));
    QVERIFY(waitFor([this] {
        return mainWorld(QStringLiteral("CKEDITOR.instances.description.getData()")).toString().contains(
            QStringLiteral("Toinen"));
    }, 5000));
}

void TestListingTemplatesWeb::saveClearLoad()
{
    QVERIFY(loadForm());
    fillAsUser();
    ListingTemplates templates(m_settings, m_prompts, *m_host, m_dir->path() + u'/');
    const QString path = m_dir->filePath(QStringLiteral("Kamera.ilm"));
    m_prompts.files << m_dir->filePath(QStringLiteral("Kamera"));
    templates.savedraftClick();
    QCOMPARE(m_host->notices, QStringList{QStringLiteral("Pohja tallennettu!")});

    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray expected =
        "Quantity:2\r\nSellstyle:3\r\nTitle:Kamera \"Zenit\" \xE4\xF6\xE5\r\nMaincategory:10\r\n"
        "Subcategory:1020\r\nCategory:102030\r\n"
        "Description:<p>Hyv&auml; &quot;kamera&quot;</p><RV><RV><p>Toinen</p><RV>\r\n"
        "Zipcode:00100\r\nUlkomaat:1\r\nMinfbvalue:5\r\nStartprice:12.50\r\nPrice:40\r\nIncrease:0.50\r\n"
        "Deliveryprice:6,90\r\ndeliveryTerms:Posti<RV>Matkahuolto\r\npaymentTerms:Tilisiirto\r\n"
        "Classification:4\r\nBuystyle1:1\r\nBuystyle2:0\r\nBuystyle6:1\r\nDeliverystyle1:0\r\n"
        "Deliverystyle2:1\r\nUseauth:0\r\nRepublish:1\r\nHintaehdotus:1\r\nMarginaltax:1\r\nAlv:14\r\n";
    // The editor writes entities, and line breaks after its paragraphs.
    QCOMPARE(f.readAll(), expected);
    QCOMPARE(templates.names(), QStringList{QStringLiteral("Kamera")});

    templates.XiButton5Click();
    PageAccess page(m_tab->document(), nullptr);
    QCOMPARE(page.get_field_value(QStringLiteral("title")), QString());
    QCOMPARE(page.get_field_value(QStringLiteral("quantity")), QStringLiteral("1"));
    QCOMPARE(page.get_field_value(QStringLiteral("vat")), QStringLiteral("24"));
    QVERIFY(!page.is_checked(QStringLiteral("payment_methods1")));
    QVERIFY(page.is_checked(QStringLiteral("payment_methods3")));   // left as it was
    QVERIFY(!page.is_checked(QStringLiteral("feedback_required")));
    QVERIFY(!page.is_checked(QStringLiteral("classification4")));
    QVERIFY(waitFor([this] {
        return mainWorld(QStringLiteral("CKEDITOR.instances.description.getData()")).toString().isEmpty();
    }, 5000));

    const int dialogsBefore = mainWorld(QStringLiteral("window.avauksia")).toInt();
    templates.select(0);
    templates.ListBox3Click();
    QCOMPARE(page.get_checked_radio_value(QStringLiteral("sellstyle")), QStringLiteral("3"));
    const QList<std::pair<const char *, QString>> fields{
        {"quantity", "2"}, {"title", QStringLiteral("Kamera \"Zenit\" äöå")}, {"zipcode", "00100"},
        {"minimum_feedback", "5"}, {"startprice", "12.50"}, {"price", "40"}, {"increase", "0.50"},
        {"delivery_price", "6.90"}, {"delivery_terms", "Posti\nMatkahuolto"}, {"payment_terms", "Tilisiirto"},
        {"vat", "14"},
        // Categories are never written back into the form.
        {"sectionCategoryId", ""},
    };
    for (const auto &[name, value] : fields)
        QCOMPARE(page.get_field_value(QLatin1String(name)), value);
    for (const char *id : {"foreign", "feedback_required", "classification4", "allow_offers", "marginal_tax",
                           "payment_methods1", "payment_methods3", "delivery_methods2", "republish"})
        QVERIFY2(page.is_checked(QLatin1String(id)), id);
    for (const char *id : {"payment_methods2", "delivery_methods1", "identification_required"})
        QVERIFY2(!page.is_checked(QLatin1String(id)), id);
    QCOMPARE(mainWorld(QStringLiteral("window.avauksia")).toInt(), dialogsBefore + 2);
    QVERIFY(waitFor([this] {
        return mainWorld(QStringLiteral("CKEDITOR.instances.description.getData()")).toString().trimmed()
            == QStringLiteral("<p>Hyv&auml; &quot;kamera&quot;</p>\n\n<p>Toinen</p>");
    }, 5000));
    QVERIFY(m_tab->focused > 0);
}

void TestListingTemplatesWeb::pageOperations_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing field reads empty") << "get" << "eiole" << "";
    QTest::newRow("missing field is not set") << "set" << "eiole" << "false";
    QTest::newRow("open days field is clicked") << "set" << "open_daysmuu" << "14";
    QTest::newRow("hidden control named id is not a field value") << "get" << "id" << "lomake";
    QTest::newRow("sibling rule: wrapper reads its box") << "checked" << "feedback_required" << "false";
    QTest::newRow("text field is no box") << "checked" << "title" << "false";
    QTest::newRow("missing element") << "exists" << "eiole" << "false";
    QTest::newRow("element shadowed by a control name still found") << "exists" << "listingform" << "true";
}

void TestListingTemplatesWeb::pageOperations()
{
    QFETCH(QString, op);
    QFETCH(QString, arg);
    QFETCH(QString, expected);
    QVERIFY(loadForm());
    PageAccess page(m_tab->document(), nullptr);
    QString got;
    if (op == u"get")
        got = page.get_field_value(arg);
    else if (op == u"set")
        got = page.set_field_value(arg, QStringLiteral("14")) ? page.get_field_value(QStringLiteral("open_daysmuu")) == u"14"
                  ? mainWorld(QStringLiteral("document.getElementById('avattu').textContent")).toString()
                  : QStringLiteral("true")
              : QStringLiteral("false");
    else if (op == u"checked")
        got = page.is_checked(arg) ? QStringLiteral("true") : QStringLiteral("false");
    else
        got = page.element_exists(arg) ? QStringLiteral("true") : QStringLiteral("false");
    QCOMPARE(got, expected);
}

void TestListingTemplatesWeb::snippetIntoEditor_data()
{
    QTest::addColumn<bool>("mark");
    QTest::addColumn<QString>("expected");
    QTest::newRow("at the caret with the editor menu's mark")
        << true << "<p>alku<a href=\"http://k.test/\">X</a> loppu</p>";
    QTest::newRow("at the end without it") << false << "<p>alku loppu</p>\n\n<p><a href=\"http://k.test/\">X</a></p>";
}

void TestListingTemplatesWeb::snippetIntoEditor()
{
    QFETCH(bool, mark);
    QFETCH(QString, expected);
    QVERIFY(loadForm());
    mainWorld(QStringLiteral(R"(
        var ed = CKEDITOR.instances.description;
        ed.setData('<p>alku loppu</p>', {callback: function () {
            ed.focus();
            var range = ed.createRange();
            range.setStart(ed.editable().findOne('p').getFirst(), 4);
            range.collapse(true);
            ed.getSelection().selectRanges([range]);
            window.valmis = true;
        }});
        true)"));
    QVERIFY(waitFor([this] { return mainWorld(QStringLiteral("window.valmis === true")).toBool(); }, 5000));
    ListingTemplates templates(m_settings, m_prompts, *m_host, m_dir->path() + u'/');
    templates.setEditorMenuMark(mark);
    QVERIFY(templates.insert_into_description(QStringLiteral("<a href=\"http://k.test/\">X</a>")));
    QVERIFY(!templates.editorMenuMark());
    QString data;
    waitFor([&] {
        data = mainWorld(QStringLiteral("CKEDITOR.instances.description.getData()")).toString().trimmed();
        return data == expected;
    }, 5000);
    QCOMPARE(data, expected);
}

void TestListingTemplatesWeb::snippetIntoAdditionField()
{
    QVERIFY(m_tab->load(QStringLiteral("http://www.vasaro.test/muokkaa-ilmoitusta/9123")));
    m_tab->view.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&m_tab->view));
    QGuiApplication::clipboard()->setText(QStringLiteral("käyttäjän oma leike"));
    ListingTemplates templates(m_settings, m_prompts, *m_host, m_dir->path() + u'/');
    QVERIFY(templates.insert_into_description(QStringLiteral("<img src=\"k.jpg\">")));
    PageAccess page(m_tab->document(), nullptr);
    QCOMPARE(page.get_field_value(QStringLiteral("descriptionAddition")), QStringLiteral("<img src='k.jpg'>"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("käyttäjän oma leike"));
    // A page without either field is left alone.
    QVERIFY(m_tab->load(QStringLiteral("http://www.vasaro.test/testit/lomake")));
    QVERIFY(!templates.insert_into_description(QStringLiteral("x")));
}

QTEST_MAIN(TestListingTemplatesWeb)
#include "tst_listingtemplatesweb.moc"
