// Hands the urlencoded body of every POST form submission to the program
// (the engine does not show POST bodies to it). The formdata event fires while
// the form builds its entry list, before the navigation starts.
(function () {
    if (window.__vsFormCapture)
        return;
    window.__vsFormCapture = true;
    // The engine may build a submission's entry list more than once (the
    // password manager reads it too): report one body per task.
    var reported = null;
    window.addEventListener('formdata', function (event) {
        var form = event.target;
        if (!form || String(form.method).toLowerCase() !== 'post')
            return;
        var enctype = String(form.enctype || '').toLowerCase();
        if (enctype && enctype !== 'application/x-www-form-urlencoded')
            return;
        var body = new URLSearchParams();
        event.formData.forEach(function (value, key) {
            body.append(key, typeof value === 'string' ? value : (value && value.name) || '');
        });
        var message = [String(form.action || location.href), body.toString()];
        if (reported === message.join('\n'))
            return;
        reported = message.join('\n');
        setTimeout(function () { reported = null; }, 0);
        window.__vsBridgeCall('formSubmitted', message);
    }, true);
})();
