// Listing cards for the seller filter, in the isolated script world. read()
// walks the page's div elements from the last to the first and returns the
// inner HTML of every possible card (the caller applies the card rule and
// computes keys); hide() hides cards of that read by position and counts
// the listings that were not hidden yet. A read is identified by a token so a hide
// never reaches the cards of a newer document or read. The helpers sit under
// a symbol and the document is read through the prototypes, so element ids
// and names of the page cannot shadow them.
(function () {
    var key = Symbol.for('vsselain.sellerfilter');
    if (Object.prototype.hasOwnProperty.call(window, key))
        return;
    var byTag = Document.prototype.getElementsByTagName;
    var innerHtml = Object.getOwnPropertyDescriptor(Element.prototype, 'innerHTML').get;
    var styleOf = Object.getOwnPropertyDescriptor(HTMLElement.prototype, 'style').get;
    var parentOf = Object.getOwnPropertyDescriptor(Node.prototype, 'parentElement').get;
    var last = {token: 0, cards: []};
    function insideHidden(element) {
        for (var p = parentOf.call(element); p; p = parentOf.call(p)) {
            var style = null;
            try {
                style = styleOf.call(p);   // not every ancestor is an HTML element
            } catch (e) {
            }
            if (style && style.display === 'none')
                return true;
        }
        return false;
    }
    window[key] = {
        read: function () {
            var divs = byTag.call(document, 'div');
            var cards = [], out = [];
            for (var i = divs.length - 1; i >= 0; --i) {
                var html = innerHtml.call(divs[i]);
                var lower = html.toLowerCase();
                if (lower.indexOf('grid-element-title') < 0 || lower.indexOf('grid-element-container') >= 0)
                    continue;
                cards.push(divs[i]);
                out.push([html, styleOf.call(divs[i]).display === 'none']);
            }
            last = {token: last.token + 1, cards: cards};
            return {t: last.token, n: divs.length, c: out};
        },
        // One listing may be marked up as several nested card elements: the
        // count is of listings, so an element hidden inside another hidden
        // element (one of this call's or one hidden before) is not counted.
        hide: function (token, positions) {
            if (token !== last.token)
                return -1;
            var fresh = [];
            for (var i = 0; i < positions.length; ++i) {
                var card = last.cards[positions[i]];
                if (!card)
                    continue;
                var style = styleOf.call(card);
                if (style.display !== 'none') {
                    style.display = 'none';
                    fresh.push(card);
                }
            }
            var hidden = 0;
            for (var j = 0; j < fresh.length; ++j) {
                if (!insideHidden(fresh[j]))
                    ++hidden;
            }
            return hidden;
        }
    };
})();
