#include "messagepanel.h"

MessagePanel::MessagePanel(const QString &objectName, QWidget *parent) : QLabel(parent)
{
    setObjectName(objectName);
    setAlignment(Qt::AlignCenter);
    setWordWrap(true);
    setMinimumSize(300, 60);
    setFrameShape(QFrame::Box);
    hide();
}

void MessagePanel::naytapaneeli(const QString &text, int ticks)
{
    setText(text);
    adjustSize();
    resize(qMax(width(), 300), qMax(height(), 60));
    const QWidget *p = parentWidget();
    move(p->width() / 2 - width() / 2, p->height() / 2 - height() / 2);
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
