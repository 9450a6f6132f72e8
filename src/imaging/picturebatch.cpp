#include "imaging/picturebatch.h"

#include <QMutexLocker>

PictureBatch::PictureBatch(int threads)
{
    if (threads > 0)
        m_pool.setMaxThreadCount(threads);
}

PictureBatch::~PictureBatch()
{
    m_pool.waitForDone();
}

void PictureBatch::start(const QStringList &files, const PicturePrep::Options &options)
{
    m_pool.waitForDone();
    {
        QMutexLocker lock(&m_mutex);
        m_results = QVector<PicturePrep::Result>(files.size());
    }
    m_remaining.store(static_cast<int>(files.size()));
    for (int i = 0; i < files.size(); ++i) {
        m_pool.start([this, i, file = files.at(i), options] {
            PicturePrep::Result result = PicturePrep::pienennakuva2(file, options);
            QMutexLocker lock(&m_mutex);
            m_results[i] = std::move(result);
            lock.unlock();
            m_remaining.fetch_sub(1);
        });
    }
}

void PictureBatch::wait()
{
    m_pool.waitForDone();
}

QVector<PicturePrep::Result> PictureBatch::results() const
{
    QMutexLocker lock(&m_mutex);
    return m_results;
}
