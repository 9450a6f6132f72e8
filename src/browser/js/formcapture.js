// Hands the urlencoded body of every POST form submission to the program
// (the engine does not show POST bodies to it). The formdata event fires while
// the form builds its entry list, before the navigation starts.
(function () {
    var key = Symbol.for('vsselain.formcapture');
    if (Object.prototype.hasOwnProperty.call(window, key))
        return;
    Object.defineProperty(window, key, {value: true});
    var send = window[Symbol.for('vsselain.bridge')];
    // A form's controls shadow its own properties (an input named "action"
    // hides form.action): read them through the prototype's getters.
    var formProto = HTMLFormElement.prototype;
    function formProperty(form, name) {
        var d = Object.getOwnPropertyDescriptor(formProto, name);
        return String(d && d.get ? d.get.call(form) : form[name]);
    }
    // The engine may build a submission's entry list more than once (the
    // password manager reads it too): report one body per task.
    var reported = null;
    window.addEventListener('formdata', function (event) {
        var form = event.target;
        if (!(form instanceof HTMLFormElement) || formProperty(form, 'method').toLowerCase() !== 'post')
            return;
        var enctype = formProperty(form, 'enctype').toLowerCase();
        if (enctype && enctype !== 'application/x-www-form-urlencoded')
            return;
        var body = new URLSearchParams();
        event.formData.forEach(function (value, key) {
            body.append(key, typeof value === 'string' ? value : (value && value.name) || '');
        });
        var message = [formProperty(form, 'action') || String(location.href), body.toString()];
        if (reported === message.join('\n'))
            return;
        reported = message.join('\n');
        setTimeout(function () { reported = null; }, 0);
        if (send)
            send('formSubmitted', message);
    }, true);
})();
