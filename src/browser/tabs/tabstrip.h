#pragma once
// The owner-drawn tab strip of `PageControl1`: every shown tab is filled sky
// blue, its caption drawn 6 px from the left and 3 px from the top, in Arial,
// bold for the active tab. A middle-button press anywhere on the strip asks
// to close the active tab.
#include <QTabBar>

class TabStrip final : public QTabBar {
    Q_OBJECT
public:
    explicit TabStrip(QWidget *parent = nullptr);

    // clSkyBlue, stored as the Windows colour number 15780518 ($00BBGGRR).
    static QColor tabColour();
    static QColor fromColorRef(quint32 bgr);

signals:
    void middleClicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    QSize tabSizeHint(int index) const override;
    QSize minimumTabSizeHint(int index) const override;

private:
    QFont captionFont(bool active) const;
};
