#include "core/closingtime.h"
#include "core/endpoints.h"
#include "core/paymenttemplates.h"
#include "core/settings.h"
#include "core/settingschecks.h"
#include "core/settingsdefaults.h"
#include <QtTest>

class TestSettingsChecks : public QObject {
    Q_OBJECT
private slots:
    void pictureSizes_data()
    {
        QTest::addColumn<QStringList>("in");    // Edit1..Edit4
        QTest::addColumn<QStringList>("out");
        QTest::newRow("within") << QStringList{"800", "600", "500", "1500"} << QStringList{"800", "600", "500", "1500"};
        QTest::newRow("below") << QStringList{"799", "599", "499", "0"} << QStringList{"800", "600", "500", "500"};
        QTest::newRow("above") << QStringList{"1501", "9999", "1501", "2000"}
                               << QStringList{"1500", "1500", "1500", "1500"};
        QTest::newRow("not numbers") << QStringList{"", "12a", "1 000", "10.5"}
                                     << QStringList{"1000", "1000", "1000", "1000"};
        QTest::newRow("negative") << QStringList{"-900", "-1", "-500", "-0"} << QStringList{"800", "600", "500", "500"};
    }
    void pictureSizes()
    {
        QFETCH(QStringList, in);
        QFETCH(QStringList, out);
        Settings s;
        s.Edit1 = in[0];
        s.Edit2 = in[1];
        s.Edit3 = in[2];
        s.Edit4 = in[3];
        SettingsChecks::Edit1Exit(s);
        QCOMPARE((QStringList{s.Edit1, s.Edit2, s.Edit3, s.Edit4}), out);
    }

