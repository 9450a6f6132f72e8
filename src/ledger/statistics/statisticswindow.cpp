#include "statisticswindow.h"
#include "core/atomicfile.h"
#include "core/prompts.h"
#include "statisticscharts.h"
#include "statisticstext.h"
#include <QBuffer>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QLabel *label(QWidget *parent, const char *name, const QString &text = QString())
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    return l;
}

QTableWidget *table(QWidget *parent, const char *name, const QStringList &headers)
{
    auto *t = new QTableWidget(0, int(headers.size()), parent);
    t->setObjectName(QString::fromLatin1(name));
    t->setHorizontalHeaderLabels(headers);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->verticalHeader()->setDefaultSectionSize(20);
    // Sized once after each fill: sizing to contents on every cell set
    // measures the whole column again each time.
    t->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    t->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    return t;
}

void fitColumns(QTableWidget *t)
{
    for (int c = 1; c < t->columnCount(); ++c)
        t->resizeColumnToContents(c);
}

QTableWidgetItem *cell(const QString &text, bool number)
{
    auto *item = new QTableWidgetItem(text);
    if (number)
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QVector<int> tradeCounts(const TradeSum *begin, const TradeSum *end)
{
    QVector<int> out;
    for (const TradeSum *s = begin; s != end; ++s)
        out << s->trades;
    return out;
}
}   // namespace

