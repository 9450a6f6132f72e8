#pragma once
// The JavaScript the program injects, kept in src/browser/js/ as resources.
#include <QString>

namespace ScriptSource {
// The text of js/<name> ("document.js"); empty when missing.
QString load(const QString &name);
// The page helpers' shared prelude (js/prelude.js) and then `script`: the
// page-helper scripts (document.js, the seller's pageaccess.js) build on
// the prelude's helpers in the same world.
QString withPrelude(const QString &script);
// Qt's qwebchannel.js client library.
QString channelLibrary();
}
