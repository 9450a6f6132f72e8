#include "atomicfile.h"
#include "paths.h"
#include "privatestorage.h"
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStorageInfo>

namespace {
// Why a file could not be replaced, in words the user can act on.
QString failureCause(const QString &path, const QSaveFile &f)
{
    const QFileInfo file(path);
    const QFileInfo folder(file.absolutePath());
    if (!folder.isDir())
        return QStringLiteral("Kansiota ei ole: ") + folder.absoluteFilePath();
    if (!folder.isWritable())
        return QStringLiteral("Kansioon ei voi kirjoittaa: ") + folder.absoluteFilePath();
    if (file.isDir())
        return QStringLiteral("Tiedoston paikalla on kansio.");
    if (file.exists() && !file.isWritable())
        return QStringLiteral("Tiedosto on kirjoitussuojattu.");
    const QStorageInfo storage(folder.absoluteFilePath());
    if (storage.isValid() && storage.bytesAvailable() < 64 * 1024)
        return QStringLiteral("Levy on täynnä.");
    return QStringLiteral("Kirjoittaminen ei onnistunut (") + f.errorString() + u')';
}
}

bool AtomicFile::write(const QString &path, const QByteArray &bytes, QFileDevice::Permissions extra, QString *cause)
{
    const bool existed = QFileInfo::exists(path);
    QSaveFile f(path);
    const auto fail = [&] {
        if (cause)
            *cause = failureCause(path, f);
        return false;
    };
    if (!f.open(QIODevice::WriteOnly))
        return fail();
    // Set before any byte is written, so private text never sits in a file
    // that others can read. (A file system without permissions still saves.)
    if (Paths::isInDataFolder(path))
        f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    else if (!existed)   // not the program's files' owner-only mask
        f.setPermissions(PrivateStorage::usualPermissions() | extra);
    else if (extra)
        f.setPermissions(f.permissions() | extra);
    // Flush before commit: Qt 6.4's commit() does not notice a failure of the
    // final buffer flush (a full disk) and would replace the old file with a
    // truncated one.
    if (f.write(bytes) != bytes.size() || !f.flush()) {
        f.cancelWriting();
        return fail();
    }
    return f.commit() || fail();
}

int AtomicFile::removeLeftovers(const QString &folder, const QStringList &names, const QDateTime &before)
{
    // QSaveFile writes "<name>." + six letters or digits and renames it.
    static const QRegularExpression suffix(QStringLiteral("^\\.[A-Za-z0-9]{6}$"));
    const QDir dir(folder);
    int removed = 0;
    for (const QFileInfo &info : dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoSymLinks)) {
        const QString name = info.fileName();
        for (const QString &base : names) {
            if (base.isEmpty() || name.size() != base.size() + 7 || !name.startsWith(base)
                || !suffix.match(QStringView(name).mid(base.size())).hasMatch())
                continue;
            if (info.lastModified() < before && QFile::remove(info.absoluteFilePath()))
                ++removed;
            break;
        }
    }
    return removed;
}
