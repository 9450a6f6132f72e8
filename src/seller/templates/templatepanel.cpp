#include "seller/templates/templatepanel.h"
#include "seller/templates/listingtemplates.h"
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
constexpr int kWidth = 220;
constexpr int kHeight = 190;
constexpr int kMargin = 4;

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
}

TemplatePanel::TemplatePanel(ListingTemplates *templates, QWidget *parent)
    : QFrame(parent), m_templates(templates), m_list(new QListWidget(this))
{
    setObjectName(QStringLiteral("ppohjat"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_list->setObjectName(QStringLiteral("ListBox3"));
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    column->addWidget(m_list);
    auto *row = new QHBoxLayout;
    QPushButton *save = button(this, "savedraft", QStringLiteral("Tallenna pohja"));
    QPushButton *clear = button(this, "XiButton5", QStringLiteral("Tyhjennä"));
    QPushButton *remove = button(this, "poistapohja", QStringLiteral("Poista"));
    for (QPushButton *b : {save, clear, remove})
        row->addWidget(b);
    column->addLayout(row);
    // As wide as the three captions need, at least the usual width.
    resize(qMax(kWidth, row->sizeHint().width() + 2 * kMargin), kHeight);

    connect(save, &QPushButton::clicked, templates, &ListingTemplates::savedraftClick);
    connect(clear, &QPushButton::clicked, templates, &ListingTemplates::XiButton5Click);
    connect(remove, &QPushButton::clicked, templates, &ListingTemplates::poistapohjaClick);
    connect(m_list, &QListWidget::currentRowChanged, templates, &ListingTemplates::select);
    connect(m_list, &QListWidget::itemClicked, this, [this] {
        m_templates->select(m_list->currentRow());
        m_templates->ListBox3Click();
    });
    connect(templates, &ListingTemplates::listChanged, this, &TemplatePanel::refresh);
    m_list->installEventFilter(this);
    if (parent)
        parent->installEventFilter(this);
    refresh();
}

void TemplatePanel::refresh()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    m_list->addItems(m_templates->names());
    m_list->setCurrentRow(m_templates->selected());
}

void TemplatePanel::ListBox3KeyDown()
{
    m_templates->select(m_list->currentRow());
    m_templates->poistapohjaClick();
}

bool TemplatePanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        ListBox3KeyDown();
        return true;
    }
    if (watched == parentWidget() && event->type() == QEvent::Resize)
        place();
    return QFrame::eventFilter(watched, event);
}

void TemplatePanel::showEvent(QShowEvent *event)
{
    place();
    raise();
    QFrame::showEvent(event);
}

void TemplatePanel::place()
{
    if (QWidget *p = parentWidget())
        move(qMax(0, p->width() - width() - kMargin), kMargin);
}
