#pragma once
// The JavaScript the program injects, kept in src/browser/js/ as resources.
#include <QString>

namespace ScriptSource {
// The text of js/<name> ("document.js"); empty when missing.
QString load(const QString &name);
// Qt's qwebchannel.js client library.
QString channelLibrary();
}
