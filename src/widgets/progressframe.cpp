#include "widgets/progressframe.h"
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

ProgressFrame::ProgressFrame(const Parts &parts, QWidget *parent)
    : QFrame(parent), m_label(new QLabel(this)), m_button(new QPushButton(parts.caption, this))
{
    setObjectName(parts.panel);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    m_label->setObjectName(parts.label);
    m_label->setAlignment(Qt::AlignCenter);
    m_button->setObjectName(parts.button);
    auto *col = new QVBoxLayout(this);
    if (parts.narrow) {
        col->setContentsMargins(8, 4, 8, 4);
        col->setSpacing(2);
    }
    col->addWidget(m_label);
    if (!parts.bar.isEmpty()) {
        m_bar = new QProgressBar(this);
        m_bar->setObjectName(parts.bar);
        m_bar->setRange(0, 100);
        m_bar->setTextVisible(false);
        col->addWidget(m_bar);
    }
    col->addWidget(m_button, 0, Qt::AlignHCenter);
    setFixedSize(parts.size);
    hide();
}

void ProgressFrame::setLabel(const QString &text)
{
    m_label->setText(text);
}

QString ProgressFrame::label() const
{
    return m_label->text();
}

void ProgressFrame::setProgress(int position, int maximum)
{
    if (!m_bar)
        return;
    const int top = qMax(1, maximum);
    m_bar->setRange(0, top);
    m_bar->setValue(qBound(0, position, top));
}

void ProgressFrame::resetProgress()
{
    if (m_bar)
        m_bar->setValue(0);
}

void ProgressFrame::centreIn(QWidget *window)
{
    QWidget *parent = parentWidget();
    if (!window)
        window = parent;
    if (!window)
        return;
    const QPoint topLeft(window->width() / 2 - width() / 2, window->height() / 2 - height() / 2);
    move(parent && parent != window ? parent->mapFrom(window, topLeft) : topLeft);
}

void ProgressFrame::showCentred(QWidget *window)
{
    centreIn(window);
    show();
    raise();
}
