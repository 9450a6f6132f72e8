#include "browser/downloads/downloadswindow.h"
#include "browser/downloads/downloadlist.h"
#include "browser/downloads/downloadtracker.h"
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

DownloadsWindow::DownloadsWindow(DownloadList *list, DownloadTracker *tracker, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_list(list),
      m_tracker(tracker),
      m_table(new QTableView(this)),
      m_openButton(new QPushButton(QStringLiteral("Avaa"), this)),
      m_folderButton(new QPushButton(QStringLiteral("Näytä kansiossa"), this)),
      m_cancelButton(new QPushButton(QStringLiteral("Peruuta"), this)),
      m_open([](const QUrl &url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("Lataukset"));
    setWindowTitle(QStringLiteral("Lataukset"));
    resize(600, 300);
    m_table->setObjectName(QStringLiteral("latauslista"));
    m_table->setModel(list);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(DownloadList::FileColumn, QHeaderView::Stretch);
    m_openButton->setObjectName(QStringLiteral("avaaLataus"));
    m_folderButton->setObjectName(QStringLiteral("naytaKansiossa"));
    m_cancelButton->setObjectName(QStringLiteral("peruutaLataus"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_openButton);
    buttons->addWidget(m_folderButton);
    buttons->addStretch(1);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
    connect(m_openButton, &QPushButton::clicked, this, &DownloadsWindow::openChosen);
    connect(m_folderButton, &QPushButton::clicked, this, &DownloadsWindow::showChosenInFolder);
    connect(m_cancelButton, &QPushButton::clicked, this, &DownloadsWindow::cancelChosen);
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &DownloadsWindow::refreshButtons);
    connect(list, &QAbstractItemModel::dataChanged, this, &DownloadsWindow::refreshButtons);
    connect(list, &QAbstractItemModel::rowsInserted, this, &DownloadsWindow::refreshButtons);
    refreshButtons();
}

int DownloadsWindow::chosenRow() const
{
    const QModelIndexList rows = m_table->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void DownloadsWindow::refreshButtons()
{
    const int row = chosenRow();
    const auto state = row >= 0 ? m_list->entry(row).state : DownloadList::State::Failed;
    const bool done = row >= 0 && state == DownloadList::State::Done;
    m_openButton->setEnabled(done);
    m_folderButton->setEnabled(done);
    m_cancelButton->setEnabled(row >= 0 && state == DownloadList::State::Running);
}

void DownloadsWindow::openChosen()
{
    const int row = chosenRow();
    if (row >= 0 && m_list->entry(row).state == DownloadList::State::Done)
        m_open(QUrl::fromLocalFile(m_list->entry(row).path));
}

void DownloadsWindow::showChosenInFolder()
{
    const int row = chosenRow();
    if (row >= 0)
        m_open(QUrl::fromLocalFile(QFileInfo(m_list->entry(row).path).absolutePath()));
}

void DownloadsWindow::cancelChosen()
{
    const int row = chosenRow();
    if (row >= 0)
        m_tracker->cancel(m_list->entry(row).id);
}
