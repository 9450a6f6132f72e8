#include "seller/templates/templateform.h"
#include "seller/templates/listingtemplate.h"
#include "seller/pageaccess.h"
#include "core/waitfor.h"

namespace {
QString s(const char *text)
{
    return QString::fromLatin1(text);
}

struct BoxField {
    const char *id;
    bool TListingTemplate::*flag;
};
const BoxField kBoxes[] = {
    {"payment_methods1", &TListingTemplate::paymentMethod1},
    {"payment_methods2", &TListingTemplate::paymentMethod2},
    {"payment_methods3", &TListingTemplate::paymentMethod3},
    {"delivery_methods1", &TListingTemplate::deliveryMethod1},
    {"delivery_methods2", &TListingTemplate::deliveryMethod2},
    {"identification_required", &TListingTemplate::identificationRequired},
    {"republish", &TListingTemplate::republish},
    {"allow_offers", &TListingTemplate::allowOffers},
    {"marginal_tax", &TListingTemplate::marginalTax},
};

void checkSellstyle(PageAccess &page, const QString &sellstyle)
{
    if (sellstyle == u"1")
        page.set_checked(s("sellstyle1"), true);
    else if (sellstyle == u"2" || sellstyle == u"3")
        page.set_checked(s("sellstyle3"), true);
}

// Opening and closing the delivery and payment dialogs lets the form show
// the choices made in them.
void cycleDialogs(PageAccess &page)
{
    for (const char *id : {"delivery_placeholder", "close-delivery-modal", "payment_placeholder",
                           "close-payment-modal"})
        page.click_element(s(id));
}

void readTitleGroup(PageAccess &page, TListingTemplate &t, bool scriptsOn)
{
    t.title = page.get_field_value(s("title"));
    if (scriptsOn) {
        page.editorToField();
        waitMs(0);
    }
    t.description = page.get_field_value(s("description"));
    for (int n = 1; n <= 5; ++n)
        if (page.is_checked(s("classification") + QString::number(n)))
            t.classification = QString::number(n);
    t.zipcode = page.get_field_value(s("zipcode"));
    t.foreign = page.is_checked(s("foreign"));
    t.mainCategory = page.get_field_value(s("mainCategoryId"));
    t.subCategory = page.get_field_value(s("sectionCategoryId"));
    t.category = page.get_field_value(s("subCategoryId"));
}

void readPriceGroup(PageAccess &page, TListingTemplate &t)
{
    t.sellstyle = page.get_checked_radio_value(s("sellstyle"));
    if (page.element_exists(s("quantity")))
        t.quantity = page.get_field_value(s("quantity"));
    t.startprice = page.get_field_value(s("startprice"));
    t.price = page.get_field_value(s("price"));
    t.increase = page.get_field_value(s("increase"));
    t.allowOffers = page.is_checked(s("allow_offers"));
    if (page.element_exists(s("vat")))
        t.vat = page.get_field_value(s("vat"));
    if (page.element_exists(s("marginal_tax")))
        t.marginalTax = page.is_checked(s("marginal_tax"));
    t.deliveryPrice = page.get_field_value(s("delivery_price"));
    t.deliveryTerms = page.get_field_value(s("delivery_terms"));
    t.paymentTerms = page.get_field_value(s("payment_terms"));
    for (const BoxField &b : kBoxes) {
        if (b.flag != &TListingTemplate::allowOffers && b.flag != &TListingTemplate::marginalTax)
            t.*(b.flag) = page.is_checked(s(b.id));
    }
    t.minimumFeedback = page.get_field_value(s("minimum_feedback"));
}

void fillDescription(PageAccess &page, const QString &description, bool scriptsOn)
{
    if (!page.element_exists(s("description")))
        return;
    if (scriptsOn)
        page.editorSetData(description);
    page.set_field_value(s("description"), description);
}
}

namespace TemplateForm {

void read(PageAccess &page, TListingTemplate &last, bool scriptsOn)
{
    if (page.element_exists(s("title")))
        readTitleGroup(page, last, scriptsOn);
    if (page.element_exists(s("sellstyle")))
        readPriceGroup(page, last);
}

void fill(PageAccess &page, const TListingTemplate &t, bool scriptsOn)
{
    checkSellstyle(page, t.sellstyle);
    if (!t.quantity.isEmpty())
        page.set_field_value(s("quantity"), t.quantity);
    page.set_field_value(s("title"), t.title);
    fillDescription(page, t.description, scriptsOn);
    page.set_field_value(s("zipcode"), t.zipcode);
    page.set_checked(s("foreign"), t.foreign);
    page.set_field_value(s("minimum_feedback"), t.minimumFeedback);
    const bool required = page.is_checked(s("feedback_required"));
    if (t.minimumFeedback.isEmpty() == required)
        page.click_element(s("feedback_required"));
    page.set_field_value(s("startprice"), t.startprice);
    page.set_field_value(s("price"), t.price);
    page.set_field_value(s("increase"), t.increase);
    page.set_field_value(s("delivery_price"), t.deliveryPrice);
    page.set_field_value(s("delivery_terms"), t.deliveryTerms);
    page.set_field_value(s("payment_terms"), t.paymentTerms);
    for (const BoxField &b : kBoxes)
        page.set_checked(s(b.id), t.*(b.flag));
    if (!t.vat.isEmpty())
        page.set_field_value(s("vat"), t.vat);
    if (!t.classification.isEmpty())
        page.set_checked(s("classification") + t.classification, true);
    cycleDialogs(page);
}

void clear(PageAccess &page, const QString &sellstyle, bool scriptsOn)
{
    checkSellstyle(page, sellstyle);
    page.set_field_value(s("title"), QString());
    page.set_field_value(s("quantity"), s("1"));
    for (const char *name : {"subCategoryId", "mainCategoryId", "sectionCategoryId"})
        page.set_field_value(s(name), QString());
    fillDescription(page, QString(), scriptsOn);
    page.set_field_value(s("zipcode"), QString());
    page.set_checked(s("foreign"), false);
    page.set_field_value(s("minimum_feedback"), QString());
    if (page.is_checked(s("feedback_required")))
        page.click_element(s("feedback_required"));
    for (const char *name : {"startprice", "price", "increase", "delivery_price", "delivery_terms", "payment_terms"})
        page.set_field_value(s(name), QString());
    for (const BoxField &b : kBoxes)
        if (b.flag != &TListingTemplate::paymentMethod3)
            page.set_checked(s(b.id), false);
    page.set_field_value(s("vat"), s("24"));
    for (int n = 1; n <= 5; ++n)
        page.set_checked(s("classification") + QString::number(n), false);
    cycleDialogs(page);
}
}
