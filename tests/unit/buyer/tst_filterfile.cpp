// The seller-filter file: load, save, clear and the question at shut-down,
// with the user's answers scripted; files that are not what they should be.
#include "cputime.h"
#include "scriptedprompts.h"
#include "buyer/sellerfilter/filterfile.h"
#include "buyer/sellerfilter/filterhost.h"
#include "buyer/sellerfilter/sellerfilter.h"
#include "core/programclock.h"
#include "core/settings.h"
#include <QtTest>

namespace {
class FakeHost final : public FilterHost {
public:
    QStringList panel;
    void naytapaneeli(const QString &text, int ticks) override { panel << text + u'/' + QString::number(ticks); }
    void statusNotice(const QString &, int) override {}
    void Edit5Changed() override {}
};

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}
}

class TestFilterFile final : public QObject {
    Q_OBJECT
private slots:
    void init();
    void roundTripIsByteForByte();
    void loadSkipsWhatCannotBeAnEntry_data();
    void loadSkipsWhatCannotBeAnEntry();
    void unreadableFilesLeaveTheFilterAsItWas_data();
    void unreadableFilesLeaveTheFilterAsItWas();
    void hugeFileIsRefusedQuickly();
    void saveAddsExtensionAndAsksBeforeReplacing_data();
    void saveAddsExtensionAndAsksBeforeReplacing();
    void failedSaveKeepsPathAndFlag();
    void expiredEntriesDropAtLoad();
    void clearAsksAndLeavesFileAlone();
    void shutDownQuestionOnlyWhenChanged();

private:
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void loadEntries(const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
    qint64 m_ticks = 0;
    Settings m_settings;
    ScriptedPrompts m_prompts;
    FakeHost m_host;
    std::unique_ptr<ProgramClock> m_clock;
    std::unique_ptr<SellerFilter> m_filter;
};

void TestFilterFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_ticks = 0;
    m_settings = Settings();
    m_prompts = ScriptedPrompts();
    m_host = FakeHost();
    // Day 46024.
    m_clock = std::make_unique<ProgramClock>([this] { return m_ticks; }, QDateTime(QDate(2026, 1, 2), QTime(8, 0)));
    m_filter = std::make_unique<SellerFilter>(m_settings, *m_clock, m_prompts, m_host);
}

void TestFilterFile::loadEntries(const QByteArray &bytes)
{
    writeBytes(path("ladattava.txt"), bytes);
    QVERIFY(m_filter->lataasuodatin(path("ladattava.txt")));
}

void TestFilterFile::roundTripIsByteForByte()
{
    // A file as the program writes it: Windows-1252 letters and the euro
    // sign, keys differing only in case.
    const QByteArray bytes("Aapinen-vanha1,00:46000\r\nkes\xe4kello12,50:46010\r\nkirja-hyv\xe4:46001\r\n"
                           "KIRJA-hyv\xe4:46020\r\nmuki\x80" "5,00:46024\r\n");
    writeBytes(path("suodatin1.txt"), bytes);
    QVERIFY(m_filter->lataasuodatin(path("suodatin1.txt")));
    QCOMPARE(m_host.panel, QStringList{"Suodatin ladattu! (5kpl)/3"});
    QCOMPARE(m_settings.suodatinPath, path("suodatin1.txt"));
    m_prompts.files.enqueue(path("kopio.txt"));
    m_filter->MenuItem37Click(m_dir->path() + u'/');
    QCOMPARE(bytesOf(path("kopio.txt")), bytes);
    QCOMPARE(m_settings.suodatinPath, path("kopio.txt"));
    QVERIFY(m_filter->unchanged());
    QCOMPARE(m_host.panel.last(), QStringLiteral("Suodatin tallennettu!/3"));
}

