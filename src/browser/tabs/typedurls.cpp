#include "browser/tabs/typedurls.h"
#include "core/atomicfile.h"
#include "core/wholenumber.h"
#include <QFile>
#include <QTextStream>

namespace {
const QString kPrefix = QStringLiteral("Url");
}

TypedUrls::TypedUrls(const QString &filePath) : m_path(filePath) {}

QMap<int, QString> TypedUrls::values() const
{
    QMap<int, QString> out;
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    // Line ends as any editor writes them: CR LF, LF or CR. A lone CR left
    // inside a value would show in the list and be saved away silently.
    QString text = QString::fromUtf8(f.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
    const QStringList lines = text.split(u'\n');
    for (const QString &line : lines) {
        const int eq = line.indexOf(u'=');
        if (eq <= 0 || !line.startsWith(kPrefix))
            continue;
        const std::optional<int> n = WholeNumber::readDigits(QStringView(line).mid(kPrefix.size(), eq - kPrefix.size()));
        if (n && *n >= 1 && *n <= kSize)
            out.insert(*n, line.mid(eq + 1));
    }
    return out;
}

QStringList TypedUrls::list() const
{
    const QMap<int, QString> stored = values();
    QStringList items;
    QString text;   // the list's text as one string, for the substring test
    for (int n = 1; n <= kSize; ++n) {
        if (!stored.contains(n))
            continue;
        const QString item = stored.value(n).trimmed();
        if (item.isEmpty() || text.contains(item))
            continue;
        items << item;
        text += item + QStringLiteral("\r\n");
    }
    return items;
}

bool TypedUrls::write(const QStringList &items) const
{
    QMap<int, QString> stored = values();
    int n = 0;
    for (const QString &item : items) {
        if (item.isEmpty())
            continue;
        if (++n > kSize)
            break;
        stored.insert(n, item);
    }
    return save(stored);
}

bool TypedUrls::remove(const QString &address) const
{
    QMap<int, QString> stored = values();
    bool changed = false;
    for (auto it = stored.begin(); it != stored.end();) {
        if (it.value() == address) {
            it = stored.erase(it);
            changed = true;
        } else {
            ++it;
        }
    }
    return !changed || save(stored);
}

bool TypedUrls::save(const QMap<int, QString> &values) const
{
    QByteArray data;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        // A value never spans lines in the file.
        QString v = it.value();
        v.remove(u'\r');
        v.remove(u'\n');
        data += (kPrefix + QString::number(it.key()) + u'=' + v + u'\n').toUtf8();
    }
    return AtomicFile::write(m_path, data);
}
