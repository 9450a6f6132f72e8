#pragma once
// A ShellHost that records what the shell did to the main window's controls.
// The address lives in `address`, or in a real address box once `box` is set.
#include "browser/tabs/addressbox.h"
#include "browser/shellhost.h"
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
    void setControlVisible(const QString &name, bool on) override { visible.insert(name, on); }
    bool controlVisible(const QString &name) const override { return visible.value(name); }
    void setControlCaption(const QString &name, const QString &caption) override { captions.insert(name, caption); }
    void naytapaneeli(const QString &text, int ticks) override
    {
        panel = text;
        notices << text + QStringLiteral("/") + QString::number(ticks);
    }
    void queueCommand(const QString &word) override { commands << word; }
    QString signedInUser() const override { return user; }
};
