// The ledger window's closing, quitting and the recovery of a list the
// program could not ask about (see ledgerrecovery.h); the rest of the window
// is in tform8.cpp.
#include "tform8.h"
#include "core/prompts.h"
#include "core/waitfor.h"
#include "ledger/ledgercontrols.h"
#include "ledger/ledgergrid.h"
#include "ledger/files/ledgerrecovery.h"
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>

QString TForm8::closeQuestion()
{
    return QStringLiteral("Listaa ei ole tallennettu!\r\rHaluatko tallentaa?");
}

void TForm8::bringUp()
{
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
    // The window manager activates it a moment later.
    waitFor([this] { return isActiveWindow(); }, 500);
}

void TForm8::offerRecovery()
{
    if (m_recoveryFile.isEmpty() || m_unsaved || QFileInfo(m_recoveryFile).size() <= 0)
        return;
    const QString question = QStringLiteral("Ohjelma suljettiin viime kerralla, kun listaa ei ollut "
                                            "tallennettu.\r\rPalautetaanko tallentamaton lista?");
    if (m_prompts.confirm(question) == Prompts::Answer::Yes
        && m_commands->luelista(false, false, m_recoveryFile)) {
        listLoaded();
        m_unsaved = true;   // still not in a file of the user's
    }
    QFile::remove(m_recoveryFile);
}

void TForm8::takeNotes()
{
    // As when the box is left: the note is stored and the list marked
    // unsaved. A window that is not active gets no focus events.
    if (focusWidget() != m_ui->Memo4)
        return;
    const bool focused = m_ui->Memo4->hasFocus();
    m_ui->sg2->setFocus(Qt::OtherFocusReason);
    if (!focused)
        Memo4Exit();
}

bool TForm8::saveList()
{
    takeNotes();
    return m_commands->tallennaLista();
}

bool TForm8::FormCloseQuery()
{
    takeNotes();
    if (!m_unsaved)
        return true;
    switch (m_prompts.confirm(closeQuestion(), true)) {
    case Prompts::Answer::Yes:
        // A save that was not carried out keeps the window and the mark,
        // so the list is not lost at the end of the run.
        if (!saveList())
            return false;
        break;
    case Prompts::Answer::No:
        break;
    case Prompts::Answer::Cancel:
        return false;
    }
    m_unsaved = false;
    return true;
}

bool TForm8::quitQuery()
{
    takeNotes();
    if (!m_unsaved)
        return true;
    bringUp();
    return FormCloseQuery();
}

bool TForm8::kirjoitaPalautus()
{
    takeNotes();
    if (!m_unsaved)
        return true;
    if (m_recoveryFile.isEmpty() || !LedgerRecovery::write(m_sg, m_recoveryFile))
        return false;
    m_unsaved = false;
    return true;
}

void TForm8::closeEvent(QCloseEvent *event)
{
    if (!FormCloseQuery()) {
        event->ignore();
        return;
    }
    m_ui->MonthCalendar1->hide();
    event->accept();
    emit formClosed();
}
