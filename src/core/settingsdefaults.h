#pragma once
// Default values of the settings: the values the dialog is built with, the
// start-up defaults applied before the settings file is read, the command
// that restores the defaults, and the counter-address rule run at start-up.
#include <QString>
#include <QStringList>

class Endpoints;
struct Settings;

namespace SettingsDefaults {
// The maker's three interchangeable counter-service addresses. Built in as
// http://laskuri1.vsselain.test/laskuri.php (digits 1, 2, 3); the Endpoints
// keys "counter1", "counter2" and "counter3" override them one by one.
QStringList counterAddresses(const Endpoints &endpoints);
// Page with the installation instructions for an own picture server
// (key "own_server_help") and the Vasarokuva web site (key "vasarokuva_site").
QString ownServerHelpAddress(const Endpoints &endpoints);
QString vasarokuvaSiteAddress(const Endpoints &endpoints);

// Everything as the dialogs are built: field defaults, home page = web base
// address, counter = first counter address, template folder = program
// folder, the built-in payment-message templates.
Settings builtIn(const Endpoints &endpoints, const QString &programFolder);

// The part of the start-up defaults that concerns the settings (run before
// the settings file is read).
void applyStartupDefaults(Settings &s, const QString &programFolder);

// "Palauta oletusasetukset": resets the general, VS, picture and host
// fields; leaves "Näytä kuvat", the scroll bar, the counter colour and type,
// the logo page, the ledger values, the closing time, the favourites and
// the filter file path alone.
void restoreDefaults(Settings &s, const Endpoints &endpoints, const QString &dataFolder);

// Counter address at start-up. An empty address, one that begins with the
// folder of any of the maker's addresses (the address without its
// "laskuri.php") or one that contains the retired path "/vsselain/laskuri.php"
// is replaced by addresses[pick % size]; a user's own counter stays.
QString counterAddressAtStartup(const QString &serveri, const QStringList &addresses, int pick);
}
