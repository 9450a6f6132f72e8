#pragma once
#include "core/prompts.h"
#include <QList>
#include <QPointer>

class QDialog;
class QMessageBox;
class QWidget;

// Prompts shown as Qt dialogs with Finnish button texts.
//
// A prompt belongs to the window that asks: the active modal dialog, else
// the active window, else the fallback window given here (the main window).
// It is that window's child, so the window manager keeps it above that
// window (also above a stay-on-top dialog), and when it closes the asking
// window gets the focus back.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget *fallback = nullptr);
    void setParent(QWidget *fallback) { m_fallback = fallback; }
    // The window a prompt asked now would belong to.
    QWidget *askingWindow() const;

    void information(const QString &text) override;
    void message(const QString &text) override;
    void error(const QString &text) override;
    Answer confirm(const QString &text, bool withCancel = false) override;
    bool confirmOk(const QString &text) override;
    std::optional<QString> input(const QString &caption, const QString &label,
                                 const QString &value = QString()) override;
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override;
    QStringList openFileNames(const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override;
    SaveChoice saveFile(const QString &caption, const QString &dir, const QString &filter) override;
    QString directory(const QString &caption, const QString &dir) override;
    // A page's dialog: not modal, so that the main window can still be
    // closed (and Ctrl+Q reach it) while it is up; input to the program's
    // other windows is held meanwhile, as a modal dialog would.
    PageAnswer pageDialog(const PageDialog &dialog) override;
    bool pageDialogOpen() const { return m_pageDepth > 0; }
    // The main window was asked to close while page dialogs are up: they are
    // closed, and the window's close is asked again once they are gone.
    void closeAfterPageDialogs();
    // The program is closing: the pages' dialogs are answered at once
    // without showing (a page may still be running while its tab goes).
    void refusePageDialogs() { m_pagesRefused = true; }
    // The program is told to end: open dialogs are closed and every further
    // prompt is answered at once as cancelled, without showing.
    void endAll();
    bool ended() const { return m_ended; }

    // Makes a message box wide enough for its caption in the window
    // manager's bold title bar with its buttons (a box sizes itself to its
    // text only, and the title would be elided).
    static void fitCaption(QMessageBox &box);

private:
    // Shows the dialog modally above the asking window and hands the focus
    // back to that window afterwards.
    int run(QDialog &dialog, QWidget *asker);
    void show(int icon, const QString &caption, const QString &text);

    QPointer<QWidget> m_fallback;
    // The window the last prompt belonged to: right after a prompt closes
    // the window system may not have activated it again yet, and a second
    // prompt (an error after a file dialog) belongs to it as well.
    QPointer<QWidget> m_lastAsker;
    QList<QPointer<QDialog>> m_open;   // dialogs shown now, innermost last
    int m_pageDepth = 0;
    bool m_closeAfterPages = false;
    bool m_ended = false;
    bool m_pagesRefused = false;
};
