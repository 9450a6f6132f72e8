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
    QQueue<QStringList> fileLists;        // multiple-file open dialog answers; default none
    // Filter entry selected in the next save dialogs; default: the first entry.
    QQueue<QString> filters;
    QStringList offered;                  // start folder of every file and folder dialog
    bool withCaptions = false;            // input() noted as "input: caption|label"

    void information(const QString &text) override { asked << QStringLiteral("information: ") + text; }
    void message(const QString &text) override { asked << QStringLiteral("message: ") + text; }
    void error(const QString &text) override { asked << QStringLiteral("error: ") + text; }
    Answer confirm(const QString &text, bool) override
    {
        asked << QStringLiteral("confirm: ") + text;
        return answers.isEmpty() ? Answer::Yes : answers.dequeue();
    }
    std::optional<QString> input(const QString &caption, const QString &label, const QString &) override
    {
        asked << QStringLiteral("input: ") + (withCaptions ? caption + u'|' : QString()) + label;
        return inputs.isEmpty() ? std::nullopt : inputs.dequeue();
    }
    QString openFileName(const QString &caption, const QString &dir, const QString &) override
    { return nextFile(QStringLiteral("open: ") + caption, dir); }
    QStringList openFileNames(const QString &caption, const QString &dir, const QString &) override
    {
        asked << QStringLiteral("open files: ") + caption;
        offered << dir;
        return fileLists.isEmpty() ? QStringList() : fileLists.dequeue();
    }
    QString saveFileName(const QString &caption, const QString &dir, const QString &) override
    { return nextFile(QStringLiteral("save: ") + caption, dir); }
    SaveChoice saveFile(const QString &caption, const QString &dir, const QString &filter) override
    {
        const QString chosen = filters.isEmpty() ? filter.section(QStringLiteral(";;"), 0, 0)
                                                 : filters.dequeue();
        return {nextFile(QStringLiteral("save: ") + caption, dir), chosen};
    }
    QString directory(const QString &caption, const QString &dir) override
    { return nextFile(QStringLiteral("directory: ") + caption, dir); }

private:
    QString nextFile(const QString &what, const QString &dir)
    {
        asked << what;
        offered << dir;
        return files.isEmpty() ? QString() : files.dequeue();
    }
};
