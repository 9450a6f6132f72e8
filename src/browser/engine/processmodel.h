#pragma once
// Which renderer process a page runs in. The engine gives every tab the
// program opens a renderer of its own, even for the same site: five
// marketplace tabs cost five renderers. With one renderer per site
// (Chromium's process-per-site model) the marketplace's tabs share one and
// other sites keep theirs. The price: a page that hangs its renderer stalls
// the other tabs of its site too (see HangWatch).
//
// The engine reads its flags from QTWEBENGINE_CHROMIUM_FLAGS, and then
// ignores the engine arguments of the command line (those after
// "--webEngineArgs"); both kinds of the user's own flags are kept.
#include <QByteArray>
#include <QList>

namespace ProcessModel {
// The engine's flags: the user's (`envFlags` when `envSet`, else the
// command-line arguments after "--webEngineArgs") with "--process-per-site
// --site-per-process" and no spare renderer added, unless they already
// choose a process model.
QByteArray engineFlags(const QByteArray &envFlags, bool envSet, const QList<QByteArray> &arguments);
// Sets the flags for this process. Must run before the engine starts (before
// the first profile); BrowserProfile::registerSchemes calls it.
void apply();
// Once the engine has started (it has read the flags): programs started from
// this one get the variable as the user had it.
void engineStarted();
}
