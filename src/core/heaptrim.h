#pragma once
// Start-up and page loads free much of what they allocate, and the C library
// keeps the freed heap pages for later use: the system counts them as the
// program's memory. Once the program has stayed quiet for a moment after a
// burst of work, they go back to the system.
#include <QObject>
#include <functional>

class QTimer;

class HeapTrim final : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMs = 2000;

    // trim: what gives the pages back (releaseFreedPages in the program).
    explicit HeapTrim(std::function<void()> trim, int quietMs = kQuietMs, QObject *parent = nullptr);

    // A burst of work ended: the trim follows once quietMs pass without
    // another. The timer's own wait costs nothing while it runs.
    void workDone();

    // Hands the heap's free pages back to the system; true when any went.
    static bool releaseFreedPages();

private:
    std::function<void()> m_trim;
    QTimer *m_timer;
};
