// SPDX-License-Identifier: GPL-3.0-or-later
// Corvane's bridge inside KWin. On Wayland no client may watch the pointer or move another
// client's window, so this script does both for Corvane: it reports the outputs, the windows
// and each interactive move over D-Bus, and carries out the commands Corvane sends back
// (frames, its own overlays kept above, global shortcuts).
//
// Corvane prepends the lines that set `corvaneService`, the bus name to report to, and
// `corvanePid`, its process id. Every
// message is one JSON text: callDBus passes at most nine arguments and drops the rest.
// Works with both generations of KWin's scripting API, chosen by what the running KWin offers.

var bridgePath = "/app/corvane/KWinBridge";
var bridgeInterface = "app.corvane.KWinBridge";

var api = (function () {
    var six = typeof workspace.windowList === "function";
    function rect(r) {
        return [r.x, r.y, r.width, r.height];
    }
    return {
        generation: six ? 6 : 5,
        rect: rect,
        windows: function () {
            return six ? workspace.windowList() : workspace.clientList();
        },
        windowAdded: six ? workspace.windowAdded : workspace.clientAdded,
        windowRemoved: six ? workspace.windowRemoved : workspace.clientRemoved,
        windowActivated: six ? workspace.windowActivated : workspace.clientActivated,
        // Emitted as the window starts to go, before KWin gives another window the keyboard.
        closed: function (w) {
            return six ? w.closed : w.windowClosed;
        },
        moveStarted: function (w) {
            return six ? w.interactiveMoveResizeStarted : w.clientStartUserMovedResized;
        },
        moveStepped: function (w) {
            return six ? w.interactiveMoveResizeStepped : w.clientStepUserMovedResized;
        },
        moveFinished: function (w) {
            return six ? w.interactiveMoveResizeFinished : w.clientFinishUserMovedResized;
        },
        outputsChanged: six ? [workspace.screensChanged]
                            : [workspace.numberScreensChanged, workspace.screenResized],
        // Each output with its frame and its usable area (panels left out). 5.27 names
        // outputs by their index.
        outputs: function () {
            var desktop = workspace.currentDesktop;
            if (six) {
                return workspace.screens.map(function (o) {
                    return { name: o.name, frame: rect(o.geometry),
                             area: rect(workspace.clientArea(KWin.MaximizeArea, o, desktop)) };
                });
            }
            var list = [];
            for (var i = 0; i < workspace.numScreens; ++i) {
                list.push({ name: String(i),
                            frame: rect(workspace.clientArea(KWin.ScreenArea, i, desktop)),
                            area: rect(workspace.clientArea(KWin.MaximizeArea, i, desktop)) });
            }
            return list;
        },
        outputOf: function (w) {
            return six ? (w.output ? w.output.name : "") : String(w.screen);
        },
        activeWindow: function () {
            return six ? workspace.activeWindow : workspace.activeClient;
        },
        activate: function (w) {
            if (six)
                workspace.activeWindow = w;
            else
                workspace.activeClient = w;
        },
        unmaximize: function (w) {
            if (typeof w.setMaximize === "function")
                w.setMaximize(false, false);
        },
        // The virtual desktops: Plasma 6 has desktop objects with ids of their own; 5.27
        // numbers them from 1, and those numbers serve as their ids.
        desktops: function () {
            if (six) {
                return (workspace.desktops || []).map(function (d) {
                    return { id: String(d.id), name: String(d.name) };
                });
            }
            var list = [];
            for (var i = 1; i <= (workspace.desktops || 0); ++i) {
                var name = typeof workspace.desktopName === "function" ? workspace.desktopName(i)
                                                                        : "";
                list.push({ id: String(i), name: String(name) });
            }
            return list;
        },
        currentDesktop: function () {
            var d = workspace.currentDesktop;
            if (six)
                return d ? String(d.id) : "";
            return d ? String(d) : "";
        },
        // Whether the window shows on the desktop shown (unknown counts as shown).
        onCurrentDesktop: function (w) {
            if (w.onAllDesktops)
                return true;
            if (six)
                return !w.desktops || w.desktops.indexOf(workspace.currentDesktop) >= 0;
            return w.desktop === undefined || w.desktop === workspace.currentDesktop;
        },
        desktopsChanged: six ? [workspace.desktopsChanged, workspace.currentDesktopChanged]
                             : [workspace.numberDesktopsChanged, workspace.currentDesktopChanged]
    };
})();

