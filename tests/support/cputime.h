#pragma once
// Processor time of the calling thread, for tests that check that some work
// is quick: wall time would make a busy machine look like a slow program.
#include <QtGlobal>
#include <ctime>

inline qint64 threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return qint64(ts.tv_sec) * 1000 + ts.tv_nsec / 1000000;
}
