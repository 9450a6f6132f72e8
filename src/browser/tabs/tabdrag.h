#pragma once
// Dragging a tab of the strip to a new place. A left press on a tab and a
// move past the platform's drag distance take the tab along: it changes
// places with its shown neighbour once the pointer lies so far over the
// neighbour that, after the change, the pointer is on the dragged tab again
// (tabs of unequal width never swing back and forth). The first tab stays
// first: it is never taken along and no tab goes before it.
//
// The drag only asks: moveRequested(from, to) names the neighbour, which goes
// to the dragged tab's place (QTabBar::moveTab semantics). Moving the
// neighbour rather than the dragged, active tab keeps the page on screen in
// its place while the tab widget rearranges its pages.
#include <QObject>
#include <QPoint>

class QMouseEvent;
class QTabBar;

class TabDrag final : public QObject {
    Q_OBJECT
public:
    // Watches `strip`'s mouse events; a child of it.
    explicit TabDrag(QTabBar *strip);

    bool dragging() const { return m_dragging; }

signals:
    void moveRequested(int from, int to);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void press(const QMouseEvent *event);
    void follow(const QMouseEvent *event);
    void finish();
    bool stepTowards(int x);
    int shownNeighbour(int index, int step) const;

    QTabBar *m_strip;
    int m_tab = -1;            // the tab taken along while the left button is down
    QPoint m_pressedAt;
    bool m_dragging = false;
    int m_moves = 0;           // moves the strip has reported
};
