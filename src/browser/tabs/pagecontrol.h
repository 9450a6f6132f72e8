#pragma once
// The tab control `PageControl1`: one page per tab, never removed. Closed
// tabs are hidden in the strip. A tab dragged to a new place takes its page
// along: an index here is a place in the strip, while a browser's own page
// index (its creation order) stays the same for the whole run. The first
// tab stays first.
#include <QTabWidget>

class TabStrip;

class PageControl final : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);
    TabStrip *strip() const { return m_strip; }

    // Moves the tab at `from` to `to` with its page. The active page stays
    // the same, so no tab change is reported for it (currentChanged stays
    // silent even where the active tab's place changes); the strip reports
    // the move with tabMoved.
    void moveTab(int from, int to);

private:
    TabStrip *m_strip;
};
