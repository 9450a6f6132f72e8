#pragma once
// The JSON scanners of the REST API answers. Answers are not parsed into a
// tree: single values are taken out of the text after the escapes are undone.
// None of them fails; a missing key or marker gives the empty text.
#include <QChar>
#include <QString>

namespace JsonScan {

// An escaped double quote becomes this character (code 27) so that a scan
// ending a value at the next double quote is not fooled by quotes inside it.
inline constexpr QChar kPlaceholder = QChar(27);

// Undoes \\ \/ \" (-> placeholder) \r \n \t and \uXXXX; any other backslash
// stays as it is and the character after it is read normally.
QString JsonUnescape(const QString &text);
// JsonUnescape, then every character Windows-1252 lacks becomes "?" (how the
// program reads every API answer).
QString JsonUnescapeCp1252(const QString &text);

// The text between the first start marker (found without regard to case, so
// markers are given in lower case) and the next end marker (likewise);
// empty when either is missing.
QString JsonParse(const QString &text, const QString &start, const QString &end);

// The value of the first member "key": (case-sensitive), taken as written:
// strings lose their quotes, objects and arrays their opening bracket and are
// cut at the first closing one, numbers run to the next ",". "null" is empty;
// "minimumIncrease" and "buyNowPrice" are empty unless above 0. Placeholders
// become double quotes again.
QString avaajson(const QString &text, const QString &key);

// A price with two decimals: 12 -> 12.00, 12.5 -> 12.50, .5 -> 0.50;
// 12.345 and the empty text stay as they are.
QString lisaa_desimaalit(const QString &text);

} // namespace JsonScan