void TestFilterFile::loadSkipsWhatCannotBeAnEntry_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("CR-only line ends") << QByteArray("tuoli-a1,00:46000\rtuoli-b2,00:46000\r")
                                       << QStringList{"tuoli-a1,00:46000", "tuoli-b2,00:46000"};
    QTest::newRow("LF line ends, no final break") << QByteArray("tuoli-b2,00:46000\ntuoli-a1,00:46000")
                                                  << QStringList{"tuoli-a1,00:46000", "tuoli-b2,00:46000"};
    QTest::newRow("lines without stamps get today's")
        << QByteArray("tuoli-a1,00\r\n") << QStringList{"tuoli-a1,00:46024"};
    static const char binary[] = "tuoli-a1,00:46000\r\n\x00\x01\x02\xff\r\n\r\n\x1b[0mtuoli\r\n";
    QTest::newRow("binary bytes and empty lines skipped")
        << QByteArray(binary, sizeof(binary) - 1)
        << QStringList{"tuoli-a1,00:46000"};
    QTest::newRow("very long line skipped")
        << QByteArray(20000, 'x') + "\r\ntuoli-a1,00:46000\r\n" << QStringList{"tuoli-a1,00:46000"};
}

void TestFilterFile::loadSkipsWhatCannotBeAnEntry()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, entries);
    loadEntries(bytes);
    QCOMPARE(m_filter->list().entries(), entries);
    QVERIFY(m_prompts.asked.isEmpty());
}

void TestFilterFile::unreadableFilesLeaveTheFilterAsItWas_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("missing") << "puuttuu.txt";
    QTest::newRow("a folder") << "kansio";
}

void TestFilterFile::unreadableFilesLeaveTheFilterAsItWas()
{
    QFETCH(QString, name);
    QDir(m_dir->path()).mkdir(QStringLiteral("kansio"));
    loadEntries("tuoli-a1,00:46000\r\n");
    m_filter->markChanged();
    QVERIFY(!m_filter->lataasuodatin(path(name)));
    QCOMPARE(m_prompts.asked.size(), 1);
    QVERIFY(m_prompts.asked.first().startsWith(QLatin1String("error: ")));
    QCOMPARE(m_filter->list().entries(), QStringList{"tuoli-a1,00:46000"});
    QCOMPARE(m_settings.suodatinPath, path("ladattava.txt"));
    QVERIFY(!m_filter->unchanged());
}

void TestFilterFile::hugeFileIsRefusedQuickly()
{
    QFile f(path("iso.txt"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(300LL * 1024 * 1024));   // sparse: 300 MB without the disk space
    f.close();
    const qint64 started = threadCpuMs();
    QVERIFY(!m_filter->lataasuodatin(path("iso.txt")));
    QVERIFY(threadCpuMs() - started < 500);
    QCOMPARE(m_prompts.asked.size(), 1);
    QVERIFY(m_prompts.asked.first().contains(QLatin1String("liian suuri")));
    QVERIFY(m_filter->list().isEmpty());
}

void TestFilterFile::saveAddsExtensionAndAsksBeforeReplacing_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("exists");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("saved");
    QTest::newRow("no extension") << "oma" << "oma.txt" << false << int(Prompts::Answer::Yes) << true;
    QTest::newRow("other extension kept") << "oma.lst" << "oma.lst" << false << int(Prompts::Answer::Yes) << true;
    QTest::newRow("replace: yes") << "oma.txt" << "oma.txt" << true << int(Prompts::Answer::Yes) << true;
    QTest::newRow("replace: no") << "oma.txt" << "oma.txt" << true << int(Prompts::Answer::No) << false;
    QTest::newRow("replace: cancel") << "oma" << "oma.txt" << true << int(Prompts::Answer::Cancel) << false;
}

