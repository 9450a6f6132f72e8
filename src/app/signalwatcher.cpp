#include "signalwatcher.h"
#include <QSocketNotifier>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {
int g_fds[2] = {-1, -1};
}

SignalWatcher::SignalWatcher(QObject *parent) : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_fds) != 0)
        return;
    m_notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        char c;
        if (::read(g_fds[1], &c, 1) == 1) {
            m_requested = true;
            emit terminationRequested();
        }
    });
    struct sigaction sa = {};
    sa.sa_handler = &SignalWatcher::handler;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
}

SignalWatcher::~SignalWatcher()
{
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::signal(sig, SIG_DFL);
}

void SignalWatcher::handler(int)
{
    const char c = 1;
    [[maybe_unused]] auto n = ::write(g_fds[0], &c, 1);
}
