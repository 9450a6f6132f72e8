// A page whose certificate is not valid is refused without a question: no
// dialog opens, nothing is sent over the connection, and the status bar says
// why the page did not open.
#include "app/tform1.h"
#include "browser/engine/browserprofile.h"
#include "scriptedprompts.h"
#include "stillafter.h"
#include <QDialog>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {
const bool kSchemes = (BrowserProfile::registerSchemes(), true);
}

class TestCertificates : public QObject {
    Q_OBJECT
private:
    QTemporaryDir m_dir;
    QProcess m_proxy;
    ScriptedPrompts m_prompts;

private slots:
    void initTestCase()
    {
        Q_UNUSED(kSchemes);
        m_proxy.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_proxy.start(QStringLiteral("python3"), {QStringLiteral(VS_MARKETPLACE_DIR "/tlsproxy.py"),
                                                  QStringLiteral("--folder"), m_dir.path()});
        QVERIFY(m_proxy.waitForStarted(5000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_dir.filePath(QStringLiteral("port"))), 15000);
        QFile port(m_dir.filePath(QStringLiteral("port")));
        QVERIFY(port.open(QIODevice::ReadOnly));
        QFile ini(m_dir.filePath(QStringLiteral("endpoints.ini")));
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("web_base=http://www.vasaro.test/\ndomain=vasaro.test\napi_base=http://api.vasaro.test/1.1/\n"
                  "maker_web=http://www.vsselain.test/\nproxy=http://127.0.0.1:" + port.readAll().trimmed() + "\n");
        ini.close();
        qputenv("VSSELAIN_ENDPOINTS", ini.fileName().toUtf8());
        QDir().mkpath(m_dir.filePath(QStringLiteral("data")));
        qputenv("VSSELAIN_DATA_DIR", m_dir.filePath(QStringLiteral("data")).toUtf8());
    }

    void cleanupTestCase()
    {
        m_proxy.kill();
        m_proxy.waitForFinished(3000);
    }

    void invalidCertificateRefusedWithNotice()
    {
        TForm1 w(Endpoints::fromEnvironment(), &m_prompts);
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.aktiivisivu_navigate(QStringLiteral("https://www.vasaro.test/omasivu"));
        QTRY_COMPARE_WITH_TIMEOUT(w.statusText(),
                                  QStringLiteral("Sivua ei avattu: palvelimen www.vasaro.test varmenne ei kelpaa."),
                                  15000);
        QVERIFY(stillAfter(kQuietMs, [this] { return m_prompts.asked.isEmpty(); }));
        for (QWidget *top : QApplication::topLevelWidgets())
            QVERIFY2(!(top->isVisible() && qobject_cast<QDialog *>(top)), qPrintable(top->objectName()));
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("pyynnot"))));
        QVERIFY(w.isVisible());
    }
};

QTEST_MAIN(TestCertificates)
#include "tst_certificates.moc"
