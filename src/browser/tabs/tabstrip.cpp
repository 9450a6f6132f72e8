#include "browser/tabs/tabstrip.h"
#include "browser/tabs/tabdrag.h"
#include <QMouseEvent>
#include <QPainter>
#include <QToolButton>

namespace {
constexpr quint32 kSkyBlue = 15780518;
constexpr int kTextLeft = 6;
constexpr int kTextTop = 3;
constexpr int kButtonSize = 16;
constexpr int kButtonGap = 4;
}

TabStrip::TabStrip(QWidget *parent) : QTabBar(parent), m_plus(new QToolButton(this)), m_drag(new TabDrag(this))
{
    m_plus->setObjectName(QStringLiteral("uusiValilehti"));
    m_plus->setText(QStringLiteral("+"));
    m_plus->setToolTip(QStringLiteral("Uusi välilehti (Ctrl+T)"));
    m_plus->setAutoRaise(true);
    m_plus->setFocusPolicy(Qt::NoFocus);
    connect(m_plus, &QToolButton::clicked, this, &TabStrip::newTabRequested);
    setObjectName(QStringLiteral("PCTabStrip"));
    setDrawBase(false);
    setElideMode(Qt::ElideNone);
    setUsesScrollButtons(true);
    setExpanding(false);
}

QColor TabStrip::fromColorRef(quint32 bgr)
{
    return QColor(int(bgr & 0xff), int((bgr >> 8) & 0xff), int((bgr >> 16) & 0xff));
}

QColor TabStrip::tabColour()
{
    return fromColorRef(kSkyBlue);
}

QFont TabStrip::captionFont(bool active) const
{
    QFont f = font();
    f.setFamily(QStringLiteral("Arial"));
    f.setBold(active);
    return f;
}

QSize TabStrip::tabSizeHint(int index) const
{
    // Room for the bold caption, so a tab does not change size when chosen.
    const QFontMetrics fm(captionFont(true));
    const int button = closeButton(index) ? kButtonSize + kButtonGap : 0;
    return QSize(fm.horizontalAdvance(tabText(index)) + 2 * kTextLeft + 4 + button,
                 qMax(fm.height() + 2 * kTextTop + 2, kButtonSize + 4));
}

QSize TabStrip::sizeHint() const
{
    // Room for the "+" after the last tab.
    const QSize tabs = QTabBar::sizeHint();
    return QSize(tabs.width() + m_plus->sizeHint().width() + kButtonGap, tabs.height());
}

QToolButton *TabStrip::closeButton(int index) const
{
    return qobject_cast<QToolButton *>(tabButton(index, QTabBar::RightSide));
}

// The first tab stays for the whole run: it gets no close button.
void TabStrip::tabInserted(int index)
{
    QTabBar::tabInserted(index);
    if (index == 0)
        return;
    auto *close = new QToolButton(this);
    close->setObjectName(QStringLiteral("suljeValilehti"));
    close->setText(QStringLiteral("×"));
    close->setToolTip(QStringLiteral("Sulje välilehti (Ctrl+W)"));
    close->setAutoRaise(true);
    close->setFocusPolicy(Qt::NoFocus);
    close->setFixedSize(kButtonSize, kButtonSize);
    connect(close, &QToolButton::clicked, this, [this, close] {
        for (int i = 0; i < count(); ++i) {
            if (tabButton(i, QTabBar::RightSide) == close)
                emit closeRequested(i);
        }
    });
    setTabButton(index, QTabBar::RightSide, close);
}

void TabStrip::tabLayoutChange()
{
    QTabBar::tabLayoutChange();
    // A closed tab is hidden, not removed: so is its button.
    for (int i = 0; i < count(); ++i) {
        if (QToolButton *close = closeButton(i))
            close->setVisible(isTabVisible(i));
    }
    placeNewTabButton();
}

void TabStrip::resizeEvent(QResizeEvent *event)
{
    QTabBar::resizeEvent(event);
    placeNewTabButton();
}

void TabStrip::placeNewTabButton()
{
    int right = 0;
    for (int i = 0; i < count(); ++i) {
        if (isTabVisible(i))
            right = qMax(right, tabRect(i).right() + 1);
    }
    const QSize size = m_plus->sizeHint();
    const int x = qMin(right + kButtonGap / 2, width() - size.width());
    m_plus->setGeometry(qMax(0, x), qMax(0, (height() - size.height()) / 2), size.width(),
                        qMin(size.height(), height()));
    m_plus->raise();
}

QSize TabStrip::minimumTabSizeHint(int index) const
{
    return tabSizeHint(index);
}

void TabStrip::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QColor fill = tabColour();
    for (int i = 0; i < count(); ++i) {
        if (!isTabVisible(i))
            continue;
        const QRect r = tabRect(i);
        if (!r.isValid())
            continue;
        p.fillRect(r.adjusted(0, 0, -1, 0), fill);
        p.setFont(captionFont(i == currentIndex()));
        p.setPen(Qt::black);
        p.drawText(r.adjusted(kTextLeft, kTextTop, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                   tabText(i));
    }
}

void TabStrip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton) {
        emit middleClicked(tabAt(event->position().toPoint()));
        event->accept();
        return;
    }
    QTabBar::mousePressEvent(event);
}
