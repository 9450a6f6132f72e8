// The settings file survives a start and a close of the real program, line for
// line and byte for byte, whether it is closed from the menu or by SIGTERM.
#include "app/tform1.h"
#include "core/clockformat.h"
#include "core/cp1252.h"
#include "core/scrambler.h"
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include "testfiles.h"

namespace {
QByteArray fullFile(const QString &templateDir)
{
    const QString closingDay = ClockFormat::dayItem(QDate::currentDate().addDays(2));
    const QStringList lines = {
        "ActiveX:1", "Javascript:0", "Naytakuvat:0", "Kuvattomat:1", "Tagit:2", "Lataasuodatin:0",
        "Pienennakuva:0", "Fonttilogo:55", "Tekstilogo:Myyjä Åke €", "Lapinakyvyys:30", "Logonpaikka:3",
        "Logonvari:10", "Lisaalogo:0", "Poistamainokset:0", "Poistauutiset:0", "poistafb:1", "Siirry:0",
        "Vasaroaika:0", "Paivitys:1", "Suljevalilehti:1", "Muistuta:0", "Suodatin:/ei/ole/suodatin1.txt",
        "Serveri:http://oma.example/laskuri.php", "Kotisivu:about:blank", "IPohjat:" + templateDir,
        "Omapalvelin:http://oma.example/upload.php", "Kuvanleveys:800", "Suodattimenkesto:90",
        "Kuvankorkeus:600", "KuvanleveysL:1200", "KuvankorkeusL:900", "Laskurinvari:#00FF00",
        "Laskurintyyppi:1", "Pienet_kuvat:1", "Piilotapalkki:0", "hkts:1", "aui:0", "hkt:kayttaja",
        "hks:" + Scrambler::encodePassword(QStringLiteral("salainen&ä")), "myyd1:00Hei [nimi]",
        "myyd1:01", "myyd1:02Toinen rivi", "osto1:00Kiitos", "myyd2:00Useampi", "osto2:00Ostin",
        "postikulut:1.20", "tilinumero:FI12 3456 7890", "valuutta:1",
        "Sulkeutumisaika:" + closingDay + ":14:30", "Suosikkimyyja00:myyja1", "Suosikkimyyja01:toinen myyjä",
        "Suosikkihaku00:http://www.vasaro.test/haku?q=kirja"};
    QByteArray bytes;
    for (const QString &l : lines)
        bytes += Cp1252::encode(l) + "\r\n";
    return bytes;
}
}

class TestSettingsRoundTrip : public QObject {
    Q_OBJECT
private slots:
    void closedFromMenu()
    {
        QTemporaryDir data;
        qputenv("VSSELAIN_DATA_DIR", data.path().toUtf8());
        const QByteArray original = fullFile(data.path() + QStringLiteral("/"));
        QVERIFY(writeFile(data.filePath(QStringLiteral("VSselain.dat")), original));
        {
            TForm1 w{Endpoints()};
            w.show();
            QVERIFY(QTest::qWaitForWindowExposed(&w));
            QCOMPARE(w.settings().hksalasana, QStringLiteral("salainen&ä"));
            w.MenuItem5Click();
        }
        const QByteArray saved = readFile(data.filePath(QStringLiteral("VSselain.dat")));
        QCOMPARE(QString::fromLatin1(saved), QString::fromLatin1(original));
    }

    void sigtermSavesTheSettings()
    {
        QTemporaryDir data;
        const QByteArray original = fullFile(data.path() + QStringLiteral("/"));
        // An unknown line is dropped by the writer: its absence proves the file was written anew.
        QVERIFY(writeFile(data.filePath(QStringLiteral("VSselain.dat")), original + "Tuntematon:1\r\n"));
        QVERIFY(writeFile(data.filePath(QStringLiteral("myyjasuodatin.txt")), "huono myyja\r\n"));
        QProcess app;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VSSELAIN_DATA_DIR"), data.path());
        app.setProcessEnvironment(env);
        app.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vsselain"), {});
        QVERIFY(app.waitForStarted(10000));
        // Up and running: the window keeps its place and tabs in the session
        // file, written a moment after the window is shown.
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(data.filePath(QStringLiteral("istunto.dat"))), 60000);
        ::kill(pid_t(app.processId()), SIGTERM);
        QVERIFY(app.waitForFinished(20000));
        QCOMPARE(app.exitStatus(), QProcess::NormalExit);
        const QByteArray saved = readFile(data.filePath(QStringLiteral("VSselain.dat")));
        QCOMPARE(QString::fromLatin1(saved), QString::fromLatin1(original));
        QCOMPARE(readFile(data.filePath(QStringLiteral("myyjasuodatin.txt"))), QByteArray("huono myyja\r\n"));
    }
};

QTEST_MAIN(TestSettingsRoundTrip)
#include "tst_settingsroundtrip.moc"
