#pragma once
// The seller panel `myyjapaneeli`: the seller names to filter in the memo
// `Suodatettavatnimimerkit` (kept in the settings and in
// "myyjasuodatin.txt"), `XiButton12` "Suodata myyjien kohteet" and
// `XiButton16` "Poistu".
#include <QFrame>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;
struct Settings;

class SellerFilterPanel final : public QFrame {
    Q_OBJECT
public:
    SellerFilterPanel(Settings &settings, QWidget *parent);

    // "Suodata valitut myyjät": centred on the main window, names from the settings.
    void Suodatavalitutmyyjt1Click();
    void XiButton16Click();
    QStringList names() const;

signals:
    // "Suodata myyjien kohteet" was pressed.
    void filterSellersRequested();

private:
    void storeNames();

    Settings &m_settings;
    QPlainTextEdit *m_memo;
    QPushButton *m_filter;
    QPushButton *m_close;
};
