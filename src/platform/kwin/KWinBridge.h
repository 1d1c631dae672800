// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/scripted/ReportedWindows.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDeadlineTimer>
#include <QHash>
#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QTimer>
#include <optional>

namespace corvane {

// One output as KWin reports it: its frame and its usable area (panels left out), in KWin's
// logical coordinates (top-left origin).
struct KWinOutput {
    QString name;
    QRectF frame;
    QRectF area;
};

// The link to the script Corvane loads into KWin (share/corvane/corvane-kwin.js). Publishes
// the object the script reports to, keeps what it last heard of the outputs and the windows,
// and queues commands for the script, which fetches them by a call that is answered when
// there is something to do.
//
// Only KWin itself is heard: a report from any other sender on the bus is refused.
class KWinBridge : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.corvane.KWinBridge")
public:
    static constexpr char objectPath[] = "/app/corvane/KWinBridge";
    static constexpr char scriptName[] = "corvane";
    // Every shortcut Corvane registers in KWin has a name that starts so.
    static constexpr char shortcutPrefix[] = "corvane-";

    explicit KWinBridge(QDBusConnection connection, QObject* parent = nullptr);
    ~KWinBridge() override;

    // Whether KWin answers on the session bus.
    static bool isKWinRunning(QDBusConnection connection);

    // Loads the script into KWin (any copy left by an earlier run goes first, with its file
    // and its shortcuts); false with a log line when KWin refused.
    bool loadScript();
    // Unloads it and gives its shortcuts' keys back.
    void unloadScript();
    bool isScriptRunning() const { return scriptLoaded_; }

    const QList<KWinOutput>& outputs() const { return outputs_; }
    // The windows, front first; the active one is never one of Corvane's overlays.
    const ReportedWindows& windows() const { return windows_; }
    ReportedWindows& windows() { return windows_; }
    QPointF cursor() const { return cursor_; }
    // The id of the window in an interactive move; none between moves.
    std::optional<QString> movingWindow() const { return moving_; }
    int apiGeneration() const { return generation_; }

    // Commands for the script; sent together once control is back in the event loop. A frame
    // set twice before that is sent once, the last one. An X11 window that takes a smaller
    // size than asked (size steps) is centred in the frame asked for once KWin reports it, as
    // Corvane centres it on X11: its size is known only then.
    void setFrame(const QString& windowId, const QRectF& frame);
    void place(qint64 pid, const QString& caption, const QRectF& frame);
    void activate(const QString& windowId);
    void registerShortcut(const QString& name, const QString& text, const QString& keys);

    // Handles one report as the script sends it; public for tests.
    void handleReport(const QString& json);

public slots:
    // Called by the script.
    Q_SCRIPTABLE void report(const QString& json);
    Q_SCRIPTABLE QString poll();

signals:
    void outputsChanged();
    void windowsChanged();
    void moved(corvane::MoveStage stage, const corvane::ReportedWindow& window,
               const QPointF& cursor);
    // The user resized the window by its border or a corner: a step, or the end of it.
    void resized(const corvane::ReportedWindow& window, bool finished);
    void activeWindowChanged();
    void shortcutActivated(const QString& name);
    // KWin's script said hello: it runs, and outputs and windows follow.
    void scriptStarted();
    // The virtual desktops and the one shown, as the script reports them.
    void desktopsReported(const QJsonObject& report);

private:
    bool fromKWin();
    void queue(const QJsonObject& command);
    void flush();
    void answerPoll(const QString& commands);
    void centreInTarget(const ReportedWindow& window);
    // Removes every shortcut of Corvane's from KDE's shortcut service.
    void releaseShortcuts();

    QDBusConnection connection_;
    QString scriptPath_;
    bool scriptLoaded_ = false;
    int generation_ = 0;
    QList<KWinOutput> outputs_;
    ReportedWindows windows_;
    QPointF cursor_;
    std::optional<QString> moving_;
    // The frames last asked for X11 windows, until KWin reports what they took.
    struct Target {
        QRectF frame;
        QDeadlineTimer expiry;
    };
    QHash<QString, Target> targets_;
    QList<QJsonObject> pending_;
    std::optional<QDBusMessage> waitingPoll_;
    QTimer pollTimeout_;
};

} // namespace corvane
