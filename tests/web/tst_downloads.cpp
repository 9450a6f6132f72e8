// Downloads and the engine's own texts in the real browser on the fake
// marketplace: an attachment link, the engine menu's save-link and save-page
// items, the save dialog's suggestion and remembered folder, failures and
// "Peruuta", the hidden browsers, the Finnish engine menus and the
// leave-page question.
#include "browser/policy/downloadmanager.h"
#include "browser/engine/enginetexts.h"
#include "browser/tools/favoritesmenu.h"
#include "browser/tools/pagetools.h"
#include "browser/tools/progresspanel.h"
#include "fakemarketplace.h"
#include "tabsfixture.h"
#include <QApplication>
#include <QDirIterator>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace TabsTest;

namespace {
const QByteArray kAttachment("tuote;hinta\nvasara;12,50\nnaula;0,05\n");

// English words the engine's menus would show untranslated.
const QStringList kEnglish = {"back", "forward", "reload", "stop", "save", "page", "view", "source",
                              "copy", "cut", "paste", "match", "style", "undo", "redo", "select", "all",
                              "open", "link", "new", "tab", "window", "address", "url", "download",
                              "image", "media", "inspect", "element", "exit", "full", "screen", "as"};

QStringList filesIn(const QString &folder)
{
    QStringList out;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        out << QFileInfo(it.next()).fileName();
    out.sort();
    return out;
}
}

class TstDownloads : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void saved_data();
    void saved();
    void failed_data();
    void failed();
    void existingFile_data();
    void existingFile();
    void cancelledDialogSavesNothing();
    void peruutaCancels();
    void hiddenBrowserDownloadsNothing();
    void engineMenusFinnish_data();
    void engineMenusFinnish();
    void leavePageQuestion_data();
    void leavePageQuestion();

private:
    TVasaroselain *open(const QString &path);
    QMenu *engineMenuAt(TVasaroselain *view, const QString &id);
    bool start(TVasaroselain *view, const QString &how, const QString &id);
    QString base() const { return m_endpoints.webBase(); }

    FakeMarketplace m_market;
    Endpoints m_endpoints;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    std::unique_ptr<BrowserProfile> m_profile;
    std::unique_ptr<TabsWindow> m_w;
    ProgressPanel *m_panel = nullptr;
    std::unique_ptr<PageTools> m_tools;
    QString m_firstFolder;   // where the first save dialog of a run opens
};

void TstDownloads::initTestCase()
{
    QVERIFY(kSchemesRegistered);
    QVERIFY(m_market.start());
    m_endpoints = Endpoints::fromEnvironment();
    m_settings.kotisivu = m_endpoints.webBase();
    m_profile = std::make_unique<BrowserProfile>(&m_settings, m_endpoints);
}

void TstDownloads::init()
{
    m_prompts = ScriptedPrompts();
    m_w = std::make_unique<TabsWindow>(m_profile.get(), &m_settings, m_endpoints, &m_prompts, m_market.dataDir());
    m_panel = new ProgressPanel(m_w->window);
    // The user's download folder, or the home folder when there is none.
    const QString downloads = QStandardPaths::writableLocation(QStandardPaths::DownloadLocation);
    m_firstFolder = QFileInfo(downloads).isDir() ? downloads : QDir::homePath();
    m_tools = std::make_unique<PageTools>(m_w->tabs, m_profile.get(), &m_w->shell, &m_prompts, m_panel, m_w->window,
                                          m_market.dataDir() + "/Suosikit");
    QVERIFY(loaded(m_w->tabs->browser(0), "www.vasaro.test/"));
}

void TstDownloads::cleanup()
{
    if (QWidget *popup = QApplication::activePopupWidget())
        popup->close();
    m_tools.reset();
    m_w.reset();
}

void TstDownloads::cleanupTestCase()
{
    m_profile.reset();
}

TVasaroselain *TstDownloads::open(const QString &path)
{
    m_w->tabs->aktiivisivu_navigate(base() + path);
    TVasaroselain *view = m_w->tabs->activeBrowser();
    return loaded(view, path) ? view : nullptr;
}

