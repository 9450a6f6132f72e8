#pragma once
// The watch-list alert `XiPanel3`: a small panel in the tool bar that names
// the closing time of a watched listing. It stays until it is clicked or a
// later alert replaces its text.
#include <QLabel>

class WatchListAlert final : public QLabel {
    Q_OBJECT
public:
    explicit WatchListAlert(QWidget *parent = nullptr);

    // Shows the text; true when the alert is new (it was hidden or said
    // something else).
    bool showAlert(const QString &text);
    void XiPanel3Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
};
