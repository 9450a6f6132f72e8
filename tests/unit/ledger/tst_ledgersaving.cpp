// The ledger window's saving and closing driven as a user would: the save
// dialog's filter, the note being typed, the close question and the list kept
// for the next run when nobody could be asked.
#include "ledgerwindowtest.h"
#include "ledger/files/ledgerlistcommands.h"
#include <QFile>

using namespace LedgerRows;

class TestLedgerSaving : public QObject, protected LedgerWindowTest {
    Q_OBJECT
private slots:
    void init() { openWindow(); }
    void cleanup() { closeWindow(); }

    // The README's row on ledger lists names what the dialogs offer, the
    // list format first (it once named "*.dat" and called "*.xls" the
    // default).
    void readmeTellsTheListFormats()
    {
        QFile readme(QStringLiteral(VS_SOURCE_DIR "/README.md"));
        QVERIFY(readme.open(QIODevice::ReadOnly));
        QString row;
        for (const QString &line : QString::fromUtf8(readme.readAll()).split(u'\n'))
            if (line.startsWith(QLatin1String("| ledger lists |")))
                row = line;
        QVERIFY(!row.isEmpty());
        for (LedgerMode mode : {LedgerMode::Sold, LedgerMode::Bought}) {
            const QStringList entries = LedgerListCommands::saveFilter(mode).split(QStringLiteral(";;"));
            int previous = -1;
            for (const QString &entry : entries) {
                const QString pattern = entry.section(u'(', 1).chopped(1);
                const int at = row.indexOf(u'`' + pattern + u'`');
                QVERIFY2(at > previous, qPrintable(pattern));
                previous = at;
            }
        }
        QVERIFY(!row.contains(QLatin1String("*.dat")));
        QVERIFY(!row.contains(QLatin1String("the default)")));
    }

