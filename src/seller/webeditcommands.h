#pragma once
// The browser's editing commands of one tab page for the page access
// operations.
#include "pageaccess.h"
#include <QPointer>

class QWebEnginePage;

class WebEditCommands final : public EditCommands {
public:
    explicit WebEditCommands(QWebEnginePage *page);
    void paste() override;

private:
    QPointer<QWebEnginePage> m_page;
};
