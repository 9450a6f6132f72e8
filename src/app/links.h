#pragma once
#include <QString>

// Addresses behind the "Ohje" and "Linkkejä" menu items, by item caption.
namespace Links {
QString addressFor(const QString &caption);
QString makerContact();
}
