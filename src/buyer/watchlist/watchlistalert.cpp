#include "buyer/watchlist/watchlistalert.h"
#include <QMouseEvent>

WatchListAlert::WatchListAlert(QWidget *parent) : QLabel(parent)
{
    setObjectName(QStringLiteral("XiPanel3"));
    setFrameShape(QFrame::Box);
    setMargin(3);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet(QStringLiteral("#XiPanel3 { background: #ffe680; color: #800000; }"));
    hide();
}

bool WatchListAlert::showAlert(const QString &text)
{
    const bool fresh = isHidden() || this->text() != text;
    setText(text);
    show();
    raise();
    return fresh;
}

void WatchListAlert::XiPanel3Click()
{
    hide();
}

void WatchListAlert::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        XiPanel3Click();
    QLabel::mousePressEvent(event);
}
