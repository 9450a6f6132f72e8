// The main window's side of the browser shell: address box, status bar,
// named controls, notices and deferred commands.
#include "tform1.h"
#include "messagepanel.h"
#include "client/apisession.h"
#include "browser/tabs/addressbox.h"
#include "browser/tabs/navigationbar.h"
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QTimer>

QString TForm1::addressText() const
{
    return m_toolbar->addressBox()->currentText();
}

void TForm1::setAddressText(const QString &text)
{
    m_toolbar->addressBox()->setEditText(text);
}

QString TForm1::statusText() const
{
    return m_status->text();
}

void TForm1::setStatusText(const QString &text)
{
    m_status->setText(text);
}

void TForm1::setControlVisible(const QString &objectName, bool visible)
{
    if (QWidget *w = m_controls.value(objectName))
        w->setVisible(visible);
}

bool TForm1::controlVisible(const QString &objectName) const
{
    const QWidget *w = m_controls.value(objectName);
    return w && w->isVisible();
}

void TForm1::setControlCaption(const QString &objectName, const QString &caption)
{
    QWidget *w = m_controls.value(objectName);
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->setText(caption);
    else if (auto *l = qobject_cast<QLabel *>(w))
        l->setText(caption);
}

void TForm1::naytapaneeli(const QString &text, int ticks)
{
    m_paneeli->naytapaneeli(text, ticks);
}

void TForm1::queueCommand(const QString &word)
{
    m_pendingCommand = word;
    m_timer3->start();
}

QString TForm1::signedInUser() const
{
    return m_api->userName();
}
