#include "core/colourlist.h"
#include "core/cp1252.h"
#include "core/endpoints.h"
#include "core/paymenttemplates.h"
#include "core/settings.h"
#include "core/settingsdefaults.h"
#include "core/settingsfile.h"
#include <QtTest>
#include <csignal>
#include <sys/resource.h>

namespace {
QString b(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }
QString j(const QStringList &l) { return l.join(u'|'); }

// Every stored or storable field as text, so one comparison shows what a
// line changed and that it changed nothing else.
QMap<QString, QString> describe(const Settings &s)
{
    return {
        {"Activex", b(s.Activex)}, {"skripti", b(s.skripti)}, {"siirry", b(s.siirry)},
        {"vasaroaika", b(s.vasaroaika)}, {"LS", b(s.LS)}, {"kotisivu", s.kotisivu}, {"Edit5", s.Edit5},
        {"ipohjat", s.ipohjat}, {"muistutakirjanmerkeista", b(s.muistutakirjanmerkeista)},
        {"naytakuvat", b(s.naytakuvat)}, {"pienet_kuvat", b(s.pienet_kuvat)}, {"PKK", b(s.PKK)},
        {"Edit1", s.Edit1}, {"Edit2", s.Edit2}, {"muutakuva", b(s.muutakuva)},
        {"poistamainokset", b(s.poistamainokset)}, {"poistauutiset", b(s.poistauutiset)},
        {"poistafb", b(s.poistafb)}, {"suljelehti", b(s.suljelehti)}, {"piilotapalkki", b(s.piilotapalkki)},
        {"xpalkki", b(s.xpalkki)}, {"Edit3", s.Edit3}, {"Edit4", s.Edit4}, {"tagit", QString::number(s.tagit)},
        {"omapalvelin", s.omapalvelin}, {"hktunnus", s.hktunnus}, {"hksalasana", s.hksalasana},
        {"hkts", b(s.hkts)}, {"aui", b(s.aui)}, {"ColorBox3", ColourList::toText(s.ColorBox3)},
        {"rg", QString::number(s.rg)}, {"serveri", s.serveri}, {"tekstilogo", s.tekstilogo},
        {"fonttilogo", s.fonttilogo}, {"lapinakyvyys", s.lapinakyvyys},
        {"logonpaikka", QString::number(s.logonpaikka)}, {"Color1", QString::number(s.Color1)},
        {"lisaalogo", b(s.lisaalogo)}, {"paivitysStored", s.paivitysStored},
        {"paivitysCurrent", s.paivitysCurrent}, {"Timer2", b(s.Timer2)}, {"suodatinPath", s.suodatinPath},
        {"sulkeutumisaika", s.sulkeutumisaika}, {"suosikkimyyjat", j(s.suosikkimyyjat)},
        {"suosikkihaut", j(s.suosikkihaut)}, {"Suodatettavatnimimerkit", j(s.Suodatettavatnimimerkit)},
        {"myyd1", j(s.myyd1)}, {"osto1", j(s.osto1)}, {"myyd2", j(s.myyd2)}, {"osto2", j(s.osto2)},
        {"postikulut", s.postikulut}, {"tilinumero", s.tilinumero}, {"valuutta", QString::number(s.valuutta)},
    };
}

// Start-up state the reader applies lines to; the password is set so that
// "left unchanged" can be told from "emptied".
Settings base()
{
    Settings s = SettingsDefaults::builtIn(Endpoints(), QStringLiteral("/ohjelma/"));
    s.hksalasana = QStringLiteral("vanha");
    return s;
}

bool sameExcept(const Settings &got, const Settings &start, const QStringList &changes, QString *diff)
{
    QMap<QString, QString> want = describe(start);
    for (const QString &c : changes) {
        const int eq = c.indexOf(u'=');
        if (!want.contains(c.left(eq))) {
            *diff = QStringLiteral("unknown field ") + c.left(eq);
            return false;
        }
        want[c.left(eq)] = c.mid(eq + 1);
    }
    const QMap<QString, QString> have = describe(got);
    for (auto it = want.cbegin(); it != want.cend(); ++it) {
        if (have.value(it.key()) != it.value()) {
            *diff = QStringLiteral("%1: got \"%2\", want \"%3\"").arg(it.key(), have.value(it.key()), it.value());
            return false;
        }
    }
    return true;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A settings object with every line kind set away from its default.
Settings full(const QString &dir)
{
    Settings s = SettingsDefaults::builtIn(Endpoints(), dir);
    s.Activex = true;
    s.skripti = false;
    s.naytakuvat = false;
    s.PKK = true;
    s.tagit = 2;
    s.LS = false;
    s.muutakuva = false;
    s.fonttilogo = QStringLiteral("72");
    s.tekstilogo = QStringLiteral("Myyjä €");
    s.lapinakyvyys = QStringLiteral("30");
    s.logonpaikka = 4;
    s.Color1 = 9;
    s.lisaalogo = false;
    s.poistamainokset = false;
    s.poistauutiset = false;
    s.poistafb = true;
    s.siirry = false;
    s.vasaroaika = false;
    s.paivitysCurrent = QStringLiteral("17");
    s.suljelehti = true;
    s.Timer2 = false;
    s.muistutakirjanmerkeista = false;
    s.suodatinPath = dir + QStringLiteral("suodatin1.txt");
    s.serveri = QStringLiteral("http://oma.test/laskuri.php");
    s.kotisivu = QStringLiteral("http://www.vasaro.test/");
    s.ipohjat = dir;
    s.omapalvelin = QStringLiteral("http://oma.test/upload.php");
    s.Edit1 = QStringLiteral("1200");
    s.Edit5 = QStringLiteral("90");
    s.Edit2 = QStringLiteral("900");
    s.Edit3 = QStringLiteral("800");
    s.Edit4 = QStringLiteral("700");
    s.ColorBox3 = QColor(0x00, 0xFF, 0x80);
    s.rg = 1;
    s.pienet_kuvat = true;
    s.piilotapalkki = false;
    s.hkts = true;
    s.aui = false;
    s.hktunnus = QStringLiteral("myyjä");
    s.hksalasana = QStringLiteral("salasana");
    s.myyd1 = QStringList{QStringLiteral("A"), QString(), QStringLiteral("B")};
    s.osto1 = QStringList{QStringLiteral("C")};
    s.myyd2 = QStringList{QStringLiteral("D")};
    s.osto2 = QStringList{QStringLiteral("E"), QStringLiteral("F")};
    s.postikulut = QStringLiteral("1.20");
    s.tilinumero = QStringLiteral("FI12 3456");
    s.valuutta = 1;
    s.sulkeutumisaika = QStringLiteral("Maanantai  3.4:07:30");
    s.suosikkimyyjat = QStringList{QStringLiteral("myyjä1"), QStringLiteral("myyjä2")};
    s.suosikkihaut = QStringList{QStringLiteral("haku=x&y")};
    return s;
}
}

class TestSettingsFile : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_data = m_dir.path() + QStringLiteral("/data/");
        m_prog = m_dir.path() + QStringLiteral("/ohjelma/");
        QDir().mkpath(m_data);
        QDir().mkpath(m_prog);
    }
    void cleanup()
    {
        QDir(m_data).removeRecursively();
        QDir(m_prog).removeRecursively();
    }

    void readLine_data();
    void readLine();
    void lineEndings_data();
    void lineEndings();
    void fullRoundTripIsByteExact();
    void optionalLinesAreLeftOut();
    void favouritesAreCappedAt100();
    void longTemplatesSurviveARoundTrip();
    void lineBreaksInValuesCannotInjectLines();
    void dataFolderFileComesFirst();
    void programFolderFileIsReadButNeverWritten();
    void missingFileKeepsDefaults();
    void filterHookRunsOnlyWhenConfigured_data();
    void filterHookRunsOnlyWhenConfigured();
    void sellerNames();
    void failedSaveReturnsFalse();
    void failedWriteKeepsTheOldFile();
    void saveFailureNamesItsCause_data();
    void saveFailureNamesItsCause();
    void oversizedFilesAreRefusedAndKept_data();
    void oversizedFilesAreRefusedAndKept();
    void overlongLinesAreSkipped();
    void addressesWithControlCharactersAreRefused_data();
    void addressesWithControlCharactersAreRefused();

