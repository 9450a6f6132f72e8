#include "ledgercontrols.h"
#include "ledgergrid.h"
#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTextCursor>
#include <QVBoxLayout>

namespace {
template <typename T>
T *named(T *w, const char *name)
{
    w->setObjectName(QString::fromLatin1(name));
    return w;
}

QComboBox *combo(QWidget *parent, const char *name, const QStringList &items, int width)
{
    auto *c = named(new QComboBox(parent), name);
    c->addItems(items);
    c->setFixedWidth(width);
    c->setMaxVisibleItems(16);
    return c;
}

QStringList twoDigits(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QStringLiteral("%1").arg(i, 2, 10, QLatin1Char('0'));
    return out;
}

QStringList years()
{
    QStringList out;
    for (int y = 2007; y <= 2022; ++y)
        out << QString::number(y);
    return out;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption)
{
    return named(new QPushButton(caption, parent), name);
}

QAction *action(QObject *parent, const char *name, const QString &caption)
{
    return named(new QAction(caption, parent), name);
}
}

LedgerControls::LedgerControls(QMainWindow *window)
{
    auto *central = named(new QWidget(window), "keskus");
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addWidget(buildTopBar(central));
    buildGrid(central);
    layout->addWidget(sg2, 1);
    layout->addWidget(buildBottomBar(central));
    window->setCentralWidget(central);
    buildMenus(window);

    // A pop-up of its own, like a drop-down list: it opens at the pointer
    // whatever room the window has below the row, and a click elsewhere
    // closes it.
    MonthCalendar1 = named(new QCalendarWidget(window), "MonthCalendar1");
    MonthCalendar1->setWindowFlags(Qt::Popup);
    MonthCalendar1->setFirstDayOfWeek(Qt::Monday);
    MonthCalendar1->setGridVisible(false);
    MonthCalendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    MonthCalendar1->resize(MonthCalendar1->sizeHint());
    MonthCalendar1->hide();
    limitNotes();
    disableLaterFeatures();
}

void LedgerControls::showCalendarAt(const QPoint &globalPos)
{
    QCalendarWidget *cal = MonthCalendar1;
    // Qt's own size hint leaves the last weekday column clipped.
    cal->ensurePolished();
    cal->resize(cal->sizeHint() + QSize(28, 16));
    // Top-left corner at the pointer; where the screen ends below or on the
    // right, it opens above or left of the pointer instead.
    QRect r(globalPos, cal->size());
    const QScreen *screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = cal->parentWidget()->screen();
    if (screen) {
        QRect area = screen->availableGeometry();
        // A Wayland window does not know where it is on the screen: the
        // pop-up is placed within its own window, relative to it.
        if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
            const QWidget *window = cal->parentWidget()->window();
            area = QRect(window->mapToGlobal(QPoint(0, 0)), window->size());
        }
        if (r.bottom() > area.bottom())
            r.moveBottom(globalPos.y() - 1);
        if (r.right() > area.right())
            r.moveRight(globalPos.x() - 1);
        r.moveTop(qBound(area.top(), r.top(), qMax(area.top(), area.bottom() - r.height() + 1)));
        r.moveLeft(qBound(area.left(), r.left(), qMax(area.left(), area.right() - r.width() + 1)));
    }
    cal->move(r.topLeft());
    cal->show();
    cal->setFocus(Qt::PopupFocusReason);
}

void LedgerControls::limitNotes()
{
    // At most 255 characters typed into the notes.
    QObject::connect(Memo4, &QPlainTextEdit::textChanged, Memo4, [memo = Memo4] {
        constexpr int MaxNotes = 255;
        const QString text = memo->toPlainText();
        if (text.size() <= MaxNotes)
            return;
        const QSignalBlocker block(memo);
        memo->setPlainText(text.left(MaxNotes));
        QTextCursor cursor = memo->textCursor();
        cursor.movePosition(QTextCursor::End);
        memo->setTextCursor(cursor);
    });
}

void LedgerControls::disableLaterFeatures()
{
    // The fetch, the payment messages and printing bring their own panels;
    // until then their controls are shown disabled.
    for (QWidget *w : std::initializer_list<QWidget *>{suoritahaku, viestinmuotoilu, viestil, osoitel, Tulostus})
        w->setEnabled(false);
    for (QAction *a : {ulosta1, Kopioiviesti, Kopioiosoite, Viestinmuotoilu1})
        a->setEnabled(false);
}

