#pragma once
// Empties the browser's disk cache entry by entry without blocking the
// window: each turn of the event loop deletes a few entries, and the run
// stops at the next entry once the caller's keep-going test fails (the user
// pressed "Peruuta"). Entries already deleted stay deleted.
#include <QObject>
#include <QString>
#include <functional>
#include <memory>

class QDirIterator;
class QTimer;

class CacheCleaner final : public QObject {
    Q_OBJECT
public:
    explicit CacheCleaner(QObject *parent = nullptr);
    ~CacheCleaner() override;

    // Starts deleting the files under folder; false when a run is going on.
    bool start(const QString &folder, std::function<bool()> keepGoing);
    bool running() const;
    int removed() const { return m_removed; }

signals:
    void finished(bool cancelled);

private:
    void step();
    void finish(bool cancelled);

    QTimer *m_timer;
    std::unique_ptr<QDirIterator> m_it;
    std::function<bool()> m_keepGoing;
    int m_removed = 0;
};
