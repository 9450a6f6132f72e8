#include "browser/engine/scriptsource.h"
#include <QFile>

static void initBrowserResources()
{
    // The resource lives in a static library: make sure it is linked in.
    Q_INIT_RESOURCE(browser);
}

namespace ScriptSource {

namespace {
QString readResource(const QString &path)
{
    initBrowserResources();
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}
}

QString load(const QString &name)
{
    return readResource(QStringLiteral(":/browser/js/") + name);
}

QString withPrelude(const QString &script)
{
    static const QString prelude = load(QStringLiteral("prelude.js"));
    return prelude + QStringLiteral(";\n") + script;
}

QString channelLibrary()
{
    return readResource(QStringLiteral(":/qtwebchannel/qwebchannel.js"));
}

}
