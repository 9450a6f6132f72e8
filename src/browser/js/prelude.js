// The helpers every page-helper script of the program shares, in the
// isolated script world (same DOM as the page, none of the page's script
// objects). The page's markup must not be able to switch them off: they sit
// under a symbol of this world (element ids become window properties, never
// symbol ones), and the document and the elements are read through their
// prototypes, since <img name="body"> or <form name="getElementById"> shadow
// the document's own properties and <input name="id"> hides form.id.
(function () {
    var key = Symbol.for('vsselain.prelude');
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
    var helpers = {
        // A property of the document.
        doc: function (name) {
            var d = Object.getOwnPropertyDescriptor(docProto, name);
            return d && d.get ? d.get.call(document) : document[name];
        },
        // A method of the document, with the arguments after the name.
        docCall: function (name) {
            var f = typeof docProto[name] === 'function' ? docProto[name] : document[name];
            return f.apply(document, Array.prototype.slice.call(arguments, 1));
        },
        get: get,
        set: function (el, name, value) {
            var d = describe(el, name);
            if (d && d.set)
                d.set.call(el, value);
            else
                el[name] = value;
        },
        // A method of the element, with the arguments after the name; throws
        // when the element has no such method.
        invoke: function (el, name) {
            return get(el, name).apply(el, Array.prototype.slice.call(arguments, 2));
        },
        // Installs a script's operations under its own symbol: `call(name,
        // args)` answers [result], or [null] when the operation fails or
        // `ready` says the document is not one to work on.
        expose: function (name, ops, ready) {
            Object.defineProperty(window, Symbol.for(name), {value: {
                call: function (op, args) {
                    if (ready && !ready())
                        return [null];
                    try {
                        return [ops[op].apply(null, args)];
                    } catch (e) {
                        return [null];
                    }
                }
            }});
        }
    };
    Object.defineProperty(window, key, {value: helpers});
})();
