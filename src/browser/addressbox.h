#pragma once
// The address box `Ieaddress1`: an editable combo box whose list is the
// typed-address history. Enter navigates, choosing an item navigates, opening
// the list reloads it from the history, Delete in the open list removes the
// highlighted address from the history.
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

private:
    void Ieaddress1KeyDown();
    void Ieaddress1Select(int index);
    void Ieaddress1DropDown();
    void reloadList();
    void addTyped(const QString &text);

    TypedUrls *m_history;
    bool m_popupOpen = false;
};
