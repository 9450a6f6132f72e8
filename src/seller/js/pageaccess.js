// Form access for the listing tools, in the isolated script world. Fields are
// found by name (the first INPUT, SELECT or TEXTAREA) or by id. The
// shadow-proof helpers come from the browser's prelude.js, which runs first,
// so the page's markup (an element named "value" or "getElementById") cannot
// shadow them.
(function () {
    var key = 'vsselain.pageaccess';
    if (Object.prototype.hasOwnProperty.call(window, Symbol.for(key)))
        return;
    var P = window[Symbol.for('vsselain.prelude')];
    var docCall = P.docCall, get = P.get, set = P.set, invoke = P.invoke;
    function tag(el) {
        return String(get(el, 'tagName') || '');
    }
    function byName(name) {
        return docCall('getElementsByName', name);
    }
    function byId(id) {
        return docCall('getElementById', id);
    }
    function field(name) {
        var all = byName(name);
        for (var i = 0; i < all.length; ++i)
            if (/^(INPUT|SELECT|TEXTAREA)$/.test(tag(all[i])))
                return all[i];
        return null;
    }
    function isBox(el) {
        var type = String(get(el, 'type') || '').toLowerCase();
        return type === 'checkbox' || type === 'radio';
    }
    // A styled check box: the id may name a wrapper; the box follows it.
    function box(id) {
        var el = byId(id);
        if (el && !isBox(el))
            el = get(el, 'nextElementSibling');
        return el && isBox(el) ? el : null;
    }
    // A paste has been inserted once the focused field reports its input.
    var pasted = {watching: false, done: false};
    function onInput() {
        pasted.done = true;
    }
    var ops = {
        watchPaste: function () {
            pasted.done = false;
            if (!pasted.watching) {
                EventTarget.prototype.addEventListener.call(document, 'input', onInput, true);
                pasted.watching = true;
            }
            return true;
        },
        pasteDone: function () {
            return pasted.done;
        },
        value: function (name) {
            var el = field(name);
            return el ? String(get(el, 'value')) : '';
        },
        setValue: function (name, text) {
            var el = field(name);
            if (!el)
                return false;
            set(el, 'value', text);
            if (tag(el) === 'INPUT' && String(name).toLowerCase().indexOf('open_daysmuu') === 0)
                invoke(el, 'click');
            return true;
        },
        checkedRadio: function (name) {
            var all = byName(name);
            for (var i = 0; i < all.length; ++i)
                if (tag(all[i]) === 'INPUT' && get(all[i], 'checked'))
                    return String(get(all[i], 'value'));
            return '';
        },
        exists: function (id) {
            return !!byId(id);
        },
        isChecked: function (id) {
            var el = box(id);
            return el ? !!get(el, 'checked') : false;
        },
        setChecked: function (id, flag) {
            var el = box(id);
            if (!el)
                return false;
            set(el, 'checked', !!flag);
            return true;
        },
        click: function (id) {
            var el = byId(id);
            if (el && id === 'feedback_required')
                el = get(el, 'nextElementSibling');
            if (!el)
                return false;
            invoke(el, 'click');
            return true;
        },
        focus: function (id) {
            var el = byId(id);
            if (!el)
                return false;
            invoke(el, 'focus');
            return true;
        }
    };
    P.expose(key, ops, function () {
        return document instanceof HTMLDocument;
    });
})();
