#include "browser/findbar/findbar.h"
#include "browser/engine/tvasaroselain.h"
#include "browser/tabs/pagecontrol.h"
#include "browser/tabs/tabmanager.h"
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>

namespace {
const QString kNotFound = QStringLiteral("Ei löytynyt");
const QColor kNotFoundTint(255, 210, 210);
constexpr int kFieldWidth = 220;
}

FindBar::FindBar(TabManager *tabs, QWidget *parent)
    : QWidget(parent),
      m_tabs(tabs),
      m_field(new QLineEdit(this)),
      m_count(new QLabel(this)),
      m_previous(new QToolButton(this)),
      m_next(new QToolButton(this)),
      m_close(new QToolButton(this))
{
    setObjectName(QStringLiteral("etsintapalkki"));
    m_field->setObjectName(QStringLiteral("etsittava"));
    m_field->setMinimumWidth(kFieldWidth);
    m_field->setClearButtonEnabled(true);
    m_field->installEventFilter(this);
    m_count->setObjectName(QStringLiteral("osumat"));
    m_previous->setText(QStringLiteral("▲"));
    m_previous->setToolTip(QStringLiteral("Edellinen (Shift+F3)"));
    m_next->setText(QStringLiteral("▼"));
    m_next->setToolTip(QStringLiteral("Seuraava (F3)"));
    m_close->setObjectName(QStringLiteral("suljeetsinta"));
    m_close->setText(QStringLiteral("×"));
    m_close->setToolTip(QStringLiteral("Sulje (Esc)"));
    for (QToolButton *b : {m_previous, m_next, m_close}) {
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(4, 2, 4, 2);
    row->addWidget(new QLabel(QStringLiteral("Etsi:"), this));
    row->addWidget(m_field);
    row->addWidget(m_previous);
    row->addWidget(m_next);
    row->addWidget(m_count);
    row->addStretch(1);
    row->addWidget(m_close);
    connect(m_field, &QLineEdit::textEdited, this, [this] { search(false); });
    connect(m_previous, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(m_next, &QToolButton::clicked, this, &FindBar::findNext);
    connect(m_close, &QToolButton::clicked, this, &FindBar::closeBar);
    connect(m_tabs->pageControl(), &QTabWidget::currentChanged, this, &FindBar::activeTabChanged);
    hide();
}

QString FindBar::countText() const
{
    return m_count->text();
}

QWebEnginePage *FindBar::activePage() const
{
    TVasaroselain *view = m_tabs ? m_tabs->activeBrowser() : nullptr;
    return view ? view->page() : nullptr;
}

void FindBar::F3(bool backward)
{
    if (!isVisible() || m_field->text().isEmpty()) {
        show();
        m_field->setFocus(Qt::ShortcutFocusReason);
        m_field->selectAll();
        return;
    }
    search(backward);
}

void FindBar::findNext()
{
    search(false);
}

void FindBar::findPrevious()
{
    search(true);
}

// The engine takes the same text again as "go on from the current match".
void FindBar::search(bool backward)
{
    QWebEnginePage *page = activePage();
    if (!page)
        return;
    if (m_searched && m_searched != page)
        m_searched->findText(QString());
    m_searched = page;
    const QString text = m_field->text();
    if (text.isEmpty()) {
        clearPage();
        return;
    }
    const QPointer<FindBar> self(this);
    page->findText(text, backward ? QWebEnginePage::FindBackward : QWebEnginePage::FindFlags(),
                   [self](const QWebEngineFindTextResult &result) {
                       if (self)
                           self->showResult(result);
                   });
}

void FindBar::showResult(const QWebEngineFindTextResult &result)
{
    const bool none = result.numberOfMatches() == 0 && !m_field->text().isEmpty();
    if (m_field->text().isEmpty())
        m_count->clear();
    else if (none)
        m_count->setText(kNotFound);
    else
        m_count->setText(QStringLiteral("%1/%2").arg(result.activeMatch()).arg(result.numberOfMatches()));
    QPalette pal = m_field->palette();
    pal.setColor(QPalette::Base, none ? kNotFoundTint : palette().color(QPalette::Base));
    m_field->setPalette(pal);
}

void FindBar::clearPage()
{
    if (m_searched)
        m_searched->findText(QString());
    m_count->clear();
    m_field->setPalette(palette());
}

void FindBar::closeBar()
{
    clearPage();
    m_searched = nullptr;
    hide();
    if (TVasaroselain *view = activePage() ? m_tabs->activeBrowser() : nullptr)
        view->setFocus(Qt::OtherFocusReason);
}

// Another tab: its page is searched for the same text.
void FindBar::activeTabChanged()
{
    if (!isVisible() || !m_tabs)
        return;
    if (m_searched)
        m_searched->findText(QString());
    m_searched = nullptr;
    m_count->clear();
    if (!m_field->text().isEmpty())
        search(false);
}

bool FindBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_field || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        search(key->modifiers().testFlag(Qt::ShiftModifier));
        return true;
    case Qt::Key_Escape:
        closeBar();
        return true;
    default:
        return QWidget::eventFilter(watched, event);
    }
}
