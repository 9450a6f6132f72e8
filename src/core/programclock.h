#pragma once
// The program's own clock: a base date-time plus the milliseconds elapsed since
// it was set, so it can follow the marketplace's clock instead of the computer's.
#include <QDateTime>
#include <functional>

class ProgramClock final {
public:
    using TickSource = std::function<qint64()>;
    explicit ProgramClock(TickSource ticks = {}, QDateTime start = {});

    QDateTime kellonaika() const;
    void asetakello(const QDateTime &dt);

    // Set from the marketplace: switches the caption suffix for good.
    void setFromMarketplace(const QDateTime &dt);
    bool marketplaceTime() const { return m_marketplace; }
    QString sourceSuffix() const;

private:
    TickSource m_ticks;
    QDateTime m_base;
    qint64 m_baseTick = 0;
    bool m_marketplace = false;
};
