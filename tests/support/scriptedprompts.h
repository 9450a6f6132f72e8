#pragma once
// Prompts for tests: answers from a queue, records every question asked.
#include "core/prompts.h"
#include <QQueue>
#include <QStringList>

class ScriptedPrompts final : public Prompts {
public:
    QStringList asked;                    // "kind: text" for every prompt shown
    QQueue<Answer> answers;               // confirm() answers; default Yes
    QQueue<std::optional<QString>> inputs;  // input() answers; default cancel
    QQueue<QString> files;                // file and folder dialog answers; default ""
    // Filter entry selected in the next save dialogs; default: the first entry.
    QQueue<QString> filters;

    void information(const QString &text) override { asked << QStringLiteral("information: ") + text; }
    void message(const QString &text) override { asked << QStringLiteral("message: ") + text; }
    void error(const QString &text) override { asked << QStringLiteral("error: ") + text; }
    Answer confirm(const QString &text, bool) override
    {
        asked << QStringLiteral("confirm: ") + text;
        return answers.isEmpty() ? Answer::Yes : answers.dequeue();
    }
    std::optional<QString> input(const QString &, const QString &label, const QString &) override
    {
        asked << QStringLiteral("input: ") + label;
        return inputs.isEmpty() ? std::nullopt : inputs.dequeue();
    }
    QString openFileName(const QString &caption, const QString &, const QString &) override
    { return nextFile(QStringLiteral("open: ") + caption); }
    QString saveFileName(const QString &caption, const QString &, const QString &) override
    { return nextFile(QStringLiteral("save: ") + caption); }
    SaveChoice saveFile(const QString &caption, const QString &, const QString &filter) override
    {
        const QString chosen = filters.isEmpty() ? filter.section(QStringLiteral(";;"), 0, 0)
                                                 : filters.dequeue();
        return {nextFile(QStringLiteral("save: ") + caption), chosen};
    }
    QString directory(const QString &caption, const QString &) override
    { return nextFile(QStringLiteral("directory: ") + caption); }

private:
    QString nextFile(const QString &what)
    {
        asked << what;
        return files.isEmpty() ? QString() : files.dequeue();
    }
};
