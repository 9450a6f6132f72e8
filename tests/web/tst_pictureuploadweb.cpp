// Picture upload in the assembled main window against the fake picture
// hosts: a right click over the new-listing form's editor, the host's entry
// in the editor menu, pictures from the (scripted) dialog; the snippets land
// in the editor and the host received the prepared JPEGs with the host's
// form fields. A failing host inserts nothing and says "Virhe!", and one
// that never answers does so once the upload's wait is over, the window
// responsive all the while.
#include "app/tform1.h"
#include "app/tform3.h"
#include "browser/engine/browserprofile.h"
#include "browser/engine/document.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/policy/contextmenus.h"
#include "browser/tabs/addressbox.h"
#include "browser/tabs/tabmanager.h"
#include "client/http.h"
#include "core/waitfor.h"
#include "editorcaret.h"
#include "fakemarketplace.h"
#include "scriptedprompts.h"
#include "webinput.h"
#include <QAction>
#include <QApplication>
#include <QImage>
#include <QImageReader>
#include <QBuffer>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>

namespace {
using WebTest::clickAt;
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QString kWeb = QStringLiteral("http://www.vasaro.test");

struct Part {
    QString name;
    bool isFile = false;
    QByteArray data;
};

// The parts of a recorded multipart upload.
QList<Part> partsOf(const QJsonObject &request)
{
    const QString type = request.value(QStringLiteral("headers")).toObject().value(QStringLiteral("Content-Type")).toString();
    const QByteArray boundary = "--" + type.section(QStringLiteral("boundary="), 1).toLatin1();
    const QByteArray body = FakeMarketplace::body(request);
    QList<Part> parts;
    int at = body.indexOf(boundary);
    while (at >= 0) {
        const int next = body.indexOf(boundary, at + boundary.size());
        if (next < 0)
            break;
        const int length = next - at - boundary.size() - 4;   // between the line ends
        const QByteArray chunk = length > 0 ? body.mid(at + boundary.size() + 2, length) : QByteArray();
        const int split = chunk.indexOf("\r\n\r\n");
        const QByteArray head = chunk.left(split);
        at = next;
        if (split < 0 || !head.contains("Content-Disposition"))
            continue;   // the empty part the upload body puts after each file
        Part p;
        p.name = QString::fromLatin1(head.mid(head.indexOf("name=\"") + 6).split('"').value(0));
        p.isFile = head.contains("filename=\"");
        p.data = chunk.mid(split + 4);
        parts << p;
    }
    return parts;
}
} // namespace

class TestPictureUploadWeb final : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void uploadsInsertSnippets_data();
    void uploadsInsertSnippets();
    void failingHostInsertsNothing_data();
    void failingHostInsertsNothing();
    void silentHostGivesUp_data();
    void silentHostGivesUp();
    void credentialsEntryOpensSettingsPage();

private:
    TVasaroselain *active() const { return m_w->tabs().activeBrowser(); }
    QString picture(const QString &name, QSize size);
    bool openForm();
    QString editorData();
    QLabel *panel() const { return m_w->findChild<QLabel *>(QStringLiteral("paneeli")); }
    // Right click over the editor, then the host's sub-menu entry.
    void chooseFromEditorMenu(const QString &subMenu, int entry);

    FakeMarketplace m_market;
    ScriptedPrompts m_prompts;
    std::unique_ptr<TForm1> m_w;
    QTemporaryDir m_pictures;
};

void TestPictureUploadWeb::initTestCase()
{
    Q_UNUSED(kSchemes);
    m_market.setEndpoint(QStringLiteral("imgur_root"), QStringLiteral("http://imgur.test/"));
    m_market.setEndpoint(QStringLiteral("imgur_image_root"), QStringLiteral("http://i.imgur.test/"));
    m_market.setEndpoint(QStringLiteral("aijaa_root"), QStringLiteral("http://www.aijaa.test/"));
    m_market.setEndpoint(QStringLiteral("vasarokuva_root"), QStringLiteral("http://www.vasarokuva.test/"));
    QVERIFY(m_market.start());
}

