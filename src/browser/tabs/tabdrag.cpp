#include "browser/tabs/tabdrag.h"
#include <QApplication>
#include <QMouseEvent>
#include <QTabBar>

namespace {
// A pointer flung across the whole strip passes every tab in one move.
constexpr int kMostStepsPerMove = 100;
}

TabDrag::TabDrag(QTabBar *strip) : QObject(strip), m_strip(strip)
{
    strip->installEventFilter(this);
    connect(strip, &QTabBar::tabMoved, this, [this] { ++m_moves; });
}

bool TabDrag::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_strip)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        press(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseMove:
        follow(static_cast<QMouseEvent *>(event));
        break;
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton)
            finish();
        break;
    case QEvent::Hide:
        finish();
        break;
    default:
        break;
    }
    // The strip still sees every event: a press chooses the tab as before.
    return false;
}

void TabDrag::press(const QMouseEvent *event)
{
    finish();
    if (event->button() != Qt::LeftButton)
        return;
    const int tab = m_strip->tabAt(event->position().toPoint());
    // The first tab is pinned.
    if (tab <= 0)
        return;
    m_tab = tab;
    m_pressedAt = event->position().toPoint();
}

void TabDrag::follow(const QMouseEvent *event)
{
    if (m_tab <= 0)
        return;
    if (!(event->buttons() & Qt::LeftButton)) {
        finish();   // the release went elsewhere
        return;
    }
    const QPoint at = event->position().toPoint();
    if (!m_dragging) {
        if ((at - m_pressedAt).manhattanLength() < QApplication::startDragDistance())
            return;
        m_dragging = true;
        m_strip->setCursor(Qt::ClosedHandCursor);
    }
    for (int i = 0; i < kMostStepsPerMove && stepTowards(at.x()); ++i) {
    }
}

// One change of places towards `x`; false when the tab is where it belongs.
bool TabDrag::stepTowards(int x)
{
    if (m_tab <= 0 || m_tab >= m_strip->count())
        return false;
    const QRect dragged = m_strip->tabRect(m_tab);
    const int step = x > dragged.right() ? 1 : (x < dragged.left() ? -1 : 0);
    if (step == 0)
        return false;
    const int other = shownNeighbour(m_tab, step);
    if (other <= 0)
        return false;   // nothing beyond, or the first tab
    const QRect near = m_strip->tabRect(other);
    // After the change the dragged tab spans its own width from the far side
    // of the neighbour's place: the pointer must already lie in that span.
    const bool farEnough = step > 0 ? x >= near.right() + 1 - dragged.width()
                                    : x <= near.left() - 1 + dragged.width();
    if (!farEnough)
        return false;
    const int moves = m_moves;
    emit moveRequested(other, m_tab);
    if (m_moves == moves)
        return false;   // nobody moved it
    m_tab += step;
    return true;
}

int TabDrag::shownNeighbour(int index, int step) const
{
    for (int i = index + step; i >= 0 && i < m_strip->count(); i += step) {
        if (m_strip->isTabVisible(i))
            return i;
    }
    return -1;
}

void TabDrag::finish()
{
    if (m_dragging)
        m_strip->unsetCursor();
    m_dragging = false;
    m_tab = -1;
}
