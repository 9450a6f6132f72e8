#include "messagepanel.h"

namespace {
constexpr int kEdge = 5;
}

MessagePanel::MessagePanel(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMinimumSize(300, 60);
    setFrameShape(QFrame::Box);
    hide();
}

void MessagePanel::placeTopRightBelow(QWidget *anchor)
{
    m_anchor = anchor;
    setWordWrap(false);
    setMargin(4);
    setMinimumSize(0, 0);
    setAutoFillBackground(true);
}

void MessagePanel::naytapaneeli(const QString &text, int ticks)
{
    setText(text);
    adjustSize();
    const QWidget *p = parentWidget();
    if (m_anchor) {
        const int below = m_anchor->mapTo(p, QPoint(0, m_anchor->height())).y() + kEdge;
        move(qMax(0, p->width() - width() - kEdge), below);
    } else {
        resize(qMax(width(), 300), qMax(height(), 60));
        move(p->width() / 2 - width() / 2, p->height() / 2 - height() / 2);
    }
    raise();
    show();
    m_ticks = ticks;
}

void MessagePanel::tick()
{
    if (m_ticks > 0)
        --m_ticks;
    if (isVisible() && m_ticks == 0)
        hide();
}
