#pragma once
// The result-page tools as a feature module: the button "-> Seuraava kohde"
// (`seur`) with its item link list, the command word "pikkukuva",
// and the mouse rule that opens the picture preview instead of the listing.
#include "browser/features/modulecontext.h"
#include <QList>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <memory>

class ApiSession;
class Http;
class PreviewPanel;
class QEvent;
class QToolButton;
class ResultPageTools;

class ResultPageModule final : public QObject {
public:
    ResultPageModule(const ModuleContext &context, Http &http, ApiSession &api, PreviewPanel *preview);

    ResultPageTools *tools() const { return m_tools; }

private:
    bool pikkukuvaPress(QObject *target, QEvent *event);
    void replay(const QList<std::pair<QPointer<QObject>, std::shared_ptr<QEvent>>> &held);

    TabManager &m_tabs;
    QToolButton *m_next;   // seur
    ResultPageTools *m_tools = nullptr;
    bool m_pictureHitTest = false;   // a press is being tested for a listing picture
    QList<std::pair<QPointer<QObject>, std::shared_ptr<QEvent>>> m_heldMouse;   // meanwhile
    QSet<const QEvent *> m_replayedMouse;                                     // held events handed on
};
