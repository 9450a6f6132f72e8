#pragma once
// The "Tilastot" window of the ledger: the month chart, the weekday and hour
// charts, the paid/sent bar, the best counterparties and the month table, with
// "Tallenna kuvana" (the charts as a PNG picture) and "Kopioi taulukko" (the
// month table as tab-separated text).
#include "ledger/model/ledgertable.h"
#include "ledger/model/ledgerview.h"
#include "ledger/statistics/salesstatistics.h"
#include <QImage>
#include <QWidget>

class Prompts;
class QChartView;
class QLabel;
class QPushButton;
class QTableWidget;

class StatisticsWindow final : public QWidget {
    Q_OBJECT
public:
    explicit StatisticsWindow(Prompts &prompts, QWidget *parent = nullptr);

    void showSummary(const SalesSummary &summary, LedgerMode mode, const LedgerDateRange &range);
    const SalesSummary &summary() const { return m_summary; }

    // The charts with the summary line above them, as the picture saved.
    QImage chartsImage();

    // "Tallenna kuvana": asks for a file and writes the picture as PNG.
    void tallennakuvanaClick();
    // "Kopioi taulukko": the month table to the clipboard.
    void kopioitaulukkoClick();

signals:
    // A counterparty of the best list was clicked: its key.
    void partyChosen(const QString &key);

private:
    void placeOver(QWidget *parent);
    QWidget *buildCharts();
    QWidget *buildTables();
    QWidget *buildButtons();
    void fillParties(LedgerMode mode);
    void fillMonthTable();
    void choosePartyRow(int row);
    bool writePicture(const QString &path);

    Prompts &m_prompts;
    SalesSummary m_summary;
    QString m_pictureFolder;
    QWidget *m_chartsArea = nullptr;
    QLabel *m_summaryLine = nullptr;
    QLabel *m_settledLine = nullptr;
    QLabel *m_skippedLine = nullptr;
    QChartView *m_months = nullptr;
    QChartView *m_weekdays = nullptr;
    QChartView *m_hours = nullptr;
    QChartView *m_settled = nullptr;
    QTableWidget *m_parties = nullptr;
    QTableWidget *m_monthTable = nullptr;
};
