#include "browser/tabs/tabstrip.h"
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr quint32 kSkyBlue = 15780518;
constexpr int kTextLeft = 6;
constexpr int kTextTop = 3;
}

TabStrip::TabStrip(QWidget *parent) : QTabBar(parent)
{
    setObjectName(QStringLiteral("PCTabStrip"));
    setDrawBase(false);
    setElideMode(Qt::ElideNone);
    setUsesScrollButtons(true);
    setExpanding(false);
}

QColor TabStrip::fromColorRef(quint32 bgr)
{
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

QColor TabStrip::tabColour()
{
    return fromColorRef(kSkyBlue);
}

QFont TabStrip::captionFont(bool active) const
{
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    f.setBold(active);
    return f;
}

QSize TabStrip::tabSizeHint(int index) const
{
    // Room for the bold caption, so a tab does not change size when chosen.
    const QFontMetrics fm(captionFont(true));
    return QSize(fm.horizontalAdvance(tabText(index)) + 2 * kTextLeft + 4, fm.height() + 2 * kTextTop + 2);
}

QSize TabStrip::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

void TabStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor fill = tabColour();
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        const QRect r = tabRect(i);
        if (!r.isValid())
            continue;
        p.fillRect(r.adjusted(0, 0, -1, 0), fill);
        p.setFont(captionFont(i == currentIndex()));
        p.setPen(Qt::black);
        p.drawText(r.adjusted(kTextLeft, kTextTop, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   tabText(i));
    }
}

void TabStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        emit middleClicked();
        event->accept();
        return;
    }
    QTabBar::mousePressEvent(event);
}
