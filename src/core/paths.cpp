#include "paths.h"
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {
QString withSlash(QString p)
{
    if (!p.endsWith(u'/'))
        p += u'/';
    return p;
}
}

QString Paths::dataFolder()
{
    QString dir = qEnvironmentVariable("VSSELAIN_DATA_DIR");
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (dir.isEmpty())
        dir = QDir::homePath() + QStringLiteral("/.local/share/VSselain");
    QDir().mkpath(dir);
    return withSlash(QDir(dir).absolutePath());
}

QString Paths::programFolder()
{
    return withSlash(QCoreApplication::applicationDirPath());
}

QString Paths::tempFolder()
{
    return withSlash(QDir::tempPath());
}