QMenu *TstDownloads::engineMenuAt(TVasaroselain *view, const QString &id)
{
    if (!rightClickUntil(view, id, [] { return QApplication::activePopupWidget() != nullptr; }))
        return nullptr;
    return qobject_cast<QMenu *>(QApplication::activePopupWidget());
}

// Starts a download as a user would: a left click on the link, or the
// engine menu's item (found by its text) clicked where it is shown.
bool TstDownloads::start(TVasaroselain *view, const QString &how, const QString &id)
{
    if (how == QLatin1String("click"))
        return clickElement(view, id);
    const QString text = EngineTexts::actionText(how == QLatin1String("save link") ? QWebEnginePage::DownloadLinkToDisk
                                                                                  : QWebEnginePage::SavePage);
    QMenu *menu = engineMenuAt(view, id);
    if (!menu)
        return false;
    for (QAction *a : menu->actions()) {
        if (a->text() == text && a->isVisible() && a->isEnabled()) {
            const QPoint at = menu->actionGeometry(a).center();
            QTest::mouseClick(menu->childAt(at) ? menu->childAt(at) : menu, Qt::LeftButton, {}, at);
            return true;
        }
    }
    menu->close();
    return false;
}

void TstDownloads::saved_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("suggested");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("attachment link") << "click" << "liite" << "save: Tallenna nimellä" << "hinnasto.csv"
                                     << kAttachment;
    QTest::newRow("save link target") << "save link" << "liite" << "save: Tallenna nimellä" << "hinnasto.csv"
                                      << kAttachment;
    QTest::newRow("save page") << "save page" << "tyhja" << "save: Tallenna sivu" << "Lataukset.mhtml"
                               << QByteArray("Content-Type: multipart/related");
}

void TstDownloads::saved()
{
    QFETCH(QString, how);
    QFETCH(QString, id);
    QFETCH(QString, caption);
    QFETCH(QString, suggested);
    QFETCH(QByteArray, content);
    TVasaroselain *view = open("testi/lataukset");
    QVERIFY(view);
    QTemporaryDir chosen;
    const QString path = chosen.filePath("oma-" + suggested);
    m_prompts.files.enqueue(path);
    QSignalSpy finished(m_tools->downloads(), &DownloadManager::finished);
    QVERIFY(start(view, how, id));
    VS_TRY_COMPARE(finished.count(), 1);
    QCOMPARE(finished.first().at(0).toString(), path);
    QVERIFY(finished.first().at(1).toBool());
    QCOMPARE(m_prompts.asked, QStringList{caption});
    // The dialog offered the server's (or the page's) name in the start folder.
    QCOMPARE(m_prompts.offered, QStringList{QDir(m_firstFolder).filePath(suggested)});
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY2(content.startsWith("Content-Type") ? bytes.contains(content) : bytes == content, bytes.left(200).constData());
    QCOMPARE(filesIn(chosen.path()), QStringList{"oma-" + suggested});   // no partial files left
    QVERIFY(!m_panel->isVisible());
    QVERIFY(view->locationUrl().endsWith("testi/lataukset"));

    // The next dialog opens where the user saved last.
    m_prompts.files.enqueue(QString());
    QVERIFY(start(view, how, id));
    VS_TRY_COMPARE(m_prompts.offered.size(), 2);
    QCOMPARE(m_prompts.offered.at(1), chosen.filePath(suggested));
}

void TstDownloads::failed_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("target");   // inside a fresh folder holding the file "tiedosto.txt"
    QTest::addColumn<QString>("message");
    QTest::newRow("folder is a file")
        << "liite" << "tiedosto.txt/hinnasto.csv"
        << "error: Tiedoston hinnasto.csv lataaminen ei onnistunut!\n"
           "Tiedostoa ei voitu kirjoittaa valittuun kansioon.";
    QTest::newRow("a folder in place of the file")
        << "liite" << "kansio"
        << "error: Tiedoston kansio lataaminen ei onnistunut!\n"
           "Tiedostoa ei voitu kirjoittaa valittuun kansioon.";
    QTest::newRow("answer cut short")
        << "katkaistu" << "katkaistu.bin"
        << "error: Tiedoston katkaistu.bin lataaminen ei onnistunut!\nYhteys katkesi kesken latauksen.";
}

