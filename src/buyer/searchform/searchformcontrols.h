#pragma once
// Small controls of the search form: a captioned group of radio buttons with
// an item index, as the form's choices are described.
#include <QGroupBox>
#include <QList>

class QRadioButton;

class RadioGroup final : public QGroupBox {
    Q_OBJECT
public:
    // Buttons are named objectName + "_" + index; item 0 starts checked.
    RadioGroup(const QString &objectName, const QString &caption, const QStringList &items,
               QWidget *parent = nullptr);

    int itemIndex() const;
    // An index outside the items leaves the group as it is.
    void setItemIndex(int index);
    QRadioButton *button(int index) const { return m_buttons.value(index); }

private:
    QList<QRadioButton *> m_buttons;
};
