// DOMContentLoaded of the top document: tells the program which frames the
// page holds, so early processing can start before the page has loaded.
(function () {
    var frames = document.getElementsByTagName('iframe');
    var sources = [];
    for (var i = 0; i < frames.length; ++i)
        sources.push(String(frames[i].src || ''));
    window.__vsBridgeCall('domReady', [String(location.href), sources]);
})();
