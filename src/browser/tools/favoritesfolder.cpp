#include "browser/tools/favoritesfolder.h"
#include "core/atomicfile.h"
#include "core/cp1252.h"
#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QUrl>
#include <algorithm>

namespace {
constexpr int kCaptionLength = 50;
constexpr int kLongestFileName = 120;
// Linux allows 255 bytes per file name; room is left for " (n).url" and for
// the suffix of the temporary file the atomic writer renames into place.
constexpr int kLongestFileNameBytes = 200;

bool isShortcutFile(const QFileInfo &fi)
{
    const QString suffix = fi.suffix().toLower();
    return suffix == QLatin1String("url") || suffix == QLatin1String("desktop");
}

QString decodeText(const QByteArray &bytes)
{
    // Shortcut files from Windows are often in the ANSI code page.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    return utf8.hasError() ? Cp1252::decode(bytes) : text;
}

// "URL=" in the file's [InternetShortcut] (or [Desktop Entry]) section.
QString urlFromShortcut(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    bool inSection = false;
    // Line ends as any editor writes them: CR LF, LF or CR.
    QString text = decodeText(f.read(1 << 20));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QStringList lines = text.split(u'\n');
    for (QString line : lines) {
        line = line.trimmed();
        if (line.startsWith(u'[')) {
            const QString section = line.toLower();
            inSection = section == QLatin1String("[internetshortcut]")
                || section == QLatin1String("[desktop entry]");
            continue;
        }
        if (inSection && line.left(4).compare(QLatin1String("URL="), Qt::CaseInsensitive) == 0)
            return line.mid(4).trimmed();
    }
    return QString();
}

// The longest start of the name whose encoded file name fits in `bytes`,
// cut between characters (a surrogate pair stays whole).
QString cutToBytes(const QString &name, int bytes)
{
    int used = 0;
    qsizetype end = 0;
    while (end < name.size()) {
        const qsizetype step = name.at(end).isHighSurrogate() && end + 1 < name.size()
                && name.at(end + 1).isLowSurrogate() ? 2 : 1;
        used += int(QFile::encodeName(name.mid(end, step)).size());
        if (used > bytes)
            break;
        end += step;
    }
    return name.left(end);
}
}

FavoritesFolder::FavoritesFolder(const QString &rootPath) : m_root(QDir::cleanPath(rootPath)) {}

bool FavoritesFolder::ensureRoot() const
{
    if (QFileInfo(m_root).isDir())
        return true;
    // Owner-only, as everything in the data folder.
    QDir().mkpath(QFileInfo(m_root).absolutePath());
    return QDir().mkdir(m_root, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

std::optional<QList<FavoriteEntry>> FavoritesFolder::list(const QString &folder) const
{
    QDir dir(folder);
    if (!dir.exists() || !dir.isReadable())
        return std::nullopt;
    QList<FavoriteEntry> folders;
    QList<FavoriteEntry> items;
    const QFileInfoList infos = dir.entryInfoList(QDir::Dirs | QDir::Files | QDir::NoDotAndDotDot);
    for (const QFileInfo &fi : infos) {
        if (fi.isDir())
            folders << FavoriteEntry{fi.absoluteFilePath(), fi.fileName(), true};
        else
            items << FavoriteEntry{fi.absoluteFilePath(),
                                   isShortcutFile(fi) ? fi.completeBaseName() : fi.fileName(), false};
    }
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    const auto byName = [&collator](const FavoriteEntry &a, const FavoriteEntry &b) {
        return collator.compare(a.displayName, b.displayName) < 0;
    };
    std::sort(folders.begin(), folders.end(), byName);
    std::sort(items.begin(), items.end(), byName);
    return folders + items;
}

QString FavoritesFolder::caption(const QString &displayName)
{
    if (displayName.size() > kCaptionLength)
        return displayName.left(kCaptionLength) + QStringLiteral("...");
    return displayName;
}

QString FavoritesFolder::target(const QString &path)
{
    const QFileInfo fi(path);
    if (isShortcutFile(fi)) {
        const QString url = urlFromShortcut(path);
        if (!url.isEmpty())
            return url;
    }
    return QUrl::fromLocalFile(fi.absoluteFilePath()).toString();
}

QString FavoritesFolder::fileNameFor(const QString &url, const QString &title) const
{
    QString name = title.trimmed();
    if (name.isEmpty())
        name = QUrl(url).host();
    if (name.isEmpty())
        name = QStringLiteral("Suosikki");
    // Characters that file names on Windows cannot carry are dropped as the
    // shortcut files may be copied there.
    static const QString bad = QStringLiteral("\\/:*?\"<>|");
    QString clean;
    for (const QChar c : name)
        clean += (bad.contains(c) || c.unicode() < 32) ? QChar(u' ') : c;
    clean = clean.simplified().left(kLongestFileName);
    if (!clean.isEmpty() && clean.back().isHighSurrogate())
        clean.chop(1);
    clean = cutToBytes(clean, kLongestFileNameBytes).trimmed();
    while (clean.startsWith(u'.'))
        clean.remove(0, 1);
    return clean.isEmpty() ? QStringLiteral("Suosikki") : clean;
}

FavoritesFolder::AddResult FavoritesFolder::add(const QString &url, const QString &title) const
{
    if (url.isEmpty())
        return AddResult::EmptyUrl;
    if (!ensureRoot())
        return AddResult::Failed;
    const QString base = fileNameFor(url, title);
    QString path = m_root + u'/' + base + QStringLiteral(".url");
    // An existing favourite of the same name for another address is kept.
    for (int n = 2; QFileInfo::exists(path) && urlFromShortcut(path) != url; ++n)
        path = m_root + u'/' + base + QStringLiteral(" (%1).url").arg(n);
    return AtomicFile::write(path, QByteArray("[InternetShortcut]\r\nURL=") + url.toUtf8() + "\r\n")
               ? AddResult::Added
               : AddResult::Failed;
}

bool FavoritesFolder::remove(const QString &path)
{
    const QFileInfo fi(path);
    if (fi.isDir())
        return false;
    return QFile::remove(path);
}
