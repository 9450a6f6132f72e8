// Form access for the listing tools, in the isolated script world. Fields are
// found by name (the first INPUT, SELECT or TEXTAREA) or by id. The helpers
// sit under a symbol of this world and read the document and the elements
// through their prototypes, so the page's markup (an element named "value" or
// "getElementById") cannot shadow them.
(function () {
    var key = Symbol.for('vsselain.pageaccess');
    if (Object.prototype.hasOwnProperty.call(window, key))
        return;
    var docProto = Document.prototype;
    function describe(el, name) {
        for (var p = Object.getPrototypeOf(el); p; p = Object.getPrototypeOf(p)) {
            var d = Object.getOwnPropertyDescriptor(p, name);
            if (d)
                return d;
        }
        return null;
    }
    function get(el, name) {
        var d = describe(el, name);
        return !d ? undefined : d.get ? d.get.call(el) : d.value;
    }
    function set(el, name, value) {
        var d = describe(el, name);
        if (d && d.set)
            d.set.call(el, value);
    }
    function invoke(el, name) {
        var f = get(el, name);
        return typeof f === 'function' ? f.apply(el, Array.prototype.slice.call(arguments, 2)) : undefined;
    }
    function tag(el) {
        return String(get(el, 'tagName') || '');
    }
    function byName(name) {
        return docProto.getElementsByName.call(document, name);
    }
    function byId(id) {
        return docProto.getElementById.call(document, id);
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
    Object.defineProperty(window, key, {value: {
        call: function (name, args) {
            if (!(document instanceof HTMLDocument))
                return [null];
            try {
                return [ops[name].apply(null, args)];
            } catch (e) {
                return [null];
            }
        }
    }});
})();
