#pragma once
// The main window's progress panel `XiPanel8` behind the update check.
#include "update/updatehost.h"

class ProgressPanel;

class ProgressPanelView final : public UpdatePanel {
public:
    explicit ProgressPanelView(ProgressPanel *panel) : m_panel(panel) {}

    void centre() override;
    void showText(const QString &text) override;
    void hide() override;
    bool isShown() const override;

private:
    ProgressPanel *m_panel;
};
