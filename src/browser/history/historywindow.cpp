#include "browser/history/historywindow.h"
#include "browser/history/historystore.h"
#include "core/prompts.h"
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
constexpr int kUrlRole = Qt::UserRole + 1;
}

HistoryWindow::HistoryWindow(HistoryStore *store, Prompts *prompts, QWidget *parent)
    : QWidget(parent, Qt::Window),
      m_store(store),
      m_prompts(prompts),
      m_filter(new QLineEdit(this)),
      m_list(new QTreeWidget(this)),
      m_clear(new QPushButton(QStringLiteral("Tyhjennä historia"), this))
{
    setObjectName(QStringLiteral("historiaikkuna"));
    setWindowTitle(QStringLiteral("Historia"));
    resize(700, 450);
    m_filter->setObjectName(QStringLiteral("historiahaku"));
    m_filter->setPlaceholderText(QStringLiteral("Hae otsikosta tai osoitteesta"));
    m_filter->setClearButtonEnabled(true);
    m_list->setObjectName(QStringLiteral("historialista"));
    m_list->setHeaderLabels({QStringLiteral("Otsikko"), QStringLiteral("Osoite"), QStringLiteral("Aika")});
    m_list->setRootIsDecorated(false);
    // Title and address share the width; the time takes what it needs.
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    m_list->header()->setSectionResizeMode(2, QHeaderView::ResizeToContents);
    m_clear->setObjectName(QStringLiteral("tyhjennaHistoria"));
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Hae:"), this));
    top->addWidget(m_filter, 1);
    top->addWidget(m_clear);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    connect(m_filter, &QLineEdit::textChanged, this, &HistoryWindow::refill);
    connect(m_store, &HistoryStore::changed, this, [this] {
        if (isVisible())
            refill();
    });
    connect(m_list, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { emit openRequested(item->data(0, kUrlRole).toString()); });
    connect(m_clear, &QPushButton::clicked, this, &HistoryWindow::askClear);
}

void HistoryWindow::open()
{
    refill();
    if (!isVisible() && parentWidget() && !property("vsPlaced").toBool()) {
        // Over the main window, not wherever the window manager finds room.
        move(parentWidget()->window()->geometry().center() - rect().center());
        setProperty("vsPlaced", true);
    }
    show();
    raise();
    activateWindow();
    m_filter->setFocus(Qt::OtherFocusReason);
}

void HistoryWindow::refill()
{
    m_list->clear();
    for (const HistoryStore::Page &p : m_store->matching(m_filter->text())) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(0, p.title.isEmpty() ? p.url : p.title);
        item->setText(1, p.url);
        item->setText(2, p.visited.toLocalTime().toString(QStringLiteral("d.M.yyyy H.mm")));
        item->setData(0, kUrlRole, p.url);
    }
}

void HistoryWindow::askClear()
{
    if (m_prompts->confirm(QStringLiteral("Tyhjennetäänkö koko historia?")) != Prompts::Answer::Yes)
        return;
    m_store->clear();
    refill();
}
