#pragma once
#include <QPointF>
#include <QWidget>

// Whether a mouse press on `target` at `globalPos` closes the shown `panel`:
// a widget of the panel's own window, neither the panel nor one of its
// children, and the point off the panel's inner area.
inline bool isOutsideClick(const QWidget *panel, QObject *target, const QPointF &globalPos)
{
    if (!panel->isVisible() || !target || !target->isWidgetType())
        return false;
    for (QWidget *w = static_cast<QWidget *>(target); w; w = w->parentWidget()) {
        if (w == panel)
            return false;
    }
    if (static_cast<QWidget *>(target)->window() != panel->window())
        return false;
    const QPointF at = panel->mapFromGlobal(globalPos);
    return at.x() <= 0 || at.y() <= 0 || at.x() >= panel->width() || at.y() >= panel->height();
}
