#include "browser/tabs/addressbox.h"
#include "browser/tabs/tabrules.h"
#include "browser/tabs/typedurls.h"
#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QWheelEvent>

AddressBox::AddressBox(TypedUrls *history, QWidget *parent) : QComboBox(parent), m_history(history)
{
    setObjectName(QStringLiteral("Ieaddress1"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(TypedUrls::kSize);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
    // The wheel over the box does not take the focus (see wheelEvent).
    setFocusPolicy(Qt::StrongFocus);
    // The focused box hands its keys to the line edit itself, past any event
    // filter there; the line edit still reports Return and keypad Enter.
    connect(lineEdit(), &QLineEdit::returnPressed, this, &AddressBox::Ieaddress1KeyDown);
    // The combo box's own activation also follows the wheel, the arrow keys
    // and a typed text equal to an entry: the list's choices are taken in
    // eventFilter instead.
    view()->installEventFilter(this);
    view()->viewport()->installEventFilter(this);
    // The list reflects the stored history from the start, so that adding a
    // typed address never writes a short list over the stored one.
    reloadList();
    setEditText(QString());
}

bool AddressBox::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == view() && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->key() == Qt::Key_Delete) {
        poistaurl();
        return true;
    }
    if (watched == view() && event->type() == QEvent::Hide)
        m_popupOpen = false;
    if (listChoice(watched, event))
        return true;
    return QComboBox::eventFilter(watched, event);
}

// A click on an entry of the opened list, or Enter on the highlighted entry,
// chooses it. The release that ends the click which opened the list is not a
// choice: it comes without a press in the list.
bool AddressBox::listChoice(QObject *watched, QEvent *event)
{
    QModelIndex chosen;
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonPress) {
        m_pressedInList = true;
        return false;
    }
    if (watched == view()->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (!m_pressedInList || mouse->button() != Qt::LeftButton)
            return false;
        m_pressedInList = false;
        chosen = view()->indexAt(mouse->position().toPoint());
    } else if (watched == view() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        chosen = view()->currentIndex();
    } else {
        return false;
    }
    if (!chosen.isValid())
        return false;
    hidePopup();
    Ieaddress1Select(chosen.row());
    return true;
}

void AddressBox::Ieaddress1KeyDown()
{
    const QString text = currentText();
    emit navigateRequested(text);
    addTyped(text);
}

void AddressBox::addTyped(const QString &text)
{
    if (!TabRules::typedTextGoesToHistory(text, count()))
        return;
    if (findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0)
        return;   // already in the history: a second copy would only use a slot
    const QString edit = currentText();
    addItem(text);
    setEditText(edit);
    QStringList items;
    for (int i = 0; i < count(); ++i)
        items << itemText(i);
    m_history->write(items);
}

void AddressBox::Ieaddress1Select(int index)
{
    if (index < 0 || index >= count())
        return;
    const QString address = itemText(index);
    setEditText(address);
    emit navigateRequested(address);
}

// Scrolling over a box the user is not in must not change its text.
void AddressBox::wheelEvent(QWheelEvent *event)
{
    if (!hasFocus()) {
        event->ignore();
        return;
    }
    QComboBox::wheelEvent(event);
}

void AddressBox::showPopup()
{
    Ieaddress1DropDown();
    m_popupOpen = true;
    m_pressedInList = false;
    QComboBox::showPopup();
}

void AddressBox::Ieaddress1DropDown()
{
    reloadList();
}

void AddressBox::reloadList()
{
    const QString edit = currentText();
    const QSignalBlocker block(this);
    clear();
    addItems(m_history->list());
    setCurrentIndex(-1);
    setEditText(edit);
}

bool AddressBox::listOpenWithSelection() const
{
    return m_popupOpen && view()->isVisible() && view()->currentIndex().isValid();
}

void AddressBox::poistaurl()
{
    int row = view()->currentIndex().isValid() ? view()->currentIndex().row() : currentIndex();
    if (row < 0 || row >= count())
        return;
    const QString address = itemText(row);
    m_history->remove(address);
    const QString edit = lineEdit()->text();
    const QSignalBlocker block(this);
    removeItem(row);
    setEditText(edit);
}
