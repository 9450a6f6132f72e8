#pragma once
// The browser's own keys, as a web browser has them: reload, back, forward,
// stop and the address box. They act only on keys the program's command
// keys leave alone; the main window asks here after the command rules.
#include <Qt>

namespace BrowserKeys {

enum class Action {
    None,
    Reload,        // F5, Ctrl+R, the keyboard's reload key
    Back,          // Alt+Left, the keyboard's back key
    Forward,       // Alt+Right, the keyboard's forward key
    Stop,          // Escape, the keyboard's stop key: only while a page loads
    FocusAddress,  // Ctrl+L: the address box, its text selected
    CloseTab,      // Ctrl+W: the active tab, as "Sulje"
    ReopenTab,     // Ctrl+Shift+T: the last closed tab
    ZoomReset,     // Ctrl+0: 100 %
    Downloads,     // Ctrl+J: the downloads list
    History,       // Ctrl+Shift+H: the history list
    Print          // Ctrl+P: "Tulosta sivu.."
};

Action action(int key, Qt::KeyboardModifiers modifiers);

}
