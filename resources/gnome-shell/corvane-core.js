// SPDX-License-Identifier: GPL-3.0-or-later
// Corvane's part inside GNOME Shell. A Wayland client may neither watch the pointer nor move
// another client's window; the shell may. This object tells Corvane about the monitors, the
// workspaces, the windows and each window move (pointer and modifiers included), and moves
// windows when Corvane asks. It speaks only to the one process that connected to it, and only
// while that process is on the bus.
//
// The same text serves every shell version: the wrappers around it (legacy scripts for 43 and
// 44, ES modules for 45 and later) bring Gio, GLib, Meta, Shell, Main and Config into scope.

const corvaneProtocol = 1;
const corvaneShellPath = '/app/corvane/Shell';
const corvaneClientPath = '/app/corvane/GnomeBridge';
const corvaneClientInterface = 'app.corvane.GnomeBridge';
const corvaneShellInterface = `<node>
  <interface name="app.corvane.Shell">
    <method name="Connect"><arg type="u" direction="out" name="protocol"/></method>
    <method name="Disconnect"/>
    <method name="SetFrame">
      <arg type="s" direction="in" name="window"/>
      <arg type="i" direction="in" name="x"/><arg type="i" direction="in" name="y"/>
      <arg type="i" direction="in" name="width"/><arg type="i" direction="in" name="height"/>
      <arg type="b" direction="out" name="found"/>
    </method>
    <method name="GrabShortcut">
      <arg type="s" direction="in" name="name"/><arg type="s" direction="in" name="accelerator"/>
      <arg type="b" direction="out" name="grabbed"/>
    </method>
    <method name="ReleaseShortcut"><arg type="s" direction="in" name="name"/></method>
    <method name="Activate">
      <arg type="s" direction="in" name="window"/><arg type="b" direction="out" name="found"/>
    </method>
  </interface>
</node>`;
// The modifiers a move reports, as the shell gives them (Shift, Control, Mod1, Mod4).
const corvaneModifierMask = 1 | 4 | 8 | 64;
// How often the pointer is read during a move: the shell has no signal per step of a grab.
const corvaneStepMs = 16;
// How long a restored window is waited for before it is placed anyway.
const corvaneRestoreWaitMs = 300;
// When a placed window has settled and is centred if it kept a smaller size.
const corvaneSettleMs = 200;

function corvaneRect(r) {
    return [r.x, r.y, r.width, r.height];
}

function corvaneIsPointerMove(op) {
    const unconstrained = Meta.GrabOp.WINDOW_FLAG_UNCONSTRAINED || 0;
    const plain = op & ~unconstrained;
    return plain === Meta.GrabOp.MOVING ||
        (Meta.GrabOp.MOVING_UNCONSTRAINED !== undefined && op === Meta.GrabOp.MOVING_UNCONSTRAINED);
}

