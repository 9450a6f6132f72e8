#pragma once
// Folder browser/downloads: the downloads list ("Tiedosto" > "Lataukset").
//   downloadlist.h     the list of this run's downloads as a table model (no widgets)
//   downloadtracker.h  feeds the list from the download manager and cancels
//   downloadswindow.h  the window: the table and "Avaa", "Näytä kansiossa", "Peruuta"
#include <QAbstractTableModel>
#include <QList>
#include <QString>

class DownloadList final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class State { Running, Done, Cancelled, Failed };
    enum Column { FileColumn, SizeColumn, ProgressColumn, StateColumn, ColumnCount };

    struct Entry {
        quint32 id = 0;
        QString path;
        qint64 received = 0;
        qint64 total = -1;   // -1: the server did not say
        State state = State::Running;
    };

    explicit DownloadList(QObject *parent = nullptr);

    // A download whose file the user has chosen; newest first.
    void add(quint32 id, const QString &path, qint64 total);
    void progress(quint32 id, qint64 received, qint64 total);
    void finish(quint32 id, State state);

    int rowOf(quint32 id) const;
    const Entry &entry(int row) const { return m_entries.at(row); }

    static QString stateText(State state);
    // "512 t", "12 kt", "3,4 Mt".
    static QString sizeText(qint64 bytes);
    static QString progressText(const Entry &entry);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void rowChanged(int row);

    QList<Entry> m_entries;
};
