#pragma once
// Feeds the downloads list from the download manager: every download whose
// file was chosen, its progress and how it ended; and cancels one on request.
#include "browser/downloads/downloadlist.h"
#include <QHash>
#include <QObject>
#include <QPointer>

class DownloadManager;
class QWebEngineDownloadRequest;

class DownloadTracker final : public QObject {
    Q_OBJECT
public:
    DownloadTracker(DownloadManager *manager, DownloadList *list, QObject *parent = nullptr);

    // "Peruuta" on a running download.
    void cancel(quint32 id);

signals:
    // A download ended well: the status line says so.
    void downloadDone(const QString &path);

private:
    void onListed(QWebEngineDownloadRequest *download, const QString &path);
    void onConcluded(quint32 id, bool ok, bool cancelled);

    DownloadList *m_list;
    QHash<quint32, QPointer<QWebEngineDownloadRequest>> m_requests;
};
