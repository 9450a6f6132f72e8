#pragma once
// The rules of the ledger fetch that need no network: the "Alkaen:" and
// "Määrä:" checks, the list addresses and their paging by 50, the walk over
// the joined list pages, the fields taken from the three answers of a trade
// and the row a trade becomes. The fetch itself is in ledgerfetch.h.
#include "ledger/model/ledgertable.h"
#include <QString>
#include <QStringList>

class QJsonObject;

namespace LedgerFetchRules {

inline constexpr int kPageSize = 50;
inline constexpr int kTimeoutMs = 30000;

// "Alkaen:" on leaving the box: anything but a whole number of 0 or more
// becomes "0". "Määrä:": below 1 or unreadable becomes "10", above 9999
// becomes "9999". Other texts stay as typed.
QString checkStart(const QString &text);
QString checkCount(const QString &text);

// The list address of a mode with "sivujenkoko" and "sivuindeksi" still in
// it; `apiBase` ends in "/1.1/".
QString listTemplate(const QString &apiBase, LedgerMode mode, const QString &userId,
                     const QString &noCache);
// The template with its first "sivujenkoko" and first "sivuindeksi" filled in.
QString pageAddress(const QString &listTemplate, int pageSize, int page);

// The pages that cover trades start .. start + count - 1 (pages count from 1).
struct Pages {
    int first = 1;
    int last = 0;
};
Pages pagesFor(int start, int count, int pageSize);

// Does a page answer hold the list marker (also without its double quotes,
// or with apostrophes for them)?
bool hasListMarker(const QString &answer, const QString &marker);
// Is a list page usable: the marker, a whole JSON document (not cut short,
// not an error page) and at most `pageSize` trades in it.
bool pageIsSound(const QString &answer, const QString &marker, int pageSize);

// The walk over the joined, unescaped list pages: the trades of the first
// page that lie before the start are passed over, then `count` trades are
// handed out in the order of the answer.
class TradeWalk final {
public:
    TradeWalk(const QString &joined, int start, int count);
    // The next trade that counts; false when the walk is over.
    bool next(QString *trade);

private:
    QString m_text;
    int m_at = -1;       // the marker the next trade starts at; -1: none left
    int m_skip = 0;
    int m_left = 0;
};

// A value found by a case-sensitive search for `marker`: the text after it up
// to the first ",", then up to the first "}". Empty (found false) without
// the marker.
QString exactValue(const QString &answer, const QString &marker, bool *found = nullptr);

// The fields of one trade. A field that is missing is empty.
struct TradeFields {
    QString itemNumber;
    QString counterpartyId;
    QString quantity = QStringLiteral("1");
    QString price;
    QString title;
    QString closingTime;       // as the marketplace writes it
    QString deliveryPrice;
    QString fullName, userName, email, street, zip, town, mobile;
};

// What reading an answer gave.
enum class Reading { Ok, NoPrice, Faulty };

// The trade of an item: the counterparty in sold mode, quantity and price.
// NoPrice: the trade is left out quietly. Faulty: a quantity or price that
// is not a number (null counts as missing).
Reading readTrade(const QString &answer, LedgerMode mode, TradeFields *fields);
// The item: the counterparty in bought mode, title, closing time, delivery
// price. Faulty: a delivery price that is not a number.
Reading readItem(const QString &answer, LedgerMode mode, TradeFields *fields);
// The counterparty's name, address and contact details.
void readUser(const QString &answer, TradeFields *fields);

// Are the members of the answer named by these keys (lower-cased; the
// members' names are compared without regard to case) texts or null where
// present? A number or an object in their place is an answer of the wrong kind.
bool textFieldsOk(const QJsonObject &answer, const QStringList &lowerKeys);
// A user id fit to be put into an address: 1 to 12 digits.
bool isUserId(const QString &id);

// "2021-03-04T12:34:56+02:00" -> "04.03.2021 12:34:56" (characters 9-10,
// 6-7, 1-4 and 12-19 of the text, so a missing time gives ".. ").
QString closingCell(const QString &isoTime);
// The 10 cells of the ledger row of a trade.
QStringList rowOf(const TradeFields &fields);

}
