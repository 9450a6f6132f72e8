#pragma once
// The one place where a test waits a fixed time: to see that something does
// NOT happen (no question asked, no navigation, no request). A wait for
// something to happen is a condition wait (QTRY_*, QTest::qWaitFor) instead.
#include <QElapsedTimer>
#include <QTest>

// Long enough for a deferred command's zero-time or short timer and a page's
// answer on loopback to have arrived, were they coming.
constexpr int kQuietMs = 300;
// For a page's own timers and the engine's round trips to have run out.
constexpr int kQuietPeriodMs = 1500;

// Lets the given time pass with events processed, for checks made after it
// (what was recorded meanwhile) that nothing happened.
inline void quietFor(int ms)
{
    QTest::qWait(ms);
}

// True when the predicate holds all through the given time (checked as the
// events of that time are processed); false as soon as it stops holding.
template <typename Predicate>
bool stillAfter(int ms, Predicate predicate)
{
    QElapsedTimer clock;
    clock.start();
    do {
        if (!predicate())
            return false;
        QTest::qWait(10);
    } while (clock.elapsed() < ms);
    return predicate();
}
