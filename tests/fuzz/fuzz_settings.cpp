// The settings file "VSselain.dat" and the seller-name list. Whatever file is
// read, the values that take an item index stay inside their list, and the
// settings written from what was read read back to the same lines. The
// seller-name list written from a list that was read reads back the same.
#include "core/settings.h"
#include "core/settingsfile.h"
#include "fuzzsupport.h"
#include <QFile>

namespace {
// A cleared optional text ("Fonttilogo:" and its like) is not written, so it
// reads back as its default: those lines are left out of the comparison.
QStringList comparable(QStringList lines)
{
    lines.removeIf([](const QString &l) {
        return l.startsWith(QLatin1String("Fonttilogo:")) || l.startsWith(QLatin1String("Tekstilogo:"))
            || l.startsWith(QLatin1String("Lapinakyvyys:"));
    });
    return lines;
}

void checkSettings(const QByteArray &bytes)
{
    Settings read;
    SettingsFile::applyBytes(read, bytes);
    FUZZ_CHECK(read.tagit >= 0 && read.tagit < 3);
    FUZZ_CHECK(read.logonpaikka >= 0 && read.logonpaikka < 5);
    FUZZ_CHECK(read.Color1 >= 0 && read.Color1 < 21);
    FUZZ_CHECK(read.rg >= 0 && read.rg < 2);
    FUZZ_CHECK(read.valuutta == 0 || read.valuutta == 1);

    const QString folder = Fuzz::scratch();
    FUZZ_CHECK(SettingsFile::tallenna_asetukset(read, folder));
    Settings again;
    SettingsFile::lataa_asetukset(again, folder, folder);
    FUZZ_CHECK(comparable(SettingsFile::lines(again)) == comparable(SettingsFile::lines(read)));
}

void checkSellerNames(const QByteArray &bytes)
{
    const QString folder = Fuzz::scratch();
    const QString path = folder + SettingsFile::sellerNamesFileName();
    {
        QFile f(path);
        FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size());
    }
    Settings read;
    FUZZ_CHECK(SettingsFile::loadSellerNames(read, folder));
    for (const QString &name : read.Suodatettavatnimimerkit)
        FUZZ_CHECK(!name.contains(u'\r') && !name.contains(u'\n'));
    if (read.Suodatettavatnimimerkit.isEmpty())
        return;
    FUZZ_CHECK(SettingsFile::saveSellerNames(read, folder));
    Settings again;
    FUZZ_CHECK(SettingsFile::loadSellerNames(again, folder));
    FUZZ_CHECK(again.Suodatettavatnimimerkit == read.Suodatettavatnimimerkit);
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = Fuzz::raw(data, size);
    checkSettings(bytes);
    checkSellerNames(bytes);
    return 0;
}