var CorvaneShell = class CorvaneShell {
    constructor() {
        this._client = null;
        this._signals = [];
        this._windowSignals = new Map();
        this._shortcuts = new Map();
        this._monitorIds = [];
        this._move = null;
        this._resize = null;
        this._reportPending = 0;
        this._timers = new Set();
    }

    enable() {
        this._dbus = Gio.DBusExportedObject.wrapJSObject(corvaneShellInterface, this);
        this._dbus.export(Gio.DBus.session, corvaneShellPath);
        const display = global.display;
        this._connect(display, 'grab-op-begin', (d, window, op) => this._grabBegan(window, op));
        this._connect(display, 'grab-op-end', (d, window, op) => this._grabEnded(window, op));
        this._connect(display, 'window-created', (d, window) => this._track(window));
        this._connect(display, 'notify::focus-window', () => this._windowsChanged());
        this._connect(display, 'workareas-changed', () => this._sendOutputs());
        this._connect(display, 'accelerator-activated',
            (d, action) => this._acceleratorActivated(action));
        this._connect(Main.layoutManager, 'monitors-changed', () => this._readMonitorIds());
        const workspaces = global.workspace_manager;
        this._connect(workspaces, 'active-workspace-changed', () => {
            this._sendDesktops();
            this._sendOutputs();
            this._windowsChanged();
        });
        this._connect(workspaces, 'notify::n-workspaces', () => this._sendDesktops());
        for (const actor of global.get_window_actors())
            this._track(actor.meta_window);
        this._readMonitorIds();
    }

    disable() {
        this._dropClient();
        for (const [object, id] of this._signals)
            object.disconnect(id);
        this._signals = [];
        for (const [window, ids] of this._windowSignals)
            ids.forEach(id => window.disconnect(id));
        this._windowSignals.clear();
        for (const id of this._timers)
            GLib.source_remove(id);
        this._timers.clear();
        this._stopSteps();
        if (this._reportPending)
            GLib.source_remove(this._reportPending);
        this._reportPending = 0;
        this._dbus.unexport();
        this._dbus = null;
    }

    // --- D-Bus methods ------------------------------------------------------------------------

    ConnectAsync(params, invocation) {
        this._dropClient();
        this._client = invocation.get_sender();
        this._clientWatch = Gio.bus_watch_name_on_connection(Gio.DBus.session, this._client,
            Gio.BusNameWatcherFlags.NONE, null, () => this._dropClient());
        invocation.return_value(new GLib.Variant('(u)', [corvaneProtocol]));
        this._send({event: 'hello', protocol: corvaneProtocol, shell: Config.PACKAGE_VERSION});
        this._sendDesktops();
        this._sendWindows();
        // Mutter's display configuration may not have been on the bus when the shell started.
        this._readMonitorIds();
    }

    DisconnectAsync(params, invocation) {
        if (this._fromClient(invocation))
            this._dropClient();
        invocation.return_value(null);
    }

    SetFrameAsync(params, invocation) {
        if (!this._fromClient(invocation))
            return;
        const [id, x, y, width, height] = params;
        const window = this._windowById(id);
        invocation.return_value(new GLib.Variant('(b)', [window !== null]));
        if (window)
            this._place(window, x, y, width, height);
    }

    ActivateAsync(params, invocation) {
        if (!this._fromClient(invocation))
            return;
        const window = this._windowById(params[0]);
        invocation.return_value(new GLib.Variant('(b)', [window !== null]));
        if (window)
            window.activate(global.get_current_time());
    }

    GrabShortcutAsync(params, invocation) {
        if (!this._fromClient(invocation))
            return;
        const [name, accelerator] = params;
        this._release(name);
        const action = global.display.grab_accelerator(accelerator, Meta.KeyBindingFlags.NONE);
        if (action !== Meta.KeyBindingAction.NONE) {
            Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action),
                Shell.ActionMode.NORMAL | Shell.ActionMode.OVERVIEW);
            this._shortcuts.set(name, action);
        }
        invocation.return_value(new GLib.Variant('(b)', [action !== Meta.KeyBindingAction.NONE]));
    }

    ReleaseShortcutAsync(params, invocation) {
        if (!this._fromClient(invocation))
            return;
        this._release(params[0]);
        invocation.return_value(null);
    }

    _fromClient(invocation) {
        if (this._client !== null && invocation.get_sender() === this._client)
            return true;
        invocation.return_dbus_error('app.corvane.Shell.Error.NotConnected',
            'Only the connected Corvane may ask this');
        return false;
    }

    _dropClient() {
        if (this._clientWatch)
            Gio.bus_unwatch_name(this._clientWatch);
        this._clientWatch = 0;
        this._client = null;
        for (const name of [...this._shortcuts.keys()])
            this._release(name);
    }

    // --- reports ------------------------------------------------------------------------------

    _send(report) {
        if (this._client === null)
            return;
        Gio.DBus.session.call(this._client, corvaneClientPath, corvaneClientInterface, 'Report',
            new GLib.Variant('(s)', [JSON.stringify(report)]), null,
            Gio.DBusCallFlags.NO_AUTO_START, -1, null, (connection, result) => {
                try {
                    connection.call_finish(result);
                } catch (e) {
                    log(`Corvane: a report was not delivered: ${e.message}`);
                }
            });
    }

    _describe(window) {
        const workspace = global.workspace_manager.get_active_workspace();
        return {
            id: String(window.get_id()),
            pid: window.get_pid(),
            caption: window.get_title() || '',
            resourceClass: window.get_wm_class() || window.get_gtk_application_id() || '',
            frame: corvaneRect(window.get_frame_rect()),
            monitor: window.get_monitor(),
            minimized: window.minimized,
            normal: window.get_window_type() === Meta.WindowType.NORMAL && !window.skip_taskbar,
            standalone: window.get_window_type() === Meta.WindowType.NORMAL &&
                !window.skip_taskbar && !window.get_transient_for(),
            current: window.located_on_workspace(workspace),
            x11: window.get_client_type() === Meta.WindowClientType.X11,
        };
    }

    _windows() {
        // Front first. A Wayland window has no class and no title until its first commit: it
        // is listed from then, so that Corvane hears of it with its name.
        return global.get_window_actors().map(a => a.meta_window)
            .filter(w => w && !w.is_override_redirect() && (w.get_wm_class() || w.get_title()))
            .reverse();
    }

    _windowById(id) {
        return this._windows().find(w => String(w.get_id()) === id) || null;
    }

    _sendWindows() {
        const focus = global.display.focus_window;
        this._send({
            event: 'windows',
            windows: this._windows().map(w => this._describe(w)),
            active: focus ? String(focus.get_id()) : '',
        });
    }

    // Changes come in bursts (a window that moves reports every step): one list per burst.
    _windowsChanged() {
        if (this._reportPending || this._client === null)
            return;
        this._reportPending = GLib.idle_add(GLib.PRIORITY_DEFAULT, () => {
            this._reportPending = 0;
            this._sendWindows();
            return GLib.SOURCE_REMOVE;
        });
    }

    _sendOutputs() {
        const workspace = global.workspace_manager.get_active_workspace();
        const monitors = Main.layoutManager.monitors.map((m, i) => {
            const area = workspace.get_work_area_for_monitor(i);
            const id = this._monitorIds.find(o => o.x === m.x && o.y === m.y) || {};
            return {
                name: id.connector || `Monitor ${i + 1}`,
                vendor: id.vendor || '',
                product: id.product || '',
                serial: id.serial || '',
                primary: i === Main.layoutManager.primaryIndex,
                scale: m.geometry_scale,
                frame: [m.x, m.y, m.width, m.height],
                area: corvaneRect(area),
            };
        });
        this._send({event: 'outputs', outputs: monitors});
    }

    // The connector and the maker's names of each monitor, which the layout manager does not
    // give: from mutter's display configuration, by the monitor's position.
    _readMonitorIds() {
        Gio.DBus.session.call('org.gnome.Mutter.DisplayConfig', '/org/gnome/Mutter/DisplayConfig',
            'org.gnome.Mutter.DisplayConfig', 'GetCurrentState', null, null,
            Gio.DBusCallFlags.NONE, -1, null, (connection, result) => {
                try {
                    const [, , logical] = connection.call_finish(result).deep_unpack();
                    this._monitorIds = logical.map(l => {
                        const [connector, vendor, product, serial] = l[5][0] || [];
                        return {x: l[0], y: l[1], connector, vendor, product, serial};
                    });
                } catch (e) {
                    log(`Corvane: no display configuration: ${e.message}`);
                    this._monitorIds = [];
                }
                this._sendOutputs();
            });
    }

    _sendDesktops() {
        const workspaces = global.workspace_manager;
        const desktops = [];
        for (let i = 0; i < workspaces.get_n_workspaces(); ++i)
            desktops.push({id: String(i), name: Meta.prefs_get_workspace_name(i)});
        this._send({
            event: 'desktops',
            desktops,
            current: String(workspaces.get_active_workspace_index()),
        });
    }

    _track(window) {
        if (!window || this._windowSignals.has(window))
            return;
        const changed = () => this._windowsChanged();
        const ids = ['position-changed', 'size-changed', 'notify::title', 'notify::wm-class',
            'notify::minimized', 'workspace-changed']
            .map(signal => window.connect(signal, changed));
        ids.push(window.connect('unmanaged', () => {
            this._windowSignals.get(window)?.forEach(id => window.disconnect(id));
            this._windowSignals.delete(window);
            if (this._move?.window === window)
                this._stopSteps();
            this._windowsChanged();
        }));
        this._windowSignals.set(window, ids);
        this._windowsChanged();
    }

    // --- moves and resizes --------------------------------------------------------------------

    _pointer() {
        const [x, y, mods] = global.get_pointer();
        return {cursor: [x, y], mods: mods & corvaneModifierMask};
    }

    _sendMove(event, window) {
        this._send(Object.assign({event, window: this._describe(window)}, this._pointer()));
    }

    _grabBegan(window, op) {
        if (!window)
            return;
        if (corvaneIsPointerMove(op)) {
            this._stopSteps();
            const at = this._pointer();
            this._move = {window, last: JSON.stringify(at)};
            this._sendMove('moveStarted', window);
            this._move.timer = GLib.timeout_add(GLib.PRIORITY_DEFAULT, corvaneStepMs, () => {
                const now = JSON.stringify(this._pointer());
                if (now !== this._move.last) {
                    this._move.last = now;
                    this._sendMove('moveStepped', this._move.window);
                }
                return GLib.SOURCE_CONTINUE;
            });
        } else {
            // Told at each step the frame changed, for the windows beside it to follow.
            const frame = window.get_frame_rect();
            this._resize = {window, frame, last: JSON.stringify(corvaneRect(frame))};
            this._resize.timer = GLib.timeout_add(GLib.PRIORITY_DEFAULT, corvaneStepMs, () => {
                const now = JSON.stringify(corvaneRect(window.get_frame_rect()));
                if (now !== this._resize.last) {
                    this._resize.last = now;
                    this._send({event: 'resizeStepped', window: this._describe(window)});
                }
                return GLib.SOURCE_CONTINUE;
            });
        }
    }

    _grabEnded(window, op) {
        if (this._move && this._move.window === window && corvaneIsPointerMove(op)) {
            this._stopSteps();
            this._sendMove('moveFinished', window);
            return;
        }
        if (this._resize && this._resize.window === window) {
            const before = this._resize.frame;
            const now = window.get_frame_rect();
            GLib.source_remove(this._resize.timer);
            this._resize = null;
            if (now.width !== before.width || now.height !== before.height)
                this._send({event: 'resized', window: this._describe(window)});
        }
    }

    _stopSteps() {
        if (this._move?.timer)
            GLib.source_remove(this._move.timer);
        this._move = null;
        if (this._resize?.timer)
            GLib.source_remove(this._resize.timer);
        this._resize = null;
    }

    // --- placing ------------------------------------------------------------------------------

    _later(ms, f) {
        const id = GLib.timeout_add(GLib.PRIORITY_DEFAULT, ms, () => {
            this._timers.delete(id);
            f();
            return GLib.SOURCE_REMOVE;
        });
        this._timers.add(id);
        return id;
    }

    _place(window, x, y, width, height) {
        if (!window.is_fullscreen() && !window.get_maximized()) {
            this._moveResize(window, x, y, width, height);
            return;
        }
        // A Wayland window placed in the same turn as it is restored keeps its restored frame
        // when the target equals its maximized one: it is placed once the restore has landed.
        let done = false;
        let sizeId = 0;
        let timer = 0;
        const place = () => {
            if (done)
                return;
            done = true;
            if (sizeId)
                window.disconnect(sizeId);
            GLib.source_remove(timer);
            this._timers.delete(timer);
            this._moveResize(window, x, y, width, height);
        };
        sizeId = window.connect('size-changed', place);
        timer = this._later(corvaneRestoreWaitMs, place);
        if (window.is_fullscreen())
            window.unmake_fullscreen();
        window.unmaximize(Meta.MaximizeFlags.BOTH);
    }

    _moveResize(window, x, y, width, height) {
        if (!this._windowSignals.has(window))
            return;
        window.move_resize_frame(false, x, y, width, height);
        // A window that keeps a smaller size (size steps, a largest size) is centred in the
        // frame asked for, once it has taken its size.
        this._later(corvaneSettleMs, () => {
            if (!this._windowSignals.has(window))
                return;
            const r = window.get_frame_rect();
            if (r.x !== x || r.y !== y || (r.width >= width && r.height >= height))
                return;
            window.move_frame(false, x + Math.floor((width - Math.min(r.width, width)) / 2),
                y + Math.floor((height - Math.min(r.height, height)) / 2));
        });
    }

    // --- shortcuts ----------------------------------------------------------------------------

    _release(name) {
        const action = this._shortcuts.get(name);
        if (action === undefined)
            return;
        this._shortcuts.delete(name);
        global.display.ungrab_accelerator(action);
        Main.wm.allowKeybinding(Meta.external_binding_name_for_action(action), Shell.ActionMode.NONE);
    }

    _acceleratorActivated(action) {
        for (const [name, grabbed] of this._shortcuts) {
            if (grabbed === action)
                this._send({event: 'shortcut', name});
        }
    }

    _connect(object, signal, handler) {
        this._signals.push([object, object.connect(signal, handler)]);
    }
};
