#pragma once
// The e-mail reminder of an item page (`postiaClick`): reads the listing's
// closing time and title and the user's e-mail address from the API and
// orders a reminder from the maker's reminder service six hours before the
// listing closes. Every outcome ends in one information message.
#include <QString>
#include <optional>

class ApiSession;
class HttpApi;
class ProgramClock;
class Prompts;

class EmailReminder final {
public:
    struct Parts {
        HttpApi *http = nullptr;
        ApiSession *api = nullptr;
        ProgramClock *clock = nullptr;
        Prompts *prompts = nullptr;
        QString apiBase;          // ends in "/1.1/"
        QString reminderService;  // the reminder service's add script
    };
    explicit EmailReminder(const Parts &parts);

    static constexpr int kTimeoutMs = 20000;
    static constexpr int kUserTimeoutMs = 30000;

    // `addressText` is the address box's text, `tabAddress` the active tab's
    // address. A press while an earlier one still waits is ignored: one
    // press, one reminder.
    void postiaClick(const QString &addressText, const QString &tabAddress);

private:
    struct Item {
        QString title;
        QString closingValue;   // "closingTime" as the API wrote it
    };
    struct User {
        QString email;
        QString name;
    };
    void order(const QString &itemNumber);
    std::optional<Item> readItem(const QString &itemNumber);
    std::optional<User> readUser();
    void send(const QByteArray &body);

    Parts m_parts;
    bool m_running = false;
};
