#include "tform8.h"
#include "client/urlscheme.h"
#include "core/programclock.h"
#include "core/prompts.h"
#include "core/settings.h"
#include "ledger/ledgercelldelegate.h"
#include "ledger/ledgercontrols.h"
#include "ledger/ledgergrid.h"
#include "ledger/messages/ledgermessages.h"
#include "ledger/printing/ledgerprinting.h"
#include "ledger/model/ledgersort.h"
#include "ledger/model/ledgerviewmodel.h"
#include "ledger/statistics/ledgerstatistics.h"
#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace {
const QVector<int> &viewWidths()
{
    // Pixels; 0 = the column is not shown (notes, link).
    static const QVector<int> w{24, 58, 280, 110, 60, 0, 50, 50, 95, 75, 0};
    return w;
}

QString programFolder()
{
    return QCoreApplication::applicationDirPath() + QLatin1Char('/');
}

// The id a counterparty cell "name/id" carries after its "/".
QString storedUserId(const QString &cell)
{
    const int slash = cell.indexOf(u'/');
    if (slash < 0)
        return QString();
    QString id;
    for (const QChar c : cell.mid(slash + 1).trimmed()) {
        if (c < u'0' || c > u'9')
            break;
        id += c;
    }
    return id.left(8);
}
}

