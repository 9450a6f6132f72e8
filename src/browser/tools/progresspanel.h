#pragma once
// The progress panel `XiPanel8`: a label `Label2` and the button "Peruuta".
// Long operations keep working only while the panel is visible; "Peruuta"
// (`Panelsulje`) hides it, which stops them at their next check.
#include "widgets/progressframe.h"

class ProgressPanel final : public ProgressFrame {
    Q_OBJECT
public:
    explicit ProgressPanel(QWidget *parent);

    void Panelsulje();
    QPushButton *cancelButton() const { return button(); }
};
