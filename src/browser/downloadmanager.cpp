#include "downloadmanager.h"
#include "browser/progresspanel.h"
#include "browser/vasaropage.h"
#include "core/prompts.h"
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>

namespace {
using Request = QWebEngineDownloadRequest;

// The engine passes Chromium's reasons on as numbers, grouped by tens:
// 1-19 the file, 20-29 the network, 30-39 the server, 40- the user.
DownloadRules::Failure failureOf(Request::DownloadInterruptReason reason)
{
    const int code = int(reason);
    constexpr int kContentLengthMismatch = 38;   // the answer broke off
    if (code >= 1 && code < 20)
        return DownloadRules::Failure::Disk;
    if ((code >= 20 && code < 30) || code == kContentLengthMismatch)
        return DownloadRules::Failure::Network;
    if (code >= 30 && code < 40)
        return DownloadRules::Failure::Server;
    return DownloadRules::Failure::Other;
}

QString targetPath(const Request *download)
{
    return QDir(download->downloadDirectory()).filePath(download->downloadFileName());
}
}

DownloadManager::DownloadManager(QWebEngineProfile *profile, Prompts *prompts, ProgressPanel *panel,
                                 const QString &initialFolder, QObject *parent)
    : QObject(parent), m_prompts(prompts), m_panel(panel), m_folder(initialFolder)
{
    connect(profile, &QWebEngineProfile::downloadRequested, this, &DownloadManager::onRequested);
    if (m_panel)
        connect(m_panel->cancelButton(), &QPushButton::clicked, this, &DownloadManager::cancelAll);
}

QString DownloadManager::askPagePath(const QString &title)
{
    const QString path = m_prompts->saveFileName(QStringLiteral("Tallenna sivu"),
                                                 m_folder.suggestedPath(DownloadRules::pageFileName(title)),
                                                 DownloadRules::pageFilter());
    m_folder.remember(path);
    return path;
}

void DownloadManager::onRequested(QWebEngineDownloadRequest *download)
{
    // The engine starts a broken-off download again under the same id and
    // asks for its target anew: it goes on where the user chose before.
    for (const QPointer<QWebEngineDownloadRequest> &earlier : std::as_const(m_running)) {
        if (earlier && earlier != download && earlier->id() == download->id()) {
            resume(earlier, download);
            return;
        }
    }
    // A save started with its path (QWebEnginePage::save) comes accepted:
    // only its progress and end are ours.
    if (download->state() != Request::DownloadRequested) {
        track(download);
        return;
    }
    const auto *page = qobject_cast<const VasaroPage *>(download->page());
    if (!DownloadRules::offersDownload(page && page->isAuxiliary())) {
        download->cancel();
        return;
    }
    const QString path = askPath(download);
    if (path.isEmpty() || !prepare(download, path)) {
        download->cancel();
        return;
    }
    download->accept();
    track(download);
}

QString DownloadManager::askPath(QWebEngineDownloadRequest *download)
{
    if (download->isSavePageDownload())
        return askPagePath(download->page() ? download->page()->title() : QString());
    QString offered = download->suggestedFileName();
    if (offered.isEmpty())
        offered = download->downloadFileName();
    const QString name = DownloadRules::safeFileName(offered, QStringLiteral("lataus"));
    const QString path = m_prompts->saveFileName(QStringLiteral("Tallenna nimellä"), m_folder.suggestedPath(name),
                                                 DownloadRules::fileFilter(name));
    m_folder.remember(path);
    return path;
}

bool DownloadManager::checkTarget(const QString &path, bool page)
{
    // The engine cancels without a word when it cannot make the folder, and
    // a folder in place of the file would only fail at the very end.
    const QFileInfo target(path);
    const QFileInfo folder(target.absolutePath());
    if (folder.isDir() && folder.isWritable() && !target.isDir())
        return true;
    fail(path, page, DownloadRules::Failure::Disk);
    return false;
}

