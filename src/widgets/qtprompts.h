#pragma once
#include "core/prompts.h"

class QWidget;

// Prompts shown as Qt dialogs with Finnish button texts.
class QtPrompts final : public Prompts {
public:
    explicit QtPrompts(QWidget *parent = nullptr);
    void setParent(QWidget *parent) { m_parent = parent; }

    void information(const QString &text) override;
    void message(const QString &text) override;
    void error(const QString &text) override;
    Answer confirm(const QString &text, bool withCancel = false) override;
    std::optional<QString> input(const QString &caption, const QString &label,
                                 const QString &value = QString()) override;
    QString openFileName(const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(const QString &caption, const QString &dir, const QString &filter) override;
    QString directory(const QString &caption, const QString &dir) override;

private:
    QWidget *m_parent;
};
