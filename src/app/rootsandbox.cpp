#include "rootsandbox.h"
#include <QList>
#include <QtGlobal>

namespace {
const char kDisableVariable[] = "QTWEBENGINE_DISABLE_SANDBOX";

// The engine also takes the switch from its command-line flags.
bool alreadyDisabled()
{
    if (qEnvironmentVariableIsSet(kDisableVariable))   // any value counts
        return true;
    return qgetenv("QTWEBENGINE_CHROMIUM_FLAGS").split(' ').contains("--no-sandbox");
}
}

QByteArray RootSandbox::apply(unsigned effectiveUid)
{
    if (effectiveUid != 0 || alreadyDisabled())
        return {};
    qputenv(kDisableVariable, "1");
    return QByteArray("VSselain: pääkäyttäjänä ilman hiekkalaatikkoa / "
                      "running as root: web engine sandbox disabled\n");
}