private:
    QTemporaryDir m_dir;
    QString m_data;
    QString m_prog;
};

void TestSettingsFile::readLine_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("changes");
    const PaymentTemplates t = builtInPaymentTemplates();
    auto row = [](const char *name, const QByteArray &file, const QStringList &changes) {
        QTest::newRow(name) << file << changes;
    };
    // Check boxes: prefix tests; any other value keeps the current state.
    row("ActiveX:0 leaves it off", "ActiveX:0", {});
    row("ActiveX:1 turns it on", "ActiveX:1", {"Activex=1"});
    row("ActiveX:1 with more characters", "ActiveX:1xyz", {"Activex=1"});
    row("keys are case-sensitive", "activex:1", {});
    row("Javascript:0", "Javascript:0", {"skripti=0"});
    row("Javascript:1 keeps it on", "Javascript:1", {});
    row("Naytakuvat:0", "Naytakuvat:0", {"naytakuvat=0"});
    row("Kuvattomat:1", "Kuvattomat:1", {"PKK=1"});
    row("Lataasuodatin:0", "Lataasuodatin:0", {"LS=0"});
    row("Lisaalogo:0", "Lisaalogo:0", {"lisaalogo=0"});
    row("Lisaalogo:1 keeps it", "Lisaalogo:1", {});
    row("Poistamainokset:0", "Poistamainokset:0", {"poistamainokset=0"});
    row("Poistauutiset:0", "Poistauutiset:0", {"poistauutiset=0"});
    row("poistafb:1", "poistafb:1", {"poistafb=1"});
    row("Poistafb:1 is another key", "Poistafb:1", {});
    row("Pienet_kuvat:1", "Pienet_kuvat:1", {"pienet_kuvat=1"});
    row("Piilotapalkki:0", "Piilotapalkki:0", {"piilotapalkki=0"});
    row("hkts:1", "hkts:1", {"hkts=1"});
    row("aui:0", "aui:0", {"aui=0"});
    // Only the last character counts.
    row("Pienennakuva:10 turns it off", "Pienennakuva:10", {"muutakuva=0"});
    row("Pienennakuva:01 keeps it on", "Pienennakuva:01", {});
    row("Siirry:10", "Siirry:10", {"siirry=0"});
    row("Siirry: with no value", "Siirry:", {});
    row("Vasaroaika:0", "Vasaroaika:0", {"vasaroaika=0"});
    row("Suljevalilehti:01 turns it on", "Suljevalilehti:01", {"suljelehti=1"});
    row("Suljevalilehti:10 keeps it off", "Suljevalilehti:10", {});
    // "Muistuta:0" anywhere in a line, together with the line's own key.
    row("Muistuta:0", "Muistuta:0", {"Timer2=0", "muistutakirjanmerkeista=0"});
    row("Muistuta:1 keeps the timer", "Muistuta:1", {});
    row("Muistuta:0 inside a favourite", "Suosikkihaku00:x Muistuta:0",
        {"Timer2=0", "muistutakirjanmerkeista=0", "suosikkihaut=x Muistuta:0"});
    // Text from the Nth character on.
    row("Fonttilogo", "Fonttilogo:72", {"fonttilogo=72"});
    row("Tekstilogo with Finnish letters", "Tekstilogo:Myyj\xe4 \x80", {"tekstilogo=Myyjä €"});
    row("Lapinakyvyys", "Lapinakyvyys:30", {"lapinakyvyys=30"});
    row("Paivitys day", "Paivitys:115", {"paivitysStored=15"});
    row("Paivitys without a day", "Paivitys:1", {"paivitysStored="});
    row("Suodatin", "Suodatin:/koti/suodatin1.txt", {"suodatinPath=/koti/suodatin1.txt"});
    row("Serveri", "Serveri:http://oma.test/l.php", {"serveri=http://oma.test/l.php"});
    row("Kotisivu", "Kotisivu:http://x.test/", {"kotisivu=http://x.test/"});
    row("Kotisivu empty", "Kotisivu:", {"kotisivu="});
    row("Omapalvelin", "Omapalvelin:http://oma.test/u.php", {"omapalvelin=http://oma.test/u.php"});
    row("Kuvanleveys is not read back", "Kuvanleveys:1200", {});
    row("Kuvankorkeus is not read back", "Kuvankorkeus:900", {});
    row("Suodattimenkesto", "Suodattimenkesto:90", {"Edit5=90"});
    row("KuvanleveysL", "KuvanleveysL:800", {"Edit3=800"});
    row("KuvankorkeusL", "KuvankorkeusL:700", {"Edit4=700"});
    row("hkt", "hkt:myyj\xe4", {"hktunnus=myyjä"});
    row("postikulut", "postikulut:1.20", {"postikulut=1.20"});
    row("tilinumero", "tilinumero:FI12 3456", {"tilinumero=FI12 3456"});
    row("Sulkeutumisaika", "Sulkeutumisaika:Maanantai  3.4:07:30",
        {"sulkeutumisaika=Maanantai  3.4:07:30"});
    // Item indexes: unparsable or out-of-range values change nothing.
    row("Tagit", "Tagit:2", {"tagit=2"});
    row("Tagit not a number", "Tagit:x", {});
    row("Tagit beyond the list", "Tagit:9", {});
    row("Logonpaikka", "Logonpaikka:4", {"logonpaikka=4"});
    row("Logonpaikka empty", "Logonpaikka:", {});
    // Qt's own conversion stops at a NUL and reports success: not here.
    row("Tagit with a NUL and junk", QByteArray("Tagit:2\0x", 9), {});
    row("Logonpaikka with a trailing NUL", QByteArray("Logonpaikka:4\0", 14), {});
    row("template number with a NUL", QByteArray("myyd1:0\0Moi", 11), {"myyd1=" + j(t.myyd1) + "|Moi"});
    row("Logonvari custom entry", "Logonvari:0", {"Color1=0"});
    row("Logonvari not a number", "Logonvari:musta", {});
    row("Laskurintyyppi", "Laskurintyyppi:1", {"rg=1"});
    row("Laskurintyyppi negative", "Laskurintyyppi:-1", {});
    row("valuutta:1", "valuutta:1", {"valuutta=1"});
    row("valuutta:2 is not recognised", "valuutta:2", {});
    // Colour text.
    row("Laskurinvari", "Laskurinvari:#00FF80", {"ColorBox3=#00FF80"});
    row("Laskurinvari lower case", "Laskurinvari:#00ff80", {"ColorBox3=#00FF80"});
    row("Laskurinvari too short", "Laskurinvari:#FF", {});
    row("Laskurinvari not hex", "Laskurinvari:#GG0000", {});
    // Password.
    row("hks decodes", "hks:C815D12C7295B357", {"hksalasana=salasana"});
    row("hks odd length keeps the old", "hks:C815D", {});
    row("hks not hex keeps the old", "hks:ZZZZ", {});
    // Templates: "00" restarts the memo, other numbers append.
    row("template numbered 00 replaces the built-in", "myyd1:00Moi", {"myyd1=Moi"});
    row("template not starting at 00 is appended", "myyd1:01Moi", {"myyd1=" + j(t.myyd1) + "|Moi"});
    row("two template lines", "osto2:00A\r\nosto2:01B", {"osto2=A|B"});
    row("empty first template line", "osto1:00\r\nosto1:01x", {"osto1=|x"});
    row("template number not a number", "myyd2:xxMoi", {"myyd2=" + j(t.myyd2) + "|Moi"});
    // Favourites: more than one character after the colon.
    row("favourite seller", "Suosikkimyyja00:ab", {"suosikkimyyjat=ab"});
    row("favourite seller of one character", "Suosikkimyyja00:a", {});
    row("favourite search of one character", "Suosikkihaku00:x", {});
    row("favourite search of two characters", "Suosikkihaku00:xy", {"suosikkihaut=xy"});
    row("favourite numbers are not read", "Suosikkihaku07:xy\r\nSuosikkihaku03:zw", {"suosikkihaut=xy|zw"});
    // Garbage.
    row("binary bytes", QByteArray("\x00\x01\xff\xfe\x80garbage\x00" "ActiveX:1", 22), {});
    row("blank lines", "\r\n\r\n\n\r", {});
    row("key after a blank", " ActiveX:1", {});
}

