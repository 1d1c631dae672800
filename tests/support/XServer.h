// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

class QProcess;

namespace corvane::test {

// A private X server for one test: Xvfb on a free display number, optionally openbox, and
// real clients. Sets DISPLAY for the test process while it lives. Everything it started is
// killed, process group by process group, when it goes away.
class XServer {
public:
    // A RandR monitor made with xrandr --setmonitor. `output` is an output name (Xvfb has one,
    // "screen") or "none" for a monitor without an output.
    struct Monitor {
        QString name;
        QRect geometry;
        bool primary = false;
        QString output = QStringLiteral("none");
    };

    struct Options {
        QSize screenSize{3360, 1080};
        int depth = 24;
        bool windowManager = true; // openbox
        QString openboxConfig;     // rc.xml text; empty: openbox's own defaults
        QList<Monitor> monitors;   // none: Xvfb's one monitor covering the screen
    };

    struct Client {
        qint64 pid = 0;
        xcb_window_t window = XCB_NONE; // its top-level client window
    };

    // Whether Xvfb is installed; tests skip only when it is not.
    static bool isAvailable();

    explicit XServer(Options options);
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // Whether the server (and the window manager, when asked for) came up.
    bool isRunning() const { return running_; }
    QString errorString() const { return error_; }
    QByteArray display() const { return display_; }

    // RandR monitors through xrandr --setmonitor / --delmonitor.
    bool setMonitor(const QString& name, const QRect& geometry, bool primary = false,
                    const QString& output = QStringLiteral("none"));
    bool deleteMonitor(const QString& name);

    // Starts a program and waits until a new viewable top-level client appears whose WM_CLASS
    // (instance or class) is `wmClass`.
    std::optional<Client> startClient(const QString& program, const QStringList& arguments,
                                      const QString& wmClass, int timeoutMs = 10000);
    // Starts another window manager (on a server started without one, or after the last one
    // was killed) and waits until it frames windows; its pid, or 0.
    qint64 startWindowManager(const QString& program, const QStringList& arguments);
    // Starts a program without waiting for anything; its pid, or 0.
    qint64 startProcess(const QString& program, const QStringList& arguments);
    // Kills a program started here (its whole process group) and waits for it to end.
    bool killProcess(qint64 pid);
    // How a program started here ended: `crashed` when a signal ended it.
    struct Exit {
        bool crashed = false;
        int code = 0;
    };
    // Waits for a program started here to end by itself; none when it is still running.
    std::optional<Exit> waitForExit(qint64 pid, int timeoutMs = 10000);
    // Kills the X server itself, as a crash of the server would end it; every client's
    // connection breaks.
    bool killServer();

    // A panel: a mapped dock window with a _NET_WM_STRUT_PARTIAL. Not managed, it is
    // override-redirect, and only the root tells of it.
    xcb_window_t createDock(const QRect& rect, const QList<std::uint32_t>& strut,
                            bool managed = true);
    // The 32-bit values (atoms, windows, numbers) of a window's property; empty when absent.
    QList<std::uint32_t> property(xcb_window_t window, const char* name);
    // The managed clients (_NET_CLIENT_LIST), or else the root's children and theirs.
    QList<xcb_window_t> clientWindows();
    // Waits until a viewable client window with this WM_CLASS appears that is not in
    // `known`.
    std::optional<xcb_window_t> waitForWindow(const QString& wmClass,
                                              const QList<xcb_window_t>& known = {},
                                              int timeoutMs = 10000);
    // Waits until the window is mapped and visible on screen.
    bool waitForViewable(xcb_window_t window, int timeoutMs = 10000);
    // Waits until the window is gone from the server.
    bool waitForWindowGone(xcb_window_t window, int timeoutMs = 10000);

    // The window manager's frame around a client: the root's child holding it, or none.
    xcb_window_t frameOf(xcb_window_t client);
    // That frame and the client itself, in root coordinates.
    std::optional<QRect> frameGeometry(xcb_window_t client);
    std::optional<QRect> clientGeometry(xcb_window_t window);

    // Runs a program against this server and waits for it; true when it exited with 0.
    bool run(const QString& program, const QStringList& arguments, QByteArray* output = nullptr,
             int timeoutMs = 15000);
    bool xdotool(const QStringList& arguments, QByteArray* output = nullptr);

    // Synthetic input through the XTest extension, as a real device would give it (unlike a
    // pointer warp, it produces raw input events). Keys are given as keysyms.
    bool fakeMotion(const QPoint& rootPosition);
    bool fakeButton(int button, bool press);
    bool fakeKey(xcb_keysym_t keysym, bool press);
    // The first key code that gives the keysym, or 0.
    xcb_keycode_t keycode(xcb_keysym_t keysym);

    // A connection of the test's own, for making windows or grabs that belong to "another
    // client".
    xcb_connection_t* connection();
    xcb_window_t root();
    xcb_atom_t atom(const char* name);

private:
    bool startServer(const Options& options);
    bool startWindowManager(const Options& options);
    bool waitForWindowManager();
    void startSessionBus();
    QProcess* spawn(const QString& program, const QStringList& arguments, bool readOutput = false);
    bool isViewable(xcb_window_t window);

    std::vector<std::unique_ptr<QProcess>> processes_; // the server first
    QTemporaryDir directory_;
    QByteArray display_;
    QByteArray previousDisplay_;
    bool hadDisplay_ = false;
    bool ownBus_ = false; // the session bus in the environment is this server's
    bool running_ = false;
    QString error_;
    xcb_connection_t* connection_ = nullptr;
};

} // namespace corvane::test
