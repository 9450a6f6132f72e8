#pragma once
// Outside addresses of the program. Built-in values can be overridden key by
// key by an INI-style file named in $VSSELAIN_ENDPOINTS ("key=value" lines).
//
// Marketplace keys:
//   web_base  "https://www.<host>/": prefix of every page address the program
//             builds (item, profile, search and own pages, the search form).
//   domain    the marketplace host without "www.": an address belongs to the
//             marketplace when its lower-cased form contains it.
//   api_base  "https://api.<host>/1.1/": prefix of every REST API request.
//   (The looser marketplace word "vasaro", which any marketplace host
//   contains, is fixed in client/urlscheme.h and not configurable.)
//   proxy     "http://host:port" for the program's requests and the browsers.
//
// Addresses behind the "Ohje" and "Linkkejä" menu items (app/links):
//   maker_web          the maker's web site; its info, change-log, listing
//                      tool and feedback pages lie under it
//   reminder_service   the maker's e-mail reminder script (form POST), by
//                      default under maker_web at "ajastus/add.php"
//   posti_prices, posti_tracking, matkahuolto
//                      the parcel carriers' pages
//   auction_myyjaosta, auction_systeemi, auction_tradera, auction_ebay
//                      home pages of the other auction sites
//
// Picture hosts of the listing editor's upload commands:
//   imgur_root         Imgur's site root (Referer, small pictures' links);
//                      uploads go to imgur_root + "upload"
//   imgur_image_root   Imgur's direct-picture root
//   aijaa_root         Aijaa's site root; uploads go to aijaa_root + "upld/"
//   vasarokuva_root    Vasarokuva: "multikuva.php", "kuva/" and "t/" below it
#include <QHash>
#include <QString>

class Endpoints final {
public:
    Endpoints();                                   // built-in values only
    static Endpoints fromEnvironment();            // built-ins + $VSSELAIN_ENDPOINTS
    void loadOverrides(const QString &path);

    QString value(const QString &key) const;
    void set(const QString &key, const QString &value);

    QString webBase() const { return value(QStringLiteral("web_base")); }
    QString domain() const { return value(QStringLiteral("domain")); }
    QString apiBase() const { return value(QStringLiteral("api_base")); }
    QString proxy() const { return value(QStringLiteral("proxy")); }
    QString reminderService() const { return value(QStringLiteral("reminder_service")); }

private:
    QHash<QString, QString> m_values;
};
