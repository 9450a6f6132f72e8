#include "browser/downloads/downloadlist.h"
#include <QFileInfo>
#include <QLocale>

DownloadList::DownloadList(QObject *parent) : QAbstractTableModel(parent) {}

void DownloadList::add(quint32 id, const QString &path, qint64 total)
{
    const int existing = rowOf(id);
    if (existing >= 0) {
        m_entries[existing].path = path;
        rowChanged(existing);
        return;
    }
    Entry e;
    e.id = id;
    e.path = path;
    e.total = total;
    beginInsertRows(QModelIndex(), 0, 0);
    m_entries.prepend(e);
    endInsertRows();
}

void DownloadList::progress(quint32 id, qint64 received, qint64 total)
{
    const int row = rowOf(id);
    if (row < 0 || m_entries.at(row).state != State::Running)
        return;
    m_entries[row].received = received;
    m_entries[row].total = total;
    rowChanged(row);
}

void DownloadList::finish(quint32 id, State state)
{
    const int row = rowOf(id);
    if (row < 0)
        return;
    Entry &e = m_entries[row];
    e.state = state;
    if (state == State::Done && e.total < 0)
        e.total = e.received;
    if (state == State::Done)
        e.received = qMax(e.received, e.total);
    rowChanged(row);
}

int DownloadList::rowOf(quint32 id) const
{
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).id == id)
            return i;
    }
    return -1;
}

void DownloadList::rowChanged(int row)
{
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

QString DownloadList::stateText(State state)
{
    switch (state) {
    case State::Running: return QStringLiteral("käynnissä");
    case State::Done: return QStringLiteral("valmis");
    case State::Cancelled: return QStringLiteral("keskeytetty");
    case State::Failed: return QStringLiteral("epäonnistui");
    }
    return QString();
}

QString DownloadList::sizeText(qint64 bytes)
{
    if (bytes < 0)
        return QString();
    if (bytes < 1024)
        return QStringLiteral("%1 t").arg(bytes);
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 kt").arg((bytes + 512) / 1024);
    // One decimal with the Finnish comma.
    const qint64 tenths = (bytes * 10 + 512 * 1024) / (1024 * 1024);
    return QStringLiteral("%1,%2 Mt").arg(tenths / 10).arg(tenths % 10);
}

QString DownloadList::progressText(const Entry &e)
{
    if (e.state == State::Done)
        return QStringLiteral("100 %");
    if (e.total <= 0)
        return sizeText(e.received);
    return QStringLiteral("%1 %").arg(qBound(qint64(0), e.received * 100 / e.total, qint64(100)));
}

int DownloadList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_entries.size());
}

int DownloadList::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant DownloadList::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_entries.size())
        return {};
    const Entry &e = m_entries.at(index.row());
    if (role == Qt::ToolTipRole)
        return e.path;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case FileColumn: return QFileInfo(e.path).fileName();
    case SizeColumn: return sizeText(e.total >= 0 ? e.total : e.received);
    case ProgressColumn: return progressText(e);
    case StateColumn: return stateText(e.state);
    default: return {};
    }
}

QVariant DownloadList::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case FileColumn: return QStringLiteral("Tiedosto");
    case SizeColumn: return QStringLiteral("Koko");
    case ProgressColumn: return QStringLiteral("Edistyminen");
    case StateColumn: return QStringLiteral("Tila");
    default: return {};
    }
}
