#pragma once
// The settings file "VSselain.dat" and the seller-name list
// "myyjasuodatin.txt" in the data folder.
//
// The file is a list of "key" + value lines in a fixed order; a reader
// applies every line it recognises and leaves everything else at its
// current value, so a damaged or partial file never stops the program.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

struct Settings;

namespace SettingsFile {
QString fileName();              // "VSselain.dat"
QString sellerNamesFileName();   // "myyjasuodatin.txt"

// Called with the seller-filter file to load when the settings name one
// that exists and "Lataa suodatin" is on.
using FilterLoader = std::function<void(const QString &path)>;

// A settings file is a few kilobytes, a seller-name list some thousand
// names; files far past that are not read (nor written over), and lines
// too long to be a setting or a name are skipped.
constexpr qint64 kMaxSettingsBytes = 1024 * 1024;
constexpr qint64 kMaxSellerNamesBytes = 8 * 1024 * 1024;
constexpr int kMaxLineLength = 10000;

// What a load refused, for the user and for the save at close.
struct LoadReport {
    bool settingsRefused = false;      // the settings file is kept as it is
    bool sellerNamesRefused = false;   // so is the seller-name list
    QStringList messages;              // Finnish, one per refused file
};

// Load: the data folder's file, else the one beside the program (read
// only, never written). Then the seller-filter hook, then the seller-name
// list of the data folder. True when a settings file was read.
bool lataa_asetukset(Settings &s, const QString &dataFolder, const QString &programFolder,
                     const FilterLoader &loadFilter = {}, LoadReport *report = nullptr);
// Save: replaces data folder + "VSselain.dat" atomically. False on any
// failure, and the previous file is then left as it was; `error` then gets
// the message for the user (what failed, why, and that the file was kept).
bool tallenna_asetukset(const Settings &s, const QString &dataFolder, QString *error = nullptr);

// Addresses (the home page, the counter and picture servers) hold no
// control characters: such a value is refused.
bool isAddressText(const QString &text);

// The lines as written, in file order.
QStringList lines(const Settings &s);
// Applies one line read from the file.
void applyLine(Settings &s, const QString &line);
// Applies the bytes of a whole file.
void applyBytes(Settings &s, const QByteArray &bytes);

// Seller-name list: replaces Suodatettavatnimimerkit when the file exists;
// written only when the list has lines. Failures are silent (false).
bool loadSellerNames(Settings &s, const QString &dataFolder, LoadReport *report = nullptr);
bool saveSellerNames(const Settings &s, const QString &dataFolder);
}