// Windows by their id, and the order they were last activated in (front first): 5.27 gives
// scripts no stacking order.
var known = {};
var frontToBack = [];
var moving = null;
var resizing = null;
// A window whose resize just ended: KWin says so before it applies the resize's last frame, and
// an X11 window gets that frame only once it has answered KWin's sync request. Its frame changes
// count as the resize's until another move starts or Corvane places it.
var settling = null;
// The frame the last step of the current resize gave its window: the one KWin applies at the end.
var lastStep = null;
// Corvane's overlays by id, the last other window that was active, and the shortcuts
// registered so far.
var overlays = {};
var lastActive = null;
var registeredShortcuts = {};

function send(message) {
    callDBus(corvaneService, bridgePath, bridgeInterface, "report", JSON.stringify(message));
}

function describe(w) {
    return {
        id: String(w.internalId),
        pid: w.pid,
        caption: w.caption,
        resourceClass: String(w.resourceClass),
        frame: api.rect(w.frameGeometry),
        output: api.outputOf(w),
        keepAbove: !!w.keepAbove,
        minimized: !!w.minimized,
        dock: !!w.dock,
        desktop: !!w.desktopWindow,
        normal: !!w.normalWindow || !!w.dialog,
        standalone: !!w.normalWindow && !w.transient,
        minimum: frameMinimum(w),
        x11: isX11(w)
    };
}

// The smallest frame the window takes: its client's smallest size and its decorations.
function frameMinimum(w) {
    var min = w.minSize, frame = w.frameGeometry, client = w.clientGeometry;
    if (!min || !frame || !client || !(min.width > 0 || min.height > 0))
        return [0, 0];
    return [Math.max(0, min.width) + frame.width - client.width,
            Math.max(0, min.height) + frame.height - client.height];
}

// Only an X11 window has an X window id. An X11 client can take any process id and caption,
// but it can never make a Wayland window: Corvane's overlays are Wayland windows.
function isX11(w) {
    return !!w.windowId;
}

// One of Corvane's overlays: placed as one already, or a Wayland window of Corvane's process
// with an overlay's caption that is not placed yet (it may take the keyboard as it shows).
function isOverlay(w) {
    if (overlays[String(w.internalId)])
        return true;
    return typeof corvanePid !== "undefined" && w.pid === corvanePid && !isX11(w) &&
           String(w.caption).indexOf("corvane-overlay-") === 0;
}

// The active window, never an overlay: while one has the keyboard for a moment, the window
// it is given back to.
function activeId() {
    var w = api.activeWindow();
    if (w && isOverlay(w))
        w = lastActive;
    return w ? String(w.internalId) : "";
}

function sendWindows() {
    var list = [];
    frontToBack.forEach(function (id) {
        if (known[id])
            list.push(describe(known[id]));
    });
    send({ event: "windows", windows: list, active: activeId() });
}

function sendDesktops() {
    send({ event: "desktops", desktops: api.desktops(), current: api.currentDesktop() });
}

function sendOutputs() {
    send({ event: "outputs", outputs: api.outputs() });
}

function raise(w) {
    var id = String(w.internalId);
    var at = frontToBack.indexOf(id);
    if (at >= 0)
        frontToBack.splice(at, 1);
    frontToBack.unshift(id);
}

function reportMove(kind, w) {
    var cursor = workspace.cursorPos;
    send({ event: kind, window: describe(w), cursor: [cursor.x, cursor.y] });
}

function watch(w) {
    var id = String(w.internalId);
    if (known[id])
        return;
    known[id] = w;
    raise(w);
    api.moveStarted(w).connect(function () {
        settling = null;
        // Resizing by the border is no move: the zones are for moves only. Resizes are told as
        // they go and at their end, for the windows beside it.
        if (w.resize) {
            resizing = w;
            lastStep = null;
            return;
        }
        moving = w;
        raise(w);
        reportMove("moveStarted", w);
    });
    api.moveStepped(w).connect(function () {
        if (moving === w) {
            reportMove("moveStepped", w);
        } else if (resizing === w) {
            // The frame the step gives it comes with the signal (its last argument); the
            // window's own frame may still be the one before.
            var window = describe(w);
            var step = arguments[arguments.length - 1];
            if (step && step.width !== undefined)
                window.frame = lastStep = api.rect(step);
            send({ event: "resized", window: window });
        }
    });
    api.moveFinished(w).connect(function () {
        if (resizing === w) {
            resizing = null;
            settling = w;
            var window = describe(w);
            if (lastStep)
                window.frame = lastStep;
            lastStep = null;
            send({ event: "resized", window: window, finished: true });
            return;
        }
        if (moving !== w)
            return;
        moving = null;
        reportMove("moveFinished", w);
    });
    w.frameGeometryChanged.connect(function () {
        if (settling === w) {
            send({ event: "resized", window: describe(w), finished: true });
        } else if (moving !== w && resizing !== w) {
            send({ event: "window", window: describe(w) });
        }
    });
    if (w.minimizedChanged)
        w.minimizedChanged.connect(sendWindows);
    // A window on its way out is never given the keyboard back: KWin crashes activating a
    // window it is destroying.
    var closed = api.closed(w);
    if (closed)
        closed.connect(function () {
            if (lastActive === w)
                lastActive = null;
            forget(w);
        });
    if (w.captionChanged)
        w.captionChanged.connect(function () {
            send({ event: "window", window: describe(w) });
        });
}

