#pragma once
// String utilities shared by all marketplace parsing, and the item-number
// rules. Positions given to and returned by these functions are 1-based, as
// the marketplace parsing code counts characters; `copyfrom` is the one place
// that turns such a position into a QString index.
#include <QString>

namespace StrUtil {

// The text from 1-based position `from` to its end; empty when `from` lies
// beyond the end. A position below 1 counts as 1.
QString copyfrom(const QString &text, int from);

// The text with every character that occurs in `set` removed.
QString suodatamerkit(const QString &text, const QString &set);

// 1-based position of the last occurrence of `sub` in `text`; 0 when there is
// none (an empty `sub` never occurs).
int ansiposrev(const QString &sub, const QString &text);

// The text as a whole number (optional sign, decimal digits, surrounding blanks
// allowed); -1 when it is not one or does not fit in an int.
int kokonaisluvuksi(const QString &text);

// The text as a decimal number after every "," has become "."; -1 when it is
// not a finite number. Always read with "." as the decimal separator.
double desimaaliluvuksi(const QString &text);

// The item number in an address or a piece of HTML: what follows "/kohteet/"
// (past the title slug), "/id/" or "/itemid/", found without regard to case,
// up to the end of the address. Empty when none of the markers occurs.
QString palautaitemid(const QString &text);

// The digits that directly follow the first "/items/" (case-sensitive) of an
// API address; empty when there is no such marker.
QString palauta_api_itemid(const QString &text);

// A valid item number has at least 8 characters, all of them "0" to "9".
bool validitemid(const QString &text);

// The leading run of ASCII digits of the text.
QString leadingDigits(const QString &text);

} // namespace StrUtil
