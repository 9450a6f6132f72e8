#pragma once
// Folder browser/history: the pages visited ("Näytä" > "Historia").
//   historystore.h   the visited pages, newest first, kept in "historia.dat" (no widgets)
//   historyrecorder.h  notes every tab's loaded pages into the store
//   historywindow.h  the list: filtered by a typed word, opened by a double click
//
// "historia.dat" (data folder, 0600, atomic), UTF-8, one page a line:
//   <ISO date-time>\t<address>\t<title>
// newest first. A page visited again moves to the top with its newest title.
#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>

class QTimer;

class HistoryStore final : public QObject {
    Q_OBJECT
public:
    static constexpr int kMostPages = 2000;
    static constexpr int kSaveDelayMs = 2000;

    struct Page {
        QString url;
        QString title;
        QDateTime visited;
    };

    // Reads the file in `dataFolder` (missing or unreadable: empty).
    explicit HistoryStore(const QString &dataFolder, QObject *parent = nullptr);
    ~HistoryStore() override;

    // Only web pages are kept; the file is written a moment later.
    void visited(const QString &url, const QString &title, const QDateTime &when);
    // The newest title of a page already listed.
    void titleChanged(const QString &url, const QString &title);
    void clear();
    // Writes pending changes now.
    bool save();

    const QList<Page> &pages() const { return m_pages; }
    // Pages whose title or address contains every word of `text` (case-insensitive).
    QList<Page> matching(const QString &text) const;
    QString path() const { return m_path; }

    static QByteArray encode(const QList<Page> &pages);
    static QList<Page> decode(const QByteArray &bytes);

signals:
    void changed();

private:
    void touched();

    QString m_path;
    QList<Page> m_pages;
    QTimer *m_delay;
    bool m_dirty = false;
};
