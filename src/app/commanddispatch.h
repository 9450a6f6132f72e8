#pragma once
// The program's own keyboard shortcuts and mouse buttons. The embedded
// browsers swallow most input, so every key press and mouse button passes
// these rules first; a key that maps to a command word is kept from the
// browser and the word is run a moment later by `Timer3`.
#include <QEvent>
#include <QList>
#include <QString>
#include <Qt>

namespace CommandDispatch {

// What the keyboard rules need to know besides the key.
struct KeyContext {
    QString windowTitle;              // title of the active window
    // The active window is the main window, whose active tab the commands
    // act on; the other windows (settings, ledger, dialogs, browser windows
    // of their own) keep their keys.
    bool inMainWindow = true;
    bool addressListSelection = false; // the address box's list is open with an entry selected
    bool resultListPage = false;      // the active tab shows a result-list page
    bool sellerFilter = false;        // the seller filter is there to take the selected listings
};

// The command word for a key press, or an empty string when the key is not
// the program's (it then reaches its widget unchanged).
QString keyCommand(int key, Qt::KeyboardModifiers modifiers, const KeyContext &context);

enum class MouseAction {
    NotHandled,
    Back,      // the mouse's back button went down
    Forward,   // the mouse's forward button went down
    Swallowed  // the rest of a back or forward click: kept from the browser, nothing to do
};
MouseAction mouseAction(QEvent::Type type, Qt::MouseButton button);

// The tab that Ctrl+Left (step -1) or Ctrl+Right (step +1) switches to: the
// nearest shown tab in that direction, or -1 when there is none.
int nearestShownTab(const QList<bool> &shown, int current, int step);

}
