#include "windowsizing.h"

namespace {
int fit(int screen, int exact, int exactResult, int cap, int design)
{
    if (screen == exact)
        return exactResult;
    if (screen > exact && screen < cap)
        return screen - 100;
    if (screen >= cap)
        return cap;
    return design;
}
}

QSize mainWindowClientSize(const QSize &screen, const QSize &design)
{
    return QSize(fit(screen.width(), 800, 760, 1136, design.width()),
                 fit(screen.height(), 600, 560, 800, design.height()));
}
