#pragma once
// `hakulomake`: the program's search form, a panel over the main window,
// hidden until it is opened (menu "Haku", or the marketplace's own
// advanced-search link). "HAE" opens the search in the active tab; opened on
// a search result page, the form is filled back from its address. A click
// of the mouse outside the panel hides it.
#include "browser/features/searchformfeature.h"
#include "buyer/searchform/searchcriteria.h"
#include "buyer/searchform/searchform.h"
#include <QFrame>
#include <array>

class CategoryTree;
class Prompts;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QuickSearch;
class RadioGroup;
class SearchFormHost;
class UrlScheme;

class SearchFormPanel final : public QFrame, public SearchFormFeature {
    Q_OBJECT
public:
    // `folder` holds the category catalogue file "osastolista".
    SearchFormPanel(SearchFormHost &host, const UrlScheme &urls, const QuickSearch &quick, Prompts &prompts,
                    const QString &folder, QWidget *parent);

    // Builds the tree on first use, shows the panel centred over its parent
    // and, on a search result address, fills the form from it.
    void HakuClick() override;
    void tee_hakuClick();
    void lue_osoitteesta(const QString &address);
    void aseta(const QString &number);
    void tyhjenna_lomakeClick();
    void XiButton1Click();
    void XiButton2Click();
    void XiButton6Click();

    // The mouse rule of the main window: a left button pressed on `target`
    // at `globalPos` hides the shown panel unless the point is strictly
    // inside it. Only presses in the panel's own window count; the panel's
    // own pop-ups (a drop-down list) are part of it.
    void closeOnOutsideClick(QObject *target, const QPointF &globalPos);

    SearchCriteria criteria() const;
    void setCriteria(const SearchCriteria &criteria);   // all but the categories
    CategoryTree *tree() const { return m_tree; }

private:
    void build();
    QWidget *buildChoices();
    QWidget *buildFields();
    QWidget *buildTreeColumn();
    QWidget *buildQuickFields();
    void luo_puu();
    void showCentred();

    SearchFormHost &m_host;
    const QuickSearch &m_quick;
    Prompts &m_prompts;
    QString m_folder;
    SearchForm m_form;
    bool m_treeBuilt = false;

    QLineEdit *m_words = nullptr;
    RadioGroup *m_wordsfrom = nullptr;
    RadioGroup *m_status = nullptr;
    RadioGroup *m_sellstyle = nullptr;
    RadioGroup *m_sellerUserType = nullptr;
    std::array<QCheckBox *, 5> m_kunto{};
    QLineEdit *m_priceMin = nullptr;
    QLineEdit *m_priceMax = nullptr;
    QComboBox *m_addtime = nullptr;
    QComboBox *m_closingtime = nullptr;
    QLineEdit *m_area = nullptr;
    QLineEdit *m_seller = nullptr;
    QLineEdit *m_bidder = nullptr;
    CategoryTree *m_tree = nullptr;
    QPushButton *m_teeHaku = nullptr;
    QLineEdit *m_hakuKohde = nullptr;
    QLineEdit *m_hakuKayttaja = nullptr;
};
