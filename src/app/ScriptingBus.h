// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusContext>
#include <QObject>
#include <QString>
#include <memory>

namespace corvane {

class ScriptingCommands;
struct ScriptReply;

// The scripting commands on the session bus, for any language that speaks D-Bus: service
// app.corvane.Corvane, object /Corvane, interface app.corvane.Corvane. A refused command is a
// D-Bus error (app.corvane.Corvane.Error.Refused) carrying the same message as the command line.
//
//   busctl --user call app.corvane.Corvane /Corvane app.corvane.Corvane SnapActive s next
class ScriptingBus : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "app.corvane.Corvane")
public:
    static constexpr QLatin1StringView serviceName{"app.corvane.Corvane"};
    static constexpr QLatin1StringView objectPath{"/Corvane"};

    // On the session bus, or none (said once in the log) when there is no session bus or
    // another process holds the name.
    static std::unique_ptr<ScriptingBus> publish(ScriptingCommands& commands);
    ~ScriptingBus() override;

public slots:
    // What corvane --snap-active, --apply-layout and --list do; `display` 0 is the display
    // under the pointer.
    QString SnapActive(const QString& zone);
    // What corvane --snap-all does.
    QString SnapAll(int display);
    QString ApplyLayout(const QString& layout, int display);
    // --apply-layout with --desktop: `desktop` 0 is the desktop shown.
    QString ApplyLayoutOnDesktop(const QString& layout, int display, int desktop);
    QString List();

private:
    explicit ScriptingBus(ScriptingCommands& commands) : commands_(commands) {}
    QString answer(const ScriptReply& reply);

    ScriptingCommands& commands_;
};

} // namespace corvane
