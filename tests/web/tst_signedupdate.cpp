// A release end to end: this test program is built like a release, with the
// public half of a throw-away key pair as its update key (tests/CMakeLists.txt
// makes the pair with the maker's signing tool). The fake maker's site serves
// a newer program signed with the secret half; "Tarkista löytyykö uudempi
// versio" installs it and the restarted program answers the new version. A
// program signed with another key leaves the program file byte-identical.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "update/updatecheck.h"
#include "update/updatekey.h"
#include "update/updatesignature.h"
#include "updatefixture.h"
#include "scriptedprompts.h"
#include "updatekeys.h"
#include <QAction>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include "testfiles.h"

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
const QByteArray kOldProgram = "vanha ohjelma 4.05";
const QString kQuestion = QStringLiteral("confirm: Uusi versio 4.10 on saatavilla.\r\n\r\nPäivitetäänkö?");
}

class TestSignedUpdate : public QObject {
    Q_OBJECT
private:
    UpdateFixture m_update;
    FakeMarketplace &m_market = m_update.market;
    ScriptedPrompts m_prompts;
    const UpdateKeys m_release{QByteArray(VS_THROWAWAY_SECRET_KEY)};
    QTemporaryDir &m_install = m_update.install;
    const QByteArray &m_newProgram = m_update.newProgram;
    std::unique_ptr<TForm1> m_window;

    QString aboutText(QWidget *window) { return UpdateFixture::aboutText(window); }
    QString program() const { return m_update.program(); }

    // The menu item as the user chooses it, found by its caption.
    void chooseCheckFromMenu()
    {
        QAction *check = nullptr;
        for (QAction *a : m_window->findChildren<QAction *>()) {
            if (a->text() == QStringLiteral("Tarkista löytyykö uudempi versio"))
                check = a;
        }
        QVERIFY(check);
        check->trigger();
    }

    void offer(const QString &folder)
    {
        m_prompts.asked.clear();
        m_market.setState(QStringLiteral("versio"), QStringLiteral("4.10http://www.vsselain.test/") + folder + u'/');
    }

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        QVERIFY(m_update.start());
        QVERIFY(m_update.serve(QStringLiteral("uusi"), m_newProgram, m_release.sign(m_newProgram)));
        QVERIFY(m_update.serve(QStringLiteral("vieras"), m_newProgram, UpdateKeys().sign(m_newProgram)));
        // The daily check of the first page finds this version.
        m_market.setState(QStringLiteral("versio"), QStringLiteral("4.05"));
        QVERIFY(writeFile(program(), kOldProgram));
        QVERIFY(QFile::setPermissions(program(), QFile::permissions(program()) | QFileDevice::ExeOwner));

        m_window = std::make_unique<TForm1>(Endpoints::fromEnvironment(), &m_prompts);
        m_window->updateCheck().setProgramFile(program());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        QTRY_VERIFY_WITH_TIMEOUT(!m_market.requests(QStringLiteral("www.vsselain.test"),
                                                    QStringLiteral("/selainversio.php")).isEmpty(), 30000);
        QTRY_VERIFY(!m_window->updateCheck().isRunning());   // the daily check read its answer
    }

    // A release build says nothing about being unable to update itself.
    void aboutWithoutDeveloperNote()
    {
        const QString text = aboutText(m_window.get());
        QVERIFY2(text.contains(QStringLiteral("Versio 4.05")), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("Kehittäjän käännös")));
    }

    // The build's key, not the developer placeholder, is the one checked.
    void builtWithTheReleaseKey()
    {
        QVERIFY(!UpdateKey::isDeveloperBuild());
        QCOMPARE(UpdateSignature::builtInKey(), m_release.publicKey);
    }

    void foreignSignatureChangesNothing()
    {
        offer(QStringLiteral("vieras"));
        chooseCheckFromMenu();
        QCOMPARE(m_prompts.asked,
                 QStringList({kQuestion, QStringLiteral("information: Päivittäminen ei onnistunut! \r\n\r\n"
                                                        "Päivityksen voi tehdä manuaalisesti http://www.vsselain.test")}));
        QVERIFY(!m_market.requests(QStringLiteral("www.vsselain.test"), QStringLiteral("/vieras/vsselain.sig")).isEmpty());
        QCOMPARE(readFile(program()), kOldProgram);
        QCOMPARE(QDir(m_install.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"vsselain"});
        QVERIFY(m_window->isVisible());
    }

    // Last: the window closes and the new program starts.
    void signedReleaseInstallsAndRestarts()
    {
        const QString started = QDir(m_market.dataDir()).filePath(QStringLiteral("uusi_ohjelma.txt"));
        QFile::remove(started);
        offer(QStringLiteral("uusi"));
        chooseCheckFromMenu();
        QCOMPARE(m_prompts.asked, QStringList{kQuestion});
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(started), 15000);
        QVERIFY(!m_window->isVisible());
        QCOMPARE(readFile(program()), m_newProgram);
        QCOMPARE(readFile(m_install.filePath(QStringLiteral("vsselain.old"))), kOldProgram);
        QProcess version;
        version.start(program(), {QStringLiteral("--version")});
        QVERIFY(version.waitForFinished(10000));
        QCOMPARE(version.readAllStandardOutput().trimmed(), QByteArray("VSselain 4.10"));
        m_window.reset();
    }
};

QTEST_MAIN(TestSignedUpdate)
#include "tst_signedupdate.moc"
