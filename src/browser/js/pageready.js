// DOMContentLoaded of the top document: tells the program which frames the
// page holds, so early processing can start before the page has loaded.
(function () {
    // Through the prototype: a page's <img name="getElementsByTagName"> would
    // shadow the document's own method.
    var frames = Document.prototype.getElementsByTagName.call(document, 'iframe');
    var sources = [];
    for (var i = 0; i < frames.length; ++i)
        sources.push(String(frames[i].src || ''));
    var send = window[Symbol.for('vsselain.bridge')];
    if (send)
        send('domReady', [String(location.href), sources]);
})();
