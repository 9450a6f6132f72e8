#include "waitfor.h"
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

bool waitFor(const std::function<bool()> &done, int limitMs)
{
    if (done())
        return true;
    QDeadlineTimer deadline(limitMs);
    QEventLoop loop;
    QTimer check;
    check.setInterval(1);
    QObject::connect(&check, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    check.start();
    loop.exec();
    return done();
}

void waitMs(int ms)
{
    waitFor([] { return false; }, ms);
}
