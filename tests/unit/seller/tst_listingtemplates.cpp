// Template operations without a page: the save dialog's name rules, the
// overwrite and folder questions, the template list and delete.
#include "seller/templates/listingtemplates.h"
#include "core/settings.h"
#include "scriptedprompts.h"
#include <QTemporaryDir>
#include <QtTest>
#include "testfiles.h"

namespace {
class NoPageHost final : public TemplateHost {
public:
    QStringList notices;
    Document *activeDocument() override { return nullptr; }
    EditCommands *activeEditCommands() override { return nullptr; }
    void naytapaneeli(const QString &text, int) override { notices << text; }
    void focusActivePage() override {}
};
}

class TstListingTemplates final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void saveNames_data();
    void saveNames();
    void existingFile_data();
    void existingFile();
    void otherFolder_data();
    void otherFolder();
    void listsTemplatesOfTheFolder();
    void deleteAsks_data();
    void deleteAsks();
    void unreadableTemplateIsReported();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    NoPageHost m_host;
};

void TstListingTemplates::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_settings = Settings();
    m_settings.ipohjat = m_dir->path() + u'/';
    m_prompts = ScriptedPrompts();
    m_host = NoPageHost();
}

void TstListingTemplates::saveNames_data()
{
    QTest::addColumn<QString>("chosen");     // relative to the folder; "" = cancel
    QTest::addColumn<QString>("written");    // "" = nothing written
    QTest::addColumn<QString>("said");
    QTest::newRow("cancel") << "" << "" << "";
    QTest::newRow("extension added") << "Kamera" << "Kamera.ilm" << "";
    QTest::newRow("extension in capitals kept") << "Kamera.ILM" << "Kamera.ILM" << "";
    QTest::newRow("empty name") << ".ilm" << "" << "information: Pohjalle on annettava nimi!";
}

void TstListingTemplates::saveNames()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(QString, said);
    ListingTemplates templates(m_settings, m_prompts, m_host, m_dir->path() + u'/');
    m_prompts.files << (chosen.isEmpty() ? QString() : m_dir->filePath(chosen));
    templates.savedraftClick();
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), written.isEmpty() ? QStringList() : QStringList{written});
    if (!said.isEmpty())
        QVERIFY2(m_prompts.asked.contains(said), qPrintable(m_prompts.asked.join('|')));
    QCOMPARE(m_host.notices.contains(QStringLiteral("Pohja tallennettu!")), !written.isEmpty());
    if (!written.isEmpty())
        QVERIFY(readFile(m_dir->filePath(written)).startsWith("Quantity:\r\nSellstyle:\r\nTitle:\r\n"));
}

void TstListingTemplates::existingFile_data()
{
    QTest::addColumn<Prompts::Answer>("answer");
    QTest::addColumn<bool>("overwritten");
    QTest::newRow("yes") << Prompts::Answer::Yes << true;
    QTest::newRow("no") << Prompts::Answer::No << false;
    QTest::newRow("cancel") << Prompts::Answer::Cancel << false;
}

void TstListingTemplates::existingFile()
{
    QFETCH(Prompts::Answer, answer);
    QFETCH(bool, overwritten);
    const QString path = m_dir->filePath("Kamera.ilm");
    QVERIFY(writeFile(path, "Title:vanha\r\n"));
    ListingTemplates templates(m_settings, m_prompts, m_host, m_dir->path() + u'/');
    m_prompts.files << path;
    m_prompts.answers << answer;
    templates.savedraftClick();
    QCOMPARE(m_prompts.asked.value(1),
             QStringLiteral("confirm: Tiedosto on jo olemassa!\r\rKorvataanko tiedostossa %1 olevat kentät").arg(path));
    QCOMPARE(m_prompts.asked.size(), 2);   // no further question either way
    QCOMPARE(readFile(path) == "Title:vanha\r\n", !overwritten);
    // On Yes the old file was read first.
    QCOMPARE(templates.loaded().title, overwritten ? QStringLiteral("vanha") : QString());
}

void TstListingTemplates::otherFolder_data()
{
    QTest::addColumn<QString>("sub");
    QTest::addColumn<Prompts::Answer>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("moved");
    QTest::newRow("same folder") << "" << Prompts::Answer::Yes << false << false;
    QTest::newRow("same folder, doubled slash") << "/" << Prompts::Answer::Yes << false << false;
    QTest::newRow("other folder, yes") << "muut" << Prompts::Answer::Yes << true << true;
    QTest::newRow("other folder, no") << "muut" << Prompts::Answer::No << true << false;
}