void TstDownloads::failed()
{
    QFETCH(QString, id);
    QFETCH(QString, target);
    QFETCH(QString, message);
    TVasaroselain *view = open("testi/lataukset");
    QVERIFY(view);
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("kansio"));
    QFile blocker(folder.filePath("tiedosto.txt"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = folder.filePath(target);
    m_prompts.files.enqueue(path);
    QSignalSpy finished(m_tools->downloads(), &DownloadManager::finished);
    QVERIFY(clickElement(view, id));
    VS_TRY_COMPARE(finished.count(), 1);
    QVERIFY(!finished.first().at(1).toBool());
    VS_TRY_COMPARE(m_prompts.asked.size(), 2);
    QCOMPARE(m_prompts.asked.at(1), message);
    QVERIFY(!QFileInfo(path).isFile());
    QCOMPARE(filesIn(folder.path()), QStringList{"tiedosto.txt"});
    QVERIFY(m_w->shell.notices.filter("Tallennettu").isEmpty());
    QVERIFY(!m_panel->isVisible());
    waitMs(200);
    QCOMPARE(finished.count(), 1);
}

void TstDownloads::existingFile_data()
{
    QTest::addColumn<bool>("replace");
    QTest::newRow("kept") << false;
    QTest::newRow("replaced") << true;
}

void TstDownloads::existingFile()
{
    QFETCH(bool, replace);
    TVasaroselain *view = open("testi/lataukset");
    QVERIFY(view);
    QTemporaryDir folder;
    const QString path = folder.filePath("hinnasto.csv");
    QFile old(path);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("vanha");
    old.close();
    m_prompts.files.enqueue(path);
    m_prompts.answers.enqueue(replace ? Prompts::Answer::Yes : Prompts::Answer::No);
    QSignalSpy finished(m_tools->downloads(), &DownloadManager::finished);
    QVERIFY(clickElement(view, "liite"));
    VS_TRY_COMPARE(m_prompts.asked.size(), 2);
    QCOMPARE(m_prompts.asked.at(1), "confirm: Tiedosto on jo olemassa!\r\rKorvataanko " + path);
    if (replace)
        VS_TRY_COMPARE(finished.count(), 1);
    else
        waitMs(500);
    QCOMPARE(finished.count(), replace ? 1 : 0);
    QVERIFY(old.open(QIODevice::ReadOnly));
    QCOMPARE(old.readAll(), replace ? kAttachment : QByteArray("vanha"));
    QCOMPARE(filesIn(folder.path()), QStringList{"hinnasto.csv"});
}

void TstDownloads::cancelledDialogSavesNothing()
{
    TVasaroselain *view = open("testi/lataukset");
    QVERIFY(view);
    QSignalSpy finished(m_tools->downloads(), &DownloadManager::finished);
    QVERIFY(clickElement(view, "liite"));
    VS_TRY_COMPARE(m_prompts.asked, QStringList{"save: Tallenna nimellä"});
    waitMs(300);
    QCOMPARE(finished.count(), 0);
    QCOMPARE(m_prompts.asked.size(), 1);
    QCOMPARE(m_tools->downloads()->runningCount(), 0);
    QVERIFY(view->locationUrl().endsWith("testi/lataukset"));
}

void TstDownloads::peruutaCancels()
{
    TVasaroselain *view = open("testi/lataukset");
    QVERIFY(view);
    QTemporaryDir folder;
    const QString path = folder.filePath("iso.bin");
    m_prompts.files.enqueue(path);
    DownloadManager *downloads = m_tools->downloads();
    QSignalSpy finished(downloads, &DownloadManager::finished);
    QStringList shown;
    // "Peruuta" is pressed as soon as the progress first shows.
    connect(downloads, &DownloadManager::progressShown, this, [&](const QString &text) {
        shown << text;
        if (shown.size() > 1 || !m_panel->isVisible())
            return;
        QWidget *window = m_panel->window();
        const QPoint at = m_panel->cancelButton()->mapTo(window, m_panel->cancelButton()->rect().center());
        QWidget *under = window->childAt(at);
        QTest::mouseClick(under, Qt::LeftButton, {}, under->mapFrom(window, at));
    });
    QVERIFY(clickElement(view, "iso"));
    VS_TRY_COMPARE(finished.count(), 1);
    QVERIFY(!shown.isEmpty());
    QVERIFY2(shown.first().startsWith("Ladataan: iso.bin "), qPrintable(shown.first()));
    QVERIFY(!finished.first().at(1).toBool());
    QCOMPARE(m_prompts.asked, QStringList{"save: Tallenna nimellä"});   // no error for a cancel
    QVERIFY(!m_panel->isVisible());
    waitMs(300);
    QCOMPARE(filesIn(folder.path()), QStringList());
}

void TstDownloads::hiddenBrowserDownloadsNothing()
{
    VasaroPage hidden(m_profile.get(), &m_prompts, VasaroPage::Role::Auxiliary);
    QSignalSpy finished(m_tools->downloads(), &DownloadManager::finished);
    hidden.Navigate(QUrl(base() + "testi/liite/piilossa.csv"));
    QCOMPARE(requestsSeen(m_market, "www.vasaro.test", "/testi/liite/piilossa.csv", 1), 1);
    waitMs(500);
    QVERIFY(m_prompts.asked.isEmpty());
    QCOMPARE(finished.count(), 0);
}

void TstDownloads::engineMenusFinnish_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("expected");   // one item the menu must have
    QTest::newRow("page") << "tyhja" << EngineTexts::actionText(QWebEnginePage::Reload);
    QTest::newRow("link") << "sivu" << EngineTexts::actionText(QWebEnginePage::CopyLinkToClipboard);
    QTest::newRow("edit field") << "kentta" << EngineTexts::actionText(QWebEnginePage::PasteAndMatchStyle);
}

