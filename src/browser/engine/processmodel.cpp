#include "browser/engine/processmodel.h"
#include <QFile>
#include <QtGlobal>

namespace {
const char kFlagsVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";
// One renderer per site. Strict site isolation goes with it: without it the
// engine puts a new tab's first (empty) document into the renderer of the
// site-less document that opened first and then keeps every site the tab
// loads in it, so all tabs would end up in one process. Site isolation keeps
// a spare renderer started ahead for the next navigation; it is not wanted.
const char kSharedSiteProcess[] = "--process-per-site --site-per-process";
const char kDisableFeatures[] = "--disable-features=";
const char kNoSpareRenderer[] = "SpareRendererForSitePerProcess";
// A user who chose a process model keeps it.
const char *const kModelSwitches[] = {"--process-per-site", "--process-per-tab", "--single-process",
                                      "--site-per-process", "--disable-site-isolation-trials"};

bool setHere = false;
bool userSet = false;
QByteArray userValue;

bool choosesModel(const QList<QByteArray> &flags)
{
    for (const QByteArray &flag : flags)
        for (const char *model : kModelSwitches)
            if (flag == model)
                return true;
    return false;
}

// This process's command line (the QApplication does not exist yet).
QList<QByteArray> ownArguments()
{
    QFile cmdline(QStringLiteral("/proc/self/cmdline"));
    if (!cmdline.open(QIODevice::ReadOnly))
        return {};
    QList<QByteArray> arguments = cmdline.readAll().split('\0');
    if (!arguments.isEmpty() && arguments.last().isEmpty())
        arguments.removeLast();
    return arguments;
}
}

QByteArray ProcessModel::engineFlags(const QByteArray &envFlags, bool envSet, const QList<QByteArray> &arguments)
{
    // The user's variable stays as it is written (the engine parses its
    // quotes); only the switch is added.
    QByteArray flags = envFlags.trimmed();
    if (!envSet) {
        const int marker = arguments.indexOf("--webEngineArgs");
        flags = marker >= 0 ? arguments.mid(marker + 1).join(' ') : QByteArray();
    }
    const QList<QByteArray> words = flags.simplified().split(' ');
    if (choosesModel(words))
        return flags;
    // The engine takes one --disable-features (the last): the user's gets the
    // spare renderer added to its list.
    const int at = flags.lastIndexOf(kDisableFeatures);
    if (at >= 0 && (at == 0 || flags.at(at - 1) == ' ')) {
        int end = flags.indexOf(' ', at);
        if (end < 0)
            end = flags.size();
        flags.insert(end, QByteArray(",") + kNoSpareRenderer);
    } else {
        flags += QByteArray(flags.isEmpty() ? "" : " ") + kDisableFeatures + kNoSpareRenderer;
    }
    return flags + ' ' + kSharedSiteProcess;
}

void ProcessModel::apply()
{
    if (setHere)
        return;
    userSet = qEnvironmentVariableIsSet(kFlagsVariable);
    userValue = qgetenv(kFlagsVariable);
    qputenv(kFlagsVariable, engineFlags(userValue, userSet, ownArguments()));
    setHere = true;
}

void ProcessModel::engineStarted()
{
    if (!setHere)
        return;
    if (userSet)
        qputenv(kFlagsVariable, userValue);
    else
        qunsetenv(kFlagsVariable);
}
