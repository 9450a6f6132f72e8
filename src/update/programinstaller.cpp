#include "update/programinstaller.h"
#include "core/atomicfile.h"
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <unistd.h>

namespace {
bool renameOver(const QString &from, const QString &to)
{
    // rename(2) replaces an existing target in one step (a ".old" left by an
    // update whose program has not been closed yet).
    return std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

constexpr QFileDevice::Permissions kRunnable = QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                               | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                               | QFileDevice::ExeGroup | QFileDevice::ReadOther
                                               | QFileDevice::ExeOther;
}

ProgramInstaller::ProgramInstaller(QString programFile) : m_program(std::move(programFile)) {}

QString ProgramInstaller::oldFile() const
{
    const QFileInfo exe(m_program);
    return exe.absolutePath() + u'/' + exe.completeBaseName() + QStringLiteral(".old");
}

QString ProgramInstaller::stagingFile() const
{
    return m_program + QStringLiteral(".uusi");
}

bool ProgramInstaller::replaceable() const
{
    const QString folder = QFileInfo(m_program).absolutePath() + u'/';
    if (folder.startsWith(QStringLiteral("/usr/")) && !folder.startsWith(QStringLiteral("/usr/local/")))
        return false;
    // access() also says no for root in an immutable or read-only mounted folder.
    return ::access(QFile::encodeName(folder).constData(), W_OK) == 0;
}

bool ProgramInstaller::install(const QByteArray &bytes)
{
    const QString staging = stagingFile();
    if (oldFile() == m_program)   // a program already named "x.old" has nowhere to go
        return false;
    if (!AtomicFile::write(staging, bytes, kRunnable) || !QFile::setPermissions(staging, kRunnable)) {
        QFile::remove(staging);
        return false;
    }
    if (!renameOver(m_program, oldFile())) {
        QFile::remove(staging);
        return false;
    }
    if (!renameOver(staging, m_program)) {
        renameOver(oldFile(), m_program);
        QFile::remove(staging);
        return false;
    }
    return true;
}

void ProgramInstaller::removeOld() const
{
    QFile::remove(oldFile());
}