void TestPictureUploadWeb::init()
{
    m_market.clear();
    m_prompts = ScriptedPrompts();
    m_w = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
    m_w->settings().omapalvelin = QStringLiteral("http://koti.myyja.test/kuvat/lataa.php");
    m_w->settings().hktunnus = QStringLiteral("Myyjä");
    m_w->settings().tekstilogo = QStringLiteral("Myyjä Oy");
    m_w->show();
    QApplication::setActiveWindow(m_w.get());
    QVERIFY(QTest::qWaitForWindowActive(m_w.get()));
    QVERIFY(waitFor([&] { return active() && active()->focusProxy(); }, 15000));
}

void TestPictureUploadWeb::cleanup()
{
    if (m_w)
        m_w->close();
    m_w.reset();
}

QString TestPictureUploadWeb::picture(const QString &name, QSize size)
{
    QImage img(size, QImage::Format_RGB888);
    img.fill(QColor(40, 140, 90));
    const QString path = m_pictures.filePath(name);
    img.save(path);
    return path;
}

bool TestPictureUploadWeb::openForm()
{
    TVasaroselain *view = active();
    m_w->aktiivisivu_navigate(kWeb + QStringLiteral("/uusi-ilmoitus"));
    return EditorCaret::setTextWithCaretAfterFirst(view, QStringLiteral("<p>Alku</p>"));
}

QString TestPictureUploadWeb::editorData()
{
    active()->document().execScript(QStringLiteral(
        "document.body.dataset.kuvaus = CKEDITOR.instances.description.getData();"));
    return active()->document().evaluate(QStringLiteral("document.body.dataset.kuvaus")).toString();
}

void TestPictureUploadWeb::chooseFromEditorMenu(const QString &subMenu, int entry)
{
    TVasaroselain *view = active();
    // The form may still move while the editor sets itself up: the click
    // goes where the editor's centre reads the same twice running.
    QVariantList r;
    QVariantList last;
    QVERIFY(waitFor([&] {
        r = view->document().evaluate(QStringLiteral(
            "(function(){var e=document.querySelector('iframe.cke_wysiwyg_frame');var r=e.getBoundingClientRect();"
            "return [r.left+r.width/2,r.top+r.height/2];})()")).toList();
        const bool same = r.size() == 2 && r == last;
        last = r;
        return same;
    }, 5000));
    const QPoint editor(int(r.at(0).toDouble() * view->zoomFactor()), int(r.at(1).toDouble() * view->zoomFactor()));
    QMenu *menu = m_w->tabs().contextMenus()->PopupMenu1();
    QVERIFY(clickAt(view, editor, Qt::RightButton));
    QTRY_VERIFY(menu->isVisible());
    auto *sub = menu->findChild<QMenu *>(subMenu);
    QVERIFY(sub);
    QVERIFY(clickAt(menu, menu->actionGeometry(sub->menuAction()).center()));
    QTRY_VERIFY(sub->isVisible());
    QAction *action = sub->actions().value(entry);
    QVERIFY(action);
    QVERIFY(clickAt(sub, sub->actionGeometry(action).center()));
}

void TestPictureUploadWeb::uploadsInsertSnippets_data()
{
    QTest::addColumn<QString>("subMenu");
    QTest::addColumn<int>("entry");
    QTest::addColumn<int>("pictures");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QStringList>("textFields");
    QTest::addColumn<QString>("fileField");
    QTest::addColumn<QString>("inserted");     // in every snippet
    QTest::addColumn<int>("snippets");
    QTest::addColumn<QSize>("size");           // of each received picture
    QTest::newRow("Imgur small") << "Imgur1" << 0 << 1 << "imgur.test" << "/upload"
        << QStringList{"album_title", "layout"} << "file" << "i.imgur.test/Kuva" << 1 << QSize(800, 600);
    QTest::newRow("Aijaa") << "Aijaa1" << 0 << 3 << "www.aijaa.test" << "/upld/"
        << QStringList{"from", "title", "fselectos", "autmPoisto"} << "img[]" << "www.aijaa.test/t/" << 3 << QSize(1024, 768);
    QTest::newRow("Vasarokuva small") << "Vasarokuva1" << 2 << 3 << "www.vasarokuva.test" << "/multikuva.php"
        << QStringList{"user", "pass"} << "tiedosto" << "www.vasarokuva.test/t/" << 3 << QSize(800, 600);
    QTest::newRow("own server 150") << "Omakotisivu1" << 0 << 3 << "koti.myyja.test" << "/kuvat/lataa.php"
        << QStringList{"w"} << "fileupload" << "p.jpg" << 3 << QSize(1024, 768);
}

