#pragma once
// The user's preferences. Field names are the names of the controls that show
// them in the settings dialog (TForm3), the ledger window and the main window,
// so every feature can say which setting it reads.
#include <QColor>
#include <QString>
#include <QStringList>

struct Settings {
    // Page 1 "Yleiset"
    bool Activex = false;
    bool skripti = true;
    bool siirry = true;
    bool vasaroaika = true;
    bool LS = true;
    QString kotisivu;                 // filled with the web base address at start-up
    QString Edit5 = QStringLiteral("60");   // seller-filter lifetime in days
    QString ipohjat;                  // listing-template folder
    bool muistutakirjanmerkeista = true;
    bool naytakuvat = true;
    // Page 2 "VS asetukset"
    bool pienet_kuvat = false;
    bool PKK = false;
    QString Edit1 = QStringLiteral("800");  // hidden main picture width
    QString Edit2 = QStringLiteral("600");  // hidden main picture height
    bool muutakuva = true;
    bool poistamainokset = true;
    bool poistauutiset = true;
    bool poistafb = false;
    bool suljelehti = false;
    bool piilotapalkki = true;
    bool xpalkki = true;              // not stored
    // Page 3 "Lisäkuvien asetukset"
    QString Edit3 = QStringLiteral("1024");
    QString Edit4 = QStringLiteral("1500");
    int tagit = 0;
    QString omapalvelin;
    QString hktunnus;
    QString hksalasana;
    bool hkts = false;
    bool aui = true;
    // Page 4 "Kävijälaskuri"
    QColor ColorBox3 = QColor(255, 0, 0);
    int rg = 0;
    QString serveri;
    // Page 5 "Logo"
    QString tekstilogo;
    QString fonttilogo = QStringLiteral("40");
    QString lapinakyvyys = QStringLiteral("50");
    int logonpaikka = 1;
    int Color1 = 1;                   // index into the colour list; 1 = "Black"
    QColor Color1Custom = QColor(0, 0, 0);  // colour of the "Custom..." entry; not stored
    bool lisaalogo = true;

    // Main window state stored in the same file
    QString paivitysStored;           // "Paivitys:1" + day: the stored update-check day
    QString paivitysCurrent;          // day of this run's check; written as "Paivitys:1" + day
    bool Timer2 = true;               // watch-list timer enabled
    QString suodatinPath;             // seller-filter file
    QString sulkeutumisaika;          // closing-time text "weekday  d.m:hh:mm"
    QStringList suosikkimyyjat;
    QStringList suosikkihaut;
    QStringList Suodatettavatnimimerkit;  // seller names, kept in "myyjasuodatin.txt"

    // Ledger window (TForm8) values stored in the same file
    QStringList myyd1, osto1, myyd2, osto2;   // payment-message templates
    QString postikulut = QStringLiteral("0.80");
    QString tilinumero;
    int valuutta = 0;
};
