// Channel to the program, in the isolated script world of the top frame.
// Calls made before the channel is up wait in a queue. Sub-frames have no
// channel; their calls are dropped.
//
// The program's helpers live under symbols of this world, never under plain
// window names: element ids and names become window properties in every
// world, so a page could otherwise shadow them and switch the tools off.
// Other scripts reach the channel as window[Symbol.for('vsselain.bridge')].
(function () {
    var key = Symbol.for('vsselain.bridge');
    if (Object.prototype.hasOwnProperty.call(window, key))
        return;
    var queue = [];
    var bridge = null;
    Object.defineProperty(window, key, {
        value: function (name, args) {
            if (bridge)
                bridge[name].apply(bridge, args);
            else
                queue.push([name, args]);
        }
    });
    if (typeof qt !== 'undefined' && qt.webChannelTransport && typeof QWebChannel !== 'undefined') {
        new QWebChannel(qt.webChannelTransport, function (channel) {
            bridge = channel.objects.vsBridge;
            if (!bridge)
                return;
            for (var i = 0; i < queue.length; ++i)
                bridge[queue[i][0]].apply(bridge, queue[i][1]);
            queue = [];
        });
    }
})();