void TestPictureUploadWeb::uploadsInsertSnippets()
{
    QFETCH(QString, subMenu);
    QFETCH(int, entry);
    QFETCH(int, pictures);
    QFETCH(QString, host);
    QFETCH(QString, path);
    QFETCH(QStringList, textFields);
    QFETCH(QString, fileField);
    QFETCH(QString, inserted);
    QFETCH(int, snippets);
    QFETCH(QSize, size);
    QStringList files;
    for (int i = 0; i < pictures; ++i)
        files << picture(QStringLiteral("kuva%1.jpg").arg(i), QSize(2000, 1500));
    if (pictures == 1)
        m_prompts.files << files.first();
    else
        m_prompts.fileLists << files;
    QVERIFY(openForm());
    chooseFromEditorMenu(subMenu, entry);
    QString data;
    QVERIFY2(waitFor([&] { data = editorData(); return data.count(inserted) >= snippets; }, 30000), qPrintable(data));
    QCOMPARE(data.count(inserted), snippets);
    QVERIFY2(data.indexOf(QLatin1String("Alku")) < data.indexOf(inserted), qPrintable(data));
    QTRY_COMPARE(m_w->findChild<QLabel *>(QStringLiteral("paneeli"))->text(), QStringLiteral("Lisätty!"));

    const QList<QJsonObject> uploads = m_market.requests(host, path);
    QCOMPARE(uploads.size(), 1);
    QStringList texts;
    int received = 0;
    for (const Part &p : partsOf(uploads.first())) {
        if (!p.isFile) {
            texts << p.name;
            continue;
        }
        QVERIFY2(p.name.startsWith(fileField), qPrintable(p.name));
        QBuffer buffer;
        buffer.setData(p.data);
        QCOMPARE(QImageReader(&buffer, "jpeg").size(), size);
        ++received;
    }
    QCOMPARE(texts, textFields);
    QCOMPARE(received, pictures);
}

void TestPictureUploadWeb::failingHostInsertsNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("subMenu");
    QTest::addColumn<int>("entry");
    QTest::newRow("Aijaa error page") << "aijaa:virhe" << "Aijaa1" << 0;
    QTest::newRow("own server closes") << "koti:sulje" << "Omakotisivu1" << 1;
}

void TestPictureUploadWeb::failingHostInsertsNothing()
{
    QFETCH(QString, fault);
    QFETCH(QString, subMenu);
    QFETCH(int, entry);
    m_market.setState(QStringLiteral("kuvavika"), fault);
    m_prompts.fileLists << QStringList{picture(QStringLiteral("v.jpg"), QSize(300, 200))};
    QVERIFY(openForm());
    chooseFromEditorMenu(subMenu, entry);
    QTRY_COMPARE_WITH_TIMEOUT(m_w->findChild<QLabel *>(QStringLiteral("paneeli"))->text(), QStringLiteral("Virhe!"), 30000);
    QCOMPARE(editorData().trimmed(), QStringLiteral("<p>Alku</p>"));
}

void TestPictureUploadWeb::silentHostGivesUp_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("subMenu");
    QTest::addColumn<int>("entry");
    QTest::addColumn<QString>("host");
    QTest::addColumn<QString>("inserted");
    QTest::newRow("Imgur") << "imgur:hiljaa" << "Imgur1" << 1 << "imgur.test" << "i.imgur.test/Kuva";
    QTest::newRow("Aijaa") << "aijaa:hiljaa" << "Aijaa1" << 0 << "www.aijaa.test" << "www.aijaa.test/t/";
    QTest::newRow("Vasarokuva") << "vasarokuva:hiljaa" << "Vasarokuva1" << 3 << "www.vasarokuva.test"
                                << "www.vasarokuva.test/";
    QTest::newRow("own server") << "koti:hiljaa" << "Omakotisivu1" << 0 << "koti.myyja.test" << "p.jpg";
}