QWidget *LedgerControls::buildTopBar(QWidget *parent)
{
    auto *bar = named(new QWidget(parent), "ylapalkki");
    auto *grid = new QGridLayout(bar);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(4);

    Edit1 = named(new QLineEdit(QStringLiteral("0"), bar), "Edit1");
    Edit1->setMaxLength(5);
    Edit1->setFixedWidth(48);
    Edit2 = named(new QLineEdit(QStringLiteral("10"), bar), "Edit2");
    Edit2->setMaxLength(4);
    Edit2->setFixedWidth(40);
    suoritahaku = button(bar, "suoritahaku", QStringLiteral("Hae myytyjä kohteita"));
    hakutapa = combo(bar, "hakutapa", {QStringLiteral("Myydyt kohteet"), QStringLiteral("Ostetut kohteet")}, 130);
    huutaja = combo(bar, "huutaja",
                    {QStringLiteral("Ostaja A > Z"), QStringLiteral("Ostaja Z > A"),
                     QStringLiteral("Sulkeutumisaika"), QStringLiteral("Korkein hinta"),
                     QStringLiteral("Alin hinta"), QStringLiteral("Kohteen nimi A > Z"),
                     QStringLiteral("Kohteen nimi Z > A"), QStringLiteral("Kohdenumero")}, 150);
    huutaja->setCurrentIndex(2);

    auto *row1 = new QHBoxLayout;
    row1->addWidget(new QLabel(QStringLiteral("Alkaen:"), bar));
    row1->addWidget(Edit1);
    row1->addWidget(new QLabel(QStringLiteral("Määrä:"), bar));
    row1->addWidget(Edit2);
    row1->addWidget(suoritahaku);
    row1->addSpacing(8);
    row1->addWidget(hakutapa);
    row1->addWidget(huutaja);
    row1->addStretch(1);
    grid->addLayout(row1, 0, 0);

    ComboBox1 = combo(bar, "ComboBox1",
                      {QStringLiteral("Näytä kaikki"), QStringLiteral("Vain maksamattomat"),
                       QStringLiteral("Vain lähettämättömät"), QStringLiteral("Maksetut, ei lähetetyt")}, 160);
    ComboBox2 = combo(bar, "ComboBox2", twoDigits(1, 31), 46);
    ComboBox3 = combo(bar, "ComboBox3", twoDigits(1, 12), 46);
    ComboBox4 = combo(bar, "ComboBox4", years(), 62);
    ComboBox5 = combo(bar, "ComboBox5", twoDigits(1, 31), 46);
    ComboBox5->setCurrentIndex(30);
    ComboBox6 = combo(bar, "ComboBox6", twoDigits(1, 12), 46);
    ComboBox6->setCurrentIndex(11);
    ComboBox7 = combo(bar, "ComboBox7", years(), 62);
    Label5 = named(new QLabel(bar), "Label5");

    auto *row2 = new QHBoxLayout;
    row2->addWidget(new QLabel(QStringLiteral("Näytä:"), bar));
    row2->addWidget(ComboBox1);
    row2->addSpacing(8);
    row2->addWidget(new QLabel(QStringLiteral("Ajalta:"), bar));
    for (QComboBox *c : {ComboBox2, ComboBox3, ComboBox4})
        row2->addWidget(c);
    row2->addWidget(new QLabel(QStringLiteral("-"), bar));
    for (QComboBox *c : {ComboBox5, ComboBox6, ComboBox7})
        row2->addWidget(c);
    row2->addSpacing(8);
    row2->addWidget(Label5, 1);
    grid->addLayout(row2, 1, 0);
    return bar;
}

void LedgerControls::buildGrid(QWidget *parent)
{
    sg2 = named(new LedgerGrid(parent), "sg2");
    // The small grid font the 18-pixel rows and the column widths are made for.
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    sg2->setFont(font);
    sg2->horizontalHeader()->setFont(font);
}

