// Document operations for the program, in the isolated script world (same
// DOM as the page, none of the page's script objects). Elements are handed out
// as numbers valid for this document only (a token tells documents apart).
// The shadow-proof helpers come from prelude.js, which runs first.
(function () {
    var key = 'vsselain.document';
    if (Object.prototype.hasOwnProperty.call(window, Symbol.for(key)))
        return;
    var P = window[Symbol.for('vsselain.prelude')];
    var doc = P.doc, docCall = P.docCall, get = P.get, set = P.set, invoke = P.invoke;
    function text(el) {
        var t = get(el, 'innerText');
        return t === undefined ? get(el, 'textContent') : t;
    }
    function optional(el, name) {
        var v = get(el, name);
        return v === undefined ? '' : String(v);
    }
    var token = Math.floor(Math.random() * 1000000000) + 1;
    var elements = [];
    var handles = new WeakMap();
    var ranges = [];

    function handleOf(el) {
        var h = handles.get(el);
        if (h === undefined) {
            h = elements.length;
            elements.push(el);
            handles.set(el, h);
        }
        return h;
    }
    function element(t, h) {
        return t === token && h >= 0 && h < elements.length ? elements[h] : null;
    }
    // [handle, tagName, outerHTML, innerHTML, innerText, href, id, name, value, className]
    function snap(el, f) {
        if (!el || get(el, 'nodeType') !== 1)
            return null;
        var cls = f & 128 ? get(el, 'className') : null;
        return [handleOf(el), String(get(el, 'tagName') || ''),
            f & 1 ? get(el, 'outerHTML') : null,
            f & 2 ? get(el, 'innerHTML') : null,
            f & 4 ? text(el) : null,
            f & 8 ? optional(el, 'href') : null,
            f & 16 ? String(get(el, 'id') || '') : null,
            f & 32 ? String(invoke(el, 'getAttribute', 'name') || '') : null,
            f & 64 ? optional(el, 'value') : null,
            f & 128 ? (typeof cls === 'string' ? cls : String(invoke(el, 'getAttribute', 'class') || '')) : null];
    }
    function list(items, f) {
        var out = new Array(items.length);
        for (var i = 0; i < items.length; ++i)
            out[i] = snap(items[i], f);
        return {t: token, e: out};
    }
    function one(el, f) {
        return {t: token, e: el ? [snap(el, f)] : []};
    }
    function scroller() {
        return doc('scrollingElement') || doc('documentElement');
    }
    function skipText(node) {
        var p = node.parentNode;
        return p && /^(SCRIPT|STYLE|NOSCRIPT|TEXTAREA)$/.test(p.nodeName);
    }
    function findText(r, text) {
        if (!text || !doc('body'))
            return false;
        var walker = docCall('createTreeWalker', doc('body'), NodeFilter.SHOW_TEXT);
        var pieces = [];
        var buffer = '';
        var node;
        while ((node = walker.nextNode())) {
            if (skipText(node))
                continue;
            var from = 0;
            if (node === r.startContainer)
                from = r.startOffset;
            else if (r.comparePoint(node, node.length) < 0)
                continue;
            pieces.push({node: node, from: from, at: buffer.length});
            buffer += node.data.substring(from);
        }
        var at = buffer.toLowerCase().indexOf(text.toLowerCase());
        if (at < 0)
            return false;
        function point(pos, isEnd) {
            for (var i = pieces.length - 1; i >= 0; --i) {
                var p = pieces[i];
                if (pos > p.at || (pos === p.at && !isEnd))
                    return [p.node, p.from + pos - p.at];
            }
            return [pieces[0].node, pieces[0].from];
        }
        var s = point(at, false), e = point(at + text.length, true);
        r.setStart(s[0], s[1]);
        r.setEnd(e[0], e[1]);
        return true;
    }
    function htmlOf(fragment) {
        var div = docCall('createElement', 'div');
        div.appendChild(fragment);
        return div.innerHTML;
    }

    var ops = {
        isHtml: function () {
            var root = doc('documentElement');
            return !!root && root.nodeName === 'HTML'
                && String(doc('contentType') || 'text/html').indexOf('html') >= 0;
        },
        body: function (f) { return one(doc('body'), f); },
        documentElement: function (f) { return one(doc('documentElement'), f); },
        all: function (f) { return list(docCall('getElementsByTagName', '*'), f); },
        byTag: function (tag, f) { return list(docCall('getElementsByTagName', tag), f); },
        byName: function (name, f) { return list(docCall('getElementsByName', name), f); },
        byId: function (id, f) { return one(docCall('getElementById', id), f); },
        atPoint: function (x, y, f) { return one(docCall('elementFromPoint', x, y), f); },
        scrollTop: function () { var s = scroller(); return s ? s.scrollTop : 0; },
        setScrollTop: function (v) { var s = scroller(); if (s) s.scrollTop = v; },
        write: function (html) { docCall('write', html); },
        close: function () { docCall('close'); },
        selectionHtml: function () {
            var sel = window.getSelection();
            if (!sel || sel.rangeCount === 0 || sel.isCollapsed)
                return '';
            var html = '';
            for (var i = 0; i < sel.rangeCount; ++i)
                html += htmlOf(sel.getRangeAt(i).cloneContents());
            return html;
        },
        textRange: function () {
            var body = doc('body');
            if (!body)
                return -1;
            var r = docCall('createRange');
            r.selectNodeContents(body);
            ranges.push(r);
            return ranges.length - 1;
        },
        findText: function (t, h, text) {
            return t === token && ranges[h] ? findText(ranges[h], text) : false;
        },
        htmlText: function (t, h) {
            return t === token && ranges[h] ? htmlOf(ranges[h].cloneContents()) : '';
        },
        pasteHTML: function (t, h, html) {
            var r = t === token ? ranges[h] : null;
            if (!r)
                return false;
            var fragment = r.createContextualFragment(html);
            var last = fragment.lastChild;
            r.deleteContents();
            r.insertNode(fragment);
            if (last) {
                r.setStartAfter(last);
                r.collapse(true);
            } else {
                r.collapse(false);
            }
            return true;
        },
        scrollIntoView: function (t, h, top) {
            var r = t === token ? ranges[h] : null;
            if (!r)
                return false;
            var node = r.startContainer;
            if (node.nodeType !== 1)
                node = node.parentNode;
            else if (r.startOffset > 0 && node.childNodes[r.startOffset - 1])
                node = node.childNodes[r.startOffset - 1];
            if (node && node.nodeType !== 1)
                node = node.parentNode;
            if (node && get(node, 'scrollIntoView'))
                invoke(node, 'scrollIntoView', !!top);
            return true;
        },
        setStyleAll: function (t, hs, prop, value) {
            for (var i = 0; i < hs.length; ++i) {
                var el = element(t, hs[i]);
                if (el)
                    get(el, 'style')[prop] = value;
            }
            return true;
        },
        el: function (t, h, op, a, b) {
            var el = element(t, h);
            if (!el)
                return null;
            switch (op) {
            case 0: return get(el, 'innerHTML');
            case 1: set(el, 'innerHTML', a); return true;
            case 2: return get(el, 'outerHTML');
            case 3: set(el, 'outerHTML', a); return true;
            case 4: return text(el);
            case 5: var v = invoke(el, 'getAttribute', a); return v === null ? '' : v;
            case 6: invoke(el, 'setAttribute', a, b); return true;
            case 7: return one(get(el, 'parentElement'), 0);
            case 8: return one(get(el, 'nextElementSibling'), 0);
            case 9: var st = get(el, 'style'); return st ? String(st[a] || '') : '';
            case 10: get(el, 'style')[a] = b; return true;
            case 11: invoke(el, 'click'); return true;
            case 12: invoke(el, 'focus'); return true;
            case 13: return optional(el, 'value');
            case 14: set(el, 'value', a); return true;
            case 15: return !!get(el, 'checked');
            case 16: set(el, 'checked', !!a); return true;
            case 17: return optional(el, 'href');
            case 18: var i = get(el, 'selectedIndex'); return i === undefined ? -1 : i;
            case 19: set(el, 'selectedIndex', a); return true;
            }
            return null;
        }
    };
    P.expose(key, ops);
})();
