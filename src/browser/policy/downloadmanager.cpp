#include "browser/policy/downloadmanager.h"
#include "browser/tools/progresspanel.h"
#include "browser/engine/vasaropage.h"
#include "core/prompts.h"
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QTimer>
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

QString enginePath(const Request *download)
{
    return QDir(download->downloadDirectory()).filePath(download->downloadFileName());
}
}

DownloadManager::DownloadManager(QWebEngineProfile *profile, Prompts *prompts, ProgressPanel *panel,
                                 const QString &initialFolder, QObject *parent)
    : QObject(parent),
      m_prompts(prompts),
      m_panel(panel),
      m_folder(initialFolder),
      m_holding(QDir::tempPath() + QStringLiteral("/vsselain-lataukset-XXXXXX"))
{
    connect(profile, &QWebEngineProfile::downloadRequested, this, &DownloadManager::onRequested);
    if (m_panel)
        connect(m_panel->cancelButton(), &QPushButton::clicked, this, &DownloadManager::cancelAll);
}

DownloadManager::~DownloadManager()
{
    // Downloads still running would write into the removed holding folder.
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.download && !entry.download->isFinished())
            entry.download->cancel();
    }
}

// ---- asking ---------------------------------------------------------------------------

QString DownloadManager::confirmedPath(const QString &caption, const QString &name, const QString &filter)
{
    const QString path = m_prompts->saveFileName(caption, m_folder.suggestedPath(name), filter);
    if (path.isEmpty())
        return QString();
    m_folder.remember(path);
    if (QFileInfo(path).isFile()
        && m_prompts->confirm(DownloadRules::overwriteQuestion(path)) != Prompts::Answer::Yes)
        return QString();
    return path;
}

