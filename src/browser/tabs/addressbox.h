#pragma once
// The address box `Ieaddress1`: an editable combo box whose list is the
// typed-address history. Return or keypad Enter navigates to the typed text,
// choosing an entry of the opened list (a click or Enter on it) navigates to
// it, opening the list reloads it from the history, Delete in the open list
// removes the highlighted address from the history. The wheel and the arrow
// keys only show entries in the box; they never navigate.
#include <QComboBox>

class TypedUrls;

class AddressBox final : public QComboBox {
    Q_OBJECT
public:
    AddressBox(TypedUrls *history, QWidget *parent = nullptr);

    // The keyboard command "poistaurl": removes the highlighted entry of the
    // open list (or the selected one) from the history and from the list.
    void poistaurl();
    bool listOpenWithSelection() const;
    void showPopup() override;

signals:
    // Enter or a chosen list item: the active tab goes there.
    void navigateRequested(const QString &address);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    void Ieaddress1KeyDown();
    void Ieaddress1Select(int index);
    bool listChoice(QObject *watched, QEvent *event);
    void Ieaddress1DropDown();
    void reloadList();
    void addTyped(const QString &text);

    TypedUrls *m_history;
    bool m_popupOpen = false;
    bool m_pressedInList = false;   // a release in the list counts only after a press there
};
