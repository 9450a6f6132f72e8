#pragma once
// Several pictures prepared at once on a pool of worker threads. Results
// keep the order of the files, whatever order the workers finish in; the
// caller waits (the window through waitFor, a benchmark through wait()).
#include "imaging/pictureprep.h"

#include <QMutex>
#include <QStringList>
#include <QThreadPool>
#include <QVector>
#include <atomic>

class PictureBatch final {
public:
    explicit PictureBatch(int threads = 0);   // 0: one per core
    ~PictureBatch();

    // Starts preparing every file; an earlier batch must have finished.
    void start(const QStringList &files, const PicturePrep::Options &options);
    bool isDone() const { return m_remaining.load() == 0; }
    void wait();
    // One result per file, in the files' order (complete once isDone()).
    QVector<PicturePrep::Result> results() const;

private:
    QThreadPool m_pool;
    mutable QMutex m_mutex;
    QVector<PicturePrep::Result> m_results;
    std::atomic<int> m_remaining{0};
};
