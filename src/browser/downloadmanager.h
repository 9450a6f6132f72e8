#pragma once
// File downloads of the browser profile: a link answered as an attachment,
// the page menus' save-link and save-page items and the page saves started
// by "Tallenna sivu". Asks where to save through Prompts (the folder chosen
// last is offered next), shows the progress in the progress panel
// `XiPanel8` ("Peruuta" cancels the downloads) and reports a failure in
// Finnish. The decisions themselves are in DownloadRules.
#include "browser/downloadrules.h"
#include <QList>
#include <QObject>
#include <QPointer>

class ProgressPanel;
class Prompts;
class QWebEngineDownloadRequest;
class QWebEngineProfile;

class DownloadManager final : public QObject {
    Q_OBJECT
public:
    // `panel` may be null (no progress shown). `initialFolder` is where the
    // first save dialog opens (the user's download folder).
    DownloadManager(QWebEngineProfile *profile, Prompts *prompts, ProgressPanel *panel,
                    const QString &initialFolder, QObject *parent = nullptr);

    // Asks where to save a page titled `title`; "" when the user cancels.
    // The chosen folder is remembered like a download's.
    QString askPagePath(const QString &title);
    // True when a file can be written at `path`; otherwise the failure is
    // reported (message and finished()) and false returned.
    bool checkTarget(const QString &path, bool page);
    QString lastFolder() const { return m_folder.folder(); }
    int runningCount() const { return int(m_running.size()); }

signals:
    // A download or page save ended: `ok` only when the whole file is on
    // disk at `path`; `page` for page saves. Cancelled downloads report too.
    void finished(const QString &path, bool ok, bool page);
    // The progress text shown for the download in front.
    void progressShown(const QString &text);

private:
    void onRequested(QWebEngineDownloadRequest *download);
    QString askPath(QWebEngineDownloadRequest *download);
    bool prepare(QWebEngineDownloadRequest *download, const QString &path);
    void resume(QWebEngineDownloadRequest *earlier, QWebEngineDownloadRequest *download);
    void track(QWebEngineDownloadRequest *download);
    void onFinished(QWebEngineDownloadRequest *download);
    void showProgress(QWebEngineDownloadRequest *download);
    void cancelAll();
    void fail(const QString &path, bool page, DownloadRules::Failure failure);

    Prompts *m_prompts;
    QPointer<ProgressPanel> m_panel;
    DownloadFolder m_folder;
    QList<QPointer<QWebEngineDownloadRequest>> m_running;
    QPointer<QWebEngineDownloadRequest> m_shown;
};
