#pragma once
// The two snippets a seller can put into a listing description: a link to
// the seller's other listings (optionally of the same category) and a
// visitor-counter picture, and the editor menu's commands that insert them.
#include <QColor>
#include <QString>

class Document;
struct Settings;

namespace Snippets {
// `<P>Muut kohteeni[ osastossa] näet <a href="...">...</a></P>`; with a
// category value the link goes to the seller's listings of that category.
QString link(const QString &webBase, const QString &sellerNumber, const QString &categoryValue);
// `<P><a href="product page" target="_blank"><img src="counter?nro=..&tyyppi=..&vari=RRGGBB"></a></P>`
QString counter(const QString &productPage, const QString &counterAddress, const QString &counterId, int type,
                const QColor &colour);
}

// What the snippet commands need of the main window.
class SnippetHost {
public:
    virtual ~SnippetHost() = default;
    // The active tab's document; null without one.
    virtual Document *activeDocument() = 0;
    // The user name captured at sign-in; "" when nobody is signed in.
    virtual QString signedInUser() const = 0;
    // The marketplace's user id of a user name; "" when not found.
    virtual QString lookUpUserId(const QString &userName) = 0;
    // Into the description of the active tab (at the caret after the editor menu).
    virtual void insert_into_description(const QString &snippet) = 0;
    // A random integer in 0 .. bound - 1.
    virtual int random(int bound) = 0;
};

class SnippetCommands final {
public:
    SnippetCommands(const Settings &settings, QString webBase, QString productPage, SnippetHost &host);

    // "Lisää muut kohteet linkki" (sameCategory false) and "Muut tässä
    // osastossa linkki" (true).
    void muutkohteet1Click(bool sameCategory);
    // "Lisää kävijälaskuri".
    void lisaalaskuriClick();
    // Signing out forgets the seller number looked up for the user.
    void forgetSellerNumber() { m_cachedSellerNumber.clear(); }

private:
    QString sellerNumber(const QString &fromForm);

    const Settings &m_settings;
    QString m_webBase;
    QString m_productPage;
    SnippetHost &m_host;
    QString m_cachedSellerNumber;
};
