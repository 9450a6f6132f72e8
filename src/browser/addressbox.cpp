#include "addressbox.h"
#include "browser/tabrules.h"
#include "browser/typedurls.h"
#include <QAbstractItemView>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>

AddressBox::AddressBox(TypedUrls *history, QWidget *parent) : QComboBox(parent), m_history(history)
{
    setObjectName(QStringLiteral("Ieaddress1"));
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setMaxVisibleItems(TypedUrls::kSize);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(20);
    lineEdit()->installEventFilter(this);
    view()->installEventFilter(this);
    // The list reflects the stored history from the start, so that adding a
    // typed address never writes a short list over the stored one.
    reloadList();
    setEditText(QString());
    connect(this, qOverload<int>(&QComboBox::activated), this, &AddressBox::Ieaddress1Select);
}

bool AddressBox::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (watched == lineEdit() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
            Ieaddress1KeyDown();
            return true;
        }
        if (watched == view() && key == Qt::Key_Delete) {
            poistaurl();
            return true;
        }
    }
    if (watched == view() && event->type() == QEvent::Hide)
        m_popupOpen = false;
    return QComboBox::eventFilter(watched, event);
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
    if (index < 0)
        return;
    emit navigateRequested(itemText(index));
}

void AddressBox::showPopup()
{
    Ieaddress1DropDown();
    m_popupOpen = true;
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
