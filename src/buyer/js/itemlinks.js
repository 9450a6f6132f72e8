// The addresses of the document's links collection (a and area elements
// with an address), in document order. Read through the prototypes, so
// element ids and names of the page cannot shadow them.
(function () {
    var linksOf = Object.getOwnPropertyDescriptor(Document.prototype, 'links').get;
    var links = linksOf.call(document);
    var out = [];
    for (var i = 0; i < links.length; ++i) {
        var href = links[i].href;
        out.push(typeof href === 'string' ? href : '');
    }
    return out;
})()