function forget(w) {
    var id = String(w.internalId);
    delete known[id];
    var at = frontToBack.indexOf(id);
    if (at >= 0)
        frontToBack.splice(at, 1);
    if (moving === w)
        moving = null;
    if (resizing === w)
        resizing = null;
    if (settling === w)
        settling = null;
    sendWindows();
}

// An overlay never keeps the keyboard: the window that had it gets it back, unless it is on
// another desktop, which activating it would switch to.
function giveBackFocus() {
    if (lastActive && known[String(lastActive.internalId)] && api.onCurrentDesktop(lastActive))
        api.activate(lastActive);
}

function find(id) {
    return known[id] || null;
}

// What Corvane asks for.
var commands = {
    setFrame: function (c) {
        var w = find(c.window);
        if (!w)
            return;
        settling = null;
        api.unmaximize(w);
        w.frameGeometry = { x: c.frame[0], y: c.frame[1], width: c.frame[2], height: c.frame[3] };
    },
    // One of Corvane's own windows (an overlay): found by its caption among the Wayland
    // windows of Corvane's process, placed exactly, kept above everything and out of the task
    // bar.
    place: function (c) {
        var list = api.windows();
        for (var i = 0; i < list.length; ++i) {
            var w = list[i];
            // KWin numbers equal captions (" <2>").
            if (w.pid !== c.pid || isX11(w) ||
                    (w.caption !== c.caption && w.caption.indexOf(c.caption + " ") !== 0))
                continue;
            overlays[String(w.internalId)] = true;
            if (api.activeWindow() === w)
                giveBackFocus();
            w.keepAbove = true;
            // An overlay belongs to an output, not to a desktop: it shows on every one.
            w.onAllDesktops = true;
            w.skipTaskbar = true;
            w.skipSwitcher = true;
            w.skipPager = true;
            w.frameGeometry = { x: c.frame[0], y: c.frame[1], width: c.frame[2],
                                height: c.frame[3] };
        }
    },
    activate: function (c) {
        var w = find(c.window);
        if (w)
            api.activate(w);
    },
    registerShortcut: function (c) {
        if (registeredShortcuts[c.name])
            return;
        registeredShortcuts[c.name] = true;
        registerShortcut(c.name, c.text, c.keys, function () {
            send({ event: "shortcut", name: c.name });
        });
    },
    refresh: function () {
        sendDesktops();
        sendOutputs();
        sendWindows();
    }
};

function run(json) {
    var list;
    try {
        list = JSON.parse(json);
    } catch (e) {
        print("Corvane: unreadable commands: " + e);
        return;
    }
    if (!Array.isArray(list))
        return;
    list.forEach(function (c) {
        var handler = c && commands[c.command];
        if (!handler) {
            print("Corvane: unknown command " + (c && c.command));
            return;
        }
        try {
            handler(c);
        } catch (e) {
            print("Corvane: command " + c.command + " failed: " + e);
        }
    });
}

// Corvane answers a poll as soon as it has commands, and with none well before D-Bus gives
// up on the call; each answer starts the next poll.
function poll() {
    callDBus(corvaneService, bridgePath, bridgeInterface, "poll", function (json) {
        run(json);
        poll();
    });
}

api.windows().forEach(watch);
api.windowAdded.connect(function (w) {
    // An overlay shows on every desktop from its first moment: KWin gives a new window the
    // keyboard, and a window of the desktop just left would take the user back there.
    if (isOverlay(w))
        w.onAllDesktops = true;
    watch(w);
    sendWindows();
    // A panel that comes or goes changes the usable areas.
    if (w.dock)
        sendOutputs();
});
api.windowRemoved.connect(function (w) {
    delete overlays[String(w.internalId)];
    forget(w);
    if (w.dock)
        sendOutputs();
});
api.windowActivated.connect(function (w) {
    if (!w) {
        sendWindows();
        return;
    }
    if (isOverlay(w)) {
        giveBackFocus();
        return;
    }
    lastActive = w;
    raise(w);
    sendWindows();
});
api.outputsChanged.forEach(function (signal) {
    signal.connect(sendOutputs);
});
api.desktopsChanged.forEach(function (signal) {
    if (signal)
        signal.connect(sendDesktops);
});

send({ event: "hello", generation: api.generation });
sendDesktops();
sendOutputs();
sendWindows();
poll();
