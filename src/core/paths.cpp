#include "paths.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
constexpr QFile::Permissions kOwnerOnly = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
constexpr QFile::Permissions kOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
    | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;

QString withSlash(QString p)
{
    if (!p.endsWith(u'/'))
        p += u'/';
    return p;
}

// Where the data folder is, without creating it; `own` tells whether the
// program chose the place (rather than the user through the environment).
QString location(bool *own = nullptr)
{
    QString dir = qEnvironmentVariable("VSSELAIN_DATA_DIR");
    if (own)
        *own = dir.isEmpty();
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.local/share/VSselain");
    return QDir::cleanPath(QDir(dir).absolutePath());
}

void makePrivateFolder(const QString &dir, bool own)
{
    QFileInfo info(dir);
    if (!info.exists()) {
        QDir().mkpath(info.absolutePath());
        QDir().mkdir(dir, kOwnerOnly);
        return;
    }
    // A folder the user named may be shared on purpose (or be a system
    // folder); only the program's own folder is tightened.
    if (own && info.isDir() && (info.permissions() & kOthers))
        QFile::setPermissions(dir, kOwnerOnly);
}
} // namespace

QString Paths::dataFolder()
{
    bool own = false;
    const QString dir = location(&own);
    makePrivateFolder(dir, own);
    return withSlash(dir);
}

bool Paths::isInDataFolder(const QString &path)
{
    const QString folder = QFileInfo(location()).canonicalFilePath();
    if (folder.isEmpty())
        return false;
    // The file itself may not exist yet: compare its folder.
    const QFileInfo file(path);
    const QString parent = QFileInfo(file.absolutePath()).canonicalFilePath();
    return !parent.isEmpty() && (parent == folder || parent.startsWith(withSlash(folder)));
}

QString Paths::programFolder()
{
    return withSlash(QCoreApplication::applicationDirPath());
}

QString Paths::shippedDataFolder()
{
    const QString beside = programFolder();
    const QString installed = QDir::cleanPath(beside + QStringLiteral("../share/vsselain")) + u'/';
    const QString file = QStringLiteral("osastolista");
    if (!QFileInfo::exists(beside + file) && QFileInfo::exists(installed + file))
        return installed;
    return beside;
}

QString Paths::tempFolder()
{
    return withSlash(QDir::tempPath());
}
