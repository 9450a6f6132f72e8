#pragma once
// The owner-drawn tab strip of `PageControl1`: every shown tab is filled sky
// blue, its caption drawn 6 px from the left and 3 px from the top, in Arial,
// bold for the active tab. Every tab but the first has a close button, a
// middle-button press asks to close the tab under the mouse, a "+"
// button after the last tab asks for a new one, and a tab other than the
// first can be dragged to a new place (TabDrag).
#include <QTabBar>

class QToolButton;
class TabDrag;

class TabStrip final : public QTabBar {
    Q_OBJECT
public:
    explicit TabStrip(QWidget *parent = nullptr);

    // clSkyBlue, stored as the Windows colour number 15780518 ($00BBGGRR).
    static QColor tabColour();
    static QColor fromColorRef(quint32 bgr);

    QToolButton *newTabButton() const { return m_plus; }
    QToolButton *closeButton(int index) const;
    TabDrag *drag() const { return m_drag; }

signals:
    // -1: pressed beside the tabs.
    void middleClicked(int index);
    void closeRequested(int index);
    void newTabRequested();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;
    QSize sizeHint() const override;
    void tabInserted(int index) override;
    void tabLayoutChange() override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QFont captionFont(bool active) const;
    void placeNewTabButton();

    QToolButton *m_plus;
    TabDrag *m_drag;
};
