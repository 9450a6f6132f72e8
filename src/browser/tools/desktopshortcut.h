#pragma once
// The desktop launcher of the program: "VSselain.desktop" in the user's
// desktop folder, starting the running executable in its own folder.
#include <QString>

namespace DesktopShortcut {
// The launcher file's text for an executable.
QByteArray launcherText(const QString &executable);
// Writes (or replaces) the launcher in desktopFolder, marked executable so
// desktops trust it; false when it could not be written.
bool create(const QString &desktopFolder, const QString &executable);
QString fileName();
}