    void noteBeingTypedIsKeptOnClosing()
    {
        load(sampleRows());
        select("22222222");
        auto *memo = w<QPlainTextEdit>("Memo4");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("nouto"));
        m_prompts.answers.enqueue(Prompts::Answer::No);
        m_form->close();
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("confirm: Listaa ei ole tallennettu!\r\rHaluatko tallentaa?")});
        QVERIFY(!m_form->isVisible());
        QCOMPARE(masterCell(5, "22222222"), QStringLiteral("nouto"));
        QVERIFY(!m_form->isUnsaved());
    }

    void closeQuestion_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("giveFile");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("unsavedAfter");
        QTest::newRow("cancel keeps the window") << int(Prompts::Answer::Cancel) << false << false << true;
        QTest::newRow("no closes") << int(Prompts::Answer::No) << false << true << false;
        QTest::newRow("yes saves and closes") << int(Prompts::Answer::Yes) << true << true << false;
        QTest::newRow("yes, save cancelled keeps the window") << int(Prompts::Answer::Yes) << false << false << true;
    }
    void closeQuestion()
    {
        QFETCH(int, answer);
        QFETCH(bool, giveFile);
        QFETCH(bool, closed);
        QFETCH(bool, unsavedAfter);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("lista.vss"));
        load(sampleRows());
        select("33333333");
        QTest::keyClick(grid(), Qt::Key_Delete);   // deleting sets the unsaved mark
        m_prompts.asked.clear();
        m_prompts.answers.enqueue(Prompts::Answer(answer));
        if (giveFile)
            m_prompts.files.enqueue(path);
        QSignalSpy spy(m_form.get(), &TForm8::formClosed);
        m_form->close();
        QCOMPARE(m_prompts.asked.first(), QStringLiteral("confirm: Listaa ei ole tallennettu!\r\rHaluatko tallentaa?"));
        QCOMPARE(!m_form->isVisible(), closed);
        QCOMPARE(spy.count(), closed ? 1 : 0);
        QCOMPARE(m_form->isUnsaved(), unsavedAfter);
        QCOMPARE(QFile::exists(path), giveFile);
    }

    void saveOpenAndAddThroughMenus()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("myydyt.vss"));
        load(sampleRows());
        m_form->setUnsaved(true);
        m_prompts.files.enqueue(path);
        w<QPushButton>("tallennalista")->click();
        QVERIFY(QFile::exists(path));
        QVERIFY(!m_form->isUnsaved());
        const LedgerTable saved = m_form->masterList();

        w<QPushButton>("XiButton5")->click();
        m_prompts.files.enqueue(path);
        w<QAction>("Avaalista1")->trigger();
        QVERIFY(m_form->masterList() == saved);
        QCOMPARE(shownItems().size(), 5);
        QCOMPARE(w<QComboBox>("ComboBox4")->currentText(), QStringLiteral("2021"));

        // Adding the same list again adds nothing.
        m_prompts.files.enqueue(path);
        w<QAction>("lisaa")->trigger();
        QVERIFY(m_form->masterList() == saved);
        QVERIFY(!m_form->isUnsaved());
        QVERIFY(!m_prompts.asked.join(u'\n').contains(QStringLiteral("Avaa ensin lista")));
    }

    void workbookSavedAndOpenedThroughTheWindow()
    {
        QTemporaryDir dir;
        load(sampleRows());
        m_form->setUnsaved(true);
        m_prompts.files.enqueue(dir.filePath(QStringLiteral("myydyt")));
        m_prompts.filters.enqueue(QStringLiteral("Excel-työkirja (*.xlsx)"));
        w<QPushButton>("tallennalista")->click();
        const QString path = dir.filePath(QStringLiteral("myydyt.xlsx"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(2) == "PK");   // a zip container
        QVERIFY(!m_form->isUnsaved());
        const LedgerTable saved = m_form->masterList();

        w<QPushButton>("XiButton5")->click();
        m_prompts.files.enqueue(path);
        w<QAction>("Avaalista1")->trigger();
        QVERIFY(m_form->masterList() == saved);
        QCOMPARE(shownItems().size(), 5);
    }

    void saveFollowsSelectedFilter_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("excelEntry");
        QTest::addColumn<QString>("written");
        QTest::addColumn<bool>("worksheet");
        QTest::newRow("worksheet entry, no extension") << "lista" << true << "lista.xls" << true;
        QTest::newRow("list entry, no extension") << "lista" << false << "lista.vss" << false;
        QTest::newRow("worksheet entry, other extension") << "lista.txt" << true << "lista.txt" << true;
        QTest::newRow("list entry, other extension") << "lista.txt" << false << "lista.txt" << false;
        QTest::newRow(".xls typed, list entry") << "lista.xls" << false << "lista.xls" << true;
        QTest::newRow(".vss typed, worksheet entry") << "lista.vss" << true << "lista.vss" << false;
    }
    void saveFollowsSelectedFilter()
    {
        QFETCH(QString, typed);
        QFETCH(bool, excelEntry);
        QFETCH(QString, written);
        QFETCH(bool, worksheet);
        QTemporaryDir dir;
        load(sampleRows());
        m_prompts.files.enqueue(dir.filePath(typed));
        if (excelEntry)
            m_prompts.filters.enqueue(QStringLiteral("Excel 2.1 Worksheet (*.xls)"));
        w<QPushButton>("tallennalista")->click();
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{written});
        QFile file(dir.filePath(written));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        // A worksheet begins with its BOF record, a list file with its size line.
        QCOMPARE(bytes.startsWith(QByteArray::fromHex("09040600")), worksheet);
        QCOMPARE(bytes.startsWith("10,7\r\n"), !worksheet);
        QVERIFY(!m_form->isUnsaved());
    }

    void saveFromMenuTakesTheNoteBeingTyped()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("myydyt.vss"));
        load(sampleRows());
        select("22222222");
        auto *memo = w<QPlainTextEdit>("Memo4");
        clickAt(memo, memo->rect().center());
        QCOMPARE(QApplication::focusWidget(), memo);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("nouto"));
        m_prompts.files.enqueue(path);
        chooseFromFileMenu("allennalista1");
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral("save: Tallenna lista")});
        QFile saved(path);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY2(saved.readAll().contains("5,4,nouto\r\n"), "the note is not in the file");
        QCOMPARE(masterCell(5, "22222222"), QStringLiteral("nouto"));
        // Saved with the note: nothing is left unsaved, closing asks nothing.
        QVERIFY(!m_form->isUnsaved());
        m_prompts.asked.clear();
        m_form->close();
        QVERIFY(m_prompts.asked.isEmpty());
    }

    void unsavedListKeptForNextRun_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("restored");
        QTest::newRow("restore") << int(Prompts::Answer::Yes) << true;
        QTest::newRow("discard") << int(Prompts::Answer::No) << false;
    }
    void unsavedListKeptForNextRun()
    {
        QFETCH(int, answer);
        QFETCH(bool, restored);
        QTemporaryDir data;
        const QString recovery = LedgerRecovery::path(data.path() + u'/');
        m_form->setRecoveryFile(recovery);
        load(sampleRows());
        w<QComboBox>("hakutapa")->setCurrentIndex(1);
        load(sampleRows());
        select("33333333");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QVERIFY(m_form->isUnsaved());
        const LedgerTable unsaved = m_form->masterList();
        m_prompts.asked.clear();

        QVERIFY(m_form->kirjoitaPalautus());
        QVERIFY(m_prompts.asked.isEmpty());
        QVERIFY(!m_form->isUnsaved());
        QCOMPARE(QFile::permissions(recovery) & 0x0077, QFileDevice::Permissions());   // owner only
        QVERIFY(QFile::permissions(recovery) & QFileDevice::ReadOwner);

        // The next run: a fresh ledger window offers the list on opening.
        m_form.reset();
        openWindow();
        m_form->hide();
        m_form->setRecoveryFile(recovery);
        m_prompts.answers.enqueue(Prompts::Answer(answer));
        m_form->openIfSignedIn(QStringLiteral("matti"), m_prompts);
        QCOMPARE(m_prompts.asked, QStringList{QStringLiteral(
                                      "confirm: Ohjelma suljettiin viime kerralla, kun listaa ei ollut "
                                      "tallennettu.\r\rPalautetaanko tallentamaton lista?")});
        QCOMPARE(m_form->masterList() == unsaved, restored);
        QCOMPARE(m_form->listMode(), restored ? LedgerMode::Bought : LedgerMode::Sold);
        QCOMPARE(m_form->isUnsaved(), restored);
        QVERIFY(!QFile::exists(recovery));
        // Asked once only.
        m_form->hide();
        m_prompts.asked.clear();
        m_form->openIfSignedIn(QStringLiteral("matti"), m_prompts);
        QVERIFY(m_prompts.asked.isEmpty());
    }

};

QTEST_MAIN(TestLedgerSaving)
#include "tst_ledgersaving.moc"
