#pragma once
// Every message, question, input and file dialog goes through this seam so
// features can be tested with scripted answers.
#include <QString>
#include <QStringList>
#include <optional>

class Prompts {
public:
    enum class Answer { Yes, No, Cancel };
    virtual ~Prompts() = default;

    virtual void information(const QString &text) = 0;        // information, OK
    virtual void message(const QString &text) = 0;            // plain message box
    virtual void error(const QString &text) = 0;              // error, OK
    virtual Answer confirm(const QString &text, bool withCancel = false) = 0;
    // A question with the buttons OK and Cancel: true for OK. Prompts without
    // such a question ask with Yes and No.
    virtual bool confirmOk(const QString &text) { return confirm(text) == Answer::Yes; }
    virtual std::optional<QString> input(const QString &caption, const QString &label,
                                         const QString &value = QString()) = 0;
    virtual QString openFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    // An open dialog that takes several files, in the order the dialog gives
    // them; empty when cancelled. Prompts without one ask for a single file.
    virtual QStringList openFileNames(const QString &caption, const QString &dir, const QString &filter)
    {
        const QString one = openFileName(caption, dir, filter);
        return one.isEmpty() ? QStringList() : QStringList{one};
    }
    virtual QString saveFileName(const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    // A save dialog that also tells which entry of its filter ("A (*.a);;B
    // (*.b)") was selected when the name was chosen.
    struct SaveChoice {
        QString path;     // empty: cancelled
        QString filter;   // the selected entry, as written in the filter
    };
    // Prompts that cannot tell report the entry a dialog starts with, the first.
    virtual SaveChoice saveFile(const QString &caption, const QString &dir, const QString &filter)
    {
        return {saveFileName(caption, dir, filter), filter.section(QStringLiteral(";;"), 0, 0)};
    }
    virtual QString directory(const QString &caption, const QString &dir) = 0;

    // A page's own dialog (a script's alert, confirm or prompt). Its text is
    // the page's, never markup; `host` says whose page speaks. With
    // `offerBlock` the dialog offers to block the page's further dialogs.
    struct PageDialog {
        enum class Kind { Alert, Confirm, Prompt };
        Kind kind = Kind::Alert;
        QString host;
        QString text;
        QString value;          // a prompt's default answer
        bool offerBlock = false;
    };
    struct PageAnswer {
        bool accepted = false;  // OK (confirm, prompt)
        QString value;          // a prompt's answer
        bool blockFurther = false;
    };
    // Prompts without dialogs of their own ask through message, confirm and input.
    virtual PageAnswer pageDialog(const PageDialog &dialog)
    {
        PageAnswer answer;
        switch (dialog.kind) {
        case PageDialog::Kind::Alert:
            message(dialog.text);
            break;
        case PageDialog::Kind::Confirm:
            answer.accepted = confirm(dialog.text) == Answer::Yes;
            break;
        case PageDialog::Kind::Prompt:
            if (const std::optional<QString> typed = input(QStringLiteral("Vasaro selain"), dialog.text, dialog.value)) {
                answer.accepted = true;
                answer.value = *typed;
            }
            break;
        }
        return answer;
    }
};