void TestSettingsFile::readLine()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, changes);
    Settings s = base();
    SettingsFile::applyBytes(s, file);
    QString diff;
    QVERIFY2(sameExcept(s, base(), changes, &diff), qPrintable(diff));
}

void TestSettingsFile::lineEndings_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("CR LF") << QByteArray("ActiveX:1\r\nKuvattomat:1\r\nTagit:2\r\n");
    QTest::newRow("LF") << QByteArray("ActiveX:1\nKuvattomat:1\nTagit:2\n");
    QTest::newRow("CR") << QByteArray("ActiveX:1\rKuvattomat:1\rTagit:2");
    QTest::newRow("mixed") << QByteArray("ActiveX:1\rKuvattomat:1\nTagit:2\r\n");
}

void TestSettingsFile::lineEndings()
{
    QFETCH(QByteArray, file);
    writeAll(m_data + "VSselain.dat", file);
    Settings s = base();
    QVERIFY(SettingsFile::lataa_asetukset(s, m_data, m_prog));
    QString diff;
    QVERIFY2(sameExcept(s, base(), {"Activex=1", "PKK=1", "tagit=2"}, &diff), qPrintable(diff));
}

void TestSettingsFile::fullRoundTripIsByteExact()
{
    const Settings s = full(m_data);
    QVERIFY(SettingsFile::tallenna_asetukset(s, m_data));
    const QByteArray dir = m_data.toUtf8();
    const QByteArray expected =
        "ActiveX:1\r\nJavascript:0\r\nNaytakuvat:0\r\nKuvattomat:1\r\nTagit:2\r\nLataasuodatin:0\r\n"
        "Pienennakuva:0\r\nFonttilogo:72\r\nTekstilogo:Myyj\xe4 \x80\r\nLapinakyvyys:30\r\nLogonpaikka:4\r\n"
        "Logonvari:9\r\nLisaalogo:0\r\nPoistamainokset:0\r\nPoistauutiset:0\r\npoistafb:1\r\nSiirry:0\r\n"
        "Vasaroaika:0\r\nPaivitys:117\r\nSuljevalilehti:1\r\nMuistuta:0\r\n"
        "Suodatin:" + dir + "suodatin1.txt\r\n"
        "Serveri:http://oma.test/laskuri.php\r\nKotisivu:http://www.vasaro.test/\r\n"
        "IPohjat:" + dir + "\r\n"
        "Omapalvelin:http://oma.test/upload.php\r\nKuvanleveys:1200\r\nSuodattimenkesto:90\r\n"
        "Kuvankorkeus:900\r\nKuvanleveysL:800\r\nKuvankorkeusL:700\r\nLaskurinvari:#00FF80\r\n"
        "Laskurintyyppi:1\r\nPienet_kuvat:1\r\nPiilotapalkki:0\r\nhkts:1\r\naui:0\r\nhkt:myyj\xe4\r\n"
        "hks:C815D12C7295B357\r\n"
        "myyd1:00A\r\nmyyd1:01\r\nmyyd1:02B\r\nosto1:00C\r\nmyyd2:00D\r\nosto2:00E\r\nosto2:01F\r\n"
        "postikulut:1.20\r\ntilinumero:FI12 3456\r\nvaluutta:1\r\nSulkeutumisaika:Maanantai  3.4:07:30\r\n"
        "Suosikkimyyja00:myyj\xe4" "1\r\nSuosikkimyyja01:myyj\xe4" "2\r\nSuosikkihaku00:haku=x&y\r\n";
    const QByteArray written = readAll(m_data + "VSselain.dat");
    QCOMPARE(written, expected);

    // Read back into fresh defaults: everything stored comes back.
    Settings r = SettingsDefaults::builtIn(Endpoints(), m_prog);
    QVERIFY(SettingsFile::lataa_asetukset(r, m_data, m_prog));
    QString diff;
    QVERIFY2(sameExcept(r, s, {"Edit1=800", "Edit2=600", "paivitysStored=17", "paivitysCurrent="}, &diff),
             qPrintable(diff));

    // And saving what was read gives the same bytes.
    r.Edit1 = s.Edit1;
    r.Edit2 = s.Edit2;
    r.paivitysCurrent = r.paivitysStored;
    QVERIFY(SettingsFile::tallenna_asetukset(r, m_data));
    QCOMPARE(readAll(m_data + "VSselain.dat"), expected);
}

