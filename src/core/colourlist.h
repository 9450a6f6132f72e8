#pragma once
// The colour-picker list of the settings dialog (Color1, ColorBox3): the
// custom entry, the sixteen standard colours and four extended colours.
#include <QColor>
#include <QString>
#include <optional>

namespace ColourList {
constexpr int kCustom = 0;
int count();                          // 21
QString name(int index);              // "Custom...", "Black", ...
QColor colour(int index);             // the custom entry reports black
// Index of the first named entry (1..20) with exactly this RGB value, or
// kCustom when none has it.
int indexOf(const QColor &colour);

// "#RRGGBB" with upper-case hexadecimal digits.
QString toText(const QColor &colour);
// Reads red from positions 2-3, green from 4-5, blue from 6-7 (1-based);
// nothing when a component is missing or not hexadecimal.
std::optional<QColor> fromText(const QString &text);
}
