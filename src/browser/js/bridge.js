// Channel to the program, in the isolated script world of the top frame.
// Calls made before the channel is up wait in a queue. Sub-frames have no
// channel; their calls are dropped.
(function () {
    if (window.__vsBridgeCall)
        return;
    var queue = [];
    var bridge = null;
    window.__vsBridgeCall = function (name, args) {
        if (bridge)
            bridge[name].apply(bridge, args);
        else
            queue.push([name, args]);
    };
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
