#pragma once
// The ledger's print panel `tallennus`: the column choice `sg4`, the buttons
// of the three printouts, and the own-address box `omaosoite` of the
// sender labels (not kept in the settings).
#include "ledger/printing/printpages.h"
#include <QFrame>

class QPlainTextEdit;
class QPushButton;

// `sg4`: 4 × 3 cells of 80 × 20 pixels. Odd rows #ECF3FF, even rows #FEFEFE;
// a selected column's caption green and bold, the others red.
class ColumnChoiceGrid final : public QWidget {
    Q_OBJECT
public:
    static constexpr int CellWidth = 80;
    static constexpr int CellHeight = 20;

    ColumnChoiceGrid(ColumnChoice &choice, QWidget *parent);
    // Where a cell is drawn (cell = row * 4 + column).
    QRect cellRect(int cell) const;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    ColumnChoice &m_choice;
};

class PrintPanel final : public QFrame {
    Q_OBJECT
public:
    explicit PrintPanel(QWidget *parent);

    ColumnChoice &choice() { return m_choice; }
    const ColumnChoice &choice() const { return m_choice; }
    QString omaosoite() const;

    // TulostusClick: centred in its window, shown, the column choice redrawn.
    void open();
    // asetavalinnat: the captions follow the view's headers; with reset the
    // choice goes back to every column but the marks.
    void asetavalinnat(const QStringList &viewHeaders, bool reset);
    // The counterparty labels exist in sold mode only.
    void setSoldMode(bool sold);

signals:
    void listRequested();           // "Tulosta lista"
    void partyLabelsRequested();    // "Tulosta ostajien osoitelaput"
    void senderLabelsRequested();   // "Tulosta lähettäjä osoitelappuja"

private:
    ColumnChoice m_choice;
    ColumnChoiceGrid *m_grid = nullptr;
    QPushButton *m_partyLabels = nullptr;
    QPlainTextEdit *m_ownAddress = nullptr;
};
