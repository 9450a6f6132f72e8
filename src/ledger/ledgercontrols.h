#pragma once
// The controls of the ledger window, created and laid out in one place. Each
// pointer carries the control's name, which is also its objectName.
class QAction;
class QCalendarWidget;
class QComboBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPlainTextEdit;
class QPoint;
class QPushButton;
class QWidget;
class LedgerGrid;

class LedgerControls final {
public:
    explicit LedgerControls(QMainWindow *window);

    // Opens the calendar with its top-left corner at the pointer, kept whole
    // on the screen.
    void showCalendarAt(const QPoint &globalPos);

    // Top bar
    QLineEdit *Edit1 = nullptr;          // "Alkaen:"
    QLineEdit *Edit2 = nullptr;          // "Määrä:"
    QPushButton *suoritahaku = nullptr;
    QComboBox *hakutapa = nullptr;
    QComboBox *ComboBox1 = nullptr;      // "Näytä:"
    QComboBox *huutaja = nullptr;
    QComboBox *ComboBox2 = nullptr, *ComboBox3 = nullptr, *ComboBox4 = nullptr;
    QComboBox *ComboBox5 = nullptr, *ComboBox6 = nullptr, *ComboBox7 = nullptr;
    QLabel *Label5 = nullptr;
    // Middle
    LedgerGrid *sg2 = nullptr;
    QCalendarWidget *MonthCalendar1 = nullptr;
    // Bottom bar
    QPushButton *XiButton2 = nullptr;        // "Avaa lista"
    QPushButton *tallennalista = nullptr;
    QPushButton *XiButton5 = nullptr;        // "Tyhjennä"
    QPushButton *viestinmuotoilu = nullptr;
    QPushButton *viestil = nullptr;
    QPushButton *osoitel = nullptr;
    QPushButton *Tulostus = nullptr;
    QPushButton *Tilastot = nullptr;
    QLabel *Label1 = nullptr;                // counterparty item count
    QLabel *Label2 = nullptr;                // counterparty sum
    QPlainTextEdit *Memo1 = nullptr;         // address, read-only
    QPlainTextEdit *Memo4 = nullptr;         // notes
    // Menus
    QAction *Avaalista1 = nullptr, *lisaa = nullptr, *allennalista1 = nullptr;
    QAction *Tyhjennlista = nullptr, *Sulje1 = nullptr;
    QAction *Poistarivi = nullptr, *Kopioirivileikepydlle1 = nullptr;
    QAction *ulosta1 = nullptr, *Kopioiviesti = nullptr, *Kopioiosoite = nullptr;
    QAction *Viestinmuotoilu1 = nullptr;
    QAction *Tilastot1 = nullptr;            // "Tilastot", Ctrl+Shift+S
    // Popup menu of the view and the view's own keys
    QMenu *PopupMenu1 = nullptr;
    QAction *Poistakohdelistasta1 = nullptr, *Rivileikepoydalle1 = nullptr;
    QAction *deleteKey = nullptr;

private:
    QWidget *buildTopBar(QWidget *parent);
    QWidget *buildBottomBar(QWidget *parent);
    void buildMenus(QMainWindow *window);
    void buildGrid(QWidget *parent);
    void limitNotes();
    void disableLaterFeatures();
};
