#include "linefile.h"
#include "atomicfile.h"
#include "cp1252.h"
#include <QFile>

QStringList LineFile::split(const QByteArray &bytes)
{
    const QString text = Cp1252::decode(bytes);
    QStringList lines;
    int start = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}

QByteArray LineFile::join(const QStringList &lines)
{
    QByteArray out;
    for (const QString &line : lines) {
        out += Cp1252::encode(line);
        out += "\r\n";
    }
    return out;
}

std::optional<QStringList> LineFile::read(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return split(f.readAll());
}

bool LineFile::write(const QString &path, const QStringList &lines, QString *cause)
{
    return AtomicFile::write(path, join(lines), {}, cause);
}
