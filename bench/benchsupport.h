#pragma once
// What the benchmark programs share: prompts that print instead of asking,
// the fake marketplace as a child process, and timing with the median of a
// few runs in both wall-clock and processor time (the machine may be shared).
#include "core/prompts.h"
#include "core/waitfor.h"
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace bench {

// Messages go to standard output (or nowhere); every question gets one answer.
class PrintingPrompts final : public Prompts {
public:
    explicit PrintingPrompts(Answer answer = Answer::No, bool quiet = false) : m_answer(answer), m_quiet(quiet) {}
    void information(const QString &t) override { print("information", t); }
    void message(const QString &t) override { print("message", t); }
    void error(const QString &t) override { print("error", t); }
    Answer confirm(const QString &, bool) override { return m_answer; }
    std::optional<QString> input(const QString &, const QString &, const QString &) override { return {}; }
    QString openFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &, const QString &) override { return {}; }
    QString directory(const QString &, const QString &) override { return {}; }

private:
    void print(const char *kind, const QString &t) const
    {
        if (!m_quiet)
            std::printf("%s: %s\n", kind, qPrintable(t));
    }
    Answer m_answer;
    bool m_quiet;
};

// Starts tests/marketplace/server.py on a free port; the port, or 0.
inline int startFakeMarketplace(QProcess &server, const QString &dir)
{
    const QString script = QFileInfo(QStringLiteral(__FILE__)).absolutePath()
        + QStringLiteral("/../tests/marketplace/server.py");
    const QString portFile = dir + QStringLiteral("/port");
    server.start(QStringLiteral("python3"), {script, QStringLiteral("--port-file"), portFile});
    if (!server.waitForStarted(5000))
        return 0;
    QFile f(portFile);
    // Python takes seconds to start on a machine busy with builds.
    waitFor([&] { return f.exists(); }, 30000);
    return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed().toInt() : 0;
}

inline double cpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

// Median wall-clock and processor time of `repeats` runs; `prepare` runs
// before each, untimed.
inline void measure(const char *what, double goalMs, int repeats, const std::function<void()> &prepare,
                    const std::function<void()> &run)
{
    std::vector<double> wall;
    std::vector<double> cpu;
    for (int i = 0; i < repeats; ++i) {
        prepare();
        QElapsedTimer timer;
        timer.start();
        const double c0 = cpuMs();
        run();
        cpu.push_back(cpuMs() - c0);
        wall.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    const double median = wall[wall.size() / 2];
    std::printf("%-36s wall %7.2f ms (best %7.2f)  cpu %7.2f ms  goal < %.0f ms%s\n", what, median,
                wall.front(), cpu[cpu.size() / 2], goalMs, median < goalMs ? "" : "  OVER");
}

}