void TestSettingsFile::optionalLinesAreLeftOut()
{
    Settings s = SettingsDefaults::builtIn(Endpoints(), m_prog);
    s.tekstilogo.clear();
    s.fonttilogo.clear();
    s.lapinakyvyys.clear();
    s.hkts = false;
    s.hktunnus = QStringLiteral("tunnus");
    s.hksalasana = QStringLiteral("salainen");
    const QStringList lines = SettingsFile::lines(s);
    for (const char *key : {"Tekstilogo:", "Fonttilogo:", "Lapinakyvyys:", "hks:", "Lisaalogo:", "Suodatin:"})
        QVERIFY2(!lines.join(u'\n').contains(QLatin1String(key)), key);
    QVERIFY(lines.contains(QStringLiteral("hkt:tunnus")));
    QVERIFY(lines.contains(QStringLiteral("Paivitys:1")));   // no page loaded this run
    QCOMPARE(lines.size(), 49 - 6 - 2 + s.myyd1.size() + s.osto1.size() + s.myyd2.size() + s.osto2.size() - 4);

    QVERIFY(SettingsFile::tallenna_asetukset(s, m_data));
    Settings r = SettingsDefaults::builtIn(Endpoints(), m_prog);
    SettingsFile::lataa_asetukset(r, m_data, m_prog);
    QCOMPARE(r.hktunnus, QStringLiteral("tunnus"));
    QCOMPARE(r.hksalasana, QString());            // not stored without "Tallenna salasana"
    QCOMPARE(r.fonttilogo, QStringLiteral("40"));  // the default comes back
    QCOMPARE(r.tekstilogo, QString());
    QCOMPARE(r.myyd1, builtInPaymentTemplates().myyd1);
}

