#include "waitfor.h"
#include <QAbstractEventDispatcher>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

bool waitFor(const std::function<bool()> &done, int limitMs)
{
    if (done())
        return true;
    QDeadlineTimer deadline(limitMs);
    QEventLoop loop;
    // A predicate that waits itself (it asks a page) runs a loop of its own,
    // in which this check must not start again.
    bool checking = false;
    const auto check = [&] {
        if (checking)
            return;
        checking = true;
        if (done() || deadline.hasExpired())
            loop.quit();
        checking = false;
    };
    // The predicate is looked at whenever the loop has handled events, so an
    // answer (a script result, a reply) ends the wait at once instead of at
    // the next tick; the tick covers the time limit and what changes without
    // an event of this thread.
    QList<QMetaObject::Connection> woken;
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance()) {
        woken << QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, &loop, check)
              << QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, check);
    }
    QTimer tick;
    tick.setInterval(1);
    QObject::connect(&tick, &QTimer::timeout, &loop, check);
    tick.start();
    loop.exec();
    for (const QMetaObject::Connection &c : std::as_const(woken))
        QObject::disconnect(c);
    return done();
}

void waitMs(int ms)
{
    waitFor([] { return false; }, ms);
}
