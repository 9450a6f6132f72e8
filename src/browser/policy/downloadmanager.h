#pragma once
// File downloads of the browser profile: a link answered as an attachment,
// the page menus' save-link and save-page items and the page saves started
// by "Tallenna sivu". Asks where to save through Prompts (the folder chosen
// last is offered next), shows the progress in the progress panel
// `XiPanel8` ("Peruuta" cancels the downloads) and reports a failure in
// Finnish. The decisions themselves are in DownloadRules.
//
// The engine wants its answer before its download signal returns, and a
// dialog run from inside the engine's task keeps the engine waiting long
// after it has closed. So a file download is accepted at once into a
// holding folder of its own, the user is asked right after, and the file is
// moved to the chosen place when both are done. A page save asked for from
// the engine's menu is asked for the same way and then started anew.
#include "browser/policy/downloadrules.h"
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QTemporaryDir>
#include <QWebEngineDownloadRequest>   // a signal's argument: moc needs the whole type
#include <QUrl>
#include <optional>

class ProgressPanel;
class Prompts;
class QWebEnginePage;
class QWebEngineProfile;
class VasaroPage;

class DownloadManager final : public QObject {
    Q_OBJECT
public:
    // `panel` may be null (no progress shown). `initialFolder` is where the
    // first save dialog opens (the user's download folder).
    DownloadManager(QWebEngineProfile *profile, Prompts *prompts, ProgressPanel *panel,
                    const QString &initialFolder, QObject *parent = nullptr);
    ~DownloadManager() override;

    // Asks where to save a page titled `title`; "" when the user cancels
    // (also at the overwrite question). The folder is remembered.
    QString askPagePath(const QString &title);
    // Asks where to save `page` and saves it (a web archive, or one HTML
    // file for the extension .html or .htm).
    void savePage(QWebEnginePage *page);
    // True when a file can be written at `path`; otherwise the failure is
    // reported (message and finished()) and false returned.
    bool checkTarget(const QString &path, bool page);
    QString lastFolder() const { return m_folder.folder(); }
    int runningCount() const { return int(m_entries.size()); }

signals:
    // A download or page save ended: `ok` only when the whole file is on
    // disk at `path`; `page` for page saves. A download the user cancelled
    // with "Peruuta" reports too; one cancelled in the save dialog does not.
    void finished(const QString &path, bool ok, bool page);
    // The progress text shown for the download in front.
    void progressShown(const QString &text);
    // The downloads list: a download or page save whose file is chosen (its
    // progress is the request's), and how it ended.
    void listed(QWebEngineDownloadRequest *download, const QString &path);
    void concluded(quint32 id, bool ok, bool cancelled);

private:
    struct Entry {
        QPointer<QWebEngineDownloadRequest> download;
        QString holding;   // where the engine writes a file download
        QString target;    // the user's file; empty while the user is asked
        bool page = false;
        bool engineDone = false;
        bool cancelled = false;
        std::optional<DownloadRules::Failure> failure;
    };

    void onRequested(QWebEngineDownloadRequest *download);
    void acceptIntoHolding(QWebEngineDownloadRequest *download);
    // A download the page started without the user's click: nothing is
    // fetched until the user says yes; then it is started anew.
    bool askedBeforeFetching(QWebEngineDownloadRequest *download, const VasaroPage *page);
    void askForFile(quint32 id);
    QString confirmedPath(const QString &caption, const QString &name, const QString &filter);
    void resume(Entry &entry, QWebEngineDownloadRequest *download);
    void watch(QWebEngineDownloadRequest *download);
    void onEngineEnd(QWebEngineDownloadRequest *download);
    void conclude(quint32 id);
    void discard(quint32 id);
    void showProgress(QWebEngineDownloadRequest *download);
    void showNext();
    void cancelAll();
    void fail(const QString &path, bool page, DownloadRules::Failure failure);

    Prompts *m_prompts;
    QPointer<ProgressPanel> m_panel;
    DownloadFolder m_folder;
    QTemporaryDir m_holding;
    QList<QUrl> m_approved;   // downloads the user allowed, started anew
    QHash<quint32, Entry> m_entries;
    QPointer<QWebEngineDownloadRequest> m_shown;
};