void TestSettingsFile::favouritesAreCappedAt100()
{
    Settings s = SettingsDefaults::builtIn(Endpoints(), m_prog);
    for (int i = 0; i < 120; ++i) {
        s.suosikkimyyjat << QStringLiteral("myyja%1").arg(i);
        s.suosikkihaut << QStringLiteral("haku%1").arg(i);
    }
    const QStringList lines = SettingsFile::lines(s);
    QVERIFY(lines.contains(QStringLiteral("Suosikkimyyja99:myyja99")));
    QVERIFY(lines.contains(QStringLiteral("Suosikkihaku05:haku5")));
    QVERIFY(!lines.join(u'\n').contains(QLatin1String("myyja100")));
    QVERIFY(SettingsFile::tallenna_asetukset(s, m_data));
    Settings r = SettingsDefaults::builtIn(Endpoints(), m_prog);
    SettingsFile::lataa_asetukset(r, m_data, m_prog);
    QCOMPARE(r.suosikkimyyjat, s.suosikkimyyjat.mid(0, 100));
    QCOMPARE(r.suosikkihaut, s.suosikkihaut.mid(0, 100));
}

void TestSettingsFile::longTemplatesSurviveARoundTrip()
{
    // Line numbers have two digits; the 101st line must not read as "00"
    // (which would throw away the first hundred lines).
    Settings s = SettingsDefaults::builtIn(Endpoints(), m_prog);
    s.myyd2.clear();
    for (int i = 0; i < 105; ++i)
        s.myyd2 << QStringLiteral("rivi %1").arg(i);
    QVERIFY(SettingsFile::tallenna_asetukset(s, m_data));
    Settings r = SettingsDefaults::builtIn(Endpoints(), m_prog);
    SettingsFile::lataa_asetukset(r, m_data, m_prog);
    QCOMPARE(r.myyd2, s.myyd2);
}

