#include "browser/downloads/downloadtracker.h"
#include "browser/policy/downloadmanager.h"
#include <QWebEngineDownloadRequest>

DownloadTracker::DownloadTracker(DownloadManager *manager, DownloadList *list, QObject *parent)
    : QObject(parent), m_list(list)
{
    connect(manager, &DownloadManager::listed, this, &DownloadTracker::onListed);
    connect(manager, &DownloadManager::concluded, this, &DownloadTracker::onConcluded);
}

void DownloadTracker::onListed(QWebEngineDownloadRequest *download, const QString &path)
{
    const quint32 id = download->id();
    m_requests.insert(id, download);
    m_list->add(id, path, download->totalBytes());
    m_list->progress(id, download->receivedBytes(), download->totalBytes());
    connect(download, &QWebEngineDownloadRequest::receivedBytesChanged, this, [this, download, id] {
        m_list->progress(id, download->receivedBytes(), download->totalBytes());
    });
}

void DownloadTracker::onConcluded(quint32 id, bool ok, bool cancelled)
{
    m_requests.remove(id);
    using State = DownloadList::State;
    m_list->finish(id, ok ? State::Done : cancelled ? State::Cancelled : State::Failed);
    const int row = m_list->rowOf(id);
    if (ok && row >= 0)
        emit downloadDone(m_list->entry(row).path);
}

void DownloadTracker::cancel(quint32 id)
{
    const QPointer<QWebEngineDownloadRequest> download = m_requests.value(id);
    if (download && !download->isFinished())
        download->cancel();
}
