#include "qtprompts.h"
#include "core/waitfor.h"
#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <functional>
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

// A page's dialog: the page's text as plain text (never markup or a live
// link), its host in the caption, and once the page has asked before, a
// check box that blocks the page's further dialogs.
class PageDialogBox final : public QDialog {
public:
    PageDialogBox(const Prompts::PageDialog &request, QWidget *parent) : QDialog(parent), m_kind(request.kind)
    {
        setObjectName(QStringLiteral("PageDialog"));
        setWindowTitle(QStringLiteral("Sivu ") + request.host + QStringLiteral(" sanoo"));
        auto *layout = new QVBoxLayout(this);
        auto *text = new QLabel(this);
        text->setObjectName(QStringLiteral("PageDialogText"));
        text->setTextFormat(Qt::PlainText);
        text->setTextInteractionFlags(Qt::TextSelectableByMouse);
        text->setOpenExternalLinks(false);
        text->setWordWrap(true);
        // A page's endless text would make an endless dialog.
        constexpr int kMaxShown = 5000;
        text->setText(request.text.size() > kMaxShown ? request.text.left(kMaxShown) + QStringLiteral("…")
                                                      : request.text);
        layout->addWidget(text);
        if (m_kind == Prompts::PageDialog::Kind::Prompt) {
            m_edit = new QLineEdit(request.value, this);
            layout->addWidget(m_edit);
            m_edit->selectAll();
            m_edit->setFocus();
        }
        if (request.offerBlock) {
            m_block = new QCheckBox(QStringLiteral("Estä tämän sivun lisäikkunat"), this);
            layout->addWidget(m_block);
        }
        auto *buttons = new QDialogButtonBox(this);
        QPushButton *ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
        ok->setDefault(true);
        if (m_kind != Prompts::PageDialog::Kind::Alert)
            buttons->addButton(QStringLiteral("Peruuta"), QDialogButtonBox::RejectRole);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
        layout->addWidget(buttons);
        setModal(false);
    }
    // Ctrl+Q: the dialog goes and the page asks nothing more.
    void closeAndBlock()
    {
        m_blockForced = true;
        reject();
    }
    Prompts::PageAnswer answer() const
    {
        Prompts::PageAnswer a;
        a.accepted = result() == QDialog::Accepted;
        if (a.accepted && m_edit)
            a.value = m_edit->text();
        a.blockFurther = m_blockForced || (m_block && m_block->isChecked());
        return a;
    }

private:
    Prompts::PageDialog::Kind m_kind;
    QLineEdit *m_edit = nullptr;
    QCheckBox *m_block = nullptr;
    bool m_blockForced = false;
};

// While a page's dialog is up, input to every other window of the program
// is held, as a modal dialog would hold it; only the window system's close
// button reaches the main window. Ctrl+Q (which would close the page's tab
// under its own dialog) closes the dialog and blocks the page's next ones.
class InputHold final : public QObject {
public:
    InputHold(QDialog *dialog, std::function<void()> onCtrlQ)
        : m_dialog(dialog), m_onCtrlQ(std::move(onCtrlQ))
    {
        qApp->installEventFilter(this);
    }
    ~InputHold() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::ShortcutOverride: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Q && key->modifiers().testFlag(Qt::ControlModifier)) {
                event->accept();   // no shortcut: the key press comes here
                if (event->type() == QEvent::KeyPress)
                    m_onCtrlQ();
                return true;
            }
            break;
        }
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::ContextMenu:
            break;
        default:
            return false;
        }
        auto *widget = qobject_cast<QWidget *>(watched);
        // A modal dialog opened meanwhile (a program's own question) holds
        // the input itself.
        if (!widget || QApplication::activeModalWidget())
            return false;
        // The dialog itself and other page dialogs (a nested one) take input.
        const QWidget *window = widget->window();
        return window != m_dialog && window->objectName() != QLatin1String("PageDialog");
    }

private:
    QDialog *m_dialog;
    std::function<void()> m_onCtrlQ;
};

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
    if (m_ended)
        return QDialog::Rejected;
    const QPointer<QWidget> back(asker);
    // A child of a stay-on-top window would otherwise open under it on
    // window managers that keep such windows in a layer of their own.
    if (asker && asker->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    m_open.append(&dialog);
    const int result = dialog.exec();
    m_open.removeAll(&dialog);
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

void QtPrompts::endAll()
{
    m_ended = true;
    for (const QPointer<QDialog> &d : std::as_const(m_open))
        if (d)
            d->reject();
}

void QtPrompts::closeAfterPageDialogs()
{
    m_closeAfterPages = true;
    for (const QPointer<QDialog> &d : std::as_const(m_open))
        if (d)
            d->reject();
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

Prompts::PageAnswer QtPrompts::pageDialog(const PageDialog &request)
{
    if (m_ended || m_closeAfterPages || m_pagesRefused)
        return {};
    QWidget *asker = askingWindow();
    PageDialogBox box(request, asker);
    fitTitle(box);
    if (asker && asker->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    const QPointer<QWidget> back(asker);
    InputHold hold(&box, [&box] { box.closeAndBlock(); });
    ++m_pageDepth;
    m_open.append(&box);
    box.show();
    box.raise();
    box.activateWindow();
    waitFor([&box] { return !box.isVisible(); }, -1);
    m_open.removeAll(&box);
    --m_pageDepth;
    PageAnswer answer = box.answer();
    if (back && back->isVisible() && !m_ended) {
        back->raise();
        back->activateWindow();
    }
    if (m_pageDepth == 0 && m_closeAfterPages) {
        // Closed from outside the dialogs' own waits: the pages' callbacks
        // have returned by the time the window closes.
        QTimer::singleShot(0, m_fallback, [this] {
            // Once closed, the pages (a loop of alerts) ask nothing more.
            if (m_fallback && m_fallback->close())
                return;
            m_closeAfterPages = false;
        });
    }
    return answer;
}
