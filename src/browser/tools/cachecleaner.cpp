#include "browser/tools/cachecleaner.h"
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTimer>

namespace {
// Work per turn of the event loop; the rest of the window stays responsive.
constexpr int kSliceMs = 8;
}

CacheCleaner::CacheCleaner(QObject *parent) : QObject(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(0);
    connect(m_timer, &QTimer::timeout, this, &CacheCleaner::step);
}

CacheCleaner::~CacheCleaner() = default;

bool CacheCleaner::running() const
{
    return m_timer->isActive();
}

bool CacheCleaner::start(const QString &folder, std::function<bool()> keepGoing)
{
    if (running())
        return false;
    m_keepGoing = std::move(keepGoing);
    m_removed = 0;
    // An empty or relative name would mean the working folder: never that.
    const bool usable = !folder.isEmpty() && QDir::isAbsolutePath(folder);
    m_it = std::make_unique<QDirIterator>(usable ? folder : QStringLiteral("/nonexistent-cache-folder"),
                                          QDir::Files | QDir::Hidden | QDir::System, QDirIterator::Subdirectories);
    m_timer->start();
    return true;
}

void CacheCleaner::step()
{
    QElapsedTimer slice;
    slice.start();
    while (slice.elapsed() < kSliceMs) {
        if (!m_keepGoing()) {
            finish(true);
            return;
        }
        if (!m_it->hasNext()) {
            finish(false);
            return;
        }
        if (QFile::remove(m_it->next()))
            ++m_removed;
    }
}

void CacheCleaner::finish(bool cancelled)
{
    m_timer->stop();
    m_it.reset();
    emit finished(cancelled);
}
