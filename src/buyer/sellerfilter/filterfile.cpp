#include "buyer/sellerfilter/filterfile.h"
#include "core/linefile.h"
#include <QFile>
#include <QFileInfo>

namespace FilterFile {

QString defaultName()
{
    return QStringLiteral("suodatin1.txt");
}

QString dialogFilter()
{
    return QStringLiteral("Suodatin/tekstitiedosto|*.txt");
}

static bool isEntryLine(const QString &line)
{
    if (line.isEmpty() || line.size() > kMaxLineLength)
        return false;
    for (const QChar c : line) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
    }
    return true;
}

QStringList entriesOf(const QByteArray &bytes)
{
    QStringList entries = LineFile::split(bytes);
    entries.removeIf([](const QString &line) { return !isEntryLine(line); });
    return entries;
}

ReadResult read(const QString &path)
{
    ReadResult result;
    // A pipe or device would block the window while it is read.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile()) {
        result.error = QStringLiteral("Tiedosto ei ole suodatintiedosto:\r") + path;
        return result;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Tiedostoa ei voi avata:\r") + path + QStringLiteral("\r\r") + f.errorString();
        return result;
    }
    if (f.size() > kMaxBytes) {
        result.error = QStringLiteral("Tiedosto ei ole suodatintiedosto (liian suuri):\r") + path;
        return result;
    }
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        result.error = QStringLiteral("Tiedoston lukeminen ei onnistunut:\r") + path + QStringLiteral("\r\r")
                       + f.errorString();
        return result;
    }
    result.lines = entriesOf(bytes);
    result.ok = true;
    return result;
}

bool write(const QString &path, const QStringList &entries, QString *error)
{
    if (LineFile::write(path, entries))
        return true;
    if (error)
        *error = QStringLiteral("Suodattimen tallentaminen ei onnistunut:\r") + path
                 + QStringLiteral("\r\rAiempi tiedosto säilyi ennallaan.");
    return false;
}

}
