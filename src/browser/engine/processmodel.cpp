#include "browser/engine/processmodel.h"
#include <QFile>
#include <QtGlobal>

namespace {
const char kFlagsVariable[] = "QTWEBENGINE_CHROMIUM_FLAGS";
const char kSharedSiteProcess[] = "--process-per-site";
const char kIsolateOrigins[] = "--isolate-origins=";
// A user who chose a process model keeps it.
const char *const kModelSwitches[] = {"--process-per-site", "--process-per-tab", "--single-process",
                                      "--site-per-process", "--disable-site-isolation-trials"};

bool setHere = false;
bool userSet = false;
QByteArray userValue;

bool choosesModel(const QList<QByteArray> &flags)
{
    for (const QByteArray &flag : flags) {
        if (flag.startsWith(kIsolateOrigins))
            return true;
        for (const char *model : kModelSwitches)
            if (flag == model)
                return true;
    }
    return false;
}

// This process's command line (read from the system: the engine may start
// before anything else has looked at it).
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

QByteArray ProcessModel::engineFlags(const QByteArray &envFlags, bool envSet, const QList<QByteArray> &arguments,
                                     const QByteArray &ownOrigins)
{
    // The user's variable stays as it is written (the engine parses its
    // quotes); only the switches are added.
    QByteArray flags = envFlags.trimmed();
    if (!envSet) {
        const int marker = arguments.indexOf("--webEngineArgs");
        flags = marker >= 0 ? arguments.mid(marker + 1).join(' ') : QByteArray();
    }
    if (choosesModel(flags.simplified().split(' ')))
        return flags;
    QByteArray added = kSharedSiteProcess;
    if (!ownOrigins.isEmpty())
        added += QByteArray(" ") + kIsolateOrigins + ownOrigins;
    return flags.isEmpty() ? added : flags + ' ' + added;
}

void ProcessModel::apply(const QByteArray &ownOrigins)
{
    if (setHere)
        return;
    userSet = qEnvironmentVariableIsSet(kFlagsVariable);
    userValue = qgetenv(kFlagsVariable);
    qputenv(kFlagsVariable, engineFlags(userValue, userSet, ownArguments(), ownOrigins));
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
