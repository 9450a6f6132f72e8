#pragma once
// The tab control `PageControl1`: one page per tab, never removed, so a page
// index stays valid for the whole run. Closed tabs are hidden in the strip.
#include <QTabWidget>

class TabStrip;

class PageControl final : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget *parent = nullptr);
    TabStrip *strip() const { return m_strip; }

private:
    TabStrip *m_strip;
};
