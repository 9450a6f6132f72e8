#pragma once
// What the browser shell (tabs, navigation, page pipeline, page tools) needs
// from the main window. TForm1 implements it; tests use a small fake.
#include <QString>

class ShellHost {
public:
    virtual ~ShellHost() = default;

    // Address box `Ieaddress1`: raw text access (the "javascript" rule of the
    // address-box update is the tab manager's).
    virtual QString addressText() const = 0;
    virtual void setAddressText(const QString &text) = 0;

    // Status bar `statusbar1`; its text is also the link address of the
    // link pop-up menu.
    virtual QString statusText() const = 0;
    virtual void setStatusText(const QString &text) = 0;

    // Named main-window controls the shell shows, hides and captions
    // ("XiButton14", "postia", "aukiolopaneeli", "ppohjat", "seur", ...).
    // Unknown names are ignored, so the shell can name controls whose feature
    // is not built yet.
    virtual void setControlVisible(const QString &objectName, bool visible) = 0;
    virtual bool controlVisible(const QString &objectName) const = 0;
    virtual void setControlCaption(const QString &objectName, const QString &caption) = 0;

    // Message panel `paneeli`.
    virtual void naytapaneeli(const QString &text, int ticks) = 0;
    // Deferred command word run by `Timer3` ("kayttajahaku", "kohdehaku", ...).
    virtual void queueCommand(const QString &word) = 0;
    // Signed-in user name captured from the login form ("" when not signed in).
    virtual QString signedInUser() const = 0;
};
