#include "update/programrestart.h"
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <cerrno>
#include <csignal>

namespace {
const char kWaitVariable[] = "VSSELAIN_WAIT_PID";
}

bool ProgramRestart::start(const QString &programFile)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QLatin1String(kWaitVariable), QString::number(QCoreApplication::applicationPid()));
    QProcess process;
    process.setProgram(programFile);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QFileInfo(programFile).absolutePath());
    return process.startDetached();
}

void ProgramRestart::waitForPrevious(int limitMs)
{
    bool ok = false;
    const qint64 pid = qEnvironmentVariable(kWaitVariable).toLongLong(&ok);
    qunsetenv(kWaitVariable);
    if (!ok || pid <= 1 || pid == QCoreApplication::applicationPid())
        return;
    const QDeadlineTimer deadline(limitMs);
    while (!deadline.hasExpired() && (::kill(pid_t(pid), 0) == 0 || errno == EPERM))
        QThread::msleep(50);
}
