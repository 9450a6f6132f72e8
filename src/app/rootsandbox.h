#pragma once
// The web engine refuses to start its sandbox for the root user (as in many
// containers) and then hangs without ever showing a window. A process running
// as root therefore starts the engine without the sandbox and says so on
// stderr; every other user keeps the sandbox.
#include <QByteArray>

namespace RootSandbox {
// Switches the sandbox off (QTWEBENGINE_DISABLE_SANDBOX=1) when `effectiveUid`
// is root and the environment has not switched it off already. Returns the
// one-line warning to print, or an empty text when nothing was changed.
// Must run before the QApplication is created.
QByteArray apply(unsigned effectiveUid);
}
