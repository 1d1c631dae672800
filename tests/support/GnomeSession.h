// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QJsonValue>
#include <QPointF>
#include <QProcess>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace corvane::test {

// A private GNOME Shell Wayland session for one test: gnome-shell headless with two 1280 x 800
// virtual monitors side by side and Xwayland, on a session bus and a stand-in system bus of its
// own, its settings in a key file. The user's extensions are those of $XDG_DATA_HOME, as at a
// login. A test-only extension of its own lets the test evaluate JavaScript in the shell. Input
// goes in through mutter's remote desktop interface, as a real device would give it.
// Everything it started is ended when it goes away: the shell first, alone (it takes Xwayland
// and its lock files with it), then whatever is left.
class GnomeSession {
public:
    // Whether gnome-shell and Xwayland are installed; tests skip only when they are not.
    static bool isAvailable();

    GnomeSession();
    ~GnomeSession();
    GnomeSession(const GnomeSession&) = delete;
    GnomeSession& operator=(const GnomeSession&) = delete;

    bool isRunning() const { return running_; }
    QString errorString() const { return error_; }

    // What a client of the session needs: its Wayland socket, Xwayland's display and
    // authority, its buses and its runtime folder.
    QProcessEnvironment environment() const;
    QDBusConnection bus() const;
    // Starts a program in the session; its pid, or 0.
    qint64 startProcess(const QString& program, const QStringList& arguments,
                        const QProcessEnvironment& extra = {});

    // Evaluates JavaScript in the shell; the value as JSON carries it, undefined on failure.
    QJsonValue evaluate(const QString& expression);
    // The frame of the first window whose title starts with `title`, or whose class it is; an
    // empty rectangle when there is none.
    QRectF windowFrame(const QString& title);
    bool waitForWindow(const QString& title, int timeoutMs = 10000);
    // Each monitor's work area, in the shell's order.
    QList<QRectF> workAreas();

    // Pointer and keyboard through remote desktop input. Keys are Linux key codes.
    void pointerTo(const QPointF& position);
    void button(bool press);
    void key(int linuxKey, bool press);

private:
    bool start();
    QProcess* spawn(const QString& program, const QStringList& arguments,
                    const QProcessEnvironment& environment, bool readOutput = false);
    bool startInput();
    void remote(const QString& method, const QVariantList& arguments);
    void stopShell();

    QTemporaryDir directory_;
    std::vector<std::unique_ptr<QProcess>> processes_; // the buses first, then the shell
    QProcess* shell_ = nullptr;
    QString busAddress_;
    QString systemBusAddress_;
    QString busName_;
    QString socket_;
    QString x11Display_;
    QString xauthority_;
    QString remoteSession_;
    bool running_ = false;
    QString error_;
};

} // namespace corvane::test
