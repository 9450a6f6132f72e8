#include "browser/engine/hangwatch.h"
#include <QFile>
#include <QGuiApplication>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace {
constexpr int kTickMs = 500;

// The parent of a process, from /proc (0 when it cannot be read).
qint64 parentOf(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray text = stat.readAll();
    const QList<QByteArray> rest = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return rest.size() > 1 ? rest.at(1).toLongLong() : 0;
}

// Renderers are this process's children or grandchildren (the zygote's);
// a number the system has given to someone else is never signalled.
bool isOwnDescendant(qint64 pid)
{
    qint64 p = pid;
    for (int depth = 0; depth < 4 && p > 1; ++depth) {
        p = parentOf(p);
        if (p == getpid())
            return true;
    }
    return false;
}
}

HangWatch::HangWatch(int limitMs, QObject *parent) : QObject(parent), m_limitMs(limitMs)
{
    m_tick.setInterval(kTickMs);
    connect(&m_tick, &QTimer::timeout, this, &HangWatch::check);
}

void HangWatch::watch(QWebEnginePage *page)
{
    if (page == m_page)
        return;
    for (const QMetaObject::Connection &c : std::as_const(m_pageConnections))
        disconnect(c);
    m_pageConnections.clear();
    QWebEnginePage *was = m_page;
    const bool wasReported = m_reported;
    m_page = page;
    m_asked = 0;
    m_reported = false;
    if (wasReported && was)
        emit responsive(was);
    if (!page) {
        m_tick.stop();
        return;
    }
    m_pageConnections << connect(page, &QWebEnginePage::loadStarted, this, &HangWatch::restart)
                      << connect(page, &QWebEnginePage::loadFinished, this, &HangWatch::restart)
                      << connect(page, &QWebEnginePage::urlChanged, this, &HangWatch::restart)
                      << connect(page, &QWebEnginePage::renderProcessTerminated, this, &HangWatch::restart)
                      << connect(page, &QObject::destroyed, this, [this] { watch(nullptr); });
    m_tick.start();
}

void HangWatch::restart()
{
    m_asked = 0;
    if (m_reported) {
        m_reported = false;
        emit responsive(m_page);
    }
}

void HangWatch::keepWaiting()
{
    m_reported = false;
    m_silent.restart();
}

void HangWatch::check()
{
    if (!m_page)
        return;
    // A modal window (a page's own alert among them) may hold the answer.
    if (QGuiApplication::modalWindow()) {
        m_silent.restart();
        return;
    }
    // No renderer (not started yet, or ended): nothing there can hang.
    if (m_page->renderProcessPid() <= 0) {
        m_asked = 0;
        return;
    }
    if (m_asked == 0) {
        ask();
        return;
    }
    if (!m_reported && m_silent.hasExpired(m_limitMs)) {
        m_reported = true;
        emit unresponsive(m_page);
    }
}

void HangWatch::ask()
{
    const quint64 question = ++m_lastQuestion;
    m_asked = question;
    m_silent.start();
    const QPointer<HangWatch> self(this);
    m_page->runJavaScript(QStringLiteral("1"), QWebEngineScript::ApplicationWorld, [self, question](const QVariant &) {
        if (self)
            self->answered(question);
    });
}

void HangWatch::answered(quint64 question)
{
    if (question != m_asked)
        return;
    m_asked = 0;
    if (m_reported) {
        m_reported = false;
        emit responsive(m_page);
    }
}

bool HangWatch::endRenderer(QWebEnginePage *page)
{
    const qint64 pid = page ? page->renderProcessPid() : 0;
    if (pid <= 0 || !isOwnDescendant(pid))
        return false;
    return ::kill(pid_t(pid), SIGKILL) == 0;
}
