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

// Load: the data folder's file, else the one beside the program (read
// only, never written). Then the seller-filter hook, then the seller-name
// list of the data folder. True when a settings file was read.
bool lataa_asetukset(Settings &s, const QString &dataFolder, const QString &programFolder,
                     const FilterLoader &loadFilter = {});
// Save: replaces data folder + "VSselain.dat" atomically. False on any
// failure, and the previous file is then left as it was.
bool tallenna_asetukset(const Settings &s, const QString &dataFolder);

// The lines as written, in file order.
QStringList lines(const Settings &s);
// Applies one line read from the file.
void applyLine(Settings &s, const QString &line);
// Applies the bytes of a whole file.
void applyBytes(Settings &s, const QByteArray &bytes);

// Seller-name list: replaces Suodatettavatnimimerkit when the file exists;
// written only when the list has lines. Failures are silent (false).
bool loadSellerNames(Settings &s, const QString &dataFolder);
bool saveSellerNames(const Settings &s, const QString &dataFolder);
}
