#include "commanddispatch.h"

namespace CommandDispatch {

namespace {
// Windows whose keys are left alone: the program's own input dialogs
// ("VSselain", "Suodatin") and the picture-size prompt.
bool leftAlone(const QString &title)
{
    const QString lower = title.toLower();
    return lower.contains(QLatin1String("vsselain")) || lower.contains(QLatin1String("suodatin"))
        || lower.contains(QLatin1String("kuvan leveys"));
}

QString deleteCommand(const KeyContext &context)
{
    if (context.addressListSelection)
        return QStringLiteral("poistaurl");
    // Without the seller filter the key stays with the page, so Delete still
    // works in the page's own fields.
    if (context.resultListPage && context.sellerFilter)
        return QStringLiteral("suodatakohde");
    return {};
}

QString ctrlCommand(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return QStringLiteral("tabvasen");
    case Qt::Key_Right:
        return QStringLiteral("taboikea");
    case Qt::Key_F:
        return QStringLiteral("etsikorosta");
    case Qt::Key_H:
        return QStringLiteral("kohdehaku");
    case Qt::Key_K:
        return QStringLiteral("kayttajahaku");
    case Qt::Key_Q:
        return QStringLiteral("suljelehti");
    case Qt::Key_S:
        return QStringLiteral("tallennasivu");
    case Qt::Key_T:
        return QStringLiteral("uusilehti");
    case Qt::Key_U:
        return QStringLiteral("lahdekoodi");
    // The plus key arrives as "+" or, on keyboards where plus is the shifted
    // "=", as "="; the keypad's plus as "+" with the keypad flag.
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return QStringLiteral("zoom+");
    // Shift is not looked at, so Ctrl+Shift+minus ("_") zooms out as well.
    case Qt::Key_Minus:
    case Qt::Key_Underscore:
        return QStringLiteral("zoom-");
    default:
        return {};
    }
}
}

QString keyCommand(int key, Qt::KeyboardModifiers modifiers, const KeyContext &context)
{
    // Alt without Ctrl makes a system key (menu access), never a command.
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    if (modifiers.testFlag(Qt::AltModifier) && !ctrl)
        return {};
    if (!context.inMainWindow || leftAlone(context.windowTitle))
        return {};
    if (key == Qt::Key_F11)
        return QStringLiteral("kokoruututila");
    if (key == Qt::Key_F3)
        return QStringLiteral("etsitekstia");
    if (key == Qt::Key_Delete) {
        QString word = deleteCommand(context);
        if (!word.isEmpty())
            return word;
    }
    // Ctrl+Shift+T and Ctrl+Shift+H are the browser's own keys (reopen the
    // closed tab, the history list), not a second Ctrl+T / Ctrl+H.
    if (ctrl && modifiers.testFlag(Qt::ShiftModifier) && (key == Qt::Key_T || key == Qt::Key_H))
        return {};
    return ctrl ? ctrlCommand(key) : QString();
}

MouseAction mouseAction(QEvent::Type type, Qt::MouseButton button)
{
    if (button != Qt::BackButton && button != Qt::ForwardButton)
        return MouseAction::NotHandled;
    if (type != QEvent::MouseButtonPress)
        return MouseAction::Swallowed;
    return button == Qt::BackButton ? MouseAction::Back : MouseAction::Forward;
}

int nearestShownTab(const QList<bool> &shown, int current, int step)
{
    if (step == 0 || current < 0 || current >= shown.size())
        return -1;
    for (int i = current + step; i >= 0 && i < shown.size(); i += step) {
        if (shown.at(i))
            return i;
    }
    return -1;
}

}
