#include "atomicfile.h"
#include "paths.h"
#include <QSaveFile>

bool AtomicFile::write(const QString &path, const QByteArray &bytes, QFileDevice::Permissions extra)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    // Set before any byte is written, so private text never sits in a file
    // that others can read. (A file system without permissions still saves.)
    if (Paths::isInDataFolder(path))
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    else if (extra)
        f.setPermissions(f.permissions() | extra);
    // Flush before commit: Qt 6.4's commit() does not notice a failure of the
    // final buffer flush (a full disk) and would replace the old file with a
    // truncated one.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}
