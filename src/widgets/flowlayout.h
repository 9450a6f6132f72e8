#pragma once
// A layout that places its items left to right at their preferred sizes and
// starts a new line when the next one would pass the right edge, so a narrow
// window wraps its controls instead of squeezing or cutting them. An item
// wider than the whole line gets the line's width.
#include <QLayout>
#include <QList>

class FlowLayout final : public QLayout {
public:
    explicit FlowLayout(QWidget *parent, int spacing = 4);
    ~FlowLayout() override;

    void addItem(QLayoutItem *item) override;
    int count() const override;
    QLayoutItem *itemAt(int index) const override;
    QLayoutItem *takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect &rect) override;

private:
    // Lays the items out in `rect` (only measures when `apply` is false);
    // returns the height used.
    int arrange(const QRect &rect, bool apply) const;

    QList<QLayoutItem *> m_items;
    int m_gap;
};
