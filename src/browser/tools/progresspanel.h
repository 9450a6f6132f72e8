#pragma once
// The progress panel `XiPanel8`: a label `Label2` and the button "Peruuta".
// Long operations keep working only while the panel is visible; "Peruuta"
// (`Panelsulje`) hides it, which stops them at their next check.
#include <QFrame>

class QLabel;
class QPushButton;

class ProgressPanel final : public QFrame {
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget *parent);

    void setLabel(const QString &text);
    QString label() const;
    // Centres the panel in its parent window and shows it on top.
    void showCentred();
    void Panelsulje();
    QPushButton *cancelButton() const { return m_cancel; }

private:
    QLabel *m_label;
    QPushButton *m_cancel;
};