void TestSettingsFile::lineBreaksInValuesCannotInjectLines()
{
    Settings s = SettingsDefaults::builtIn(Endpoints(), m_prog);
    s.kotisivu = QStringLiteral("http://a.test/\r\nActiveX:1");
    s.suosikkihaut = QStringList{QStringLiteral("x\nKuvattomat:1")};
    s.osto1 = QStringList{QStringLiteral("eka\r\ntoka")};
    QVERIFY(SettingsFile::tallenna_asetukset(s, m_data));
    Settings r = SettingsDefaults::builtIn(Endpoints(), m_prog);
    SettingsFile::lataa_asetukset(r, m_data, m_prog);
    QVERIFY(!r.Activex);
    QVERIFY(!r.PKK);
    QCOMPARE(r.kotisivu, QStringLiteral("http://a.test/ ActiveX:1"));
    QCOMPARE(r.osto1, (QStringList{QStringLiteral("eka"), QStringLiteral("toka")}));
}

void TestSettingsFile::dataFolderFileComesFirst()
{
    writeAll(m_data + "VSselain.dat", "Tagit:1\r\n");
    writeAll(m_prog + "VSselain.dat", "Tagit:2\r\nActiveX:1\r\n");
    Settings s = base();
    QVERIFY(SettingsFile::lataa_asetukset(s, m_data, m_prog));
    QCOMPARE(s.tagit, 1);
    QVERIFY(!s.Activex);
}

void TestSettingsFile::programFolderFileIsReadButNeverWritten()
{
    const QByteArray beside = "Tagit:2\r\n";
    writeAll(m_prog + "VSselain.dat", beside);
    Settings s = base();
    QVERIFY(SettingsFile::lataa_asetukset(s, m_data, m_prog));
    QCOMPARE(s.tagit, 2);
    s.tagit = 1;
    QVERIFY(SettingsFile::tallenna_asetukset(s, m_data));
    QCOMPARE(readAll(m_prog + "VSselain.dat"), beside);
    QVERIFY(readAll(m_data + "VSselain.dat").contains("Tagit:1\r\n"));
}

void TestSettingsFile::missingFileKeepsDefaults()
{
    Settings s = base();
    QVERIFY(!SettingsFile::lataa_asetukset(s, m_data, m_prog));
    QString diff;
    QVERIFY2(sameExcept(s, base(), {}, &diff), qPrintable(diff));
    // A directory in place of the file is no file either.
    QDir().mkpath(m_data + "VSselain.dat");
    QVERIFY(!SettingsFile::lataa_asetukset(s, m_data, m_prog));
}

void TestSettingsFile::filterHookRunsOnlyWhenConfigured_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<bool>("createFilter");
    QTest::addColumn<bool>("called");
    QTest::newRow("path, file, LS on") << QByteArray() << true << true;
    QTest::newRow("LS off") << QByteArray("Lataasuodatin:0\r\n") << true << false;
    QTest::newRow("file missing") << QByteArray() << false << false;
}

