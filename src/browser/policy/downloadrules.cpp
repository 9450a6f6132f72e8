#include "browser/policy/downloadrules.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <algorithm>
#include <cstdio>

namespace {
constexpr int kLongestName = 120;

QString kilobytes(qint64 bytes)
{
    return QString::number((bytes + 1023) / 1024) + QStringLiteral(" kt");
}
}

QString DownloadRules::safeFileName(const QString &name, const QString &fallback)
{
    // Only the last part of a path-like name: a server may not pick the folder.
    QString base = name;
    const int slash = int(std::max(base.lastIndexOf(u'/'), base.lastIndexOf(u'\\')));
    if (slash >= 0)
        base = base.mid(slash + 1);
    QString out;
    for (const QChar c : base)
        out += (QStringLiteral(":*?\"<>|").contains(c) || c.unicode() < 32 || c.unicode() == 127) ? QChar(u' ') : c;
    out = out.simplified().left(kLongestName).trimmed();
    while (out.startsWith(u'.'))
        out.remove(0, 1);   // no hidden files, no "." or ".."
    out = out.trimmed();
    return out.isEmpty() ? fallback : out;
}

QString DownloadRules::pageFileName(const QString &title)
{
    return safeFileName(QString(title).replace(u'/', u' ').replace(u'\\', u' '), QStringLiteral("sivu"))
        + QStringLiteral(".mhtml");
}

bool DownloadRules::savesSingleHtml(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    return suffix == QLatin1String("html") || suffix == QLatin1String("htm");
}

QString DownloadRules::fileFilter(const QString &fileName)
{
    const QString all = QStringLiteral("Kaikki tiedostot (*)");
    const QString suffix = QFileInfo(fileName).suffix();
    if (suffix.isEmpty() || suffix.contains(u' '))
        return all;
    return QStringLiteral("%1-tiedostot (*.%2);;").arg(suffix.toUpper(), suffix) + all;
}

QString DownloadRules::pageFilter()
{
    return QStringLiteral("Verkkoarkisto (*.mhtml);;Verkkosivu, vain HTML (*.html *.htm)");
}

QString DownloadRules::progressText(const QString &fileName, qint64 received, qint64 total)
{
    const QString head = QStringLiteral("Ladataan: ") + fileName + u' ';
    if (total <= 0)
        return head + kilobytes(std::max<qint64>(received, 0));
    const qint64 percent = std::clamp<qint64>(received * 100 / total, 0, 100);
    return head + QString::number(percent) + QStringLiteral(" %");
}

QString DownloadRules::failureText(const QString &fileName, Failure failure)
{
    QString why;
    switch (failure) {
    case Failure::Disk:
        why = QStringLiteral("Tiedostoa ei voitu kirjoittaa valittuun kansioon.");
        break;
    case Failure::Network:
        why = QStringLiteral("Yhteys katkesi kesken latauksen.");
        break;
    case Failure::Server:
        why = QStringLiteral("Palvelin ei antanut tiedostoa.");
        break;
    case Failure::Other:
        break;
    }
    const QString head = QStringLiteral("Tiedoston ") + fileName + QStringLiteral(" lataaminen ei onnistunut!");
    return why.isEmpty() ? head : head + u'\n' + why;
}

QString DownloadRules::pageFailureText()
{
    return QStringLiteral("Sivun tallentaminen ei onnistunut!");
}

QString DownloadRules::overwriteQuestion(const QString &path)
{
    return QStringLiteral("Tiedosto on jo olemassa!\r\rKorvataanko ") + path;
}

bool DownloadRules::moveIntoPlace(const QString &from, const QString &to)
{
    const QByteArray target = QFile::encodeName(to);
    if (std::rename(QFile::encodeName(from).constData(), target.constData()) == 0)
        return true;
    QFile source(from);
    QTemporaryFile copy(QFileInfo(to).absolutePath() + QStringLiteral("/.vsselain-XXXXXX"));
    if (!source.open(QIODevice::ReadOnly) || !copy.open())
        return false;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() || copy.write(chunk) != chunk.size())
            return false;
    }
    copy.setPermissions(source.permissions());
    if (!copy.flush() || std::rename(QFile::encodeName(copy.fileName()).constData(), target.constData()) != 0)
        return false;
    copy.setAutoRemove(false);
    source.remove();
    return true;
}

DownloadFolder::DownloadFolder(const QString &initial)
    : m_folder(!initial.isEmpty() && QFileInfo(initial).isDir() ? initial : QDir::homePath())
{
}

QString DownloadFolder::suggestedPath(const QString &fileName) const
{
    return QDir(m_folder).filePath(fileName);
}

void DownloadFolder::remember(const QString &filePath)
{
    if (filePath.isEmpty())
        return;
    const QString folder = QFileInfo(filePath).absolutePath();
    if (!folder.isEmpty())
        m_folder = folder;
}
