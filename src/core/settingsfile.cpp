#include "settingsfile.h"
#include "colourlist.h"
#include "linefile.h"
#include "scrambler.h"
#include "settings.h"
#include "wholenumber.h"
#include <QFileInfo>
#include <iterator>

namespace {
// A line that starts with the key sets the flag to the value.
struct FlagRule {
    const char *key;
    bool Settings::*field;
    bool value;
};
const FlagRule kFlagRules[] = {
    {"ActiveX:1", &Settings::Activex, true},
    {"Javascript:0", &Settings::skripti, false},
    {"Naytakuvat:0", &Settings::naytakuvat, false},
    {"Kuvattomat:1", &Settings::PKK, true},
    {"Lataasuodatin:0", &Settings::LS, false},
    {"Lisaalogo:0", &Settings::lisaalogo, false},
    {"Poistamainokset:0", &Settings::poistamainokset, false},
    {"Poistauutiset:0", &Settings::poistauutiset, false},
    {"poistafb:1", &Settings::poistafb, true},
    {"Pienet_kuvat:1", &Settings::pienet_kuvat, true},
    {"Piilotapalkki:0", &Settings::piilotapalkki, false},
    {"hkts:1", &Settings::hkts, true},
    {"aui:0", &Settings::aui, false},
};

// A line with the key whose last character is `last` sets the flag.
struct LastCharRule {
    const char *key;
    bool Settings::*field;
    char last;
    bool value;
};
const LastCharRule kLastCharRules[] = {
    {"Pienennakuva:", &Settings::muutakuva, '0', false},
    {"Siirry:", &Settings::siirry, '0', false},
    {"Vasaroaika:", &Settings::vasaroaika, '0', false},
    {"Suljevalilehti:", &Settings::suljelehti, '1', true},
};

// The rest of the line after the key is the value.
struct TextRule {
    const char *key;
    QString Settings::*field;
    bool address = false;     // refused when it holds a control character
};
const TextRule kTextRules[] = {
    {"Fonttilogo:", &Settings::fonttilogo},
    {"Tekstilogo:", &Settings::tekstilogo},
    {"Lapinakyvyys:", &Settings::lapinakyvyys},
    {"Paivitys:1", &Settings::paivitysStored},
    {"Suodatin:", &Settings::suodatinPath, true},
    {"Serveri:", &Settings::serveri, true},
    {"Kotisivu:", &Settings::kotisivu, true},
    {"Omapalvelin:", &Settings::omapalvelin, true},
    {"Suodattimenkesto:", &Settings::Edit5},
    {"KuvanleveysL:", &Settings::Edit3},
    {"KuvankorkeusL:", &Settings::Edit4},
    {"hkt:", &Settings::hktunnus},
    {"postikulut:", &Settings::postikulut},
    {"tilinumero:", &Settings::tilinumero},
    {"Sulkeutumisaika:", &Settings::sulkeutumisaika},
};

// The rest of the line is an item index of a list with `count` items; a
// value that is not a number or names no item is ignored.
struct IndexRule {
    const char *key;
    int Settings::*field;
    int count;
};
const IndexRule kIndexRules[] = {
    {"Tagit:", &Settings::tagit, 3},
    {"Logonpaikka:", &Settings::logonpaikka, 5},
    {"Logonvari:", &Settings::Color1, 21},
    {"Laskurintyyppi:", &Settings::rg, 2},
};

struct MemoRule {
    const char *key;
    QStringList Settings::*field;
};
const MemoRule kMemoRules[] = {
    {"myyd1:", &Settings::myyd1},
    {"osto1:", &Settings::osto1},
    {"myyd2:", &Settings::myyd2},
    {"osto2:", &Settings::osto2},
};

constexpr int kMaxFavourites = 100;
const QLatin1String kSellerKey("Suosikkimyyja");
const QLatin1String kSearchKey("Suosikkihaku");

QString bit(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// A value can hold no line break: one inside a value would start a line of
// its own (possibly with another key), so it is written as a blank.
QString oneLine(QString value)
{
    value.replace(QLatin1String("\r\n"), QLatin1String(" "));
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

bool applyFixedRules(Settings &s, const QString &line)
{
    for (const FlagRule &r : kFlagRules) {
        if (line.startsWith(QLatin1String(r.key))) {
            s.*r.field = r.value;
            return true;
        }
    }
    for (const LastCharRule &r : kLastCharRules) {
        if (line.startsWith(QLatin1String(r.key))) {
            if (line.endsWith(QLatin1Char(r.last)))
                s.*r.field = r.value;
            return true;
        }
    }
    for (const TextRule &r : kTextRules) {
        const QLatin1String key(r.key);
        if (line.startsWith(key)) {
            const QString value = line.mid(key.size());
            if (!r.address || SettingsFile::isAddressText(value))
                s.*r.field = value;
            return true;
        }
    }
    for (const IndexRule &r : kIndexRules) {
        const QLatin1String key(r.key);
        if (line.startsWith(key)) {
            const std::optional<int> n = WholeNumber::read(QStringView(line).mid(key.size()));
            if (n && *n >= 0 && *n < r.count)
                s.*r.field = *n;
            return true;
        }
    }
    return false;
}

bool applyMemoLine(Settings &s, const QString &line)
{
    for (const MemoRule &r : kMemoRules) {
        const QLatin1String key(r.key);
        if (!line.startsWith(key))
            continue;
        const std::optional<int> number = WholeNumber::read(QStringView(line).mid(key.size(), 2));
        if (number == 0)
            (s.*r.field).clear();       // a stored template replaces the built-in one
        (s.*r.field).append(line.mid(key.size() + 2));
        return true;
    }
    return false;
}

bool applyFavourite(Settings &s, const QString &line)
{
    QStringList *list = nullptr;
    int from = 0;
    if (line.startsWith(kSellerKey)) {
        list = &s.suosikkimyyjat;
        from = kSellerKey.size() + 3;
    } else if (line.startsWith(kSearchKey)) {
        list = &s.suosikkihaut;
        from = kSearchKey.size() + 3;
    } else {
        return false;
    }
    const QString text = line.mid(from);
    if (text.size() > 1)
        list->append(text);
    return true;
}

bool applySpecial(Settings &s, const QString &line)
{
    if (line.startsWith(QLatin1String("IPohjat:"))) {
        const QString dir = line.mid(8);
        if (!dir.isEmpty() && QFileInfo(dir).isDir())
            s.ipohjat = dir;
        return true;
    }
    if (line.startsWith(QLatin1String("Laskurinvari:"))) {
        if (const auto c = ColourList::fromText(line.mid(13)))
            s.ColorBox3 = *c;
        return true;
    }
    if (line.startsWith(QLatin1String("hks:"))) {
        if (const auto pw = Scrambler::decodePassword(line.mid(4)))
            s.hksalasana = *pw;
        return true;
    }
    if (line.startsWith(QLatin1String("valuutta:1"))) {
        s.valuutta = 1;
        return true;
    }
    return applyMemoLine(s, line) || applyFavourite(s, line);
}

void appendMemo(QStringList &out, const char *key, const QStringList &memo)
{
    // A memo line may itself hold line breaks when it came from a text box;
    // each becomes a line of its own, as in the memo.
    QStringList lines;
    for (const QString &entry : memo) {
        QString t = entry;
        t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        t.replace(u'\r', u'\n');
        lines << t.split(u'\n');
    }
    // The number field has two digits; lines beyond the 100th are numbered
    // 99 so that no later line reads as "00" (which would restart the memo).
    for (int i = 0; i < lines.size(); ++i)
        out << QLatin1String(key) + twoDigits(qMin(i, 99)) + lines[i];
}

void appendFavourites(QStringList &out, QLatin1String key, const QStringList &list)
{
    const int n = qMin(int(list.size()), kMaxFavourites);
    for (int i = 0; i < n; ++i)
        out << key + twoDigits(i) + u':' + oneLine(list[i]);
}
}

QString SettingsFile::fileName()
{
    return QStringLiteral("VSselain.dat");
}

QString SettingsFile::sellerNamesFileName()
{
    return QStringLiteral("myyjasuodatin.txt");
}

void SettingsFile::applyLine(Settings &s, const QString &line)
{
    // The one key recognised anywhere in a line; the line may match another
    // key as well.
    if (line.contains(QLatin1String("Muistuta:0"))) {
        s.Timer2 = false;
        s.muistutakirjanmerkeista = false;
    }
    if (!applyFixedRules(s, line))
        applySpecial(s, line);
}

void SettingsFile::applyBytes(Settings &s, const QByteArray &bytes)
{
    for (const QString &line : LineFile::split(bytes))
        applyLine(s, line);
}

QStringList SettingsFile::lines(const Settings &s)
{
    QStringList o;
    o << QStringLiteral("ActiveX:") + bit(s.Activex)
      << QStringLiteral("Javascript:") + bit(s.skripti)
      << QStringLiteral("Naytakuvat:") + bit(s.naytakuvat)
      << QStringLiteral("Kuvattomat:") + bit(s.PKK)
      << QStringLiteral("Tagit:") + QString::number(s.tagit)
      << QStringLiteral("Lataasuodatin:") + bit(s.LS)
      << QStringLiteral("Pienennakuva:") + bit(s.muutakuva);
    if (!s.fonttilogo.isEmpty())
        o << QStringLiteral("Fonttilogo:") + oneLine(s.fonttilogo);
    if (!s.tekstilogo.isEmpty())
        o << QStringLiteral("Tekstilogo:") + oneLine(s.tekstilogo);
    if (!s.lapinakyvyys.isEmpty())
        o << QStringLiteral("Lapinakyvyys:") + oneLine(s.lapinakyvyys);
    o << QStringLiteral("Logonpaikka:") + QString::number(s.logonpaikka)
      << QStringLiteral("Logonvari:") + QString::number(s.Color1);
    if (!s.lisaalogo)
        o << QStringLiteral("Lisaalogo:0");
    o << QStringLiteral("Poistamainokset:") + bit(s.poistamainokset)
      << QStringLiteral("Poistauutiset:") + bit(s.poistauutiset)
      << QStringLiteral("poistafb:") + bit(s.poistafb)
      << QStringLiteral("Siirry:") + bit(s.siirry)
      << QStringLiteral("Vasaroaika:") + bit(s.vasaroaika)
      << QStringLiteral("Paivitys:1") + oneLine(s.paivitysCurrent)
      << QStringLiteral("Suljevalilehti:") + bit(s.suljelehti)
      << QStringLiteral("Muistuta:") + bit(s.Timer2);
    if (!s.suodatinPath.isEmpty())
        o << QStringLiteral("Suodatin:") + oneLine(s.suodatinPath);
    o << QStringLiteral("Serveri:") + oneLine(s.serveri)
      << QStringLiteral("Kotisivu:") + oneLine(s.kotisivu)
      << QStringLiteral("IPohjat:") + oneLine(s.ipohjat)
      << QStringLiteral("Omapalvelin:") + oneLine(s.omapalvelin)
      << QStringLiteral("Kuvanleveys:") + oneLine(s.Edit1)
      << QStringLiteral("Suodattimenkesto:") + oneLine(s.Edit5)
      << QStringLiteral("Kuvankorkeus:") + oneLine(s.Edit2)
      << QStringLiteral("KuvanleveysL:") + oneLine(s.Edit3)
      << QStringLiteral("KuvankorkeusL:") + oneLine(s.Edit4)
      << QStringLiteral("Laskurinvari:") + ColourList::toText(s.ColorBox3)
      << QStringLiteral("Laskurintyyppi:") + QString::number(s.rg)
      << QStringLiteral("Pienet_kuvat:") + bit(s.pienet_kuvat)
      << QStringLiteral("Piilotapalkki:") + bit(s.piilotapalkki)
      << QStringLiteral("hkts:") + bit(s.hkts)
      << QStringLiteral("aui:") + bit(s.aui)
      << QStringLiteral("hkt:") + oneLine(s.hktunnus);
    if (s.hkts && !s.hksalasana.isEmpty())
        o << QStringLiteral("hks:") + Scrambler::encodePassword(s.hksalasana);
    appendMemo(o, "myyd1:", s.myyd1);
    appendMemo(o, "osto1:", s.osto1);
    appendMemo(o, "myyd2:", s.myyd2);
    appendMemo(o, "osto2:", s.osto2);
    o << QStringLiteral("postikulut:") + oneLine(s.postikulut)
      << QStringLiteral("tilinumero:") + oneLine(s.tilinumero)
      << QStringLiteral("valuutta:") + QString::number(s.valuutta)
      << QStringLiteral("Sulkeutumisaika:") + oneLine(s.sulkeutumisaika);
    appendFavourites(o, kSellerKey, s.suosikkimyyjat);
    appendFavourites(o, kSearchKey, s.suosikkihaut);
    return o;
}

namespace {
QString tooBig(const QString &what, const QString &path)
{
    return what + QStringLiteral(" on liian suuri, eikä sitä käytetä:\r") + path
           + QStringLiteral("\r\rTiedosto jätetään ennalleen.");
}

QStringList withoutLongLines(QStringList lines)
{
    lines.removeIf([](const QString &l) { return l.size() > SettingsFile::kMaxLineLength; });
    return lines;
}
}

bool SettingsFile::isAddressText(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

bool SettingsFile::lataa_asetukset(Settings &s, const QString &dataFolder, const QString &programFolder,
                                   const FilterLoader &loadFilter, LoadReport *report)
{
    QString path = dataFolder + fileName();
    if (!QFileInfo(path).isFile())
        path = programFolder + fileName();
    bool read = false;
    const QFileInfo info(path);
    if (info.isFile() && info.size() > kMaxSettingsBytes) {
        if (report) {
            report->settingsRefused = true;
            report->messages << tooBig(QStringLiteral("Asetustiedosto"), path);
        }
    } else if (info.isFile()) {
        if (const auto fileLines = LineFile::read(path)) {
            for (const QString &line : withoutLongLines(*fileLines))
                applyLine(s, line);
            read = true;
        }
    }
    if (loadFilter && s.LS && !s.suodatinPath.isEmpty() && QFileInfo(s.suodatinPath).isFile())
        loadFilter(s.suodatinPath);
    loadSellerNames(s, dataFolder, report);
    return read;
}

bool SettingsFile::tallenna_asetukset(const Settings &s, const QString &dataFolder, QString *error)
{
    const QString path = dataFolder + fileName();
    QString cause;
    if (LineFile::write(path, lines(s), &cause))
        return true;
    if (error)
        *error = QStringLiteral("Asetusten tallentaminen ei onnistunut:\r") + path + QStringLiteral("\r\r") + cause
                 + QStringLiteral("\r\rAiempi tiedosto säilyi ennallaan.");
    return false;
}

bool SettingsFile::loadSellerNames(Settings &s, const QString &dataFolder, LoadReport *report)
{
    const QString path = dataFolder + sellerNamesFileName();
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    if (info.size() > kMaxSellerNamesBytes) {
        if (report) {
            report->sellerNamesRefused = true;
            report->messages << tooBig(QStringLiteral("Myyjäluettelo"), path);
        }
        return false;
    }
    const auto names = LineFile::read(path);
    if (!names)
        return false;
    s.Suodatettavatnimimerkit = withoutLongLines(*names);
    return true;
}

bool SettingsFile::saveSellerNames(const Settings &s, const QString &dataFolder)
{
    if (s.Suodatettavatnimimerkit.isEmpty())
        return false;
    return LineFile::write(dataFolder + sellerNamesFileName(), s.Suodatettavatnimimerkit);
}