bool DownloadManager::prepare(QWebEngineDownloadRequest *download, const QString &path)
{
    if (!checkTarget(path, download->isSavePageDownload()))
        return false;
    const QFileInfo target(path);
    download->setDownloadDirectory(target.absolutePath());
    download->setDownloadFileName(target.fileName());
    if (download->isSavePageDownload())
        download->setSavePageFormat(DownloadRules::savesSingleHtml(path) ? Request::SingleHtmlSaveFormat
                                                                          : Request::MimeHtmlSaveFormat);
    return true;
}

void DownloadManager::resume(QWebEngineDownloadRequest *earlier, QWebEngineDownloadRequest *download)
{
    disconnect(earlier, nullptr, this, nullptr);
    m_running.removeAll(earlier);
    if (m_shown == earlier)
        m_shown = download;
    download->setDownloadDirectory(earlier->downloadDirectory());
    download->setDownloadFileName(earlier->downloadFileName());
    if (download->isSavePageDownload())
        download->setSavePageFormat(earlier->savePageFormat());
    if (download->state() == Request::DownloadRequested)
        download->accept();
    track(download);
}

void DownloadManager::track(QWebEngineDownloadRequest *download)
{
    m_running << download;
    connect(download, &Request::receivedBytesChanged, this, [this, download] { showProgress(download); });
    connect(download, &Request::isFinishedChanged, this, [this, download] {
        if (download->isFinished())
            onFinished(download);
    });
    // An interrupted download that the engine could resume never finishes.
    connect(download, &Request::stateChanged, this, [this, download](Request::DownloadState state) {
        if (state == Request::DownloadInterrupted)
            onFinished(download);
    });
    showProgress(download);
    if (download->isFinished())
        onFinished(download);
}

void DownloadManager::showProgress(QWebEngineDownloadRequest *download)
{
    if (download->isFinished() || (m_shown && m_shown != download))
        return;
    // The panel serves one long job at a time: another job's panel is left alone.
    if (!m_panel || (!m_shown && m_panel->isVisible()))
        return;
    m_shown = download;
    const QString text =
        DownloadRules::progressText(download->downloadFileName(), download->receivedBytes(), download->totalBytes());
    m_panel->setLabel(text);
    if (!m_panel->isVisible())
        m_panel->showCentred();
    emit progressShown(text);
}

void DownloadManager::onFinished(QWebEngineDownloadRequest *download)
{
    if (!m_running.contains(download))
        return;
    m_running.removeAll(download);
    m_running.removeAll(nullptr);
    disconnect(download, nullptr, this, nullptr);
    const QString path = targetPath(download);
    const bool page = download->isSavePageDownload();
    if (m_shown == download) {
        m_shown = nullptr;
        if (m_panel)
            m_panel->hide();
        if (!m_running.isEmpty())
            showProgress(m_running.first());
    }
    switch (download->state()) {
    case Request::DownloadCompleted:
        if (QFileInfo(path).isFile())
            emit finished(path, true, page);
        else
            fail(path, page, DownloadRules::Failure::Disk);
        break;
    case Request::DownloadInterrupted:
        fail(path, page, failureOf(download->interruptReason()));
        download->cancel();   // the engine then removes its partial file
        break;
    default:   // cancelled by the user
        emit finished(path, false, page);
        break;
    }
}

void DownloadManager::fail(const QString &path, bool page, DownloadRules::Failure failure)
{
    m_prompts->error(page ? DownloadRules::pageFailureText()
                          : DownloadRules::failureText(QFileInfo(path).fileName(), failure));
    emit finished(path, false, page);
}

void DownloadManager::cancelAll()
{
    if (!m_shown)
        return;   // the panel stood for another job
    const QList<QPointer<QWebEngineDownloadRequest>> running = m_running;
    for (const QPointer<QWebEngineDownloadRequest> &download : running) {
        if (download && !download->isFinished())
            download->cancel();
    }
}