void TestSettingsFile::filterHookRunsOnlyWhenConfigured()
{
    QFETCH(QByteArray, lines);
    QFETCH(bool, createFilter);
    QFETCH(bool, called);
    const QString filter = m_data + "suodatin1.txt";
    if (createFilter)
        writeAll(filter, "123456789\r\n");
    writeAll(m_data + "VSselain.dat", lines + "Suodatin:" + filter.toUtf8() + "\r\n");
    QStringList loaded;
    Settings s = base();
    SettingsFile::lataa_asetukset(s, m_data, m_prog, [&](const QString &p) { loaded << p; });
    QCOMPARE(loaded, called ? QStringList{filter} : QStringList{});
}

void TestSettingsFile::sellerNames()
{
    Settings s = base();
    s.Suodatettavatnimimerkit = QStringList{QStringLiteral("vanha")};
    // Read at start even without a settings file; replaces the list.
    writeAll(m_data + "myyjasuodatin.txt", "myyj\xe4\r\nkaveri\n");
    QVERIFY(!SettingsFile::lataa_asetukset(s, m_data, m_prog));
    QCOMPARE(s.Suodatettavatnimimerkit, (QStringList{QStringLiteral("myyjä"), QStringLiteral("kaveri")}));

    QVERIFY(SettingsFile::saveSellerNames(s, m_data));
    QCOMPARE(readAll(m_data + "myyjasuodatin.txt"), QByteArray("myyj\xe4\r\nkaveri\r\n"));

    // An empty list writes nothing (the old file stays).
    s.Suodatettavatnimimerkit.clear();
    QVERIFY(!SettingsFile::saveSellerNames(s, m_data));
    QCOMPARE(readAll(m_data + "myyjasuodatin.txt"), QByteArray("myyj\xe4\r\nkaveri\r\n"));

    // Failure is silent: just false.
    s.Suodatettavatnimimerkit = QStringList{QStringLiteral("x")};
    QVERIFY(!SettingsFile::saveSellerNames(s, m_dir.path() + "/puuttuu/"));
}

void TestSettingsFile::failedSaveReturnsFalse()
{
    const Settings s = full(m_data);
    // Target path is a folder (with something in it that must survive).
    QDir().mkpath(m_data + "VSselain.dat");
    writeAll(m_data + "VSselain.dat/sisalto", "x");
    QVERIFY(!SettingsFile::tallenna_asetukset(s, m_data));
    QCOMPARE(readAll(m_data + "VSselain.dat/sisalto"), QByteArray("x"));
    // Data folder missing.
    QVERIFY(!SettingsFile::tallenna_asetukset(s, m_dir.path() + "/puuttuu/"));
}

void TestSettingsFile::failedWriteKeepsTheOldFile()
{
    // A write that fails half way (here: the file-size limit, which binds
    // root too, as a full disk would) must leave the previous file intact.
    const QByteArray old = "ActiveX:1\r\nTagit:2\r\n";
    writeAll(m_data + "VSselain.dat", old);
    const Settings s = full(m_data);
    rlimit saved{};
    QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
    auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
    const bool ok = SettingsFile::tallenna_asetukset(s, m_data);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    QVERIFY(!ok);
    QCOMPARE(readAll(m_data + "VSselain.dat"), old);
    const QStringList left = QDir(m_data).entryList(QDir::Files);
    QCOMPARE(left, QStringList{QStringLiteral("VSselain.dat")});   // no temporary file left behind
}

// The message names the file, the cause and that the earlier file was kept.
void TestSettingsFile::saveFailureNamesItsCause_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("cause");
    QTest::newRow("missing folder") << "puuttuu" << "Kansiota ei ole";
    QTest::newRow("write broken off") << "data" << "Kirjoittaminen ei onnistunut";
}

void TestSettingsFile::saveFailureNamesItsCause()
{
    QFETCH(QString, folder);
    QFETCH(QString, cause);
    const QString dir = m_dir.path() + u'/' + folder + u'/';
    const QByteArray old = "ActiveX:1\r\n";
    if (QFileInfo(dir).isDir())
        writeAll(dir + "VSselain.dat", old);
    QString error;
    bool ok = true;
    if (folder == QLatin1String("data")) {
        // The file-size limit binds root too; on a disk with room the
        // cause is the failed write itself.
        rlimit saved{};
        QVERIFY(getrlimit(RLIMIT_FSIZE, &saved) == 0);
        auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit small = saved;
        small.rlim_cur = 64;
        QVERIFY(setrlimit(RLIMIT_FSIZE, &small) == 0);
        ok = SettingsFile::tallenna_asetukset(full(m_data), dir, &error);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previousHandler);
    } else {
        ok = SettingsFile::tallenna_asetukset(full(m_data), dir, &error);
    }
    QVERIFY(!ok);
    QVERIFY2(error.startsWith(QStringLiteral("Asetusten tallentaminen ei onnistunut:\r") + dir + "VSselain.dat"),
             qPrintable(error));
    QVERIFY2(error.contains(cause), qPrintable(error));
    QVERIFY2(error.endsWith(QStringLiteral("Aiempi tiedosto säilyi ennallaan.")), qPrintable(error));
    if (QFileInfo(dir).isDir())
        QCOMPARE(readAll(dir + "VSselain.dat"), old);
}

