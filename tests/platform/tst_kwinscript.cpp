// SPDX-License-Identifier: GPL-3.0-or-later
// The script Corvane loads into KWin, run in Qt's JavaScript engine against a stand-in of
// Plasma 6's scripting API (window names). Plasma 5.27's (client names) is the one of the KWin
// that scripts/install-deps installs: the KWin session test (tests/kwin) runs the script there.
#include "models/Resources.h"
#include "platform/ReportedVirtualDesktops.h"
#include "platform/kwin/KWinBridge.h"
#include "platform/kwin/KWinScriptFile.h"

#include <QFile>
#include <QJSEngine>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using namespace corvane;
using namespace Qt::StringLiterals;

namespace {

// A Plasma 6 KWin with two 1280 x 800 outputs side by side, a 40 px panel at
// the bottom of the first, two windows and two desktops. Records what the script sends and
// registers.
const char* standIn = R"JS(
function Signal() { this.slots = []; }
Signal.prototype.connect = function (f) { this.slots.push(f); };
Signal.prototype.emit = function () {
    var args = arguments;
    this.slots.slice().forEach(function (f) { f.apply(null, args); });
};
var sent = [], polls = [], shortcuts = {};
function callDBus(service, path, iface, method) {
    var last = arguments[arguments.length - 1];
    if (method === "poll")
        polls.push(last);
    else
        sent.push(JSON.parse(arguments[4]));
}
function registerShortcut(name, text, keys, callback) {
    shortcuts[name] = shortcuts[name] ? "twice" : { keys: keys, callback: callback };
}
function print() {}
var KWin = { ScreenArea: 7, MaximizeArea: 2 };
var outputs = [{ name: "DP-1", geometry: { x: 0, y: 0, width: 1280, height: 800 } },
               { name: "DP-2", geometry: { x: 1280, y: 0, width: 1280, height: 800 } }];
function usable(option, output) {
    var g = output.geometry;
    return option === KWin.MaximizeArea && g.x === 0
        ? { x: 0, y: 0, width: 1280, height: 760 } : g;
}
function makeWindow(id, pid, caption, x) {
    var w = { internalId: id, pid: pid, caption: caption, resourceClass: "app",
              frameGeometry: { x: x, y: 100, width: 300, height: 200 }, keepAbove: false,
              minimized: false, dock: false, desktopWindow: false, normalWindow: true,
              resize: false, frameGeometryChanged: new Signal(), minimizedChanged: new Signal(),
              captionChanged: new Signal(), output: outputs[x >= 1280 ? 1 : 0],
              setMaximize: function () { this.unmaximized = true; } };
    w.started = w.interactiveMoveResizeStarted = new Signal();
    w.stepped = w.interactiveMoveResizeStepped = new Signal();
    w.finished = w.interactiveMoveResizeFinished = new Signal();
    return w;
}
var windows = [makeWindow("{a}", 10, "Editor", 100), makeWindow("{b}", 20, "corvane-overlay-1", 1400)];
var desktops = [{ id: "d-1", name: "One" }, { id: "d-2", name: "Two" }];
var workspace = { cursorPos: { x: 0, y: 0 }, currentDesktop: desktops[0], desktops: desktops,
                  currentDesktopChanged: new Signal(), desktopsChanged: new Signal(), screens: outputs,
                  windowList: function () { return windows; }, windowAdded: new Signal(),
                  windowRemoved: new Signal(), windowActivated: new Signal(),
                  screensChanged: new Signal(), clientArea: usable };
var corvaneService = ":1.7";
)JS";

// A text as a JavaScript string literal.
QString quoted(const QByteArray& json)
{
    return QString::fromUtf8(QJsonDocument(QJsonArray{QString::fromUtf8(json)})
                                 .toJson(QJsonDocument::Compact)
                                 .mid(1)
                                 .chopped(1));
}

class ScriptRun {
public:
    ScriptRun()
    {
        QFile file(resourcePath(u"corvane-kwin.js"_s));
        if (!file.open(QIODevice::ReadOnly))
            return;
        for (const QString& code :
             {QString::fromUtf8(standIn), QString::fromUtf8(file.readAll())}) {
            const QJSValue result = engine.evaluate(code);
            if (result.isError())
                error = result.toString() + u" at line "_s +
                        result.property(u"lineNumber"_s).toString();
        }
    }