TForm8::TForm8(Settings &settings, Prompts &prompts, ProgramClock &clock, Endpoints endpoints,
               QWidget *parent)
    : QMainWindow(parent),
      m_settings(settings),
      m_prompts(prompts),
      m_clock(clock),
      m_endpoints(std::move(endpoints)),
      m_ui(std::make_unique<LedgerControls>(this)),
      m_openUrl([](const QUrl &url) { QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QStringLiteral("Myydyt / ostetut kohteet"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint
                   | Qt::WindowCloseButtonHint);
    m_commands = std::make_unique<LedgerListCommands>(*this, m_prompts, programFolder());
    setupView();
    extendYearLists();
    m_ui->MonthCalendar1->setSelectedDate(m_clock.kellonaika().date());
    connectControls();
    m_messages = new LedgerMessages(*this, *m_ui, m_settings);
    m_printing = new LedgerPrinting(*this, *m_ui, m_prompts);
    new LedgerStatistics(*this, *m_ui, m_prompts);

    resize(816, 535 + menuBar()->sizeHint().height());
    setMinimumSize(780, 550);
    if (QScreen *screen = QGuiApplication::primaryScreen()) {
        QRect frame = geometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TForm8::~TForm8()
{
    // The grid reads the view while it is torn down: it goes before the view.
    m_ui->sg2->setModel(nullptr);
    delete takeCentralWidget();
}

void TForm8::setupView()
{
    m_sg2.setHeaders(m_sg.row(0));
    m_model = new LedgerViewModel(m_sg2, this);
    LedgerGrid *grid = m_ui->sg2;
    grid->setModel(m_model);
    grid->setItemDelegate(new LedgerCellDelegate(grid));
    for (int c = 0; c < LedgerView::ColumnCount; ++c) {
        const int w = viewWidths().at(c);
        grid->setColumnHidden(c, w <= 0);
        if (w > 0)
            grid->setColumnWidth(c, w);
    }
    grid->setCurrentIndex(m_model->index(0, 1));
}

void TForm8::connectControls()
{
    LedgerControls &ui = *m_ui;
    connect(ui.XiButton2, &QPushButton::clicked, this, [this] { XiButton2Click(false); });
    connect(ui.Avaalista1, &QAction::triggered, this, [this] { XiButton2Click(false); });
    connect(ui.lisaa, &QAction::triggered, this, [this] { XiButton2Click(true); });
    connect(ui.tallennalista, &QPushButton::clicked, this, &TForm8::tallennalistaClick);
    connect(ui.allennalista1, &QAction::triggered, this, &TForm8::tallennalistaClick);
    connect(ui.XiButton5, &QPushButton::clicked, this, &TForm8::XiButton5Click);
    connect(ui.Tyhjennlista, &QAction::triggered, this, &TForm8::clearList);
    connect(ui.Sulje1, &QAction::triggered, this, &TForm8::close);
    for (QAction *a : {ui.Poistarivi, ui.Poistakohdelistasta1, ui.deleteKey})
        connect(a, &QAction::triggered, this, &TForm8::PoistariviClick);
    for (QAction *a : {ui.Rivileikepoydalle1, ui.Kopioirivileikepydlle1})
        connect(a, &QAction::triggered, this, &TForm8::Rivileikepoydalle1Click);

    for (QComboBox *c : {ui.ComboBox1, ui.ComboBox2, ui.ComboBox3, ui.ComboBox4, ui.ComboBox5,
                         ui.ComboBox6, ui.ComboBox7})
        connect(c, &QComboBox::currentIndexChanged, this, &TForm8::upda);
    connect(ui.huutaja, &QComboBox::currentIndexChanged, this, &TForm8::huutajaChange);
    connect(ui.hakutapa, &QComboBox::currentIndexChanged, this, &TForm8::hakutapaChosen);

    connect(ui.sg2->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid() && !m_quietSelection)
                    sg2SelectCell(current.row() + 1);
            });
    connect(ui.sg2, &LedgerGrid::cellMouseDown, this, &TForm8::sg2MouseDown);
    connect(ui.sg2, &LedgerGrid::cellDoubleClicked, this, &TForm8::sg2DblClick);
    connect(ui.sg2->horizontalHeader(), &QHeaderView::sectionClicked, this, &TForm8::sortByHeader);
    connect(ui.MonthCalendar1, &QCalendarWidget::clicked, this, &TForm8::MonthCalendar1Select);
    connect(ui.MonthCalendar1, &QCalendarWidget::activated, this, &TForm8::MonthCalendar1Select);
    ui.Memo4->installEventFilter(this);
    connectFetchControls();
}

void TForm8::extendYearLists()
{
    const int year = m_clock.kellonaika().date().year();
    for (QComboBox *c : {m_ui->ComboBox4, m_ui->ComboBox7}) {
        const QSignalBlocker block(c);
        for (int y = 2007; y <= year; ++y) {
            if (c->findText(QString::number(y)) < 0)
                c->addItem(QString::number(y));
        }
    }
    const QSignalBlocker b4(m_ui->ComboBox4), b7(m_ui->ComboBox7);
    m_ui->ComboBox4->setCurrentIndex(0);
    m_ui->ComboBox7->setCurrentIndex(m_ui->ComboBox7->count() - 1);
}

void TForm8::openIfSignedIn(const QString &signedInUser, Prompts &prompts)
{
    if (signedInUser.isEmpty()) {
        prompts.information(QStringLiteral("Myydyt ja ostetut on käytettävissä vain kirjautuneena!"));
        return;
    }
    bringUp();
    offerRecovery();
}

void TForm8::setUserIdLookup(std::function<QString(const QString &)> lookup)
{
    m_userIdLookup = std::move(lookup);
}

void TForm8::setUrlOpener(std::function<void(const QUrl &)> opener)
{
    m_openUrl = std::move(opener);
}

// ---- list mode -------------------------------------------------------------

LedgerMode TForm8::listMode() const
{
    switch (m_ui->hakutapa->currentIndex()) {
    case 0: return LedgerMode::Sold;
    case 1: return LedgerMode::Bought;
    default: return LedgerMode::None;
    }
}

void TForm8::switchListMode(LedgerMode mode)
{
    {
        const QSignalBlocker block(m_ui->hakutapa);
        m_ui->hakutapa->setCurrentIndex(static_cast<int>(mode));
    }
    hakutapaChange();
}

void TForm8::hakutapaChosen(int index)
{
    // Switching the mode clears the list: an unsaved list is offered for
    // saving first, as on closing the window.
    if (m_unsaved) {
        const Prompts::Answer a = m_prompts.confirm(closeQuestion(), true);
        if (a == Prompts::Answer::Cancel
            || (a == Prompts::Answer::Yes && !saveList())) {
            const QSignalBlocker block(m_ui->hakutapa);
            m_ui->hakutapa->setCurrentIndex(m_previousMode);
            return;
        }
    }
    Q_UNUSED(index);
    hakutapaChange();
}

void TForm8::hakutapaChange()
{
    clearList();
    m_ui->Label5->clear();
    m_previousMode = m_ui->hakutapa->currentIndex();
    applyModeTexts(listMode());
}

void TForm8::applyModeTexts(LedgerMode mode)
{
    const bool bought = mode == LedgerMode::Bought;
    m_ui->suoritahaku->setText(bought ? QStringLiteral("Hae ostettuja kohteita")
                                      : QStringLiteral("Hae myytyjä kohteita"));
    m_sg.setHeaders(mode);
    m_sg2.setHeaders(m_sg.row(0));
    m_model->refreshHeaders();
    if (m_printing)
        m_printing->modeChanged(mode);

    const QSignalBlocker bs(m_ui->huutaja), bc(m_ui->ComboBox1);
    m_ui->huutaja->setItemText(0, bought ? QStringLiteral("Myyjä A > Z") : QStringLiteral("Ostaja A > Z"));
    m_ui->huutaja->setItemText(1, bought ? QStringLiteral("Myyjä Z < A") : QStringLiteral("Ostaja Z < A"));
    m_ui->ComboBox1->setItemText(2, bought ? QStringLiteral("Vain saamattomat")
                                           : QStringLiteral("Vain lähettämättömät"));
    m_ui->ComboBox1->setItemText(3, bought ? QStringLiteral("Maksetut, ei saadut")
                                           : QStringLiteral("Maksetut, ei lähetetyt"));
    m_ui->huutaja->setCurrentIndex(0);
    m_ui->ComboBox1->setCurrentIndex(0);
}

// ---- view ------------------------------------------------------------------

LedgerDateRange TForm8::dateRange() const
{
    const auto bound = [](QComboBox *y, QComboBox *m, QComboBox *d) {
        return (y->currentText() + m->currentText() + d->currentText()).toInt();
    };
    LedgerDateRange r;
    r.start = bound(m_ui->ComboBox4, m_ui->ComboBox3, m_ui->ComboBox2);
    r.end = bound(m_ui->ComboBox7, m_ui->ComboBox6, m_ui->ComboBox5);
    return r;
}

bool TForm8::aikavalilla(const QString &closing) const
{
    return LedgerView::aikavalilla(closing, dateRange());
}

void TForm8::suodatanakyma()
{
    // A date picked for a row of the old view must not land in the new one.
    m_ui->MonthCalendar1->hide();
    const int current = selectedRow();
    m_sg2.suodatanakyma(m_sg, static_cast<LedgerShow>(qMax(0, m_ui->ComboBox1->currentIndex())),
                        dateRange());
    rebuildView();
    restoreRow(qBound(1, current, m_sg2.rowCount() - 1));
}

void TForm8::rebuildView()
{
    m_model->reload();
}

void TForm8::paivita2()
{
    m_sg2.paivita2(m_sg);
    m_model->refresh();
}

void TForm8::setComboText(QComboBox *combo, const QString &text)
{
    const int i = combo->findText(text);
    if (i >= 0) {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(i);
    }
}

void TForm8::asetaaikavali()
{
    const LedgerDateRange r = LedgerView::aikavali(m_sg, m_clock.kellonaika().date().year());
    const auto part = [](int value, int div, int mod, int width) {
        return QStringLiteral("%1").arg((value / div) % mod, width, 10, QLatin1Char('0'));
    };
    if (r.end > 0) {
        setComboText(m_ui->ComboBox5, part(r.end, 1, 100, 2));
        setComboText(m_ui->ComboBox6, part(r.end, 100, 100, 2));
        setComboText(m_ui->ComboBox7, part(r.end, 10000, 10000, 4));
    }
    setComboText(m_ui->ComboBox2, part(r.start, 1, 100, 2));
    setComboText(m_ui->ComboBox3, part(r.start, 100, 100, 2));
    setComboText(m_ui->ComboBox4, part(r.start, 10000, 10000, 4));
}

int TForm8::selectedRow() const
{
    const QModelIndex i = m_ui->sg2->currentIndex();
    return i.isValid() ? i.row() + 1 : -1;
}

void TForm8::selectRow(int gridRow)
{
    if (gridRow < 1 || gridRow >= m_sg2.rowCount())
        return;
    const QModelIndex old = m_ui->sg2->currentIndex();
    const int column = old.isValid() ? old.column() : 1;
    m_ui->sg2->setCurrentIndex(m_model->index(gridRow - 1, column));
}

void TForm8::restoreRow(int gridRow)
{
    m_quietSelection = true;
    selectRow(gridRow);
    m_quietSelection = false;
}

void TForm8::paivitavalinta()
{
    const int row = qBound(1, selectedRow(), m_sg2.rowCount() - 1);
    restoreRow(row);
    sg2SelectCell(row);
}

void TForm8::upda()
{
    if (m_sg.cell(LedgerColumn::Kohde, 1).isEmpty() && !m_hintShown) {
        m_hintShown = true;
        m_prompts.information(QStringLiteral("Avaa ensin lista tai tee haku määrän perusteella.\r\n\r\n"
                                             "Tämän jälkeen tuloksia voi rajata sulkeutumisajan mukaan."));
    }
    suodatanakyma();
    paivitavalinta();
    m_ui->sg2->setFocus();
}

void TForm8::clearList()
{
    m_ui->MonthCalendar1->hide();
    m_sg.clearRows();
    m_sg2.clear();
    rebuildView();
    // No row is left to be selected: the boxes of the last buyer go too, or
    // "Kopioi osoite" would copy an address no longer listed and a note typed
    // next would be stored in the empty row.
    m_quietSelection = true;
    m_ui->sg2->selectionModel()->clear();
    m_quietSelection = false;
    m_model->setSelectedRow(-1);
    m_ui->Memo1->clear();
    m_ui->Memo4->setPlainText(LedgerView::notesPlaceholder());
    m_unsaved = false;
}

QVector<int> TForm8::viewColumnWidths() const
{
    QVector<int> widths;
    for (int c = 0; c < LedgerTable::ColumnCount; ++c)
        widths << (m_ui->sg2->isColumnHidden(c) ? 0 : m_ui->sg2->columnWidth(c));
    return widths;
}

// ---- sorting ---------------------------------------------------------------

void TForm8::huutajaChange()
{
    LedgerSort::lajitteleValinnalla(m_sg, m_ui->huutaja->currentIndex());
    suodatanakyma();
    paivitavalinta();
    m_ui->sg2->setFocus();
}

void TForm8::sortByHeader(int column)
{
    const int choice = LedgerView::headerSortChoice(column, m_ui->huutaja->currentIndex());
    if (choice < 0)
        return;
    {
        const QSignalBlocker block(m_ui->huutaja);
        m_ui->huutaja->setCurrentIndex(choice);
    }
    huutajaChange();
}

// ---- list files ------------------------------------------------------------

void TForm8::XiButton2Click(bool add)
{
    m_commands->avaaLista(add);
}

void TForm8::tallennalistaClick()
{
    saveList();
}

void TForm8::listLoaded()
{
    asetaaikavali();
    suodatanakyma();
    huutajaChange();
    if (m_sg2.rowCount() > 2)
        selectRow(2);
    selectRow(1);
    {
        const QSignalBlocker block(m_ui->ComboBox1);
        m_ui->ComboBox1->setCurrentIndex(0);
    }
    upda();
    m_ui->sg2->setFocus();
}

void TForm8::XiButton5Click()
{
    clearList();
    m_commands->forgetFileName();
    m_ui->Label1->setText(QStringLiteral("0"));
    m_ui->Label2->setText(QStringLiteral("0€"));
}

// ---- selection, marks, notes -----------------------------------------------

void TForm8::sg2SelectCell(int gridRow)
{
    m_ui->Memo4->setPlainText(
        LedgerView::notesText(m_sg2.cell(LedgerColumn::Lisatiedot, gridRow)).replace(
            QStringLiteral("\r\n"), QStringLiteral("\n")));
    const int master = m_sg2.link(gridRow);
    if (gridRow >= 1 && master >= 0) {
        m_ui->Memo1->setPlainText(
            LedgerView::addressLines(m_sg.cell(LedgerColumn::Osoite, master)).join(u'\n'));
        const LedgerTotals t = m_sg2.totals(gridRow);
        m_ui->Label5->setText(QString::number(t.count) + QStringLiteral("kpl yht. ")
                              + Ledger::desimaalit(t.sum) + QStringLiteral("€"));
        m_ui->Label1->setText(QString::number(t.partyCount));
        m_ui->Label2->setText(Ledger::desimaalit(t.partySum) + QStringLiteral("€"));
    }
    m_model->setSelectedRow(gridRow);
}

void TForm8::sg2MouseDown(int modelRow, int column, Qt::MouseButton button,
                          Qt::KeyboardModifiers modifiers, const QPoint &globalPos)
{
    m_ui->MonthCalendar1->hide();
    const int row = modelRow + 1;
    const bool markColumn = column == LedgerColumn::Maksettu || column == LedgerColumn::Lahetetty;
    if (!markColumn) {
        if (button == Qt::RightButton)
            m_ui->PopupMenu1->popup(globalPos);
        return;
    }
    if (m_sg2.cell(LedgerColumn::Nimi, row).isEmpty())
        return;
    const bool shift = modifiers.testFlag(Qt::ShiftModifier);
    const bool set = Ledger::merkittu(m_sg2.cell(column, row));
    QString value;
    if (button == Qt::LeftButton) {
        if (!set) {
            m_calendarRow = row;
            m_calendarColumn = column;
            m_calendarShift = shift;
            m_ui->showCalendarAt(globalPos);
            return;
        }
    } else if (button == Qt::RightButton) {
        value = set ? QString() : QStringLiteral("x");
    } else if (button != Qt::MiddleButton) {
        return;
    }
    writeMark(column, row, value, shift);
}

void TForm8::writeMark(int column, int gridRow, const QString &value, bool wholeCounterparty)
{
    m_sg2.setCell(column, gridRow, value);
    if (wholeCounterparty && !m_sg2.cell(LedgerColumn::Kohde, gridRow).isEmpty()) {
        for (int r : m_sg2.sameKeyRows(gridRow))
            m_sg2.setCell(column, r, value);
    }
    paivita2();
}

void TForm8::MonthCalendar1Select(const QDate &date)
{
    m_ui->MonthCalendar1->hide();
    // Back to the list, where the date was asked for (the view's keys, such
    // as Delete, act on the list again).
    m_ui->sg2->setFocus(Qt::OtherFocusReason);
    if (m_calendarRow < 1 || m_calendarRow >= m_sg2.rowCount())
        return;
    // The Finnish short date: day.month.year without leading zeros.
    writeMark(m_calendarColumn, m_calendarRow, date.toString(QStringLiteral("d.M.yyyy")),
              m_calendarShift);
    m_calendarRow = -1;
}

bool TForm8::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->Memo4) {
        // Focus lost to a popup or another window is no leaving of the box.
        // Entering it clears the placeholder whatever the reason: a click
        // that reaches the box while the window manager is still activating
        // the window arrives as the window's activation.
        const auto reason = [event] { return static_cast<QFocusEvent *>(event)->reason(); };
        if (event->type() == QEvent::FocusIn)
            Memo4Enter();
        else if (event->type() == QEvent::FocusOut && reason() != Qt::ActiveWindowFocusReason
                 && reason() != Qt::PopupFocusReason)
            Memo4Exit();
    }
    return QMainWindow::eventFilter(watched, event);
}