StatisticsWindow::StatisticsWindow(Prompts &prompts, QWidget *parent)
    : QWidget(parent, Qt::Window), m_prompts(prompts), m_pictureFolder(QDir::homePath())
{
    setObjectName(QStringLiteral("tilastot"));
    setWindowTitle(QStringLiteral("Tilastot"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto *body = new QHBoxLayout;
    body->addWidget(buildCharts(), 1);
    body->addWidget(buildTables());
    layout->addLayout(body, 1);
    layout->addWidget(buildButtons());
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    QSize size(1000, 680);
    if (const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() - QSize(40, 60));
    resize(size);
    setMinimumSize(QSize(720, 480).boundedTo(size));
    placeOver(parent);
}

void StatisticsWindow::placeOver(QWidget *parent)
{
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // Centred over the ledger, kept whole on the screen.
    const QRect area = screen->availableGeometry();
    QRect frame(QPoint(), size());
    frame.moveCenter(parent ? parent->frameGeometry().center() : area.center());
    frame.moveLeft(qBound(area.left(), frame.left(), qMax(area.left(), area.right() - frame.width() + 1)));
    frame.moveTop(qBound(area.top(), frame.top(), qMax(area.top(), area.bottom() - frame.height() - 30)));
    move(frame.topLeft());
}

QWidget *StatisticsWindow::buildCharts()
{
    m_chartsArea = new QWidget(this);
    m_chartsArea->setObjectName(QStringLiteral("kaaviot"));
    // A white ground, so that the saved picture looks like the window.
    m_chartsArea->setAutoFillBackground(true);
    QPalette palette = m_chartsArea->palette();
    palette.setColor(QPalette::Window, Qt::white);
    m_chartsArea->setPalette(palette);
    auto *layout = new QVBoxLayout(m_chartsArea);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(2);
    m_summaryLine = label(m_chartsArea, "yhteenveto");
    QFont bold = m_summaryLine->font();
    bold.setBold(true);
    m_summaryLine->setFont(bold);
    m_months = StatisticsCharts::makeView("kuukaudet", m_chartsArea);
    m_weekdays = StatisticsCharts::makeView("viikonpaivat", m_chartsArea);
    m_hours = StatisticsCharts::makeView("tunnit", m_chartsArea);
    m_settled = StatisticsCharts::makeView("maksut", m_chartsArea);
    auto *small = new QHBoxLayout;
    small->setSpacing(2);
    small->addWidget(m_weekdays, 2);
    small->addWidget(m_hours, 3);
    // One bar across the width: the sums stay readable on their axis.
    m_settled->setMinimumHeight(110);
    m_settled->setMaximumHeight(130);
    m_settledLine = label(m_chartsArea, "maksutiedot");
    m_skippedLine = label(m_chartsArea, "ohitetut");
    layout->addWidget(m_summaryLine);
    layout->addWidget(m_months, 3);
    layout->addLayout(small, 2);
    layout->addWidget(m_settled, 1);
    layout->addWidget(m_settledLine);
    layout->addWidget(m_skippedLine);
    return m_chartsArea;
}

QWidget *StatisticsWindow::buildTables()
{
    auto *area = new QWidget(this);
    // Room for a counterparty and two figures; the charts take the rest.
    area->setFixedWidth(340);
    auto *layout = new QVBoxLayout(area);
    layout->setContentsMargins(0, 0, 0, 0);
    m_parties = table(area, "parhaat",
        {StatisticsText::counterpartyCaption(LedgerMode::Sold), QStringLiteral("Kauppoja"), QStringLiteral("Yhteensä")});
    m_parties->setToolTip(QStringLiteral("Napsauta: rivit valitaan listalta"));
    m_monthTable = table(area, "kuukausitaulukko", StatisticsText::monthTableHeader());
    layout->addWidget(label(area, "parhaatotsikko", QStringLiteral("Parhaat kauppakumppanit")));
    layout->addWidget(m_parties, 1);
    layout->addWidget(label(area, "kuukausiotsikko", QStringLiteral("Kuukaudet")));
    layout->addWidget(m_monthTable, 1);
    connect(m_parties, &QTableWidget::cellClicked, this, [this](int row) { choosePartyRow(row); });
    connect(m_parties, &QTableWidget::itemActivated, this, [this](QTableWidgetItem *item) { choosePartyRow(item->row()); });
    return area;
}

QWidget *StatisticsWindow::buildButtons()
{
    auto *bar = new QWidget(this);
    auto *layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    const auto button = [bar](const char *name, const QString &caption) {
        auto *b = new QPushButton(caption, bar);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    QPushButton *picture = button("tallennakuvana", QStringLiteral("Tallenna kuvana"));
    QPushButton *copy = button("kopioitaulukko", QStringLiteral("Kopioi taulukko"));
    QPushButton *close = button("sulje", QStringLiteral("Sulje"));
    connect(picture, &QPushButton::clicked, this, &StatisticsWindow::tallennakuvanaClick);
    connect(copy, &QPushButton::clicked, this, &StatisticsWindow::kopioitaulukkoClick);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    layout->addStretch(1);
    layout->addWidget(picture);
    layout->addWidget(copy);
    layout->addWidget(close);
    return bar;
}

void StatisticsWindow::showSummary(const SalesSummary &summary, LedgerMode mode, const LedgerDateRange &range)
{
    m_summary = summary;
    m_summaryLine->setText(StatisticsText::summaryLine(mode, range, summary.total));
    StatisticsCharts::fillMonths(m_months->chart(), summary.months, mode);
    StatisticsCharts::fillCounts(m_weekdays->chart(), QStringLiteral("Viikonpäivät"), StatisticsText::weekdayLabels(),
        tradeCounts(summary.weekdays.data(), summary.weekdays.data() + summary.weekdays.size()), 0);
    StatisticsCharts::fillCounts(m_hours->chart(), QStringLiteral("Sulkeutumistunnit"), StatisticsText::hourLabels(),
        tradeCounts(summary.hours.data(), summary.hours.data() + summary.hours.size()), 0);
    StatisticsCharts::fillSettled(m_settled->chart(), summary, mode);
    const bool bought = mode == LedgerMode::Bought;
    m_settledLine->setText(
        QStringLiteral("Maksettu %1, maksamatta %2 · %3 %4, %5 %6")
            .arg(StatisticsText::euros(summary.paid.cents), StatisticsText::euros(summary.unpaid.cents),
                bought ? QStringLiteral("saatu") : QStringLiteral("lähetetty"), StatisticsText::euros(summary.sent.cents),
                bought ? QStringLiteral("saamatta") : QStringLiteral("lähettämättä"),
                StatisticsText::euros(summary.unsent.cents)));
    m_skippedLine->setText(StatisticsText::skippedLine(summary.skipped));
    m_skippedLine->setVisible(summary.skipped > 0);
    fillParties(mode);
    fillMonthTable();
}

void StatisticsWindow::fillParties(LedgerMode mode)
{
    m_parties->setHorizontalHeaderItem(0, new QTableWidgetItem(StatisticsText::counterpartyCaption(mode)));
    m_parties->setRowCount(int(m_summary.bestParties.size()));
    for (int r = 0; r < m_summary.bestParties.size(); ++r) {
        const PartySum &p = m_summary.bestParties.at(r);
        QTableWidgetItem *name = cell(p.key, false);
        name->setData(Qt::UserRole, p.key);
        m_parties->setItem(r, 0, name);
        m_parties->setItem(r, 1, cell(QString::number(p.trades), true));
        m_parties->setItem(r, 2, cell(StatisticsText::euros(p.cents), true));
    }
    fitColumns(m_parties);
}

void StatisticsWindow::fillMonthTable()
{
    const QVector<MonthSum> &months = m_summary.months;
    m_monthTable->setRowCount(int(months.size()));
    for (int r = 0; r < months.size(); ++r) {
        const MonthSum &m = months.at(r);
        m_monthTable->setItem(r, 0, cell(StatisticsText::monthLabel(m.year, m.month), false));
        m_monthTable->setItem(r, 1, cell(QString::number(m.sum.trades), true));
        m_monthTable->setItem(r, 2, cell(QString::number(m.sum.pieces), true));
        m_monthTable->setItem(r, 3, cell(StatisticsText::euros(m.sum.cents), true));
    }
    fitColumns(m_monthTable);
}

void StatisticsWindow::choosePartyRow(int row)
{
    if (row >= 0 && row < m_summary.bestParties.size())
        emit partyChosen(m_summary.bestParties.at(row).key);
}

void StatisticsWindow::kopioitaulukkoClick()
{
    QGuiApplication::clipboard()->setText(StatisticsText::monthTable(m_summary));
}

QImage StatisticsWindow::chartsImage()
{
    return m_chartsArea->grab().toImage();
}

void StatisticsWindow::tallennakuvanaClick()
{
    QString path = m_prompts.saveFileName(
        QStringLiteral("Tallenna kuvana"), m_pictureFolder + QStringLiteral("/tilastot.png"), QStringLiteral("PNG-kuva (*.png)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    if (QFileInfo::exists(path)
        && m_prompts.confirm(QStringLiteral("Tiedosto on jo olemassa!\r\rKorvataanko ") + path) != Prompts::Answer::Yes)
        return;
    m_pictureFolder = QFileInfo(path).absolutePath();
    if (!writePicture(path))
        m_prompts.error(QStringLiteral("Kuvaa ei voitu tallentaa:\r\n") + path);
}

bool StatisticsWindow::writePicture(const QString &path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    const QImage image = chartsImage();
    return !image.isNull() && image.save(&buffer, "PNG") && AtomicFile::write(path, bytes);
}
