#include "core/heaptrim.h"
#include <QTimer>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

HeapTrim::HeapTrim(std::function<void()> trim, int quietMs, QObject *parent)
    : QObject(parent), m_trim(std::move(trim)), m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(quietMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        if (m_trim)
            m_trim();
    });
}

void HeapTrim::workDone()
{
    m_timer->start();
}

bool HeapTrim::releaseFreedPages()
{
#if defined(__GLIBC__)
    return malloc_trim(0) != 0;
#else
    return false;
#endif
}
