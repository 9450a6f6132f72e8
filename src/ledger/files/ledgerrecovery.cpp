#include "ledger/files/ledgerrecovery.h"
#include "core/atomicfile.h"
#include "ledger/files/ledgerfiles.h"
#include <QFile>
#include <QFileInfo>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr QFileDevice::Permissions OwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The atomic writer gives the new file the permissions of the file it
// replaces, so an owner-only file is in place before the first write and
// the list is never readable by others, not even for a moment.
bool ownerOnlyInPlace(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0)
        return ::close(fd) == 0;
    return QFileInfo(path).isFile() && QFile::setPermissions(path, OwnerOnly);
}
}

QString LedgerRecovery::path(const QString &dataFolder)
{
    return dataFolder + QStringLiteral("tallentamaton_lista.dat");
}

bool LedgerRecovery::write(const LedgerTable &list, const QString &path)
{
    const bool existed = QFileInfo::exists(path);
    if (!ownerOnlyInPlace(path))
        return false;
    if (!AtomicFile::write(path, LedgerFiles::listBytes(list))) {
        if (!existed)
            QFile::remove(path);
        return false;
    }
    return QFile::setPermissions(path, OwnerOnly);
}
