#pragma once
// The template panel `ppohjat`: the template list `ListBox3` and the buttons
// `savedraft` "Tallenna pohja", `XiButton5` "Tyhjennä" and `poistapohja`
// "Poista". A click on a name fills the form; Delete in the list deletes.
// The panel keeps to the top right corner of its parent.
#include <QFrame>

class ListingTemplates;
class QListWidget;

class TemplatePanel final : public QFrame {
    Q_OBJECT
public:
    TemplatePanel(ListingTemplates *templates, QWidget *parent);

    QListWidget *list() const { return m_list; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void ListBox3KeyDown();
    void refresh();
    void place();

    ListingTemplates *m_templates;
    QListWidget *m_list;
};
