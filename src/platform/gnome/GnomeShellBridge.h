// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scripted/ReportedWindows.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>

namespace corvane {

// One monitor as GNOME Shell reports it: its frame and its work area (the top bar left out), in
// the shell's logical coordinates, with mutter's connector and maker's names.
struct GnomeOutput {
    QString name; // the connector ("Meta-0", "DP-1"), or "Monitor N" when mutter gave none
    QString vendor;
    QString product;
    QString serial;
    bool primary = false;
    QRectF frame;
    QRectF area;
};

// The link to Corvane's extension inside GNOME Shell (share/corvane/gnome-shell). Corvane
// connects to the object the extension publishes on the shell's bus name; from then on the
// extension reports to the object published here: monitors, workspaces, windows, each window
// move with the pointer and the modifiers held, user resizes and shortcuts. Commands (place a
// window, grab a shortcut) go to the extension's object.
//
// Only GNOME Shell itself is heard: a report from any other sender on the bus is refused.
class GnomeShellBridge : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.corvane.GnomeBridge")
public:
    static constexpr char objectPath[] = "/app/corvane/GnomeBridge";
    // What the extension reports and accepts; the extension says its own in its hello.
    static constexpr unsigned protocol = 1;

    explicit GnomeShellBridge(QDBusConnection connection, QObject* parent = nullptr);
    ~GnomeShellBridge() override;

    // Whether GNOME Shell answers on the session bus.
    static bool isShellRunning(QDBusConnection connection);

    // Connects to the running extension; false with a log line when it is not there.
    bool connectToExtension();
    bool isConnected() const { return connected_; }

    const QList<GnomeOutput>& outputs() const { return outputs_; }
    // The windows, front first.
    const ReportedWindows& windows() const { return windows_; }
    ReportedWindows& windows() { return windows_; }
    QPointF cursor() const { return cursor_; }
    // The modifiers last reported, as the shell gives them (Shift 1, Ctrl 4, Alt 8, Super 64).
    unsigned modifiers() const { return modifiers_; }
    std::optional<QString> movingWindow() const { return moving_; }

    // Asks the extension to place the window (restoring it first when it is maximized); reads
    // that follow see the frame asked for at once.
    void setFrame(const QString& windowId, const QRectF& frame);
    // Raises the window and gives it the keyboard.
    void activate(const QString& windowId);
    // GNOME's accelerator text ("<Control><Super>Right"); false when the shell refused it.
    bool grabShortcut(const QString& name, const QString& accelerator);
    void releaseShortcut(const QString& name);

    // Handles one report as the extension sends it; public for tests.
    void handleReport(const QString& json);

public slots:
    // Called by the extension.
    Q_SCRIPTABLE void Report(const QString& json);

signals:
    void connectedChanged();
    void outputsChanged();
    void windowsChanged();
    void moved(corvane::MoveStage stage, const corvane::ReportedWindow& window);
    // The user resized the window with the shell (a border, a corner, the keyboard): a step
    // of the resize, or its end.
    void resized(const corvane::ReportedWindow& window, bool finished);
    void activeWindowChanged();
    void shortcutActivated(const QString& name);
    void desktopsReported(const QJsonObject& report);

private:
    bool fromShell();
    void onShellOwnerChanged(const QString& name, const QString& oldOwner, const QString& newOwner);

    QDBusConnection connection_;
    bool connected_ = false;
    QList<GnomeOutput> outputs_;
    ReportedWindows windows_;
    QPointF cursor_;
    unsigned modifiers_ = 0;
    std::optional<QString> moving_;
};

} // namespace corvane
