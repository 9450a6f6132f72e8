#pragma once
// What the browser shell (tabs, navigation, page pipeline, page tools) needs
// from the main window. TForm1 implements it; tests use a small fake.
#include <QString>

struct PageState;

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

    // The active page changed: the main window tells every feature module,
    // and each shows or hides its own controls.
    virtual void pageChanged(const PageState &state) = 0;

    // Message panel `paneeli`.
    virtual void naytapaneeli(const QString &text, int ticks) = 0;
    // Notice panel `Xipanel6` at the top right of the pages.
    virtual void statusNotice(const QString &text, int ticks) { naytapaneeli(text, ticks); }
    // Deferred command word run by `Timer3` ("kayttajahaku", "kohdehaku", ...).
    virtual void queueCommand(const QString &word) = 0;
    // Signed-in user name captured from the login form ("" when not signed in).
    virtual QString signedInUser() const = 0;
};
