#pragma once
// `esikatselu`: the preview panel over the main window, hidden until shown.
// The browser `WB_preview` fills it; the strip `XiPanel10` below holds the
// labels `ek1` (seller), `ek3` (delivery), `ek4` (category) and `ek5`
// (bidder). The favourites overview shows it with the strip hidden. A click
// of the mouse outside the panel closes it.
#include <QFrame>
#include <QUrl>

class BrowserProfile;
class Prompts;
class QLabel;
class QWebEngineView;
class VasaroPage;
struct NavigationArgs;

class PreviewPanel final : public QFrame {
    Q_OBJECT
public:
    PreviewPanel(BrowserProfile *profile, Prompts *prompts, QWidget *parent);

    VasaroPage *WB_preview() const { return m_page; }
    QWebEngineView *view() const { return m_view; }
    QWidget *XiPanel10() const { return m_strip; }

    // Centres the panel on its parent, shows or hides the strip, shows it.
    void showCentred(bool withStrip);
    // Shows a generated page. Its relative links resolve against `base`, so
    // a click on one still reaches the navigation handler.
    void WBLoadHTML(const QString &html, const QUrl &base);
    // Blank page without history, panel hidden, strip shown again.
    void closePreview();
    // The mouse rule of the main window: a left button pressed on `target`
    // at `globalPos` closes the shown panel unless the point is strictly
    // inside it (presses in other windows do not count).
    void closeOnOutsideClick(QObject *target, const QPointF &globalPos);

signals:
    // A navigation of the preview browser, other than the generated page
    // itself being loaded. Set args->cancel to refuse it.
    void WB_previewBeforeNavigate2(NavigationArgs *args);

private:
    QLabel *label(const QString &name, const QString &text);

    VasaroPage *m_page;
    QWebEngineView *m_view;
    QWidget *m_strip;
    bool m_ownLoad = false;
};
