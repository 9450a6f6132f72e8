#include "privatestorage.h"
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <sys/stat.h>

namespace {
mode_t g_startMask = 022;
bool g_restricted = false;

constexpr QFile::Permissions kOthers = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
    | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
}

void PrivateStorage::confineToolkitSettings(const QString &dataFolder)
{
    const QString folder = QDir(dataFolder).filePath(QStringLiteral("selain/qt"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
}

void PrivateStorage::restrictNewFiles()
{
    const mode_t previous = ::umask(077);
    if (!g_restricted)
        g_startMask = previous;
    g_restricted = true;
}

QFileDevice::Permissions PrivateStorage::usualPermissions()
{
    mode_t mask = g_startMask;
    if (!g_restricted) {
        mask = ::umask(022);
        ::umask(mask);
    }
    QFileDevice::Permissions p;
    if (!(mask & S_IRUSR)) p |= QFile::ReadOwner | QFile::ReadUser;
    if (!(mask & S_IWUSR)) p |= QFile::WriteOwner | QFile::WriteUser;
    if (!(mask & S_IRGRP)) p |= QFile::ReadGroup;
    if (!(mask & S_IWGRP)) p |= QFile::WriteGroup;
    if (!(mask & S_IROTH)) p |= QFile::ReadOther;
    if (!(mask & S_IWOTH)) p |= QFile::WriteOther;
    return p;
}

void PrivateStorage::tighten(const QString &dataFolder)
{
    QDirIterator it(dataFolder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        if (info.isSymLink())
            continue;
        const QFile::Permissions p = info.permissions();
        if (p & kOthers)
            QFile::setPermissions(info.absoluteFilePath(), p & ~kOthers);
    }
}

PrivateStorage::XdgRedirect::XdgRedirect(const QString &dataFolder)
{
    const QString root = QDir(dataFolder).filePath(QStringLiteral("selain/xdg"));
    const std::pair<const char *, QString> targets[] = {
        {"XDG_DATA_HOME", root + QStringLiteral("/data")},
        {"XDG_CACHE_HOME", root + QStringLiteral("/cache")},
    };
    for (const auto &[name, path] : targets) {
        m_saved.append({name, {qEnvironmentVariableIsSet(name), qgetenv(name)}});
        qputenv(name, QFile::encodeName(path));
    }
}

PrivateStorage::XdgRedirect::~XdgRedirect()
{
    for (const auto &[name, saved] : std::as_const(m_saved)) {
        if (saved.first)
            qputenv(name.constData(), saved.second);
        else
            qunsetenv(name.constData());
    }
}
