#pragma once
// The size limits of a prepared picture and the aspect rule that fits a
// picture into them. Pictures are only ever made smaller.
#include <QSize>

struct Settings;

namespace ShrinkRule {
// The size a W x H picture gets inside the MW x MH box: unchanged when it
// fits; otherwise scaled by the tighter of the two ratios, the other side
// rounded to the nearest integer with halves to the even neighbour.
QSize targetSize(QSize picture, QSize limit);
// Round-half-to-even of a non-negative double.
int roundHalfEven(double value);
// The box of an upload mode (1, 2, 3, 6, 7, 8, 9; anything else is the
// main-picture box) from the picture-size fields of the settings. A field
// that is not a whole number counts as 1000, as when it is left.
QSize limitsForMode(int uploadMode, const Settings &settings);
}
