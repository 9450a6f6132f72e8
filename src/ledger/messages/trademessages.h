#pragma once
// Payment messages of the ledger: the template chosen for the selected
// counterparty, its %…% placeholders filled with the counterparty's items,
// sums, postage, account number and address, and the address alone for the
// clipboard. The window hands in what its selection handler has shown (the
// address box, the item count and the counterparty sum).
#include "ledger/model/ledgertable.h"
#include <QString>
#include <QStringList>

class LedgerView;
struct Settings;

// What a message is filled from.
struct TradeMessageData {
    QString postage;      // postage box text, "0.80"
    QString account;      // bank account number
    QString itemCount;    // the counterparty's item count as shown, "3"
    QString partySum;     // the counterparty sum as shown, "17.50€"
    QString items;        // the titles (see TradeMessages::kohteet)
    QString address;      // name, street, postal code and town on one line
    QString itemNumber;   // item number of the selected row
    bool euroWord = false;  // currency word "Euroa" instead of "€"
};

namespace TradeMessages {

// Index of the template page: 0 myyd1, 1 myyd2, 2 osto1, 3 osto2.
int pohja(LedgerMode mode, int itemCount);
// The template lines of a page (from the settings).
QStringList pohjanRivit(const Settings &settings, int page);
void asetaPohja(Settings &settings, int page, const QStringList &lines);
// A template's text: its lines, each followed by CR LF.
QString pohjanTeksti(const QStringList &lines);

// The placeholders replaced in order, every occurrence, whatever the case;
// then the euro signs turned into the currency word when it is chosen.
QString tayta(const QString &templateText, const TradeMessageData &data);

// "%ko%": one item, the title of the selected row; several, every view row
// of the selected counterparty holding an item number, in view order, as
// title, space, price and CR LF.
QString kohteet(const LedgerView &view, int selectedRow, bool several);
// "%os%": lines 1, 3 and 4 of the address box joined by ", "; empty when
// the box holds none of them.
QString osoiteRivilla(const QString &addressBox);
// "Kopioi osoite": lines 1, 3 and 4 of the address box, each followed by
// CR LF; a missing line counts as empty.
QString osoiteLeikepoydalle(const QString &addressBox);
// "%total%"/"%yht%": the counterparty sum (its last character, the euro
// sign, left out) plus the postage, in the shortest decimal form, + "€".
// A text that does not read as a number counts as 0.
QString yhteensa(const QString &partySum, const QString &postage);
// A number in its shortest decimal form: 18.3, 10, 0.05.
QString lyhinMuoto(double value);
// The postage box on leaving it: "," becomes "."; anything that is not a
// number of 0 or more becomes the built-in "0.80".
QString tarkistaPostikulut(const QString &text);
QString oletusPostikulut();

// The whole message for the selection `selectedRow` of the view.
QString viesti(const Settings &settings, LedgerMode mode, const LedgerView &view, int selectedRow,
               const QString &addressBox, const QString &itemCount, const QString &partySum);

}
