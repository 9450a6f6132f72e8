// Fetches the shown document's own bytes once more (the browser's cache
// answers when it can), for printing a document the engine shows in a
// viewer of its own. The answer waits in window.__vsFetched:
// {done, data (base64), error}. Documents over 64 MiB are refused.
(function () {
    var LARGEST = 64 * 1024 * 1024;
    var CHUNK = 0x8000;
    var state = { done: false, data: '', error: '' };
    window.__vsFetched = state;
    fetch(location.href, { cache: 'force-cache', credentials: 'include' })
        .then(function (answer) {
            if (!answer.ok)
                throw new Error('HTTP ' + answer.status);
            return answer.arrayBuffer();
        })
        .then(function (buffer) {
            if (buffer.byteLength > LARGEST)
                throw new Error('too large');
            var bytes = new Uint8Array(buffer);
            var parts = [];
            for (var i = 0; i < bytes.length; i += CHUNK)
                parts.push(String.fromCharCode.apply(null, bytes.subarray(i, i + CHUNK)));
            state.data = btoa(parts.join(''));
            state.done = true;
        })
        .catch(function (e) {
            state.error = String(e);
            state.done = true;
        });
    return true;
})()