void TForm8::Memo4Enter()
{
    if (m_ui->Memo4->toPlainText() == LedgerView::notesPlaceholder())
        m_ui->Memo4->clear();
}

void TForm8::Memo4Exit()
{
    const int row = selectedRow();
    if (row >= 1) {
        QString text = m_ui->Memo4->toPlainText();
        text.replace(u'\n', QStringLiteral("\r\n"));
        m_sg2.setCell(LedgerColumn::Lisatiedot, row, LedgerView::notesCell(text));
        paivita2();
    }
    m_unsaved = true;
}

// ---- delete, copy, open ----------------------------------------------------

void TForm8::PoistariviClick()
{
    const int row = selectedRow();
    const int master = m_sg2.link(row);
    if (row < 1 || master < 1)
        return;
    const QString question = QStringLiteral("Poista kohde ") + m_sg2.cell(LedgerColumn::Kohde, row)
                             + QStringLiteral("?");
    if (m_prompts.confirm(question) != Prompts::Answer::Yes)
        return;
    Ledger::DeleteRow(m_sg, master);
    suodatanakyma();
    paivitavalinta();
    m_unsaved = true;
}

void TForm8::Rivileikepoydalle1Click()
{
    const int row = selectedRow();
    if (row < 1 || m_sg2.link(row) < 0)
        return;
    QGuiApplication::clipboard()->setText(m_sg2.copyRowsText(row));
}

void TForm8::sg2DblClick()
{
    const int row = selectedRow();
    if (row < 1)
        return;
    const UrlScheme urls(m_endpoints);
    const int column = m_ui->sg2->lastClickedColumn();
    if (column == LedgerColumn::Nimi) {
        const QString item = m_sg2.cell(LedgerColumn::Kohde, row);
        if (item.size() > 3)
            m_openUrl(QUrl(urls.kohde(item)));
    } else if (column == LedgerColumn::Tunnus) {
        const QString cell = m_sg2.cell(LedgerColumn::Tunnus, row);
        if (cell.size() <= 1)
            return;
        const QString encoded = QString::fromLatin1(QUrl::toPercentEncoding(Ledger::tunnusavain(cell)));
        QString id = m_userIdLookup ? m_userIdLookup(encoded) : QString();
        if (id.isEmpty())
            id = storedUserId(cell);
        if (!id.isEmpty())
            m_openUrl(QUrl(urls.kayttaja(id)));
    }
}