    QJSValue run(const QString& code) { return engine.evaluate(code); }
    QJsonArray sent() { return json(u"sent"_s).array(); }
    QJsonDocument json(const QString& expression)
    {
        return QJsonDocument::fromJson(
            run(u"JSON.stringify(%1)"_s.arg(expression)).toString().toUtf8());
    }
    // Answers the script's open poll with this text.
    void answer(const QByteArray& commands) { run(u"polls.shift()(%1)"_s.arg(quoted(commands))); }
    // Hands what the script sent to the bridge, as the bridge's D-Bus method receives it.
    static void report(KWinBridge& bridge, const QJsonArray& sent)
    {
        for (const QJsonValue& m : sent)
            bridge.handleReport(QString::fromUtf8(QJsonDocument(m.toObject()).toJson()));
    }

    QJSEngine engine;
    QString error;
};

} // namespace

class TestKWinScript : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(QFile::exists(resourcePath(u"corvane-kwin.js"_s))); }

    // Outputs with their usable areas, the windows, a whole move and the commands back, as
    // the bridge reads them.
    void aMoveAndTheCommandsBack()
    {
        ScriptRun script;
        QVERIFY2(script.error.isEmpty(), qPrintable(script.error));

        const QJsonArray start = script.sent();
        QCOMPARE(start.size(), 4);
        QCOMPARE(start[0].toObject().value("generation").toInt(), 6);
        KWinBridge bridge{QDBusConnection(QString())};
        ReportedVirtualDesktops desktops;
        QObject::connect(&bridge, &KWinBridge::desktopsReported, &desktops,
                         &ReportedVirtualDesktops::handleReport);
        ScriptRun::report(bridge, start);
        QCOMPARE(desktops.current()->name, u"One"_s);
        script.run("sent = []; workspace.currentDesktop = desktops[1];"
                   "workspace.currentDesktopChanged.emit(desktops[0]);");
        ScriptRun::report(bridge, script.sent());
        QCOMPARE(desktops.current(), (VirtualDesktop{u"d-2"_s, 2, u"Two"_s}));
        QCOMPARE(bridge.apiGeneration(), 6);
        QCOMPARE(bridge.outputs().size(), 2);
        QCOMPARE(bridge.outputs()[0].area, QRectF(0, 0, 1280, 760));
        QCOMPARE(bridge.outputs()[1].frame, QRectF(1280, 0, 1280, 800));
        QCOMPARE(bridge.windows().all().size(), 2);
        QCOMPARE(bridge.windows().all()[1].caption, u"Editor"_s);
        QCOMPARE(bridge.windows().all()[1].pid, 10);
        QCOMPARE(bridge.windows().all()[1].output, bridge.outputs()[0].name);
        QCOMPARE(script.run("polls.length").toInt(), 1);

        // A move: start, steps with the pointer, finish; each carries the window.
        script.run("sent = []; var w = windows[0]; workspace.cursorPos = { x: 150, y: 110 };"
                   "w.started.emit(w); w.frameGeometry = { x: 900, y: 150, width: 300, height: "
                   "200 }; w.frameGeometryChanged.emit(); workspace.cursorPos = { x: 950, y: 160 "
                   "}; w.stepped.emit(w, w.frameGeometry); w.finished.emit(w);");
        const QJsonArray move = script.sent();
        QStringList events;
        for (const QJsonValue& m : move)
            events << m.toObject().value("event").toString();
        QCOMPARE(events, (QStringList{"moveStarted", "moveStepped", "moveFinished"}));
        QList<MoveStage> stages;
        QList<QPointF> cursors;
        QStringList captions;
        connect(&bridge, &KWinBridge::moved, this,
                [&](MoveStage stage, const ReportedWindow& w, const QPointF& cursor) {
                    stages << stage;
                    cursors << cursor;
                    captions << w.caption;
                });
        ScriptRun::report(bridge, move);
        QCOMPARE(stages, (QList{MoveStage::Started, MoveStage::Stepped, MoveStage::Finished}));
        QCOMPARE(cursors, (QList<QPointF>{{150, 110}, {950, 160}, {950, 160}}));
        QCOMPARE(captions, QStringList(3, u"Editor"_s));
        QCOMPARE(bridge.windows().all()[0].frame, QRectF(900, 150, 300, 200));

        // A resize by the border is no move: it is reported as a resize, step by step, and its
        // end as such.
        script.run("sent = []; w.resize = true; w.started.emit(w); w.stepped.emit(w); "
                   "w.finished.emit(w); w.resize = false;");
        QStringList resizes;
        QList<bool> ends;
        connect(&bridge, &KWinBridge::resized, this,
                [&](const ReportedWindow&, bool finished) { ends << finished; });
        for (const QJsonValue& m : script.sent())
            resizes << m.toObject().value("event").toString();
        QCOMPARE(resizes, (QStringList{"resized", "resized"}));
        ScriptRun::report(bridge, script.sent());
        QCOMPARE(ends, (QList<bool>{false, true}));

        // Commands: a frame (unmaximizing first), an overlay kept above and placed, a
        // shortcut registered once, and junk that changes nothing. Each answer polls again.
        script.answer(R"([{"command":"setFrame","window":"{a}","frame":[0,0,640,760]},
            {"command":"place","pid":20,"caption":"corvane-overlay-1","frame":[1280,0,1280,800]},
            {"command":"registerShortcut","name":"toggle","text":"t","keys":"Meta+Shift+Z"},
            {"command":"registerShortcut","name":"toggle","text":"t","keys":"Meta+Shift+Z"},
            {"command":"setFrame","window":"{gone}","frame":[0,0,1,1]},
            {"command":"selfDestruct"}])");
        QCOMPARE(script.json("windows[0].frameGeometry").object(),
                 (QJsonObject{{"x", 0}, {"y", 0}, {"width", 640}, {"height", 760}}));
        QVERIFY(script.run("windows[0].unmaximized === true").toBool());
        QVERIFY(script.run("windows[1].keepAbove && windows[1].skipTaskbar").toBool());
        QCOMPARE(script.run("windows[1].frameGeometry.x").toInt(), 1280);
        QCOMPARE(script.run("shortcuts.toggle.keys").toString(), u"Meta+Shift+Z"_s);
        QCOMPARE(script.run("polls.length").toInt(), 1);

        // The shortcut reports itself; unreadable commands are dropped and polling goes on.
        script.run("sent = []; shortcuts.toggle.callback();");
        QCOMPARE(script.sent().at(0).toObject().value("name").toString(), u"toggle"_s);
        script.answer("{not json");
        QCOMPARE(script.run("polls.length").toInt(), 1);

        // A new window is watched and listed; a closed one leaves the list.
        script.run("sent = []; var n = makeWindow('{c}', 30, 'Terminal', 1500); windows.push(n);"
                   "workspace.windowAdded.emit(n); n.started.emit(n);");
        QJsonArray added = script.sent();
        QCOMPARE(added.size(), 2);
        QCOMPARE(added[0].toObject().value("windows").toArray().first().toObject().value("id"),
                 QJsonValue("{c}"));
        QCOMPARE(added[1].toObject().value("window").toObject().value("output").toString(),
                 u"DP-2"_s);

        // The active window is reported, the overlay's activation never; an X11 window with
        // Corvane's process id and an overlay's caption is not taken for an overlay.
        script.run(
            "sent = []; workspace.activeWindow = windows[0];"
            "workspace.windowActivated.emit(windows[0]); workspace.activeWindow = windows[1];"
            "workspace.windowActivated.emit(windows[1]); var x = makeWindow('{x}', 20, "
            "'corvane-overlay-1', 100); x.windowId = 4194305; windows.push(x);"
            "workspace.windowAdded.emit(x);");
        ScriptRun::report(bridge, script.sent());
        QCOMPARE(bridge.windows().active(), u"{a}"_s);
        QVERIFY(bridge.windows().find(u"{x}"_s)->x11 && !bridge.windows().find(u"{a}"_s)->x11);
        script.answer(R"([{"command":"place","pid":20,"caption":"corvane-overlay-1",
            "frame":[1280,0,1280,800]}])");
        QVERIFY(!script.run("x.keepAbove").toBool());
    }

    // The file KWin loads is made anew in a folder only its user can enter: a link put in its
    // place beforehand is replaced, not written through, and a folder that is a link is refused.
    void theScriptFileIsMadeAnewInAPrivateFolder()
    {
        QTemporaryDir run;
        const QString folder = KWinScriptFile::folder(run.path());
        QCOMPARE(folder, run.filePath(u"corvane"_s));
        QCOMPARE(QFile::permissions(folder) & 0x0077, QFileDevice::Permissions());
        QFile victim(run.filePath(u"victim"_s));
        QVERIFY(victim.open(QIODevice::WriteOnly) && victim.write("kept") == 4);
        victim.close();
        const QString path =
            QDir(folder).filePath(u"corvane-kwin-%1.js"_s.arg(QCoreApplication::applicationPid()));
        QVERIFY(QFile::link(victim.fileName(), path));
        QCOMPARE(KWinScriptFile::write(folder, "script"), path);
        QVERIFY(!QFileInfo(path).isSymLink());
        QVERIFY(victim.open(QIODevice::ReadOnly));
        QCOMPARE(victim.readAll(), QByteArray("kept"));

        QTemporaryDir other;
        QVERIFY(QFile::link(run.path(), other.filePath(u"corvane"_s)));
        QCOMPARE(KWinScriptFile::folder(other.path()), QString());
    }
};

QTEST_GUILESS_MAIN(TestKWinScript)
#include "tst_kwinscript.moc"
