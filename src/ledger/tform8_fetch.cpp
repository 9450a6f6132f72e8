// The ledger window's side of the fetch from the marketplace's API: the
// "Alkaen:" and "Määrä:" checks, the fetch button and Enter in "Määrä:", and
// the progress panel; the fetch itself is in ledgerfetch.h.
#include "tform8.h"
#include "client/stopflag.h"
#include "client/strutil.h"
#include "ledger/ledgercontrols.h"
#include "ledger/ledgergrid.h"
#include "widgets/progressframe.h"
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

void TForm8::connectFetchControls()
{
    connect(m_ui->Edit1, &QLineEdit::editingFinished, this, &TForm8::Edit1Exit);
    connect(m_ui->Edit2, &QLineEdit::editingFinished, this, &TForm8::Edit2Exit);
    // The fetch starts from the event loop, not from inside the click or key
    // that asked for it.
    const auto later = [this] { QTimer::singleShot(0, this, &TForm8::suoritahakuClick); };
    connect(m_ui->Edit2, &QLineEdit::returnPressed, this, [this, later] {
        Edit2Exit();
        if (m_fetch)
            later();
    });
    connect(m_ui->suoritahaku, &QPushButton::clicked, this, later);
}

void TForm8::attachFetch(HttpApi &http, ApiSession &api, StopFlag &stop)
{
    m_fetch = std::make_unique<LedgerFetch>(http, api, stop, m_prompts, *this);
    m_stop = &stop;
    if (!m_progress) {
        m_progress = new ProgressFrame({QStringLiteral("progress"), QStringLiteral("progresstitle"),
                                        QStringLiteral("prog"), QStringLiteral("progressstop"),
                                        QStringLiteral("Pysäytä"), QSize(241, 81), true},
                                       this);
        connect(m_progress->button(), &QPushButton::clicked, this, &TForm8::progressstopClick);
        connect(this, &TForm8::formClosed, this, [this] { m_stop->set(); });
    }
    m_ui->suoritahaku->setEnabled(true);
}

void TForm8::Edit1Exit()
{
    const QString checked = LedgerFetchRules::checkStart(m_ui->Edit1->text());
    if (checked != m_ui->Edit1->text())
        m_ui->Edit1->setText(checked);
}

void TForm8::Edit2Exit()
{
    const QString checked = LedgerFetchRules::checkCount(m_ui->Edit2->text());
    if (checked != m_ui->Edit2->text())
        m_ui->Edit2->setText(checked);
}

void TForm8::suoritahakuClick()
{
    if (!m_fetch || m_fetch->running())
        return;
    Edit1Exit();
    Edit2Exit();
    m_fetch->suoritahaku(StrUtil::kokonaisluvuksi(m_ui->Edit1->text()),
                         StrUtil::kokonaisluvuksi(m_ui->Edit2->text()));
}

void TForm8::naytapaneeli(const QString &title, bool stopEnabled, int maximum)
{
    m_progress->setProgress(0, maximum);
    m_progress->button()->setEnabled(stopEnabled);
    m_progress->setLabel(title);
    m_progress->showCentred(this);
}

void TForm8::setProgress(int position, int maximum)
{
    m_progress->setProgress(position, maximum);
}

void TForm8::piilotapaneeli()
{
    m_progress->hide();
    m_progress->button()->setEnabled(true);
    m_progress->resetProgress();
    if (m_fetchViewBehind)
        showFetchedRows();
}

void TForm8::progressstopClick()
{
    m_progress->resetProgress();
    m_stop->set();
}

void TForm8::rowAppended()
{
    // Rebuilding the view and the date range walks the whole list and lays
    // the grid out again: at most 20 times a second is as fast as the eye
    // follows, and keeps a long fetch from spending its time on it.
    constexpr int kFetchViewMs = 50;
    if (m_fetchViewShown.isValid() && m_fetchViewShown.elapsed() < kFetchViewMs) {
        m_fetchViewBehind = true;
        return;
    }
    showFetchedRows();
}

void TForm8::showFetchedRows()
{
    suodatanakyma();
    asetaaikavali();
    m_fetchViewShown.start();
    m_fetchViewBehind = false;
}

void TForm8::fetchCompleted()
{
    huutajaChange();
    if (isVisible())
        m_ui->sg2->setFocus();
    if (m_sg2.rowCount() > 2)
        selectRow(2);
    selectRow(1);
}

void TForm8::fetchRunning(bool running)
{
    // A second fetch waits for this one; the mode stays what the fetch reads.
    m_ui->suoritahaku->setEnabled(!running);
    m_ui->hakutapa->setEnabled(!running);
}
