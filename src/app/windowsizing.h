#pragma once
#include <QSize>

// Client size of the main window from the screen size: 800 × 600 screens get
// 760 × 560, mid-size screens lose 100 pixels, large ones are capped at
// 1136 × 800; any other size keeps the design size.
QSize mainWindowClientSize(const QSize &screen, const QSize &design = QSize(782, 611));
