#include "qtprompts.h"
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

namespace {
void finnishButtons(QMessageBox &box)
{
    if (auto *b = box.button(QMessageBox::Yes)) b->setText(QStringLiteral("Kyllä"));
    if (auto *b = box.button(QMessageBox::No)) b->setText(QStringLiteral("Ei"));
    if (auto *b = box.button(QMessageBox::Cancel)) b->setText(QStringLiteral("Peruuta"));
    if (auto *b = box.button(QMessageBox::Ok)) b->setText(QStringLiteral("OK"));
}

void show(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text)
{
    QMessageBox box(icon, caption, text, QMessageBox::Ok, parent);
    finnishButtons(box);
    box.exec();
}
}

QtPrompts::QtPrompts(QWidget *parent) : m_parent(parent) {}

void QtPrompts::information(const QString &text)
{
    show(m_parent, QMessageBox::Information, QStringLiteral("Tiedoksi"), text);
}

void QtPrompts::message(const QString &text)
{
    show(m_parent, QMessageBox::NoIcon, QApplication::applicationDisplayName(), text);
}

void QtPrompts::error(const QString &text)
{
    show(m_parent, QMessageBox::Critical, QStringLiteral("Virhe"), text);
}

Prompts::Answer QtPrompts::confirm(const QString &text, bool withCancel)
{
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel)
        buttons |= QMessageBox::Cancel;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Vahvista"), text, buttons, m_parent);
    finnishButtons(box);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

std::optional<QString> QtPrompts::input(const QString &caption, const QString &label,
                                        const QString &value)
{
    QInputDialog dlg(m_parent);
    dlg.setWindowTitle(caption);
    dlg.setLabelText(label);
    dlg.setTextValue(value);
    dlg.setOkButtonText(QStringLiteral("OK"));
    dlg.setCancelButtonText(QStringLiteral("Peruuta"));
    if (dlg.exec() != QDialog::Accepted)
        return std::nullopt;
    return dlg.textValue();
}

QString QtPrompts::openFileName(const QString &caption, const QString &dir, const QString &filter)
{
    return QFileDialog::getOpenFileName(m_parent, caption, dir, filter);
}

QString QtPrompts::saveFileName(const QString &caption, const QString &dir, const QString &filter)
{
    // Callers ask their own overwrite question where one is wanted.
    return QFileDialog::getSaveFileName(m_parent, caption, dir, filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}

QString QtPrompts::directory(const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(m_parent, caption, dir);
}
