#pragma once
// The update check as a feature module: the check itself (started by the
// page pipeline at most once a day), its menu item "Päivitä" and its panel
// over the progress panel `XiPanel8`.
#include "browser/features/modulecontext.h"
#include "update/updatehost.h"
#include <functional>
#include <memory>

class Http;
class ProgressPanel;
class ProgressPanelView;
class UpdateCheck;

class UpdateModule final : public UpdateHost {
public:
    // `restart` sets the restart flag and closes the main window.
    UpdateModule(const ModuleContext &context, Http &http, ProgressPanel *progress, std::function<void()> restart);
    ~UpdateModule() override;
    UpdateModule(const UpdateModule &) = delete;
    UpdateModule &operator=(const UpdateModule &) = delete;

    UpdateCheck &check() const { return *m_check; }

    // UpdateHost
    void restartIntoUpdate() override { m_restart(); }

private:
    std::function<void()> m_restart;
    std::unique_ptr<ProgressPanelView> m_panel;
    std::unique_ptr<UpdateCheck> m_check;
};
