#pragma once
// Which renderer process a page runs in. The engine gives every tab the
// program opens a renderer of its own, even for the same site: five
// marketplace tabs cost five renderers. With one renderer per site
// (Chromium's process-per-site model) the marketplace's tabs share one. The
// marketplace's own origins are isolated as well: without that the engine
// puts a new tab's first (empty) document into the renderer of the site-less
// document that opened first and keeps every site the tab then loads in it,
// so all tabs would end up in one process. (Strict isolation of every site,
// --site-per-process, stops the engine with a failed check when the
// favourites overview, an empty page written by the program, opens a
// marketplace link.) The price: a page that hangs its renderer stalls the
// other tabs of its site too (see HangWatch).
//
// The engine reads its flags from QTWEBENGINE_CHROMIUM_FLAGS, and then
// ignores the engine arguments of the command line (those after
// "--webEngineArgs"); both kinds of the user's own flags are kept.
#include <QByteArray>
#include <QList>

namespace ProcessModel {
// The engine's flags: the user's (`envFlags` when `envSet`, else the
// command-line arguments after "--webEngineArgs") with "--process-per-site"
// and "--isolate-origins=<ownOrigins>" (comma-separated origins; none when
// empty) added, unless they already choose a process model.
QByteArray engineFlags(const QByteArray &envFlags, bool envSet, const QList<QByteArray> &arguments,
                       const QByteArray &ownOrigins);
// Sets the flags for this process. Must run before the engine starts (the
// first profile); BrowserProfile does it with the marketplace's origins.
void apply(const QByteArray &ownOrigins);
// Once the engine has started (it has read the flags): programs started from
// this one get the variable as the user had it.
void engineStarted();
}
