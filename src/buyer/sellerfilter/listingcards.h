#pragma once
// The listing cards of one page as the seller filter reads and hides them.
// DocumentCards reads them over the Document seam in one script call (in the
// isolated world) and hides them in a second; tests give a page of their own.
#include <QList>
#include <QString>

class Document;

struct CardCandidate {
    QString innerHtml;   // case unchanged
    bool hidden = false; // its style "display" is "none"
};

class CardPage {
public:
    virtual ~CardPage() = default;
    // Every div whose lower-cased inner HTML contains "grid-element-title"
    // and not "grid-element-container", from the last div of the document to
    // the first. Empty when the document cannot be read.
    virtual QList<CardCandidate> read() = 0;
    // The number of div elements seen by the last read.
    virtual int divCount() const = 0;
    // Hides candidates of the last read by position (those not hidden yet)
    // and returns how many it hid.
    virtual int hide(const QList<int> &positions) = 0;
};

class DocumentCards final : public CardPage {
public:
    explicit DocumentCards(Document &document);

    QList<CardCandidate> read() override;
    int divCount() const override { return m_divs; }
    int hide(const QList<int> &positions) override;

    static QString script();   // the resource js/sellerfilter.js

private:
    Document &m_document;
    qint64 m_token = -1;
    int m_divs = 0;
};
