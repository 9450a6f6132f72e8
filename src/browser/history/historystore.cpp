#include "browser/history/historystore.h"
#include "browser/session/sessionfile.h"
#include "core/atomicfile.h"
#include <QDir>
#include <QFile>
#include <QTimer>

namespace {
constexpr qint64 kLargestFile = 8 << 20;

// Tabs and line breaks would split a line of the file.
QString oneLine(QString text)
{
    for (QChar &c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}
}

HistoryStore::HistoryStore(const QString &dataFolder, QObject *parent)
    : QObject(parent), m_path(QDir(dataFolder).filePath(QStringLiteral("historia.dat"))), m_delay(new QTimer(this))
{
    QFile f(m_path);
    if (f.open(QIODevice::ReadOnly) && f.size() <= kLargestFile)
        m_pages = decode(f.readAll());
    m_delay->setSingleShot(true);
    m_delay->setInterval(kSaveDelayMs);
    connect(m_delay, &QTimer::timeout, this, &HistoryStore::save);
}

HistoryStore::~HistoryStore()
{
    save();
}

void HistoryStore::visited(const QString &url, const QString &title, const QDateTime &when)
{
    if (!SessionFile::restorable(url))
        return;
    for (int i = 0; i < m_pages.size(); ++i) {
        if (m_pages.at(i).url == url) {
            m_pages.removeAt(i);
            break;
        }
    }
    m_pages.prepend({url, title, when});
    while (m_pages.size() > kMostPages)
        m_pages.removeLast();
    touched();
}

void HistoryStore::titleChanged(const QString &url, const QString &title)
{
    for (Page &p : m_pages) {
        if (p.url == url && p.title != title) {
            p.title = title;
            touched();
            return;
        }
    }
}

void HistoryStore::clear()
{
    m_pages.clear();
    touched();
    save();
}

void HistoryStore::touched()
{
    m_dirty = true;
    m_delay->start();
    emit changed();
}

bool HistoryStore::save()
{
    if (!m_dirty)
        return true;
    if (!AtomicFile::write(m_path, encode(m_pages)))
        return false;
    m_dirty = false;
    return true;
}

QList<HistoryStore::Page> HistoryStore::matching(const QString &text) const
{
    const QStringList words = text.simplified().split(u' ', Qt::SkipEmptyParts);
    QList<Page> out;
    for (const Page &p : m_pages) {
        bool all = true;
        for (const QString &w : words)
            all = all && (p.title.contains(w, Qt::CaseInsensitive) || p.url.contains(w, Qt::CaseInsensitive));
        if (all)
            out << p;
    }
    return out;
}

QByteArray HistoryStore::encode(const QList<Page> &pages)
{
    QByteArray out;
    for (const Page &p : pages) {
        out += p.visited.toUTC().toString(Qt::ISODate).toUtf8() + '\t' + oneLine(p.url).toUtf8() + '\t'
             + oneLine(p.title).toUtf8() + '\n';
    }
    return out;
}

QList<HistoryStore::Page> HistoryStore::decode(const QByteArray &bytes)
{
    QList<Page> pages;
    for (const QByteArray &line : bytes.split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() != 3)
            continue;
        Page p;
        p.visited = QDateTime::fromString(QString::fromUtf8(fields.at(0)), Qt::ISODate);
        p.url = QString::fromUtf8(fields.at(1));
        p.title = QString::fromUtf8(fields.at(2));
        if (p.visited.isValid() && SessionFile::restorable(p.url) && pages.size() < kMostPages)
            pages << p;
    }
    return pages;
}
