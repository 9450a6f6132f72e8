#include "webeditcommands.h"
#include <QWebEnginePage>

WebEditCommands::WebEditCommands(QWebEnginePage *page) : m_page(page) {}

void WebEditCommands::paste()
{
    if (m_page)
        m_page->triggerAction(QWebEnginePage::Paste);
}
