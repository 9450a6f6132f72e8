// The main window's side of the browser shell: address box, status bar,
// page changes, notices and deferred commands.
#include "tform1.h"
#include "messagepanel.h"
#include "client/apisession.h"
#include "browser/tabs/addressbox.h"
#include "browser/tabs/navigationbar.h"
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

// Every module shows or hides its own controls.
void TForm1::pageChanged(const PageState &state)
{
    m_registry.pageChanged(state);
}

void TForm1::naytapaneeli(const QString &text, int ticks)
{
    m_paneeli->naytapaneeli(text, ticks);
}

void TForm1::statusNotice(const QString &text, int ticks)
{
    m_xipanel6->naytapaneeli(text, ticks);
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