void TstListingTemplates::otherFolder()
{
    QFETCH(QString, sub);
    QFETCH(Prompts::Answer, answer);
    QFETCH(bool, asked);
    QFETCH(bool, moved);
    const QString folder = m_dir->path() + u'/' + sub;
    QDir().mkpath(folder);
    const QString before = m_settings.ipohjat;
    ListingTemplates templates(m_settings, m_prompts, m_host, m_dir->path() + u'/');
    m_prompts.files << folder + QStringLiteral("/Kello");
    m_prompts.answers << answer;
    templates.savedraftClick();
    const QString dir = QFileInfo(folder + QStringLiteral("/Kello.ilm")).absolutePath() + u'/';
    const QString question =
        QStringLiteral("confirm: Pohjaa ei tallennettu oletushakemistoon.\r\rVaihdetaanko oletushakemistoksi:\r\r") + dir;
    QCOMPARE(m_prompts.asked.contains(question), asked);
    QCOMPARE(m_settings.ipohjat, moved ? dir : before);
    QVERIFY(QFileInfo::exists(dir + QStringLiteral("Kello.ilm")));
}

void TstListingTemplates::listsTemplatesOfTheFolder()
{
    QVERIFY(writeFile(m_dir->filePath("Kamera.ILM"), "Title:k\r\n"));
    QVERIFY(writeFile(m_dir->filePath("b.ilm"), "Title:b\r\n"));
    QVERIFY(writeFile(m_dir->filePath(".piilo.ilm"), "Title:p\r\n"));
    QVERIFY(writeFile(m_dir->filePath("muu.txt"), "Title:m\r\n"));
    QDir().mkpath(m_dir->filePath("kansio.ilm"));
    ListingTemplates templates(m_settings, m_prompts, m_host, m_dir->path() + u'/');
    QSignalSpy changed(&templates, &ListingTemplates::listChanged);
    templates.vakiopohjat();
    QCOMPARE(changed.count(), 1);
    QCOMPARE(templates.names(), (QStringList{".piilo", "b", "Kamera"}));
    QCOMPARE(templates.selected(), 0);
    // The name shown has lost its extension; the file keeps its spelling.
    templates.select(2);
    QCOMPARE(templates.pathOf(2), m_dir->filePath("Kamera.ILM"));
    templates.ListBox3Click();
    QCOMPARE(templates.loaded().title, QStringLiteral("k"));
}

void TstListingTemplates::deleteAsks_data()
{
    QTest::addColumn<Prompts::Answer>("answer");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("selected");
    QTest::newRow("yes") << Prompts::Answer::Yes << QStringList{"a"} << 0;
    QTest::newRow("no") << Prompts::Answer::No << QStringList{"a", "Kamera"} << 1;
}

void TstListingTemplates::deleteAsks()
{
    QFETCH(Prompts::Answer, answer);
    QFETCH(QStringList, left);
    QFETCH(int, selected);
    QVERIFY(writeFile(m_dir->filePath("a.ilm"), "Title:a\r\n"));
    QVERIFY(writeFile(m_dir->filePath("Kamera.ILM"), "Title:k\r\n"));
    ListingTemplates templates(m_settings, m_prompts, m_host, m_dir->path() + u'/');
    templates.vakiopohjat();
    templates.select(1);
    m_prompts.answers << answer;
    templates.poistapohjaClick();
    QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("confirm: Poista ilmoituspohja?\r\rKamera.ilm")});
    QCOMPARE(templates.names(), left);
    QCOMPARE(templates.selected(), selected);
}

void TstListingTemplates::unreadableTemplateIsReported()
{
    QVERIFY(writeFile(m_dir->filePath("roska.ilm"), QByteArray("\0\1\2\3", 4)));
    ListingTemplates templates(m_settings, m_prompts, m_host, m_dir->path() + u'/');
    templates.lataailmoituspohja(m_dir->filePath("roska.ilm"));
    QCOMPARE(m_prompts.asked.size(), 1);
    QVERIFY(m_prompts.asked.first().startsWith(QStringLiteral("error: ")));
}

QTEST_GUILESS_MAIN(TstListingTemplates)
#include "tst_listingtemplates.moc"
