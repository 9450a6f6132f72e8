#include "programclock.h"
#include <QElapsedTimer>

namespace {
qint64 monotonicMs()
{
    static QElapsedTimer timer = [] { QElapsedTimer t; t.start(); return t; }();
    return timer.elapsed();
}
}

ProgramClock::ProgramClock(TickSource ticks, QDateTime start)
    : m_ticks(ticks ? std::move(ticks) : TickSource(monotonicMs))
{
    asetakello(start.isValid() ? start : QDateTime::currentDateTime());
}

QDateTime ProgramClock::kellonaika() const
{
    return m_base.addMSecs(m_ticks() - m_baseTick);
}

void ProgramClock::asetakello(const QDateTime &dt)
{
    m_base = dt;
    m_baseTick = m_ticks();
}

void ProgramClock::setFromMarketplace(const QDateTime &dt)
{
    if (!dt.isValid())
        return;
    asetakello(dt);
    m_marketplace = true;
}

QString ProgramClock::sourceSuffix() const
{
    return m_marketplace ? QStringLiteral(" (Vasaron aikaa)")
                         : QStringLiteral(" (Järjestelmän aikaa)");
}