// A host that takes the upload and never answers: once the upload's wait is
// over (a minute in the program, shortened here) the command says "Virhe!"
// and inserts nothing. While it waits the window's clock keeps ticking and
// the address box takes typing; afterwards the same command goes through.
void TestPictureUploadWeb::silentHostGivesUp()
{
    QFETCH(QString, fault);
    QFETCH(QString, subMenu);
    QFETCH(int, entry);
    QFETCH(QString, host);
    QFETCH(QString, inserted);
    constexpr int kWaitMs = 3000;
    m_w->http().setUploadTimeoutMs(kWaitMs);
    m_market.setState(QStringLiteral("kuvavika"), fault);
    const auto choosePicture = [&] {
        const QString file = picture(QStringLiteral("h.jpg"), QSize(300, 200));
        if (subMenu == QLatin1String("Imgur1"))
            m_prompts.files << file;
        else
            m_prompts.fileLists << QStringList{file};
    };
    choosePicture();
    QVERIFY(openForm());

    // The command holds the menu click until it ends: what the window does
    // meanwhile is watched from a timer.
    auto *box = m_w->findChild<AddressBox *>(QStringLiteral("Ieaddress1"));
    QVERIFY(box);
    QElapsedTimer waiting;
    qint64 waitedMs = -1;
    QStringList captions;
    const QString address = box->lineEdit()->text();
    QString typed;
    QTimer watch;
    connect(&watch, &QTimer::timeout, this, [&] {
        if (panel()->text() == QLatin1String("Virhe!") && waiting.isValid() && waitedMs < 0)
            waitedMs = waiting.elapsed();
        if (panel()->text() != QLatin1String("Odota..") || !panel()->isVisible())
            return;
        if (!waiting.isValid()) {
            waiting.start();
            const QPoint inBox = box->lineEdit()->mapTo(m_w.get(), QPoint(10, box->lineEdit()->height() / 2));
            // Typed at the end and taken back: the editor menu goes by the address.
            if (clickAt(m_w.get(), inBox) && waitFor([box] { return box->lineEdit()->hasFocus(); }, 2000)) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_End);
                QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("odotan"));
                typed = box->lineEdit()->text();
                for (int i = 0; i < 6; ++i)
                    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backspace);
            }
        }
        if (!captions.contains(m_w->windowTitle()))
            captions << m_w->windowTitle();
    });
    watch.start(100);
    chooseFromEditorMenu(subMenu, entry);
    QTRY_COMPARE_WITH_TIMEOUT(panel()->text(), QStringLiteral("Virhe!"), 30000);
    QTRY_VERIFY(waitedMs >= 0);
    watch.stop();
    QVERIFY2(waitedMs >= kWaitMs - 300 && waitedMs < kWaitMs + 15000, qPrintable(QString::number(waitedMs)));
    QCOMPARE(typed, address + QStringLiteral("odotan"));
    QCOMPARE(box->lineEdit()->text(), address);
    QVERIFY2(captions.size() >= 2, qPrintable(captions.join(QLatin1Char('|'))));
    QCOMPARE(editorData().trimmed(), QStringLiteral("<p>Alku</p>"));
    QCOMPARE(m_market.requests(host).size(), 1);   // the upload did go out

    m_market.setState(QStringLiteral("kuvavika"), QString());
    QTRY_VERIFY_WITH_TIMEOUT(!panel()->isVisible(), 10000);   // the notice covers the editor
    choosePicture();
    chooseFromEditorMenu(subMenu, entry);
    QString data;
    QVERIFY2(waitFor([&] { data = editorData(); return data.contains(inserted); }, 30000), qPrintable(data));
    QTRY_COMPARE(panel()->text(), QStringLiteral("Lisätty!"));
}

// "Tunnus ja salasana" opens the settings on the page with the Vasarokuva
// user name and password.
void TestPictureUploadWeb::credentialsEntryOpensSettingsPage()
{
    QVERIFY(openForm());
    chooseFromEditorMenu(QStringLiteral("Vasarokuva1"), 0);
    QTRY_VERIFY(m_w->settingsDialog()->isVisible());
    auto *pages = m_w->settingsDialog()->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    QVERIFY(pages);
    QCOMPARE(pages->tabText(pages->currentIndex()), QStringLiteral("Lisäkuvien asetukset"));
    QVERIFY(m_market.requests(QStringLiteral("www.vasarokuva.test")).isEmpty());
}

QTEST_MAIN(TestPictureUploadWeb)
#include "tst_pictureuploadweb.moc"
