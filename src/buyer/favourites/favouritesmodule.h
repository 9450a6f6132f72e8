#pragma once
// Favourite sellers and searches as a feature module: the toolbar button
// `XiButton14`, the "Toiminnot" items for a seller by name, the menu bar item
// "Suosikki myyjät/haut" with its command word "suosikkihaut", and the
// preview panel `esikatselu` that shows the overview page (the result-page
// tools use it too).
#include "browser/features/modulecontext.h"
#include <QObject>

class FavouritesTool;
class PreviewPanel;
class QToolButton;
class QuickSearch;
class BrowserProfile;

class FavouritesModule final : public QObject {
public:
    FavouritesModule(const ModuleContext &context, BrowserProfile *profile, QuickSearch &quick);

    PreviewPanel *preview() const { return m_preview; }
    FavouritesTool *tool() const { return m_tool; }

private:
    void plugIn(FeatureRegistry &registry);

    PreviewPanel *m_preview;
    QToolButton *m_button;   // XiButton14
    FavouritesTool *m_tool = nullptr;
};