    void filterDays_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("1") << "1" << "2";
        QTest::newRow("2") << "2" << "2";
        QTest::newRow("360") << "360" << "360";
        QTest::newRow("361") << "361" << "360";
        QTest::newRow("letters") << "abc" << "60";
        QTest::newRow("empty") << "" << "60";
        QTest::newRow("negative") << "-5" << "2";
    }
    void filterDays()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        Settings s;
        s.Edit5 = in;
        SettingsChecks::Edit5Exit(s);
        QCOMPARE(s.Edit5, out);
    }

    void logoNumbers_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<QString>("alpha");
        QTest::addColumn<QString>("fontOut");
        QTest::addColumn<QString>("alphaOut");
        QTest::newRow("within") << "0" << "100" << "0" << "100";
        QTest::newRow("above") << "401" << "101" << "40" << "50";
        QTest::newRow("negative") << "-1" << "-1" << "40" << "50";
        QTest::newRow("not numbers") << "" << "x" << "40" << "50";
    }
    void logoNumbers()
    {
        QFETCH(QString, font);
        QFETCH(QString, alpha);
        Settings s;
        s.fonttilogo = font;
        s.lapinakyvyys = alpha;
        SettingsChecks::fonttilogoExit(s);
        QTEST(s.fonttilogo, "fontOut");
        QTEST(s.lapinakyvyys, "alphaOut");
    }

    void ownServer_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("kept");
        QTest::newRow("http php") << "http://oma.test/kuvat/upload.php" << true;
        QTest::newRow("upper case") << "HTTP://OMA.TEST/UPLOAD.PHP" << true;
        QTest::newRow("https") << "https://oma.test/upload.php" << true;
        QTest::newRow("no php") << "http://oma.test/upload" << false;
        QTest::newRow("no scheme") << "oma.test/upload.php" << false;
        QTest::newRow("empty") << "" << false;
    }
    void ownServer()
    {
        QFETCH(QString, address);
        QFETCH(bool, kept);
        Settings s;
        s.omapalvelin = address;
        QCOMPARE(SettingsChecks::omapalvelinExit(s), kept);
        QCOMPARE(s.omapalvelin, kept ? address : QString());
    }

    void templateFolder()
    {
        QTemporaryDir tmp;
        const QString data = QStringLiteral("/data/");
        Settings s;
        s.ipohjat = tmp.path();                         // exists, no trailing slash
        SettingsChecks::ipohjatExit(s, data);
        QCOMPARE(s.ipohjat, tmp.path() + u'/');
        SettingsChecks::ipohjatExit(s, data);           // already has one
        QCOMPARE(s.ipohjat, tmp.path() + u'/');
        s.ipohjat = tmp.path() + QStringLiteral("/puuttuu");
        SettingsChecks::ipohjatExit(s, data);
        QCOMPARE(s.ipohjat, data);
        s.ipohjat.clear();                              // would otherwise be "/"
        SettingsChecks::ipohjatExit(s, data);
        QCOMPARE(s.ipohjat, data);
    }

    // A home page with a control character would never load: refused for
    // the marketplace's address.
    void homePage_data()
    {
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("kept");
        QTest::newRow("ordinary") << "http://www.vasaro.test/haku?q=ä" << true;
        QTest::newRow("NUL") << QStringLiteral("http://www.vasaro.test/") + QChar(0) + u'x' << false;
        QTest::newRow("line feed") << "http://a.test/\nb" << false;
        QTest::newRow("C1 control") << QStringLiteral("http://a.test/") + QChar(0x85) << false;
    }
    void homePage()
    {
        QFETCH(QString, address);
        QFETCH(bool, kept);
        Settings s;
        s.kotisivu = address;
        const QString fallback = QStringLiteral("http://www.vasaro.test/");
        QCOMPARE(SettingsChecks::kotisivuExit(s, fallback), kept);
        QCOMPARE(s.kotisivu, kept ? address : fallback);
    }

    void closingTime_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::newRow("day 2") << "Tiistai  2.4:07:30" << 2 << "07" << "30";
        QTest::newRow("today is not tried") << "Sunnuntai  31.3:12:00" << -1 << "12" << "00";
        QTest::newRow("beyond 13 is not tried") << "Sunnuntai  14.4:12:00" << -1 << "12" << "00";
        QTest::newRow("last match wins") << "Tiistai  2.4 Keskiviikko  3.4:01:02" << 3 << "01" << "02";
        QTest::newRow("no colon") << "1234567" << -1 << "12" << "45";
        QTest::newRow("short") << "Tiistai  2.4:7" << 2 << "7" << "";
    }
    void closingTime()
    {
        // Items: today Sunday 31.3 then the next days.
        QStringList items;
        const QStringList names{"Maanantai", "Tiistai", "Keskiviikko", "Torstai", "Perjantai", "Lauantai",
                                "Sunnuntai"};
        const QDate today(2024, 3, 31);
        for (int i = 0; i < 20; ++i) {
            const QDate d = today.addDays(i);
            items << names[d.dayOfWeek() - 1] + QStringLiteral("  %1.%2").arg(d.day()).arg(d.month());
        }
        QFETCH(QString, value);
        const ClosingTime::Choice c = ClosingTime::parse(value, items);
        QTEST(c.dayIndex, "index");
        QTEST(c.hour, "hour");
        QTEST(c.minute, "minute");
    }

    void timeCheck_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<int>("max");
        QTest::addColumn<QString>("out");
        QTest::newRow("pads") << "7" << 23 << "07";
        QTest::newRow("hour above") << "99" << 23 << "23";
        QTest::newRow("letter") << "x" << 23 << "00";
        QTest::newRow("negative") << "-5" << 59 << "00";
        QTest::newRow("minute above") << "75" << 59 << "59";
        QTest::newRow("empty") << "" << 59 << "00";
        QTest::newRow("kept") << "45" << 59 << "45";
    }
    void timeCheck()
    {
        QFETCH(QString, in);
        QFETCH(int, max);
        QTEST(ClosingTime::checkField(in, max), "out");
    }

    void counterAddress_data()
    {
        QTest::addColumn<QString>("serveri");
        QTest::addColumn<bool>("replaced");
        QTest::newRow("empty") << "" << true;
        QTest::newRow("one of ours") << "http://laskuri3.vsselain.test/laskuri.php" << true;
        QTest::newRow("ours in capitals") << "HTTP://LASKURI1.VSSELAIN.TEST/laskuri.php?x=1" << true;
        QTest::newRow("retired path") << "http://vanha.test/vsselain/laskuri.php" << true;
        QTest::newRow("user's own") << "http://oma.test/laskuri.php" << false;
    }
    void counterAddress()
    {
        QFETCH(QString, serveri);
        QFETCH(bool, replaced);
        const QStringList ours = SettingsDefaults::counterAddresses(Endpoints());
        QCOMPARE(ours, (QStringList{"http://laskuri1.vsselain.test/laskuri.php",
                                    "http://laskuri2.vsselain.test/laskuri.php",
                                    "http://laskuri3.vsselain.test/laskuri.php"}));
        for (int pick = 0; pick < 3; ++pick)
            QCOMPARE(SettingsDefaults::counterAddressAtStartup(serveri, ours, pick),
                     replaced ? ours[pick] : serveri);
    }

    void counterAddressesFollowEndpoints()
    {
        Endpoints e;
        e.set(QStringLiteral("counter2"), QStringLiteral("http://127.0.0.1:8080/l2/laskuri.php"));
        const QStringList ours = SettingsDefaults::counterAddresses(e);
        QCOMPARE(ours[1], QStringLiteral("http://127.0.0.1:8080/l2/laskuri.php"));
        QCOMPARE(SettingsDefaults::counterAddressAtStartup(QStringLiteral("http://127.0.0.1:8080/l2/laskuri.php"),
                                                           ours, 0),
                 ours[0]);
    }

    void restoreDefaults()
    {
        Settings s;
        // Fields the command resets.
        s.Activex = true;
        s.skripti = false;
        s.PKK = true;
        s.tagit = 2;
        s.Edit1 = "1";
        s.Edit5 = "9";
        s.Edit3 = "x";
        s.omapalvelin = "http://a/b.php";
        s.hkts = true;
        s.hktunnus = "t";
        s.hksalasana = "p";
        s.Timer2 = false;
        s.muistutakirjanmerkeista = false;
        s.serveri = "http://oma.test/laskuri.php";
        s.kotisivu = "about:blank";
        s.ipohjat = "/x/";
        // Fields it leaves alone.
        s.naytakuvat = false;
        s.xpalkki = false;
        s.ColorBox3 = Qt::blue;
        s.rg = 1;
        s.tekstilogo = "logo";
        s.fonttilogo = "99";
        s.Color1 = 5;
        s.lisaalogo = false;
        s.postikulut = "2.00";
        s.myyd1 = QStringList{"oma"};
        s.sulkeutumisaika = "Tiistai  2.4:07:30";
        s.suosikkimyyjat = QStringList{"ab"};
        s.suodatinPath = "/f.txt";
        const Settings before = s;

        SettingsDefaults::restoreDefaults(s, Endpoints(), QStringLiteral("/data/"));
        QVERIFY(!s.Activex && s.skripti && !s.PKK && s.tagit == 0);
        QCOMPARE(s.Edit1, QStringLiteral("800"));
        QCOMPARE(s.Edit5, QStringLiteral("60"));
        QCOMPARE(s.Edit3, QStringLiteral("1024"));
        QVERIFY(s.omapalvelin.isEmpty() && s.hktunnus.isEmpty() && s.hksalasana.isEmpty() && !s.hkts);
        QVERIFY(s.Timer2 && s.muistutakirjanmerkeista);
        QCOMPARE(s.serveri, QStringLiteral("http://laskuri1.vsselain.test/laskuri.php"));
        QCOMPARE(s.kotisivu, Endpoints().webBase());
        QCOMPARE(s.ipohjat, QStringLiteral("/data/"));

        QCOMPARE(s.naytakuvat, before.naytakuvat);
        QCOMPARE(s.xpalkki, before.xpalkki);
        QCOMPARE(s.ColorBox3, before.ColorBox3);
        QCOMPARE(s.rg, before.rg);
        QCOMPARE(s.tekstilogo, before.tekstilogo);
        QCOMPARE(s.fonttilogo, before.fonttilogo);
        QCOMPARE(s.Color1, before.Color1);
        QCOMPARE(s.lisaalogo, before.lisaalogo);
        QCOMPARE(s.postikulut, before.postikulut);
        QCOMPARE(s.myyd1, before.myyd1);
        QCOMPARE(s.sulkeutumisaika, before.sulkeutumisaika);
        QCOMPARE(s.suosikkimyyjat, before.suosikkimyyjat);
        QCOMPARE(s.suodatinPath, before.suodatinPath);
    }

    void builtInAndStartupDefaults()
    {
        Settings s = SettingsDefaults::builtIn(Endpoints(), QStringLiteral("/ohjelma/"));
        QCOMPARE(s.kotisivu, Endpoints().webBase());
        QCOMPARE(s.ipohjat, QStringLiteral("/ohjelma/"));
        QCOMPARE(s.serveri, QStringLiteral("http://laskuri1.vsselain.test/laskuri.php"));
        QCOMPARE(s.myyd1.size(), 6);
        QCOMPARE(s.myyd1[3], QStringLiteral("Tilinumero on %tn%. Kun summa näkyy tilillä, niin lähetän "
                                            "osoitteeseen: %os% "));
        QCOMPARE(s.myyd2.size(), 9);
        QCOMPARE(s.osto1.size(), 4);
        QCOMPARE(s.osto2.size(), 7);
        QCOMPARE(s.osto2[4], QStringLiteral("Yhteensä %sum%"));
        QCOMPARE(s.ColorBox3, QColor(Qt::red));
        QCOMPARE(s.Color1, 1);

        s.PKK = true;
        s.poistafb = true;
        s.suljelehti = true;
        s.muutakuva = false;
        s.suodatinPath = "/f.txt";
        s.paivitysStored = "3";
        s.paivitysCurrent = "4";
        SettingsDefaults::applyStartupDefaults(s, QStringLiteral("/toinen/"));
        QVERIFY(!s.PKK && !s.poistafb && !s.suljelehti && s.muutakuva);
        QVERIFY(s.suodatinPath.isEmpty() && s.paivitysStored.isEmpty() && s.paivitysCurrent.isEmpty());
        QCOMPARE(s.ipohjat, QStringLiteral("/toinen/"));
    }
};

QTEST_GUILESS_MAIN(TestSettingsChecks)
#include "tst_settingschecks.moc"
