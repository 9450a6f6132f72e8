// Undoes "Etsi ja Highlight": every highlight span is replaced by its own
// content, and neighbouring text is joined again. Answers how many went.
(function () {
    var spans = document.querySelectorAll('span[style="background-color: Lime; font-weight: bolder;"]');
    for (var i = 0; i < spans.length; i++) {
        var span = spans[i];
        var parent = span.parentNode;
        while (span.firstChild)
            parent.insertBefore(span.firstChild, span);
        parent.removeChild(span);
        parent.normalize();
    }
    return spans.length;
})()