void TestFilterFile::saveAddsExtensionAndAsksBeforeReplacing()
{
    QFETCH(QString, chosen);
    QFETCH(QString, written);
    QFETCH(bool, exists);
    QFETCH(int, answer);
    QFETCH(bool, saved);
    loadEntries("tuoli-a1,00:46000\r\n");
    m_filter->markChanged();
    if (exists)
        writeBytes(path(written), "vanha\r\n");
    m_prompts.files.enqueue(path(chosen));
    m_prompts.answers.enqueue(Prompts::Answer(answer));
    m_filter->MenuItem37Click(m_dir->path() + u'/');
    const QString question = QStringLiteral("confirm: Tiedosto on jo olemassa!\r\rKorvataanko ") + path(written);
    QCOMPARE(m_prompts.asked.contains(question), exists);
    QCOMPARE(bytesOf(path(written)), saved ? QByteArray("tuoli-a1,00:46000\r\n") : QByteArray("vanha\r\n"));
    QCOMPARE(m_filter->unchanged(), saved);
    QCOMPARE(m_settings.suodatinPath, saved ? path(written) : path("ladattava.txt"));
}

void TestFilterFile::failedSaveKeepsPathAndFlag()
{
    loadEntries("tuoli-a1,00:46000\r\nabc:46000\r\n");
    m_filter->markChanged();
    m_prompts.files.enqueue(path("ei/ole/kansiota.txt"));
    m_filter->MenuItem37Click(m_dir->path() + u'/');
    QVERIFY(m_prompts.asked.last().startsWith(QLatin1String("error: Suodattimen tallentaminen ei onnistunut")));
    QVERIFY(!m_filter->unchanged());
    QCOMPARE(m_settings.suodatinPath, path("ladattava.txt"));
    QVERIFY(!m_host.panel.last().startsWith(QLatin1String("Suodatin tallennettu")));
    // The clean-up ran before the write.
    QCOMPARE(m_filter->list().entries(), QStringList{"tuoli-a1,00:46000"});
}

void TestFilterFile::expiredEntriesDropAtLoad()
{
    // Saved unstamped on day 46024; loaded 61 days later with the default lifetime.
    loadEntries("vanha-tuoli1,00\r\nuusi-tuoli1,00:46080\r\n");
    m_prompts.files.enqueue(path("s.txt"));
    m_filter->MenuItem37Click(m_dir->path() + u'/');
    QCOMPARE(bytesOf(path("s.txt")), QByteArray("uusi-tuoli1,00:46080\r\nvanha-tuoli1,00:46024\r\n"));
    m_ticks = 61LL * 86400000;
    QVERIFY(m_filter->lataasuodatin(path("s.txt")));
    QCOMPARE(m_filter->list().entries(), QStringList{"uusi-tuoli1,00:46080"});
}

void TestFilterFile::clearAsksAndLeavesFileAlone()
{
    loadEntries("tuoli-a1,00:46000\r\n");
    m_prompts.answers.enqueue(Prompts::Answer::Cancel);
    m_filter->yhjennsuodatin1Click();
    QCOMPARE(m_filter->list().size(), 1);
    QVERIFY(m_filter->unchanged());
    m_filter->yhjennsuodatin1Click();
    QVERIFY(m_filter->list().isEmpty());
    QVERIFY(!m_filter->unchanged());
    QCOMPARE(m_prompts.asked, QStringList(2, QStringLiteral("confirm: Tyhjennetäänkö suodatin?")));
    QCOMPARE(m_host.panel.last(), QStringLiteral("Suodatin tyhjennetty!/3"));
    QCOMPARE(bytesOf(path("ladattava.txt")), QByteArray("tuoli-a1,00:46000\r\n"));
}

void TestFilterFile::shutDownQuestionOnlyWhenChanged()
{
    m_filter->askSaveAtClose(m_dir->path() + u'/');
    QVERIFY(m_prompts.asked.isEmpty());
    m_filter->markChanged();
    m_prompts.answers.enqueue(Prompts::Answer::Yes);
    m_prompts.files.enqueue(path("lopuksi"));
    m_filter->askSaveAtClose(m_dir->path() + u'/');
    QCOMPARE(m_prompts.asked.first(), QStringLiteral("confirm: Suodattimen sisältö on muuttunut, tallennetaanko?"));
    QVERIFY(QFileInfo::exists(path("lopuksi.txt")));
    QVERIFY(m_filter->unchanged());
}

QTEST_GUILESS_MAIN(TestFilterFile)
#include "tst_filterfile.moc"
