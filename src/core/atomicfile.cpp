#include "atomicfile.h"
#include <QSaveFile>

bool AtomicFile::write(const QString &path, const QByteArray &bytes, QFileDevice::Permissions extra)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    // Flush before commit: Qt 6.4's commit() does not notice a failure of the
    // final buffer flush (a full disk) and would replace the old file with a
    // truncated one.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        f.cancelWriting();
        return false;
    }
    if (extra)
        f.setPermissions(f.permissions() | extra);
    return f.commit();
}