void TstDownloads::engineMenusFinnish()
{
    QFETCH(QString, id);
    QFETCH(QString, expected);
    TVasaroselain *view = open("testi/lataukset");
    QVERIFY(view);
    QMenu *menu = engineMenuAt(view, id);
    QVERIFY(menu);
    QStringList texts;
    for (QAction *a : menu->actions()) {
        if (a->isVisible() && !a->isSeparator())
            texts << a->text();
    }
    menu->close();
    QVERIFY2(texts.contains(expected), qPrintable(texts.join(" | ")));
    for (const QString &text : texts) {
        QVERIFY2(!text.trimmed().isEmpty(), qPrintable(texts.join(" | ")));
        const QStringList words = text.toLower().split(QRegularExpression("[^\\p{L}]+"), Qt::SkipEmptyParts);
        for (const QString &word : words)
            QVERIFY2(!kEnglish.contains(word), qPrintable(text));
    }
}

void TstDownloads::leavePageQuestion_data()
{
    QTest::addColumn<bool>("leave");
    QTest::newRow("stay") << false;
    QTest::newRow("leave") << true;
}

void TstDownloads::leavePageQuestion()
{
    QFETCH(bool, leave);
    TVasaroselain *view = open("testi/poistuminen");
    QVERIFY(view);
    // The page may ask only after the user has touched it: the click must
    // have reached the page (its field has the focus) before the navigation.
    QVERIFY(clickElement(view, "viesti"));
    VS_TRY_VERIFY(evaluate(view->page(), QStringLiteral("document.activeElement.id")).toString()
                  == QStringLiteral("viesti"));
    m_prompts.answers.enqueue(leave ? Prompts::Answer::Yes : Prompts::Answer::No);
    m_w->tabs->aktiivisivu_navigate(base() + "testi/otsikko?t=Seuraava");
    VS_TRY_COMPARE(m_prompts.asked.size(), 1);
    QCOMPARE(m_prompts.asked.first(),
             QStringLiteral("confirm: Haluatko poistua tältä sivulta? "
                            "Tekemäsi muutokset saattavat jäädä tallentamatta."));
    if (leave) {
        QVERIFY(loaded(view, "t=Seuraava"));
    } else {
        waitMs(500);
        QVERIFY(view->locationUrl().endsWith("testi/poistuminen"));
    }
}

QTEST_MAIN(TstDownloads)
#include "tst_downloads.moc"
