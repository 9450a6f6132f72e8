#pragma once
// The row under the toolbar that holds the features' own controls (the
// favourite button, the e-mail reminder, the closing-time panel, the next
// listing button, the watch-list alert). It wraps them onto further lines
// on a narrow window, so the address box above keeps the toolbar's width,
// and it shows only while one of them is shown.
#include <QFrame>

class FlowLayout;

class FeatureRow final : public QFrame {
    Q_OBJECT
public:
    explicit FeatureRow(QWidget *parent = nullptr);

    // Moves the control into the row, after those already there.
    void addFeature(QWidget *control);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void followControls();

    FlowLayout *m_flow;
};