QWidget *LedgerControls::buildBottomBar(QWidget *parent)
{
    auto *bar = named(new QWidget(parent), "alapalkki");
    auto *outer = new QVBoxLayout(bar);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(4);

    XiButton2 = button(bar, "XiButton2", QStringLiteral("Avaa lista"));
    tallennalista = button(bar, "tallennalista", QStringLiteral("Tallenna lista"));
    XiButton5 = button(bar, "XiButton5", QStringLiteral("Tyhjennä"));
    viestinmuotoilu = button(bar, "viestinmuotoilu", QStringLiteral("Viestien muotoilu"));
    viestil = button(bar, "viestil", QStringLiteral("Kopioi viesti"));
    osoitel = button(bar, "osoitel", QStringLiteral("Kopioi osoite"));
    Tulostus = button(bar, "Tulostus", QStringLiteral("Tulosta.."));
    Tilastot = button(bar, "Tilastot", QStringLiteral("Tilastot"));
    auto *buttons = new QHBoxLayout;
    for (QPushButton *b : {XiButton2, tallennalista, XiButton5, viestinmuotoilu, viestil, osoitel, Tulostus, Tilastot})
        buttons->addWidget(b);
    buttons->addStretch(1);
    outer->addLayout(buttons);

    Label1 = named(new QLabel(QStringLiteral("0"), bar), "Label1");
    Label2 = named(new QLabel(QStringLiteral("0€"), bar), "Label2");
    auto *summary = new QVBoxLayout;
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(QStringLiteral("Voitettuja:"), bar));
    countRow->addWidget(Label1, 1);
    auto *sumRow = new QHBoxLayout;
    sumRow->addWidget(new QLabel(QStringLiteral("Yhteensä:"), bar));
    sumRow->addWidget(Label2, 1);
    summary->addLayout(countRow);
    summary->addLayout(sumRow);
    summary->addStretch(1);

    Memo1 = named(new QPlainTextEdit(bar), "Memo1");
    Memo1->setReadOnly(true);
    Memo1->setFixedHeight(96);
    Memo4 = named(new QPlainTextEdit(bar), "Memo4");
    Memo4->setToolTip(QStringLiteral("Tähän voi kirjoittaa lisätietoja.."));
    Memo4->setFixedHeight(96);
    auto *boxes = new QHBoxLayout;
    boxes->addLayout(summary);
    boxes->addWidget(Memo1, 1);
    boxes->addWidget(Memo4, 1);
    outer->addLayout(boxes);
    return bar;
}

void LedgerControls::buildMenus(QMainWindow *window)
{
    QMenuBar *bar = window->menuBar();
    QMenu *file = named(bar->addMenu(QStringLiteral("Tiedosto")), "Tiedosto1");
    Avaalista1 = action(window, "Avaalista1", QStringLiteral("Avaa lista"));
    lisaa = action(window, "lisaa", QStringLiteral("Lisää listaan"));
    allennalista1 = action(window, "allennalista1", QStringLiteral("Tallenna lista.."));
    Tyhjennlista = action(window, "Tyhjennlista", QStringLiteral("Tyhjennä lista"));
    Sulje1 = action(window, "Sulje1", QStringLiteral("Sulje"));
    file->addActions({Avaalista1, lisaa, allennalista1});
    file->addSeparator();
    file->addAction(Tyhjennlista);
    file->addSeparator();
    file->addAction(Sulje1);

    QMenu *tools = named(bar->addMenu(QStringLiteral("Toiminnot")), "Toiminnot1");
    Poistarivi = action(window, "Poistarivi", QStringLiteral("Poista rivi              Delete"));
    Kopioirivileikepydlle1 = action(window, "Kopioirivileikepydlle1", QStringLiteral("Kopioi rivi leikepöydälle"));
    ulosta1 = action(window, "ulosta1", QStringLiteral("Tulosta.."));
    Kopioiviesti = action(window, "Kopioiviesti", QStringLiteral("Kopioi viesti leikepöydälle"));
    Kopioiosoite = action(window, "Kopioiosoite", QStringLiteral("Kopioi osoite leikepöydälle"));
    tools->addActions({Poistarivi, Kopioirivileikepydlle1});
    tools->addSeparator();
    tools->addActions({ulosta1, Kopioiviesti, Kopioiosoite});
    Tilastot1 = action(window, "Tilastot1", QStringLiteral("Tilastot"));
    Tilastot1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    tools->addSeparator();
    tools->addAction(Tilastot1);

    QMenu *settings = named(bar->addMenu(QStringLiteral("Asetukset")), "Asetukset1");
    Viestinmuotoilu1 = action(window, "Viestinmuotoilu1", QStringLiteral("Viestin muotoilu"));
    settings->addAction(Viestinmuotoilu1);

    // The view's popup menu; its shortcuts work while the view has the focus.
    PopupMenu1 = named(new QMenu(window), "PopupMenu1");
    Poistakohdelistasta1 = action(sg2, "Poistakohdelistasta1", QStringLiteral("Poista kohde listalta"));
    Poistakohdelistasta1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
    Rivileikepoydalle1 = action(sg2, "Rivileikepoydalle1", QStringLiteral("Kopioi leikepöydälle"));
    Rivileikepoydalle1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    deleteKey = action(sg2, "poistonappain", QString());
    deleteKey->setShortcut(QKeySequence(Qt::Key_Delete));
    for (QAction *a : {Poistakohdelistasta1, Rivileikepoydalle1, deleteKey}) {
        a->setShortcutContext(Qt::WidgetShortcut);
        sg2->addAction(a);
    }
    PopupMenu1->addActions({Poistakohdelistasta1, Rivileikepoydalle1});
}
