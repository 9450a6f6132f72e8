#pragma once
// What the update check needs of the main window and its progress panel.
#include <QString>

// The progress panel `XiPanel8` as the check sees it: "Peruuta" hides it.
class UpdatePanel {
public:
    virtual ~UpdatePanel() = default;
    virtual void centre() = 0;
    virtual void showText(const QString &text) = 0;   // `Label2`, then shown
    virtual void hide() = 0;
    virtual bool isShown() const = 0;
};

class UpdateHost {
public:
    virtual ~UpdateHost() = default;
    // The new program file is in place: set the restart flag and close the
    // main window, which saves the settings and starts the new program.
    virtual void restartIntoUpdate() = 0;
};
