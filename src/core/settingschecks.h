#pragma once
// Checks the settings dialog runs when a field is left. Each takes the
// settings, puts a corrected value in place and leaves the rest alone.
#include <QString>
#include <optional>

struct Settings;

namespace SettingsChecks {
// A whole number: an optional sign and decimal digits only, within int.
std::optional<int> wholeNumber(const QString &text);

// The four picture-size fields together: Edit1 800..1500, Edit2 600..1500,
// Edit3 and Edit4 500..1500; a field that is not a whole number -> "1000".
void Edit1Exit(Settings &s);
// Seller-filter lifetime: 2..360 days; not a whole number -> "60".
void Edit5Exit(Settings &s);
// Logo font size 0..400 else "40"; transparency 0..100 else "50".
void fonttilogoExit(Settings &s);
// Own picture-server address: kept only when it names an http(s) address
// and a ".php" script; otherwise emptied and false is returned (the dialog
// then tells the user to read the instructions).
bool omapalvelinExit(Settings &s);
// Listing-template folder: a trailing "/" is added when the text ends in
// neither "/" nor "\"; a folder that does not exist becomes the data folder.
void ipohjatExit(Settings &s, const QString &dataFolder);
// Home page: an address with a control character (a NUL, a line break)
// would never load; it is refused for `fallback` and false is returned.
bool kotisivuExit(Settings &s, const QString &fallback);
}
