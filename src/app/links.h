#pragma once
#include <QString>

class Endpoints;

// Addresses behind the "Ohje" and "Linkkejä" menu items, by item caption.
// Each comes from an endpoints key (core/endpoints.h); the maker's pages lie
// under its one web address "maker_web". An unknown caption gives "".
namespace Links {
QString addressFor(const QString &caption, const Endpoints &endpoints);
QString makerContact();
}
