#pragma once
// "Lataukset" (Ctrl+J): every download since the program started with its
// file name, size, progress and state, and "Avaa", "Näytä kansiossa" and
// "Peruuta" for the chosen one. Files and folders open only on the user's
// click, through the desktop (an opener tests replace).
#include <QUrl>
#include <QWidget>
#include <functional>

class DownloadList;
class DownloadTracker;
class QPushButton;
class QTableView;

class DownloadsWindow final : public QWidget {
    Q_OBJECT
public:
    DownloadsWindow(DownloadList *list, DownloadTracker *tracker, QWidget *parent = nullptr);

    void setOpener(std::function<bool(const QUrl &)> opener) { m_open = std::move(opener); }
    QTableView *table() const { return m_table; }

    void openChosen();
    void showChosenInFolder();
    void cancelChosen();

private:
    int chosenRow() const;
    void refreshButtons();

    DownloadList *m_list;
    DownloadTracker *m_tracker;
    QTableView *m_table;
    QPushButton *m_openButton;
    QPushButton *m_folderButton;
    QPushButton *m_cancelButton;
    std::function<bool(const QUrl &)> m_open;
};
