#pragma once
#include <QObject>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal so that a logout or a
// `kill` closes the main window in order (and the settings get saved).
class SignalWatcher final : public QObject {
    Q_OBJECT
public:
    explicit SignalWatcher(QObject *parent = nullptr);
    ~SignalWatcher() override;

    // A signal arrived (also one that came before anything was connected).
    bool requested() const { return m_requested; }

signals:
    void terminationRequested();

private:
    static void handler(int sig);
    QSocketNotifier *m_notifier = nullptr;
    bool m_requested = false;
};
