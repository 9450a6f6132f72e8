#pragma once
// The one reader of whole numbers that files and answers give. Qt's own
// conversions stop at a NUL character and still report success ("1\0junk"
// reads as 1), so numbers from outside are read here, character by character.
#include <QStringView>
#include <optional>

namespace WholeNumber {
// An optional "+" or "-" followed by ASCII digits, nothing else (no blanks, no
// NUL). Nothing when the text is not such a number or does not fit in an int.
std::optional<int> read(QStringView text);
// ASCII digits only, no sign: the fields of dates and indexes in keys.
std::optional<int> readDigits(QStringView text);
}
