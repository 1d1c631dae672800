// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QImage>
#include <QJsonValue>
#include <QPointF>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <vector>

struct wl_display;
struct org_kde_kwin_fake_input;

namespace corvane::test {

// A private KDE Plasma Wayland session for one test: kwin_wayland headless with two 1280 x 800
// virtual outputs side by side and Xwayland, in a session bus of its own. Input goes in through KWin's
// fake-input protocol, as a real device would give it; screenshots come out of KWin. Everything
// it started is killed, process group by process group, when it goes away.
class KWinSession {
public:
    // Whether kwin_wayland and Xwayland are installed; tests skip only when they are not.
    static bool isAvailable();

    KWinSession();
    ~KWinSession();
    KWinSession(const KWinSession&) = delete;
    KWinSession& operator=(const KWinSession&) = delete;

    bool isRunning() const { return running_; }
    QString errorString() const { return error_; }

    // What a client of the session needs: its Wayland socket, Xwayland's display, its bus,
    // its runtime folder, and Qt on Wayland.
    QProcessEnvironment environment() const;
    QDBusConnection bus() const;
    // Starts a program in the session without waiting for anything; its pid, or 0. Its output
    // goes to `logFile` when one is given.
    qint64 startProcess(const QString& program, const QStringList& arguments,
                        const QProcessEnvironment& extra = {}, const QString& logFile = {});

    // Evaluates a JavaScript expression in a KWin script and gives back its value, as JSON
    // would carry it; undefined when KWin did not answer.
    QJsonValue evaluate(const QString& expression);
    // The frame of the first window whose caption starts with `caption` (compositor
    // coordinates), or an empty rectangle.
    QRectF windowFrame(const QString& caption);
    // Waits until a window with that caption is shown.
    bool waitForWindow(const QString& caption, int timeoutMs = 10000);

    // Pointer and keyboard, through fake input. Keys are Linux key codes (KEY_LEFTSHIFT, ...).
    void pointerTo(const QPointF& position);
    void pointerBy(const QPointF& delta);
    void button(bool press);
    void key(int linuxKey, bool press);

    // The whole workspace, in device pixels.
    QImage screenshot();

private:
    bool start();
    QProcess* spawn(const QString& program, const QStringList& arguments,
                    const QProcessEnvironment& environment, const QString& logFile = {},
                    bool readOutput = false);
    bool connectFakeInput();
    // Sends fake input when KWin offers it, and waits until KWin has it.
    void sendInput(const std::function<void()>& send);

    QTemporaryDir directory_;
    std::vector<std::unique_ptr<QProcess>> processes_; // the bus first, then KWin
    QString busAddress_;
    QString busName_;
    QByteArray socket_;
    QByteArray x11Display_;
    wl_display* wayland_ = nullptr;
    org_kde_kwin_fake_input* fakeInput_ = nullptr;
    int scriptCount_ = 0;
    bool running_ = false;
    QString error_;
};

} // namespace corvane::test
