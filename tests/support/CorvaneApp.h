// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "XServer.h"

#include <QByteArray>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace corvane::test {

// The real application (build/bin/corvane) on a private X server, and the gestures a person
// makes with it: Shift-drags of other windows by their title bar, through synthetic input.
class CorvaneApp {
public:
    explicit CorvaneApp(XServer& server) : x_(server) {}

    static QString binaryPath();
    // Openbox moves a window when its title bar is dragged, with or without Shift; the
    // demonstration of scripts/run uses the same configuration.
    static QString openboxConfig();

    // What the end-to-end tests start from: fresh settings and log of a later (not the first)
    // launch; a private X server with openbox in the demonstration's configuration, two monitors
    // (1440 x 900 primary, 1920 x 1080 to its right) and a tray; the application, up; and an
    // xlogo window at (200, 200).
    struct Scene {
        std::unique_ptr<XServer> server;
        std::unique_ptr<CorvaneApp> app;
        XServer::Client logo;
        qint64 tray = 0;
    };
    // Sets up `scene`; what went wrong, or an empty text.
    static QString startScene(Scene& scene);

    // A tray (trayer) along the bottom edge; its process id, or 0.
    static qint64 startTray(XServer& server);

    // Starts the application with recording on at info level; the process id, or 0.
    qint64 start();
    qint64 pid() const { return pid_; }
    // Whether it is up: its services have applied the layouts.
    static bool isReady();

    // The whole log file, and how many of its lines contain `text`.
    static QString logText();
    static int logCount(const QString& text);

    // Visible windows of the application (by WM_CLASS), or visible windows with this name.
    QList<QByteArray> visibleWindows(const QString& name = QString());
    // The application's icon inside a visible tray, in root coordinates. The tray's first
    // top-level window is a hidden one, so only its visible panels are looked into.
    std::optional<QRect> trayIcon();
    // Whether a window of the application covers exactly `area`, as the drag overlay does.
    bool coversArea(const QRect& area);

    // A drag in steps: the button goes down on the window's title bar (Shift first when asked),
    // the pointer moves to `to` (root coordinates), and the button comes up, Shift right after
    // it.
    void press(xcb_window_t client, bool shift);
    void moveTo(const QPoint& to);
    void release(bool shift);
    // Ends the application and starts it again; false when it did not come up.
    bool restart();

private:
    XServer& x_;
    qint64 pid_ = 0;
    QPoint pointer_;
};

} // namespace corvane::test