QString DownloadManager::askPagePath(const QString &title)
{
    return confirmedPath(QStringLiteral("Tallenna sivu"), DownloadRules::pageFileName(title),
                         DownloadRules::pageFilter());
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

void DownloadManager::savePage(QWebEnginePage *page)
{
    const QPointer<QWebEnginePage> alive(page);
    const QString path = askPagePath(page->title());
    if (path.isEmpty() || !alive || !checkTarget(path, true))
        return;
    page->save(QFileInfo(path).absoluteFilePath(), DownloadRules::savesSingleHtml(path)
                                                      ? Request::SingleHtmlSaveFormat
                                                      : Request::MimeHtmlSaveFormat);
}

void DownloadManager::askForFile(quint32 id)
{
    if (!m_entries.contains(id))
        return;
    const QString name = m_entries.value(id).download ? m_entries.value(id).download->downloadFileName()
                                                      : QFileInfo(m_entries.value(id).holding).fileName();
    const QString path = confirmedPath(QStringLiteral("Tallenna nimellä"), name, DownloadRules::fileFilter(name));
    if (!m_entries.contains(id))
        return;
    if (path.isEmpty() || !checkTarget(path, false)) {
        discard(id);
        return;
    }
    Entry &entry = m_entries[id];
    entry.target = QFileInfo(path).absoluteFilePath();
    if (entry.download)
        emit listed(entry.download, entry.target);
    if (entry.engineDone)
        conclude(id);
    else if (entry.download)
        showProgress(entry.download);
}

// ---- the engine's side ------------------------------------------------------------------

void DownloadManager::onRequested(QWebEngineDownloadRequest *download)
{
    // The engine starts a broken-off download again under the same id and
    // asks for its target anew: it goes on where it was.
    if (m_entries.contains(download->id())) {
        resume(m_entries[download->id()], download);
        return;
    }
    // A page save started with its path (QWebEnginePage::save) comes
    // accepted: only its progress and end are ours.
    if (download->state() != Request::DownloadRequested) {
        Entry entry;
        entry.download = download;
        entry.target = enginePath(download);
        entry.page = download->isSavePageDownload();
        m_entries.insert(download->id(), entry);
        watch(download);
        emit listed(download, entry.target);
        showProgress(download);
        return;
    }
    // A page save is asked for with its path (the pages hand the engine
    // menu's item to savePage); the engine cannot follow one cancelled here
    // and started again.
    const auto *page = qobject_cast<const VasaroPage *>(download->page());
    if (DownloadRules::offersDownload(page && page->isAuxiliary()) && !download->isSavePageDownload()
        && m_holding.isValid()) {
        if (!askedBeforeFetching(download, page))
            acceptIntoHolding(download);
        return;
    }
    download->cancel();
}

bool DownloadManager::askedBeforeFetching(QWebEngineDownloadRequest *download, const VasaroPage *page)
{
    if (m_approved.removeOne(download->url()) || !page || page->userActedRecently())
        return false;
    const QUrl url = download->url();
    const QString name = DownloadRules::safeFileName(download->suggestedFileName(), QStringLiteral("lataus"));
    QPointer<QWebEnginePage> from(download->page());
    download->cancel();
    QTimer::singleShot(0, this, [this, url, name, from] {
        const QString question = QStringLiteral("Sivu ") + (from ? from->url().host() : QString())
                                 + QStringLiteral(" haluaa ladata tiedoston ") + name
                                 + QStringLiteral(".\rLadataanko tiedosto?");
        if (!from || !m_prompts || m_prompts->confirm(question) != Prompts::Answer::Yes)
            return;
        m_approved << url;
        from->download(url, name);
    });
    return true;
}

void DownloadManager::acceptIntoHolding(QWebEngineDownloadRequest *download)
{
    QString offered = download->suggestedFileName();
    if (offered.isEmpty())
        offered = download->downloadFileName();
    const QString name = DownloadRules::safeFileName(offered, QStringLiteral("lataus"));
    const QString folder = m_holding.filePath(QString::number(download->id()));
    QDir().mkpath(folder);
    download->setDownloadDirectory(folder);
    download->setDownloadFileName(name);
    download->accept();
    Entry entry;
    entry.download = download;
    entry.holding = QDir(folder).filePath(name);
    m_entries.insert(download->id(), entry);
    watch(download);
    const quint32 id = download->id();
    QTimer::singleShot(0, this, [this, id] { askForFile(id); });
}

void DownloadManager::resume(Entry &entry, QWebEngineDownloadRequest *download)
{
    if (entry.download)
        disconnect(entry.download, nullptr, this, nullptr);
    if (m_shown == entry.download)
        m_shown = download;
    if (download->state() == Request::DownloadRequested) {
        const QString path = entry.holding.isEmpty() ? entry.target : entry.holding;
        download->setDownloadDirectory(QFileInfo(path).absolutePath());
        download->setDownloadFileName(QFileInfo(path).fileName());
        download->accept();
    }
    entry.download = download;
    watch(download);
}

void DownloadManager::watch(QWebEngineDownloadRequest *download)
{
    connect(download, &Request::receivedBytesChanged, this, [this, download] { showProgress(download); });
    connect(download, &Request::isFinishedChanged, this, [this, download] {
        if (download->isFinished())
            onEngineEnd(download);
    });
    // An interrupted download that the engine could resume never finishes.
    connect(download, &Request::stateChanged, this, [this, download](Request::DownloadState state) {
        if (state == Request::DownloadInterrupted)
            onEngineEnd(download);
    });
}

void DownloadManager::onEngineEnd(QWebEngineDownloadRequest *download)
{
    const quint32 id = download->id();
    if (!m_entries.contains(id) || m_entries.value(id).download != download || m_entries.value(id).engineDone)
        return;
    Entry &entry = m_entries[id];
    entry.engineDone = true;
    disconnect(download, nullptr, this, nullptr);
    if (download->state() == Request::DownloadInterrupted) {
        entry.failure = failureOf(download->interruptReason());
        download->cancel();   // the engine then removes its partial file
    } else if (download->state() != Request::DownloadCompleted) {
        entry.cancelled = true;
    }
    if (m_shown == download) {
        m_shown = nullptr;
        showNext();
    }
    if (!entry.target.isEmpty())
        conclude(id);
}

// ---- the end ------------------------------------------------------------------------------

void DownloadManager::conclude(quint32 id)
{
    const Entry entry = m_entries.take(id);
    bool ok = false;
    if (!entry.failure && !entry.cancelled)
        ok = entry.holding.isEmpty() ? QFileInfo(entry.target).isFile()
                                     : DownloadRules::moveIntoPlace(entry.holding, entry.target);
    if (!entry.holding.isEmpty())
        QDir(QFileInfo(entry.holding).absolutePath()).removeRecursively();
    emit concluded(id, ok, entry.cancelled);
    if (entry.failure)
        fail(entry.target, entry.page, *entry.failure);
    else if (entry.cancelled)
        emit finished(entry.target, false, entry.page);
    else if (ok)
        emit finished(entry.target, true, entry.page);
    else
        fail(entry.target, entry.page, DownloadRules::Failure::Disk);
}

void DownloadManager::discard(quint32 id)
{
    const Entry entry = m_entries.take(id);
    if (entry.download && !entry.download->isFinished()) {
        disconnect(entry.download, nullptr, this, nullptr);
        entry.download->cancel();
    }
    if (!entry.holding.isEmpty())
        QDir(QFileInfo(entry.holding).absolutePath()).removeRecursively();
    if (m_shown == entry.download) {
        m_shown = nullptr;
        showNext();
    }
}

void DownloadManager::fail(const QString &path, bool page, DownloadRules::Failure failure)
{
    m_prompts->error(page ? DownloadRules::pageFailureText()
                          : DownloadRules::failureText(QFileInfo(path).fileName(), failure));
    emit finished(path, false, page);
}

// ---- progress -------------------------------------------------------------------------------

void DownloadManager::showProgress(QWebEngineDownloadRequest *download)
{
    const auto it = m_entries.constFind(download->id());
    if (it == m_entries.constEnd() || it->target.isEmpty() || it->engineDone || (m_shown && m_shown != download))
        return;
    // The panel serves one long job at a time: another job's panel is left alone.
    if (!m_panel || (!m_shown && m_panel->isVisible()))
        return;
    m_shown = download;
    const QString text = DownloadRules::progressText(QFileInfo(it->target).fileName(), download->receivedBytes(),
                                                     download->totalBytes());
    m_panel->setLabel(text);
    if (!m_panel->isVisible())
        m_panel->showCentred();
    emit progressShown(text);
}

void DownloadManager::showNext()
{
    if (m_panel)
        m_panel->hide();
    for (const Entry &entry : std::as_const(m_entries)) {
        if (entry.download && !entry.engineDone && !entry.target.isEmpty()) {
            showProgress(entry.download);
            return;
        }
    }
}

void DownloadManager::cancelAll()
{
    if (!m_shown)
        return;   // the panel stood for another job
    const QList<Entry> entries = m_entries.values();
    for (const Entry &entry : entries) {
        if (entry.download && !entry.engineDone && !entry.target.isEmpty())
            entry.download->cancel();
    }
}
