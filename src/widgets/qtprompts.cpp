#include "qtprompts.h"
#include "core/waitfor.h"
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QRegularExpression>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QInputDialog>
#include <QWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace {
void finnishButtons(QMessageBox &box)
{
    if (auto *b = box.button(QMessageBox::Yes)) b->setText(QStringLiteral("Kyllä"));
    if (auto *b = box.button(QMessageBox::No)) b->setText(QStringLiteral("Ei"));
    if (auto *b = box.button(QMessageBox::Cancel)) b->setText(QStringLiteral("Peruuta"));
    if (auto *b = box.button(QMessageBox::Ok)) b->setText(QStringLiteral("OK"));
}

// Wide enough for its caption in the window manager's title bar (a bold
// font, with room for the icon and the buttons) and for its prompt.
void fitTitle(QDialog &dialog)
{
    constexpr int kTitleBarExtra = 120;
    QFont bold = dialog.font();
    bold.setBold(true);
    const int title = QFontMetrics(bold).horizontalAdvance(dialog.windowTitle()) + kTitleBarExtra;
    // The dialog's layout owns its minimum size; a size given before it is
    // shown is kept.
    const QSize hint = dialog.sizeHint();
    dialog.resize(qMax(hint.width(), title), hint.height());
}

// A message box sizes itself to its text and buttons only; a row as wide
// as its caption needs keeps the caption whole.
void fitTitle(QMessageBox &box)
{
    constexpr int kTitleBarExtra = 120;
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    QFont bold = box.font();
    bold.setBold(true);
    const int title = QFontMetrics(bold).horizontalAdvance(box.windowTitle()) + kTitleBarExtra;
    grid->addItem(new QSpacerItem(title, 0, QSizePolicy::Fixed, QSizePolicy::Minimum), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

// The window system may hand the focus back while the closing prompt's own
// pop-up (the file-name completer of a file dialog) still counts as open;
// Qt then drops the activation, and no widget of the window would get the
// keyboard focus or its focus events. The activation is made again here.
bool activeAgain(QWidget *w)
{
    if (QApplication::activeWindow() != w && !QApplication::activePopupWidget()
        && w->windowHandle() && QGuiApplication::focusWindow() == w->windowHandle())
        QApplication::setActiveWindow(w);
    return QApplication::activeWindow() == w;
}

// Several names typed into the file name field ("a.jpg" "b.jpg", as the
// dialog itself writes a selection there), in the order they were typed.
// The dialog's own answer follows its list's selection instead, which may
// hold one of them only. Names that are not files are left out; empty when
// the field holds fewer than two names.
QStringList typedFiles(const QFileDialog &dlg)
{
    const auto *field = dlg.findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    if (!field)
        return {};
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\""));
    QStringList names;
    for (auto it = quoted.globalMatch(field->text()); it.hasNext();)
        names << it.next().captured(1);
    if (names.size() < 2)
        return {};
    const QDir folder = dlg.directory();
    QStringList files;
    for (const QString &name : names) {
        const QFileInfo file(QDir::isAbsolutePath(name) ? name : folder.absoluteFilePath(name));
        if (file.isFile() && !files.contains(file.absoluteFilePath()))
            files << file.absoluteFilePath();
    }
    return files;
}

bool isOwnerCandidate(const QWidget *w)
{
    if (!w || !w->isVisible())
        return false;
    const Qt::WindowType type = w->windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen;
}
}

QtPrompts::QtPrompts(QWidget *fallback) : m_fallback(fallback) {}

QWidget *QtPrompts::askingWindow() const
{
    if (QWidget *modal = QApplication::activeModalWidget(); isOwnerCandidate(modal))
        return modal->window();
    if (QWidget *active = QApplication::activeWindow(); isOwnerCandidate(active))
        return active->window();
    if (isOwnerCandidate(m_lastAsker))
        return m_lastAsker;
    return m_fallback ? m_fallback->window() : nullptr;
}

