#pragma once
// A ShellHost that records what the shell did to the main window's controls.
// The address lives in `address`, or in a real address box once `box` is set.
#include "browser/tabs/addressbox.h"
#include "browser/shellhost.h"
#include "browser/features/pagestate.h"
#include <QHash>
#include <QStringList>

class FakeShellHost final : public ShellHost {
public:
    AddressBox *box = nullptr;
    QString address, status, panel, user;
    QHash<QString, bool> visible;
    QHash<QString, QString> captions;
    QStringList notices;    // "text/ticks" for every panel message
    QStringList commands;

    QString addressText() const override { return box ? box->currentText() : address; }
    void setAddressText(const QString &text) override
    {
        if (box)
            box->setEditText(text);
        else
            address = text;
    }
    QString statusText() const override { return status; }
    void setStatusText(const QString &text) override { status = text; }
    // The controls as the feature modules would show them, by objectName.
    void pageChanged(const PageState &state) override
    {
        using PageControls::Control;
        const std::pair<Control, const char *> controls[] = {
            {Control::ClosingTime, "aukiolopaneeli"}, {Control::Templates, "ppohjat"},
            {Control::MailReminder, "postia"}, {Control::Favourite, "XiButton14"}, {Control::NextListing, "seur"}};
        for (const auto &[control, name] : controls) {
            if (const std::optional<bool> shown = PageControls::visible(control, state))
                visible.insert(QLatin1String(name), *shown);
        }
        const QString favourite = PageControls::favouriteCaption(state);
        if (!favourite.isEmpty())
            captions.insert(QStringLiteral("XiButton14"), favourite);
    }
    void naytapaneeli(const QString &text, int ticks) override
    {
        panel = text;
        notices << text + QStringLiteral("/") + QString::number(ticks);
    }
    void queueCommand(const QString &word) override { commands << word; }
    QString signedInUser() const override { return user; }
};
