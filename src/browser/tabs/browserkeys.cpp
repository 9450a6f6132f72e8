#include "browser/tabs/browserkeys.h"

namespace BrowserKeys {

Action action(int key, Qt::KeyboardModifiers modifiers)
{
    // The keypad flag says where a key is, not what it means.
    const Qt::KeyboardModifiers held =
        modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    switch (key) {
    case Qt::Key_Reload:
    case Qt::Key_Refresh:
        return Action::Reload;
    case Qt::Key_Back:
        return Action::Back;
    case Qt::Key_Forward:
        return Action::Forward;
    case Qt::Key_Stop:
        return Action::Stop;
    default:
        break;
    }
    if (held == Qt::NoModifier) {
        if (key == Qt::Key_F5)
            return Action::Reload;
        if (key == Qt::Key_Escape)
            return Action::Stop;
    } else if (held == Qt::ControlModifier) {
        if (key == Qt::Key_R)
            return Action::Reload;
        if (key == Qt::Key_L)
            return Action::FocusAddress;
        if (key == Qt::Key_W)
            return Action::CloseTab;
        if (key == Qt::Key_0)
            return Action::ZoomReset;
        if (key == Qt::Key_J)
            return Action::Downloads;
        if (key == Qt::Key_P)
            return Action::Print;
    } else if (held == (Qt::ControlModifier | Qt::ShiftModifier)) {
        if (key == Qt::Key_T)
            return Action::ReopenTab;
        if (key == Qt::Key_H)
            return Action::History;
    } else if (held == Qt::AltModifier) {
        if (key == Qt::Key_Left)
            return Action::Back;
        if (key == Qt::Key_Right)
            return Action::Forward;
    }
    return Action::None;
}

}