int QtPrompts::run(QDialog &dialog, QWidget *asker)
{
    const QPointer<QWidget> back(asker);
    // A child of a stay-on-top window would otherwise open under it on
    // window managers that keep such windows in a layer of their own.
    if (asker && asker->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    const int result = dialog.exec();
    dialog.hide();
    m_lastAsker = asker;
    if (back && back->isVisible() && !back->isMinimized()) {
        back->raise();
        back->activateWindow();
        if (!waitFor([back] { return !back || activeAgain(back); }, 300) && back) {
            // The pop-up may close only later.
            for (int ms : {100, 300, 700, 1500})
                QTimer::singleShot(ms, back, [back] { activeAgain(back); });
        }
    }
    return result;
}

void QtPrompts::fitCaption(QMessageBox &box)
{
    fitTitle(box);
}

void QtPrompts::show(int icon, const QString &caption, const QString &text)
{
    QWidget *asker = askingWindow();
    QMessageBox box(QMessageBox::Icon(icon), caption, text, QMessageBox::Ok, asker);
    finnishButtons(box);
    fitTitle(box);
    run(box, asker);
}

void QtPrompts::information(const QString &text)
{
    show(QMessageBox::Information, QStringLiteral("Tiedoksi"), text);
}

void QtPrompts::message(const QString &text)
{
    show(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text);
}

void QtPrompts::error(const QString &text)
{
    show(QMessageBox::Critical, QStringLiteral("Virhe"), text);
}

Prompts::Answer QtPrompts::confirm(const QString &text, bool withCancel)
{
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QWidget *asker = askingWindow();
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vahvista"), text, buttons, asker);
    finnishButtons(box);
    fitTitle(box);
    run(box, asker);
    switch (box.standardButton(box.clickedButton())) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

bool QtPrompts::confirmOk(const QString &text)
{
    QWidget *asker = askingWindow();
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vahvista"), text, QMessageBox::Ok | QMessageBox::Cancel,
                    asker);
    finnishButtons(box);
    fitTitle(box);
    run(box, asker);
    return box.standardButton(box.clickedButton()) == QMessageBox::Ok;
}

std::optional<QString> QtPrompts::input(const QString &caption, const QString &label,
                                        const QString &value)
{
    QWidget *asker = askingWindow();
    QInputDialog dlg(asker);
    dlg.setWindowTitle(caption);
    dlg.setLabelText(label);
    dlg.setTextValue(value);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Peruuta"));
    fitTitle(dlg);
    if (run(dlg, asker) != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

QString QtPrompts::openFileName(const QString &caption, const QString &dir, const QString &filter)
{
    QWidget *asker = askingWindow();
    QFileDialog dlg(asker, caption, dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
    if (run(dlg, asker) != QDialog::Accepted)
        return QString();
    return dlg.selectedFiles().value(0);
}

QStringList QtPrompts::openFileNames(const QString &caption, const QString &dir, const QString &filter)
{
    QWidget *asker = askingWindow();
    QFileDialog dlg(asker, caption, dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFiles);
    if (run(dlg, asker) != QDialog::Accepted)
        return QStringList();
    const QStringList typed = typedFiles(dlg);
    return typed.isEmpty() ? dlg.selectedFiles() : typed;
}

QString QtPrompts::saveFileName(const QString &caption, const QString &dir, const QString &filter)
{
    return saveFile(caption, dir, filter).path;
}

Prompts::SaveChoice QtPrompts::saveFile(const QString &caption, const QString &dir,
                                        const QString &filter)
{
    QWidget *asker = askingWindow();
    QFileDialog dlg(asker, caption, dir, filter);
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    // Callers ask their own overwrite question where one is wanted.
    dlg.setOption(QFileDialog::DontConfirmOverwrite);
    if (run(dlg, asker) != QDialog::Accepted)
        return {};
    return {dlg.selectedFiles().value(0), dlg.selectedNameFilter()};
}

QString QtPrompts::directory(const QString &caption, const QString &dir)
{
    QWidget *asker = askingWindow();
    QFileDialog dlg(asker, caption, dir);
    dlg.setFileMode(QFileDialog::Directory);
    dlg.setOption(QFileDialog::ShowDirsOnly);
    if (run(dlg, asker) != QDialog::Accepted)
        return QString();
    return dlg.selectedFiles().value(0);
}