// A settings file or seller-name list far bigger than any real one is not
// read; the report says so in Finnish, and the file is left on disk as it is.
void TestSettingsFile::oversizedFilesAreRefusedAndKept_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<bool>("refused");
    QTest::newRow("settings at the limit") << "VSselain.dat" << SettingsFile::kMaxSettingsBytes << false;
    QTest::newRow("settings past the limit") << "VSselain.dat" << SettingsFile::kMaxSettingsBytes + 1 << true;
    QTest::newRow("seller names past the limit") << "myyjasuodatin.txt" << SettingsFile::kMaxSellerNamesBytes + 1
                                                 << true;
}

void TestSettingsFile::oversizedFilesAreRefusedAndKept()
{
    QFETCH(QString, name);
    QFETCH(qint64, size);
    QFETCH(bool, refused);
    // One favourite line of the given size (a name list: one name as long).
    const bool settings = name == QLatin1String("VSselain.dat");
    QByteArray bytes = settings ? QByteArray("Tagit:2\r\nSuosikkimyyja00:") : QByteArray("nimi\r\n");
    bytes += QByteArray(size - bytes.size() - 2, 'x') + "\r\n";
    writeAll(m_data + name, bytes);
    Settings s = base();
    SettingsFile::LoadReport report;
    SettingsFile::lataa_asetukset(s, m_data, m_prog, {}, &report);
    QCOMPARE(settings ? report.settingsRefused : report.sellerNamesRefused, refused);
    QCOMPARE(report.messages.size(), refused ? 1 : 0);
    if (refused) {
        QVERIFY2(report.messages.first().contains(QStringLiteral("liian suuri")), qPrintable(report.messages.first()));
        QVERIFY(report.messages.first().contains(m_data + name));
        QCOMPARE(s.tagit, base().tagit);
        QCOMPARE(s.Suodatettavatnimimerkit, base().Suodatettavatnimimerkit);
    } else {
        QCOMPARE(s.tagit, 2);
    }
    QCOMPARE(QFileInfo(m_data + name).size(), size);
}

void TestSettingsFile::overlongLinesAreSkipped()
{
    const QByteArray longName(SettingsFile::kMaxLineLength + 1, 'y');
    writeAll(m_data + "VSselain.dat", "Suosikkimyyja00:" + longName + "\r\nSuosikkimyyja01:lyhyt\r\n");
    writeAll(m_data + "myyjasuodatin.txt", longName + "\r\nmyyja\r\n");
    Settings s = base();
    SettingsFile::LoadReport report;
    SettingsFile::lataa_asetukset(s, m_data, m_prog, {}, &report);
    QCOMPARE(s.suosikkimyyjat, QStringList{QStringLiteral("lyhyt")});
    QCOMPARE(s.Suodatettavatnimimerkit, QStringList{QStringLiteral("myyja")});
    QVERIFY(report.messages.isEmpty());
}

// A NUL or another control character in an address would never load (the
// first tab stayed at "Avataan.." on every start): the line is refused and
// the built-in address stays.
void TestSettingsFile::addressesWithControlCharactersAreRefused_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QString>("field");
    QTest::newRow("NUL in the home page") << QByteArray("Kotisivu:http://www.vasaro.test/\0x", 35) << "kotisivu";
    QTest::newRow("tab in the home page") << QByteArray("Kotisivu:http://a.test/\tb") << "kotisivu";
    QTest::newRow("escape in the counter") << QByteArray("Serveri:http://a.test/\x1b.php") << "serveri";
    QTest::newRow("DEL in the own server") << QByteArray("Omapalvelin:http://a.test/\x7f.php") << "omapalvelin";
}

void TestSettingsFile::addressesWithControlCharactersAreRefused()
{
    QFETCH(QByteArray, line);
    QFETCH(QString, field);
    Settings s = base();
    SettingsFile::applyLine(s, Cp1252::decode(line));
    QCOMPARE(describe(s).value(field), describe(base()).value(field));
    // An ordinary address is taken.
    SettingsFile::applyLine(s, QStringLiteral("Kotisivu:http://www.vasaro.test/haku?q=ä"));
    QCOMPARE(s.kotisivu, QStringLiteral("http://www.vasaro.test/haku?q=ä"));
}

QTEST_GUILESS_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
