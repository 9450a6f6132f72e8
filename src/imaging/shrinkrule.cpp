#include "imaging/shrinkrule.h"

#include "core/settings.h"
#include "core/wholenumber.h"

#include <cmath>

namespace ShrinkRule {

int roundHalfEven(double value)
{
    return static_cast<int>(std::nearbyint(value));   // default mode: to nearest, ties to even
}

QSize targetSize(QSize picture, QSize limit)
{
    const int w = picture.width();
    const int h = picture.height();
    const int mw = limit.width();
    const int mh = limit.height();
    if (w <= 0 || h <= 0 || mw <= 0 || mh <= 0 || (w <= mw && h <= mh))
        return picture;
    const double boxRatio = static_cast<double>(mw) / mh;
    const double pictureRatio = static_cast<double>(w) / h;
    if (boxRatio >= pictureRatio)
        return QSize(qMax(1, roundHalfEven(w * (static_cast<double>(mh) / h))), mh);
    return QSize(mw, qMax(1, roundHalfEven(h * (static_cast<double>(mw) / w))));
}

static int field(const QString &text)
{
    const int value = WholeNumber::read(text).value_or(1000);
    return value > 0 ? value : 1000;
}

QSize limitsForMode(int uploadMode, const Settings &s)
{
    const QSize main(field(s.Edit1), field(s.Edit2));
    const QSize extra(field(s.Edit3), field(s.Edit4));
    switch (uploadMode) {
    case 1: return QSize(800, main.height());
    case 2: return QSize(600, main.height());
    case 3:
    case 6:
    case 7: return extra;
    default: return main;
    }
}

} // namespace ShrinkRule
