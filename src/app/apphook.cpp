#include "apphook.h"
#include <QEvent>

AppHook::AppHook(QObject *parent) : QObject(parent) {}

bool AppHook::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return m_mouse && m_mouse(watched, event);
    case QEvent::KeyPress:
    case QEvent::ShortcutOverride:
        return m_keyboard && m_keyboard(watched, event);
    default:
        return false;
    }
}
