#include "imaging/tempname.h"

#include <QFile>
#include <QRandomGenerator>

namespace TempName {

QString rndfilename(const QString &prefix, const QString &suffix)
{
    constexpr int kAttempts = 1000;
    QRandomGenerator *random = QRandomGenerator::global();
    for (int i = 0; i < kAttempts; ++i) {
        const QString name = prefix + QString::number(random->bounded(30000))
                             + QString::number(random->bounded(30000)) + suffix;
        QFile file(name);
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return name;
        if (!file.exists())
            return QString();   // the folder itself refuses new files
    }
    return QString();
}

} // namespace TempName
