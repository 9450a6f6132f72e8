#pragma once
// Finnish for what the engine would show in English: the texts of its page
// actions (the standard page, link, edit and media menus) and the question
// before a page with a leave-page handler is left.
#include <QString>
#include <QWebEnginePage>

namespace EngineTexts {
// The Finnish text of an engine action; "" for NoWebAction.
QString actionText(QWebEnginePage::WebAction action);
// Gives every action of the page its Finnish text.
void applyFinnish(QWebEnginePage *page);

// The engine asks the leave-page question through javaScriptConfirm with
// this text of its own (not the page's); true when `message` is it.
bool isLeavePageQuestion(const QString &message);
// The question the user is asked instead.
QString leavePageQuestion();
}
